// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Numbers.h"

#include "core/AppError.h"

namespace Numbers {

QString digitsOnly(QStringView text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

int toInteger(const QString &text)
{
    QStringView rest = QStringView(text).trimmed();
    bool negative = false;
    if (!rest.isEmpty() && (rest.front() == QLatin1Char('-') || rest.front() == QLatin1Char('+'))) {
        negative = rest.front() == QLatin1Char('-');
        rest = rest.mid(1);
    }
    if (rest.isEmpty())
        throw ConversionError::invalidInteger(text);
    qint64 value = 0;
    for (QChar c : rest) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw ConversionError::invalidInteger(text);
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(1) << 31)
            throw ConversionError::invalidInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw ConversionError::invalidInteger(text);
    return static_cast<int>(value);
}

int fromName(QStringView name)
{
    return toInteger(digitsOnly(name));
}

} // namespace Numbers
