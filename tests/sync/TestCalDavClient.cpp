// SPDX-License-Identifier: GPL-3.0-or-later
// The client against fake_caldav.py, a small CalDAV server on this computer that the test starts.
#include "FakeCalDavServer.h"
#include "platform/network/CalDavClient.h"

#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(DavError::Kind)

namespace {
const QString password = FakeCalDavServer::Password;
}

class TestCalDavClient : public QObject
{
    Q_OBJECT

    FakeCalDavServer server;
    QString base; // http://127.0.0.1:PORT/
    bool synchronous = false;
    int calls = 0;

    std::unique_ptr<CalDavClient> client(const QString &collection, int timeoutMs = 20000,
                                         const QString &secret = password)
    {
        const QUrl url = collection.contains(QLatin1String("://")) ? QUrl(collection) : QUrl(base + collection);
        return std::make_unique<CalDavClient>(CalDavClient::Settings{url, QStringLiteral("anna"), secret, timeoutMs});
    }

    // Runs one call and the event loop until its callback; notes whether it came synchronously.
    template<typename T, typename Call> DavResult<T> wait(Call call)
    {
        std::optional<DavResult<T>> result;
        QEventLoop loop;
        calls = 0;
        call([&](DavResult<T> r) {
            ++calls;
            result = std::move(r);
            loop.quit();
        });
        synchronous = result.has_value();
        QTimer::singleShot(60000, &loop, &QEventLoop::quit); // only against a hang
        if (!result)
            loop.exec();
        return result.value_or(DavError{DavError::Kind::Server, -1, QStringLiteral("no answer came")});
    }

    template<typename T> T expectOk(const DavResult<T> &result)
    {
        if (auto *e = std::get_if<DavError>(&result)) {
            QTest::qFail(qPrintable(QLatin1String("unexpected failure: ") + e->message), __FILE__, __LINE__);
            return T{};
        }
        return std::get<T>(result);
    }

