// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "pantrova --autostart on|off": the user's XDG autostart entry, which starts the program at
// login hidden in the notification area.

#include <QString>
#include <QStringList>

namespace Autostart {

// Writes ("on") or removes ("off") the entry; the program it starts is this one, with the
// given extra arguments (a chosen data folder). Returns the exit status: 0, 1 when the entry
// cannot be written or removed, 2 for a state other than on and off.
int set(const QString &state, const QStringList &arguments);

// Where the entry lives: autostart/pantrova.desktop in the user's configuration folder.
QString entryPath();

// The entry's text for a program and its arguments.
QString entryText(const QString &program, const QStringList &arguments);

} // namespace Autostart
