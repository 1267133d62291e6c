// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlShape.h"

#include "report/TAlPrinter.h"

TAlShape::TAlShape(QWidget *parent)
    : tAlControl(parent)
{
    setAutoSize(false);
    setTransparent(true);
    resize(65, 65);
}

void TAlShape::setPen(const GdiPen &pen)
{
    m_pen = pen;
    StyleChanged();
}

void TAlShape::setBrush(const GdiBrush &brush)
{
    m_brush = brush;
    StyleChanged();
}

void TAlShape::setShape(TShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    update();
}

void TAlShape::StyleChanged()
{
    update();
}

// The pen is a device-pixel pen: a 4-pixel tick box is 4 printer pixels wide.
void TAlShape::DoPrint(const QRect &rect, const QString &)
{
    GdiCanvas &canvas = TAlPrinter::shared().Canvas();
    GdiPen pen = m_pen;
    pen.width = qMax(1, pen.width);
    canvas.setPen(pen);
    canvas.setBrush(m_brush);
    drawShape(canvas, rect);
}

void TAlShape::paintFace(GdiCanvas &canvas)
{
    canvas.setPen(m_pen);
    canvas.setBrush(m_brush);
    drawShape(canvas, rect());
}

// The square shapes use the largest square centred in the rectangle; a rectangle too thin
// for a frame is drawn as a line.
void TAlShape::drawShape(GdiCanvas &canvas, const QRect &rect) const
{
    int x = rect.left();
    int y = rect.top();
    int w = rect.width();
    int h = rect.height();
    const int s = qMin(w, h);
    if (m_shape == stSquare || m_shape == stRoundSquare || m_shape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = s;
        h = s;
    }
    switch (m_shape) {
    case stRectangle:
    case stSquare:
        if (w > 1 && h > 1) {
            canvas.rectangle(x, y, x + w, y + h);
        } else {
            canvas.moveTo(x, y);
            if (w > 1)
                canvas.lineTo(x + w, y);
            else
                canvas.lineTo(x, y + h);
        }
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas.roundRect(x, y, x + w, y + h, s / 4, s / 4);
        break;
    case stEllipse:
    case stCircle:
        canvas.ellipse(x, y, x + w, y + h);
        break;
    }
}
