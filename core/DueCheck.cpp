// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DueCheck.h"

#include "core/AppError.h"
#include "core/DataFolder.h"
#include "core/Dates.h"
#include "core/RecordLine.h"

namespace DueCheck {

int remainingDays(const QString &recordLine, QDate today)
{
    const int cycle = RecordLine::cycleDays(recordLine);
    return cycle - Dates::daysBetween(RecordLine::buyDate(recordLine), today);
}

namespace {
bool isDue(const QString &recordLine, int remaining, QDate today)
{
    // An item whose cycle ended while nobody checked is as due as on its last day; a buy date
    // in the future counts its distance from today and only meets zero on one day.
    return remaining == 0 || (remaining < 0 && Dates::parse(RecordLine::buyDate(recordLine)) < today);
}

} // namespace

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
        try {
            const int remaining = remainingDays(line, today);
            if (RecordLine::prewarnDays(line) >= remaining)
                fields.setColors(slot, FieldState::Prewarn);
            if (isDue(line, remaining, today))
                fields.setColors(slot, FieldState::Due);
        } catch (ConversionError &error) {
            error.setLine(slot);
            throw;
        }
    }
}

} // namespace DueCheck
