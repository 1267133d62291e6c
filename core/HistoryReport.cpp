// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HistoryReport.h"

#include "core/Dates.h"
#include "core/LineText.h"
#include "core/RecordLine.h"

#include <QMap>
#include <algorithm>

namespace HistoryReport {

namespace {
QString daysText(std::optional<int> days)
{
    return days ? QStringLiteral("%1 days").arg(*days) : QStringLiteral("none yet (it takes two purchases)");
}

QString itemText(const StoredItem &item, const QList<Purchase> &purchases)
{
    QString name = item.name;
    if (name.isEmpty() && !purchases.isEmpty())
        name = plainName(purchases.last().name);
    if (name.isEmpty())
        name = QStringLiteral("(unnamed)");
    const QString cycle = RecordLine::cycleText(item.record);
    bool ok = false;
    const int cycleDays = cycle.toInt(&ok);
    QString text = QStringLiteral("%1 (item %2), cycle days set now: %3\n")
                       .arg(name)
                       .arg(item.slot)
                       .arg(ok ? QString::number(cycleDays) : cycle);
    if (purchases.isEmpty())
        return text + QStringLiteral("  no purchases recorded\n");
    QList<QDate> dates;
    QStringList days;
    for (const Purchase &purchase : purchases)
        dates.append(purchase.date);
    std::sort(dates.begin(), dates.end());
    for (QDate date : dates)
        days.append(Dates::format(date));
    text += QStringLiteral("  purchases: %1\n").arg(days.join(QStringLiteral(", ")));
    text += QStringLiteral("  median interval: %1\n").arg(daysText(PurchaseHistory::medianInterval(dates)));
    text += QStringLiteral("  suggested cycle: %1\n").arg(daysText(PurchaseHistory::suggestedCycle(dates)));
    return text;
}

bool isCalled(const StoredItem &item, const QList<Purchase> &purchases, const QString &name)
{
    if (item.name.compare(name, Qt::CaseInsensitive) == 0)
        return true;
    return std::any_of(purchases.begin(), purchases.end(),
                       [&](const Purchase &p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; });
}
} // namespace

std::optional<QString> text(const PurchaseHistory::Contents &history, const QList<StoredItem> &items,
                            const QString &name)
{
    QMap<int, QList<Purchase>> bySlot;
    for (const Purchase &purchase : history.purchases)
        bySlot[purchase.slot].append(purchase);
    QString text;
    bool found = false;
    for (const StoredItem &item : items) {
        const QList<Purchase> purchases = bySlot.value(item.slot);
        if (name.isEmpty() ? purchases.isEmpty() : !isCalled(item, purchases, name))
            continue;
        found = true;
        text += itemText(item, purchases);
    }
    if (!name.isEmpty() && !found)
        return std::nullopt;
    return found ? text : QStringLiteral("No purchases recorded yet.\n");
}

} // namespace HistoryReport
