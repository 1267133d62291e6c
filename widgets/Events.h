// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The event types of the custom controls. A control stores the handler the window assigns
// and calls it with itself as the sender; one handler can serve many controls and tell them
// apart by their object names.

#include <QObject>
#include <functional>

using NotifyEvent = std::function<void(QObject *sender)>;
using MouseEvent =
    std::function<void(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
