// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/CalendarFeed.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/RecordLine.h"
#include "sync/Ical.h"

#include <optional>

namespace {

// The figures of an item the feed shows; nothing for an item it leaves out.
struct FeedItem
{
    QDate bought;
    QDate due;
    int cycleDays = 0;
    int prewarnDays = 0;
};

std::optional<FeedItem> feedItem(const StoredItem &item)
{
    if (item.name.trimmed().isEmpty() || !item.problem.isEmpty()
        || RecordLine::flag(item.record) != RecordLine::Flag::Tracked)
        return std::nullopt;
    FeedItem feed;
    try {
        feed.bought = Dates::parse(RecordLine::buyDate(item.record));
        feed.cycleDays = RecordLine::cycleDays(item.record);
        feed.prewarnDays = RecordLine::prewarnDays(item.record);
    } catch (const ConversionError &) {
        return std::nullopt;
    }
    feed.due = feed.bought.addDays(feed.cycleDays);
    // The event's end must still be a four-digit year.
    if (feed.cycleDays < 0 || feed.prewarnDays < 0 || !Dates::isStorable(feed.due.addDays(1)))
        return std::nullopt;
    return feed;
}

void addText(icalcomponent *component, icalproperty *(*make)(const char *), const QString &text)
{
    icalcomponent_add_property(component, make(text.toUtf8().constData()));
}

// An alarm its prewarn days before the due day's start; on the day itself without prewarn days.
icalcomponent *newAlarm(const QString &name, int prewarnDays)
{
    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    addText(alarm, icalproperty_new_description, name);
    icaltriggertype trigger = icaltriggertype_from_int(0);
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = prewarnDays > 0 ? 1 : 0;
    trigger.duration.days = static_cast<unsigned int>(prewarnDays);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    return alarm;
}

icalcomponent *newEvent(const StoredItem &item, const FeedItem &feed, const QString &uidPrefix, const QDateTime &stamp)
{
    icalcomponent *event = icalcomponent_new_vevent();
    addText(event, icalproperty_new_uid,
            uidPrefix + QLatin1Char('-') + QString::number(item.slot) + QLatin1Char('-')
                + feed.bought.toString(QStringLiteral("yyyyMMdd")));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(Ical::utcTime(stamp)));
    addText(event, icalproperty_new_summary, item.name);
    icalcomponent_add_property(event, icalproperty_new_dtstart(Ical::date(feed.due)));
    icalcomponent_add_property(event, icalproperty_new_dtend(Ical::date(feed.due.addDays(1))));
    addText(event, icalproperty_new_description, QStringLiteral("Bought every %1 days").arg(feed.cycleDays));
    icalcomponent_add_component(event, newAlarm(item.name, feed.prewarnDays));
    return event;
}

} // namespace

namespace CalendarFeed {

QByteArray text(const QList<StoredItem> &items, const QString &uidPrefix, const QDateTime &stamp)
{
    Ical::begin();
    Ical::Component calendar = Ical::newCalendar();
    icalproperty *name = icalproperty_new_x("Pantrova");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    const QDateTime written = stamp.isValid() ? stamp : QDateTime::currentDateTimeUtc();
    for (const StoredItem &item : items) {
        if (const std::optional<FeedItem> feed = feedItem(item))
            icalcomponent_add_component(calendar.get(), newEvent(item, *feed, uidPrefix, written));
    }
    const QByteArray feedText = Ical::text(calendar.get());
    icalerror_clear_errno();
    return feedText;
}

} // namespace CalendarFeed
