// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A local socket that one program listens on and another one connects to, to be told "come to
// the front". Plain Unix-domain stream sockets with QtCore only: the networking module and the
// libraries it loads would cost every start time and memory for this one use.

#include "platform/Outcome.h"

#include <QObject>
#include <sys/types.h>

class QSocketNotifier;

class LocalChannel : public QObject
{
    Q_OBJECT

public:
    explicit LocalChannel(QObject *parent = nullptr);
    // Stops listening and removes the socket file, unless another listener has taken its place.
    ~LocalChannel() override;

    // Listens on the socket named `name` in the user's runtime folder (the temporary folder
    // where there is none), readable and writable by the user only. The name must be the
    // caller's own, guarded for instance by a lock file: a socket already there is taken for
    // one a killed program left and replaced. Fails, saying why, when the path is too long for
    // a socket or something else is in its place.
    Outcome<> listen(const QString &name);

    static QString socketPath(const QString &name);

    // Connects to the listener on `name`, hands it `message` and hangs up. False when nobody
    // listens there or the listener has not taken the connection within the time-out, so a
    // hung program never holds up the caller longer than that.
    static bool send(const QString &name, const QByteArray &message, int timeoutMilliseconds);

signals:
    // Once per accepted connection; the connection itself is the request.
    void connectionReceived();

private:
    void acceptPending();

    int m_fd = -1;
    QString m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    QSocketNotifier *m_notifier = nullptr;
};
