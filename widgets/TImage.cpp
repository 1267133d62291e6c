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
    // Painted often and never changed: convert once to the format the screen draws fastest.
    m_picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    resize(m_picture.size());
    update();
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}
