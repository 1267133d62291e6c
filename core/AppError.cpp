// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppError.h"

ConversionError ConversionError::invalidDate(const QString &text)
{
    return ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
}

ConversionError ConversionError::invalidInteger(const QString &text)
{
    return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

FileError FileError::cannotOpen(const QString &path)
{
    return FileError(QStringLiteral("Cannot open file %1").arg(path));
}

FileError FileError::cannotCreate(const QString &path)
{
    return FileError(QStringLiteral("Cannot create file %1").arg(path));
}

ListIndexError ListIndexError::outOfBounds(int index)
{
    return ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
}
