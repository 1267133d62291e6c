// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated values as spreadsheets read them (RFC 4180): a field that holds a comma,
// a double quote or a line break is quoted, and its quotes are doubled.

#include <QStringList>
#include <optional>

namespace Csv {

// One record with its fields joined by commas, without a line end.
QString line(const QStringList &fields);

// The fields of one record line; nothing when its quotes do not pair up.
std::optional<QStringList> fields(QStringView line);

} // namespace Csv
