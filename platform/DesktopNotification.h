// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop notification, sent to the desktop's notification server over the session bus
// (org.freedesktop.Notifications), which shows it even while no window of ours is open.

#include <QString>

namespace DesktopNotification {

// Sends one notification with the program's icon. Returns an empty text when the server took
// it, or else why it could not be sent (no session bus, no notification server).
QString send(const QString &summary, const QString &body);

} // namespace DesktopNotification
