// SPDX-License-Identifier: GPL-3.0-or-later
// The item menu's commands with the days panel and the calendar: the record line and the
// field colours each one leaves behind.

#include "MainWindowFixture.h"

#include "widgets/THoverButton.h"
#include "widgets/TIntegerEdit.h"
#include "widgets/TZekButton.h"

#include <QAction>
#include <QCalendarWidget>
#include <QTest>

namespace {
constexpr int Slot = 12;

struct Command
{
    MainWindowFixture &f;

    void choose(const QString &name) const
    {
        QTest::mouseClick(f.edit(Slot), Qt::RightButton, {}, QPoint(3, 3));
        auto *a = f.window->action(name);
        QVERIFY2(a, qPrintable(name));
        a->trigger();
    }
    QWidget *panel() const { return f.window->control(QStringLiteral("Panel1")); }
    TIntegerEdit *days() const
    {
        return qobject_cast<TIntegerEdit *>(f.window->control(QStringLiteral("IntegerEdit1")));
    }
    void confirmDays(const QString &typed, const char *button = "DaysOK") const
    {
        days()->setText(typed);
        auto *b = f.window->findChild<THoverButton *>(QString::fromLatin1(button));
        b->OnClick(b);
    }
};

MainWindowFixture *withItem(const QString &line, QDate today = QDate(2026, 12, 10))
{
    DataFiles files;
    files.records->replace(Slot - 1, line);
    files.names->replace(Slot - 1, QStringLiteral("Cheese"));
    return new MainWindowFixture(files, today);
}
} // namespace

class TestItemCommands : public QObject
{
    Q_OBJECT

private slots:
    void setDaysFromTheSubmenu_data();
    void setDaysFromTheSubmenu();
    void daysPanel_data();
    void daysPanel();
    void daysPanelCancelAndEnter();
    void daysPanelActsOnTheSlotOfAPurchaseClickedMeanwhile();
    void bumpDate_data();
    void bumpDate();
    void trackingStartsAndStops_data();
    void trackingStartsAndStops();
    void prewarnDays();
    void prewarnDaysForAll();
    void hardDateFromTheCalendar();
};

void TestItemCommands::setDaysFromTheSubmenu_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("7 on an empty line") << RecordLine::Empty << "Days7" << "12/10/2026 1 007 3";
    QTest::newRow("20 on a learning item") << "12/01/2026 2 000 5" << "Days20" << "12/10/2026 1 020 5";
    QTest::newRow("1 keeps what follows") << "01/01/2025 0 300 9 extra" << "Days1" << "12/10/2026 1 001 9 extra";
    // clang-format on
}

void TestItemCommands::setDaysFromTheSubmenu()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    std::unique_ptr<MainWindowFixture> f(withItem(line));
    Command{*f}.choose(entry);
    QCOMPARE(f->line(Slot), expected);
    QCOMPARE(f->edit(Slot)->colors(), FieldState::Bought);
    // A new cycle starting today is a purchase.
    QCOMPARE(f->history(),
             QStringList(QStringLiteral("2026-12-10,%1,Cheese,%2").arg(Slot).arg(expected.mid(13, 3).toInt())));
}

