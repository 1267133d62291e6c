// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Pointer.h"

#include "platform/DisplayPlatform.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdlib>

#include <utility>

namespace {
struct State
{
    bool testMode = false;
    bool boxWanted = false;
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

bool Pointer::leftButtonHeld()
{
    auto *x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_query_pointer_reply_t *reply =
            xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
        if (reply) {
            const bool held = (reply->mask & XCB_BUTTON_MASK_1) != 0;
            free(reply);
            return held;
        }
    }
    // Other display servers are not asked; the application's own record is the best there is.
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
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
    // Offsets count from the desktop's centre, where the boxes open; the box then puts the
    // pointer on its default button once it is laid out.
    moveTo(desktopCentre() + QPoint(dx, dy));
    state().boxWanted = true;
}

bool Pointer::takeBoxRequest()
{
    return std::exchange(state().boxWanted, false);
}

void Pointer::setTestMode(bool on)
{
    state().testMode = on;
    state().boxWanted = false;
    state().last.reset();
}

std::optional<QPoint> Pointer::lastPlacement()
{
    return state().last;
}
