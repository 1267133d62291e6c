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

    static void setTestMode(bool on);
    static std::optional<QString> lastOpened();
};
