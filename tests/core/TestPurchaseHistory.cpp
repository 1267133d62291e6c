// SPDX-License-Identifier: GPL-3.0-or-later
// The purchase history: appended a line at a time, read as far as it can be, and the median
// interval and suggested cycle for 0, 1, 2 and several purchases.

#include "core/AppError.h"
#include "core/PurchaseHistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class TestPurchaseHistory : public QObject
{
    Q_OBJECT

private slots:
    void appendAndRead();
    void medianAndSuggestion_data();
    void medianAndSuggestion();
    void hostileFiles_data();
    void hostileFiles();
};

void TestPurchaseHistory::appendAndRead()
{
    QTemporaryDir parent;
    // A data folder removed meanwhile is made again, as for the data files.
    const QString folder = parent.filePath(QStringLiteral("system"));
    QFile file(PurchaseHistory::path(folder));
    PurchaseHistory::append(folder, {QDate(2026, 12, 10), 17, QStringLiteral("Milk, \"whole\""), 10});
    QVERIFY(file.open(QIODevice::Append));
    file.write("2026-12-11,4,Te"); // torn by a crash: the next purchase starts a line of its own
    file.close();
    PurchaseHistory::append(folder, {QDate(2026, 12, 17), 3, QStringLiteral("Brot\nfrisch"), 0});
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.readAll(), QByteArray("date,slot,name,cycle days\r\n"
                                        "2026-12-10,17,\"Milk, \"\"whole\"\"\",10\r\n"
                                        "2026-12-11,4,Te\r\n"
                                        "2026-12-17,3,Brot frisch,0\r\n"));
    // Damaged lines are skipped and numbered; an empty line is no damage.
    file.write("2026-13-01,1,Tea,7\n2026-12-02,101,Tea,7\n2026-12-03,1,Tea\n" // month, slot, field count
               "2026-12-04,1,\"Tea,7\n2026-12-05,1,Tea,1000\n"                // open quote, cycle
               "\n2026-12-08,1,\"Tea\",7\n");
    file.close();
    const PurchaseHistory::Contents read = PurchaseHistory::read(folder);
    QCOMPARE(read.badLines, QList<int>({3, 5, 6, 7, 8, 9}));
    QCOMPARE(read.purchases.size(), 3);
    QCOMPARE(read.purchases.at(0).name, QStringLiteral("Milk, \"whole\""));
    QCOMPARE(read.purchases.at(1).date, QDate(2026, 12, 17));
    QCOMPARE(read.purchases.at(1).slot, 3);
    QCOMPARE(read.purchases.at(2).name, QStringLiteral("Tea"));
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
    QList<QDate> dates;
    for (int day : purchaseDays)
        dates.append(QDate(2026, 1, 1).addDays(day));
    QCOMPARE(PurchaseHistory::medianInterval(dates).value_or(-1), median);
    QCOMPARE(PurchaseHistory::suggestedCycle(dates).value_or(-1), suggestion);
}

void TestPurchaseHistory::hostileFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link planted where the history is made") << "planted";
    QTest::newRow("link made by the user") << "link";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("disk full during a line") << "full";
}

void TestPurchaseHistory::hostileFiles()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString history = PurchaseHistory::path(dir.path());
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.csv"));
    const QByteArray before = "date,slot,name,cycle days\r\n2026-12-01,1,Tea,7\r\n";
    if (kind == "planted" || kind == "link")
        QVERIFY(QFile::link(elsewhere, history));
    if (kind == "link" || kind == "full") {
        QFile f(kind == "link" ? elsewhere : history);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
    }
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(history).constData(), 0600), 0);

    bool failed = false;
    {
        // Room for the bytes already there and a few more: a new line is cut short.
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = before.size() + 6;
        if (kind == "full")
            setrlimit(RLIMIT_FSIZE, &limit);
        try {
            PurchaseHistory::append(dir.path(), {QDate(2026, 12, 10), 2, QStringLiteral("Milk"), 10});
        } catch (const FileError &) {
            failed = true;
        }
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    const QByteArray line = "2026-12-10,2,Milk,10\r\n";
    QFile written(history);
    if (kind == "fifo") {
        QVERIFY(failed);
        QVERIFY_THROWS_EXCEPTION(FileError, PurchaseHistory::read(dir.path()));
    } else if (kind == "full") {
        QVERIFY(failed);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), before);
    } else {
        QVERIFY(!failed);
        // A planted link is replaced by the history itself; the user's own link is written through.
        QCOMPARE(QFileInfo(history).isSymLink(), kind == "link");
        QCOMPARE(QFileInfo::exists(elsewhere), kind == "link");
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), (kind == "link" ? before : QByteArray("date,slot,name,cycle days\r\n")) + line);
    }
}

QTEST_GUILESS_MAIN(TestPurchaseHistory)
#include "TestPurchaseHistory.moc"
