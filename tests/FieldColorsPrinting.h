// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets QCOMPARE print field colours and QFETCH carry them.

#include "core/FieldColors.h"

#include <QByteArray>
#include <QMetaType>
#include <QTest>

Q_DECLARE_METATYPE(FieldColors)

namespace QTest {
template<> inline char *toString(const FieldColors &colors)
{
    return qstrdup(QByteArray("background ") + QByteArray::number(colors.background) + " font "
                   + QByteArray::number(colors.font));
}
} // namespace QTest
