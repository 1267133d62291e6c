// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse actions on the name fields: the status line, the item menu's preparation, the colour
// menu, "Clear focused" and "Copy"/"Paste" with the copy expiry.

#include "MainWindowFixture.h"

#include "widgets/ColumnMenuAction.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {
const QString NoCycle =
    QStringLiteral(" No cycle days set yet (right click and use 'Set days' or 'Start tracking' menu item).");

QAction *entry(const MainWindowFixture &f, const char *name)
{
    return f.window->action(QString::fromLatin1(name));
}

void leftClick(TEdit *field)
{
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, 4));
}

void rightClick(TEdit *field, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(field, Qt::RightButton, modifiers, QPoint(4, 4));
}

} // namespace

class TestItemFields : public QObject
{
    Q_OBJECT

private slots:
    void statusLine_data();
    void statusLine();
    void statusLineReportsAnUnreadableLine();
    void itemMenuEntries_data();
    void itemMenuEntries();
    void emptyFieldOpensNoMenuUnlessACopyIsPending();
    void ctrlShiftRightOpensTheColorMenuOnly();
    void copyPasteDuplicatesAnItem();
    void copyExpires();
    void pasteOntoTheSourceChangesNothing();
    void clearFocused_data();
    void clearFocused();
    void colorMenuEntries_data();
    void colorMenuEntries();
    void setDaysShowsTwoColumns();
    void setDaysWithTheKeyboard_data();
    void setDaysWithTheKeyboard();
};

void TestItemFields::statusLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("status");
    // clang-format off
    QTest::newRow("empty field") << "" << RecordLine::Empty << false << " Enter item name.";
    QTest::newRow("single blank") << " " << RecordLine::Empty << false << " Enter item name.";
    QTest::newRow("named, unset date") << "Milk" << RecordLine::Empty << false << NoCycle;
    QTest::newRow("tracked, cycle 000") << "Milk" << "12/01/2026 1 000 3" << false << NoCycle;
    QTest::newRow("learning") << "Tea" << "12/05/2026 2 000 3" << false
                              << " Tea: Tracking started - 12/05/2026, days since start = 5";
    QTest::newRow("learning, cycle changed") << "Tea" << "12/05/2026 2 002 3" << false
                                             << " Tea: Tracking started - 12/05/2026, days since start = 3";
    QTest::newRow("tracked") << "Milk" << "12/06/2026 1 007 2" << false
                             << " Milk: days = 7, prewarn = 2, next date = 12/13/2026, remaining days = 3";
    QTest::newRow("next date passed") << "Milk" << "11/20/2026 1 007 2" << false
                                      << " Milk: days = 7, prewarn = 2, next date = 11/27/2026, remaining days = 13";
    QTest::newRow("red") << "Milk" << "11/30/2026 1 010 3" << true << " Milk: days = 10, prewarn = 3";
    // clang-format on
}

void TestItemFields::statusLine()
{
    QFETCH(QString, name);
    QFETCH(QString, line);
    QFETCH(bool, red);
    QFETCH(QString, status);
    DataFiles files;
    files.records->replace(41, line);
    files.names->replace(41, name);
    MainWindowFixture f(files);
    f.edit(42)->setColors(red ? FieldState::Due : FieldState::Bought);

    leftClick(f.edit(42));
    QCOMPARE(f.window->statusLine(), status);
    QCOMPARE(f.window->currentSlot(), 42);
    QCOMPARE(f.window->currentField(), f.edit(42));
    QVERIFY(f.openedMenus.isEmpty());
}

void TestItemFields::statusLineReportsAnUnreadableLine()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/06/2026 1 0x7 2"));
    files.names->replace(0, QStringLiteral("Milk"));
    MainWindowFixture f(files);
    MessageBox::clearShown();
    leftClick(f.edit(1));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, QStringLiteral("'0x7' is not a valid integer value"));
    QCOMPARE(f.window->statusLine(), QString());
}

void TestItemFields::itemMenuEntries_data()
{
    // Visible entries in the order: bump, back, inc/dec, hard date, set days, prewarn, stop.
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<QString>("startCaption");
    // clang-format off
    QTest::newRow("not tracked") << "12/01/2026 0 010 3" << "0010100" << "Start tracking";
    QTest::newRow("tracked") << "12/01/2026 1 010 3" << "1111110" << "Start tracking";
    QTest::newRow("learning") << "12/01/2026 2 000 3" << "0010101" << "ReStart tracking";
    QTest::newRow("other flag") << "12/01/2026 7 010 3" << "0000000" << "Start tracking";
    QTest::newRow("too short") << "12/01/2026" << "0000000" << "Start tracking";
    // clang-format on
}

