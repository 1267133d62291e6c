// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data folder as the command line's sync sees it, when no window is open on it: read as
// the window's start reads it, with the due check run for today. A purchase ticked off on a
// phone is applied as the window applies it and saved at once, the history line after the
// records.

#include "core/DataFolder.h"
#include "core/FieldColorAccess.h"
#include "platform/SyncModule.h"

#include <QDate>

class FolderInventory : public SyncHost
{
public:
    // Throws AppError when a data file cannot be read completely: a folder that is not
    // understood is not synced.
    FolderInventory(const QString &folder, QDate today);

    QList<SyncItem> syncItems() override;
    PhoneBuy buyFromPhone(int slot, const QString &name, QDate cycleStart, QDate date) override;
    void syncFailed(const QString &) override {}

    // The purchases applied ("Milk, 12/09/2026"), and the first failure to save one.
    const QStringList &purchases() const { return m_purchases; }
    const QString &saveError() const { return m_saveError; }

private:
    DataFolder m_data;
    QDate m_today;
    TextLines m_records;
    QStringList m_names;
    FieldColorTable m_colors;
    QStringList m_purchases;
    QString m_saveError;
};
