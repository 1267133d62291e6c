// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TImage::picture() const
{
    return m_runs.isNull() ? m_picture : m_runs.toImage();
}

void TImage::setPicture(const QImage &picture)
{
    // An indexed picture is kept as runs of its colour indices and the parts a paint needs are
    // converted then. Any other is converted once to the format the screen draws fastest.
    if (RunLengthImage runs(picture); !runs.isNull()) {
        setPicture(std::move(runs));
        return;
    }
    m_runs = {};
    m_picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    resize(m_picture.size());
    update();
}

void TImage::setPicture(RunLengthImage picture)
{
    m_runs = std::move(picture);
    m_picture = QImage();
    resize(m_runs.size());
    update();
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect part = event->rect();
    if (!m_runs.isNull())
        m_runs.paint(painter, part);
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
