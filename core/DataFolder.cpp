// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DataFolder.h"

#include "core/AppError.h"
#include "core/AtomicWrite.h"
#include "core/RecordLine.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
int index(DataFolder::File file)
{
    return static_cast<int>(file);
}

} // namespace

DataFolder::DataFolder(QString folderPath)
    : m_folder(std::move(folderPath))
{}

QString DataFolder::path(File file) const
{
    static const std::array<QString, 3> names{QStringLiteral("InvRecs.txt"), QStringLiteral("RecDesc.txt"),
                                              QStringLiteral("ecol.div")};
    return QDir(m_folder).filePath(names[index(file)]);
}

LineText DataFolder::readFile(File file) const
{
    return LineText::decode(RegularFile::read(path(file)));
}

namespace {
// Whether the file holds exactly these bytes; a data file is small, so reading it costs less
// than writing it again.
bool holds(const QString &path, const QByteArray &bytes)
{
    return RegularFile::tryRead(path) == bytes;
}
} // namespace

void DataFolder::stage(File file, LineText text)
{
    m_staged[index(file)] = std::move(text);
    m_pending[index(file)] = true;
}

void DataFolder::writeStaged(File file)
{
    if (!m_pending[index(file)] || isProtected(file))
        return;
    const QByteArray bytes = m_staged[index(file)].encode();
    if (!holds(path(file), bytes)) {
        if (m_damaged[index(file)])
            keepDamagedFile(file);
        AtomicWrite::write(path(file), bytes);
    }
    m_pending[index(file)] = false;
}

void DataFolder::stageNames(const QStringList &names)
{
    LineText text;
    text.encoding = m_namesFormat.encoding;
    text.byteOrderMark = m_namesFormat.byteOrderMark;
    for (const QString &name : names)
        // A line break inside a name would split the names file.
        text.lines.append(oneLine(name));
    stage(File::Names, std::move(text));
}

bool DataFolder::isPending(File file) const
{
    return m_pending[index(file)];
}

bool DataFolder::hasPending() const
{
    return std::any_of(Files.begin(), Files.end(),
                       [this](File file) { return m_pending[index(file)] && !isProtected(file); });
}

QStringList DataFolder::savePending() noexcept
{
    QStringList errors;
    for (File file : Files) {
        try {
            writeStaged(file);
        } catch (const AppError &error) {
            errors.append(error.message());
        } catch (...) {
            errors.append(FileError::cannotCreate(path(file)).message());
        }
    }
    return errors;
}

void DataFolder::keepDamagedFile(File file)
{
    if (QFileInfo::exists(path(file))) {
        const QByteArray bytes = RegularFile::read(path(file));
        // The backup is a file of the program's own: a link planted in its place is replaced.
        AtomicWrite::write(backupPath(file), bytes, AtomicWrite::Links::Replace);
        m_newBackups.append(file);
    }
    // Kept, or gone meanwhile: either way the file may now be written.
    m_damaged[index(file)] = false;
}

TextLines DataFolder::loadRecords()
{
    m_recordsFormat = readFile(File::Records);
    QStringList lines = m_recordsFormat.lines;
    // Commands on the later slots of a short file would otherwise be lost without a word.
    while (lines.size() < Slots)
        lines.append(RecordLine::Empty);
    if (!m_recordsFormat.lastLineEnded && m_recordsFormat.lines.size() < Slots)
        m_recordsFormat.lastLineEnded = true;
    return TextLines(lines);
}

QStringList DataFolder::loadNames()
{
    m_namesFormat = readFile(File::Names);
    return m_namesFormat.lines;
}

std::optional<QStringList> DataFolder::loadColorLines()
{
    if (!QFile::exists(path(File::Colors)))
        return std::nullopt;
    m_colorsFormat = readFile(File::Colors);
    return m_colorsFormat.lines;
}

void DataFolder::saveRecords(const TextLines &records)
{
    LineText text = m_recordsFormat;
    text.lines = records.lines();
    stage(File::Records, std::move(text));
    writeStaged(File::Records);
}

void DataFolder::saveNames(const QStringList &names)
{
    stageNames(names);
    writeStaged(File::Names);
}

void DataFolder::saveColors(const QList<ColorValue> &colors)
{
    LineText text;
    text.byteOrderMark = m_colorsFormat.byteOrderMark;
    for (ColorValue color : colors)
        text.lines.append(colorLine(color));
    // Lines past the last slot have no field; they are written back as they were read, as
    // those of the other two files are.
    if (colors.size() == Slots)
        text.lines.append(m_colorsFormat.lines.mid(Slots));
    stage(File::Colors, std::move(text));
    writeStaged(File::Colors);
}

void DataFolder::markLoaded(File file)
{
    m_loaded[index(file)] = true;
}

void DataFolder::markDamaged(File file)
{
    m_damaged[index(file)] = true;
}

void DataFolder::protectUnloadedFiles()
{
    for (File file : Files) {
        if (!m_loaded[index(file)] && !m_damaged[index(file)] && QFile::exists(path(file)))
            m_protected[index(file)] = true;
    }
}

bool DataFolder::isProtected(File file) const
{
    return m_protected[index(file)];
}

QStringList DataFolder::protectedPaths() const
{
    QStringList paths;
    for (File file : Files) {
        if (isProtected(file))
            paths.append(path(file));
    }
    return paths;
}

QString DataFolder::backupPath(File file) const
{
    return path(file) + QStringLiteral(".unreadable");
}

QList<DataFolder::File> DataFolder::takeNewBackups()
{
    return std::exchange(m_newBackups, {});
}

void DataFolder::removeInterruptedSaves() const
{
    // A save writes ".<name>.pantrova-save-XXXXXX" and renames it over the file, and the start's
    // write test makes ".pantrova-write-test-XXXXXX"; a kill in between leaves them. A folder or
    // link of such a name, or any other file, is the user's. (Matched by hand: a pattern engine
    // would be loaded at every start for this one test.)
    QDir folder(m_folder);
    const QStringList targets{QFileInfo(path(File::Records)).fileName(), QFileInfo(path(File::Names)).fileName(),
                              QFileInfo(path(File::Colors)).fileName(), QFileInfo(backupPath(File::Colors)).fileName()};
    const auto isLeftover = [&targets](const QString &name) {
        return AtomicWrite::isWriteTrial(name)
               || std::any_of(targets.begin(), targets.end(),
                              [&name](const QString &t) { return AtomicWrite::isInterruptedWrite(name, t); });
    };
    for (const QFileInfo &entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (isLeftover(entry.fileName()))
            folder.remove(entry.fileName());
    }
}
