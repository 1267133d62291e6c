// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/secrets/SecretStore.h"

#include <qt6keychain/keychain.h>

#include <QTimer>
#include <memory>
#include <utility>

namespace {

const QString Service = QStringLiteral("Pantrova");

const QString NoServiceMessage = QStringLiteral(
    "No Secret Service is running, so the password cannot be kept safely. Install and start one (GNOME Keyring: "
    "apt install gnome-keyring; or KWallet, or KeePassXC with its Secret Service) and try again.");

// A call that gets no answer at all ends after this long. D-Bus gives up on a method call after
// 25 seconds by itself, but an unlock prompt of the keyring waits for a signal without a limit;
// this leaves a person time to answer such a prompt and still ends a keyring that never does.
constexpr int AnswerTimeoutMs = 120000;

// QtKeychain says "no backend" when libsecret cannot be loaded or nothing provides the
// service; without a session bus, with a bus on which nobody owns org.freedesktop.secrets, or
// with one that does not answer, the failure is an OtherError carrying the D-Bus error.
bool isNoService(QKeychain::Error error, const QString &text)
{
    if (error == QKeychain::NoBackendAvailable)
        return true;
    if (error != QKeychain::OtherError)
        return false;
    static const char *const signs[] = {"ServiceUnknown",      "NameHasNoOwner", "Spawn.",
                                        "not provided by any", "autolaunch",     "DBUS_SESSION_BUS_ADDRESS",
                                        "Could not connect",   "kwalletd",       "Timeout was reached"};
    for (const char *sign : signs) {
        if (text.contains(QLatin1String(sign), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

SecretStore::Failure failureOf(const QKeychain::Job &job)
{
    if (isNoService(job.error(), job.errorString()))
        return {true, NoServiceMessage};
    if (job.error() == QKeychain::EntryNotFound)
        return {false, QStringLiteral("No password is kept for this account yet.")};
    return {false, QStringLiteral("The Secret Service failed: %1").arg(job.errorString())};
}

// Runs a job and answers exactly once: with the job's end, or with "no service" when it does
// not end in time.
template<typename Job, typename Answer> void run(SecretStore *owner, Job *job, Answer answer)
{
    auto answered = std::make_shared<bool>(false);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    QObject::connect(job, &QKeychain::Job::finished, owner, [answered, answer](QKeychain::Job *finished) {
        if (std::exchange(*answered, true))
            return;
        answer(static_cast<Job *>(finished), std::nullopt);
    });
    QTimer::singleShot(AnswerTimeoutMs, owner, [answered, answer] {
        if (std::exchange(*answered, true))
            return;
        answer(nullptr, SecretStore::Failure{true, NoServiceMessage});
    });
    job->start();
}

} // namespace

SecretStore::SecretStore(QString key, QObject *parent)
    : QObject(parent)
    , m_key(std::move(key))
{}

void SecretStore::store(const QString &password, std::function<void(Outcome<Failure>)> done)
{
    auto *job = new QKeychain::WritePasswordJob(Service, this);
    job->setKey(m_key);
    job->setTextData(password);
    run(this, job, [done](QKeychain::WritePasswordJob *finished, std::optional<Failure> timedOut) {
        if (timedOut)
            return done(Outcome<Failure>::failed(*timedOut));
        if (finished->error() != QKeychain::NoError)
            return done(Outcome<Failure>::failed(failureOf(*finished)));
        done({});
    });
}

void SecretStore::read(std::function<void(QString password, Outcome<Failure>)> done)
{
    auto *job = new QKeychain::ReadPasswordJob(Service, this);
    job->setKey(m_key);
    run(this, job, [done](QKeychain::ReadPasswordJob *finished, std::optional<Failure> timedOut) {
        if (timedOut)
            return done({}, Outcome<Failure>::failed(*timedOut));
        if (finished->error() != QKeychain::NoError)
            return done({}, Outcome<Failure>::failed(failureOf(*finished)));
        done(finished->textData(), {});
    });
}

void SecretStore::remove(std::function<void(Outcome<Failure>)> done)
{
    auto *job = new QKeychain::DeletePasswordJob(Service, this);
    job->setKey(m_key);
    run(this, job, [done](QKeychain::DeletePasswordJob *finished, std::optional<Failure> timedOut) {
        if (timedOut)
            return done(Outcome<Failure>::failed(*timedOut));
        if (finished->error() != QKeychain::NoError && finished->error() != QKeychain::EntryNotFound)
            return done(Outcome<Failure>::failed(failureOf(*finished)));
        done({});
    });
}
