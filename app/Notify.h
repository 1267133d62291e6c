// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "pantrova --notify": one desktop notification naming the red and yellow items, for a timer
// that runs while the window is closed.

#include <QString>

namespace Notify {

// Sends the notification when anything is due; returns 0 whether or not it is, 1 when the
// desktop could not be told, 2 for a damaged data file. Messages go to standard error.
int run(const QString &dataFolder);

} // namespace Notify
