// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The due check: one pass over the record lines that turns tracked items yellow when their
// remaining days are at most their prewarn days and red from the due day on. It never writes
// a record line and never touches a red field: a due item stays due until it is bought.

#include "core/FieldColorAccess.h"
#include "core/TextLines.h"

#include <QDate>

namespace DueCheck {

// Throws ConversionError at the first line that does not convert; the lines before it have
// been checked, the later ones are left for the next run.
void run(const TextLines &records, FieldColorAccess &fields, QDate today);

// Cycle days less the whole days between today and the buy date.
int remainingDays(const QString &recordLine, QDate today);

} // namespace DueCheck
