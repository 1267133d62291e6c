// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicWrite.h"

#include "core/AppError.h"
#include "core/Descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicWrite {

namespace {
const QLatin1StringView Marker(".pantrova-save-");
constexpr int RandomLength = 6;

QString temporaryName(const QString &fileName)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = QLatin1Char('.') + fileName + Marker;
    for (int i = 0; i < RandomLength; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return name;
}

// The file that is really written: the target of a link the user made, when it exists.
QString finalPath(const QString &path, Links links)
{
    const QFileInfo info(path);
    if (links == Links::WriteThrough && info.isSymLink() && info.exists())
        return info.canonicalFilePath();
    return info.absoluteFilePath();
}

// Makes the folder's entries (a rename, a new file) last through a power cut.
void syncFolder(const QString &folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}
} // namespace

void write(const QString &path, const QByteArray &bytes, Links links)
{
    const QString target = finalPath(path, links);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    // A data folder removed while the program runs is made again, so the save still succeeds.
    QDir().mkpath(folder);

    struct stat existing = {};
    const QByteArray targetName = QFile::encodeName(target);
    const bool keepMode = ::lstat(targetName.constData(), &existing) == 0 && S_ISREG(existing.st_mode);

    QByteArray temporary;
    int handle = -1;
    for (int attempt = 0; attempt < 100 && handle < 0; ++attempt) {
        temporary = QFile::encodeName(QDir(folder).filePath(temporaryName(targetInfo.fileName())));
        handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (handle < 0 && errno != EEXIST)
            break;
    }
    if (handle < 0)
        throw FileError::cannotCreate(path);
    bool written = Descriptor::writeAll(handle, bytes) && (!keepMode || ::fchmod(handle, existing.st_mode & 07777) == 0)
                   && ::fsync(handle) == 0;
    written = ::close(handle) == 0 && written;
    if (!written || ::rename(temporary.constData(), targetName.constData()) != 0) {
        ::unlink(temporary.constData());
        throw FileError::cannotCreate(path);
    }
    // The rename itself must last through a power cut before anything that relies on it (a
    // history line) is written.
    syncFolder(folder);
}

namespace {
// The name is the prefix followed by exactly the random letters and digits.
bool isPrefixThenRandom(QStringView name, const QString &prefix)
{
    if (name.size() != prefix.size() + RandomLength || !name.startsWith(prefix))
        return false;
    const QStringView tail = name.right(RandomLength);
    return std::all_of(tail.begin(), tail.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    });
}

const QString TrialPrefix = QStringLiteral(".pantrova-write-test-");
} // namespace

bool isInterruptedWrite(const QString &name, const QString &fileName)
{
    return isPrefixThenRandom(name, QLatin1Char('.') + fileName + Marker);
}

QString writeTrialTemplate()
{
    return TrialPrefix + QStringLiteral("XXXXXX");
}

bool isWriteTrial(const QString &name)
{
    return isPrefixThenRandom(name, TrialPrefix);
}

} // namespace AtomicWrite
