// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing to an open file descriptor of the system's.

#include <QByteArray>

namespace Descriptor {

// Writes all the bytes, going on after an interrupted or partial write; false on an error, with
// errno telling which.
bool writeAll(int handle, const QByteArray &bytes);

} // namespace Descriptor
