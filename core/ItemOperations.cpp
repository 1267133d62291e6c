// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ItemOperations.h"

#include "core/AppError.h"
#include "core/DataFolder.h"
#include "core/Dates.h"
#include "core/RecordLine.h"

namespace ItemOperations {

namespace {
CycleResult checkCycle(int days)
{
    if (days < 0)
        return CycleResult::BelowZero;
    if (days > RecordLine::MaxCycleDays)
        return CycleResult::AboveMaximum;
    return CycleResult::Changed;
}

void editLine(TextLines &records, int slot, const std::function<void(QString &)> &edit)
{
    if (slot < 1 || slot > records.count())
        return;
    QString line = records.slotLine(slot);
    edit(line);
    records.setSlotLine(slot, line);
}
} // namespace

QString refusalMessage(CycleResult result)
{
    switch (result) {
    case CycleResult::NotAboveZero:
    case CycleResult::BelowZero:
        return QStringLiteral("Cycle days will be = or < 0, no modification made.");
    case CycleResult::AboveMaximum:
        return QStringLiteral("Cycle days will be > 999, no modification made.");
    case CycleResult::Changed:
        break;
    }
    return QString();
}

bool purchase(TextLines &records, FieldColorAccess &fields, int slot, QDate today)
{
    if (RecordLine::flag(records.slotLine(slot)) != RecordLine::Flag::Tracked)
        return false;
    const ColorValue background = fields.colors(slot).background;
    if (background == FieldColor::Cream) {
        fields.setColors(slot, FieldState::Due);
    } else if (isDueOrPrewarn(background)) {
        editLine(records, slot, [&](QString &line) { RecordLine::setBuyDate(line, Dates::format(today)); });
        fields.setColors(slot, FieldState::Bought);
        return true;
    }
    return false;
}

bool purchaseOn(TextLines &records, FieldColorAccess &fields, int slot, QDate cycleStart, QDate date)
{
    if (slot < 1 || slot > records.count() || !Dates::isStorable(date))
        return false;
    const QString line = records.slotLine(slot);
    if (RecordLine::buyDate(line) != Dates::format(cycleStart) || !isDueOrPrewarn(fields.colors(slot).background))
        return false;
    return purchase(records, fields, slot, date);
}

QList<int> resetAllRed(TextLines &records, FieldColorAccess &fields, QDate today)
{
    QList<int> reset;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
        if (fields.colors(slot).background != FieldColor::Red)
            continue;
        fields.setColors(slot, FieldState::Bought);
        editLine(records, slot, [&](QString &line) { RecordLine::setBuyDate(line, Dates::format(today)); });
        reset.append(slot);
    }
    return reset;
}

void startTracking(TextLines &records, int slot, QDate today)
{
    editLine(records, slot, [&](QString &line) {
        RecordLine::setBuyDate(line, Dates::format(today));
        RecordLine::setFlag(line, RecordLine::Flag::Learning);
        RecordLine::setCycleDays(line, 0);
    });
}

CycleResult adjustCycle(TextLines &records, int slot, int days)
{
    const qint64 cycle = static_cast<qint64>(RecordLine::cycleDays(records.slotLine(slot))) + days;
    if (cycle <= 0)
        return CycleResult::NotAboveZero;
    if (cycle > RecordLine::MaxCycleDays)
        return CycleResult::AboveMaximum;
    editLine(records, slot, [&](QString &line) { RecordLine::setCycleDays(line, cycle); });
    return CycleResult::Changed;
}

CycleResult setCycle(TextLines &records, int slot, int days, QDate today)
{
    const CycleResult check = checkCycle(days);
    if (check != CycleResult::Changed)
        return check;
    editLine(records, slot, [&](QString &line) {
        RecordLine::setBuyDate(line, Dates::format(today));
        RecordLine::setCycleDays(line, days);
        RecordLine::setFlag(line, RecordLine::Flag::Tracked);
    });
    return CycleResult::Changed;
}

CycleResult stopTracking(TextLines &records, int slot, QDate today)
{
    const int days = Dates::daysBetween(RecordLine::buyDate(records.slotLine(slot)), today);
    const CycleResult check = checkCycle(days);
    if (check != CycleResult::Changed)
        return check;
    editLine(records, slot, [&](QString &line) {
        RecordLine::setCycleDays(line, days);
        RecordLine::setFlag(line, RecordLine::Flag::Tracked);
    });
    return CycleResult::Changed;
}

void bumpDate(TextLines &records, int slot, int days)
{
    const QString text = RecordLine::buyDate(records.slotLine(slot));
    const QDate date = Dates::parse(text).addDays(days);
    if (!Dates::isStorable(date))
        throw ConversionError::invalidDate(text);
    editLine(records, slot, [&](QString &line) { RecordLine::setBuyDate(line, Dates::format(date)); });
}

bool setHardDate(TextLines &records, int slot, QDate date)
{
    if (!Dates::isStorable(date))
        return false;
    editLine(records, slot, [&](QString &line) {
        RecordLine::setBuyDate(line, Dates::format(date));
        if (RecordLine::flag(line) != RecordLine::Flag::Learning)
            RecordLine::setFlag(line, RecordLine::Flag::Tracked);
    });
    return true;
}

void setPrewarn(TextLines &records, int slot, int days)
{
    editLine(records, slot, [&](QString &line) { RecordLine::setPrewarnDays(line, days); });
}

void setPrewarnAll(TextLines &records, int days)
{
    for (int slot = 1; slot <= qMin(records.count(), DataFolder::Slots); ++slot)
        setPrewarn(records, slot, days);
}

void clear(TextLines &records, int slot)
{
    records.setSlotLine(slot, RecordLine::Empty);
}

} // namespace ItemOperations
