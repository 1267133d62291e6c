// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The date routines of the inventory. Dates are stored as "mm/dd/yyyy" with "/" whatever the
// locale says, so that stored files read back the same on every machine. "Today" is always
// passed in; it comes from the clock seam of the caller.

#include <QDate>
#include <QString>

namespace Dates {

// The buy date of an item that has none.
inline const QString UnsetDate = QStringLiteral("00/00/0000");

// The first and last day the buy-date columns can hold: a five-digit year would run over
// the separator after them.
inline const QDate FirstStorable{1, 1, 1};
inline const QDate LastStorable{9999, 12, 31};
bool isStorable(QDate date);

// "mm/dd/yyyy".
QString format(QDate date);

// Reads "m/d/yyyy" (one or two digit month and day); throws ConversionError
// "'%s' is not a valid date" for anything else, the unset date included.
QDate parse(const QString &text);

// The date text plus n whole days, as "mm/dd/yyyy".
QString plusDays(const QString &text, int days);

// The absolute number of whole days between today and the date text.
int daysBetween(const QString &text, QDate today);

// "dddd  mmmm d, yyyy" with the system's long names, e.g. "Tuesday  December 8, 2026".
QString longText(QDate date);

} // namespace Dates
