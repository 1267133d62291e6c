// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The purchase history "history.csv" in the data folder: one CSV line for every purchase the
// program records (the day, the slot, the item's name and its cycle days at that moment). The
// file is only ever appended to, a line at a time, and never rewritten; the three data files
// do not depend on it. It follows items by slot, so a renamed item keeps its history.

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class QIODevice;

struct Purchase
{
    QDate date;
    int slot = 0;
    QString name;
    int cycleDays = 0;
};

namespace PurchaseHistory {

// The purchase of the item with this record line: its cycle days as they stand (0 when the
// cycle column does not convert, which does not stop the purchase from being recorded).
Purchase of(QDate date, int slot, const QString &name, const QString &recordLine);

QString path(const QString &folder);

// Appends the purchase and flushes it at once; the first purchase creates the file with its
// header row. Throws FileError "Cannot create file %s" when the file cannot be written.
void append(const QString &folder, const Purchase &purchase);

struct Contents
{
    QList<Purchase> purchases;
    // 1-based numbers of the lines that were skipped because they are damaged.
    QList<int> badLines;
};

// Reads as far as it can: a damaged line is skipped and noted, the rest is kept.
Contents read(QIODevice *device);
// A missing file is an empty history; an unreadable one throws FileError "Cannot open file %s".
Contents read(const QString &folder);

// The median of the intervals between the distinct days of the purchases, in whole days
// (the mean of the middle two for an even number, rounded up); nothing before two days.
std::optional<int> medianInterval(QList<QDate> dates);

// The cycle days the history suggests: the median interval, kept within 1..999.
std::optional<int> suggestedCycle(const QList<QDate> &dates);

} // namespace PurchaseHistory
