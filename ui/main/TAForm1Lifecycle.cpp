// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, activation and shut-down of the main window.

#include "ui/main/TAForm1.h"
#include "ui/main/WindowGeometry.h"

#include "core/AppError.h"
#include "core/ColorLines.h"
#include "core/Dates.h"
#include "core/RecordLine.h"
#include "platform/Clock.h"
#include "platform/FirstPaint.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "widgets/TEdit.h"
#include "widgets/TMemo.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace {
// How long typing must pause before the name being typed is saved.
constexpr int NameSavePauseMs = 2000;
} // namespace

void TAForm1::FormCreate()
{
    const QDate today = Clock::today();
    // The calendar shows the start-up date whenever it is first opened.
    m_startDate = today;
    if (m_monthCalendar1)
        m_monthCalendar1->setSelectedDate(today);

    showDate(Dates::longText(today));

    setFixedSize(WindowGeometry::WindowSize);

    // Until the records file is read the list holds empty record lines, so a file that is
    // missing is written back as an empty inventory rather than as a broken line.
    records() = TextLines(QStringList(Slots, RecordLine::Empty));
    try {
        records() = m_data.loadRecords();
        m_data.markLoaded(DataFolder::File::Records);

        m_memo2->lines().setLines(m_data.loadNames());
        m_data.markLoaded(DataFolder::File::Names);
        for (int slot = 1; slot <= Slots; ++slot)
            edit(slot)->setText(m_memo2->lines().slotLine(slot));

        loadStartupColors();
        CheckDates();
        // A menu not made yet will be made with the entry hidden.
        if (m_popupMenu1)
            action(QStringLiteral("BumpDate1"))->setVisible(false);
    } catch (const AppError &error) {
        showError(error.message());
    }
    // Whatever could not be read completely must survive this run untouched.
    m_data.protectUnloadedFiles();
}

void TAForm1::showDate(const QString &text)
{
    m_dateText = text;
    // Until the window first shows, neither do its controls; the label takes its text then.
    if (!m_controlsShown)
        return;
    m_label2->setText(text);
    // A hidden window measures the label when it next shows (setVisible).
    if (isVisible())
        sizeDateLabel();
    else
        m_dateLabelUnsized = true;
}

// The date label sizes itself to its text (WindowGeometry::dateLabelRect).
void TAForm1::sizeDateLabel()
{
    m_dateLabelUnsized = false;
    const int width = qMax(WindowGeometry::DateMinWidth, m_label2->fontMetrics().horizontalAdvance(m_label2->text()));
    m_label2->setGeometry(WindowGeometry::dateLabelRect(width));
}

void TAForm1::setVisible(bool visible)
{
    if (visible && !m_controlsShown)
        showWindowBeforeControls();
    else
        QWidget::setVisible(visible);
    if (visible && m_dateLabelUnsized) {
        runWhenExposed(this, [this] {
            if (m_dateLabelUnsized)
                sizeDateLabel();
        });
    }
}

// The first show asks for the window to be mapped before it shows the controls. Showing a
// control, like changing a label's text, is news for assistive technology, and the first such
// news connects the program to the desktop's session bus (where the desktop runs none, that
// means starting a helper program). After the map request, that connection is made while the
// window manager maps the window; before it, the window manager would wait for it.
void TAForm1::showWindowBeforeControls()
{
    QWidgetList controls;
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow() && !control->isHidden()) {
            control->hide();
            controls.append(control);
        }
    }
    QWidget::setVisible(true);
    m_controlsShown = true;
    for (QWidget *control : std::as_const(controls))
        control->show();
    m_label2->setText(m_dateText);
    // Measuring the date is the program's first use of its fonts, which loads them. It waits
    // until the window manager has mapped the window and the window is about to paint: loading
    // the fonts beside the window manager's work would only slow that down. No paint and no
    // click can reach the label before then.
    m_dateLabelUnsized = true;
}

void TAForm1::loadStartupColors()
{
    if (const std::optional<QStringList> lines = m_data.loadColorLines()) {
        try {
            applyColorLines(*lines, *m_fields, ColorLoad::Startup);
        } catch (const AppError &) {
            // Read but damaged: the next save keeps its bytes aside and writes it anew, so
            // that the re-check and the due check work again.
            m_data.markDamaged(DataFolder::File::Colors);
            throw;
        }
        m_data.markLoaded(DataFolder::File::Colors);
    }
}

void TAForm1::FormActivate()
{
    // The layout makes the window stay on top; activation puts it back in the normal layer
    // unless the user has asked for stay-on-top, so a yellow pin always means on top.
    if (!m_onTop && windowHandle() && (windowHandle()->flags() & Qt::WindowStaysOnTopHint))
        windowHandle()->setFlag(Qt::WindowStaysOnTopHint, false);
}

