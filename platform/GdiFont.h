// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font as the controls' layouts describe it: face name, height in pixels (negative:
// character height, as stored), colour value, bold. toQFont() maps the Windows face names
// to the faces installed here.

#include "core/ColorValue.h"

#include <QFont>
#include <QString>

struct GdiFont
{
    QString name = QStringLiteral("MS Sans Serif");
    int height = -11;
    ColorValue color = 0;
    bool bold = false;

    friend bool operator==(const GdiFont &, const GdiFont &) = default;
};

QFont toQFont(const GdiFont &font);

// The text to draw for a text in the font. Symbol faces are not installed here, so their
// characters become the Unicode characters that show the same symbol in the stand-in face.
QString textToDraw(const QString &text, const GdiFont &font);

// Measurements of a text drawn in the font (the text of textToDraw()), in pixels. A font's
// metrics do not change while the program runs, and controls ask for the same few captions at
// every paint, so each face, height and weight is measured once and each text once in it.
int textWidth(const GdiFont &font, const QString &text);
int textHeight(const GdiFont &font);
int textAscent(const GdiFont &font);
