// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text-to-number routines shared by the record line and the control names.

#include <QString>

namespace Numbers {

// The text with every character that is not "0"-"9" removed: "HoverButton17" gives "17".
QString digitsOnly(QStringView text);

// A whole 32-bit number: optional blanks, an optional sign and decimal digits.
// Throws ConversionError "'%s' is not a valid integer value" otherwise.
int toInteger(const QString &text);

// The number carried by a control's name ("Edit37" gives 37, "PreWarnAll7" gives 7).
// Throws ConversionError for a name without digits.
int fromName(QStringView name);

} // namespace Numbers
