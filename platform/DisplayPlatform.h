// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of Qt's display platforms the window runs on, chosen before the application object.
//
// The window is a borderless one that places the pointer on its message boxes and can stay on
// top of other windows, which only X11 lets a program do. So in a Wayland session that has an
// X server too (XWayland) it runs through that, unless the user has chosen a platform with
// QT_QPA_PLATFORM. Without XWayland it runs on Wayland itself: dragging still works (the
// compositor moves the window), while placing the pointer and staying on top are left out.

#include <QByteArray>

namespace DisplayPlatform {

struct Session
{
    QByteArray chosenPlatform; // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
};

// The platform to ask Qt for in such a session, or nothing to leave Qt's own choice.
QByteArray choose(const Session &session);

// Reads the session from the environment and sets QT_QPA_PLATFORM when choose() says so.
void chooseForThisSession();

// Whether the window runs natively on Wayland, where the pointer cannot be placed.
bool isWayland();

} // namespace DisplayPlatform
