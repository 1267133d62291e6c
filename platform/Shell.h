// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a file with the application the desktop associates with it, as the help button
// does. Tests read the last request instead of starting another program.

#include <QString>
#include <optional>

class Shell
{
public:
    // The result is not reported: a missing file simply opens nothing.
    static void open(const QString &path);
    // Opens an HTML document in the user's browser. The desktop picks the program by the
    // file's name, so a document named otherwise (the help's ".hta") is opened through a copy
    // named ".html" in the user's cache folder. A missing file is passed on as it is.
    static void openHtml(const QString &path);

    static void setTestMode(bool on);
    static std::optional<QString> lastOpened();
};
