// SPDX-License-Identifier: GPL-3.0-or-later
// Every change is on disk when the command that made it returns: the three files hold what a
// close would write, purchases reach the history only after their records, and a failing save
// is told once.

#include "MainWindowFixture.h"

#include "widgets/THoverButton.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <sys/stat.h>

using Step = std::function<void(MainWindowFixture &)>;
Q_DECLARE_METATYPE(Step)

namespace {
constexpr int Slot = 12;

void click(MainWindowFixture &f, const QString &name)
{
    auto *button = f.window->findChild<THoverButton *>(name);
    QVERIFY2(button, qPrintable(name));
    button->show();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}

void choose(MainWindowFixture &f, const QString &entry, int slot = Slot)
{
    QTest::mouseClick(f.edit(slot), Qt::RightButton, {}, QPoint(3, 3));
    f.window->action(entry)->trigger();
}

QList<QByteArray> files(const MainWindowFixture &f)
{
    return {f.read(QStringLiteral("InvRecs.txt")), f.read(QStringLiteral("RecDesc.txt")),
            f.read(QStringLiteral("ecol.div"))};
}

ino_t inode(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

DataFiles withItems()
{
    DataFiles data;
    data.records->replace(Slot - 1, QStringLiteral("11/30/2026 1 010 3")); // due today
    data.records->replace(Slot, QStringLiteral("12/01/2026 2 000 4"));     // being measured
    data.names->replace(Slot - 1, QStringLiteral("Cheese"));
    data.names->replace(Slot, QStringLiteral("Bread"));
    return data;
}
} // namespace

class TestSaving : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandIsOnDiskAtOnce_data();
    void everyCommandIsOnDiskAtOnce();
    void historyFollowsTheRecords();
    void namesSavedWhenTypingEnds();
    void closeWithNothingChangedWritesNothing();
    void lostNotificationAreaShowsTheWindow();
};

void TestSaving::everyCommandIsOnDiskAtOnce_data()
{
    QTest::addColumn<Step>("command");
    QTest::addColumn<QString>("record"); // the record line of Slot on disk afterwards
    QTest::addColumn<ColorValue>("color");
    const auto yes = [] { MessageBox::setNextAnswer(MessageBox::Answer::Yes); };
    // clang-format off
    QTest::newRow("P") << Step([](auto &f) { click(f, QStringLiteral("HoverButton12")); })
                       << "12/10/2026 1 010 3" << FieldColor::Cream;
    QTest::newRow("Reset All Red") << Step([yes](auto &f) { yes(); click(f, QStringLiteral("HoverButton101")); })
                                   << "12/10/2026 1 010 3" << FieldColor::Cream;
    QTest::newRow("days entry") << Step([](auto &f) { choose(f, QStringLiteral("Days7")); })
                                << "12/10/2026 1 007 3" << FieldColor::Cream;
    QTest::newRow("days panel") << Step([](auto &f) {
        choose(f, QStringLiteral("PlusMinusCycle1"));
        qobject_cast<QLineEdit *>(f.window->control(QStringLiteral("IntegerEdit1")))->setText(QStringLiteral("5"));
        click(f, QStringLiteral("DaysOK"));
    }) << "11/30/2026 1 015 3" << FieldColor::Red;
    QTest::newRow("calendar") << Step([](auto &f) {
        choose(f, QStringLiteral("SetHardDate1"));
        auto *calendar = qobject_cast<QCalendarWidget *>(f.window->control(QStringLiteral("MonthCalendar1")));
        calendar->setSelectedDate(QDate(2026, 12, 3));
        emit calendar->clicked(QDate(2026, 12, 3));
    }) << "12/03/2026 1 010 3" << FieldColor::Red;
    QTest::newRow("prewarn") << Step([](auto &f) { choose(f, QStringLiteral("PreWarn6")); })
                             << "11/30/2026 1 010 6" << FieldColor::Red;
    QTest::newRow("colour menu") << Step([](auto &f) {
        QTest::mouseClick(f.edit(Slot), Qt::RightButton, {}, QPoint(3, 3));
        f.window->action(QStringLiteral("DarkGray1"))->trigger();
    }) << "11/30/2026 1 010 3" << FieldColor::DarkGray;
    QTest::newRow("clear") << Step([yes](auto &f) { yes(); choose(f, QStringLiteral("ClearFocused")); })
                           << RecordLine::Empty << FieldColor::Silver;
    QTest::newRow("paste") << Step([](auto &f) {
        choose(f, QStringLiteral("Copy1"), Slot + 1);
        choose(f, QStringLiteral("Paste1"));
    }) << "12/01/2026 2 000 4" << FieldColor::Silver;
    QTest::newRow("start tracking") << Step([](auto &f) { choose(f, QStringLiteral("StartTracking1")); })
                                    << "12/10/2026 2 000 3" << FieldColor::Gray;
    // clang-format on
}

