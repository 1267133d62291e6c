// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>

namespace {
struct State
{
    bool testMode = false;
    std::optional<QString> last;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

void Shell::open(const QString &path)
{
    state().last = path;
    if (!state().testMode)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Shell::openHtml(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile()
        || QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).inherits(QStringLiteral("text/html"))) {
        open(path);
        return;
    }
    const QDir cache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    const QString copy = cache.filePath(info.completeBaseName() + QStringLiteral(".html"));
    QFile::remove(copy);
    if (!cache.mkpath(QStringLiteral(".")) || !QFile::copy(path, copy)) {
        open(path);
        return;
    }
    // A copy of a read-only installed file is read-only too; the next copy must replace it.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    open(copy);
}

void Shell::setTestMode(bool on)
{
    state().testMode = on;
    state().last.reset();
}

std::optional<QString> Shell::lastOpened()
{
    return state().last;
}
