// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pantrova's command line. "--data-folder DIR" chooses the data folder of the window; "--help",
// "--version" and the read-only reports "--due", "--list [--csv]" and "--history [NAME]" print
// their answer and end: they never open the window, never write a file and need no display,
// so they may run while the window is open on the same folder. "--notify" (a desktop
// notification of what is due) and "--autostart on|off" end at once too; "--hidden" starts
// the window hidden in the notification area. The sync options ("--sync-setup", "--sync-status",
// "--sync-now", "--sync-off") and the calendar feed "--ics" are run by the sync module.

#include "core/DataLocation.h"

#include <QCommandLineParser>
#include <QStringList>

class CommandLine
{
public:
    explicit CommandLine(const QStringList &arguments);

    // The program's name, version and desktop entry, set before the application object.
    static void setIdentity();
    // True when the arguments ask for help, the version or a report, or are wrong: all of
    // these are answered on the terminal.
    static bool runsWithoutWindow(int argc, char *argv[]);

    // Prints what the arguments ask for and returns the exit status: 0, 1 when "--due" finds
    // something due, 2 for bad arguments or a damaged file. Needs the application object.
    int run() const;

    struct WindowStart
    {
        QString dataFolder;
        int exitStatus = 0;  // not 0: the message is given and the program ends
        bool hidden = false; // the window starts hidden in the notification area
    };
    // The data folder for the window, created and checked; bad arguments and a folder that
    // cannot be created or written are reported here, before anything can be lost.
    WindowStart prepareWindow() const;

    DataLocation::Choice dataFolder() const;

private:
    bool asksForHelp() const;
    bool asksForReport() const;
    int report() const;
    // Whether the data folder, when given by name, is a folder that can be read (said if not).
    bool folderIsThere() const;
    int runSync(const QString &name) const;

    QString parseError() const;

    QCommandLineParser m_parser;
    bool m_parsed = false;
    QString m_error;
};
