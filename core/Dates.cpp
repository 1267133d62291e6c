// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Dates.h"

#include "core/AppError.h"

#include <QLocale>
#include <QStringList>

namespace Dates {

bool isStorable(QDate date)
{
    return date.isValid() && date >= FirstStorable && date <= LastStorable;
}

QString format(QDate date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

namespace {
bool readNumber(QStringView part, int maxDigits, int &value)
{
    if (part.isEmpty() || part.size() > maxDigits)
        return false;
    value = 0;
    for (QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
    }
    return true;
}
} // namespace

QDate parse(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    const auto parts = trimmed.split(QLatin1Char('/'));
    int month = 0;
    int day = 0;
    int year = 0;
    if (parts.size() == 3 && readNumber(parts[0], 2, month) && readNumber(parts[1], 2, day)
        && readNumber(parts[2], 4, year) && year >= 1) {
        const QDate date(year, month, day);
        if (date.isValid())
            return date;
    }
    throw ConversionError::invalidDate(text);
}

QString plusDays(const QString &text, int days)
{
    return format(parse(text).addDays(days));
}

int daysBetween(const QString &text, QDate today)
{
    return static_cast<int>(qAbs(today.daysTo(parse(text))));
}

QString longText(QDate date)
{
    const QLocale locale = QLocale::system();
    return QStringLiteral("%1  %2 %3, %4")
        .arg(locale.dayName(date.dayOfWeek(), QLocale::LongFormat), locale.monthName(date.month(), QLocale::LongFormat))
        .arg(date.day())
        .arg(date.year());
}

} // namespace Dates
