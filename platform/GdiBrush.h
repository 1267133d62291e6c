// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A brush as the controls describe it: a colour value that fills solidly, or a clear brush
// that fills nothing (and lets text be drawn without a background).

#include "core/ColorValue.h"

enum class BrushStyle { Solid, Clear };

struct GdiBrush
{
    ColorValue color = 0x00FFFFFF;
    BrushStyle style = BrushStyle::Solid;

    friend bool operator==(const GdiBrush &, const GdiBrush &) = default;
};
