// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/LiveSync.h"

#include <QFile>

LiveSync::LiveSync(const QString &folder, SyncHost &host, SyncEngine::PasswordSource passwords)
    : m_folder(folder)
    , m_host(host)
    , m_engine(folder, host, std::move(passwords))
{
    m_gather.setSingleShot(true);
    m_gather.setInterval(GatherMs);
    connect(&m_gather, &QTimer::timeout, this, &LiveSync::runNow);
    m_period.setInterval(PeriodMs);
    connect(&m_period, &QTimer::timeout, this, &LiveSync::request);
    m_period.start();
}

void LiveSync::request()
{
    m_forced = true;
    schedule();
}

void LiveSync::itemsChanged()
{
    schedule();
}

void LiveSync::schedule()
{
    if (m_engine.isRunning())
        m_waiting = true;
    else if (!m_gather.isActive())
        m_gather.start();
}

void LiveSync::runNow()
{
    // Switched off from the command line meanwhile: nothing to do, and nothing to complain of.
    if (!QFile::exists(SyncSettings::path(m_folder)))
        return;
    const QList<SyncItem> items = m_host.syncItems();
    // A command that changed nothing the sync sees costs no request; after a failure the next
    // change, request or period tries again.
    if (!std::exchange(m_forced, false) && items == m_lastSynced)
        return;
    m_lastSynced = items;
    m_engine.run([this](const SyncEngine::Result &result) {
        if (!result.ok && result.newKindOfFailure)
            m_host.syncFailed(QStringLiteral("Sync with the task list failed: %1").arg(result.error));
        if (std::exchange(m_waiting, false))
            schedule();
    });
}
