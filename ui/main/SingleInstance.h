// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One Pantrova per data folder: the first start holds a lock file inside the data folder (or,
// where that folder takes no files, in the user's runtime folder, keyed by the folder's path)
// and listens on a local socket; a later start asks the running program to bring its window to
// the front and ends, so two programs never write the same files, while programs on two
// folders never stand in each other's way. A lock that no running Pantrova answers for is what
// a crash or a copied folder left behind: it is removed and the start goes on. Earlier versions
// kept their lock beside the data folder; one that a running program still holds there is
// respected.

#include <QObject>
#include <memory>

class LocalChannel;
class LockFile;

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolderPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only program on the data folder. Otherwise either the running one
    // has been told to come to the front (refusal() is empty), or the lock is held by one that
    // cannot be asked and refusal() says why the start must end.
    bool claim();
    QString refusal() const { return m_refusal; }

    // The lock file in use once claim() has run; empty when no lock could be made anywhere.
    QString lockPath() const;
    // Gives the lock up (the program is ending and will not be back).
    void release();
    // How long a start waits for a Pantrova that holds the lock but does not answer yet (it
    // may be starting itself) before giving up.
    void setAnswerWait(int milliseconds) { m_answerWait = milliseconds; }

signals:
    void activationRequested();

private:
    enum class Outcome { Claimed, Answered, Held, CannotLock };
    Outcome claimAt(const QString &lockPath);
    QString runtimeLockPath() const;
    bool askToActivate(int waitMilliseconds) const;
    // Whether an earlier version, which locked the data folder's parent, runs on this folder.
    Outcome earlierVersion();
    void listen();

    QString m_dataFolder;
    QString m_serverName;
    QString m_hash;
    QString m_inFolderLockPath;
    QString m_earlierLockPath;
    QString m_refusal;
    int m_answerWait = 3000;
    std::unique_ptr<LockFile> m_lock;
    LocalChannel *m_channel = nullptr;
};
