// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DisplayPlatform.h"

#include <QGuiApplication>

QByteArray DisplayPlatform::choose(const Session &session)
{
    if (!session.chosenPlatform.isEmpty())
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (!wayland)
        return {};
    return session.x11Display.isEmpty() ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb");
}

void DisplayPlatform::chooseForThisSession()
{
    const QByteArray platform = choose(
        {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("XDG_SESSION_TYPE")});
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

bool DisplayPlatform::isWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
