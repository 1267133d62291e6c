// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// The socket address of `path`, or nothing when the path does not fit (107 bytes on Linux).
std::optional<sockaddr_un> addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() >= qsizetype(sizeof(address.sun_path)))
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), encoded.size());
    return address;
}

QString tooLong(const QString &path)
{
    return QStringLiteral("The socket path %1 is longer than the %2 bytes a local socket allows.")
        .arg(QDir::toNativeSeparators(path))
        .arg(sizeof(sockaddr_un::sun_path) - 1);
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits for `events` on `fd` until the deadline; false on time-out or error.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return (entry.revents & events) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool connectBefore(int fd, const sockaddr_un &address, const QDeadlineTimer &deadline)
{
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0 || errno == EISCONN)
            return true;
        switch (errno) {
        case EINTR:
            continue;
        case EINPROGRESS:
        case EALREADY: {
            int error = 0;
            socklen_t size = sizeof(error);
            return waitFor(fd, POLLOUT, deadline) && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0
                   && error == 0;
        }
        case EAGAIN:
            // The listener's queue is full: it is busy or hung. Try again shortly, up to the time-out.
            if (deadline.hasExpired())
                return false;
            ::poll(nullptr, 0, int(qMin<qint64>(10, deadline.remainingTime())));
            continue;
        default: // nobody listens (ENOENT, ECONNREFUSED) or not allowed to
            return false;
        }
    }
}
} // namespace

LocalChannel::LocalChannel(QObject *parent)
    : QObject(parent)
{}

LocalChannel::~LocalChannel()
{
    if (m_fd < 0)
        return;
    delete m_notifier;
    ::close(m_fd);
    const QByteArray path = QFile::encodeName(m_path);
    struct stat status = {};
    if (::lstat(path.constData(), &status) == 0 && status.st_dev == m_device && status.st_ino == m_inode)
        ::unlink(path.constData());
}

QString LocalChannel::socketPath(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name);
}

Outcome<> LocalChannel::listen(const QString &name)
{
    const QString path = socketPath(name);
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address)
        return Outcome<>::failed(tooLong(path));
    struct stat status = {};
    if (::lstat(address->sun_path, &status) == 0) {
        if (!S_ISSOCK(status.st_mode)) {
            return Outcome<>::failed(QStringLiteral("%1 is in the place of the program's socket; it was left as it is.")
                                         .arg(QDir::toNativeSeparators(path)));
        }
        ::unlink(address->sun_path);
    }

    const int fd = newSocket();
    // Only the user may connect: the socket file is made without rights for anyone else.
    const mode_t oldMask = ::umask(0177);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof(*address)) == 0;
    ::umask(oldMask);
    if (!bound || ::listen(fd, SOMAXCONN) != 0 || ::lstat(address->sun_path, &status) != 0) {
        const QString why =
            QStringLiteral("Cannot listen on %1: %2").arg(QDir::toNativeSeparators(path), qt_error_string(errno));
        if (fd >= 0)
            ::close(fd);
        if (bound)
            ::unlink(address->sun_path);
        return Outcome<>::failed(why);
    }
    m_fd = fd;
    m_path = path;
    m_device = status.st_dev;
    m_inode = status.st_ino;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalChannel::acceptPending);
    return {};
}

void LocalChannel::acceptPending()
{
    for (;;) {
        const int connection = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors or memory: the connection stays queued, and the notifier
                // would fire again at once. Try again in a second rather than spin.
                m_notifier->setEnabled(false);
                QTimer::singleShot(1000, m_notifier, [notifier = m_notifier] { notifier->setEnabled(true); });
            }
            return;
        }
        ::close(connection);
        emit connectionReceived();
    }
}

bool LocalChannel::send(const QString &name, const QByteArray &message, int timeoutMilliseconds)
{
    const std::optional<sockaddr_un> address = addressOf(socketPath(name));
    const int fd = address ? newSocket() : -1;
    if (fd < 0)
        return false;
    const QDeadlineTimer deadline(timeoutMilliseconds);
    const bool connected = connectBefore(fd, *address, deadline);
    // The listener counts the connection, not the text: a write it hangs up on is no failure,
    // and MSG_NOSIGNAL keeps that from ending this program with SIGPIPE.
    for (qsizetype written = 0; connected && written < message.size();) {
        const ssize_t sent = ::send(fd, message.constData() + written, message.size() - written, MSG_NOSIGNAL);
        if (sent >= 0)
            written += sent;
        else if (errno != EINTR && !(errno == EAGAIN && waitFor(fd, POLLOUT, deadline)))
            break;
    }
    ::close(fd);
    return connected;
}
