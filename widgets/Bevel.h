// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-pixel bevel around a control's rectangle: the light colour on the top and left edges,
// the dark colour on the bottom and right edges (swap them for a sunken look).

#include "platform/SystemColors.h"

#include <QPainter>

inline void drawBevel(QPainter &painter, const QRect &rect, ColorValue light = SystemColor::ButtonHighlight,
                      ColorValue dark = SystemColor::ButtonShadow)
{
    const int w = rect.width();
    const int h = rect.height();
    painter.fillRect(rect.x(), rect.y(), w - 1, 1, toQColor(light));
    painter.fillRect(rect.x(), rect.y(), 1, h - 1, toQColor(light));
    painter.fillRect(rect.x(), rect.y() + h - 1, w, 1, toQColor(dark));
    painter.fillRect(rect.x() + w - 1, rect.y(), 1, h, toQColor(dark));
}
