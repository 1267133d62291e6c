// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls' notices shown as the program shows them: in its message boxes, which the tests
// read through MessageBox::shown().

#include "platform/MessageBox.h"
#include "widgets/Notice.h"

inline void showNoticesAsBoxes()
{
    Notice::setSink([](QWidget *near, Notice::Kind kind, const QString &text) {
        (kind == Notice::Kind::Error ? &MessageBox::error : &MessageBox::information)(near, text);
    });
}
