// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a data folder syncs to: "sync.ini" in the data folder names the collection, the user
// and the folder's own sync identity (which keeps the tasks of two data folders on one list
// apart). The password is never here: it lives in the Secret Service under secretKey().

#include <QString>
#include <QUrl>
#include <optional>

struct SyncSettings
{
    QUrl collection;
    QString user;
    QString folderId;

    static QString path(const QString &folder);
    // Nothing when the folder has no sync set up; throws AppError for a file that cannot be
    // read or that lacks a field.
    static std::optional<SyncSettings> read(const QString &folder);
    // Written atomically; throws FileError.
    void write(const QString &folder) const;
    static void remove(const QString &folder);

    // A new identity for a folder being set up.
    static QString newFolderId();
    QString secretKey() const;
};