    template<typename T> DavError expectError(const DavResult<T> &result)
    {
        const DavError success{DavError::Kind::Server, -1, QStringLiteral("a success was reported")};
        return std::holds_alternative<DavError>(result) ? std::get<DavError>(result) : success;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start(QFINDTESTDATA("fake_caldav.py")));
        base = server.url(QString()).toString();
    }
    void refusal_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("refused");
        QTest::newRow("http elsewhere") << "http://example.org/" << true;
        QTest::newRow("http to a private net") << "http://10.0.0.1/cal/" << true;
        QTest::newRow("http to a name like localhost") << "http://localhost.example.org/" << true;
        QTest::newRow("other scheme") << "ftp://example.org/" << true;
        QTest::newRow("no address") << "" << true;
        QTest::newRow("https") << "https://example.org/" << false;
        QTest::newRow("loopback") << "http://127.0.0.1/" << false;
        QTest::newRow("loopback net") << "http://127.4.5.6:8080/cal/" << false;
        QTest::newRow("IPv6 loopback") << "http://[::1]/" << false;
        QTest::newRow("localhost") << "http://LocalHost:5232/" << false;
    }
    void refusal()
    {
        QFETCH(QString, url);
        QTEST(!CalDavClient::refusal(QUrl(url)).isEmpty(), "refused");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("collection"); // under the fake server unless a whole URL
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("secret");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<DavError::Kind>("kind");
        using K = DavError::Kind;
        const QString p = password;
        QTest::newRow("refused address") << "http://user:pw@example.org/cal/"
                                         << "probe" << p << 20000 << K::Refused;
        QTest::newRow("wrong password") << "ok/cal/"
                                        << "probe"
                                        << "wrong" << 20000 << K::Unauthorized;
        QTest::newRow("401") << "status/401/cal/"
                             << "list" << p << 20000 << K::Unauthorized;
        QTest::newRow("403 on GET") << "status/403/cal/"
                                    << "get" << p << 20000 << K::Unauthorized;
        QTest::newRow("403 on REPORT") << "status/403/cal/"
                                       << "changes" << p << 20000 << K::NotSupported;
        QTest::newRow("501 on REPORT") << "status/501/cal/"
                                       << "changes" << p << 20000 << K::NotSupported;
        QTest::newRow("404") << "status/404/cal/"
                             << "probe" << p << 20000 << K::NotFound;
        QTest::newRow("410") << "status/410/cal/"
                             << "get" << p << 20000 << K::NotFound;
        QTest::newRow("412 on PUT") << "status/412/cal/"
                                    << "put" << p << 20000 << K::Conflict;
        QTest::newRow("412 on DELETE") << "status/412/cal/"
                                       << "remove" << p << 20000 << K::Conflict;
        QTest::newRow("503") << "status/503/cal/"
                             << "list" << p << 20000 << K::Server;
        QTest::newRow("valid-sync-token") << "badtoken/cal/"
                                          << "changes" << p << 20000 << K::InvalidToken;
        QTest::newRow("token never given") << "ok/tok/"
                                           << "changes" << p << 20000 << K::InvalidToken;
        QTest::newRow("not well-formed") << "malformed/cal/"
                                         << "probe" << p << 20000 << K::Malformed;
        QTest::newRow("not a multistatus") << "notdav/cal/"
                                           << "changes" << p << 20000 << K::Malformed;
        QTest::newRow("50 MB announced") << "huge/cal/"
                                         << "get" << p << 20000 << K::TooLarge;
        QTest::newRow("50 MB streamed") << "hugestream/cal/"
                                        << "list" << p << 20000 << K::TooLarge;
        QTest::newRow("slow") << "slow/cal/"
                              << "probe" << p << 1000 << K::Timeout;
        QTest::newRow("closed mid-answer") << "drop/cal/"
                                           << "list" << p << 20000 << K::Offline;
        QTest::newRow("nobody listening") << "closed"
                                          << "probe" << p << 20000 << K::Offline;
        QTest::newRow("moved") << "redirect/cal/"
                               << "probe" << p << 20000 << K::Redirected;
    }
    void failures()
    {
        QFETCH(QString, collection);
        QFETCH(QString, call);
        QFETCH(QString, secret);
        QFETCH(int, timeoutMs);
        if (collection == QLatin1String("closed")) {
            QTcpServer unused;
            QVERIFY(unused.listen(QHostAddress::LocalHost));
            collection = QStringLiteral("http://127.0.0.1:%1/cal/").arg(unused.serverPort());
        }
        auto dav = client(collection, timeoutMs, secret);
        const QString href = dav->memberHref(QStringLiteral("a.ics"));
        DavError error;
        if (call == QLatin1String("probe"))
            error = expectError(wait<CalDavClient::CollectionInfo>([&](auto done) { dav->probe(done); }));
        else if (call == QLatin1String("list"))
            error = expectError(wait<CalDavClient::Listing>([&](auto done) { dav->listMembers(done); }));
        else if (call == QLatin1String("changes"))
            error = expectError(wait<CalDavClient::Listing>([&](auto done) { dav->changesSince("stale", done); }));
        else if (call == QLatin1String("get"))
            error = expectError(wait<CalDavClient::Resource>([&](auto done) { dav->get(href, done); }));
        else if (call == QLatin1String("put"))
            error = expectError(wait<QString>([&](auto done) { dav->put(href, "BEGIN:VCALENDAR", "\"1\"", done); }));
        else
            error = expectError(wait<bool>([&](auto done) { dav->remove(href, "\"1\"", done); }));
        QVERIFY(!synchronous);
        QCOMPARE(calls, 1);
        QVERIFY2(error.status >= 0, qPrintable(error.message));
        QTEST(error.kind, "kind");
        QVERIFY(!error.message.isEmpty());
        QVERIFY2(!error.message.contains(password) && !error.message.contains(QLatin1String("pw@")),
                 qPrintable(error.message));
        if (error.kind == DavError::Kind::Redirected)
            QVERIFY2(error.message.contains(base + QLatin1String("ok/cal/")), qPrintable(error.message));
        QCOMPARE(dav->requestsInFlight(), 0);
    }

    // A whole round against a working collection: the conditions go out as documented, since
    // the fake server answers 412 (or 428) to a PUT or DELETE whose condition does not hold.
    void round()
    {
        auto dav = client(QStringLiteral("ok/round/"));
        const auto info = expectOk(wait<CalDavClient::CollectionInfo>([&](auto done) { dav->probe(done); }));
        QVERIFY(info.isCalendar && info.acceptsTodo);
        QCOMPARE(info.displayName, QStringLiteral("Tasks"));
        const auto first = expectOk(wait<CalDavClient::Listing>([&](auto done) { dav->changesSince({}, done); }));
        QVERIFY(first.complete && first.members.isEmpty() && !first.syncToken.isEmpty());

        const QString href = dav->memberHref(QStringLiteral("milk & eggs/1.ics"));
        QCOMPARE(href, QStringLiteral("/ok/round/milk---eggs-1.ics"));
        const QByteArray body = "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n";
        const QString etag = expectOk(wait<QString>([&](auto done) { dav->put(href, body, {}, done); }));
        QVERIFY(!etag.isEmpty());
        QCOMPARE(expectError(wait<QString>([&](auto done) { dav->put(href, body, {}, done); })).kind,
                 DavError::Kind::Conflict);
        QCOMPARE(expectError(wait<QString>([&](auto done) { dav->put(href, body, "\"old\"", done); })).kind,
                 DavError::Kind::Conflict);
        const QString etag2 = expectOk(wait<QString>([&](auto done) { dav->put(href, body + "x", etag, done); }));
        QVERIFY(etag2 != etag);
        const auto resource = expectOk(wait<CalDavClient::Resource>([&](auto done) { dav->get(href, done); }));
        QCOMPARE(resource.body, body + "x");
        QCOMPARE(resource.etag, etag2);

        const auto changes =
            expectOk(wait<CalDavClient::Listing>([&](auto done) { dav->changesSince(first.syncToken, done); }));
        QVERIFY(!changes.complete);
        QCOMPARE(changes.members.size(), 1);
        QCOMPARE(changes.members[0].href, href);
        QCOMPARE(changes.members[0].etag, etag2);
        const auto all = expectOk(wait<CalDavClient::Listing>([&](auto done) { dav->listMembers(done); }));
        QVERIFY(all.complete);
        QCOMPARE(all.members.size(), 1); // the collection itself is not among them

        QCOMPARE(expectError(wait<bool>([&](auto done) { dav->remove(href, etag, done); })).kind,
                 DavError::Kind::Conflict);
        QVERIFY(expectOk(wait<bool>([&](auto done) { dav->remove(href, etag2, done); })));
        const auto gone =
            expectOk(wait<CalDavClient::Listing>([&](auto done) { dav->changesSince(changes.syncToken, done); }));
        QCOMPARE(gone.members.size(), 1);
        QVERIFY(gone.members[0].removed);
        QCOMPARE(expectError(wait<CalDavClient::Resource>([&](auto done) { dav->get(href, done); })).kind,
                 DavError::Kind::NotFound);
    }

    void eventsOnlyAndLongObjects()
    {
        auto events = client(QStringLiteral("vevent/cal/"));
        const auto info = expectOk(wait<CalDavClient::CollectionInfo>([&](auto done) { events->probe(done); }));
        QVERIFY(!info.isCalendar && !info.acceptsTodo);
        auto dav = client(QStringLiteral("longsummary/cal/"));
        const auto resource = expectOk(wait<CalDavClient::Resource>(
            [&](auto done) { dav->get(dav->memberHref(QStringLiteral("long.ics")), done); }));
        QVERIFY(resource.body.contains("SUMMARY:" + QByteArray(100000, 'y') + "\r\n"));
    }

    // After abortAll, or with the client gone, no callback comes, not even a refusal's.
    void abortedCallsStaySilent()
    {
        int silent = 0;
        auto dav = client(QStringLiteral("slow/cal/"));
        dav->probe([&](auto) { ++silent; });
        auto refused = client(QStringLiteral("http://example.org/"));
        refused->probe([&](auto) { ++silent; });
        auto gone = client(QStringLiteral("slow/cal/"));
        gone->listMembers([&](auto) { ++silent; });
        QCOMPARE(dav->requestsInFlight(), 1);
        dav->abortAll();
        refused->abortAll();
        gone.reset();
        QCOMPARE(dav->requestsInFlight(), 0);
        // Later calls still answer, and each of theirs after the dropped ones would have come.
        QCOMPARE(expectError(wait<CalDavClient::CollectionInfo>([&](auto done) { refused->probe(done); })).kind,
                 DavError::Kind::Refused);
        auto okClient = client(QStringLiteral("ok/cal/"));
        expectOk(wait<CalDavClient::CollectionInfo>([&](auto done) { okClient->probe(done); }));
        QCOMPARE(silent, 0);
    }
};

QTEST_GUILESS_MAIN(TestCalDavClient)
#include "TestCalDavClient.moc"
