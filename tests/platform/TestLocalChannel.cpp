// SPDX-License-Identifier: GPL-3.0-or-later
// The socket a second start knocks on: one signal per connection, user-only rights, paths that
// a killed listener left or that are too long, and callers that no listener can hold up.

#include "platform/LocalChannel.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class TestLocalChannel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); }
    void listen_data();
    void listen();

private:
    QTemporaryDir m_runtime;
};

void TestLocalChannel::listen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before"); // at the path: "socket" one a hung, then killed listener left
    QTest::addColumn<QString>("error");     // part of the error; empty: listening works

    QTest::newRow("free") << "free" << QByteArray() << "";
    QTest::newRow("left by a killed listener") << "killed" << QByteArray("socket") << "";
    QTest::newRow("a file in its place") << "file" << QByteArray("notes") << "is in the place of";
    QTest::newRow("too long") << QString(110, QLatin1Char('n')) << QByteArray() << "longer than the 107 bytes";
}

void TestLocalChannel::listen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QString, error);

    const QString path = LocalChannel::socketPath(name);
    QVERIFY(path.startsWith(m_runtime.path()));
    QFile file(path);
    if (before == "socket") {
        // A listener that never accepts and whose queue holds one: the next caller gives up at the time-out.
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path));
        const int hung = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(hung, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 && ::listen(hung, 0) == 0);
        QVERIFY(LocalChannel::send(name, "activate\n", 50));
        QVERIFY(!LocalChannel::send(name, "activate\n", 50));
        ::close(hung); // killed: its socket file stays
    } else if (!before.isEmpty()) {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) > 0);
        file.close();
    }
    // Nobody listens: false at once, whatever the time-out (waiting would outlast the test's limit).
    QVERIFY(!LocalChannel::send(name, "activate\n", 3600 * 1000));

    auto channel = std::make_unique<LocalChannel>();
    QSignalSpy received(channel.get(), &LocalChannel::connectionReceived);
    const Outcome<> listened = channel->listen(name);
    QCOMPARE(listened.ok(), error.isEmpty());
    QVERIFY2(listened.message().contains(error) && listened.message().isEmpty() == error.isEmpty(),
             qPrintable(listened.message()));
    if (!error.isEmpty()) {
        QVERIFY(!LocalChannel::send(name, "activate\n", 0));
        QCOMPARE(file.exists() ? file.size() : -1, before.isEmpty() ? -1 : before.size());
        return;
    }
    struct stat status = {};
    QVERIFY(::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode));
    QCOMPARE(status.st_mode & 0777, mode_t(0600));

    // Taken while nobody accepts yet, each connection is reported once, whatever it carries.
    QVERIFY(LocalChannel::send(name, "activate\n", 0));
    QVERIFY(LocalChannel::send(name, QByteArray(300000, 'x'), 0)); // more than the socket holds
    QTRY_COMPARE(received.count(), 2);
    QVERIFY(LocalChannel::send(name, "activate\n", 1000));
    QTRY_COMPARE(received.count(), 3);
    QTest::qWait(0);
    QCOMPARE(received.count(), 3);

    channel.reset();
    QVERIFY(!file.exists());
    QVERIFY(!LocalChannel::send(name, "activate\n", 0));
}

QTEST_GUILESS_MAIN(TestLocalChannel)
#include "TestLocalChannel.moc"
