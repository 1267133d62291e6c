// The local socket a second start knocks on: one signal per connection, a path that a killed
// listener left or that is too long, rights for the user only, and a caller that a missing or
// hung listener cannot hold up.

#include "platform/LocalChannel.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A listening socket at `path` that never accepts; closed, it is what a killed listener leaves.
int rawListener(const QString &path, int backlog)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 || ::listen(fd, backlog) != 0)
        qFatal("cannot make a listener at %s", address.sun_path);
    return fd;
}
} // namespace

class TestLocalChannel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); }
    void listen_data();
    void listen();
    void hungListenerTimesOut();

private:
    QTemporaryDir m_runtime;
};

void TestLocalChannel::listen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before"); // what is at the path: "socket" one a killed listener left
    QTest::addColumn<QString>("error");     // part of the error; empty: listening works

    // clang-format off
    QTest::newRow("free") << "free" << QByteArray() << "";
    QTest::newRow("left by a killed listener") << "killed" << QByteArray("socket") << "";
    QTest::newRow("a file in its place") << "file" << QByteArray("notes") << "is in the place of";
    QTest::newRow("too long") << QString(110, QLatin1Char('n')) << QByteArray() << "longer than the 107 bytes";
    // clang-format on
}

void TestLocalChannel::listen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QString, error);

    const QString path = LocalChannel::socketPath(name);
    QVERIFY(path.startsWith(m_runtime.path()));
    if (before == "socket")
        ::close(rawListener(path, 1));
    QFile file(path);
    QVERIFY(before.isEmpty() || before == "socket" || (file.open(QIODevice::WriteOnly) && file.write(before) > 0));
    file.close();
    // Nobody listens: false at once, whatever the time-out (a wait would outlast the test's limit).
    QVERIFY(!LocalChannel::send(name, "activate\n", 3600 * 1000));

    auto channel = std::make_unique<LocalChannel>();
    QSignalSpy received(channel.get(), &LocalChannel::connectionReceived);
    QCOMPARE(channel->listen(name), error.isEmpty());
    QVERIFY2(channel->errorString().contains(error) && channel->errorString().isEmpty() == error.isEmpty(),
             qPrintable(channel->errorString()));
    if (!error.isEmpty()) {
        QVERIFY(!LocalChannel::send(name, "activate\n", 0));
        QCOMPARE(QFile(path).exists(), !before.isEmpty());
        QCOMPARE(QFile(path).size(), qint64(before.size()));
        return;
    }
    struct stat status
    {};
    QVERIFY(::lstat(QFile::encodeName(path).constData(), &status) == 0);
    QVERIFY(S_ISSOCK(status.st_mode));
    QCOMPARE(status.st_mode & 0777, mode_t(0600));

    // Taken while nobody accepts yet, each connection is reported once, with or without a text.
    QVERIFY(LocalChannel::send(name, "activate\n", 0));
    QVERIFY(LocalChannel::send(name, QByteArray(), 0));
    QVERIFY(LocalChannel::send(name, QByteArray(300000, 'x'), 0)); // more than the socket holds
    QTRY_COMPARE(received.count(), 3);
    QVERIFY(LocalChannel::send(name, "activate\n", 1000));
    QTRY_COMPARE(received.count(), 4);
    QTest::qWait(0);
    QCOMPARE(received.count(), 4);

    channel.reset();
    QVERIFY(!QFile::exists(path));
    QVERIFY(!LocalChannel::send(name, "activate\n", 0));
}

void TestLocalChannel::hungListenerTimesOut()
{
    // A listener whose queue is full and who never accepts: the caller gives up at the time-out.
    const QString path = LocalChannel::socketPath(QStringLiteral("hung"));
    const int fd = rawListener(path, 0);
    int taken = 0;
    while (taken < 64 && LocalChannel::send(QStringLiteral("hung"), "activate\n", 50))
        ++taken;
    QVERIFY(taken > 0 && taken < 64); // the queue holds one
    ::close(fd);
    ::unlink(QFile::encodeName(path).constData());
}

QTEST_GUILESS_MAIN(TestLocalChannel)
#include "TestLocalChannel.moc"
