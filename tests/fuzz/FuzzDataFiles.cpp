// SPDX-License-Identifier: GPL-3.0-or-later
// The names file and the colours file of a data folder, read and written back: the names read
// back as they were read, and every colour that could be read keeps its value (the first byte
// of the input says which file it is).

#include "FuzzCheck.h"
#include "core/AppError.h"
#include "core/ColorLines.h"
#include "core/DataFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {
QString folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

void place(DataFolder::File file, const QByteArray &bytes)
{
    for (DataFolder::File each : DataFolder::Files)
        QFile::remove(DataFolder(folder()).path(each));
    QFile f(DataFolder(folder()).path(file));
    FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

void names(const QByteArray &bytes)
{
    place(DataFolder::File::Names, bytes);
    DataFolder data(folder());
    const QStringList read = data.loadNames();
    data.markLoaded(DataFolder::File::Names);
    data.protectUnloadedFiles();
    data.saveNames(read);
    FUZZ_CHECK(DataFolder(folder()).loadNames() == read);
}

void colors(const QByteArray &bytes)
{
    place(DataFolder::File::Colors, bytes);
    DataFolder data(folder());
    const QStringList lines = data.loadColorLines().value();
    for (const QString &line : lines) {
        try {
            const ColorValue color = colorFromLine(line);
            FUZZ_CHECK(colorFromLine(colorLine(color)) == color);
        } catch (const AppError &) {}
    }
    FieldColorTable fields;
    try {
        applyColorLines(lines, fields, ColorLoad::Startup);
    } catch (const AppError &) {
        return;
    }
    data.markLoaded(DataFolder::File::Colors);
    data.protectUnloadedFiles();
    QList<ColorValue> values;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot)
        values.append(fields.colors(slot).background);
    data.saveColors(values);
    FieldColorTable again;
    applyColorLines(DataFolder(folder()).loadColorLines().value(), again, ColorLoad::Startup);
    for (int slot = 1; slot <= DataFolder::Slots; ++slot)
        FUZZ_CHECK(again.colors(slot) == fields.colors(slot));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzzBytes(data + 1, size - 1);
    if (data[0] % 2 == 0)
        names(bytes);
    else
        colors(bytes);
    return 0;
}
