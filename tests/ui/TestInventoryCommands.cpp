// SPDX-License-Identifier: GPL-3.0-or-later
// "ReCheck", the purchase buttons, "Reset All Red" and the due check at start-up, driven
// through the main window's buttons.

#include "MainWindowFixture.h"

#include "widgets/THoverButton.h"

#include <QTest>

namespace {
void click(TAForm1 *window, const QString &name)
{
    auto *button = window->findChild<THoverButton *>(name);
    QVERIFY2(button, qPrintable(name));
    button->show();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}
} // namespace

class TestInventoryCommands : public QObject
{
    Q_OBJECT

private slots:
    void startupRunsTheDueCheck();
    void startupKeepsARestoredRedField();
    void recheckSavesReloadsAndChecks();
    void recheckDerivesOnlyLearningAndDueFonts();
    void recheckReportsAnUnwritableFolder();
    void damagedColorsFileIsKeptAsideAndRewritten_data();
    void damagedColorsFileIsKeptAsideAndRewritten();
    void recheckLeavesARecordsFileThatFailedAtStart();
    void purchaseSequenceOnARedItem();
    void purchaseIgnores_data();
    void purchaseIgnores();
    void resetAllRed_data();
    void resetAllRed();
    void resetAllRedAnsweredNo();
};

void TestInventoryCommands::startupRunsTheDueCheck()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/01/2026 1 010 3"));
    files.records->replace(1, QStringLiteral("11/30/2026 1 010 3"));
    files.records->replace(2, QStringLiteral("11/30/2026 0 010 3"));
    MainWindowFixture f(files);
    QCOMPARE(f.edit(1)->colors(), FieldState::Prewarn);
    QCOMPARE(f.edit(2)->colors(), FieldState::Due);
    QCOMPARE(f.edit(3)->colors(), FieldState::Plain);
}

void TestInventoryCommands::startupKeepsARestoredRedField()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/09/2026 1 030 3"));
    files.colors = QStringList(100, QStringLiteral("12632256"));
    files.colors->replace(0, QStringLiteral("255"));
    MainWindowFixture f(files);
    QCOMPARE(f.edit(1)->colors(), FieldState::Due);
}

void TestInventoryCommands::recheckSavesReloadsAndChecks()
{
    DataFiles files;
    files.records->replace(4, QStringLiteral("12/05/2026 1 005 3"));
    files.names->replace(4, QStringLiteral("Eggs"));
    MainWindowFixture f(files);
    QCOMPARE(f.edit(5)->colors(), FieldState::Due);
    const QByteArray namesBefore = f.read(QStringLiteral("RecDesc.txt"));

    // Buy, rename, and let a day pass: the re-check saves what the screen shows and checks
    // again with the new day, and what the check changed is saved too.
    click(f.window.get(), QStringLiteral("HoverButton5"));
    QCOMPARE(f.edit(5)->colors(), FieldState::Bought);
    QCOMPARE(f.read(QStringLiteral("ecol.div")).split('\n').at(4), QByteArray("13565951\r"));
    f.edit(5)->setText(QStringLiteral("Eggs (free range)"));
    Clock::setToday(QDate(2026, 12, 13));
    click(f.window.get(), QStringLiteral("HoverButton102"));

    QCOMPARE(f.read(QStringLiteral("InvRecs.txt")).split('\n').at(4), QByteArray("12/10/2026 1 005 3\r"));
    QCOMPARE(f.read(QStringLiteral("ecol.div")).split('\n').at(4), QByteArray("65535\r"));
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")), QByteArray(namesBefore).replace("Eggs", "Eggs (free range)"));
    QCOMPARE(f.edit(5)->colors(), FieldState::Prewarn);
    QCOMPARE(f.window->statusLine(), QString());
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestInventoryCommands::recheckDerivesOnlyLearningAndDueFonts()
{
    MainWindowFixture f;
    f.edit(1)->setColors({FieldColor::Gray, FieldColor::Navy});
    f.edit(2)->setColors({FieldColor::Red, FieldColor::Navy});
    f.edit(3)->setColors({FieldColor::DarkGray, FieldColor::Black});
    click(f.window.get(), QStringLiteral("HoverButton102"));
    QCOMPARE(f.edit(1)->fontColor(), FieldColor::White);
    QCOMPARE(f.edit(2)->fontColor(), FieldColor::Yellow);
    // Only start-up derives the dark gray font; the re-check leaves it as it was.
    QCOMPARE(f.edit(3)->fontColor(), FieldColor::Black);
}

void TestInventoryCommands::recheckReportsAnUnwritableFolder()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/10/2026 1 000 3"));
    MainWindowFixture f(files);
    f.edit(1)->setColors(FieldState::Plain);
    // A folder that has gone is made again; a file in its place cannot be written into.
    QVERIFY(QDir(f.folder()).removeRecursively());
    QFile blocker(f.folder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    click(f.window.get(), QStringLiteral("HoverButton102"));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text,
             QStringLiteral("Cannot create file %1").arg(f.path(QStringLiteral("InvRecs.txt"))));
    // The due check did not run: the item due today stays plain.
    QCOMPARE(f.edit(1)->colors(), FieldState::Plain);
}

