// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only reports of the command line over the stored inventory: what is due now, and
// every named item with its record, next date and state, as a table or as CSV. An item whose
// record does not convert is shown by its colour, without days.

#include "core/StoredInventory.h"

namespace InventoryReport {

// The items that are red or yellow, one a line: name, state, and the days left or overdue
// when the item is tracked. Unnamed items are shown by their slot.
QString due(const QList<StoredItem> &items, QDate today);
bool anythingDue(const QList<StoredItem> &items);

// Every named item: slot, name, buy date, tracking, cycle days, prewarn days, next date, state.
QString list(const QList<StoredItem> &items, QDate today);
// The same as CSV with a header row; dates as yyyy-mm-dd. A cell that a spreadsheet would take
// for a formula is written as text (spreadsheetText).
QString csv(const QList<StoredItem> &items, QDate today);

// A cell starting with "=", "+", "-", "@", a TAB or a CR gets a leading "'".
QString spreadsheetText(const QString &cell);

} // namespace InventoryReport
