// The reports of the command line over a prepared data folder at a fixed date: what is due
// (by the due check, not only by the stored colours), the list and its CSV, the history, and
// the messages for damaged files.

#include "core/AppError.h"
#include "core/HistoryReport.h"
#include "core/InventoryReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate Today(2026, 12, 10);

class Folder
{
public:
    // Records and names for the first slots, the rest empty; colours only where given.
    Folder(const QStringList &records, const QStringList &names, const QStringList &colors = {})
    {
        write(QStringLiteral("InvRecs.txt"), records, QStringLiteral("00/00/0000 0 000 3"));
        write(QStringLiteral("RecDesc.txt"), names, QString());
        if (!colors.isEmpty())
            write(QStringLiteral("ecol.div"), colors, QStringLiteral("12632256"));
    }
    QString path() const { return m_dir.path(); }
    QList<StoredItem> read() const { return StoredInventory::read(path(), Today); }
    void write(const QString &file, QStringList lines, const QString &fill) const
    {
        while (lines.size() < 100)
            lines.append(fill);
        QFile f(QDir(path()).filePath(file));
        if (f.open(QIODevice::WriteOnly))
            f.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }

private:
    QTemporaryDir m_dir;
};

const QStringList Records{
    QStringLiteral("12/01/2026 1 010 3"), // 1 day left: prewarn
    QStringLiteral("11/30/2026 1 010 3"), // due today
    QStringLiteral("11/25/2026 1 010 3"), // 5 days overdue: prewarn
    QStringLiteral("12/01/2026 1 030 3"), // 21 days left: as stored
    QStringLiteral("11/30/2026 0 010 3"), // not tracked
    QStringLiteral("12/08/2026 2 000 3"), // learning
};
const QStringList Names{"Tea", "Milk, whole", "Rice", "Soap", "Salt", "Flour"};
} // namespace

class TestInventoryReport : public QObject
{
    Q_OBJECT

private slots:
    void dueByTheDueCheckAndStoredColours();
    void listAndCsv();
    void freshFolderIsEmpty();
    void damagedFiles_data();
    void damagedFiles();
    void history();
};

void TestInventoryReport::dueByTheDueCheckAndStoredColours()
{
    // Slot 4 was saved red and stays due whatever its record says; the others are coloured by
    // the due check for today, from stored silver.
    QStringList colors(6, QStringLiteral("12632256"));
    colors[3] = QStringLiteral("255");
    colors[5] = QStringLiteral("8421504");
    Folder folder(Records, Names, colors);
    const QList<StoredItem> items = folder.read();
    QCOMPARE(InventoryReport::due(items, Today), QStringLiteral("Tea\tprewarn\t1 day left\n"
                                                                "Milk, whole\tdue\ttoday\n"
                                                                "Rice\tprewarn\t5 days overdue\n"
                                                                "Soap\tdue\t21 days left\n"));
    QVERIFY(InventoryReport::anythingDue(items));

    Folder calm({QStringLiteral("12/01/2026 1 030 3")}, {QStringLiteral("Tea")});
    QCOMPARE(InventoryReport::due(calm.read(), Today), QString());
    QVERIFY(!InventoryReport::anythingDue(calm.read()));
}

void TestInventoryReport::listAndCsv()
{
    Folder folder(Records, Names);
    const QList<StoredItem> items = folder.read();
    const QStringList csv = InventoryReport::csv(items, Today).split(QStringLiteral("\r\n"));
    QCOMPARE(csv.size(), 8); // header, six items, the end of the last line
    QCOMPARE(csv.at(0), QStringLiteral("slot,name,buy date,tracking,cycle days,prewarn days,next date,state"));
    QCOMPARE(csv.at(1), QStringLiteral("1,Tea,2026-12-01,yes,010,3,2026-12-11,prewarn"));
    QCOMPARE(csv.at(2), QStringLiteral("2,\"Milk, whole\",2026-11-30,yes,010,3,2026-12-10,due"));
    QCOMPARE(csv.at(5), QStringLiteral("5,Salt,2026-11-30,no,010,3,,plain"));
    QCOMPARE(csv.at(6), QStringLiteral("6,Flour,2026-12-08,learning,000,3,,plain"));

    const QStringList table = InventoryReport::list(items, Today).split(QLatin1Char('\n'));
    QCOMPARE(table.size(), 8);
    QCOMPARE(table.at(2).simplified(), QStringLiteral("2 Milk, whole 11/30/2026 yes 010 3 12/10/2026 due"));
    // Columns line up: every row has its state where the header has it.
    const qsizetype stateColumn = table.at(0).indexOf(QStringLiteral("state"));
    for (int row = 1; row <= 6; ++row)
        QVERIFY2(table.at(row).mid(stateColumn, 1).trimmed().size() == 1, qPrintable(table.at(row)));
}

void TestInventoryReport::freshFolderIsEmpty()
{
    QTemporaryDir dir;
    const QList<StoredItem> items = StoredInventory::read(dir.filePath(QStringLiteral("none")), Today);
    QCOMPARE(items.size(), 100);
    QCOMPARE(InventoryReport::csv(items, Today).count(QStringLiteral("\r\n")), 1);
    QVERIFY(!InventoryReport::anythingDue(items));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("none"))));
}

void TestInventoryReport::damagedFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("buy date") << "InvRecs.txt" << QStringList{"13/45/2026 1 010 3"}
                              << "'13/45/2026' is not a valid date";
    QTest::newRow("cycle") << "InvRecs.txt" << QStringList{"12/01/2026 1 0x0 3"}
                           << "'0x0' is not a valid integer value";
    QTest::newRow("colour") << "ecol.div" << QStringList{"blue"} << "'blue' is not a valid integer value";
    QTest::newRow("short colours") << "ecol.div" << QStringList(42, "255") << "List index out of bounds (42)";
    QTest::newRow("no names file") << "RecDesc.txt" << QStringList() << "Cannot open file <folder>/RecDesc.txt";
}

void TestInventoryReport::damagedFiles()
{
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    Folder folder({}, {}, {QStringLiteral("12632256")});
    const QString path = QDir(folder.path()).filePath(file);
    if (lines.isEmpty()) {
        QFile::remove(path);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(lines.join(QStringLiteral("\r\n")).toUtf8());
    }
    try {
        folder.read();
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), message.replace(QStringLiteral("<folder>"), folder.path()));
    }
}

void TestInventoryReport::history()
{
    Folder folder(Records, Names);
    const QList<StoredItem> items = folder.read();
    PurchaseHistory::Contents contents;
    for (const QDate date : {QDate(2026, 11, 2), QDate(2026, 11, 9), QDate(2026, 11, 18)})
        contents.purchases.append({date, 1, QStringLiteral("Green tea"), 10});
    contents.purchases.append({QDate(2026, 11, 30), 2, QStringLiteral("Milk, whole"), 10});

    const QString tea = QStringLiteral("Tea (item 1), cycle days set now: 10\n"
                                       "  purchases: 11/02/2026, 11/09/2026, 11/18/2026\n"
                                       "  median interval: 8 days\n"
                                       "  suggested cycle: 8 days\n");
    const QString milk = QStringLiteral("Milk, whole (item 2), cycle days set now: 10\n"
                                        "  purchases: 11/30/2026\n"
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
