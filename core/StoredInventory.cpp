// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoredInventory.h"

#include "core/ColorLines.h"
#include "core/DataFolder.h"
#include "core/DataLocation.h"
#include "core/DueCheck.h"
#include "core/LineText.h"
#include "core/RecordLine.h"

#include "core/AppError.h"

#include <QFileInfo>
#include <array>

namespace StoredInventory {

namespace {
// The colours of a single line's trial check, which only tells whether the line converts.
class OneLineColors : public FieldColorAccess
{
public:
    FieldColors colors(int) const override { return FieldState::Plain; }
    void setColors(int, FieldColors) override {}
};

// A report names the file and the line of a damaged entry: "InvRecs.txt, line 4: '13/45/2026'
// is not a valid date". (The window's boxes keep the bare message.)
QString atLine(const DataFolder &data, DataFolder::File file, int line, const QString &message)
{
    return QStringLiteral("%1, line %2: %3").arg(QFileInfo(data.path(file)).fileName()).arg(line).arg(message);
}

template<typename Step> void atLineOf(const DataFolder &data, DataFolder::File file, Step step)
{
    try {
        step();
    } catch (const AppError &error) {
        if (error.line() <= 0)
            throw;
        throw AppError(atLine(data, file, error.line(), error.message()));
    }
}
} // namespace

QList<StoredItem> read(const QString &folder, QDate today)
{
    TextLines records(QStringList(DataFolder::Slots, RecordLine::Empty));
    QStringList names;
    FieldColorTable colors;
    QStringList problems(DataFolder::Slots);
    OneLineColors ignoredColors;
    if (!DataLocation::isFresh(folder)) {
        DataFolder data(folder);
        records = data.loadRecords();
        names = data.loadNames();
        if (const std::optional<QStringList> lines = data.loadColorLines())
            atLineOf(data, DataFolder::File::Colors, [&] { applyColorLines(*lines, colors, ColorLoad::Startup); });
        // A record that does not convert is named and left out; the others are still reported.
        // (The window's check stops at such a line, unless its item is red: then it never
        // reads it.)
        TextLines readable = records;
        for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
            try {
                DueCheck::run(TextLines({records.slotLine(slot)}), ignoredColors, today);
            } catch (const AppError &error) {
                problems[slot - 1] = atLine(data, DataFolder::File::Records, slot, error.message());
                readable.setSlotLine(slot, RecordLine::Empty);
            }
        }
        DueCheck::run(readable, colors, today);
    }
    QList<StoredItem> items;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
        items.append(
            {slot, plainName(names.value(slot - 1)), records.slotLine(slot), colors.colors(slot), problems[slot - 1]});
    }
    return items;
}

QString stateName(ColorValue background)
{
    switch (background) {
    case FieldColor::Silver:
        return QStringLiteral("plain");
    case FieldColor::Cream:
        return QStringLiteral("bought");
    case FieldColor::Yellow:
        return QStringLiteral("prewarn");
    case FieldColor::Red:
        return QStringLiteral("due");
    case FieldColor::Gray:
        return QStringLiteral("learning");
    case FieldColor::LightGray:
        return QStringLiteral("gray");
    case FieldColor::DarkGray:
        return QStringLiteral("dark gray");
    default:
        break;
    }
    return colorLine(background);
}

} // namespace StoredInventory
