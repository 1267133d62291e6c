// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncEngine.h"

#include "core/AppError.h"
#include "platform/secrets/SecretStore.h"
#include "sync/SyncRules.h"
#include "sync/TaskCalendar.h"

#include <QFile>
#include <QSet>
#include <QTimer>

namespace {
// Requests in flight at once: enough to make a hundred tasks quickly, few enough for any server.
constexpr int ParallelRequests = 4;
// Rounds of fetching and pushing again after tasks changed on the server while being pushed.
constexpr int MaxPasses = 3;
// An ETag that matches no listing: the server gave none, so the task is fetched when listed.
const QString NoEtag = QStringLiteral("-");

QString kindName(DavError::Kind kind)
{
    return QStringLiteral("server-%1").arg(int(kind));
}

QString fileNameFor(const QString &uid)
{
    return uid.section(QLatin1Char('@'), 0, 0) + QStringLiteral(".ics");
}
} // namespace

SyncEngine::PasswordSource SyncEngine::secretService()
{
    return [](const SyncSettings &settings, QObject *context, std::function<void(QString, QString)> answer) {
        auto *store = new SecretStore(settings.secretKey(), context);
        store->read([store, answer](QString password, Outcome<SecretStore::Failure> outcome) {
            store->deleteLater();
            answer(password, outcome ? QString() : outcome.failure().message);
        });
    };
}

