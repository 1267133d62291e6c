// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window's controls stand: the window's size, the grid of name fields with their
// purchase buttons, and the date label, each computed in this one place.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace WindowGeometry {
constexpr QSize WindowSize(854, 590);
// The background picture covers the whole window.
constexpr QRect PictureRect(QPoint(0, 0), WindowSize);

// Five columns of twenty name fields, slot 1 at the top of the first column.
constexpr int FieldsPerColumn = 20;
constexpr QRect fieldRect(int slot)
{
    const int column = (slot - 1) / FieldsPerColumn;
    const int row = (slot - 1) % FieldsPerColumn;
    return QRect(16 + 168 * column, 88 + 24 * row, 121, 16);
}
// The purchase button "P" stands right of its name field, on the same top line.
constexpr QPoint purchaseButtonPos(int slot)
{
    return fieldRect(slot).topLeft() + QPoint(128, 0);
}

// The date label sizes itself to its text, at least DateMinWidth pixels, centred on x = 194.
constexpr int DateMinWidth = 100;
constexpr QRect dateLabelRect(int width)
{
    return QRect(194 - width / 2, 61, width, 18);
}
} // namespace WindowGeometry
