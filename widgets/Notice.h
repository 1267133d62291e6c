// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a control tells the user something it cannot keep to itself (an empty clipboard, a
// handler that failed). The controls show no box of their own: the program decides where a
// notice goes (its message boxes); until it does, notices go to the log.

#include <QString>
#include <functional>

class QWidget;

namespace Notice {
enum class Kind { Information, Error };
// `near` is the control the notice concerns, or null.
using Sink = std::function<void(QWidget *near, Kind kind, const QString &text)>;

void setSink(Sink sink);
void tell(QWidget *near, Kind kind, const QString &text);
} // namespace Notice
