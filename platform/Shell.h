// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a file with the application the desktop associates with it, as the help button
// does, through the desktop's opener (xdg-open). Tests read the last request instead of
// starting another program.

#include <QString>
#include <functional>
#include <optional>

class Shell
{
public:
    // Called on the event loop when the opener is missing or says it could not open the file,
    // with the path it was given.
    using Failure = std::function<void(const QString &path)>;

    static void open(const QString &path, Failure failed = {});
    // Opens an HTML document in the user's browser. The desktop picks the program by the
    // file's name, so a document named otherwise (the help's ".hta") is opened through a copy
    // named ".html" in the user's cache folder (~/.cache/pantrova, named like the data
    // folder). A missing file is passed on as it is.
    static void openHtml(const QString &path, Failure failed = {});

    static void setTestMode(bool on);
    static std::optional<QString> lastOpened();
};