SyncEngine::SyncEngine(QString folder, SyncHost &host, PasswordSource passwords, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_host(host)
    , m_passwords(std::move(passwords))
{}

SyncEngine::~SyncEngine() = default;

void SyncEngine::run(std::function<void(const Result &)> done)
{
    m_done = std::move(done);
    // Even a sync that fails at once answers from the event loop, never inside this call.
    QTimer::singleShot(0, this, &SyncEngine::start);
}

void SyncEngine::start()
{
    m_pass = 0;
    m_again = false;
    m_failure.reset();
    m_bought.clear();
    m_state = SyncState::read(m_folder);
    m_state.lastAttempt = QDateTime::currentDateTimeUtc();
    std::optional<SyncSettings> settings;
    try {
        settings = SyncSettings::read(m_folder);
    } catch (const AppError &error) {
        return fail(QStringLiteral("settings"), error.message());
    }
    if (!settings) {
        return fail(QStringLiteral("settings"),
                    QStringLiteral("Sync is not set up for %1: set it up with --sync-setup.").arg(m_folder));
    }
    if (const QString refusal = CalDavClient::refusal(settings->collection); !refusal.isEmpty())
        return fail(QStringLiteral("refused"), refusal);
    const bool sameServer = m_settings && m_settings->collection == settings->collection
                            && m_settings->user == settings->user && m_settings->folderId == settings->folderId;
    m_settings = settings;
    if (sameServer && m_client)
        return listChanges();
    m_client.reset();
    const QPointer<SyncEngine> self(this);
    m_passwords(*m_settings, this, [self](QString password, QString failure) {
        if (!self)
            return;
        if (!failure.isEmpty())
            return self->fail(QStringLiteral("password"), failure);
        self->m_password = password;
        self->connectToServer();
    });
}

void SyncEngine::connectToServer()
{
    CalDavClient::Settings settings;
    settings.collection = m_settings->collection;
    settings.user = m_settings->user;
    settings.password = m_password;
    settings.timeoutMs = m_timeoutMs;
    m_client = std::make_unique<CalDavClient>(settings);
    m_listsWhole = false;
    listChanges();
}

void SyncEngine::listChanges()
{
    auto take = [this](DavResult<CalDavClient::Listing> result) {
        if (const auto *error = std::get_if<DavError>(&result)) {
            if (error->kind == DavError::Kind::InvalidToken && !m_state.syncToken.isEmpty()) {
                m_state.syncToken.clear();
                return listChanges();
            }
            if (error->kind == DavError::Kind::NotSupported && !m_listsWhole) {
                m_listsWhole = true;
                return listChanges();
            }
            note(*error);
            return finish();
        }
        takeListing(std::get<CalDavClient::Listing>(result));
    };
    if (m_listsWhole)
        m_client->listMembers(take);
    else
        m_client->changesSince(m_state.syncToken, take);
}

void SyncEngine::takeListing(const CalDavClient::Listing &listing)
{
    m_newToken = listing.syncToken;
    QSet<QString> listed;
    for (const CalDavClient::Member &member : listing.members) {
        // Only this folder's own tasks are looked at; the others on the list are not read.
        KnownTask *task = m_state.byHref(member.href);
        if (!task)
            continue;
        if (member.removed) {
            task->gone = true;
            continue;
        }
        listed.insert(task->uid);
        if (member.etag != task->etag)
            task->etag.clear();
    }
    if (listing.complete) {
        for (KnownTask &task : m_state.tasks) {
            if (!listed.contains(task.uid))
                task.gone = true;
        }
    }
    fetchChangedTasks();
}

void SyncEngine::fetchChangedTasks()
{
    QList<std::function<void(std::function<void()>)>> jobs;
    for (const KnownTask &task : std::as_const(m_state.tasks)) {
        if (task.gone || !task.etag.isEmpty())
            continue;
        jobs.append([this, uid = task.uid, href = task.href](std::function<void()> next) {
            m_client->get(href, [this, uid, next](DavResult<CalDavClient::Resource> result) {
                if (const auto *error = std::get_if<DavError>(&result)) {
                    if (error->kind != DavError::Kind::NotFound)
                        note(*error);
                    else if (KnownTask *gone = m_state.byUid(uid))
                        gone->gone = true;
                } else {
                    const auto &resource = std::get<CalDavClient::Resource>(result);
                    takeTask(uid, resource.body, resource.etag);
                }
                next();
            });
        });
    }
    runJobs(jobs, [this] {
        // The listing counts as seen only when every change in it was taken.
        if (m_failure)
            return finish();
        if (!m_newToken.isEmpty())
            m_state.syncToken = m_newToken;
        saveState();
        push();
    });
}

void SyncEngine::takeTask(const QString &uid, const QByteArray &body, const QString &etag)
{
    KnownTask *task = m_state.byUid(uid);
    if (!task)
        return;
    const std::optional<ReadTask> read = readTask(body);
    if (!read) {
        m_failure = m_failure.value_or(
            Failure{QStringLiteral("malformed"),
                    QStringLiteral("The task %1 on the server is not an iCalendar task.").arg(task->href)});
        return;
    }
    if (!read->ours || read->uid != uid) {
        // Something else took its place: it is not this folder's to touch.
        m_state.forget(uid);
        return;
    }
    if (!read->completed) {
        task->etag = etag.isEmpty() ? NoEtag : etag;
        return;
    }
    const KnownTask done = *task;
    const QDate date = SyncRules::purchaseDate(read->completedDate, done.cycleStart, m_host.today());
    switch (m_host.buyFromPhone(done.slot, done.name, done.cycleStart, date)) {
    case SyncHost::PhoneBuy::Bought:
        m_bought.append(QStringLiteral("%1, %2").arg(done.name, date.toString(QStringLiteral("MM/dd/yyyy"))));
        m_state.forget(uid);
        // The purchase is on disk: the task must not buy the item a second time.
        saveState();
        break;
    case SyncHost::PhoneBuy::Moved:
        m_state.forget(uid);
        break;
    case SyncHost::PhoneBuy::NotSaved:
        m_failure = m_failure.value_or(
            Failure{QStringLiteral("save"),
                    QStringLiteral("The purchase of %1 from a phone could not be saved.").arg(done.name)});
        break;
    }
}

void SyncEngine::push()
{
    const QList<SyncItem> items = m_host.syncItems();
    const QList<SyncRules::Wanted> wanted = SyncRules::wanted(items, m_settings->folderId);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<std::function<void(std::function<void()>)>> jobs;
    // A task changed on the server meanwhile is fetched again in the next round.
    auto conflict = [this](const QString &uid) {
        if (KnownTask *task = m_state.byUid(uid))
            task->etag.clear();
        m_again = true;
    };
    for (const SyncRules::Step &step : SyncRules::plan(m_state.tasks, wanted, items)) {
        const QString uid = step.uid;
        const SyncRules::Wanted want = step.wanted;
        switch (step.action) {
        case SyncRules::Action::Forget:
            m_state.forget(uid);
            break;
        case SyncRules::Action::Create:
        case SyncRules::Action::Update:
            jobs.append([=, this](std::function<void()> next) {
                const KnownTask *known = m_state.byUid(uid);
                const QString href = known ? known->href : m_client->memberHref(fileNameFor(uid));
                const QByteArray body =
                    writeTask({uid, want.name, want.due, SyncRules::description(want.cycleDays), false, {}, now});
                m_client->put(href, body, known ? known->etag : QString(), [=, this](DavResult<QString> result) {
                    KnownTask *task = m_state.byUid(uid);
                    if (const auto *error = std::get_if<DavError>(&result)) {
                        if (!task && error->kind == DavError::Kind::Conflict) {
                            // Already there (made by this folder before its state was lost): taken over.
                            m_state.tasks.append({uid, href, QString(), want.slot, want.name, want.cycleStart, want.due,
                                                  want.cycleDays, false});
                            m_again = true;
                        } else if (task && error->kind == DavError::Kind::Conflict) {
                            conflict(uid);
                        } else if (task && error->kind == DavError::Kind::NotFound) {
                            task->gone = true;
                        } else {
                            note(*error);
                        }
                        return next();
                    }
                    const QString etag = std::get<QString>(result);
                    if (!task) {
                        m_state.tasks.append(
                            {uid, href, etag, want.slot, want.name, want.cycleStart, want.due, want.cycleDays, false});
                    } else {
                        task->etag = etag;
                        task->due = want.due;
                        task->cycleDays = want.cycleDays;
                    }
                    next();
                });
            });
            break;
        case SyncRules::Action::Complete:
        case SyncRules::Action::Delete:
            jobs.append([=, this, complete = step.action == SyncRules::Action::Complete](std::function<void()> next) {
                const KnownTask *task = m_state.byUid(uid);
                if (!task)
                    return next();
                auto answered = [=, this](const DavError *error) {
                    if (!error || error->kind == DavError::Kind::NotFound)
                        m_state.forget(uid);
                    else if (error->kind == DavError::Kind::Conflict)
                        conflict(uid);
                    else
                        note(*error);
                    next();
                };
                if (complete) {
                    const QByteArray body = writeTask(
                        {uid, task->name, task->due, SyncRules::description(task->cycleDays), true, now, now});
                    m_client->put(task->href, body, task->etag,
                                  [answered](DavResult<QString> result) { answered(std::get_if<DavError>(&result)); });
                } else {
                    m_client->remove(task->href, task->etag,
                                     [answered](DavResult<bool> result) { answered(std::get_if<DavError>(&result)); });
                }
            });
            break;
        }
    }
    runJobs(jobs, [this] {
        saveState();
        if (m_again && !m_failure && ++m_pass < MaxPasses) {
            m_again = false;
            return fetchChangedTasks();
        }
        finish();
    });
}

void SyncEngine::runJobs(QList<std::function<void(std::function<void()>)>> jobs, std::function<void()> then)
{
    struct Queue
    {
        QList<std::function<void(std::function<void()>)>> jobs;
        int running = 0;
        std::function<void()> then;
        std::function<void()> start;
    };
    auto queue = std::make_shared<Queue>();
    queue->jobs = std::move(jobs);
    queue->then = std::move(then);
    // Each job calls its `next` exactly once; the last one to answer runs `then`.
    queue->start = [weak = std::weak_ptr<Queue>(queue)] {
        const auto q = weak.lock();
        while (q && q->running < ParallelRequests && !q->jobs.isEmpty()) {
            ++q->running;
            q->jobs.takeFirst()([q] {
                --q->running;
                if (q->jobs.isEmpty() && q->running == 0) {
                    const std::function<void()> allDone = std::exchange(q->then, nullptr);
                    q->start = nullptr;
                    if (allDone)
                        allDone();
                } else {
                    q->start();
                }
            });
        }
    };
    if (queue->jobs.isEmpty())
        return queue->then();
    queue->start();
}

void SyncEngine::note(const DavError &error)
{
    // Asked for again next time: the user may have set sync up anew meanwhile.
    if (error.kind == DavError::Kind::Unauthorized)
        m_passwordRefused = true;
    if (!m_failure)
        m_failure = Failure{kindName(error.kind), error.message};
}

void SyncEngine::fail(const QString &kind, const QString &message)
{
    m_failure = Failure{kind, message};
    finish();
}

void SyncEngine::finish()
{
    Result result;
    m_state.lastFailed = bool(m_failure);
    if (m_failure) {
        result.error = m_failure->message;
        result.newKindOfFailure = m_state.toldFailure != m_failure->kind;
        m_state.toldFailure = m_failure->kind;
        m_state.lastError = m_failure->message;
        m_state.lastErrorAt = QDateTime::currentDateTimeUtc();
    } else {
        result.ok = true;
        m_state.toldFailure.clear();
        m_state.lastSuccess = QDateTime::currentDateTimeUtc();
    }
    if (std::exchange(m_passwordRefused, false) && m_client) {
        // Not deleted here: this may run inside one of its answers.
        m_client->abortAll();
        m_client.release()->deleteLater();
        m_password.clear();
    }
    result.tasks = m_state.activeTasks();
    result.bought = m_bought;
    // Sync switched off meanwhile: nothing is left behind in the folder.
    if (m_settings && QFile::exists(SyncSettings::path(m_folder)))
        saveState();
    const auto done = std::exchange(m_done, nullptr);
    if (done)
        done(result);
}

void SyncEngine::saveState()
{
    try {
        m_state.write(m_folder);
    } catch (const AppError &error) {
        if (!m_failure)
            m_failure = Failure{QStringLiteral("state"), error.message()};
    }
}
