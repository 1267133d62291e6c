// SPDX-License-Identifier: GPL-3.0-or-later
// A record line from a file, its fields, the due check over a records file made of such lines
// and the reports of the items it coloured. A line that does not convert ends the check with
// the program's own error; a field that is set reads back as set, and the line keeps every
// other character.

#include "FuzzCheck.h"
#include "core/AppError.h"
#include "core/DueCheck.h"
#include "core/InventoryReport.h"
#include "core/RecordLine.h"

#include <array>

namespace {
const QDate Today(2026, 12, 9);
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList lines = fuzzParts(data, size);
    while (lines.size() > 100)
        lines.removeLast();
    FieldColorTable fields;
    try {
        DueCheck::run(TextLines(lines), fields, Today);
    } catch (const AppError &) {}
    QList<StoredItem> items;
    for (int slot = 1; slot <= lines.size(); ++slot)
        items.append({slot, QStringLiteral("Item %1").arg(slot), lines.value(slot - 1), fields.colors(slot)});
    try {
        InventoryReport::due(items, Today);
        InventoryReport::list(items, Today);
        InventoryReport::csv(items, Today);
    } catch (const AppError &) {}
    for (const QString &line : std::as_const(lines)) {
        try {
            DueCheck::remainingDays(line, Today);
        } catch (const AppError &) {}
        QString changed = line;
        const int days = line.size() % (RecordLine::MaxCycleDays + 1);
        RecordLine::setCycleDays(changed, days);
        RecordLine::setPrewarnDays(changed, days % 10);
        FUZZ_CHECK(RecordLine::cycleDays(changed) == days);
        FUZZ_CHECK(RecordLine::prewarnDays(changed) == days % 10);
        FUZZ_CHECK(changed.size() == std::max<qsizetype>(line.size(), RecordLine::Length));
        FUZZ_CHECK(changed.mid(RecordLine::Length) == line.mid(RecordLine::Length));
        FUZZ_CHECK(RecordLine::buyDate(changed) == RecordLine::buyDate(line) || line.size() < RecordLine::Length);
    }
    return 0;
}
