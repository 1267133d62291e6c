// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns colour values into QColor. A colour value is 0x00BBGGRR; 0x80000000 + n names system
// colour n (numbered as Windows numbers them), resolved from one fixed scheme when drawn.

#include "core/FieldColors.h"

#include <QColor>

namespace SystemColor {
constexpr ColorValue Flag = 0x80000000;
constexpr ColorValue Window = Flag + 5;
constexpr ColorValue WindowFrame = Flag + 6;
constexpr ColorValue WindowText = Flag + 8;
constexpr ColorValue Highlight = Flag + 13;
constexpr ColorValue HighlightText = Flag + 14;
constexpr ColorValue ButtonFace = Flag + 15;
constexpr ColorValue ButtonShadow = Flag + 16;
constexpr ColorValue GrayText = Flag + 17;
constexpr ColorValue ButtonText = Flag + 18;
constexpr ColorValue ButtonHighlight = Flag + 20;
constexpr ColorValue DarkShadow3D = Flag + 21;
constexpr ColorValue Light3D = Flag + 22;
constexpr ColorValue InfoText = Flag + 23;
constexpr ColorValue InfoBackground = Flag + 24;
} // namespace SystemColor

constexpr bool isSystemColor(ColorValue value)
{
    return (value & SystemColor::Flag) != 0;
}

// System colours are resolved first; the high byte of a plain value is ignored.
QColor toQColor(ColorValue value);

// The plain colour value of a QColor (never a system colour).
ColorValue toColorValue(const QColor &color);

// A system colour value resolved to its plain colour value; plain values pass unchanged.
ColorValue resolveColor(ColorValue value);
