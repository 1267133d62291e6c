// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse actions on the name fields: the status line, the item menu's preparation, the colour
// menu, "Clear focused", "Copy" and "Paste" with the copy expiry.

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/ItemOperations.h"
#include "core/Numbers.h"
#include "core/RecordLine.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "widgets/TEdit.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace {
const QString NoCycleDaysText =
    QStringLiteral(" No cycle days set yet (right click and use 'Set days' or 'Start tracking' menu item).");
constexpr int CopyExpiryMs = 5000;
} // namespace

void TAForm1::Edit1MouseDown(QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_currentField = qobject_cast<TEdit *>(sender);
}

void TAForm1::AllEditClick(QObject *sender)
{
    setStatusLine(QString());
    auto *field = qobject_cast<TEdit *>(sender);
    m_currentField = field;
    m_currentSlot = Numbers::fromName(sender->objectName());

    const QString line = records().slotLine(m_currentSlot);
    const QString date = RecordLine::buyDate(line);
    const QString flag = RecordLine::flag(line);
    const QString cycle = RecordLine::cycleText(line);
    const QString prewarn = RecordLine::prewarnText(line);
    const QString name = field->text();

    if (date == Dates::UnsetDate) {
        setStatusLine(!name.isEmpty() && name != QLatin1String(" ") ? NoCycleDaysText
                                                                    : QStringLiteral(" Enter item name."));
        return;
    }
    // A record that does not convert raises its error to the command's guard (runCommand).
    const QDate today = Clock::today();
    const QString nextDate = Dates::plusDays(date, Numbers::toInteger(cycle));
    if (flag != RecordLine::Flag::Learning && cycle == QLatin1String("000")) {
        setStatusLine(NoCycleDaysText);
        return;
    }
    if (flag == RecordLine::Flag::Learning) {
        setStatusLine(QStringLiteral(" %1: Tracking started - %2, days since start = %3")
                          .arg(name, date)
                          .arg(Dates::daysBetween(nextDate, today)));
        return;
    }
    QString text = QStringLiteral(" %1: days = %2, prewarn = %3")
                       .arg(name)
                       .arg(Numbers::toInteger(cycle))
                       .arg(Numbers::toInteger(prewarn));
    if (field->color() != FieldColor::Red) {
        text += QStringLiteral(", next date = %1, remaining days = %2")
                    .arg(nextDate)
                    .arg(Dates::daysBetween(nextDate, today));
    }
    setStatusLine(text);
}

void TAForm1::AllEditMouseUp(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int, int)
{
    if (button == Qt::RightButton && shift.testFlag(Qt::ShiftModifier) && shift.testFlag(Qt::ControlModifier)) {
        openMenu(colorMenu(), Pointer::position());
        m_itemMenuAutoPopup = false;
        return;
    }
    auto *field = qobject_cast<TEdit *>(sender);
    m_currentSlot = Numbers::fromName(sender->objectName());
    m_itemMenuAutoPopup = true;
    field->setFocus(Qt::MouseFocusReason);

    for (const MenuEntry &e : menuEntries()) {
        if (e.shown.hiddenFirst)
            action(e.name)->setVisible(false);
    }
    action(QStringLiteral("StartTracking1"))->setText(QStringLiteral("Start tracking"));

    if (field->text().isEmpty() && !action(QStringLiteral("Paste1"))->isEnabled()) {
        m_itemMenuAutoPopup = false;
        return;
    }

    const QString flag = RecordLine::flag(records().slotLine(m_currentSlot));
    bool MenuEntry::Shown::*shownFor = nullptr;
    if (flag == RecordLine::Flag::NotTracked)
        shownFor = &MenuEntry::Shown::notTracked;
    else if (flag == RecordLine::Flag::Tracked)
        shownFor = &MenuEntry::Shown::tracked;
    else if (flag == RecordLine::Flag::Learning)
        shownFor = &MenuEntry::Shown::learning;
    else
        return; // another flag, or a line too short to hold one

    for (const MenuEntry &e : menuEntries()) {
        if (e.shown.byFlag)
            action(e.name)->setVisible(e.shown.*shownFor);
    }
    action(QStringLiteral("StartTracking1"))
        ->setText(flag == RecordLine::Flag::Learning ? QStringLiteral("ReStart tracking")
                                                     : QStringLiteral("Start tracking"));
}

void TAForm1::ClearFocusedClick(QObject *)
{
    Pointer::placeForBox(-20, 35);
    if (MessageBox::question(this, QStringLiteral("Confirm"), QStringLiteral("Clear this item?"))
        == MessageBox::Answer::No)
        return;
    ItemOperations::clear(records(), m_currentSlot);
    if (m_currentField) {
        m_currentField->setColors(FieldState::Plain);
        m_currentField->clear();
    }
    setStatusLine(QString());
}

void TAForm1::Copy1Click(QObject *sender)
{
    QAction *copy = action(QStringLiteral("Copy1"));
    QAction *paste = action(QStringLiteral("Paste1"));
    if (sender->objectName() == QLatin1String("Copy1")) {
        m_heldLine = records().slotLine(m_currentSlot);
        m_heldName = m_currentField ? m_currentField->text() : QString();
        m_heldColors = m_currentField ? m_currentField->colors() : FieldState::Plain;
        copy->setEnabled(false);
        paste->setEnabled(true);
        m_timer1->start(CopyExpiryMs);
    } else if (sender->objectName() == QLatin1String("Paste1")) {
        records().setSlotLine(m_currentSlot, m_heldLine);
        if (m_currentField) {
            m_currentField->setText(m_heldName);
            m_currentField->setColors(m_heldColors);
        }
        m_heldName.clear();
        paste->setEnabled(false);
        copy->setEnabled(true);
        m_timer1->stop();
    }
}

void TAForm1::Timer1Timer()
{
    m_heldName.clear();
    action(QStringLiteral("Copy1"))->setEnabled(true);
    action(QStringLiteral("Paste1"))->setEnabled(false);
    m_timer1->stop();
}
