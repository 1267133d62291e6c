// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: what a start does with the lock files a crash, a copied folder,
// another computer or a read-only program folder leave, driving the real lock and socket.

#include "platform/LockFile.h"
#include "ui/main/SingleInstance.h"

#include <QDir>
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
    void lockFiles_data();
    void lockFiles();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstance::lockFiles_data()
{
    QTest::addColumn<QByteArray>("lock"); // .pantrova.lock: null none, "/" a folder
    QTest::addColumn<bool>("held");       // a live process holds it (here or over a shared folder)
    QTest::addColumn<bool>("readOnly");   // the program folder takes no files
    QTest::addColumn<QString>("refusal"); // part of the message; empty: the start goes on
    QTest::addColumn<bool>("beside");     // the lock lies beside the data folder, as earlier versions kept it

    const QByteArray host = "\npantrova\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ended.waitForStarted();
    const QByteArray deadPid = QByteArray::number(ended.processId());
    ended.waitForFinished();
    const QByteArray other = "4242\npantrova\nkitchen-pc\n";
    const QByteArray live = QByteArray::number(getpid()) + host;
    // clang-format off
    QTest::newRow("no lock") << QByteArray() << false << false << "" << false;
    QTest::newRow("empty") << QByteArray("") << false << false << "" << false;
    QTest::newRow("unreadable: an empty folder") << QByteArray("/") << false << false << "" << false;
    QTest::newRow("garbage") << QByteArray("\x01\xff\xfe not a lock\n\n") << false << false << "" << false;
    QTest::newRow("stale pid") << deadPid + host << false << false << "" << false;
    QTest::newRow("pid of another live program") << "1" + host << false << false << "" << false;
    QTest::newRow("copied from another computer") << other << false << false << "" << false;
    QTest::newRow("live on another computer") << other << true << false << "on the computer \"kitchen-pc\"" << false;
    QTest::newRow("live here, no answer") << live << true << false << "does not answer" << false;
    QTest::newRow("read-only program folder") << QByteArray() << false << true << "" << false;
    QTest::newRow("earlier version, live") << live << true << false << "An earlier version" << true;
    QTest::newRow("earlier version, left over") << live << false << false << "" << true;
    QTest::newRow("the parent folder's own lock") << live + "/parent\n" << true << false << "" << true;
    // clang-format on
}

void TestSingleInstance::lockFiles()
{
    QFETCH(QByteArray, lock);
    QFETCH(bool, held);
    QFETCH(bool, readOnly);
    QFETCH(QString, refusal);
    QFETCH(bool, beside);

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QTemporaryDir dir;
    const QString program = QFileInfo(dir.path()).canonicalFilePath() + QStringLiteral("/program");
    const QString besidePath =
        (beside ? program : program + QStringLiteral("/system")) + QStringLiteral("/.pantrova.lock");
    // A regular file where the program folder should be takes no files, even from root.
    QVERIFY(readOnly ? QFile(program).open(QIODevice::WriteOnly) : QDir().mkpath(program + QStringLiteral("/system")));
    QFile file(besidePath);
    if (lock == "/")
        QVERIFY(QDir().mkpath(besidePath));
    else
        QVERIFY(lock.isNull() || (file.open(QIODevice::WriteOnly) && file.write(lock) == lock.size()));
    file.close();
    const int holder = held ? ::open(QFile::encodeName(besidePath).constData(), O_RDWR) : -1;
    QVERIFY(!held || ::flock(holder, LOCK_EX | LOCK_NB) == 0);

    SingleInstance first(program + QStringLiteral("/system"));
    first.setAnswerWait(0);
    const bool claimed = first.claim();
    if (held)
        ::close(holder);
    QCOMPARE(claimed, refusal.isEmpty());
    QVERIFY2(first.refusal().contains(refusal) && first.refusal().isEmpty() == claimed, qPrintable(first.refusal()));
    if (!claimed) {
        QVERIFY(first.refusal().contains(program + QStringLiteral("/system")));
        QCOMPARE(QFile(besidePath).size(), qint64(lock.size()));
        return;
    }
    QCOMPARE(first.lockPath().startsWith(m_runtime.path()), readOnly);
    // The lock names this process on this computer, for the messages of later starts.
    const std::optional<LockFile::Holder> named = LockFile(first.lockPath()).holder();
    QVERIFY(named && named->pid == QCoreApplication::applicationPid());
    QCOMPARE(named->host, QSysInfo::machineHostName());

    // Now ours: a second start on the same folder, by any path, only brings this one forward.
    QSignalSpy activation(&first, &SingleInstance::activationRequested);
    SingleInstance second(program + QStringLiteral("/../program/system"));
    QVERIFY(!second.claim());
    QCOMPARE(second.refusal(), QString());
    QTRY_COMPARE(activation.count(), 1);
    // A second folder in the same parent is another program's to hold.
    if (!readOnly) {
        QVERIFY(QDir().mkpath(program + QStringLiteral("/other")));
        SingleInstance sibling(program + QStringLiteral("/other"));
        QVERIFY2(sibling.claim(), qPrintable(sibling.refusal()));
        QCOMPARE(sibling.lockPath(), program + QStringLiteral("/other/.pantrova.lock"));
    }
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
