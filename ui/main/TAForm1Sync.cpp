// SPDX-License-Identifier: GPL-3.0-or-later
// The phone sync of the window: the items as the sync sees them, and purchases ticked off on a
// phone applied as "P" applies them. The sync module is loaded only for a data folder that has
// sync set up, after the window's first paint.

#include "ui/main/TAForm1.h"

#include "core/ItemOperations.h"
#include "core/LineText.h"
#include "platform/Clock.h"
#include "platform/SyncModule.h"
#include "widgets/TEdit.h"

class TAForm1::SyncLink : public SyncHost
{
public:
    explicit SyncLink(TAForm1 &form)
        : m_form(form)
    {}

    QList<SyncItem> syncItems() override
    {
        QList<SyncItem> items;
        for (int slot = 1; slot <= Slots; ++slot) {
            items.append({slot, plainName(m_form.edit(slot)->text()), m_form.records().slotLine(slot),
                          m_form.edit(slot)->color()});
        }
        return items;
    }

    PhoneBuy buyFromPhone(int slot, const QString &name, QDate cycleStart, QDate date) override
    {
        if (m_form.m_closed || slot < 1 || slot > Slots || plainName(m_form.edit(slot)->text()) != name
            || !ItemOperations::purchaseOn(m_form.records(), *m_form.m_fields, slot, cycleStart, date))
            return PhoneBuy::Moved;
        m_form.recordPurchase(slot, date);
        return m_form.saveNow() ? PhoneBuy::Bought : PhoneBuy::NotSaved;
    }

    void syncFailed(const QString &message) override
    {
        m_form.m_trayIcon1->showMessage(QStringLiteral("Pantrova"), message);
    }

    QDate today() const override { return Clock::today(); }

private:
    TAForm1 &m_form;
};

void TAForm1::startSync()
{
    if (std::exchange(m_syncStarted, true))
        return;
    requestSync();
}

void TAForm1::requestSync()
{
    // Sync may have been set up from the command line while the window was open.
    if (!m_syncStarted || m_closed || !openSync())
        return;
    m_sync->request();
}

void TAForm1::syncItemsChanged()
{
    if (m_sync && !m_closed)
        m_sync->itemsChanged();
}

bool TAForm1::openSync()
{
    if (m_sync)
        return true;
    if (!SyncModule::isSetUp(m_data.folder()))
        return false;
    if (!m_syncLink)
        m_syncLink = std::make_unique<SyncLink>(*this);
    m_sync = SyncModule::open(m_data.folder(), m_syncLink.get());
    if (!m_sync && !std::exchange(m_syncModuleMissingTold, true))
        m_syncLink->syncFailed(SyncModule::load());
    return bool(m_sync);
}

void TAForm1::stopSync()
{
    // Close never waits for the network: what was not sent goes out at the next start.
    m_sync.reset();
}
