// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegularFile.h"

#include "core/AppError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

QByteArray read(const QString &path)
{
    // Opened without waiting, so that a pipe in the file's place cannot block the open; only a
    // regular file is read from.
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        throw FileError::cannotOpen(path);
    struct stat status = {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        throw FileError::cannotOpen(path);
    }
    if (status.st_size > MaxBytes) {
        ::close(handle);
        throw FileError(QStringLiteral("%1 is larger than %2 MB: it is not a file Pantrova wrote")
                            .arg(path)
                            .arg(MaxBytes / (1024 * 1024)));
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(handle, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || bytes.size() + n > MaxBytes) {
            ::close(handle);
            throw FileError::cannotOpen(path);
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(handle);
    return bytes;
}

std::optional<QByteArray> tryRead(const QString &path)
{
    try {
        return read(path);
    } catch (const AppError &) {
        return std::nullopt;
    }
}

} // namespace RegularFile
