// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ColorLines.h"

#include "core/AppError.h"
#include "core/DataFolder.h"

void applyColorLines(const QStringList &lines, FieldColorAccess &fields, ColorLoad load)
{
    for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
        if (slot > lines.size()) {
            ListIndexError missing = ListIndexError::outOfBounds(slot - 1);
            missing.setLine(slot);
            throw missing;
        }
        const QString &line = lines.at(slot - 1);
        FieldColors colors = fields.colors(slot);
        try {
            colors.background = colorFromLine(line);
        } catch (ConversionError &error) {
            error.setLine(slot);
            throw;
        }
        if (load == ColorLoad::Startup)
            colors.font = startupFontColor(line);
        else if (const std::optional<ColorValue> font = recheckFontColor(line))
            colors.font = *font;
        fields.setColors(slot, colors);
    }
}
