// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every seam of platform/ in its test mode for as long as a guard lives: boxes, pointer
// placements, opened files, save dialogs, print jobs and the tray icon are recorded instead of
// reaching the desktop, and "today" is the date given. Guards nest: an inner guard gives the
// date back to the outer one, and the last guard to end gives every seam its real behaviour
// again and forgets what was recorded, so no test leaves a seam behind for the next one.

#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/NotificationArea.h"
#include "platform/Pointer.h"
#include "platform/PrintService.h"
#include "platform/Shell.h"

#include <QDate>

class TestSeams
{
public:
    explicit TestSeams(QDate today = QDate(2026, 12, 10), bool trayAvailable = true)
        : m_outerToday(current().today)
    {
        if (current().depth++ == 0)
            setAll(true, trayAvailable);
        else
            NotificationArea::setTestMode(true, trayAvailable);
        MessageBox::clearShown();
        setToday(today);
    }
    ~TestSeams()
    {
        setToday(m_outerToday);
        if (--current().depth == 0) {
            setAll(false, true);
            MessageBox::clearShown();
        }
    }
    TestSeams(const TestSeams &) = delete;
    TestSeams &operator=(const TestSeams &) = delete;

    // A later date for the rest of the guard's life (a program left running past midnight).
    static void setToday(QDate today)
    {
        current().today = today;
        Clock::setToday(today);
    }

private:
    struct State
    {
        int depth = 0;
        QDate today;
    };
    static State &current()
    {
        static State s;
        return s;
    }
    static void setAll(bool on, bool trayAvailable)
    {
        MessageBox::setTestMode(on);
        Pointer::setTestMode(on);
        Shell::setTestMode(on);
        FileDialog::setTestMode(on);
        PrintService::setTestMode(on);
        NotificationArea::setTestMode(on, trayAvailable);
    }

    QDate m_outerToday;
};
