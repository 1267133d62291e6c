#include "platform/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
// Hands the first event of a type that `take` takes to it, then watches no more. The event
// itself goes on to the watched object once `take` returns.
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
