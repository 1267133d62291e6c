// SPDX-License-Identifier: GPL-3.0-or-later
// The password in a real Secret Service: GNOME Keyring on a session bus of the test's own
// (tests/sync/with-keyring.sh), and the answer when no Secret Service can be reached.

#include "platform/secrets/SecretStore.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

struct Answer
{
    bool arrived = false;
    bool ok = false;
    bool noService = false;
    QString password;
    QString message;
};

// Runs one call of the store and waits for its callback; the store's own timeout ends a call
// that gets no answer, so a missing callback is a fault.
template<typename Call> Answer answerOf(Call call)
{
    Answer answer;
    auto take = [&answer](const Outcome<SecretStore::Failure> &outcome) {
        answer.arrived = true;
        answer.ok = outcome.ok();
        answer.noService = !outcome.ok() && outcome.failure().noService;
        answer.message = outcome.ok() ? QString() : outcome.failure().message;
    };
    call(answer, take);
    if (!QTest::qWaitFor([&answer] { return answer.arrived; }, 60000))
        answer.message = QStringLiteral("no answer");
    return answer;
}

Answer storePassword(SecretStore &store, const QString &password)
{
    return answerOf([&](Answer &, auto take) { store.store(password, take); });
}

Answer readPassword(SecretStore &store)
{
    return answerOf([&](Answer &answer, auto take) {
        store.read([&answer, take](QString password, Outcome<SecretStore::Failure> outcome) {
            answer.password = password;
            take(outcome);
        });
    });
}

Answer removePassword(SecretStore &store)
{
    return answerOf([&](Answer &, auto take) { store.remove(take); });
}

// The child process of noServiceFails: a store and a read, their answers on stdout.
int probe()
{
    SecretStore store(QStringLiteral("probe"));
    const Answer stored = storePassword(store, QStringLiteral("x"));
    const Answer read = readPassword(store);
    std::printf("%d%d%d %d%d%d\n%s\n", stored.arrived, stored.ok, stored.noService, read.arrived, read.ok,
                read.noService, qPrintable(read.message));
    return 0;
}

// A session bus that starts no services on demand, so no Secret Service can come up on it.
const char *const BareBusConfig = R"(<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
</policy></busconfig>)";

} // namespace

class TestSecretStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void storeReadRemoveRoundTrip_data();
    void storeReadRemoveRoundTrip();
    void missingEntry();
    void noServiceFails_data();
    void noServiceFails();
};

void TestSecretStore::init()
{
    // with-keyring.sh sets it once GNOME Keyring runs on the test's own bus.
    const bool needsKeyring = QByteArray(QTest::currentTestFunction()) != "noServiceFails";
    if (needsKeyring && !qEnvironmentVariableIsSet("PANTROVA_TEST_KEYRING"))
        QSKIP("GNOME Keyring or dbus-run-session is not installed");
}

void TestSecretStore::storeReadRemoveRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain") << "alice@cal.example /home/alice/pantrova" << "s3cret";
    QTest::newRow("non-ASCII and spaces") << "bob /data/Küche" << QStringLiteral("pässwörd mit Leerzeichen €");
}

void TestSecretStore::storeReadRemoveRoundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, password);
    SecretStore store(key);
    SecretStore other(key + QStringLiteral(" other"));
    QVERIFY(storePassword(store, QStringLiteral("first")).ok);
    const Answer stored = storePassword(store, password); // replaces the first
    QVERIFY2(stored.ok, qPrintable(stored.message));
    QVERIFY(storePassword(other, QStringLiteral("other")).ok);
    const Answer read = readPassword(store);
    QVERIFY2(read.ok, qPrintable(read.message));
    QCOMPARE(read.password, password);

    QVERIFY(removePassword(store).ok);
    const Answer gone = readPassword(store);
    QVERIFY(gone.arrived && !gone.ok && !gone.noService);
    QCOMPARE(readPassword(other).password, QStringLiteral("other"));
    QVERIFY(removePassword(other).ok);
}

void TestSecretStore::missingEntry()
{
    SecretStore store(QStringLiteral("never stored"));
    const Answer read = readPassword(store);
    QVERIFY(read.arrived && !read.ok && !read.noService);
    QVERIFY(read.password.isEmpty());
    const Answer removed = removePassword(store);
    QVERIFY2(removed.ok, qPrintable(removed.message));
}

void TestSecretStore::noServiceFails_data()
{
    QTest::addColumn<bool>("bareBus");
    QTest::newRow("no session bus") << false;
    QTest::newRow("bus without a Secret Service") << true;
}

void TestSecretStore::noServiceFails()
{
    QFETCH(bool, bareBus);
    if (bareBus && QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty())
        QSKIP("dbus-run-session is not installed");
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly) && config.write(BareBusConfig) > 0);
    config.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PANTROVA_TEST_SECRET_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("none")));
    QProcess child;
    child.setProcessEnvironment(environment);
    if (bareBus)
        child.start(QStringLiteral("dbus-run-session"), {QStringLiteral("--config-file=") + config.fileName(),
                                                         QStringLiteral("--"), QCoreApplication::applicationFilePath()});
    else
        child.start(QCoreApplication::applicationFilePath());
    QVERIFY(child.waitForFinished(90000));
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    QVERIFY2(lines.size() >= 2, qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines[0], QStringLiteral("101 101")); // both answered, failed, with noService
    QVERIFY(lines[1].startsWith(QStringLiteral("No Secret Service is running")));
    QVERIFY(lines[1].contains(QStringLiteral("apt install gnome-keyring")));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("PANTROVA_TEST_SECRET_PROBE"))
        return probe();
    TestSecretStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSecretStore.moc"
