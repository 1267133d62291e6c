// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ColorLines.h"

#include "core/AppError.h"
#include "core/DataFolder.h"

void applyColorLines(const QStringList &lines, FieldColorAccess &fields, ColorLoad load)
{
    for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
        if (slot > lines.size())
            throw ListIndexError::outOfBounds(slot - 1);
        const QString &line = lines.at(slot - 1);
        FieldColors colors = fields.colors(slot);
        colors.background = colorFromLine(line);
        if (load == ColorLoad::Startup)
            colors.font = startupFontColor(line);
        else if (const std::optional<ColorValue> font = recheckFontColor(line))
            colors.font = *font;
        fields.setColors(slot, colors);
    }
}
