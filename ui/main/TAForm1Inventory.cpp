// SPDX-License-Identifier: GPL-3.0-or-later
// The due check, "ReCheck", the purchase buttons and "Reset All Red".

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/ColorLines.h"
#include "core/DueCheck.h"
#include "core/ItemOperations.h"
#include "core/Numbers.h"
#include "core/PurchaseHistory.h"
#include "core/RecordLine.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "widgets/TEdit.h"

#include <QFileInfo>

void TAForm1::CheckDates()
{
    DueCheck::run(records(), *m_fields, Clock::today());
}

void TAForm1::HoverButton102Click(QObject *)
{
    setStatusLine(QString());
    // A file this run must not overwrite is neither saved nor read back, and the user is told.
    QStringList unchanged;
    for (DataFolder::File file : {DataFolder::File::Records, DataFolder::File::Colors}) {
        if (m_data.isProtected(file))
            unchanged.append(QFileInfo(m_data.path(file)).fileName());
    }
    if (!unchanged.isEmpty()) {
        setStatusLine(QStringLiteral(" %1 left unchanged: not read completely at start.")
                          .arg(unchanged.join(QStringLiteral(" and "))));
    }
    try {
        // Saving and reading back leave the screen as it was and make the files match it.
        m_data.saveRecords(records());
        m_data.saveColors(backgrounds(*m_fields, Slots));

        if (!m_data.isProtected(DataFolder::File::Records))
            records() = m_data.loadRecords();
        if (!m_data.isProtected(DataFolder::File::Colors)) {
            if (const std::optional<QStringList> lines = m_data.loadColorLines())
                applyColorLines(*lines, *m_fields, ColorLoad::Recheck);
        }
        CheckDates();
    } catch (const FileError &error) {
        // Told now: the save that follows every command does not tell it again.
        m_saveFailing = true;
        showError(error.message());
    } catch (const AppError &error) {
        showError(error.message());
    }
    if (const QString backups = backupNotice(); !backups.isEmpty())
        showWarning(backups);
    requestSync();
}

void TAForm1::PurchaseButtonsClick(QObject *sender)
{
    const int slot = Numbers::fromName(sender->objectName());
    setStatusLine(QString());
    m_currentSlot = slot;
    if (ItemOperations::purchase(records(), *m_fields, slot, Clock::today()))
        recordPurchase(slot, Clock::today());
}

void TAForm1::ResetAllReds1Click(QObject *)
{
    Pointer::placeForBox(-10, 35);
    if (MessageBox::question(this, QStringLiteral("Confirm"), QStringLiteral("Clear all red highlighted items?"))
        == MessageBox::Answer::No)
        return;
    for (int slot : ItemOperations::resetAllRed(records(), *m_fields, Clock::today()))
        recordPurchase(slot, Clock::today());
    m_itemMenuAutoPopup = false;
}

void TAForm1::recordPurchase(int slot, QDate date)
{
    if (slot < 1 || slot > Slots)
        return;
    // Written to the history once the records that show it are on disk (saveNow).
    m_unrecordedPurchases.append(PurchaseHistory::of(date, slot, edit(slot)->text(), records().slotLine(slot)));
}
