// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncState.h"

#include "core/AtomicWrite.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>

namespace {
const QString FileName = QStringLiteral("sync-state.json");

QString dateText(QDate date)
{
    return date.toString(Qt::ISODate);
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime timeFrom(const QJsonValue &value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODate);
}

// Hrefs are compared as the paths they name: one server percent-encodes where another does not.
QString pathOf(const QString &href)
{
    return QUrl::fromPercentEncoding(QUrl(href).path(QUrl::FullyEncoded).toUtf8());
}
} // namespace

QString SyncState::path(const QString &folder)
{
    return QDir(folder).filePath(FileName);
}

SyncState SyncState::read(const QString &folder)
{
    SyncState state;
    const std::optional<QByteArray> bytes = RegularFile::tryRead(path(folder));
    if (!bytes)
        return state;
    const QJsonObject root = QJsonDocument::fromJson(*bytes).object();
    state.syncToken = root.value(QLatin1String("syncToken")).toString();
    state.lastAttempt = timeFrom(root.value(QLatin1String("lastAttempt")));
    state.lastSuccess = timeFrom(root.value(QLatin1String("lastSuccess")));
    state.lastFailed = root.value(QLatin1String("lastFailed")).toBool();
    state.lastError = root.value(QLatin1String("lastError")).toString();
    state.lastErrorAt = timeFrom(root.value(QLatin1String("lastErrorAt")));
    state.toldFailure = root.value(QLatin1String("toldFailure")).toString();
    for (const QJsonValue &value : root.value(QLatin1String("tasks")).toArray()) {
        const QJsonObject object = value.toObject();
        KnownTask task;
        task.uid = object.value(QLatin1String("uid")).toString();
        task.href = object.value(QLatin1String("href")).toString();
        task.etag = object.value(QLatin1String("etag")).toString();
        task.slot = object.value(QLatin1String("slot")).toInt();
        task.name = object.value(QLatin1String("name")).toString();
        task.cycleStart = QDate::fromString(object.value(QLatin1String("cycleStart")).toString(), Qt::ISODate);
        task.due = QDate::fromString(object.value(QLatin1String("due")).toString(), Qt::ISODate);
        task.cycleDays = object.value(QLatin1String("cycleDays")).toInt();
        task.gone = object.value(QLatin1String("gone")).toBool();
        // An entry that does not name its task and item is of no use; the task is found again.
        if (!task.uid.isEmpty() && !task.href.isEmpty() && task.slot >= 1 && task.cycleStart.isValid())
            state.tasks.append(task);
    }
    return state;
}

void SyncState::write(const QString &folder) const
{
    QJsonArray entries;
    for (const KnownTask &task : tasks) {
        entries.append(QJsonObject{{QLatin1String("uid"), task.uid},
                                   {QLatin1String("href"), task.href},
                                   {QLatin1String("etag"), task.etag},
                                   {QLatin1String("slot"), task.slot},
                                   {QLatin1String("name"), task.name},
                                   {QLatin1String("cycleStart"), dateText(task.cycleStart)},
                                   {QLatin1String("due"), dateText(task.due)},
                                   {QLatin1String("cycleDays"), task.cycleDays},
                                   {QLatin1String("gone"), task.gone}});
    }
    const QJsonObject root{{QLatin1String("syncToken"), syncToken},
                           {QLatin1String("lastAttempt"), timeText(lastAttempt)},
                           {QLatin1String("lastSuccess"), timeText(lastSuccess)},
                           {QLatin1String("lastFailed"), lastFailed},
                           {QLatin1String("lastError"), lastError},
                           {QLatin1String("lastErrorAt"), timeText(lastErrorAt)},
                           {QLatin1String("toldFailure"), toldFailure},
                           {QLatin1String("tasks"), entries}};
    AtomicWrite::write(path(folder), QJsonDocument(root).toJson(QJsonDocument::Indented), AtomicWrite::Links::Replace);
}

void SyncState::remove(const QString &folder)
{
    QFile::remove(path(folder));
}

KnownTask *SyncState::byUid(const QString &uid)
{
    auto found = std::find_if(tasks.begin(), tasks.end(), [&](const KnownTask &task) { return task.uid == uid; });
    return found == tasks.end() ? nullptr : &*found;
}

KnownTask *SyncState::byHref(const QString &href)
{
    const QString wanted = pathOf(href);
    auto found =
        std::find_if(tasks.begin(), tasks.end(), [&](const KnownTask &task) { return pathOf(task.href) == wanted; });
    return found == tasks.end() ? nullptr : &*found;
}

void SyncState::forget(const QString &uid)
{
    tasks.removeIf([&](const KnownTask &task) { return task.uid == uid; });
}

int SyncState::activeTasks() const
{
    return int(std::count_if(tasks.begin(), tasks.end(), [](const KnownTask &task) { return !task.gone; }));
}
