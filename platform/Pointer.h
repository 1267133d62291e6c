// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mouse pointer and the desktop: placing the pointer before a screen-centred question
// box, and reading where it is. Tests read the last placement instead of moving the pointer.

#include <QPoint>
#include <QRect>
#include <optional>

class Pointer
{
public:
    static QPoint position();
    static void moveTo(QPoint screenPos);
    // The whole virtual desktop across all monitors.
    static QRect desktop();
    // The point that screen-centred boxes are centred on.
    static QPoint desktopCentre();

    // The pointer placement before a screen-centred box: an offset from the desktop centre,
    // each half taken as a whole number.
    static void placeForBox(int dx, int dy);

    static void setTestMode(bool on);
    static std::optional<QPoint> lastPlacement();
};