void TestItemCommands::daysPanel_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("bought");
    const QString none;
    const QString belowZero = QStringLiteral("Cycle days will be = or < 0, no modification made.");
    const QString above = QStringLiteral("Cycle days will be > 999, no modification made.");
    // clang-format off
    QTest::newRow("> 20 with 45") << RecordLine::Empty << "SetDaysMan" << "45" << "12/10/2026 1 045 3" << none << true;
    QTest::newRow("> 20 empty") << RecordLine::Empty << "SetDaysMan" << "" << "12/10/2026 1 000 3" << none << true;
    QTest::newRow("> 20 with 1000") << "12/01/2026 2 000 3" << "SetDaysMan" << "1000" << "12/01/2026 2 000 3"
                                    << above << false;
    QTest::newRow("> 20 with -5") << "12/01/2026 2 000 3" << "SetDaysMan" << "-5" << "12/01/2026 2 000 3"
                                  << belowZero << false;
    QTest::newRow("inc/dec -3 on 010") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "-3" << "12/01/2026 1 007 3"
                                       << none << false;
    QTest::newRow("inc/dec 0") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "0" << "12/01/2026 1 010 3" << none
                               << false;
    QTest::newRow("inc/dec empty") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "" << "12/01/2026 1 010 3" << none
                                   << false;
    QTest::newRow("inc/dec -5 on 005") << "12/01/2026 1 005 3" << "PlusMinusCycle1" << "-5" << "12/01/2026 1 005 3"
                                       << belowZero << false;
    QTest::newRow("inc/dec +995 on 010") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "995"
                                         << "12/01/2026 1 010 3" << above << false;
    QTest::newRow("inc/dec lone minus") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "-" << "12/01/2026 1 010 3"
                                        << none << false;
    QTest::newRow("inc/dec lone plus") << "12/01/2026 1 010 3" << "PlusMinusCycle1" << "+" << "12/01/2026 1 010 3"
                                       << none << false;
    QTest::newRow("> 20 lone minus") << RecordLine::Empty << "SetDaysMan" << "-" << "12/10/2026 1 000 3" << none
                                     << true;
    QTest::newRow("inc/dec on a bad cycle") << "12/01/2026 1 x10 3" << "PlusMinusCycle1" << "4" << "12/01/2026 1 x10 3"
                                            << none << false;
    // clang-format on
}

void TestItemCommands::daysPanel()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, warning);
    QFETCH(bool, bought);
    std::unique_ptr<MainWindowFixture> f(withItem(line));
    f->edit(Slot)->setColors(FieldState::Learning);
    Command c{*f};
    c.choose(entry);
    QVERIFY(c.panel()->isVisibleTo(f->window.get()));
    QCOMPARE(c.days()->text(), QString());
    MessageBox::clearShown();

    c.confirmDays(typed);
    QCOMPARE(f->line(Slot), expected);
    QCOMPARE(f->edit(Slot)->colors(), bought ? FieldState::Bought : FieldState::Learning);
    QCOMPARE(f->history().size(), bought ? 1 : 0);
    QVERIFY(!c.panel()->isVisibleTo(f->window.get()));
    if (warning.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
    } else {
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Warning);
        QCOMPARE(MessageBox::shown().first().text, warning);
        const QRect desktop = Pointer::desktop();
        QCOMPARE(Pointer::lastPlacement(), QPoint(desktop.width() / 2 + 10, desktop.height() / 2 + 35));
    }
}

void TestItemCommands::daysPanelCancelAndEnter()
{
    std::unique_ptr<MainWindowFixture> f(withItem(RecordLine::Empty));
    f->window->show();
    Command c{*f};
    c.choose(QStringLiteral("SetDaysMan"));
    c.confirmDays(QStringLiteral("30"), "DaysCancel");
    QCOMPARE(f->line(Slot), RecordLine::Empty);
    QVERIFY(!c.panel()->isVisible());

    c.choose(QStringLiteral("SetDaysMan"));
    QVERIFY(c.panel()->isVisible());
    QTest::keyClicks(c.days(), QStringLiteral("30"));
    QTest::keyClick(c.days(), Qt::Key_Return);
    QCOMPARE(f->line(Slot), QStringLiteral("12/10/2026 1 030 3"));
    QVERIFY(!c.panel()->isVisible());
}

void TestItemCommands::daysPanelActsOnTheSlotOfAPurchaseClickedMeanwhile()
{
    constexpr int Bought = 30;
    DataFiles files;
    files.records->replace(Slot - 1, QStringLiteral("12/01/2026 1 010 3"));
    files.records->replace(Bought - 1, QStringLiteral("11/30/2026 1 010 3"));
    MainWindowFixture f(files);
    f.edit(Slot)->setColors(FieldState::Learning);
    Command c{f};
    c.choose(QStringLiteral("SetDaysMan"));
    f.window->purchaseButton(Bought)->OnClick(f.window->purchaseButton(Bought));
    // The purchase made it cream; plain again, OK alone can make it cream.
    f.edit(Bought)->setColors(FieldState::Plain);

    c.confirmDays(QStringLiteral("45"));
    QCOMPARE(f.line(Bought), QStringLiteral("12/10/2026 1 045 3"));
    QCOMPARE(f.edit(Bought)->colors(), FieldState::Bought);
    QCOMPARE(f.line(Slot), QStringLiteral("12/01/2026 1 010 3"));
    QCOMPARE(f.edit(Slot)->colors(), FieldState::Learning);
}

