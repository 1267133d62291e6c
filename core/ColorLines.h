// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours file's lines put back on the name fields: each line is a field's background,
// and the font colour that goes with it is derived again, since fonts are not stored.

#include "core/FieldColorAccess.h"

#include <QStringList>

enum class ColorLoad { Startup, Recheck };

// Start-up derives every font again; the re-check only the learning and due fonts. Throws at a
// line that is missing or not a number, leaving the later fields as they were.
void applyColorLines(const QStringList &lines, FieldColorAccess &fields, ColorLoad load);
