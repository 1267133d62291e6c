// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a data file: every byte is a Windows-1252 character and encodes back to itself,
// and a file's lines written back read back as the same lines in the same encoding.

#include "FuzzCheck.h"
#include "core/LineText.h"
#include "core/Windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const std::optional<QByteArray> encoded = encodeWindows1252(decodeWindows1252(bytes));
    FUZZ_CHECK(encoded && *encoded == bytes);

    const LineText text = LineText::decode(bytes);
    const LineText back = LineText::decode(text.encode());
    FUZZ_CHECK(back.lines == text.lines);
    for (const QString &line : text.lines)
        FUZZ_CHECK(!plainName(line).contains(QLatin1Char('\t')) && !oneLine(line).contains(QLatin1Char('\n')));
    return 0;
}
