// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where "today" comes from. The program asks the clock at every use, so a program left
// running past midnight works with the new day; tests set any date they need.

#include <QDate>

class Clock
{
public:
    static QDate today();
    // Test hook: a fixed date until reset with an invalid QDate.
    static void setToday(QDate date);
};
