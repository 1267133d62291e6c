// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calendar feed: every tracked item's next due date as an all-day event, with an alarm
// its prewarn days before. A report like the item list: built from the stored inventory and
// nothing else.

#include "core/StoredInventory.h"

#include <QByteArray>
#include <QDate>
#include <QList>

namespace CalendarFeed {

// A VCALENDAR (PRODID, VERSION:2.0, X-WR-CALNAME:Pantrova) with one VEVENT for each named item
// with tracking flag "1", a readable buy date and no problem: UID stable for the item's cycle
// (uidPrefix, slot and buy date), SUMMARY the name, DTSTART;VALUE=DATE the buy date plus the
// cycle days, DTEND the day after, DESCRIPTION "Bought every N days", and a VALARM with
// ACTION:DISPLAY and TRIGGER:-P{prewarn}D (none for prewarn 0: TRIGGER:PT0S).
QByteArray text(const QList<StoredItem> &items, const QString &uidPrefix, const QDateTime &stamp);

} // namespace CalendarFeed
