// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LockFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

LockFile::LockFile(const QString &path, const QString &guarded)
    : m_path(path)
    , m_guarded(guarded)
{}

LockFile::~LockFile()
{
    if (m_handle < 0)
        return;
    // Removed while still held, so that no other start can take the file for a left-over.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_handle);
}

Outcome<LockFile::Failure> LockFile::tryLock()
{
    if (m_handle >= 0)
        return {};
    const QByteArray name = QFile::encodeName(m_path);
    const int handle = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle < 0)
        return Outcome<Failure>::failed(errno == EEXIST ? Failure::Exists : Failure::CannotCreate);
    // Where the file system knows no flock() (some network shares), the file alone locks.
    ::flock(handle, LOCK_EX | LOCK_NB);
    const QByteArray text = QByteArray::number(qint64(::getpid())) + '\n' + QCoreApplication::applicationName().toUtf8()
                            + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
                            + (m_guarded.isEmpty() ? QByteArray() : m_guarded.toUtf8() + '\n');
    if (::write(handle, text.constData(), size_t(text.size())) != text.size()) {
        ::unlink(name.constData());
        ::close(handle);
        return Outcome<Failure>::failed(Failure::CannotCreate);
    }
    m_handle = handle;
    return {};
}

bool LockFile::removeUnheld() const
{
    const QByteArray name = QFile::encodeName(m_path);
    // Opened for writing, a folder in the file's place fails here.
    const int handle = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool removed = ::flock(handle, LOCK_EX | LOCK_NB) == 0 && ::unlink(name.constData()) == 0;
    ::close(handle);
    return removed;
}

bool LockFile::isHeld() const
{
    const int handle = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool held = ::flock(handle, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(handle);
    return held;
}

std::optional<LockFile::Holder> LockFile::holder() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.read(4096).split('\n');
    bool number = false;
    // The second line names the program, which nothing here asks for.
    Holder holder{lines[0].toLongLong(&number), QString::fromUtf8(lines.value(2)), QString::fromUtf8(lines.value(3))};
    if (!number || holder.pid <= 0)
        return std::nullopt;
    return holder;
}
