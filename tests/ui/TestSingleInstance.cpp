// One program per data folder: what a start does with the lock files a crash, a copied folder,
// another computer or a read-only program folder leave, driving the real lock and socket.

#include "ui/main/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lockFiles_data();
    void lockFiles();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstance::initTestCase()
{
    // Where the lock goes when the program folder takes no files.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestSingleInstance::lockFiles_data()
{
    QTest::addColumn<QByteArray>("lock"); // what lies in .pantrova.lock; null: no lock file
    QTest::addColumn<bool>("held");       // a live process holds it (locally or over a shared folder)
    QTest::addColumn<bool>("readOnly");   // the program folder takes no files
    QTest::addColumn<QString>("refusal"); // empty: the start goes on

    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ended.waitForStarted();
    const QByteArray deadPid = QByteArray::number(ended.processId());
    ended.waitForFinished();
    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray other = "4242\npantrova\nkitchen-pc\n";

    // clang-format off
    QTest::newRow("no lock") << QByteArray() << false << false << "";
    QTest::newRow("empty") << QByteArray("") << false << false << "";
    QTest::newRow("garbage") << QByteArray("\x01\xff\xfe not a lock\n\n") << false << false << "";
    QTest::newRow("stale pid") << deadPid + "\npantrova\n" + host + "\n" << false << false << "";
    QTest::newRow("pid of another live program") << QByteArray("1\npantrova\n") + host + "\n" << false << false << "";
    QTest::newRow("copied from another computer") << other << false << false << "";
    QTest::newRow("live on another computer") << other << true << false
        << "The data folder %1 is in use by Pantrova on the computer \"kitchen-pc\".\n"
           "Close Pantrova there first. If it no longer runs there, delete %2.";
    QTest::newRow("live here, no answer") << ownPid + "\nTestSingleInstance\n" + host + "\n" << true << false
        << QString::fromLatin1("Another Pantrova (process " + ownPid + ") holds the data folder %1 but does not answer.\n"
           "Close it and start Pantrova again.");
    QTest::newRow("read-only program folder") << QByteArray() << false << true << "";
    // clang-format on
}

void TestSingleInstance::lockFiles()
{
    QFETCH(QByteArray, lock);
    QFETCH(bool, held);
    QFETCH(bool, readOnly);
    QFETCH(QString, refusal);

    QTemporaryDir dir;
    // A regular file where the program folder should be takes no lock, even for root.
    const QString program = QDir(QFileInfo(dir.path()).canonicalFilePath()).filePath(QStringLiteral("program"));
    if (readOnly) {
        QFile blocker(program);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(program));
    }
    const QString folder = QDir(program).filePath(QStringLiteral("system"));
    const QString besidePath = QDir(program).filePath(QStringLiteral(".pantrova.lock"));
    int holder = -1;
    if (!lock.isNull()) {
        QFile file(besidePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lock);
        file.close();
        holder = held ? ::open(QFile::encodeName(besidePath).constData(), O_RDWR) : -1;
        QVERIFY(!held || ::flock(holder, LOCK_EX | LOCK_NB) == 0);
    }

    SingleInstance first(folder);
    first.setAnswerWait(0);
    const bool claimed = first.claim();
    if (holder >= 0)
        ::close(holder);
    QCOMPARE(first.refusal(),
             QString(refusal).replace(QLatin1String("%1"), folder).replace(QLatin1String("%2"), besidePath));
    QCOMPARE(claimed, refusal.isEmpty());
    if (!claimed) {
        QCOMPARE(QFile(besidePath).size(), qint64(lock.size()));
        return;
    }

    QCOMPARE(first.lockPath().startsWith(m_runtime.path()), readOnly);
    QVERIFY(QFile::exists(first.lockPath()));
    // Now ours: a second start on the same folder, even by another path, only brings this one
    // to the front.
    QSignalSpy activation(&first, &SingleInstance::activationRequested);
    SingleInstance second(QDir(program).filePath(QStringLiteral("../program/system")));
    QVERIFY(!second.claim());
    QCOMPARE(second.refusal(), QString());
    QTRY_COMPARE(activation.count(), 1);

    QTemporaryDir otherDir;
    SingleInstance elsewhere(QDir(otherDir.path()).filePath(QStringLiteral("system")));
    QVERIFY(elsewhere.claim());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
