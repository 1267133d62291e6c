// SPDX-License-Identifier: GPL-3.0-or-later
// The module's entry points (filled in with the engine).
#include "platform/SyncModule.h"

extern "C" __attribute__((visibility("default"))) int pantrovaSyncInterfaceVersion()
{
    return SyncModule::InterfaceVersion;
}
