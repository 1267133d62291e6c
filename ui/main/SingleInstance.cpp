// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/SingleInstance.h"

#include "core/DataLocation.h"

#include "platform/LocalChannel.h"
#include "platform/LockFile.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

namespace {

// The same folder reached through links or "..", or not created yet, gives the same path.
QString canonicalFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? info.absoluteFilePath() : QDir(parent).filePath(info.fileName());
}
} // namespace

SingleInstance::SingleInstance(const QString &dataFolderPath, QObject *parent)
    : QObject(parent)
    , m_dataFolder(canonicalFolder(dataFolderPath))
    , m_hash(QString::fromLatin1(
          QCryptographicHash::hash(m_dataFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16)))
{
    m_serverName = QStringLiteral("pantrova-%1").arg(m_hash);
    m_inFolderLockPath = DataLocation::lockPath(m_dataFolder);
    m_earlierLockPath = QFileInfo(m_dataFolder).absoluteDir().filePath(DataLocation::LockName);
}

// The lock's second place, asked for only when the first takes no file.
QString SingleInstance::runtimeLockPath() const
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : QDir(runtime).filePath(QStringLiteral("pantrova-%1.lock").arg(m_hash));
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const
{
    return m_lock ? m_lock->path() : QString();
}

void SingleInstance::release()
{
    m_lock.reset();
}

bool SingleInstance::claim()
{
    m_refusal.clear();
    Outcome outcome = claimAt(m_inFolderLockPath);
    // A read-only program folder: the runtime folder still keeps two copies off the same data.
    if (outcome == Outcome::CannotLock) {
        if (const QString runtimePath = runtimeLockPath(); !runtimePath.isEmpty())
            outcome = claimAt(runtimePath);
    }
    if (outcome == Outcome::Claimed || outcome == Outcome::CannotLock) {
        if (const Outcome earlier = earlierVersion(); earlier != Outcome::Claimed) {
            m_lock.reset();
            outcome = earlier;
        }
    }
    switch (outcome) {
    case Outcome::Claimed:
        listen();
        return true;
    case Outcome::CannotLock:
        // Nowhere to put a lock: run unguarded rather than not at all.
        m_lock.reset();
        return true;
    case Outcome::Answered:
    case Outcome::Held:
        break;
    }
    return false;
}

SingleInstance::Outcome SingleInstance::earlierVersion()
{
    // Only read: the place beside the folder is not the program's to write any more.
    const LockFile earlier(m_earlierLockPath);
    if (!earlier.isHeld())
        return Outcome::Claimed;
    // A lock of this version there guards a folder of its own (this one's parent).
    if (const std::optional<LockFile::Holder> holder = earlier.holder(); holder && !holder->guarded.isEmpty())
        return Outcome::Claimed;
    if (askToActivate(m_answerWait))
        return Outcome::Answered;
    m_refusal = QStringLiteral("An earlier version of Pantrova holds the folder %1, and with it the data folder %2, "
                               "but does not answer.\nClose it and start Pantrova again.")
                    .arg(QDir::toNativeSeparators(QFileInfo(m_earlierLockPath).absolutePath()),
                         QDir::toNativeSeparators(m_dataFolder));
    return Outcome::Held;
}

SingleInstance::Outcome SingleInstance::claimAt(const QString &lockPath)
{
    m_lock = std::make_unique<LockFile>(lockPath, m_dataFolder);
    const ::Outcome<LockFile::Failure> locked = m_lock->tryLock();
    if (locked)
        return Outcome::Claimed;
    if (locked.failure() != LockFile::Failure::Exists)
        return Outcome::CannotLock;
    if (askToActivate(0))
        return Outcome::Answered;

    // Nobody answers. Unless a live process still holds the lock (the removal fails then),
    // it is left over from a crash or comes with a copied folder: empty, garbage, a dead
    // process, another computer's.
    if (m_lock->removeUnheld() && m_lock->tryLock())
        return Outcome::Claimed;
    // A lock that came with a read-only program folder cannot be removed, only avoided.
    if (!QFileInfo(QFileInfo(lockPath).absolutePath()).isWritable())
        return Outcome::CannotLock;

    const std::optional<LockFile::Holder> holder = m_lock->holder();
    const QString host = holder ? holder->host : QString();
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        // A shared folder: the program on the other computer cannot be asked to step aside.
        m_refusal = QStringLiteral("The data folder %1 is in use by Pantrova on the computer \"%2\".\n"
                                   "Close Pantrova there first. If it no longer runs there, delete %3.")
                        .arg(QDir::toNativeSeparators(m_dataFolder), host, QDir::toNativeSeparators(lockPath));
        return Outcome::Held;
    }
    // A Pantrova on this computer that is still starting answers in a moment.
    if (askToActivate(m_answerWait))
        return Outcome::Answered;
    // An empty folder in the place of the lock names no one and nobody can hold it. A file that
    // cannot be opened may be another user's live lock: the message says what to delete.
    if (!holder && QFileInfo(lockPath).isDir() && QDir().rmdir(lockPath) && m_lock->tryLock())
        return Outcome::Claimed;
    if (m_lock->isHeld()) {
        // A live process: deleting its lock would let two programs write the same files.
        m_refusal = QStringLiteral("Another Pantrova%1 holds the data folder %2 but does not answer.\n"
                                   "Close it and start Pantrova again.")
                        .arg(holder ? QStringLiteral(" (process %1)").arg(holder->pid) : QString(),
                             QDir::toNativeSeparators(m_dataFolder));
        return Outcome::Held;
    }
    m_refusal = QStringLiteral("The lock %2 of the data folder %1 cannot be opened or removed.\n"
                               "If no Pantrova runs on that folder, delete %2.")
                    .arg(QDir::toNativeSeparators(m_dataFolder), QDir::toNativeSeparators(lockPath));
    return Outcome::Held;
}

bool SingleInstance::askToActivate(int waitMilliseconds) const
{
    const QDeadlineTimer deadline(waitMilliseconds);
    for (;;) {
        if (LocalChannel::send(m_serverName, QByteArrayLiteral("activate\n"), 1000))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

void SingleInstance::listen()
{
    m_channel = new LocalChannel(this);
    connect(m_channel, &LocalChannel::connectionReceived, this, &SingleInstance::activationRequested);
    // Unreachable by a second start, this one still runs: the lock keeps the files safe.
    if (const ::Outcome<> listened = m_channel->listen(m_serverName); !listened)
        qWarning("pantrova: %s", qPrintable(listened.message()));
}
