// The purchase history: appended a line at a time, read as far as it can be, and the median
// interval and suggested cycle it gives for 0, 1, 2 and several purchases.

#include "core/AppError.h"
#include "core/PurchaseHistory.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QDate> days(const QList<int> &offsets)
{
    QList<QDate> dates;
    for (int offset : offsets)
        dates.append(QDate(2026, 1, 1).addDays(offset));
    return dates;
}
} // namespace

class TestPurchaseHistory : public QObject
{
    Q_OBJECT

private slots:
    void appendCreatesAndExtends();
    void appendAfterATornLine();
    void appendToAnUnwritableFolder();
    void readSkipsDamagedLines();
    void medianAndSuggestion_data();
    void medianAndSuggestion();
};

void TestPurchaseHistory::appendCreatesAndExtends()
{
    QTemporaryDir dir;
    PurchaseHistory::append(dir.path(), {QDate(2026, 12, 10), 17, QStringLiteral("Milk, \"whole\""), 10});
    PurchaseHistory::append(dir.path(), {QDate(2026, 12, 17), 3, QStringLiteral("Brot\nfrisch"), 0});
    QCOMPARE(readAll(PurchaseHistory::path(dir.path())), QByteArray("date,slot,name,cycle days\r\n"
                                                                    "2026-12-10,17,\"Milk, \"\"whole\"\"\",10\r\n"
                                                                    "2026-12-17,3,Brot frisch,0\r\n"));
    const PurchaseHistory::Contents read = PurchaseHistory::read(dir.path());
    QCOMPARE(read.purchases.size(), 2);
    QCOMPARE(read.purchases.at(0).name, QStringLiteral("Milk, \"whole\""));
    QCOMPARE(read.purchases.at(1).date, QDate(2026, 12, 17));
    QCOMPARE(read.purchases.at(1).slot, 3);
    QVERIFY(read.badLines.isEmpty());
}

void TestPurchaseHistory::appendAfterATornLine()
{
    QTemporaryDir dir;
    QFile f(PurchaseHistory::path(dir.path()));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("date,slot,name,cycle days\r\n2026-12-01,4,Te");
    f.close();
    PurchaseHistory::append(dir.path(), {QDate(2026, 12, 2), 5, QStringLiteral("Rice"), 30});
    const PurchaseHistory::Contents read = PurchaseHistory::read(dir.path());
    QCOMPARE(read.badLines, QList<int>{2});
    QCOMPARE(read.purchases.size(), 1);
    QCOMPARE(read.purchases.first().name, QStringLiteral("Rice"));
}

void TestPurchaseHistory::appendToAnUnwritableFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("missing"));
    try {
        PurchaseHistory::append(folder, {QDate(2026, 12, 2), 5, QStringLiteral("Rice"), 30});
        QFAIL("no error");
    } catch (const FileError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file %1").arg(PurchaseHistory::path(folder)));
    }
}

void TestPurchaseHistory::readSkipsDamagedLines()
{
    QByteArray bytes("date,slot,name,cycle days\n"
                     "2026-12-01,1,Tea,7\n"
                     "2026-13-01,1,Tea,7\n"    // no such month
                     "2026-12-02,101,Tea,7\n"  // no such slot
                     "2026-12-03,1,Tea\n"      // a field short
                     "2026-12-04,1,\"Tea,7\n"  // an open quote
                     "2026-12-05,1,Tea,1000\n" // cycle too long
                     "\n"                      // an empty line is no damage
                     "2026-12-08,1,\"Tea\",7\r\n");
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const PurchaseHistory::Contents read = PurchaseHistory::read(&buffer);
    QCOMPARE(read.badLines, QList<int>({3, 4, 5, 6, 7}));
    QCOMPARE(read.purchases.size(), 2);
    QCOMPARE(read.purchases.last().date, QDate(2026, 12, 8));
}

void TestPurchaseHistory::medianAndSuggestion_data()
{
    QTest::addColumn<QList<int>>("purchaseDays");
    QTest::addColumn<int>("median"); // -1: none
    QTest::addColumn<int>("suggestion");
    QTest::newRow("none") << QList<int>{} << -1 << -1;
    QTest::newRow("one") << QList<int>{5} << -1 << -1;
    QTest::newRow("one day twice") << QList<int>{5, 5} << -1 << -1;
    QTest::newRow("two") << QList<int>{5, 12} << 7 << 7;
    QTest::newRow("two, newest first") << QList<int>{12, 5} << 7 << 7;
    QTest::newRow("odd intervals") << QList<int>{0, 7, 21, 28} << 7 << 7;
    QTest::newRow("even intervals, rounded up") << QList<int>{0, 6, 13, 40, 50} << 9 << 9;
    QTest::newRow("outlier ignored") << QList<int>{0, 10, 20, 30, 200} << 10 << 10;
    QTest::newRow("same day counted once") << QList<int>{0, 10, 10, 20} << 10 << 10;
    QTest::newRow("beyond the cycle field") << QList<int>{0, 1500} << 1500 << 999;
}

void TestPurchaseHistory::medianAndSuggestion()
{
    QFETCH(QList<int>, purchaseDays);
    QFETCH(int, median);
    QFETCH(int, suggestion);
    QCOMPARE(PurchaseHistory::medianInterval(days(purchaseDays)).value_or(-1), median);
    QCOMPARE(PurchaseHistory::suggestedCycle(days(purchaseDays)).value_or(-1), suggestion);
}

QTEST_GUILESS_MAIN(TestPurchaseHistory)
#include "TestPurchaseHistory.moc"
