// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemColors.h"

#include <array>

namespace {
// The classic Windows 2000 ("Windows Standard") scheme, indexed by system colour number.
// The controls were designed against it, so it stays fixed whatever the desktop theme is.
constexpr std::array<QRgb, 31> systemScheme{
    qRgb(212, 208, 200), //  0 scroll bar
    qRgb(58, 110, 165),  //  1 desktop
    qRgb(10, 36, 106),   //  2 active caption
    qRgb(128, 128, 128), //  3 inactive caption
    qRgb(212, 208, 200), //  4 menu
    qRgb(255, 255, 255), //  5 window
    qRgb(0, 0, 0),       //  6 window frame
    qRgb(0, 0, 0),       //  7 menu text
    qRgb(0, 0, 0),       //  8 window text
    qRgb(255, 255, 255), //  9 caption text
    qRgb(212, 208, 200), // 10 active border
    qRgb(212, 208, 200), // 11 inactive border
    qRgb(128, 128, 128), // 12 application workspace
    qRgb(10, 36, 106),   // 13 highlight
    qRgb(255, 255, 255), // 14 highlight text
    qRgb(212, 208, 200), // 15 button face
    qRgb(128, 128, 128), // 16 button shadow
    qRgb(128, 128, 128), // 17 grey text
    qRgb(0, 0, 0),       // 18 button text
    qRgb(212, 208, 200), // 19 inactive caption text
    qRgb(255, 255, 255), // 20 button highlight
    qRgb(64, 64, 64),    // 21 3-D dark shadow
    qRgb(212, 208, 200), // 22 3-D light
    qRgb(0, 0, 0),       // 23 tooltip text
    qRgb(255, 255, 225), // 24 tooltip background
    qRgb(181, 181, 181), // 25 (unused by Windows)
    qRgb(0, 0, 128),     // 26 hot-tracked item
    qRgb(166, 202, 240), // 27 active caption gradient
    qRgb(192, 192, 192), // 28 inactive caption gradient
    qRgb(10, 36, 106),   // 29 menu highlight
    qRgb(212, 208, 200), // 30 menu bar
};
} // namespace

QColor toQColor(ColorValue value)
{
    if (isSystemColor(value)) {
        const quint32 index = value & 0xFF;
        // An unknown system colour draws black, as GetSysColor gives 0 for it.
        return index < systemScheme.size() ? QColor(systemScheme[index]) : QColor(Qt::black);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColorValue toColorValue(const QColor &color)
{
    return ColorValue(color.red()) | (ColorValue(color.green()) << 8) | (ColorValue(color.blue()) << 16);
}

ColorValue resolveColor(ColorValue value)
{
    return isSystemColor(value) ? toColorValue(toQColor(value)) : (value & 0x00FFFFFF);
}
