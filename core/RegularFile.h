// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a file that must be a plain file of modest size: the data files and the history.
// Whatever else may lie in its place (a named pipe, which would block the reader forever, a
// device such as /dev/zero, a folder) or a file far larger than any the program writes is
// refused with a message instead of hanging or taking all the memory there is.

#include <QByteArray>
#include <QString>
#include <optional>

namespace RegularFile {

// Larger than a hundred names of the longest kind a person types, by far.
constexpr qint64 MaxBytes = 64 * 1024 * 1024;

// The file's bytes. Throws FileError "Cannot open file %s" when it cannot be opened or is not a
// regular file, and a FileError naming the limit when it is larger than MaxBytes.
QByteArray read(const QString &path);

// The bytes, or nothing where read() would throw.
std::optional<QByteArray> tryRead(const QString &path);

} // namespace RegularFile
