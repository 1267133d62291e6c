// Start-up, activation and shut-down of the main window.

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/Numbers.h"
#include "core/RecordLine.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "widgets/TEdit.h"
#include "widgets/TMemo.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QWindow>

void TAForm1::FormCreate()
{
    const QDate today = Clock::today();
    m_monthCalendar1->setSelectedDate(today);

    showDate(Dates::longText(today));

    setFixedSize(854, 590);

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
        action(QStringLiteral("BumpDate1"))->setVisible(false);
    } catch (const AppError &error) {
        showError(error.message());
    }
    // Whatever could not be read completely must survive this run untouched.
    m_data.protectUnloadedFiles();
}

void TAForm1::showDate(const QString &text)
{
    // The date label sizes itself to its text, at least 100 pixels, centred on x = 194.
    m_label2->setText(text);
    const int width = qMax(100, m_label2->fontMetrics().horizontalAdvance(text));
    m_label2->setGeometry(194 - width / 2, 61, width, 18);
}

void TAForm1::loadStartupColors()
{
    if (const std::optional<QStringList> lines = m_data.loadColorLines()) {
        applyColorLines(*lines, ColorLoad::Startup);
        m_data.markLoaded(DataFolder::File::Colors);
    }
}

void TAForm1::applyColorLines(const QStringList &lines, ColorLoad load)
{
    ::applyColorLines(lines, *m_fields, load);
}

void TAForm1::FormActivate()
{
    // The layout makes the window stay on top; activation puts it back in the normal layer
    // unless the user has asked for stay-on-top, so a yellow pin always means on top.
    if (!m_onTop && windowHandle() && (windowHandle()->flags() & Qt::WindowStaysOnTopHint))
        windowHandle()->setFlag(Qt::WindowStaysOnTopHint, false);
}

bool TAForm1::FormCloseQuery()
{
    try {
        m_data.saveRecords(records());

        TextLines &names = m_memo2->lines();
        // Lines past the last slot have no field; they are written back as they were read.
        const QStringList pastTheFields = names.lines().mid(Slots);
        names.clear();
        QList<ColorValue> colors;
        for (int slot = 1; slot <= Slots; ++slot) {
            names.append(edit(slot)->text());
            colors.append(edit(slot)->color());
        }
        for (const QString &name : pastTheFields)
            names.append(name);
        m_data.saveNames(names.lines());
        m_data.saveColors(colors);
    } catch (const AppError &error) {
        showError(error.message());
        return false;
    }

    const QStringList unchanged = m_data.protectedPaths();
    if (!unchanged.isEmpty()) {
        MessageBox::warning(this, QStringLiteral("These files could not be read completely at start and were left "
                                                 "unchanged:\n%1")
                                      .arg(unchanged.join(QLatin1Char('\n'))));
    }
    return true;
}

void TAForm1::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery()) {
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

bool TAForm1::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}
