// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/FolderInventory.h"

#include "core/AppError.h"
#include "core/ColorLines.h"
#include "core/DataLocation.h"
#include "core/Dates.h"
#include "core/DueCheck.h"
#include "core/ItemOperations.h"
#include "core/LineText.h"
#include "core/PurchaseHistory.h"
#include "core/RecordLine.h"

FolderInventory::FolderInventory(const QString &folder, QDate today)
    : m_data(folder)
    , m_today(today)
    , m_records(QStringList(DataFolder::Slots, RecordLine::Empty))
{
    if (DataLocation::isFresh(folder))
        return;
    m_records = m_data.loadRecords();
    m_data.markLoaded(DataFolder::File::Records);
    m_names = m_data.loadNames();
    m_data.markLoaded(DataFolder::File::Names);
    if (const std::optional<QStringList> lines = m_data.loadColorLines()) {
        applyColorLines(*lines, m_colors, ColorLoad::Startup);
        m_data.markLoaded(DataFolder::File::Colors);
    }
    m_data.protectUnloadedFiles();
    DueCheck::run(m_records, m_colors, today);
}

QList<SyncItem> FolderInventory::syncItems()
{
    QList<SyncItem> items;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot)
        items.append(
            {slot, plainName(m_names.value(slot - 1)), m_records.slotLine(slot), m_colors.colors(slot).background});
    return items;
}

SyncHost::PhoneBuy FolderInventory::buyFromPhone(int slot, const QString &name, QDate cycleStart, QDate date)
{
    if (plainName(m_names.value(slot - 1)) != name
        || !ItemOperations::purchaseOn(m_records, m_colors, slot, cycleStart, date))
        return PhoneBuy::Moved;
    m_purchases.append(QStringLiteral("%1, %2").arg(name, Dates::format(date)));
    try {
        m_data.saveRecords(m_records);
        m_data.saveColors(backgrounds(m_colors, DataFolder::Slots));
        PurchaseHistory::append(m_data.folder(), PurchaseHistory::of(date, slot, name, m_records.slotLine(slot)));
    } catch (const AppError &error) {
        if (m_saveError.isEmpty())
            m_saveError = error.message();
        return PhoneBuy::NotSaved;
    }
    return PhoneBuy::Bought;
}
