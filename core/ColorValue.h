// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A colour value: 0x00BBGGRR (red in the low byte), or 0x80000000 + n for system colour n,
// numbered as Windows numbers them and resolved from one fixed scheme when drawn.

#include <QtGlobal>

using ColorValue = quint32;

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
