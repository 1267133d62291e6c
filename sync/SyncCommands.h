// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's sync options, run inside the module: "--sync-setup", "--sync-status",
// "--sync-now", "--sync-off" and the calendar feed "--ics". Each returns the exit status.

#include "platform/SyncModule.h"

namespace SyncCommands {

int run(const SyncCommand &command);

} // namespace SyncCommands
