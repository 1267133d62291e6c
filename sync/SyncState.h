// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the sync knows of the server between runs, in "sync-state.json" in the data folder:
// the collection's sync token, each task it made (where it lives, its ETag, and the item and
// cycle it stands for), and how the last sync went. It is only a record of the server: a lost
// or damaged file costs a slower sync (tasks already there are found again), never an item.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// A task this folder made on the server.
struct KnownTask
{
    QString uid;
    QString href;
    QString etag; // empty when not known: the next listing fetches the task
    int slot = 0;
    QString name;
    QDate cycleStart; // the buy date the cycle started on
    QDate due;
    int cycleDays = 0;
    // Deleted on the server: it is not made again while its item stays in this cycle.
    bool gone = false;
};

struct SyncState
{
    QString syncToken;
    QList<KnownTask> tasks;

    QDateTime lastAttempt;
    QDateTime lastSuccess;
    bool lastFailed = false;
    QString lastError;
    QDateTime lastErrorAt;
    // The kind of failure the user was last told of; cleared by a sync that succeeds.
    QString toldFailure;

    static QString path(const QString &folder);
    // A missing or damaged file reads as a fresh state.
    static SyncState read(const QString &folder);
    // Written atomically; throws FileError.
    void write(const QString &folder) const;
    static void remove(const QString &folder);

    KnownTask *byUid(const QString &uid);
    KnownTask *byHref(const QString &href);
    void forget(const QString &uid);
    int activeTasks() const;
};
