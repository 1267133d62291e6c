// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV writer and reader: any cells written as a line read back as the same cells, and any
// line that reads as cells writes back as a line that reads the same. A cell a spreadsheet
// would take for a formula may come back with a leading apostrophe.

#include "FuzzCheck.h"
#include "core/Csv.h"

namespace {
bool sameCells(const QStringList &written, const QStringList &read)
{
    if (written.size() != read.size())
        return false;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QString &cell = written.at(i);
        const bool formula = !cell.isEmpty() && QStringLiteral("=+-@").contains(cell.front());
        if (read.at(i) != cell && !(formula && read.at(i) == QLatin1Char('\'') + cell))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList cells = fuzzParts(data, size);
    const std::optional<QStringList> back = Csv::fields(Csv::line(cells));
    FUZZ_CHECK(back && sameCells(cells, *back));

    const QString line = QString::fromUtf8(fuzzBytes(data, size));
    if (const std::optional<QStringList> read = Csv::fields(line)) {
        const std::optional<QStringList> again = Csv::fields(Csv::line(*read));
        FUZZ_CHECK(again && sameCells(*read, *again));
    }
    return 0;
}
