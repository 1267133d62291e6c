// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the calendar objects share of libical: an owner that frees a component tree, the
// calendar frame, and the conversions between Qt's dates and libical's times.

#include <libical/ical.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <memory>

namespace Ical {

struct ComponentFree
{
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
// A component and everything added to it, freed together.
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// Makes libical's errors plain return values (never an abort) and clears the last error. Every
// entry into libical starts with it: libical keeps its error in a global.
void begin();

// A VCALENDAR with the program's PRODID and VERSION:2.0.
Component newCalendar();

// The object as libical writes it: CRLF lines, folded at 75 octets, UTF-8.
QByteArray text(icalcomponent *component);

icaltimetype utcTime(const QDateTime &time);
icaltimetype date(QDate day);

} // namespace Ical