void TestItemCommands::bumpDate_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("due");
    QTest::addColumn<QDate>("today");
    const QDate early2008(2008, 1, 5);
    const QDate today(2026, 12, 10);
    // clang-format off
    QTest::newRow("back over a leap day") << "03/01/2008 1 090 3" << "BackDate1" << "02/29/2008 1 090 3" << false
                                          << early2008;
    QTest::newRow("forward over a year end") << "12/31/2007 1 090 3" << "BumpDate1" << "01/01/2008 1 090 3" << false
                                             << early2008;
    QTest::newRow("forward onto the due day") << "11/29/2026 1 010 3" << "BumpDate1" << "11/30/2026 1 010 3" << true
                                              << today;
    QTest::newRow("unset date") << "00/00/0000 1 010 3" << "BackDate1" << "00/00/0000 1 010 3" << false << today;
    QTest::newRow("past 12/31/9999") << "12/31/9999 1 010 3" << "BumpDate1" << "12/31/9999 1 010 3" << false << today;
    // clang-format on
}

void TestItemCommands::bumpDate()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QFETCH(bool, due);
    QFETCH(QDate, today);
    std::unique_ptr<MainWindowFixture> f(withItem(line, today));
    f->edit(Slot)->setColors(FieldState::Bought);
    MessageBox::clearShown();
    Command{*f}.choose(entry);
    QCOMPARE(f->line(Slot), expected);
    // The bump runs the due check.
    QCOMPARE(f->edit(Slot)->colors(), due ? FieldState::Due : FieldState::Bought);
    QVERIFY(MessageBox::shown().isEmpty());
    // Moving the date of the last purchase records no new one.
    QVERIFY(f->history().isEmpty());
}

void TestItemCommands::trackingStartsAndStops_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<FieldColors>("colors");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("start") << "11/02/2026 1 014 5" << "StartTracking1" << "12/10/2026 2 000 5" << FieldState::Learning
                           << "";
    QTest::newRow("stop on the start day") << "12/10/2026 2 000 5" << "StopTracking1" << "12/10/2026 1 000 5"
                                           << FieldState::Bought << "";
    QTest::newRow("stop after 999 days") << "03/16/2024 2 000 5" << "StopTracking1" << "03/16/2024 1 999 5"
                                         << FieldState::Bought << "";
    QTest::newRow("stop after 9 days") << "12/01/2026 2 000 5" << "StopTracking1" << "12/01/2026 1 009 5"
                                       << FieldState::Bought << "";
    QTest::newRow("stop after 1000 days") << "03/15/2024 2 000 5" << "StopTracking1" << "03/15/2024 2 000 5"
                                          << FieldState::Learning
                                          << "Cycle days will be > 999, no modification made.";
    QTest::newRow("stop on a bad date") << "13/45/2026 2 000 5" << "StopTracking1" << "13/45/2026 2 000 5"
                                        << FieldState::Learning << "'13/45/2026' is not a valid date";
    // clang-format on
}

void TestItemCommands::trackingStartsAndStops()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QFETCH(FieldColors, colors);
    QFETCH(QString, message);
    std::unique_ptr<MainWindowFixture> f(withItem(line));
    f->edit(Slot)->setColors(FieldState::Learning);
    MessageBox::clearShown();
    Command{*f}.choose(entry);
    QCOMPARE(f->line(Slot), expected);
    QCOMPARE(f->edit(Slot)->colors(), colors);
    // Tracking starts on the day of a purchase; stopping it keeps that day.
    QCOMPARE(f->history().size(), entry == QLatin1String("StartTracking1") ? 1 : 0);
    QCOMPARE(MessageBox::shown().isEmpty(), message.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(MessageBox::shown().first().text, message);
}

