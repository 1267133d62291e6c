// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
// Offers the watched object's events of one type to `take` until it takes one, then stops
// watching. Each event goes on to the object once `take` has returned.
class FirstEventWatch : public QObject
{
public:
    FirstEventWatch(QObject *watched, QEvent::Type type, std::function<bool(QObject *)> take)
        : QObject(watched)
        , m_type(type)
        , m_take(std::move(take))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type && m_take(watched)) {
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<bool(QObject *)> m_take;
};
} // namespace

void runAfterFirstPaint(QWidget *widget, std::function<void()> work)
{
    // The paint runs once the filter returns; the work comes after it.
    new FirstEventWatch(widget, QEvent::Paint, [work = std::move(work)](QObject *painted) {
        QTimer::singleShot(0, painted, work);
        return true;
    });
}

void runWhenExposed(QWidget *window, std::function<void()> work)
{
    QWindow *handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        work();
        return;
    }
    new FirstEventWatch(handle, QEvent::Expose, [handle, work = std::move(work)](QObject *) {
        if (!handle->isExposed())
            return false;
        work();
        return true;
    });
}
