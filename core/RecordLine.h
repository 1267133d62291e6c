// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record line keeps an item's figures at fixed columns (1-based):
//   1-10 buy date "mm/dd/yyyy", 12 tracking flag, 14-16 cycle days "%.3d", 18 prewarn days.
// A record line keeps its layout: fields are replaced in place and every other character,
// including anything after column 18, stays as it was.

#include <QString>

namespace RecordLine {

inline const QString Empty = QStringLiteral("00/00/0000 0 000 3");
constexpr int Length = 18;
constexpr int MaxCycleDays = 999;

namespace Flag {
inline const QString NotTracked = QStringLiteral("0");
inline const QString Tracked = QStringLiteral("1");
inline const QString Learning = QStringLiteral("2");
} // namespace Flag

// Reads take the field's columns; a line too short for a field gives what is there.
QString buyDate(const QString &line);
QString flag(const QString &line);
QString cycleText(const QString &line);
QString prewarnText(const QString &line);

// Converted reads; throw ConversionError like the stored text requires.
int cycleDays(const QString &line);
int prewarnDays(const QString &line);

// In-place replacements. A line shorter than 18 characters is first completed from the
// empty record line, so the field lands at its column and the line keeps its layout.
void setBuyDate(QString &line, const QString &date);
void setFlag(QString &line, const QString &flag);
// Cycle days must lie in 0..999 and prewarn days in 0..9; anything else would break the
// layout and is refused with an AppError before the line is touched.
void setCycleDays(QString &line, int days);
void setPrewarnDays(QString &line, int days);

} // namespace RecordLine
