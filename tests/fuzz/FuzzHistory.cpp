// SPDX-License-Identifier: GPL-3.0-or-later
// "history.csv" as the "--history" report reads it: as far as it can, every damaged line noted
// once, and a report of every item and of a name taken from the history.

#include "FuzzCheck.h"
#include "core/HistoryReport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = fuzzBytes(data, size);
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const PurchaseHistory::Contents contents = PurchaseHistory::read(&device);
    for (qsizetype i = 1; i < contents.badLines.size(); ++i)
        FUZZ_CHECK(contents.badLines.at(i - 1) < contents.badLines.at(i));

    QList<StoredItem> items;
    for (int slot = 1; slot <= 100; ++slot)
        items.append({slot, slot % 3 ? QStringLiteral("Item %1").arg(slot) : QString(),
                      QStringLiteral("12/01/2026 1 010 3"), FieldColors{}});
    HistoryReport::text(contents, items);
    if (!contents.purchases.isEmpty())
        HistoryReport::text(contents, items, contents.purchases.constLast().name);
    QList<QDate> dates;
    for (const Purchase &purchase : contents.purchases)
        dates.append(purchase.date);
    if (const std::optional<int> cycle = PurchaseHistory::suggestedCycle(dates))
        FUZZ_CHECK(*cycle >= 1 && *cycle <= 999);
    return 0;
}
