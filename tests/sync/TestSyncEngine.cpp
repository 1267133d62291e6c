// SPDX-License-Identifier: GPL-3.0-or-later
// Whole syncs against the fake CalDAV server: tasks made and ticked off, conflicts where the
// phone's completion wins, and answers that must change nothing.

#include "FakeCalDavServer.h"
#include "core/Dates.h"
#include "core/FieldColorAccess.h"
#include "core/ItemOperations.h"
#include "core/RecordLine.h"
#include "platform/network/CalDavClient.h"
#include "sync/LiveSync.h"
#include "sync/SyncEngine.h"
#include "sync/SyncState.h"
#include "sync/TaskCalendar.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate Today(2026, 12, 9);
const QDate Ticked(2026, 12, 5);

// Three items as the window holds them: Milk due, Bread in its prewarn days, Eggs with time.
class Items : public SyncHost
{
public:
    Items()
        : records(QStringList{QStringLiteral("12/01/2026 1 008 3"), QStringLiteral("12/02/2026 1 009 3"),
                              QStringLiteral("12/08/2026 1 030 3")})
    {
        names = {QStringLiteral("Milk"), QStringLiteral("Bread"), QStringLiteral("Eggs")};
        colors.setColors(1, FieldState::Due);
        colors.setColors(2, FieldState::Prewarn);
    }
    QList<SyncItem> syncItems() override
    {
        QList<SyncItem> items;
        for (int slot = 1; slot <= names.size(); ++slot)
            items.append({slot, names[slot - 1], records.slotLine(slot), colors.colors(slot).background});
        return items;
    }
    PhoneBuy buyFromPhone(int slot, const QString &name, QDate cycleStart, QDate date) override
    {
        ++phoneBuys;
        return names.value(slot - 1) == name && ItemOperations::purchaseOn(records, colors, slot, cycleStart, date)
                   ? PhoneBuy::Bought
                   : PhoneBuy::Moved;
    }
    void syncFailed(const QString &message) override { told.append(message); }
    QDate today() const override { return Today; }

    QStringList names;
    TextLines records;
    FieldColorTable colors;
    int phoneBuys = 0;
    QStringList told;
};
} // namespace

class TestSyncEngine : public QObject
{
    Q_OBJECT

    FakeCalDavServer server;
    std::unique_ptr<QTemporaryDir> dir;
    QString folder;
    int lists = 0;

    // A new data folder synced with a new, empty list under `prefix` of the fake server.
    QUrl setUp(const QString &prefix = QStringLiteral("ok"))
    {
        dir = std::make_unique<QTemporaryDir>();
        folder = dir->path();
        const QUrl list = server.url(QStringLiteral("%1/list%2/").arg(prefix).arg(++lists));
        SyncSettings{list, FakeCalDavServer::User, QStringLiteral("f00d")}.write(folder);
        return list;
    }

    SyncEngine::Result sync(Items &items)
    {
        SyncEngine engine(folder, items, [](const SyncSettings &, QObject *, auto answer) {
            answer(FakeCalDavServer::Password, QString());
        });
        engine.setTimeout(20000);
        return answerOf<SyncEngine::Result>([&](auto done) { engine.run(done); }).value_or(SyncEngine::Result{});
    }

