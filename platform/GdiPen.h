// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pen as the controls describe it: colour value, width in pixels and line style. Styled
// lines are drawn only by one-pixel pens; a wider pen draws solid, as on a GDI surface.

#include "core/ColorValue.h"

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

struct GdiPen
{
    ColorValue color = 0;
    int width = 1;
    PenStyle style = PenStyle::Solid;

    friend bool operator==(const GdiPen &, const GdiPen &) = default;
};
