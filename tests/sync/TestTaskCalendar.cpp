// SPDX-License-Identifier: GPL-3.0-or-later
// The iCalendar objects: tasks written and read back, completed times in every form, bytes that
// are no task, and the calendar feed, each checked through libical's own parser.

#include "core/RecordLine.h"
#include "sync/CalendarFeed.h"
#include "sync/Ical.h"
#include "sync/TaskCalendar.h"

#include <QTest>
#include <ctime>

namespace {

void setZone(const QByteArray &zone)
{
    qputenv("TZ", zone);
    tzset();
}

QByteArray todo(const QByteArray &lines, const QByteArray &zones = {})
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + zones + "BEGIN:VTODO\r\nUID:t1\r\n" + lines
           + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

// A zone of the calendar's own, five hours ahead of UTC all year.
const QByteArray PlusFive = "BEGIN:VTIMEZONE\r\nTZID:Test/PlusFive\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                            "TZOFFSETFROM:+0500\r\nTZOFFSETTO:+0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

} // namespace

class TestTaskCalendar : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setZone("UTC"); }
    void writtenTaskReadsBack_data();
    void writtenTaskReadsBack();
    void readTaskAnswers_data();
    void readTaskAnswers();
    void feedHoldsTrackedItems_data();
    void feedHoldsTrackedItems();
};

void TestTaskCalendar::writtenTaskReadsBack_data()
{
    QTest::addColumn<QString>("summary");
    QTest::addColumn<bool>("completed");
    QTest::newRow("plain") << "Milk" << false;
    QTest::newRow("completed") << "Milk" << true;
    QTest::newRow("commas, semicolons, newline, non-ASCII")
        << QStringLiteral("Käse, 2; \"alt\"\\ \nZeile 2 ☕ 𝄞 ") + QString(40, QChar(0x00E9)) << false;
    QTest::newRow("100000 characters") << QString(100000, QLatin1Char('x')) << true;
}

void TestTaskCalendar::writtenTaskReadsBack()
{
    QFETCH(QString, summary);
    QFETCH(bool, completed);
    const TaskFields task{"pantrova-7-20261201",
                          summary,
                          QDate(2026, 12, 8),
                          "Bought every 7 days",
                          completed,
                          QDateTime(QDate(2026, 12, 9), QTime(23, 0), Qt::UTC),
                          QDateTime(QDate(2026, 12, 9), QTime(12, 30), Qt::UTC)};
    const QByteArray written = writeTask(task);
    QCOMPARE(written.count("\n"), written.count("\r\n"));
    for (const QByteArray &line : written.split('\n'))
        QVERIFY2(line.size() <= 76, line.constData()); // folded: 75 octets and the CR
    for (const char *expected : {"BEGIN:VCALENDAR\r\nPRODID:-//Pantrova//Pantrova 1.0//EN\r\nVERSION:2.0\r\n",
                                 "DTSTAMP:20261209T123000Z\r\nLAST-MODIFIED:20261209T123000Z\r\n",
                                 "DUE;VALUE=DATE:20261208\r\n", "CATEGORIES:Pantrova\r\n"})
        QVERIFY2(written.contains(expected), expected);
    QCOMPARE(written.contains("STATUS:COMPLETED\r\nCOMPLETED:20261209T230000Z\r\nPERCENT-COMPLETE:100\r\n"), completed);
    QCOMPARE(written.contains("STATUS:NEEDS-ACTION\r\n"), !completed);

    const Ical::Component parsed(icalparser_parse_string(written.constData()));
    icalcomponent *vtodo = icalcomponent_get_first_component(parsed.get(), ICAL_VTODO_COMPONENT);
    QVERIFY(vtodo);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(vtodo)), summary);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_description(vtodo)), task.description);

    setZone("Europe/Berlin");
    const std::optional<ReadTask> read = readTask(written);
    QVERIFY(read);
    QCOMPARE(read->uid, task.uid);
    QCOMPARE(read->completed, completed);
    QCOMPARE(read->completedDate, completed ? QDate(2026, 12, 10) : QDate());
    QVERIFY(read->ours);
}

