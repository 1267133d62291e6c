// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TBrixLine.h"

#include "platform/GdiCanvas.h"

#include <QPainter>

TBrixLine::TBrixLine(QWidget *parent)
    : QWidget(parent)
{
    resize(40, 40);
}

void TBrixLine::setPen(const GdiPen &pen)
{
    m_pen = pen;
    update();
}

void TBrixLine::setLineStyle(LineStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

// A pen of width pw is centred on its line, so the far lines are drawn pw div 2 inside the
// edge, and one pixel further in for an odd width, whose middle pixel lies on the line.
void TBrixLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GdiCanvas canvas(painter);
    canvas.setPen(m_pen);
    // A pen of width 0 draws one pixel wide.
    const int pw = qMax(1, m_pen.width);
    const int h = pw / 2;
    const int odd = pw % 2;
    const int xr = width() - h - odd;
    const int yb = height() - h - odd;
    auto line = [&](LineStyle style, int x1, int y1, int x2, int y2) {
        if (!m_style.testFlag(style))
            return;
        canvas.moveTo(x1, y1);
        canvas.lineTo(x2, y2);
    };
    line(lsTop, h, h, xr, h);
    line(lsBottom, h, yb, xr, yb);
    line(lsLeft, h, h, h, yb);
    line(lsRight, xr, h, xr, yb);
    line(lsUp, h, yb, xr, h);
    line(lsDown, h, h, xr, yb);
}