void TestItemFields::itemMenuEntries()
{
    QFETCH(QString, line);
    QFETCH(QString, visible);
    QFETCH(QString, startCaption);
    DataFiles files;
    files.records->replace(9, line);
    files.names->replace(9, QStringLiteral("Butter"));
    // A learning item first, so that the flags that leave "Stop tracking" alone show it.
    files.records->replace(10, QStringLiteral("12/01/2026 2 000 3"));
    files.names->replace(10, QStringLiteral("Jam"));
    MainWindowFixture f(files);
    rightClick(f.edit(11));
    entry(f, "StopTracking1")->setVisible(false);
    f.openedMenus.clear();

    rightClick(f.edit(10));
    const char *names[] = {"BumpDate1", "BackDate1",   "PlusMinusCycle1", "SetHardDate1",
                           "SetDays",   "SetWarning1", "StopTracking1"};
    for (int i = 0; i < 7; ++i)
        QVERIFY2(entry(f, names[i])->isVisible() == (visible[i] == QLatin1Char('1')), names[i]);
    QCOMPARE(entry(f, "StartTracking1")->text(), startCaption);
    for (const char *always : {"SetWarning2", "StartTracking1", "ClearFocused", "Copy1", "Paste1"})
        QVERIFY2(entry(f, always)->isVisible(), always);
    QCOMPARE(f.openedMenus, QList<QMenu *>{f.window->itemMenu()});
    QCOMPARE(f.window->currentSlot(), 10);
    QVERIFY(f.edit(10)->hasFocus() || !f.window->isVisible());
}

void TestItemFields::emptyFieldOpensNoMenuUnlessACopyIsPending()
{
    DataFiles files;
    files.names->replace(0, QStringLiteral("Salt"));
    MainWindowFixture f(files);
    rightClick(f.edit(2));
    QVERIFY(f.openedMenus.isEmpty());
    QVERIFY(!f.window->itemMenuAutoPopup());

    rightClick(f.edit(1));
    entry(f, "Copy1")->trigger();
    f.openedMenus.clear();
    rightClick(f.edit(2));
    QCOMPARE(f.openedMenus, QList<QMenu *>{f.window->itemMenu()});
}

void TestItemFields::ctrlShiftRightOpensTheColorMenuOnly()
{
    DataFiles files;
    files.names->replace(4, QStringLiteral("Flour"));
    MainWindowFixture f(files);
    for (int slot : {5, 6}) {
        f.openedMenus.clear();
        rightClick(f.edit(slot), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.openedMenus, QList<QMenu *>{f.window->colorMenu()});
        QVERIFY(!f.window->itemMenuAutoPopup());
        QCOMPARE(f.window->currentField(), f.edit(slot));
    }
}

void TestItemFields::copyPasteDuplicatesAnItem()
{
    DataFiles files;
    files.records->replace(2, QStringLiteral("12/01/2026 1 014 4"));
    files.names->replace(2, QStringLiteral("Oil"));
    files.records->replace(7, QStringLiteral("10/01/2026 0 003 1"));
    files.names->replace(7, QStringLiteral("Old"));
    MainWindowFixture f(files);
    f.edit(3)->setColors(FieldState::Bought);

    rightClick(f.edit(3));
    entry(f, "Copy1")->trigger();
    QVERIFY(!entry(f, "Copy1")->isEnabled());
    QVERIFY(entry(f, "Paste1")->isEnabled());
    auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 5000);

    rightClick(f.edit(8));
    entry(f, "Paste1")->trigger();
    QCOMPARE(f.line(8), QStringLiteral("12/01/2026 1 014 4"));
    QCOMPARE(f.edit(8)->text(), QStringLiteral("Oil"));
    QCOMPARE(f.edit(8)->colors(), FieldState::Bought);
    QCOMPARE(f.line(3), QStringLiteral("12/01/2026 1 014 4"));
    QCOMPARE(f.edit(3)->text(), QStringLiteral("Oil"));
    QVERIFY(entry(f, "Copy1")->isEnabled());
    QVERIFY(!entry(f, "Paste1")->isEnabled());
    QVERIFY(!timer->isActive());
}

