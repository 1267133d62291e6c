// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the purchase button, "Reset All Red" and the item menu do to an item's record line
// (and, where the operation is bound to a slot, to its field colours). Nothing here writes a
// data file or runs the due check. Every change replaces fields in place.
//
// Cycle days must fit the three-digit field: results outside 0..999 are refused and leave
// the record line as it was.

#include "core/FieldColorAccess.h"
#include "core/TextLines.h"

#include <QDate>

namespace ItemOperations {

enum class CycleResult { Changed, NotAboveZero, AboveMaximum, BelowZero };

// The warning shown for a refused cycle.
QString refusalMessage(CycleResult result);

// "P": toggles a tracked item between bought and due; a purchase from due or prewarn
// restarts the cycle today. Untracked, learning and other-coloured items are left alone.
// True when a new cycle started, which is a purchase to record.
bool purchase(TextLines &records, FieldColorAccess &fields, int slot, QDate today);

// A purchase made elsewhere (ticked off on a phone): "P" from due or prewarn, dated `date`,
// for a tracked item still in the cycle that started on cycleStart. Anything else is left
// alone (false): the item was bought, changed or untracked here in the meantime.
bool purchaseOn(TextLines &records, FieldColorAccess &fields, int slot, QDate cycleStart, QDate date);

// Every red field becomes bought and its own record line gets today's date, whatever the
// tracking flag. Returns the slots that were reset.
QList<int> resetAllRed(TextLines &records, FieldColorAccess &fields, QDate today);

// Buy date today, flag "2", cycle "000"; the prewarn days stay.
void startTracking(TextLines &records, int slot, QDate today);

// Adds days to the cycle. Throws ConversionError for an unreadable cycle column.
CycleResult adjustCycle(TextLines &records, int slot, int days);

// Starts a cycle of the given days today: buy date today, cycle, flag "1".
CycleResult setCycle(TextLines &records, int slot, int days, QDate today);

// The days since tracking started become the cycle days; flag "1", buy date kept.
// Throws ConversionError for an unreadable buy date.
CycleResult stopTracking(TextLines &records, int slot, QDate today);

// Moves the buy date by days (+1 or -1). Throws ConversionError for an unreadable date and
// for a result the buy-date columns cannot hold; the line is then left as it was.
void bumpDate(TextLines &records, int slot, int days);

// A hand-picked buy date; an untracked item becomes tracked, a learning one stays learning.
// A date the buy-date columns cannot hold is refused (false) and changes nothing.
bool setHardDate(TextLines &records, int slot, QDate date);

void setPrewarn(TextLines &records, int slot, int days);
void setPrewarnAll(TextLines &records, int days);

// The empty record line.
void clear(TextLines &records, int slot);

} // namespace ItemOperations
