// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Pointer.h"

#include "platform/DisplayPlatform.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
struct State
{
    bool testMode = false;
    std::optional<QPoint> last;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

QPoint Pointer::position()
{
    return QCursor::pos();
}

void Pointer::moveTo(QPoint screenPos)
{
    state().last = screenPos;
    // Wayland lets no program move the pointer; the boxes simply open where they open.
    if (!state().testMode && !DisplayPlatform::isWayland())
        QCursor::setPos(screenPos);
}

QRect Pointer::desktop()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

QPoint Pointer::desktopCentre()
{
    const QRect d = desktop();
    return {d.x() + d.width() / 2, d.y() + d.height() / 2};
}

void Pointer::placeForBox(int dx, int dy)
{
    // Offsets count from the desktop's centre, where the boxes open.
    moveTo(desktopCentre() + QPoint(dx, dy));
}

void Pointer::setTestMode(bool on)
{
    state().testMode = on;
    state().last.reset();
}

std::optional<QPoint> Pointer::lastPlacement()
{
    return state().last;
}
