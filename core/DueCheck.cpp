// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DueCheck.h"

#include "core/DataFolder.h"
#include "core/Dates.h"
#include "core/RecordLine.h"

namespace DueCheck {

int remainingDays(const QString &recordLine, QDate today)
{
    const int cycle = RecordLine::cycleDays(recordLine);
    return cycle - Dates::daysBetween(RecordLine::buyDate(recordLine), today);
}

void run(const TextLines &records, FieldColorAccess &fields, QDate today)
{
    // Lines past the last slot have no field to colour; they are kept but never checked.
    const int lines = qMin(records.count(), DataFolder::Slots);
    for (int slot = 1; slot <= lines; ++slot) {
        const QString line = records.slotLine(slot);
        if (RecordLine::buyDate(line) == Dates::UnsetDate || RecordLine::flag(line) != RecordLine::Flag::Tracked)
            continue;
        if (fields.colors(slot).background == FieldColor::Red)
            continue;
        const int remaining = remainingDays(line, today);
        if (RecordLine::prewarnDays(line) >= remaining)
            fields.setColors(slot, FieldState::Prewarn);
        if (remaining == 0)
            fields.setColors(slot, FieldState::Due);
    }
}

} // namespace DueCheck
