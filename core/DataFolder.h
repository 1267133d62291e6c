// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data folder "system/" beside the executable and its three files: the records file
// "InvRecs.txt", the names file "RecDesc.txt" and the colours file "ecol.div".
//
// Saving is atomic (AtomicWrite): a crash or a full disk mid-write leaves the previous file
// whole, and a folder that has gone is created again. A file whose bytes on disk are already
// the ones to be saved is not written again. A file that exists but was not read
// completely at start is never overwritten by this run, so a failed start cannot replace
// stored data with an empty inventory; only a damaged file (read, but not usable to the
// end) is replaced, after its bytes have been kept beside it as "<name>.unreadable".

#include "core/FieldColors.h"
#include "core/LineText.h"
#include "core/TextLines.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

class DataFolder
{
public:
    enum class File { Records, Names, Colors };
    static constexpr std::array<File, 3> Files{File::Records, File::Names, File::Colors};
    static constexpr int Slots = 100;

    explicit DataFolder(QString folderPath);

    const QString &folder() const { return m_folder; }
    QString path(File file) const;

    // Throws FileError "Cannot open file %s" when the file cannot be read. The records
    // list is completed with empty record lines up to one line per slot; lines past the
    // 100th are kept.
    TextLines loadRecords();
    QStringList loadNames();
    // Nothing when the colours file does not exist.
    std::optional<QStringList> loadColorLines();

    // Throw FileError "Cannot create file %s" when the file cannot be written.
    // A protected file is left as it is; a damaged one is first kept aside, and is not
    // written when that fails. What could not be written stays pending.
    void saveRecords(const TextLines &records);
    void saveNames(const QStringList &names);
    void saveColors(const QList<ColorValue> &colors);

    // Names being typed: kept as the names file's content to come, written by the next
    // saveNames() or savePending().
    void stageNames(const QStringList &names);
    // Whether content given for the file is not on disk yet (never written, for a protected
    // file), and whether that is so for any file that may be written.
    bool isPending(File file) const;
    bool hasPending() const;
    // Writes every pending file, never throwing: for the last moments of a program that is
    // being ended. Returns the messages of the files that could not be written.
    QStringList savePending() noexcept;

    // Start-up marks what it has read completely and what it read but could not use to the
    // end; afterwards every other file that exists but was not read completely is protected
    // for the rest of the run.
    void markLoaded(File file);
    void markDamaged(File file);
    void protectUnloadedFiles();
    bool isProtected(File file) const;
    QStringList protectedPaths() const;

    // Where a damaged file's bytes are kept before it is first written over.
    QString backupPath(File file) const;
    // The files backed up since the last call, so that the user is told about each once.
    QList<File> takeNewBackups();

    // Removes what an interrupted save left in the folder (".InvRecs.txt.pantrova-save-Ab12Cd"
    // and the like): regular files with those names only. Only safe while this program holds
    // the folder.
    void removeInterruptedSaves() const;

private:
    LineText readFile(File file) const;
    void stage(File file, LineText text);
    void writeStaged(File file);
    void keepDamagedFile(File file);

    QString m_folder;
    std::array<bool, 3> m_loaded{};
    std::array<bool, 3> m_protected{};
    std::array<bool, 3> m_damaged{};
    QList<File> m_newBackups;
    // The content each file is to hold, and whether it may not be on disk yet.
    std::array<LineText, 3> m_staged;
    std::array<bool, 3> m_pending{};
    LineText m_recordsFormat;
    LineText m_namesFormat;
    LineText m_colorsFormat;
};