    // The phone: reads, ticks off and deletes tasks on the list.
    CalDavClient phone(const QUrl &list)
    {
        return CalDavClient({list, FakeCalDavServer::User, FakeCalDavServer::Password});
    }
    KnownTask task(const QString &name)
    {
        for (const KnownTask &known : SyncState::read(folder).tasks) {
            if (known.name == name)
                return known;
        }
        return {};
    }
    CalDavClient::Resource fetch(CalDavClient &client, const QString &href)
    {
        const auto got = answerOf<DavResult<CalDavClient::Resource>>([&](auto done) { client.get(href, done); });
        return got && std::holds_alternative<CalDavClient::Resource>(*got) ? std::get<CalDavClient::Resource>(*got)
                                                                           : CalDavClient::Resource{};
    }
    bool tick(CalDavClient &client, const KnownTask &known)
    {
        const QByteArray body = writeTask({known.uid, known.name, known.due, QString(), true,
                                           QDateTime(Ticked, QTime(12, 0), Qt::UTC), QDateTime::currentDateTimeUtc()});
        const auto put =
            answerOf<DavResult<QString>>([&](auto done) { client.put(known.href, body, known.etag, done); });
        return put && std::holds_alternative<QString>(*put);
    }
    // The sync token moves past the phone's change, so that only a conditional write finds it.
    void hideChangesFromListing(CalDavClient &client)
    {
        const auto listing =
            answerOf<DavResult<CalDavClient::Listing>>([&](auto done) { client.changesSince({}, done); });
        QVERIFY(listing && std::holds_alternative<CalDavClient::Listing>(*listing));
        SyncState state = SyncState::read(folder);
        state.syncToken = std::get<CalDavClient::Listing>(*listing).syncToken;
        state.write(folder);
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        QVERIFY(server.start(QFINDTESTDATA("fake_caldav.py")));
    }

    void dueItemsBecomeTasksAndComeBackBought()
    {
        const QUrl list = setUp();
        Items items;
        SyncEngine::Result result = sync(items);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.tasks, 2);
        const KnownTask milk = task(QStringLiteral("Milk"));
        QCOMPARE(milk.due, QDate(2026, 12, 9));
        CalDavClient client = phone(list);
        const std::optional<ReadTask> pushed = readTask(fetch(client, milk.href).body);
        QVERIFY(pushed && pushed->ours && !pushed->completed && pushed->uid == milk.uid);