QStringList TAForm1::currentNames() const
{
    QStringList names;
    for (int slot = 1; slot <= Slots; ++slot)
        names.append(edit(slot)->text());
    // Lines past the last slot have no field; they are written back as they were read.
    names.append(m_memo2->lines().lines().mid(Slots));
    return names;
}

QStringList TAForm1::saveAll(bool stopAtFirstError)
{
    m_memo2->lines().setLines(currentNames());
    const QList<ColorValue> colors = backgrounds(*m_fields, Slots);

    QStringList errors;
    const std::array<std::function<void()>, 3> saves{[&] { m_data.saveRecords(records()); },
                                                     [&] { m_data.saveNames(m_memo2->lines().lines()); },
                                                     [&] { m_data.saveColors(colors); }};
    for (const auto &save : saves) {
        try {
            save();
        } catch (const AppError &error) {
            errors.append(error.message());
            if (stopAtFirstError)
                break;
        }
    }
    appendUnrecordedPurchases(errors);
    return errors;
}

void TAForm1::appendUnrecordedPurchases(QStringList &errors)
{
    // A history line may be lost with a crash, but never tells of a purchase that the records
    // file does not show.
    if (m_data.isPending(DataFolder::File::Records))
        return;
    while (!m_unrecordedPurchases.isEmpty()) {
        try {
            PurchaseHistory::append(m_data.folder(), m_unrecordedPurchases.first());
        } catch (const AppError &error) {
            errors.append(error.message());
            return;
        }
        m_unrecordedPurchases.removeFirst();
    }
}

bool TAForm1::saveNow()
{
    if (m_closed)
        return true;
    if (m_nameSaveTimer)
        m_nameSaveTimer->stop();
    const QStringList errors = saveAll(false);
    syncItemsChanged();
    if (errors.isEmpty()) {
        m_saveFailing = false;
        return true;
    }
    if (!std::exchange(m_saveFailing, true)) {
        setStatusLine(QStringLiteral(" Not saved: %1").arg(errors.first()));
        showError(errors.join(QLatin1Char('\n')));
    }
    return false;
}

void TAForm1::runCommand(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const AppError &error) {
        showError(error.message());
    }
    saveNow();
}

void TAForm1::nameTyped()
{
    m_data.stageNames(currentNames());
    if (!m_nameSaveTimer) {
        m_nameSaveTimer = new QTimer(this);
        m_nameSaveTimer->setObjectName(QStringLiteral("NameSaveTimer"));
        m_nameSaveTimer->setSingleShot(true);
        connect(m_nameSaveTimer, &QTimer::timeout, this, &TAForm1::saveNow);
    }
    m_nameSaveTimer->start(NameSavePauseMs);
}

QString TAForm1::backupNotice()
{
    QStringList parts;
    for (DataFolder::File file : m_data.takeNewBackups()) {
        parts.append(QStringLiteral("%1 could not be read completely at start; its old content is kept in %2")
                         .arg(m_data.path(file), m_data.backupPath(file)));
    }
    return parts.join(QStringLiteral("\n\n"));
}

bool TAForm1::FormCloseQuery()
{
    // The first failure ends the save, unless nobody can answer: then all that can be
    // written is.
    const QStringList errors = saveAll(!m_unattended);
    for (const QString &error : errors)
        showError(error);
    if (!errors.isEmpty())
        return false;
    QStringList notices;
    if (const QStringList unchanged = m_data.protectedPaths(); !unchanged.isEmpty()) {
        notices.append(QStringLiteral("These files could not be read completely at start and were left unchanged:\n%1")
                           .arg(unchanged.join(QLatin1Char('\n'))));
    }
    if (const QString backups = backupNotice(); !backups.isEmpty())
        notices.append(backups);
    if (!notices.isEmpty())
        showWarning(notices.join(QStringLiteral("\n\n")));
    return true;
}

TAForm1::AfterFailedSave TAForm1::askAfterFailedSave()
{
    auto yes = [this](const QString &text) {
        Pointer::placeForBox(-10, 35);
        return MessageBox::question(this, QStringLiteral("Close"), text) == MessageBox::Answer::Yes;
    };
    if (yes(QStringLiteral("Try to save again?")))
        return AfterFailedSave::Retry;
    if (yes(QStringLiteral("Quit without saving? The changes since the last save will be lost.")))
        return AfterFailedSave::Quit;
    return AfterFailedSave::StayOpen;
}

void TAForm1::closeUnattended()
{
    m_unattended = true;
    close();
}

void TAForm1::closeEvent(QCloseEvent *event)
{
    // Unattended, what could be written is written and the close goes ahead regardless.
    while (!FormCloseQuery()) {
        if (m_unattended) {
            m_endedUnsaved = true;
            break;
        }
        const AfterFailedSave choice = askAfterFailedSave();
        if (choice == AfterFailedSave::Quit)
            break;
        if (choice == AfterFailedSave::StayOpen) {
            event->ignore();
            return;
        }
    }
    event->accept();
    m_closed = true;
    stopSync();
    emit closed();
}

bool TAForm1::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}
