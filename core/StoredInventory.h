// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inventory as the window shows it right after start, for the reports of the command
// line: the data folder read as start-up reads it, the stored colours put back and the due
// check run for today. Reading never writes a file, so it may run while the window is open.

#include "core/FieldColors.h"

#include <QDate>
#include <QList>

struct StoredItem
{
    int slot = 0;
    QString name;
    QString record;
    FieldColors colors;
    // Why the record cannot be read ("InvRecs.txt, line 4: '13/45/2026' is not a valid date");
    // empty for a readable one. The reports leave such an item out and name the problem.
    QString problem;
};

namespace StoredInventory {

// All 100 slots in order. A folder that holds no data file yet reads as an empty inventory.
// Throws AppError with the message the window would show for a damaged or unreadable file; a
// record line that does not convert only makes its item's problem.
QList<StoredItem> read(const QString &folder, QDate today);

// The word for an item's state: "plain", "bought", "prewarn", "due", "learning", or the
// hand-picked "gray" and "dark gray"; any other colour as its stored number.
QString stateName(ColorValue background);

} // namespace StoredInventory
