// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the name fields (named in core/Palette.h): the colours file stores each as a
// decimal integer. An item's background colour is its state.

#include "core/Palette.h"

#include <QString>
#include <optional>

// The colours a field shows: its background and its font colour.
struct FieldColors
{
    ColorValue background = FieldColor::Silver;
    ColorValue font = FieldColor::Navy;
    friend bool operator==(const FieldColors &, const FieldColors &) = default;
};

namespace FieldState {
constexpr FieldColors Plain{FieldColor::Silver, FieldColor::Navy};
constexpr FieldColors Bought{FieldColor::Cream, FieldColor::Navy};
constexpr FieldColors Prewarn{FieldColor::Yellow, FieldColor::Navy};
constexpr FieldColors Due{FieldColor::Red, FieldColor::Yellow};
constexpr FieldColors Learning{FieldColor::Gray, FieldColor::White};
} // namespace FieldState

// Red (due) or yellow (prewarn): an item to buy now.
constexpr bool isDueOrPrewarn(ColorValue background)
{
    return background == FieldColor::Red || background == FieldColor::Yellow;
}

// A colours file line holds the colour as the signed 32-bit decimal it is read as, so that
// system colours (0x80000000 + n) and other negative values survive a save byte for byte.
// The unsigned form 2147483648..4294967295 that older saves wrote is read as the same 32 bits.
// Throws ConversionError "'%s' is not a valid integer value" for anything else.
ColorValue colorFromLine(const QString &line);
QString colorLine(ColorValue color);

// Font colours are not stored; start-up derives them from the stored background line.
ColorValue startupFontColor(const QString &storedLine);

// The re-check derives only the learning and due fonts and leaves other fonts as they are.
std::optional<ColorValue> recheckFontColor(const QString &storedLine);
