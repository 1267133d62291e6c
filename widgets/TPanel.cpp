// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TPanel.h"

#include "widgets/Bevel.h"

#include <QPainter>

TPanel::TPanel(QWidget *parent)
    : QWidget(parent)
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
    GdiCanvas canvas(painter);
    canvas.fillRect(rect(), m_color);
    drawBevel(canvas, rect());
}
