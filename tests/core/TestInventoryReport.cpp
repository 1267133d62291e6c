// SPDX-License-Identifier: GPL-3.0-or-later
// The reports of the command line over a prepared data folder at a fixed date: what is due
// (by the due check, not only by the stored colours), the list and its CSV, and the history.
// tests/e2e/test_command_line.sh runs them through the program.

#include "core/DataFolder.h"
#include "core/HistoryReport.h"
#include "core/InventoryReport.h"
#include "core/RecordLine.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate Today(2026, 12, 10);

// The items of a data folder with these first items; the rest as in a fresh one.
QList<StoredItem> storedItems()
{
    QStringList records(DataFolder::Slots, RecordLine::Empty);
    const QStringList first{"12/01/2026 1 010 3", "11/30/2026 1 010 3", "11/25/2026 1 010 3", "12/01/2026 1 030 3",
                            "11/30/2026 0 010 3", "12/08/2026 2 000 3", "12/01/2026 1 0x1 3"};
    std::copy(first.begin(), first.end(), records.begin());
    // A TAB in a stored name (pasted by an older version) is printed as a blank.
    // A name a spreadsheet would run as a formula, on a red item whose record does not convert.
    QStringList names{"Tea", "Milk, whole", "Rice\tbrown", "Soap", "Salt", "Flour", "=SUM(A1)"};
    names.resize(DataFolder::Slots);
    QList<ColorValue> colors(DataFolder::Slots, FieldColor::Silver);
    colors[3] = FieldColor::Red; // Soap saved red
    colors[6] = FieldColor::Red;
    QTemporaryDir dir;
    DataFolder data(dir.path());
    data.saveRecords(TextLines(records));
    data.saveNames(names);
    data.saveColors(colors);
    return StoredInventory::read(dir.path(), Today);
}
} // namespace

class TestInventoryReport : public QObject
{
    Q_OBJECT

private slots:
    void dueListAndCsv();
    void history();
};

void TestInventoryReport::dueListAndCsv()
{
    const QList<StoredItem> items = storedItems();
    QCOMPARE(InventoryReport::due(items, Today), QStringLiteral("Tea\tprewarn\t1 day left\n"
                                                                "Milk, whole\tdue\ttoday\n"
                                                                "Rice brown\tdue\t5 days overdue\n"
                                                                "Soap\tdue\t21 days left\n"
                                                                "=SUM(A1)\tdue\n"));
    QCOMPARE(items.at(6).problem, QStringLiteral("InvRecs.txt, line 7: '0x1' is not a valid integer value"));
    QVERIFY(InventoryReport::anythingDue(items));
    QVERIFY(!InventoryReport::anythingDue(items.mid(4, 2)));

    const QStringList csv = InventoryReport::csv(items, Today).split(QStringLiteral("\r\n"));
    QCOMPARE(csv.size(), 9); // header, seven items, the end of the last line
    QCOMPARE(csv.at(5), QStringLiteral("5,Salt,2026-11-30,no,010,3,,plain"));
    QCOMPARE(csv.at(6), QStringLiteral("6,Flour,2026-12-08,learning,000,3,,plain"));
    QCOMPARE(csv.at(7), QStringLiteral("7,'=SUM(A1),2026-12-01,yes,0x1,3,,due"));
    const QStringList table = InventoryReport::list(items, Today).split(QLatin1Char('\n'));
    QCOMPARE(table.size(), 9);
    QCOMPARE(table.at(4).indexOf(QStringLiteral("due")), table.at(0).indexOf(QStringLiteral("state")));
}

void TestInventoryReport::history()
{
    const QList<StoredItem> items = storedItems();
    PurchaseHistory::Contents contents;
    for (const QDate date : {QDate(2026, 11, 2), QDate(2026, 11, 9), QDate(2026, 11, 18)})
        contents.purchases.append({date, 1, QStringLiteral("Green tea"), 10});
    contents.purchases.append({QDate(2026, 11, 30), 2, QStringLiteral("Milk, whole"), 10});
    const QString tea = QStringLiteral("Tea (item 1), cycle days set now: 10\n"
                                       "  purchases: 11/02/2026, 11/09/2026, 11/18/2026\n"
                                       "  median interval: 8 days\n  suggested cycle: 8 days\n");
    const QString milk = QStringLiteral("Milk, whole (item 2), cycle days set now: 10\n  purchases: 11/30/2026\n"
                                        "  median interval: none yet (it takes two purchases)\n"
                                        "  suggested cycle: none yet (it takes two purchases)\n");
    QCOMPARE(HistoryReport::text(contents, items), tea + milk);
    // A renamed item is found by its old name too; an item without purchases says so.
    QCOMPARE(HistoryReport::text(contents, items, QStringLiteral("GREEN TEA")), tea);
    QCOMPARE(HistoryReport::text(contents, items, QStringLiteral("salt")),
             QStringLiteral("Salt (item 5), cycle days set now: 10\n  no purchases recorded\n"));
    QCOMPARE(HistoryReport::text(contents, items, QStringLiteral("Coffee")), std::nullopt);
    QCOMPARE(HistoryReport::text({}, items), QStringLiteral("No purchases recorded yet.\n"));
}

QTEST_GUILESS_MAIN(TestInventoryReport)
#include "TestInventoryReport.moc"
