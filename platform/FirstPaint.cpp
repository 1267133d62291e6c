#include "platform/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

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
} // namespace

void runAfterFirstPaint(QWidget *widget, std::function<void()> work)
{
    widget->installEventFilter(new FirstPaintWatch(widget, std::move(work)));
}
