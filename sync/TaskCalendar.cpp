// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/TaskCalendar.h"

#include "sync/Ical.h"

namespace {

const char *const Category = "Pantrova";

void addText(icalcomponent *todo, icalproperty *(*make)(const char *), const QString &text)
{
    icalcomponent_add_property(todo, make(text.toUtf8().constData()));
}

// The VTODO itself, or the first one anywhere below (in a VCALENDAR, or in the root libical
// makes when the bytes hold several calendars).
icalcomponent *firstTodo(icalcomponent *component)
{
    if (icalcomponent_isa(component) == ICAL_VTODO_COMPONENT)
        return component;
    for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (icalcomponent *todo = firstTodo(child))
            return todo;
    }
    return nullptr;
}

// The zone a TZID names: the calendar's own VTIMEZONE first, then the system's zone of that name.
icaltimezone *zoneNamed(icalcomponent *todo, const char *tzid)
{
    for (icalcomponent *parent = icalcomponent_get_parent(todo); parent; parent = icalcomponent_get_parent(parent)) {
        if (icaltimezone *zone = icalcomponent_get_timezone(parent, tzid))
            return zone;
    }
    if (icaltimezone *zone = icaltimezone_get_builtin_timezone_from_tzid(tzid))
        return zone;
    return icaltimezone_get_builtin_timezone(tzid);
}

// The local date of a COMPLETED value: a UTC or TZID time converted to this machine's zone, a
// floating time's own date (it is local already), a DATE as it is.
QDate localDate(icalcomponent *todo, icalproperty *completed)
{
    const icaltimetype time = icalproperty_get_completed(completed);
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
        return {};
    const QDate ownDate(time.year, time.month, time.day);
    if (time.is_date)
        return ownDate;
    icaltimezone *zone = nullptr;
    if (icaltime_is_utc(time)) {
        zone = icaltimezone_get_utc_timezone();
    } else if (icalparameter *tzid = icalproperty_get_first_parameter(completed, ICAL_TZID_PARAMETER)) {
        if (const char *name = icalparameter_get_tzid(tzid))
            zone = zoneNamed(todo, name);
    }
    if (!zone) // floating, or a zone nobody knows: taken as local
        return ownDate;
    const time_t utc = icaltime_as_timet_with_zone(time, zone);
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(utc), Qt::UTC).toLocalTime().date();
}

bool hasOurCategory(icalcomponent *todo)
{
    // libical gives each value of a comma-separated CATEGORIES a property of its own.
    for (icalproperty *property = icalcomponent_get_first_property(todo, ICAL_CATEGORIES_PROPERTY); property;
         property = icalcomponent_get_next_property(todo, ICAL_CATEGORIES_PROPERTY)) {
        const char *value = icalproperty_get_categories(property);
        if (value && QByteArray(value).trimmed() == Category)
            return true;
    }
    return false;
}

} // namespace

QByteArray writeTask(const TaskFields &task)
{
    Ical::begin();
    const QDateTime stamp = task.stamp.isValid() ? task.stamp : QDateTime::currentDateTimeUtc();
    Ical::Component calendar = Ical::newCalendar();
    icalcomponent *todo = icalcomponent_new_vtodo();
    addText(todo, icalproperty_new_uid, task.uid);
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(Ical::utcTime(stamp)));
    icalcomponent_add_property(todo, icalproperty_new_lastmodified(Ical::utcTime(stamp)));
    addText(todo, icalproperty_new_summary, task.summary);
    if (task.due.isValid())
        icalcomponent_add_property(todo, icalproperty_new_due(Ical::date(task.due)));
    if (!task.description.isEmpty())
        addText(todo, icalproperty_new_description, task.description);
    icalcomponent_add_property(todo, icalproperty_new_categories(Category));
    if (task.completed) {
        const QDateTime at = task.completedAt.isValid() ? task.completedAt : stamp;
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        icalcomponent_add_property(todo, icalproperty_new_completed(Ical::utcTime(at)));
        icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
    } else {
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    }
    icalcomponent_add_component(calendar.get(), todo);
    const QByteArray text = Ical::text(calendar.get());
    icalerror_clear_errno();
    return text;
}

std::optional<ReadTask> readTask(const QByteArray &ics)
{
    Ical::begin();
    // QByteArray's data always ends in a NUL, which libical's string parser needs.
    const Ical::Component root(icalparser_parse_string(ics.constData()));
    icalcomponent *todo = root ? firstTodo(root.get()) : nullptr;
    if (!todo) {
        icalerror_clear_errno();
        return std::nullopt;
    }
    ReadTask task;
    if (const char *uid = icalcomponent_get_uid(todo))
        task.uid = QString::fromUtf8(uid);
    task.completed = icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED;
    if (icalproperty *completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY)) {
        task.completed = true;
        task.completedDate = localDate(todo, completed);
    }
    task.ours = hasOurCategory(todo);
    icalerror_clear_errno();
    return task;
}
