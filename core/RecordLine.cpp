// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RecordLine.h"

#include "core/AppError.h"
#include "core/Numbers.h"

namespace RecordLine {

namespace {
constexpr int DateColumn = 0;
constexpr int DateWidth = 10;
constexpr int FlagColumn = 11;
constexpr int CycleColumn = 13;
constexpr int CycleWidth = 3;
constexpr int PrewarnColumn = 17;

void completeLayout(QString &line)
{
    if (line.size() < Length)
        line.append(QStringView(Empty).mid(line.size()));
}

void replaceField(QString &line, int column, const QString &text)
{
    completeLayout(line);
    line.replace(column, text.size(), text);
}
} // namespace

QString buyDate(const QString &line)
{
    return line.mid(DateColumn, DateWidth);
}

QString flag(const QString &line)
{
    return line.mid(FlagColumn, 1);
}

QString cycleText(const QString &line)
{
    return line.mid(CycleColumn, CycleWidth);
}

QString prewarnText(const QString &line)
{
    return line.mid(PrewarnColumn, 1);
}

int cycleDays(const QString &line)
{
    return Numbers::toInteger(cycleText(line));
}

int prewarnDays(const QString &line)
{
    return Numbers::toInteger(prewarnText(line));
}

void setBuyDate(QString &line, const QString &date)
{
    Q_ASSERT(date.size() == DateWidth);
    replaceField(line, DateColumn, date);
}

void setFlag(QString &line, const QString &flagText)
{
    Q_ASSERT(flagText.size() == 1);
    replaceField(line, FlagColumn, flagText);
}

void setCycleDays(QString &line, int days)
{
    if (days < 0 || days > MaxCycleDays)
        throw AppError(QStringLiteral("Cycle days %1 do not fit the record line").arg(days));
    replaceField(line, CycleColumn, QStringLiteral("%1").arg(days, CycleWidth, 10, QLatin1Char('0')));
}

void setPrewarnDays(QString &line, int days)
{
    if (days < 0 || days > 9)
        throw AppError(QStringLiteral("Prewarn days %1 do not fit the record line").arg(days));
    replaceField(line, PrewarnColumn, QString::number(days));
}

} // namespace RecordLine
