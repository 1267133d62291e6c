// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder when the date changes while the program runs, usually hidden in the tray.

#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/ReminderText.h"
#include "platform/Clock.h"
#include "platform/DayWatch.h"
#include "widgets/TEdit.h"

#include <QShowEvent>

void TAForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_dayWatch)
        m_dayWatch->check();
}

void TAForm1::remindOfNewDay()
{
    showDate(Dates::longText(Clock::today()));
    std::array<ColorValue, Slots> before{};
    for (int slot = 1; slot <= Slots; ++slot)
        before[slot - 1] = edit(slot)->color();
    try {
        CheckDates();
    } catch (const AppError &) {
        // Nobody may be watching at midnight: the same error shows at the next "ReCheck" or
        // start, and the items checked before the bad line are still reported.
    }
    QStringList names;
    for (int slot = 1; slot <= Slots; ++slot) {
        const ColorValue now = edit(slot)->color();
        if (!isDueOrPrewarn(now) || now == before[slot - 1])
            continue;
        names.append(ReminderText::shownName(slot, edit(slot)->text()));
    }
    if (!names.isEmpty())
        m_trayIcon1->showMessage(QStringLiteral("Pantrova"), ReminderText::text(names));
    saveNow();
    requestSync();
}
