// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncRules.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/FieldColors.h"
#include "core/RecordLine.h"

#include <QCryptographicHash>
#include <QSet>

namespace SyncRules {

namespace {
struct Cycle
{
    QDate start;
    int days = 0;
};

// The item's cycle when it is tracked with a readable record; nothing otherwise.
std::optional<Cycle> trackedCycle(const SyncItem &item)
{
    if (RecordLine::flag(item.record) != RecordLine::Flag::Tracked
        || RecordLine::buyDate(item.record) == Dates::UnsetDate)
        return std::nullopt;
    try {
        return Cycle{Dates::parse(RecordLine::buyDate(item.record)), RecordLine::cycleDays(item.record)};
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

bool named(const SyncItem &item)
{
    return !item.name.trimmed().isEmpty();
}

// The item was bought since the task was made: the task is done, not withdrawn.
bool boughtSince(const KnownTask &task, const SyncItem &item)
{
    const std::optional<Cycle> cycle = trackedCycle(item);
    if (!cycle || item.name != task.name)
        return false;
    return cycle->start > task.cycleStart || (cycle->start == task.cycleStart && item.background == FieldColor::Cream);
}
} // namespace

QString taskUid(const QString &folderId, int slot, QDate cycleStart, const QString &name)
{
    const QByteArray nameHash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(8);
    return QStringLiteral("pantrova-%1-%2-%3-%4@pantrova")
        .arg(folderId)
        .arg(slot)
        .arg(cycleStart.toString(QStringLiteral("yyyyMMdd")), QString::fromLatin1(nameHash));
}

QString description(int cycleDays)
{
    return cycleDays == 1 ? QStringLiteral("Bought every day") : QStringLiteral("Bought every %1 days").arg(cycleDays);
}

QList<Wanted> wanted(const QList<SyncItem> &items, const QString &folderId)
{
    QList<Wanted> tasks;
    for (const SyncItem &item : items) {
        if (!named(item) || !isDueOrPrewarn(item.background))
            continue;
        const std::optional<Cycle> cycle = trackedCycle(item);
        if (!cycle)
            continue;
        tasks.append({taskUid(folderId, item.slot, cycle->start, item.name), item.slot, item.name, cycle->start,
                      cycle->start.addDays(cycle->days), cycle->days});
    }
    return tasks;
}

QList<Step> plan(const QList<KnownTask> &known, const QList<Wanted> &wanted, const QList<SyncItem> &items)
{
    QList<Step> steps;
    QSet<QString> wantedUids;
    for (const Wanted &task : wanted) {
        wantedUids.insert(task.uid);
        const auto found =
            std::find_if(known.begin(), known.end(), [&](const KnownTask &k) { return k.uid == task.uid; });
        if (found == known.end())
            steps.append({Action::Create, task.uid, task});
        else if (!found->gone && (found->due != task.due || found->cycleDays != task.cycleDays))
            steps.append({Action::Update, task.uid, task});
    }
    for (const KnownTask &task : known) {
        if (wantedUids.contains(task.uid))
            continue;
        if (task.gone) {
            steps.append({Action::Forget, task.uid, {}});
            continue;
        }
        const auto item =
            std::find_if(items.begin(), items.end(), [&](const SyncItem &i) { return i.slot == task.slot; });
        const bool bought = item != items.end() && boughtSince(task, *item);
        steps.append({bought ? Action::Complete : Action::Delete, task.uid, {}});
    }
    return steps;
}

QDate purchaseDate(QDate completed, QDate cycleStart, QDate today)
{
    const QDate date = completed.isValid() ? completed : today;
    return std::min(std::max(date, cycleStart), today);
}

} // namespace SyncRules
