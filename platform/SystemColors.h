// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns colour values (core/ColorValue.h) into QColor; system colours come from one fixed scheme.

#include "core/ColorValue.h"

#include <QColor>

// System colours are resolved first; the high byte of a plain value is ignored.
QColor toQColor(ColorValue value);

// The plain colour value of a QColor (never a system colour).
ColorValue toColorValue(const QColor &color);

// A system colour value resolved to its plain colour value; plain values pass unchanged.
ColorValue resolveColor(ColorValue value);
