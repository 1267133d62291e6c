#include "platform/Pointer.h"

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
    if (!state().testMode)
        QCursor::setPos(screenPos);
}

QRect Pointer::desktop()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

void Pointer::placeForBox(int dx, int dy)
{
    const QRect d = desktop();
    // Offsets count from half the desktop's size, as the box is centred on the screen.
    moveTo(QPoint(d.width() / 2 + dx, d.height() / 2 + dy));
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
