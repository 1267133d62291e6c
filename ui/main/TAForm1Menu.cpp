// SPDX-License-Identifier: GPL-3.0-or-later
// The item menu's commands, the days panel and the calendar, and the colour menu.

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/ItemOperations.h"
#include "core/Numbers.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "widgets/TEdit.h"
#include "widgets/THoverButton.h"
#include "widgets/TIntegerEdit.h"
#include "widgets/TPanel.h"
#include "widgets/TZekButton.h"

#include <QAction>
#include <QCalendarWidget>

namespace {
const QString BumpDate1 = QStringLiteral("BumpDate1");
const QString BackDate1 = QStringLiteral("BackDate1");
const QString PlusMinusCycle1 = QStringLiteral("PlusMinusCycle1");
const QString SetDaysMan = QStringLiteral("SetDaysMan");
} // namespace

void TAForm1::AllMenuClicks(QObject *sender)
{
    auto *entry = qobject_cast<QAction *>(sender);
    if (!entry)
        return;
    setStatusLine(QString());
    const MenuEntry &e = menuEntry(entry->objectName());
    if (e.remembered)
        m_invokingEntry = e.name;
    if (e.command)
        e.command(*this, sender);
}

void TAForm1::showCalendar()
{
    buildCalendar();
    m_monthCalendar1->show();
    m_monthCalendar1->raise();
    m_zekButton1->show();
    m_zekButton1->raise();
}

void TAForm1::BumpDateClick(QObject *)
{
    // A date that does not convert makes the command do nothing, without a word.
    try {
        ItemOperations::bumpDate(records(), m_currentSlot, m_invokingEntry == BumpDate1 ? 1 : -1);
        CheckDates();
    } catch (const ConversionError &) {}
}

void TAForm1::SetDaysClick(QObject *)
{
    if (m_invokingEntry != PlusMinusCycle1 && m_invokingEntry != SetDaysMan)
        return;
    buildDaysPanel();
    m_integerEdit1->clear();
    m_panel1->show();
    m_panel1->raise();
    m_integerEdit1->setFocus(Qt::OtherFocusReason);
}

void TAForm1::SetDaysManClick(QObject *sender)
{
    setStatusLine(QString());
    m_invokingEntry = SetDaysMan;
    SetDaysClick(sender);
}

void TAForm1::refuseCycle(const QString &message)
{
    Pointer::placeForBox(10, 35);
    MessageBox::warning(this, message);
}

void TAForm1::DaysOKClick(QObject *sender)
{
    if (qobject_cast<THoverButton *>(sender) && sender->objectName() == QLatin1String("DaysCancel")) {
        m_panel1->hide();
        return;
    }
    try {
        const int value = m_integerEdit1->value();
        if (m_invokingEntry == PlusMinusCycle1) {
            if (value != 0) {
                const auto result = ItemOperations::adjustCycle(records(), m_currentSlot, value);
                if (result != ItemOperations::CycleResult::Changed)
                    refuseCycle(ItemOperations::refusalMessage(result));
            }
        } else {
            // A purchase button clicked while the panel stood open moved the current slot but not
            // the current field: the line and the colour must be the same item's.
            const auto result = ItemOperations::setCycle(records(), m_currentSlot, value, Clock::today());
            if (result != ItemOperations::CycleResult::Changed) {
                refuseCycle(ItemOperations::refusalMessage(result));
            } else {
                recordPurchase(m_currentSlot, Clock::today());
                if (TEdit *field = edit(m_currentSlot))
                    field->setColors(FieldState::Bought);
            }
        }
    } catch (const ConversionError &) {
        // The panel closes all the same; the record line is as it was.
    }
    m_panel1->hide();
}

void TAForm1::IntegerEdit1KeyUp(QObject *sender, int &key, Qt::KeyboardModifiers)
{
    if (key == KeyCode::Enter)
        DaysOKClick(sender);
}

void TAForm1::Days1Thru20Click(QObject *sender)
{
    setStatusLine(QString());
    try {
        const int days = Numbers::fromName(sender->objectName());
        if (ItemOperations::setCycle(records(), m_currentSlot, days, Clock::today())
            == ItemOperations::CycleResult::Changed) {
            recordPurchase(m_currentSlot, Clock::today());
            if (m_currentField)
                m_currentField->setColors(FieldState::Bought);
        }
    } catch (const ConversionError &) {
        // A record line that does not convert is left as it is, without a word.
    }
}

void TAForm1::MonthCalendar1Click()
{
    buildCalendar();
    setStatusLine(QString());
    if (ItemOperations::setHardDate(records(), m_currentSlot, m_monthCalendar1->selectedDate()))
        recordPurchase(m_currentSlot, m_monthCalendar1->selectedDate());
    m_monthCalendar1->hide();
    m_zekButton1->hide();
}

void TAForm1::ZekButton1Click(QObject *)
{
    buildCalendar();
    m_monthCalendar1->hide();
    m_zekButton1->hide();
}

void TAForm1::startTracking()
{
    ItemOperations::startTracking(records(), m_currentSlot, Clock::today());
    recordPurchase(m_currentSlot, Clock::today());
    if (m_currentField)
        m_currentField->setColors(FieldState::Learning);
}

void TAForm1::stopTracking()
{
    const auto result = ItemOperations::stopTracking(records(), m_currentSlot, Clock::today());
    if (result != ItemOperations::CycleResult::Changed) {
        refuseCycle(ItemOperations::refusalMessage(result));
        return;
    }
    if (m_currentField)
        m_currentField->setColors(FieldState::Bought);
}

void TAForm1::PreDays1Thru9Click(QObject *sender)
{
    setStatusLine(QString());
    ItemOperations::setPrewarn(records(), m_currentSlot, Numbers::fromName(sender->objectName()));
}

void TAForm1::PreDays1Thru9AllClick(QObject *sender)
{
    setStatusLine(QString());
    ItemOperations::setPrewarnAll(records(), Numbers::fromName(sender->objectName()));
}

void TAForm1::Beige1Click(QObject *sender)
{
    if (!m_currentField)
        return;
    m_currentField->setColors(menuEntry(sender->objectName()).colors);
}
