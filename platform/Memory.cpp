#include "platform/Memory.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
class FirstPaintWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // The paint runs once this filter returns; the release comes after it.
            QTimer::singleShot(0, watched, releaseFreedMemory);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};
} // namespace

void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void releaseFreedMemoryAfterFirstPaint(QWidget *widget)
{
    widget->installEventFilter(new FirstPaintWatch(widget));
}
