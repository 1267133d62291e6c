// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/network/Multistatus.h"

#include <QTest>

namespace {

const QUrl collection(QStringLiteral("https://dav.example.org/user/tasks/"));

// "href etag [removed]" per member, joined with "|", then "#" and the sync token.
QString describe(const CalDavClient::Listing &listing)
{
    QStringList members;
    for (const CalDavClient::Member &m : listing.members)
        members << (m.href + QLatin1Char(' ') + m.etag + (m.removed ? QStringLiteral(" removed") : QString()));
    return members.join(QLatin1Char('|')) + QLatin1Char('#') + listing.syncToken;
}

QByteArray response(const QByteArray &href, const QByteArray &etag)
{
    return "<D:response><D:href>" + href + "</D:href><D:propstat><D:prop><D:getetag>" + etag
           + "</D:getetag></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
}

QByteArray multistatus(const QByteArray &inner)
{
    return R"(<?xml version="1.0"?><D:multistatus xmlns:D="DAV:">)" + inner + "</D:multistatus>";
}

} // namespace

class TestMultistatus : public QObject
{
    Q_OBJECT

private slots:
    void listing_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected"); // "malformed" when nothing is read
        const QByteArray own = response("/user/tasks/", "\"c\"");
        QTest::newRow("D prefix, own entry left out")
            << multistatus(own + response("/user/tasks/a.ics", "\"1\"")) << "/user/tasks/a.ics \"1\"#";
        QTest::newRow("own entry without its slash") << multistatus(response("/user/tasks", "x")) << "#";
        QTest::newRow("other prefix, absolute href") << QByteArray(
            R"(<x:multistatus xmlns:x="DAV:"><x:response><x:href>https://dav.example.org/user/tasks/b.ics</x:href>)"
            R"(<x:propstat><x:prop><x:getetag>W/"2"</x:getetag></x:prop><x:status>HTTP/1.1 200 OK</x:status>)"
            R"(</x:propstat></x:response><x:sync-token>tok-7</x:sync-token></x:multistatus>)")
                                                     << "/user/tasks/b.ics W/\"2\"#tok-7";
        QTest::newRow("default namespace") << QByteArray(
            R"(<multistatus xmlns="DAV:"><response><href>/user/tasks/c.ics</href><propstat><prop>)"
            R"(<getetag>"3"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)")
                                           << "/user/tasks/c.ics \"3\"#";
        QTest::newRow("removed member") << multistatus(
            "<D:response><D:href>/user/tasks/gone.ics</D:href><D:status>HTTP/1.1 404 Not Found</D:status>"
            "</D:response><D:sync-token>t2</D:sync-token>")
                                        << "/user/tasks/gone.ics  removed#t2";
        QTest::newRow("percent-encoded href")
            << multistatus(response("/user/tasks/milk%20%C3%A9%25.ics", "\"4\"")) << "/user/tasks/milk é%25.ics \"4\"#";
        QTest::newRow("getetag not found")
            << multistatus("<D:response><D:href>/user/tasks/d.ics</D:href><D:propstat><D:prop><D:getetag/></D:prop>"
                           "<D:status>HTTP/1.1 404 Not Found</D:status></D:propstat></D:response>")
            << "/user/tasks/d.ics #";
        QTest::newRow("getetag in a foreign namespace") << QByteArray(
            R"(<D:multistatus xmlns:D="DAV:" xmlns:F="urn:other"><D:response><D:href>/user/tasks/e.ics</D:href>)"
            R"(<D:propstat><D:prop><F:getetag>"5"</F:getetag></D:prop><D:status>HTTP/1.1 200 OK</D:status>)"
            R"(</D:propstat></D:response></D:multistatus>)")
                                                        << "/user/tasks/e.ics #";
        QTest::newRow("not well-formed") << QByteArray("<D:multistatus xmlns:D=\"DAV:\"><D:response>") << "malformed";
        QTest::newRow("undeclared prefix") << QByteArray("<D:multistatus><D:response/></D:multistatus>") << "malformed";
        QTest::newRow("wrong root") << QByteArray(R"(<D:error xmlns:D="DAV:"/>)") << "malformed";
        QTest::newRow("multistatus outside DAV:") << QByteArray(R"(<multistatus xmlns="urn:x"/>)") << "malformed";
        QTest::newRow("empty") << QByteArray() << "malformed";
        QTest::newRow("too deep") << multistatus(QByteArray("<a>").repeated(100) + QByteArray("</a>").repeated(100))
                                  << "malformed";
    }
    void listing()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        const std::optional<CalDavClient::Listing> listing = Multistatus::listing(xml, collection);
        QCOMPARE(listing ? describe(*listing) : QStringLiteral("malformed"), expected);
    }

    void collectionInfo_data()
    {
        QTest::addColumn<QByteArray>("props");
        QTest::addColumn<bool>("isCalendar");
        QTest::addColumn<bool>("acceptsTodo");
        QTest::addColumn<QString>("names"); // displayname|ctag|sync-token
        const QByteArray calendar = "<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>";
        QTest::newRow("tasks calendar")
            << calendar
                   + R"(<C:supported-calendar-component-set><C:comp name="VEVENT"/><C:comp name="VTODO"/>)"
                     "</C:supported-calendar-component-set><D:displayname>Shopping</D:displayname>"
                     "<S:getctag>c-9</S:getctag><D:sync-token>s-9</D:sync-token>"
            << true << true << "Shopping|c-9|s-9";
        QTest::newRow("events only")
            << calendar
                   + R"(<C:supported-calendar-component-set><C:comp name="VEVENT"/></C:supported-calendar-component-set>)"
            << true << false << "||";
        QTest::newRow("no component set") << calendar << true << true << "||";
        QTest::newRow("plain collection")
            << QByteArray("<D:resourcetype><D:collection/></D:resourcetype>") << false << true << "||";
        QTest::newRow("calendar of another namespace")
            << QByteArray("<D:resourcetype><S:calendar/></D:resourcetype>") << false << true << "||";
    }
    void collectionInfo()
    {
        QFETCH(QByteArray, props);
        const QByteArray xml =
            R"(<m:multistatus xmlns:m="DAV:" xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav")"
            R"( xmlns:S="http://calendarserver.org/ns/"><D:response><D:href>/user/tasks/</D:href>)"
            "<D:propstat><D:prop>"
            + props
            + "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
              "<D:propstat><D:prop><D:displayname>unseen</D:displayname></D:prop>"
              "<D:status>HTTP/1.1 404 Not Found</D:status></D:propstat></D:response></m:multistatus>";
        const std::optional<CalDavClient::CollectionInfo> info = Multistatus::collectionInfo(xml);
        QVERIFY(info);
        QTEST(info->isCalendar, "isCalendar");
        QTEST(info->acceptsTodo, "acceptsTodo");
        QTEST(QStringList({info->displayName, info->ctag, info->syncToken}).join(QLatin1Char('|')), "names");
        QVERIFY(!Multistatus::collectionInfo("<html/>"));
    }

    void precondition()
    {
        QVERIFY(Multistatus::namesPrecondition(R"(<e:error xmlns:e="DAV:"><e:valid-sync-token/></e:error>)",
                                               QStringLiteral("valid-sync-token")));
        QVERIFY(!Multistatus::namesPrecondition(R"(<e:error xmlns:e="urn:x"><e:valid-sync-token/></e:error>)",
                                                QStringLiteral("valid-sync-token")));
        QVERIFY(!Multistatus::namesPrecondition("Forbidden", QStringLiteral("valid-sync-token")));
    }
};

QTEST_GUILESS_MAIN(TestMultistatus)
#include "TestMultistatus.moc"
