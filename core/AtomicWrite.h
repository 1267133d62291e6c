// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a file so that a crash, a kill or a full disk at any moment leaves either the old
// file or the new one, never a mixture: the bytes go to a temporary file beside it, reach the
// disk, and the temporary file is then renamed over the old one.
//
// The temporary files carry a name of the program's own (".InvRecs.txt.pantrova-save-Ab12Cd"),
// which no user would give a file, so what an interrupted save leaves behind can be told
// apart from the user's own files and removed.

#include <QByteArray>
#include <QString>

namespace AtomicWrite {

enum class Links {
    // A symbolic link the user put in the file's place is written through: its target gets the
    // new bytes, and the link stays.
    WriteThrough,
    // The file is one the program makes itself: a link in its place is replaced, never
    // followed, so a planted link cannot aim the bytes at another file.
    Replace
};

// Throws FileError "Cannot create file %s" (the path as given) unless the bytes are on disk
// under that name, the name included. The folder is created when it is missing. An existing file keeps its
// permissions.
void write(const QString &path, const QByteArray &bytes, Links links = Links::WriteThrough);

// Whether a file name is one that an interrupted write of a file named fileName leaves.
bool isInterruptedWrite(const QString &name, const QString &fileName);

// The name of a trial file that checks a folder can be written, and whether a name is one.
QString writeTrialTemplate();
bool isWriteTrial(const QString &name);

} // namespace AtomicWrite