        QVERIFY(tick(client, milk));
        result = sync(items);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.bought, QStringList{QStringLiteral("Milk, 12/05/2026")});
        QCOMPARE(items.records.slotLine(1), QStringLiteral("12/05/2026 1 008 3"));
        QCOMPARE(items.colors.colors(1), FieldState::Bought);

        // Deleted on the phone: nothing changes here, and the task is not made again.
        const KnownTask bread = task(QStringLiteral("Bread"));
        QVERIFY(answerOf<DavResult<bool>>([&](auto done) { client.remove(bread.href, {}, done); }));
        const QStringList records = items.records.lines();
        result = sync(items);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(items.records.lines(), records);
        QCOMPARE(items.colors.colors(2), FieldState::Prewarn);
        QCOMPARE(fetch(client, bread.href).etag, QString());
        QCOMPARE(result.tasks, 0);
    }

    // The phone ticks Milk off while a change made here is on its way: the write meets 412, the
    // task is fetched again, and the completion on the server wins.
    void conflictsKeepThePhonesCompletion_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("record"); // Milk's record line after the sync
        QTest::newRow("cycle changed here") << "cycle"
                                            << "12/05/2026 1 010 3";
        QTest::newRow("renamed here") << "rename"
                                      << "12/01/2026 1 008 3";
        QTest::newRow("bought here too") << "buy"
                                         << "12/09/2026 1 008 3";
    }
    void conflictsKeepThePhonesCompletion()
    {
        QFETCH(QString, change);
        QFETCH(QString, record);
        const QUrl list = setUp();
        Items items;
        QVERIFY(sync(items).ok);
        const KnownTask milk = task(QStringLiteral("Milk"));
        CalDavClient client = phone(list);
        QVERIFY(tick(client, milk));
        hideChangesFromListing(client);

        if (change == QLatin1String("cycle")) {
            QString line = items.records.slotLine(1);
            RecordLine::setCycleDays(line, 10);
            items.records.setSlotLine(1, line);
        } else if (change == QLatin1String("rename")) {
            items.names[0] = QStringLiteral("Oat milk");
        } else {
            QVERIFY(ItemOperations::purchase(items.records, items.colors, 1, Today));
        }
        const SyncEngine::Result result = sync(items);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(items.phoneBuys, 1);
        QCOMPARE(items.records.slotLine(1), record);
        const std::optional<ReadTask> onServer = readTask(fetch(client, milk.href).body);
        QVERIFY(onServer && onServer->completed);
        QCOMPARE(onServer->completedDate, Ticked);
    }

    // Answers that are broken or hostile: the sync fails (or passes them over) and nothing here
    // changes.
    void badAnswersChangeNothing_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("fails");
        QTest::newRow("not well-formed XML") << "malformed" << true;
        QTest::newRow("not a WebDAV answer") << "notdav" << true;
        QTest::newRow("50 MB") << "huge" << true;
        QTest::newRow("50 MB without a length") << "hugestream" << true;
        QTest::newRow("wrong password") << "status/401" << true;
        QTest::newRow("list gone") << "status/404" << true;
        QTest::newRow("server error") << "status/503" << true;
        QTest::newRow("connection dropped") << "drop" << true;
        QTest::newRow("a task with a 100,000-character summary") << "longsummary" << false;
    }
    void badAnswersChangeNothing()
    {
        QFETCH(QString, prefix);
        QFETCH(bool, fails);
        const QUrl list = setUp(prefix);
        Items items;
        // The long summary comes back for a task that changed on the server.
        if (prefix == QLatin1String("longsummary")) {
            QVERIFY(sync(items).ok);
            CalDavClient client = phone(list);
            QVERIFY(tick(client, task(QStringLiteral("Milk"))));
        }
        const QStringList records = items.records.lines();
        const SyncEngine::Result result = sync(items);
        QCOMPARE(result.ok, !fails);
        QVERIFY(!result.error.contains(FakeCalDavServer::Password));
        QCOMPARE(items.phoneBuys, 0);
        QCOMPARE(items.records.lines(), records);
        QCOMPARE(items.colors.colors(1), FieldState::Due);
    }

    // The window's sync tells each new kind of failure once, not every attempt.
    void failuresAreToldOncePerKind()
    {
        setUp();
        Items items;
        LiveSync live(folder, items, [](const SyncSettings &, QObject *, auto answer) {
            answer(FakeCalDavServer::Password, QString());
        });
        auto syncTo = [&](const QString &prefix) {
            SyncSettings{server.url(prefix + QStringLiteral("/list/")), FakeCalDavServer::User, QStringLiteral("f00d")}
                .write(folder);
            live.request();
            QTRY_VERIFY_WITH_TIMEOUT(SyncState::read(folder).lastAttempt.isValid() && !live.engine().isRunning(),
                                     20000);
            SyncState state = SyncState::read(folder);
            state.lastAttempt = {};
            state.write(folder);
        };
        syncTo(QStringLiteral("status/503"));
        syncTo(QStringLiteral("status/503"));
        QCOMPARE(items.told.size(), 1);
        QVERIFY2(items.told[0].contains(QLatin1String("503")), qPrintable(items.told[0]));
        syncTo(QStringLiteral("status/401"));
        QCOMPARE(items.told.size(), 2);
        syncTo(QStringLiteral("ok"));
        syncTo(QStringLiteral("status/503"));
        QCOMPARE(items.told.size(), 3);
    }

    void aTaskThatIsNoICalendarChangesNothing()
    {
        const QUrl list = setUp();
        Items items;
        QVERIFY(sync(items).ok);
        const KnownTask milk = task(QStringLiteral("Milk"));
        CalDavClient client = phone(list);
        const QString etag = fetch(client, milk.href).etag;
        QVERIFY(
            answerOf<DavResult<QString>>([&](auto done) { client.put(milk.href, "BEGIN:VCALENDAR\r\n", etag, done); }));
        for (int round = 0; round < 2; ++round) {
            const SyncEngine::Result result = sync(items);
            QVERIFY(!result.ok);
            QVERIFY2(result.error.contains(QLatin1String("not an iCalendar task")), qPrintable(result.error));
        }
        QCOMPARE(items.phoneBuys, 0);
        QCOMPARE(items.colors.colors(1), FieldState::Due);
    }
};

QTEST_GUILESS_MAIN(TestSyncEngine)
#include "TestSyncEngine.moc"
