// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ReminderText.h"

namespace {
constexpr int ListLength = 60;
}

QString ReminderText::text(const QStringList &names)
{
    QString list;
    for (const QString &name : names) {
        if (!list.isEmpty() && list.size() + 2 + name.size() > ListLength) {
            list += QStringLiteral(", ...");
            break;
        }
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + name.left(ListLength);
    }
    const QString count = names.size() == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(names.size());
    return QStringLiteral("%1 to buy: %2").arg(count, list);
}

QStringList ReminderText::namesToBuy(const QList<StoredItem> &items)
{
    QStringList names;
    for (const StoredItem &item : items) {
        if (isDueOrPrewarn(item.colors.background))
            names.append(shownName(item.slot, item.name));
    }
    return names;
}

QString ReminderText::shownName(int slot, const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("(item %1)").arg(slot) : trimmed;
}
