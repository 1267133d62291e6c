// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-pixel 3-D edge every control draws: one colour on the top and left edges, another
// on the bottom and right edges (swap them for a sunken look).

#include "platform/GdiCanvas.h"

// Which edges own the two corners where a light and a dark edge meet (top-right and
// bottom-left). The bottom-right corner always belongs to the bottom and right edges, the
// top-left corner to the top and left edges.
enum class BevelCorners {
    // The bottom and right edges run the full width and height (panels, buttons).
    BottomRight,
    // The top and left edges run the full width and height (status-bar parts).
    TopLeft,
};

// The edge just inside `rect`.
inline void drawBevel(GdiCanvas &canvas, const QRect &rect, ColorValue topLeft = SystemColor::ButtonHighlight,
                      ColorValue bottomRight = SystemColor::ButtonShadow,
                      BevelCorners corners = BevelCorners::BottomRight)
{
    if (rect.isEmpty())
        return;
    const int w = rect.width();
    const int h = rect.height();
    // The top-left edges are one pixel shorter when the corners are not theirs; the
    // bottom-right edges start one pixel later when the corners are not theirs.
    const int shorter = corners == BevelCorners::BottomRight ? 1 : 0;
    const int later = 1 - shorter;
    canvas.fillRect(QRect(rect.left(), rect.top(), w - shorter, 1), topLeft);
    canvas.fillRect(QRect(rect.left(), rect.top(), 1, h - shorter), topLeft);
    canvas.fillRect(QRect(rect.left() + later, rect.bottom(), w - later, 1), bottomRight);
    canvas.fillRect(QRect(rect.right(), rect.top() + later, 1, h - later), bottomRight);
}
