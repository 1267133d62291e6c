#include "core/FieldColors.h"

ColorValue startupFontColor(const QString &storedLine)
{
    if (storedLine == QLatin1String("8684164") || storedLine == QLatin1String("8421504"))
        return FieldColor::White;
    if (storedLine == QLatin1String("255"))
        return FieldColor::Yellow;
    return FieldColor::Navy;
}

std::optional<ColorValue> recheckFontColor(const QString &storedLine)
{
    if (storedLine == QLatin1String("8421504"))
        return FieldColor::White;
    if (storedLine == QLatin1String("255"))
        return FieldColor::Yellow;
    return std::nullopt;
}
