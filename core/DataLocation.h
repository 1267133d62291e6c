// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the data folder is. A program run from its build or unpacked into a folder of the
// user's keeps "system/" beside its executable; an installed program, whose folder the user
// cannot write, keeps "pantrova/system/" in the user's data location; "--data-folder" picks
// any folder. The first start fills a folder that holds none of the data files with the
// files of an empty inventory.

#include <QString>

namespace DataLocation {

enum class Source { BesideExecutable, UserData, Chosen };

struct Choice
{
    QString path;
    Source source = Source::BesideExecutable;
};

// Decides without touching the disk. An empty chosen folder means none was given.
Choice choose(const QString &executableFolder, const QString &userDataFolder, const QString &chosenFolder);

// The choice in words, for "--help": "/x/system (beside the executable)".
QString describe(const Choice &choice);

// True while the folder holds none of the three data files: what the first start will fill.
bool isFresh(const QString &folder);

// The lock a program holds inside the data folder while it writes there (the window, and the
// command line's sync).
inline const QString LockName = QStringLiteral(".pantrova.lock");
QString lockPath(const QString &folder);

// Makes the folder and an empty inventory in it when it is fresh, and checks that the folder
// can be written, so nothing the user changes is lost at close. Throws AppError naming the
// folder otherwise.
void prepare(const QString &folder);

} // namespace DataLocation
