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
    // Whether the left button is down at this moment, as the display server sees it (the
    // button state of the event being handled may be out of date: a quick tap is over by then).
    static bool leftButtonHeld();
    static void moveTo(QPoint screenPos);
    // The whole virtual desktop across all monitors.
    static QRect desktop();
    // The point that screen-centred boxes are centred on.
    static QPoint desktopCentre();

    // The pointer placement before a screen-centred box: an offset from the desktop centre,
    // each half taken as a whole number.
    // The next box shown then moves the pointer onto its default button.
    static void placeForBox(int dx, int dy);
    // Whether a box was asked for the pointer since the last call.
    static bool takeBoxRequest();

    static void setTestMode(bool on);
    static std::optional<QPoint> lastPlacement();
};
