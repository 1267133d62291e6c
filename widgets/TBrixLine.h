// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shape that draws any chosen edges and diagonals of its rectangle with its pen, straight
// onto its parent's background. Two of them side by side share one column of pixels.

#include "platform/GdiPen.h"

#include <QFlags>
#include <QWidget>

class TBrixLine : public QWidget
{
    Q_OBJECT

public:
    enum LineStyle {
        lsTop = 0x01,
        lsBottom = 0x02,
        lsLeft = 0x04,
        lsRight = 0x08,
        lsUp = 0x10,
        lsDown = 0x20,
    };
    Q_DECLARE_FLAGS(LineStyles, LineStyle)

    explicit TBrixLine(QWidget *parent = nullptr);

    const GdiPen &pen() const { return m_pen; }
    void setPen(const GdiPen &pen);
    LineStyles lineStyle() const { return m_style; }
    void setLineStyle(LineStyles style);

    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GdiPen m_pen;
    LineStyles m_style = lsUp;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TBrixLine::LineStyles)
