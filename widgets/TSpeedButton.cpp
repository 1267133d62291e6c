// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TSpeedButton.h"

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "widgets/Bevel.h"

#include <QMouseEvent>
#include <QPainter>

TSpeedButton::TSpeedButton(QWidget *parent)
    : QWidget(parent)
{}

void TSpeedButton::setGlyph(const QImage &glyph)
{
    // The glyph's bottom-left pixel names its transparent colour; masked once, drawn often.
    m_glyph = glyph.isNull() ? glyph : maskedByColor(glyph, toColorValue(glyph.pixelColor(0, glyph.height() - 1)));
    update();
}

void TSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int offset = m_down ? 1 : 0;
    if (!m_glyph.isNull()) {
        painter.drawImage(QPoint((width() - m_glyph.width()) / 2 + offset, (height() - m_glyph.height()) / 2 + offset),
                          m_glyph);
    }
    if (m_hot || m_down) {
        GdiCanvas canvas(painter);
        if (m_down)
            drawBevel(canvas, rect(), SystemColor::ButtonShadow, SystemColor::ButtonHighlight);
        else
            drawBevel(canvas, rect());
    }
}

void TSpeedButton::enterEvent(QEnterEvent *)
{
    m_hot = true;
    update();
}

void TSpeedButton::leaveEvent(QEvent *)
{
    m_hot = false;
    update();
}

void TSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_down = true;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    update();
    if (rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}
