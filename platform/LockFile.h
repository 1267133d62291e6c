// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lock file that keeps a second program off a folder. The lock itself is the system's: the
// file is held open under an exclusive flock(), which the system drops when the program ends,
// however it ends. The text of the file names the holder for messages: its process, its
// program and its computer, a line each, as Qt's QLockFile writes them, so that the locks of
// earlier versions are read too.
//
// Unlike QLockFile it does not wait for the text to reach the disk before the start goes on:
// in a program folder on a slow stick that wait would be the longest step of a start, and
// nothing relies on the text surviving a power cut (an empty or broken lock is taken as left
// over).

#include "platform/Outcome.h"

#include <QString>
#include <optional>

class LockFile
{
public:
    // The guarded text, when given, is the file's fourth line.
    explicit LockFile(const QString &path, const QString &guarded = QString());
    // Releases and removes the lock when this one holds it.
    ~LockFile();
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;

    enum class Failure { Exists, CannotCreate };
    // Makes the file and takes its lock at once, or fails: Exists when a file (or anything
    // else) is in its place, CannotCreate when the folder takes no file.
    Outcome<Failure> tryLock();

    // Removes a lock file that nobody holds (left by a crash or copied with the folder). False
    // when a running program holds it, or it cannot be opened or removed.
    bool removeUnheld() const;
    // Whether a running program holds the lock on this computer (or, where the file system
    // passes locks on, on another).
    bool isHeld() const;

    struct Holder
    {
        qint64 pid = 0;
        QString host;
        QString guarded;
    };
    // The process and the computer the file names; nothing when it cannot be read or names no
    // process.
    std::optional<Holder> holder() const;

    QString path() const { return m_path; }

private:
    QString m_path;
    QString m_guarded;
    int m_handle = -1;
};
