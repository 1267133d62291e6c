// SPDX-License-Identifier: GPL-3.0-or-later
// The module's entry points, looked up by name by the program (platform/SyncModule). Only these
// are exported; everything else in the module stays its own.
#include "platform/SyncModule.h"
#include "sync/LiveSync.h"
#include "sync/SyncCommands.h"

#define PANTROVA_SYNC_EXPORT extern "C" __attribute__((visibility("default")))

PANTROVA_SYNC_EXPORT int pantrovaSyncInterfaceVersion()
{
    return SyncModule::InterfaceVersion;
}

PANTROVA_SYNC_EXPORT SyncSession *pantrovaSyncOpen(const QString &folder, SyncHost *host)
{
    return new LiveSync(folder, *host, SyncEngine::secretService());
}

PANTROVA_SYNC_EXPORT int pantrovaSyncRun(const SyncCommand &command)
{
    return SyncCommands::run(command);
}
