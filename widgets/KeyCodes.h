// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key codes and typed characters the edits report and the windows compare with: Return and
// Enter report the key code Enter, and the typed control characters have names of their own.

#include <QChar>

namespace KeyCode {
// The key code of Return and Enter; every other key is reported with its Qt key value.
constexpr int Enter = 13;
} // namespace KeyCode

namespace TypedChar {
constexpr QChar Backspace(8);
constexpr QChar CarriageReturn(13);
constexpr QChar Escape(27);
constexpr QChar Delete(0x7F); // Ctrl+Backspace
} // namespace TypedChar
