// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Descriptor.h"

#include <cerrno>
#include <unistd.h>

namespace Descriptor {

bool writeAll(int handle, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handle, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace Descriptor