void TestSaving::everyCommandIsOnDiskAtOnce()
{
    QFETCH(Step, command);
    QFETCH(QString, record);
    QFETCH(ColorValue, color);
    MainWindowFixture f(withItems());
    command(f);

    const QList<QByteArray> afterCommand = files(f);
    QCOMPARE(QString::fromLatin1(afterCommand[0]).split(QStringLiteral("\r\n")).value(Slot - 1), record);
    QCOMPARE(QString::fromLatin1(afterCommand[2]).split(QStringLiteral("\r\n")).value(Slot - 1),
             QString::number(color));
    // The bytes are the ones a close writes: the close finds nothing left to change.
    QVERIFY(f.window->FormCloseQuery());
    QCOMPARE(files(f), afterCommand);
    QVERIFY(MessageBox::shown().size() <= 1);
}

void TestSaving::historyFollowsTheRecords()
{
    MainWindowFixture f(withItems());
    // A folder in the records file's place: the records cannot be saved, the history could.
    const QString records = f.path(QStringLiteral("InvRecs.txt"));
    QVERIFY(QFile::rename(records, records + QStringLiteral(".kept")));
    QVERIFY(QDir().mkpath(records));

    click(f, QStringLiteral("HoverButton12"));
    QVERIFY(f.history().isEmpty());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, QStringLiteral("Cannot create file ") + records);
    QCOMPARE(f.window->statusLine(), QStringLiteral(" Not saved: Cannot create file ") + records);
    // Later commands try again without a word.
    click(f, QStringLiteral("HoverButton12"));
    click(f, QStringLiteral("HoverButton12"));
    QCOMPARE(MessageBox::shown().size(), 1);

    // Once the records can be written, the purchases they show follow, in order.
    QVERIFY(QDir(records).removeRecursively());
    choose(f, QStringLiteral("PreWarn4"));
    QCOMPARE(f.history(), QStringList(2, QStringLiteral("2026-12-10,12,Cheese,10")));
    QVERIFY(f.read(QStringLiteral("InvRecs.txt")).contains("12/10/2026 1 010 4"));
    // The streak has ended: the next failure is told again.
    QVERIFY(QFile::remove(records) && QDir().mkpath(records));
    click(f, QStringLiteral("HoverButton12"));
    QCOMPARE(MessageBox::shown().size(), 2);
}

void TestSaving::namesSavedWhenTypingEnds()
{
    MainWindowFixture f(withItems());
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QTest::mouseClick(f.edit(1), Qt::LeftButton, {}, QPoint(3, 3));
    QLineEdit *editor = f.edit(1)->editor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("Milk"));
    // Typed but not ended: not written yet, but waiting for an exit that cannot wait.
    QVERIFY(!f.read(QStringLiteral("RecDesc.txt")).startsWith("Milk\r\n"));
    QVERIFY(f.window->dataFolder().isPending(DataFolder::File::Names));
    // A pause in the typing saves it (the pause is cut short here).
    auto *pause = f.window->findChild<QTimer *>(QStringLiteral("NameSaveTimer"));
    QVERIFY(pause && pause->isActive() && pause->isSingleShot());
    QCOMPARE(pause->interval(), 2000);
    pause->setInterval(0);
    QTRY_VERIFY(f.read(QStringLiteral("RecDesc.txt")).startsWith("Milk\r\n"));

    // Return and the focus moving on save at once.
    QTest::keyClicks(editor, QStringLiteral("!"));
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(f.read(QStringLiteral("RecDesc.txt")).startsWith("Milk!\r\n"));
    QTest::keyClicks(editor, QStringLiteral(" 2%"));
    f.edit(2)->setFocus();
    QVERIFY(f.read(QStringLiteral("RecDesc.txt")).startsWith("Milk! 2%\r\n"));
}

void TestSaving::closeWithNothingChangedWritesNothing()
{
    MainWindowFixture f(withItems());
    click(f, QStringLiteral("HoverButton12"));
    QList<ino_t> before;
    for (const char *file : {"InvRecs.txt", "RecDesc.txt", "ecol.div"})
        before.append(inode(f.path(QLatin1String(file))));
    QVERIFY(f.window->close());
    for (const char *file : {"InvRecs.txt", "RecDesc.txt", "ecol.div"})
        QCOMPARE(inode(f.path(QLatin1String(file))), before.takeFirst());
}

void TestSaving::lostNotificationAreaShowsTheWindow()
{
    MainWindowFixture f;
    f.window->show();
    click(f, QStringLiteral("ButtonTray"));
    QVERIFY(f.window->isHidden());
    // A panel that comes back is no reason to show the window; one that has gone is.
    emit f.window->trayIcon()->notificationArea().hostChanged();
    QVERIFY(f.window->isHidden());
    NotificationArea::setTestMode(true, false);
    emit f.window->trayIcon()->notificationArea().hostChanged();
    QVERIFY(f.window->isVisible());
}

QTEST_MAIN(TestSaving)
#include "TestSaving.moc"
