// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every plain colour the program names, in one place: the colours of the name fields (the
// colours file stores them as decimal integers) and the background of the windows. System
// colours are SystemColor::* of core/ColorValue.h.

#include "core/ColorValue.h"

namespace FieldColor {
constexpr ColorValue Silver = 12632256;    // plain state
constexpr ColorValue Cream = 13565951;     // bought state
constexpr ColorValue Yellow = 65535;       // prewarn state
constexpr ColorValue Red = 255;            // due state
constexpr ColorValue Gray = 8421504;       // learning state
constexpr ColorValue LightGray = 13026246; // picked by hand ("Gray")
constexpr ColorValue DarkGray = 8684164;   // picked by hand ("Dark Gray")
constexpr ColorValue Navy = 8388608;       // design font colour
constexpr ColorValue White = 16777215;
constexpr ColorValue Black = 0;
} // namespace FieldColor

namespace Palette {
// The beige behind the main window and the print dialog.
constexpr ColorValue WindowBackground = 0x00ADDFE7;
// The buttons and panels on it.
constexpr ColorValue Sand = 0x0073BFDF;
constexpr ColorValue Gold = 0x000ABED8;
constexpr ColorValue Orange = 0x0042B2FF;
constexpr ColorValue TitleBlue = 0x00EF865A;
constexpr ColorValue Slate = 0x00828F99; // a hover button's border unless styled
constexpr ColorValue Blue = 0x00FF0000;
constexpr ColorValue Navy = FieldColor::Navy;
constexpr ColorValue Red = FieldColor::Red;
constexpr ColorValue Yellow = FieldColor::Yellow;
constexpr ColorValue White = FieldColor::White;
constexpr ColorValue Black = FieldColor::Black;
} // namespace Palette
