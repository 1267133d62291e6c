// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FieldColors.h"

#include "core/AppError.h"
#include "core/Numbers.h"

ColorValue colorFromLine(const QString &line)
{
    try {
        return static_cast<ColorValue>(Numbers::toInteger(line));
    } catch (const ConversionError &) {
        const QStringView digits = QStringView(line).trimmed();
        bool ok = false;
        const qulonglong value = digits.toULongLong(&ok);
        if (!ok || digits.isEmpty() || Numbers::digitsOnly(digits) != digits || value > 0xFFFFFFFFull)
            throw;
        return static_cast<ColorValue>(value);
    }
}

QString colorLine(ColorValue color)
{
    return QString::number(static_cast<qint32>(color));
}

ColorValue startupFontColor(const QString &storedLine)
{
    if (storedLine == colorLine(FieldColor::DarkGray) || storedLine == colorLine(FieldColor::Gray))
        return FieldColor::White;
    if (storedLine == colorLine(FieldColor::Red))
        return FieldColor::Yellow;
    return FieldColor::Navy;
}

std::optional<ColorValue> recheckFontColor(const QString &storedLine)
{
    if (storedLine == colorLine(FieldColor::Gray))
        return FieldColor::White;
    if (storedLine == colorLine(FieldColor::Red))
        return FieldColor::Yellow;
    return std::nullopt;
}
