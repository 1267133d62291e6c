#include "widgets/TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::setPicture(const QImage &picture)
{
    // An indexed picture stays indexed, at a byte a pixel; the parts a paint needs are
    // converted then. Any other is converted once to the format the screen draws fastest.
    m_picture = picture.format() == QImage::Format_Indexed8
                    ? picture
                    : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    resize(m_picture.size());
    update();
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect part = event->rect();
    if (m_picture.format() == QImage::Format_Indexed8)
        painter.drawImage(part.topLeft(), m_picture.copy(part).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    else
        painter.drawImage(part.topLeft(), m_picture, part);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}
