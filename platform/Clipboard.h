// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clipboard's text format, as the numeric edits copy, cut and paste through it. Anything
// on the clipboard that is not text counts as "no text".

#include <QString>
#include <optional>

class Clipboard
{
public:
    // The clipboard's text; nullopt when it holds no text at all (an empty text is still text).
    static std::optional<QString> text();
    static void setText(const QString &text);
    static void clear();
};
