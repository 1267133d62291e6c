// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/Ical.h"

#include <mutex>

namespace Ical {

void begin()
{
    static std::once_flag once;
    std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
    icalerror_clear_errno();
}

Component newCalendar()
{
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Pantrova//Pantrova 1.0//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    return calendar;
}

QByteArray text(icalcomponent *component)
{
    char *written = icalcomponent_as_ical_string_r(component);
    if (!written)
        return {};
    QByteArray bytes(written);
    icalmemory_free_buffer(written);
    return bytes;
}

icaltimetype utcTime(const QDateTime &time)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(time.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

icaltimetype date(QDate day)
{
    icaltimetype value = icaltime_null_date();
    value.year = day.year();
    value.month = day.month();
    value.day = day.day();
    return value;
}

} // namespace Ical
