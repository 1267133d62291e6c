// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DataLocation.h"

#include "core/AppError.h"
#include "core/AtomicWrite.h"
#include "core/DataFolder.h"
#include "core/RecordLine.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace DataLocation {

namespace {
const QString Folder = QStringLiteral("system");

// The folders of programs installed for everybody never hold one user's data, even when
// root, who may write anywhere, runs the program.
bool isSystemProgramFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    for (const char *prefix : {"/usr/", "/bin/", "/sbin/"}) {
        if (path.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}
} // namespace

Choice choose(const QString &executableFolder, const QString &userDataFolder, const QString &chosenFolder)
{
    if (!chosenFolder.isEmpty())
        return {QDir::cleanPath(QDir(chosenFolder).absolutePath()), Source::Chosen};
    const QString beside = QDir(executableFolder).filePath(Folder);
    if (QFileInfo(beside).isDir()
        || (QFileInfo(executableFolder).isWritable() && !isSystemProgramFolder(executableFolder)))
        return {beside, Source::BesideExecutable};
    return {QDir(userDataFolder).filePath(QStringLiteral("pantrova/") + Folder), Source::UserData};
}

QString describe(const Choice &choice)
{
    switch (choice.source) {
    case Source::BesideExecutable:
        return QStringLiteral("%1 (beside the executable)").arg(choice.path);
    case Source::UserData:
        return QStringLiteral("%1 (in the user's data location: the executable's folder is not writable)")
            .arg(choice.path);
    case Source::Chosen:
        break;
    }
    return QStringLiteral("%1 (chosen with --data-folder)").arg(choice.path);
}

QString lockPath(const QString &folder)
{
    return QDir(folder).filePath(LockName);
}

bool isFresh(const QString &folder)
{
    const DataFolder data(folder);
    for (DataFolder::File file : DataFolder::Files) {
        if (QFileInfo::exists(data.path(file)))
            return false;
    }
    return true;
}

void prepare(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("The data folder %1 cannot be created.").arg(folder));
    // A trial file is the only sure test: permissions, a read-only mount or a full disk all
    // show here, before the user has changed anything.
    QTemporaryFile trial(QDir(folder).filePath(AtomicWrite::writeTrialTemplate()));
    if (!trial.open() || trial.write("x", 1) != 1 || !trial.flush())
        throw AppError(QStringLiteral("The data folder %1 cannot be written.").arg(folder));
    trial.close();
    if (!isFresh(folder))
        return;
    DataFolder data(folder);
    try {
        data.saveRecords(TextLines(QStringList(DataFolder::Slots, RecordLine::Empty)));
        data.saveNames(QStringList(DataFolder::Slots));
        data.saveColors(QList<ColorValue>(DataFolder::Slots, FieldColor::Silver));
    } catch (const FileError &error) {
        throw AppError(QStringLiteral("The data folder %1 cannot be written.\n%2").arg(folder, error.message()));
    }
}

} // namespace DataLocation
