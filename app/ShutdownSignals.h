// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP (the terminal the program was started from has closed; a
// service manager sends it right after SIGTERM) close the main window the normal way, so the
// data files are written as on "Close". The signal handler only writes a byte to a pipe; the close runs on the
// user-interface thread when the pipe is read.

#include <QObject>

class QSocketNotifier;

class ShutdownSignals : public QObject
{
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject *parent = nullptr);
    ~ShutdownSignals() override;

signals:
    void closeRequested();

private:
    static void onSignal(int signal);
    QSocketNotifier *m_notifier = nullptr;
};