void TestItemCommands::prewarnDays()
{
    std::unique_ptr<MainWindowFixture> f(withItem(QStringLiteral("12/01/2026 1 030 3")));
    f->edit(Slot)->setColors(FieldState::Bought);
    Command{*f}.choose(QStringLiteral("PreWarn9"));
    QCOMPARE(f->line(Slot), QStringLiteral("12/01/2026 1 030 9"));
    QCOMPARE(f->line(Slot + 1), RecordLine::Empty);
    QCOMPARE(f->edit(Slot)->colors(), FieldState::Bought);
}

void TestItemCommands::prewarnDaysForAll()
{
    std::unique_ptr<MainWindowFixture> f(withItem(QStringLiteral("12/01/2026 1 030 3")));
    f->edit(1)->setColors(FieldState::Due);
    f->edit(Slot)->setColors(FieldState::Bought);
    Command{*f}.choose(QStringLiteral("PreWarnAll5"));
    for (int slot = 1; slot <= 100; ++slot)
        QCOMPARE(f->line(slot).mid(17, 1), QStringLiteral("5"));
    QCOMPARE(f->line(Slot), QStringLiteral("12/01/2026 1 030 5"));
    QCOMPARE(f->line(2), QStringLiteral("00/00/0000 0 000 5"));
    QCOMPARE(f->edit(1)->colors(), FieldState::Due);
    QCOMPARE(f->edit(Slot)->colors(), FieldState::Bought);
}

void TestItemCommands::hardDateFromTheCalendar()
{
    DataFiles files;
    files.records->replace(Slot - 1, QStringLiteral("12/01/2026 0 030 3"));
    files.names->replace(Slot - 1, QStringLiteral("Cheese"));
    files.records->replace(Slot, QStringLiteral("12/01/2026 1 030 3"));
    files.names->replace(Slot, QStringLiteral("Ham"));
    MainWindowFixture f(files);
    auto *calendar = qobject_cast<QCalendarWidget *>(f.window->control(QStringLiteral("MonthCalendar1")));
    auto *cancel = qobject_cast<TZekButton *>(f.window->control(QStringLiteral("ZekButton1")));
    QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 10));

    Command{f}.choose(QStringLiteral("SetHardDate1"));
    QVERIFY(calendar->isVisibleTo(f.window.get()));
    QVERIFY(cancel->isVisibleTo(f.window.get()));
    // The calendar is not modal: the field clicked last is the one that gets the date.
    QTest::mouseClick(f.edit(Slot + 1), Qt::LeftButton, {}, QPoint(3, 3));
    calendar->setSelectedDate(QDate(2026, 11, 20));
    emit calendar->clicked(QDate(2026, 11, 20));
    QCOMPARE(f.line(Slot + 1), QStringLiteral("11/20/2026 1 030 3"));
    QCOMPARE(f.line(Slot), QStringLiteral("12/01/2026 0 030 3"));
    QCOMPARE(f.history(), QStringList(QStringLiteral("2026-11-20,%1,Ham,30").arg(Slot + 1)));
    QVERIFY(!calendar->isVisibleTo(f.window.get()));
    QVERIFY(!cancel->isVisibleTo(f.window.get()));

    // An untracked item becomes tracked; the cancel button changes nothing.
    Command{f}.choose(QStringLiteral("SetHardDate1"));
    emit calendar->clicked(QDate(2026, 11, 20));
    QCOMPARE(f.line(Slot), QStringLiteral("11/20/2026 1 030 3"));
    Command{f}.choose(QStringLiteral("SetHardDate1"));
    cancel->OnClick(cancel);
    QVERIFY(!calendar->isVisibleTo(f.window.get()));
    QCOMPARE(f.line(Slot), QStringLiteral("11/20/2026 1 030 3"));
}

QTEST_MAIN(TestItemCommands)
#include "TestItemCommands.moc"
