// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every harness shares: the fuzzer's bytes as Qt types, and a property check that stops
// the run (and so keeps the input) when it does not hold.

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The bytes as UTF-8 text cut into parts at each newline: lines of a file, cells of a row,
// words of a command line.
inline QStringList fuzzParts(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(fuzzBytes(data, size)).split(QLatin1Char('\n'));
}

#define FUZZ_CHECK(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition);              \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
