// SPDX-License-Identifier: GPL-3.0-or-later
// The password in a real Secret Service (GNOME Keyring on a session bus of the test's own, set
// up by tests/sync/with-keyring.sh), and the answer when none can be reached.

#include "platform/secrets/SecretStore.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

// One call ("store:secret", "read" or "remove") and its answer: the password read, or the
// failure as "noService message"; "no answer" when the callback never came.
QString call(SecretStore &store, const QString &step)
{
    std::optional<QString> answer;
    auto take = [&answer](const Outcome<SecretStore::Failure> &outcome, const QString &password = {}) {
        answer = outcome.ok()
                     ? password
                     : QString::number(outcome.failure().noService) + QLatin1Char(' ') + outcome.failure().message;
    };
    if (step.startsWith(QLatin1String("store:")))
        store.store(step.mid(6), [&](Outcome<SecretStore::Failure> outcome) { take(outcome); });
    else if (step == QLatin1String("read"))
        store.read([&](QString password, Outcome<SecretStore::Failure> outcome) { take(outcome, password); });
    else
        store.remove([&](Outcome<SecretStore::Failure> outcome) { take(outcome); });
    return QTest::qWaitFor([&answer] { return answer.has_value(); }, 150000) ? *answer : QStringLiteral("no answer");
}

// A session bus that starts no service on demand, so no Secret Service can come up on it.
const char *const BareBus =
    R"(<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><policy context="default">
<allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>)";

} // namespace

class TestSecretStore : public QObject
{
    Q_OBJECT

private slots:
    void callsAnswerFromTheKeyring_data();
    void callsAnswerFromTheKeyring();
    void noServiceFails_data();
    void noServiceFails();
};

void TestSecretStore::callsAnswerFromTheKeyring_data()
{
    QTest::addColumn<QStringList>("steps"); // each call, and the answer it must give
    const QString missing = QStringLiteral("0 No password is kept for this account yet.");
    QTest::newRow("round trip") << QStringList{"store:first", "", "store:s3cret", "",     "read", "s3cret",
                                               "remove",      "", "read",         missing};
    QTest::newRow("non-ASCII") << QStringList{"store:pässwört €", "", "read", "pässwört €", "remove", ""};
    QTest::newRow("missing entry") << QStringList{"read", missing, "remove", ""};
}

void TestSecretStore::callsAnswerFromTheKeyring()
{
    if (!qEnvironmentVariableIsSet("PANTROVA_TEST_KEYRING")) // set by with-keyring.sh
        QSKIP("GNOME Keyring or dbus-run-session is not installed");
    QFETCH(QStringList, steps);
    const QString key = QStringLiteral("alice@cal.example /data/") + QTest::currentDataTag();
    SecretStore store(key);
    SecretStore other(key + QStringLiteral(" other")); // another key is another entry
    QCOMPARE(call(other, QStringLiteral("store:other")), QString());
    for (qsizetype i = 0; i < steps.size(); i += 2)
        QCOMPARE(call(store, steps[i]), steps[i + 1]);
    QCOMPARE(call(other, QStringLiteral("read")), QStringLiteral("other"));
    QCOMPARE(call(other, QStringLiteral("remove")), QString());
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
    QVERIFY(config.open(QIODevice::WriteOnly) && config.write(BareBus) > 0);
    config.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PANTROVA_TEST_SECRET_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + dir.filePath("none"));
    QProcess child; // runs main()'s probe
    child.setProcessEnvironment(environment);
    const QString self = QCoreApplication::applicationFilePath();
    if (bareBus)
        child.start(QStringLiteral("dbus-run-session"), {"--config-file=" + config.fileName(), "--", self});
    else
        child.start(self);
    QVERIFY(child.waitForFinished(300000));
    const QStringList answers = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(answers.size(), 3);
    for (const QString &answer : answers.first(2))
        QVERIFY2(answer.startsWith(QLatin1String("1 No Secret Service is running")) && answer.contains("apt install"),
                 qPrintable(answer));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("PANTROVA_TEST_SECRET_PROBE")) {
        SecretStore store(QStringLiteral("probe"));
        std::printf("%s\n", qPrintable(call(store, QStringLiteral("store:x"))));
        std::printf("%s\n", qPrintable(call(store, QStringLiteral("read"))));
        return 0;
    }
    TestSecretStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSecretStore.moc"
