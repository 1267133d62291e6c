// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sync password in the desktop's Secret Service (GNOME Keyring, KWallet, KeePassXC),
// through QtKeychain. Never in a file: without a Secret Service the calls fail and say so.
// Every call is asynchronous and answers through its callback on the caller's thread.

#include "platform/Outcome.h"

#include <QObject>
#include <QString>
#include <functional>

class SecretStore : public QObject
{
    Q_OBJECT

public:
    // The secret is kept under the service "Pantrova" and this key (the account and the
    // data folder, for example), so that two data folders keep two passwords.
    explicit SecretStore(QString key, QObject *parent = nullptr);

    struct Failure
    {
        bool noService = false; // no Secret Service is running (or none can be reached)
        QString message;        // in plain words; with noService it names what to install
    };
    void store(const QString &password, std::function<void(Outcome<Failure>)> done);
    // The password, or the failure (no entry is a failure too, with noService false).
    void read(std::function<void(QString password, Outcome<Failure>)> done);
    // Removes the entry; an entry that is not there is no failure.
    void remove(std::function<void(Outcome<Failure>)> done);

private:
    QString m_key;
};
