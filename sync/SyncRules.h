// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sync's decisions, apart from the network: which items call for a task, what becomes of
// the tasks already on the server, and the date a purchase ticked off on a phone is recorded
// with.
//
// Push: every named, tracked item whose field is red or yellow has one task, made for its
// current cycle (slot, buy date and name are in its UID). When an item leaves that state, its
// task is completed if the item was bought (same name, still tracked, a newer buy date, or the
// same buy date and the bought colour), else deleted. A task deleted on the server is not made
// again for the same cycle.

#include "platform/SyncModule.h"
#include "sync/SyncState.h"

#include <QDate>
#include <QList>
#include <QString>

namespace SyncRules {

struct Wanted
{
    QString uid;
    int slot = 0;
    QString name;
    QDate cycleStart;
    QDate due;
    int cycleDays = 0;
};

QString taskUid(const QString &folderId, int slot, QDate cycleStart, const QString &name);
// "Bought every 7 days".
QString description(int cycleDays);

// The tasks the items call for; an item whose record does not convert calls for none.
QList<Wanted> wanted(const QList<SyncItem> &items, const QString &folderId);

enum class Action { Create, Update, Complete, Delete, Forget };
struct Step
{
    Action action;
    QString uid;   // the known task's, or the new one's
    Wanted wanted; // Create and Update: what the task is to say
};
QList<Step> plan(const QList<KnownTask> &known, const QList<Wanted> &wanted, const QList<SyncItem> &items);

// The buy date of a purchase ticked off at `completed` (local date; invalid when the task gave
// none): never before the cycle began, never after today.
QDate purchaseDate(QDate completed, QDate cycleStart, QDate today);

} // namespace SyncRules
