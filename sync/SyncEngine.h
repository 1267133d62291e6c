// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One sync of a data folder with its task list, step by step and without ever blocking:
//  1. the changes on the server since the last sync (the collection's sync token; a server
//     without sync-collection is listed whole), which for an unchanged list is one small
//     request;
//  2. each of this folder's tasks that changed there is fetched: one ticked off buys its item,
//     one deleted there is not made again for the same cycle;
//  3. the items' due and prewarn states are pushed: tasks made, updated, completed, deleted,
//     every change conditional on the ETag last seen. A task that changed meanwhile (412) is
//     fetched again and the rules applied anew, so a completion on the server wins.
// Tasks this folder did not make are never read, changed or deleted. A failed or malformed
// answer changes no item; what was done before it is kept in the sync state.

#include "platform/SyncModule.h"
#include "platform/network/CalDavClient.h"
#include "sync/SyncSettings.h"
#include "sync/SyncState.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class SyncEngine : public QObject
{
    Q_OBJECT

public:
    // Hands the password for the settings to `answer`, or a failure message.
    using PasswordSource = std::function<void(const SyncSettings &settings, QObject *context,
                                              std::function<void(QString password, QString failure)> answer)>;
    // The password from the desktop's Secret Service.
    static PasswordSource secretService();

    SyncEngine(QString folder, SyncHost &host, PasswordSource passwords, QObject *parent = nullptr);
    ~SyncEngine() override;

    struct Result
    {
        bool ok = false;
        QString error;
        // Set when the failure is of a kind the user has not been told of yet.
        bool newKindOfFailure = false;
        int tasks = 0;
        QStringList bought; // "Milk, 12/09/2026" for each purchase ticked off on a phone
    };
    // Runs one sync; `done` is called once at its end (never after the engine is gone).
    void run(std::function<void(const Result &)> done);
    bool isRunning() const { return bool(m_done); }
    // How long a request may wait for its answer.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

private:
    struct Failure
    {
        QString kind;
        QString message;
    };
    void start();
    void connectToServer();
    void listChanges();
    void takeListing(const CalDavClient::Listing &listing);
    void fetchChangedTasks();
    void takeTask(const QString &uid, const QByteArray &body, const QString &etag);
    void push();
    void finish();
    void fail(const QString &kind, const QString &message);
    void note(const DavError &error);
    void saveState();
    // Runs the jobs, a few at a time; `then` runs when all have answered.
    void runJobs(QList<std::function<void(std::function<void()>)>> jobs, std::function<void()> then);

    QString m_folder;
    SyncHost &m_host;
    PasswordSource m_passwords;
    int m_timeoutMs = 30000;

    std::optional<SyncSettings> m_settings;
    SyncState m_state;
    QString m_password;
    std::unique_ptr<CalDavClient> m_client;
    bool m_listsWhole = false; // the server has no sync-collection
    QString m_newToken;
    int m_pass = 0;
    bool m_again = false;
    bool m_passwordRefused = false;
    std::optional<Failure> m_failure;
    QStringList m_bought;
    std::function<void(const Result &)> m_done;
};