void TestInventoryCommands::damagedColorsFileIsKeptAsideAndRewritten_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<bool>("atClose"); // first written by Close instead of ReCheck

    QStringList bad(100, QStringLiteral("12632256"));
    bad[2] = QStringLiteral("255");
    bad[60] = QStringLiteral("blue");
    QTest::newRow("not a number") << bad << false;
    QTest::newRow("past 32 bits") << QStringList(bad).replaceInStrings(u"blue", u"4294967296") << false;
    QTest::newRow("too few lines") << bad.mid(0, 60) << false;
    QTest::newRow("empty, written at close") << QStringList() << true;
}

void TestInventoryCommands::damagedColorsFileIsKeptAsideAndRewritten()
{
    QFETCH(QStringList, colors);
    QFETCH(bool, atClose);

    DataFiles files;
    files.records->replace(2, QStringLiteral("12/09/2026 1 030 3"));
    files.records->replace(79, QStringLiteral("11/30/2026 1 010 3"));
    files.colors = colors;
    MainWindowFixture f(files);
    const QByteArray damaged = f.read(QStringLiteral("ecol.div"));
    QFile older(f.path(QStringLiteral("ecol.div.unreadable"))); // an older copy is replaced
    QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older copy") == 10);
    older.close();
    // The colour loop stopped, so the due check did not run at start.
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(f.edit(80)->colors(), FieldState::Plain);
    MessageBox::clearShown();

    // Bought today (when restored red): the change must survive the save and reading back.
    click(f.window.get(), QStringLiteral("HoverButton3"));
    const FieldColors bought = f.edit(3)->colors();
    if (atClose)
        QVERIFY(f.window->close());
    else
        click(f.window.get(), QStringLiteral("HoverButton102"));
    for (int told = 1; told >= 0; --told) {
        QCOMPARE(f.read(QStringLiteral("ecol.div.unreadable")), damaged);
        QCOMPARE(f.read(QStringLiteral("ecol.div")).split('\n').at(2), QByteArray::number(bought.background) + '\r');
        QCOMPARE(MessageBox::shown().size(), told);
        QVERIFY(!told || MessageBox::shown().first().text.contains(f.path(QStringLiteral("ecol.div.unreadable"))));
        if (atClose)
            return;
        QCOMPARE(f.edit(3)->colors(), bought);
        QCOMPARE(f.edit(80)->colors(), FieldState::Due);
        // Told once: a second re-check says nothing more and keeps the copy.
        MessageBox::clearShown();
        click(f.window.get(), QStringLiteral("HoverButton102"));
    }
}

void TestInventoryCommands::recheckLeavesARecordsFileThatFailedAtStart()
{
    DataFiles files;
    files.records.reset();
    MainWindowFixture f(files);
    // A folder in the place of the file: it exists but cannot be read.
    QVERIFY(QDir().mkpath(f.path(QStringLiteral("InvRecs.txt"))));
    f.window = std::make_unique<TAForm1>(f.folder());
    MessageBox::clearShown();
    f.window->records().setSlotLine(1, QStringLiteral("11/30/2026 1 010 3"));

    click(f.window.get(), QStringLiteral("HoverButton102"));
    QCOMPARE(f.window->statusLine(), QStringLiteral(" InvRecs.txt left unchanged: not read completely at start."));
    QVERIFY(MessageBox::shown().isEmpty());
    // The lines in memory are kept and checked.
    QCOMPARE(f.edit(1)->colors(), FieldState::Due);
}

