// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "--history" report: per item, its purchases, the median interval between them and the
// cycle days they suggest, beside the cycle days set now. Items are followed by slot.

#include "core/PurchaseHistory.h"
#include "core/StoredInventory.h"

#include <optional>

namespace HistoryReport {

// Every item with purchases, or only the item called name (any letter case, its current name
// or one it had when a purchase was recorded). Nothing when no item has that name.
std::optional<QString> text(const PurchaseHistory::Contents &history, const QList<StoredItem> &items,
                            const QString &name = QString());

} // namespace HistoryReport
