// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DataFolder.h"

#include "core/AppError.h"
#include "core/RecordLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
    QFile f(path(file));
    if (!f.open(QIODevice::ReadOnly))
        throw FileError::cannotOpen(path(file));
    LineText text = LineText::read(&f);
    if (f.error() != QFileDevice::NoError)
        throw FileError::cannotOpen(path(file));
    return text;
}

namespace {
// Throws FileError "Cannot create file %s" unless the bytes are written completely.
void saveBytes(const QString &path, const QByteArray &bytes)
{
    // A data folder removed while the program runs is made again, so the save still succeeds.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw FileError::cannotCreate(path);
    if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit())
        throw FileError::cannotCreate(path);
}
} // namespace

void DataFolder::writeFile(File file, const LineText &text)
{
    if (isProtected(file))
        return;
    if (m_damaged[index(file)])
        keepDamagedFile(file);
    saveBytes(path(file), text.encode());
}

void DataFolder::keepDamagedFile(File file)
{
    QFile damaged(path(file));
    if (damaged.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = damaged.readAll();
        if (damaged.error() != QFileDevice::NoError)
            throw FileError::cannotOpen(path(file));
        saveBytes(backupPath(file), bytes);
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
    return readFile(File::Colors).lines;
}

void DataFolder::saveRecords(const TextLines &records)
{
    LineText text = m_recordsFormat;
    text.lines = records.lines();
    writeFile(File::Records, text);
}

void DataFolder::saveNames(const QStringList &names)
{
    LineText text;
    text.encoding = m_namesFormat.encoding;
    for (const QString &name : names)
        // A line break inside a name would split the names file.
        text.lines.append(oneLine(name));
    writeFile(File::Names, text);
}

void DataFolder::saveColors(const QList<ColorValue> &colors)
{
    LineText text;
    for (ColorValue color : colors)
        text.lines.append(colorLine(color));
    writeFile(File::Colors, text);
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
    // A save writes "<name>.XXXXXX" and renames it over the file, and the start's write test
    // makes ".write-test-XXXXXX"; a kill in between leaves them. (Matched by hand: a regular
    // expression would load and compile a pattern engine at every start for this one test.)
    static const QLatin1StringView prefixes[] = {
        QLatin1StringView("InvRecs.txt."), QLatin1StringView("RecDesc.txt."), QLatin1StringView("ecol.div."),
        QLatin1StringView("ecol.div.unreadable."), QLatin1StringView(".write-test-")};
    const auto isLeftover = [](const QString &name) {
        if (name.size() < 6)
            return false;
        const QStringView tail = QStringView(name).right(6);
        const bool tailIsTemplate = std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        });
        const QStringView head = QStringView(name).chopped(6);
        return tailIsTemplate && std::any_of(std::begin(prefixes), std::end(prefixes), [head](QLatin1StringView p) {
                   return head == p;
               });
    };
    QDir folder(m_folder);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isLeftover(name))
            folder.remove(name);
    }
}
