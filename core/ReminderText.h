// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reminder's words, the same in the notification area and in the desktop notification:
// "3 items to buy: Milk, Bread, ..." with the names cut after about sixty characters.

#include "core/StoredInventory.h"

#include <QStringList>

namespace ReminderText {

QString text(const QStringList &names);

// The names of the red and yellow items, in slot order; an item without a name is named by
// its slot, as the command line's reports do.
QStringList namesToBuy(const QList<StoredItem> &items);

// The name an item is shown by in a reminder.
QString shownName(int slot, const QString &name);

} // namespace ReminderText
