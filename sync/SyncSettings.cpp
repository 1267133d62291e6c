// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncSettings.h"

#include "core/AppError.h"
#include "core/AtomicWrite.h"
#include "core/RegularFile.h"
#include "platform/SyncModule.h"

#include <QDir>
#include <QFile>
#include <QUuid>

namespace {
const QString Header = QStringLiteral("[sync]");
} // namespace

QString SyncSettings::path(const QString &folder)
{
    return SyncModule::settingsPath(folder);
}

std::optional<SyncSettings> SyncSettings::read(const QString &folder)
{
    const QString file = path(folder);
    if (!QFile::exists(file))
        return std::nullopt;
    const QString text = QString::fromUtf8(RegularFile::read(file));
    SyncSettings settings;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("url"))
            settings.collection = QUrl(value, QUrl::StrictMode);
        else if (key == QLatin1String("user"))
            settings.user = value;
        else if (key == QLatin1String("id"))
            settings.folderId = value;
    }
    if (!settings.collection.isValid() || settings.user.isEmpty() || settings.folderId.isEmpty())
        throw AppError(QStringLiteral("%1 is damaged: set sync up again with --sync-setup.").arg(file));
    return settings;
}

void SyncSettings::write(const QString &folder) const
{
    const QString text = QStringLiteral("%1\nurl=%2\nuser=%3\nid=%4\n")
                             .arg(Header, collection.toString(QUrl::FullyEncoded), user, folderId);
    AtomicWrite::write(path(folder), text.toUtf8(), AtomicWrite::Links::Replace);
}

void SyncSettings::remove(const QString &folder)
{
    QFile::remove(path(folder));
}

QString SyncSettings::newFolderId()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(12);
}

QString SyncSettings::secretKey() const
{
    return QStringLiteral("%1 at %2 (%3)").arg(user, collection.toString(QUrl::RemoveUserInfo), folderId);
}