void TestInventoryCommands::purchaseSequenceOnARedItem()
{
    DataFiles files;
    files.records->replace(16, QStringLiteral("11/30/2026 1 010 3"));
    files.names->replace(16, QStringLiteral("Milk, whole"));
    MainWindowFixture f(files);
    QCOMPARE(f.edit(17)->colors(), FieldState::Due);

    click(f.window.get(), QStringLiteral("HoverButton17"));
    QCOMPARE(f.edit(17)->colors(), FieldState::Bought);
    QCOMPARE(f.line(17), QStringLiteral("12/10/2026 1 010 3"));
    QCOMPARE(f.window->currentSlot(), 17);

    click(f.window.get(), QStringLiteral("HoverButton17"));
    QCOMPARE(f.edit(17)->colors(), FieldState::Due);
    QCOMPARE(f.line(17), QStringLiteral("12/10/2026 1 010 3"));

    click(f.window.get(), QStringLiteral("HoverButton17"));
    QCOMPARE(f.edit(17)->colors(), FieldState::Bought);
    // The step back to due records nothing; each new cycle is a purchase.
    const QString purchase = QStringLiteral("2026-12-10,17,\"Milk, whole\",10");
    QCOMPARE(f.history(), QStringList({purchase, purchase}));
}

void TestInventoryCommands::purchaseIgnores_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<FieldColors>("colors");
    QTest::newRow("plain tracked") << "12/01/2026 1 030 3" << FieldState::Plain;
    QTest::newRow("learning") << "12/01/2026 2 000 3" << FieldState::Learning;
    QTest::newRow("hand-coloured") << "12/01/2026 1 030 3" << FieldColors{FieldColor::LightGray, FieldColor::Black};
    QTest::newRow("red untracked") << "12/01/2026 0 030 3" << FieldState::Due;
}

void TestInventoryCommands::purchaseIgnores()
{
    QFETCH(QString, line);
    QFETCH(FieldColors, colors);
    DataFiles files;
    files.records->replace(0, line);
    MainWindowFixture f(files);
    f.edit(1)->setColors(colors);
    click(f.window.get(), QStringLiteral("HoverButton1"));
    QCOMPARE(f.edit(1)->colors(), colors);
    QCOMPARE(f.line(1), line);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("history.csv"))));
}

void TestInventoryCommands::resetAllRed_data()
{
    QTest::addColumn<QList<int>>("red");
    QTest::newRow("slots 1 and 2") << QList<int>{1, 2};
    QTest::newRow("last column") << QList<int>{81, 100};
    QTest::newRow("none") << QList<int>{};
}

void TestInventoryCommands::resetAllRed()
{
    QFETCH(QList<int>, red);
    DataFiles files;
    for (int i = 0; i < 100; ++i)
        files.records->replace(i, QStringLiteral("11/01/2026 0 030 5"));
    MainWindowFixture f(files);
    QStringList purchases;
    for (int slot : red) {
        f.edit(slot)->setColors(FieldState::Due);
        f.edit(slot)->setText(QStringLiteral("Item %1").arg(slot));
        purchases.append(QStringLiteral("2026-12-10,%1,Item %1,30").arg(slot));
    }
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);

    click(f.window.get(), QStringLiteral("HoverButton101"));

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Confirm"));
    QCOMPARE(MessageBox::shown().first().text, QStringLiteral("Clear all red highlighted items?"));
    const QRect desktop = Pointer::desktop();
    QCOMPARE(Pointer::lastPlacement(), QPoint(desktop.width() / 2 - 10, desktop.height() / 2 + 35));
    for (int slot = 1; slot <= 100; ++slot) {
        const bool wasRed = red.contains(slot);
        QCOMPARE(f.line(slot), wasRed ? QStringLiteral("12/10/2026 0 030 5") : QStringLiteral("11/01/2026 0 030 5"));
        QCOMPARE(f.edit(slot)->colors(), wasRed ? FieldState::Bought : FieldState::Plain);
    }
    QVERIFY(!f.window->itemMenuAutoPopup());
    QCOMPARE(f.history(), purchases);
}

void TestInventoryCommands::resetAllRedAnsweredNo()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("11/30/2026 1 010 3"));
    files.names->replace(0, QStringLiteral("Rice"));
    MainWindowFixture f(files);
    // A right release on a named field switches the item menu's automatic opening on.
    f.window->AllEditMouseUp(f.edit(1), Qt::RightButton, {}, 1, 1);
    QVERIFY(f.window->itemMenuAutoPopup());
    MessageBox::setNextAnswer(MessageBox::Answer::No);

    click(f.window.get(), QStringLiteral("HoverButton101"));
    QCOMPARE(f.edit(1)->colors(), FieldState::Due);
    QCOMPARE(f.line(1), QStringLiteral("11/30/2026 1 010 3"));
    QVERIFY(f.window->itemMenuAutoPopup());
    QVERIFY(f.history().isEmpty());
}

QTEST_MAIN(TestInventoryCommands)
#include "TestInventoryCommands.moc"
