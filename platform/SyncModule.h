// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phone sync lives in a module of its own, libpantrova-sync.so, with QtNetwork, libical and
// QtKeychain behind it. It is loaded only when a data folder has sync set up (after the window's
// first paint) or a sync option is given, so that a start without sync loads none of them.
// This header is all that the window and the command line know of it.

#include "core/Palette.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// An item as the sync sees it: after the due check, with its field's background.
struct SyncItem
{
    int slot = 0;
    QString name;
    QString record;
    ColorValue background = 0;
    friend bool operator==(const SyncItem &, const SyncItem &) = default;
};

// What the sync asks of whoever holds the items (the window, or the command line's own copy of
// the data folder).
class SyncHost
{
public:
    virtual ~SyncHost() = default;
    // All 100 items as they stand now, after a due check.
    virtual QList<SyncItem> syncItems() = 0;
    // A task ticked off on a phone: the item is bought as "P" buys it, dated `date`, if it is
    // still the one the task was made for (same slot and name, tracked, due or prewarn, in the
    // cycle that started on cycleStart), and the change is saved at once.
    enum class PhoneBuy {
        Bought,
        Moved,    // the item has moved on here; nothing was changed
        NotSaved, // bought, but the files could not be written: the task is asked for again
    };
    virtual PhoneBuy buyFromPhone(int slot, const QString &name, QDate cycleStart, QDate date) = 0;
    // A new kind of failure (not one per attempt): told once, in a tray notification.
    virtual void syncFailed(const QString &message) = 0;
    virtual QDate today() const { return QDate::currentDate(); }
};

class SyncSession
{
public:
    virtual ~SyncSession() = default;
    // The time has come (start, "ReCheck", a new day, the window shown): a sync runs soon.
    // Requests that come while one runs are folded into one more run after it.
    virtual void request() = 0;
    // A command may have changed items: a sync runs soon if the items differ from the last
    // ones synced.
    virtual void itemsChanged() = 0;
};

// A command-line sync option: "setup", "status", "now", "off" or "ics".
struct SyncCommand
{
    QString name;
    QString folder;
    QString url;
    QString user;
    bool passwordFromStdin = false;
    QString file;                                  // "ics": where to write; empty for standard output
    std::function<void(const QString &)> print;    // to standard output
    std::function<void(const QString &)> complain; // to standard error, as "pantrova: ..."
};

namespace SyncModule {

// Raised whenever the calls below change shape: a module of another build is not used.
constexpr int InterfaceVersion = 1;

// The file that marks a data folder as synced.
inline QString settingsPath(const QString &folder)
{
    return folder + QStringLiteral("/sync.ini");
}
bool isSetUp(const QString &folder);

// The module is looked for beside the program, then in the installed folder
// (../lib/<architecture>/pantrova/). Empty when it was
// found and loaded, else why not.
QString load();

// A sync session on the folder; nothing when the module cannot be loaded or the folder has no
// sync set up.
std::unique_ptr<SyncSession> open(const QString &folder, SyncHost *host);

// Runs a command-line sync option and gives its exit status (2 when the module is missing).
int run(const SyncCommand &command);

} // namespace SyncModule
