// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report shape: a rectangle, square, rounded rectangle or square, ellipse or circle drawn
// with its own pen and brush. The pen width is in device pixels and is not scaled.

#include "platform/GdiBrush.h"
#include "platform/GdiPen.h"
#include "report/tAlControl.h"

class TAlShape : public tAlControl
{
    Q_OBJECT
    Q_PROPERTY(TShapeType Shape READ shape WRITE setShape)

public:
    explicit TAlShape(QWidget *parent = nullptr);

    const GdiPen &pen() const { return m_pen; }
    void setPen(const GdiPen &pen);
    const GdiBrush &brush() const { return m_brush; }
    void setBrush(const GdiBrush &brush);
    TShapeType shape() const { return m_shape; }
    void setShape(TShapeType shape);
    // Redraws after a change of the pen or the brush.
    void StyleChanged();

    void DoPrint(const QRect &rect, const QString &text) override;
    // The shape's geometry in a rectangle, drawn with the canvas's pen and brush.
    void drawShape(GdiCanvas &canvas, const QRect &rect) const;

protected:
    void paintFace(GdiCanvas &canvas) override;

private:
    GdiPen m_pen;
    GdiBrush m_brush;
    TShapeType m_shape = stRectangle;
};
