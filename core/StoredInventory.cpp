// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoredInventory.h"

#include "core/ColorLines.h"
#include "core/DataFolder.h"
#include "core/DataLocation.h"
#include "core/DueCheck.h"
#include "core/RecordLine.h"

#include <array>

namespace StoredInventory {

namespace {
class ColorTable : public FieldColorAccess
{
public:
    FieldColors colors(int slot) const override { return m_colors.at(static_cast<size_t>(slot - 1)); }
    void setColors(int slot, FieldColors colors) override { m_colors.at(static_cast<size_t>(slot - 1)) = colors; }

private:
    std::array<FieldColors, DataFolder::Slots> m_colors{};
};
} // namespace

QList<StoredItem> read(const QString &folder, QDate today)
{
    TextLines records(QStringList(DataFolder::Slots, RecordLine::Empty));
    QStringList names;
    ColorTable colors;
    if (!DataLocation::isFresh(folder)) {
        DataFolder data(folder);
        records = data.loadRecords();
        names = data.loadNames();
        if (const std::optional<QStringList> lines = data.loadColorLines())
            applyColorLines(*lines, colors, ColorLoad::Startup);
        DueCheck::run(records, colors, today);
    }
    QList<StoredItem> items;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot)
        items.append({slot, names.value(slot - 1), records.slotLine(slot), colors.colors(slot)});
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
