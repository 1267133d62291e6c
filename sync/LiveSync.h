// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's sync: runs the engine when asked (start, "ReCheck", a new day, the window shown
// from the tray), when a command changed items, and every 15 minutes; never two at once, and
// requests that come during a run make one more run after it. A failure of a kind not told
// yet is told once, through the host.

#include "platform/SyncModule.h"
#include "sync/SyncEngine.h"

#include <QObject>
#include <QTimer>

class LiveSync : public QObject, public SyncSession
{
    Q_OBJECT

public:
    static constexpr int PeriodMs = 15 * 60 * 1000;
    // Commands that come in a quick row are synced together.
    static constexpr int GatherMs = 1000;

    LiveSync(const QString &folder, SyncHost &host, SyncEngine::PasswordSource passwords);

    void request() override;
    void itemsChanged() override;

    SyncEngine &engine() { return m_engine; }

private:
    void schedule();
    void runNow();

    QString m_folder;
    SyncHost &m_host;
    SyncEngine m_engine;
    QTimer m_gather;
    QTimer m_period;
    bool m_forced = false;
    bool m_waiting = false;
    // The items as the last sync began with them.
    QList<SyncItem> m_lastSynced;
};
