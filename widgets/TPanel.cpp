#include "widgets/TPanel.h"

#include "platform/SystemColors.h"

#include <QPainter>

TPanel::TPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::setColor(ColorValue color)
{
    m_color = color;
    update();
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), toQColor(m_color));
    // The raised bevel: light on the top and left edges, shadow on the bottom and right.
    painter.fillRect(0, 0, w - 1, 1, toQColor(0x80000014));
    painter.fillRect(0, 0, 1, h - 1, toQColor(0x80000014));
    painter.fillRect(0, h - 1, w, 1, toQColor(0x80000010));
    painter.fillRect(w - 1, 0, 1, h, toQColor(0x80000010));
}