void TestItemFields::copyExpires()
{
    DataFiles files;
    files.names->replace(0, QStringLiteral("Oats"));
    MainWindowFixture f(files);
    rightClick(f.edit(1));
    entry(f, "Copy1")->trigger();
    auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isSingleShot());

    // The five seconds pass: the timer's expiry is what the window sees.
    f.window->Timer1Timer();
    QVERIFY(entry(f, "Copy1")->isEnabled());
    QVERIFY(!entry(f, "Paste1")->isEnabled());
    QVERIFY(!timer->isActive());
    f.openedMenus.clear();
    rightClick(f.edit(2));
    QVERIFY(f.openedMenus.isEmpty());
}

void TestItemFields::pasteOntoTheSourceChangesNothing()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/01/2026 1 014 4"));
    files.names->replace(0, QStringLiteral("Oats"));
    MainWindowFixture f(files);
    f.edit(1)->setColors(FieldState::Prewarn);
    rightClick(f.edit(1));
    entry(f, "Copy1")->trigger();
    rightClick(f.edit(1));
    entry(f, "Paste1")->trigger();
    QCOMPARE(f.line(1), QStringLiteral("12/01/2026 1 014 4"));
    QCOMPARE(f.edit(1)->text(), QStringLiteral("Oats"));
    QCOMPARE(f.edit(1)->colors(), FieldState::Prewarn);
}

void TestItemFields::clearFocused_data()
{
    QTest::addColumn<bool>("yes");
    // clang-format off
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
    // clang-format on
}

void TestItemFields::clearFocused()
{
    QFETCH(bool, yes);
    DataFiles files;
    files.records->replace(59, QStringLiteral("12/01/2026 1 014 4"));
    files.names->replace(59, QStringLiteral("Pasta"));
    MainWindowFixture f(files);
    f.edit(60)->setColors(FieldState::Bought);
    leftClick(f.edit(60));
    rightClick(f.edit(60));
    MessageBox::setNextAnswer(yes ? MessageBox::Answer::Yes : MessageBox::Answer::No);
    entry(f, "ClearFocused")->trigger();

    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Clear this item?"));
    QCOMPARE(MessageBox::shown().last().title, QStringLiteral("Confirm"));
    const QRect desktop = Pointer::desktop();
    QCOMPARE(Pointer::lastPlacement(), QPoint(desktop.width() / 2 - 20, desktop.height() / 2 + 35));
    QCOMPARE(f.line(60), yes ? RecordLine::Empty : QStringLiteral("12/01/2026 1 014 4"));
    QCOMPARE(f.edit(60)->text(), yes ? QString() : QStringLiteral("Pasta"));
    QCOMPARE(f.edit(60)->colors(), yes ? FieldState::Plain : FieldState::Bought);
    QCOMPARE(f.window->statusLine().isEmpty(), yes);
}

void TestItemFields::colorMenuEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("background");
    QTest::addColumn<quint32>("font");
    // clang-format off
    QTest::newRow("Red") << "Red1" << 255u << 65535u;
    QTest::newRow("Yellow") << "Yellow1" << 65535u << 0u;
    QTest::newRow("Gray") << "Gray1" << 13026246u << 0u;
    QTest::newRow("Dark Gray") << "DarkGray1" << 8684164u << 16777215u;
    QTest::newRow("Beige") << "Beige1" << 13565951u << 0u;
    // clang-format on
}

void TestItemFields::colorMenuEntries()
{
    QFETCH(QString, name);
    QFETCH(quint32, background);
    QFETCH(quint32, font);
    DataFiles files;
    files.records->replace(30, QStringLiteral("12/01/2026 0 014 4"));
    MainWindowFixture f(files);
    rightClick(f.edit(31), Qt::ControlModifier | Qt::ShiftModifier);
    f.window->colorMenu()->findChild<QAction *>(name)->trigger();
    QCOMPARE(f.edit(31)->color(), background);
    QCOMPARE(f.edit(31)->fontColor(), font);
    QCOMPARE(f.line(31), QStringLiteral("12/01/2026 0 014 4"));
}