void TestTaskCalendar::readTaskAnswers_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QByteArray>("ics");
    QTest::addColumn<QString>("expected"); // "completed date ours", or "none" for no task
    const QByteArray utc = "COMPLETED:20261209T230000Z\r\n",
                     berlin = "COMPLETED;TZID=Europe/Berlin:20261210T003000\r\n";
    TaskFields task;
    task.uid = QStringLiteral("u");
    const QByteArray whole = writeTask(task);
    // clang-format off
    QTest::newRow("UTC time, Berlin") << QByteArray("Europe/Berlin") << todo(utc) << "1 2026-12-10 0";
    QTest::newRow("UTC time, UTC") << QByteArray("UTC") << todo(utc) << "1 2026-12-09 0";
    QTest::newRow("TZID, UTC") << QByteArray("UTC") << todo(berlin) << "1 2026-12-09 0";
    QTest::newRow("TZID, Berlin") << QByteArray("Europe/Berlin") << todo(berlin) << "1 2026-12-10 0";
    QTest::newRow("calendar's own zone") << QByteArray("UTC") << todo("COMPLETED;TZID=Test/PlusFive:20261210T030000\r\n", PlusFive) << "1 2026-12-09 0";
    QTest::newRow("floating") << QByteArray("America/New_York") << todo("COMPLETED:20261210T003000\r\n") << "1 2026-12-10 0";
    QTest::newRow("DATE") << QByteArray("Asia/Tokyo") << todo("COMPLETED;VALUE=DATE:20261209\r\n") << "1 2026-12-09 0";
    QTest::newRow("STATUS only") << QByteArray("UTC") << todo("STATUS:COMPLETED\r\n") << "1  0";
    QTest::newRow("needs action") << QByteArray("UTC") << todo("STATUS:NEEDS-ACTION\r\n") << "0  0";
    QTest::newRow("ours in a list") << QByteArray("UTC") << todo("CATEGORIES:Home,Pantrova\r\n") << "0  1";
    QTest::newRow("ours in a second property") << QByteArray("UTC") << todo("CATEGORIES:Home\r\nCATEGORIES:Food,Pantrova\r\n") << "0  1";
    QTest::newRow("escaped comma") << QByteArray("UTC") << todo("CATEGORIES:Pantrova\\,old\r\n") << "0  0";
    QTest::newRow("bare VTODO") << QByteArray("UTC") << QByteArray("BEGIN:VTODO\r\nUID:t1\r\nCATEGORIES:Pantrova\r\n" + utc + "END:VTODO\r\n") << "1 2026-12-09 1";
    QTest::newRow("empty") << QByteArray("UTC") << QByteArray() << "none";
    QTest::newRow("garbage") << QByteArray("UTC") << QByteArray("<html>502 Bad Gateway</html>\n\x01\x02") << "none";
    QTest::newRow("VEVENT only") << QByteArray("UTC") << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:e\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n") << "none";
    QTest::newRow("truncated in the VTODO") << QByteArray("UTC") << whole.left(whole.indexOf("STATUS")) << "none";
    QTest::newRow("truncated in a line") << QByteArray("UTC") << whole.left(whole.indexOf("END:VTODO") + 5) << "none";
    // clang-format on
}

void TestTaskCalendar::readTaskAnswers()
{
    QFETCH(QByteArray, zone);
    QFETCH(QByteArray, ics);
    QFETCH(QString, expected);
    setZone(zone);
    const std::optional<ReadTask> read = readTask(ics);
    QCOMPARE(read ? QStringLiteral("%1 %2 %3")
                        .arg(read->completed)
                        .arg(read->completedDate.toString(Qt::ISODate))
                        .arg(read->ours)
                  : QStringLiteral("none"),
             expected);
    QVERIFY(!read || read->uid == QLatin1String("t1"));
}

void TestTaskCalendar::feedHoldsTrackedItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("expected"); // "UID DTSTART DTEND trigger-seconds", empty when left out
    // clang-format off
    QTest::newRow("tracked") << "Milk, 1 l; fresh" << "12/01/2026 1 007 3" << "" << "p-3-20261201 20261208 20261209 -259200";
    QTest::newRow("no prewarn") << "Coffee" << "12/05/2026 1 030 0" << "" << "p-3-20261205 20270104 20270105 0";
    QTest::newRow("over the year's end") << "Oil" << "12/31/2026 1 001 9" << "" << "p-3-20261231 20270101 20270102 -777600";
    QTest::newRow("no name") << "" << "12/01/2026 1 007 3" << "" << "";
    QTest::newRow("blank name") << "  " << "12/01/2026 1 007 3" << "" << "";
    QTest::newRow("not tracked") << "Tea" << "12/01/2026 0 007 3" << "" << "";
    QTest::newRow("learning") << "Bread" << "12/01/2026 2 007 3" << "" << "";
    QTest::newRow("no buy date") << "Salt" << "00/00/0000 1 010 3" << "" << "";
    QTest::newRow("problem") << "Rice" << "12/01/2026 1 007 3" << "line 3: bad colour" << "";
    QTest::newRow("unreadable cycle") << "Jam" << "12/01/2026 1 0x7 3" << "" << "";
    // clang-format on
}

void TestTaskCalendar::feedHoldsTrackedItems()
{
    QFETCH(QString, name);
    QFETCH(QString, record);
    QFETCH(QString, problem);
    QFETCH(QString, expected);
    StoredItem eggs{1, QStringLiteral("Eggs"), QStringLiteral("11/30/2026 1 014 2"), {}, {}};
    StoredItem item{3, name, record, {}, problem};
    const QByteArray feed = CalendarFeed::text({eggs, item}, "p", QDateTime(QDate(2026, 12, 9), QTime(8, 0), Qt::UTC));
    QVERIFY(feed.contains("X-WR-CALNAME:Pantrova\r\n"));
    const Ical::Component calendar(icalparser_parse_string(feed.constData()));
    QVERIFY(calendar && icalcomponent_isa(calendar.get()) == ICAL_VCALENDAR_COMPONENT);
    QCOMPARE(icalcomponent_count_errors(calendar.get()), 0);
    QCOMPARE(icalcomponent_count_components(calendar.get(), ICAL_VEVENT_COMPONENT), expected.isEmpty() ? 1 : 2);
    if (expected.isEmpty())
        return;
    icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    QVERIFY(alarm && icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY));
    QCOMPARE(icalproperty_get_action(icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY)),
             ICAL_ACTION_DISPLAY);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(QString::fromUtf8(icalcomponent_get_uid(event)),
                      QString::fromUtf8(icaltime_as_ical_string(icalcomponent_get_dtstart(event))),
                      QString::fromUtf8(icaltime_as_ical_string(icalcomponent_get_dtend(event))))
                 .arg(icaldurationtype_as_int(trigger.duration)),
             expected);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(event)), name);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_description(event)),
             QStringLiteral("Bought every %1 days").arg(RecordLine::cycleDays(record)));
}

QTEST_GUILESS_MAIN(TestTaskCalendar)
#include "TestTaskCalendar.moc"
