#include "platform/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget *widget, std::function<void()> work)
        : QObject(widget)
        , m_work(std::move(work))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // The paint runs once this filter returns; the work comes after it.
            QTimer::singleShot(0, watched, std::move(m_work));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWindow *window, std::function<void()> work)
        : QObject(window)
        , m_work(std::move(work))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window paints when this filter returns.
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            m_work();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};
} // namespace

void runAfterFirstPaint(QWidget *widget, std::function<void()> work)
{
    widget->installEventFilter(new FirstPaintWatch(widget, std::move(work)));
}

void runWhenExposed(QWidget *window, std::function<void()> work)
{
    QWindow *handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        work();
        return;
    }
    handle->installEventFilter(new ExposeWatch(handle, std::move(work)));
}