void TestItemFields::setDaysShowsTwoColumns()
{
    MainWindowFixture f;
    auto *block = f.window->itemMenu()->findChild<ColumnMenuAction *>();
    QVERIFY(block);
    QCOMPARE(block->columns().size(), 2);
    QStringList first;
    QStringList second;
    for (QAction *a : block->columns()[0])
        first << a->text();
    for (QAction *a : block->columns()[1])
        second << a->text();
    QCOMPARE(first, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    QCOMPARE(second, QStringList({"11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "> 20..."}));

    // Opened, "11" stands beside "1" and "> 20..." under "20".
    QMenu *setDays = f.window->findChild<QMenu *>(QStringLiteral("SetDaysMenu"));
    setDays->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(setDays));
    auto cell = [&](const char *name) { return setDays->findChild<QWidget *>(QString::fromLatin1(name) + "Cell"); };
    QVERIFY(cell("Days1") && cell("Days11") && cell("SetDaysMan"));
    QCOMPARE(cell("Days11")->y(), cell("Days1")->y());
    QVERIFY(cell("Days11")->x() > cell("Days1")->x());
    QCOMPARE(cell("SetDaysMan")->x(), cell("Days20")->x());
    QVERIFY(cell("SetDaysMan")->y() > cell("Days20")->y());

    // Choosing a cell triggers its entry and closes the menu.
    QTest::mouseClick(f.edit(1), Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseClick(cell("Days7"), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.line(1), QStringLiteral("12/10/2026 1 007 3"));
    QVERIFY(!setDays->isVisible());
    setDays->hide();
}

void TestItemFields::setDaysWithTheKeyboard_data()
{
    // Keys go to the open menu; the last one only goes down there: its release reaches the days
    // panel's edit when the entry opened the panel, which must stay open.
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("line");
    const int up = Qt::Key_Up, down = Qt::Key_Down, left = Qt::Key_Left, right = Qt::Key_Right;
    const int enter = Qt::Key_Return, escape = Qt::Key_Escape;
    // clang-format off
    QTest::newRow("first entry") << QList<int>{enter} << "12/10/2026 1 001 3";
    QTest::newRow("7") << QList<int>{down, down, down, down, down, down, enter} << "12/10/2026 1 007 3";
    QTest::newRow("space chooses") << QList<int>{down, int(Qt::Key_Space)} << "12/10/2026 1 002 3";
    QTest::newRow("up wraps in the column") << QList<int>{up, enter} << "12/10/2026 1 010 3";
    QTest::newRow("right column") << QList<int>{down, right, enter} << "12/10/2026 1 012 3";
    QTest::newRow("back left from under 20") << QList<int>{right, up, left, enter} << "12/10/2026 1 010 3";
    QTest::newRow("escape") << QList<int>{escape} << RecordLine::Empty;
    // The panel stays open after the Return that chose its entry; "5" and Return confirm it.
    QTest::newRow("> 20... by Return") << QList<int>{right, up, enter} << "12/10/2026 1 005 3";
    QTest::newRow("Inc/Dec cycle days... by Return") << QList<int>{escape, up, enter} << "00/00/0000 0 005 3";
    // clang-format on
}

void TestItemFields::setDaysWithTheKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, line);
    DataFiles files;
    files.names->replace(0, QStringLiteral("Milk"));
    MainWindowFixture f(files);
    rightClick(f.edit(1));
    QMenu *menu = f.window->itemMenu();
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(entry(f, "SetDays"));
    QTest::keyClick(menu, Qt::Key_Right);
    auto *setDays = f.window->findChild<QMenu *>(QStringLiteral("SetDaysMenu"));
    QVERIFY(QTest::qWaitForWindowExposed(setDays));
    QTest::qWait(0);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyPress(popup, Qt::Key(keys[i]));
        if (i + 1 < keys.size())
            QTest::keyRelease(popup, Qt::Key(keys[i]));
    }
    // The release of the last key reaches the days panel's edit, which just got the focus.
    auto *panel = f.window->control(QStringLiteral("Panel1"));
    auto *days = f.window->control(QStringLiteral("IntegerEdit1"));
    QTest::keyRelease(panel->isHidden() ? setDays : days, Qt::Key(keys.last()));
    if (!panel->isHidden()) {
        QTest::keyClicks(days, QStringLiteral("5"));
        QTest::keyClick(days, Qt::Key_Return);
        QVERIFY(panel->isHidden());
    }
    QCOMPARE(f.line(1), line);
    // Choosing closes both menus; Escape and Left close only the submenu.
    QVERIFY(!setDays->isVisible());
    QCOMPARE(menu->isVisible(), line == RecordLine::Empty);
    QCOMPARE(f.edit(1)->colors(), line.startsWith(u"12/10") ? FieldState::Bought : FieldState::Plain);
    menu->hide();
}

QTEST_MAIN(TestItemFields)
#include "TestItemFields.moc"
