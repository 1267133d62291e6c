// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SyncModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

namespace SyncModule {

namespace {
using VersionEntry = int (*)();
using OpenEntry = SyncSession *(*)(const QString &, SyncHost *);
using RunEntry = int (*)(const SyncCommand &);

struct Entries
{
    OpenEntry open = nullptr;
    RunEntry run = nullptr;
    QString problem;
};

Entries loadEntries()
{
    Entries entries;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{
        QDir(programDir).filePath(QStringLiteral("libpantrova-sync.so")),
        QDir(programDir).filePath(QStringLiteral("../" PANTROVA_SYNC_MODULE_DIR "/libpantrova-sync.so"))};
    for (const QString &path : candidates) {
        if (!QFile::exists(path))
            continue;
        // Never unloaded: the sessions it makes live as long as the program.
        auto *library = new QLibrary(QDir::cleanPath(path));
        if (!library->load()) {
            entries.problem =
                QStringLiteral("The sync module %1 cannot be loaded: %2").arg(path, library->errorString());
            return entries;
        }
        const auto version = reinterpret_cast<VersionEntry>(library->resolve("pantrovaSyncInterfaceVersion"));
        entries.open = reinterpret_cast<OpenEntry>(library->resolve("pantrovaSyncOpen"));
        entries.run = reinterpret_cast<RunEntry>(library->resolve("pantrovaSyncRun"));
        if (!version || version() != InterfaceVersion || !entries.open || !entries.run) {
            entries = {};
            entries.problem = QStringLiteral("The sync module %1 belongs to another version of Pantrova.").arg(path);
        }
        return entries;
    }
    entries.problem =
        QStringLiteral("The sync module (libpantrova-sync.so) is not installed beside %1.").arg(programDir);
    return entries;
}

const Entries &entries()
{
    static const Entries loaded = loadEntries();
    return loaded;
}
} // namespace

bool isSetUp(const QString &folder)
{
    return QFile::exists(settingsPath(folder));
}

QString load()
{
    return entries().problem;
}

std::unique_ptr<SyncSession> open(const QString &folder, SyncHost *host)
{
    if (!isSetUp(folder) || !entries().open)
        return nullptr;
    return std::unique_ptr<SyncSession>(entries().open(folder, host));
}

int run(const SyncCommand &command)
{
    if (!entries().run) {
        command.complain(entries().problem);
        return 2;
    }
    return entries().run(command);
}

} // namespace SyncModule
