// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Notify.h"

#include "core/AppError.h"
#include "core/ReminderText.h"
#include "core/StoredInventory.h"
#include "platform/Clock.h"
#include "platform/DesktopNotification.h"

#include <cstdio>

int Notify::run(const QString &dataFolder)
{
    QStringList names;
    try {
        names = ReminderText::namesToBuy(StoredInventory::read(dataFolder, Clock::today()));
    } catch (const AppError &error) {
        std::fprintf(stderr, "pantrova: %s\n", qPrintable(error.message()));
        return 2;
    }
    if (names.isEmpty())
        return 0;
    const QString failure = DesktopNotification::send(QStringLiteral("Pantrova"), ReminderText::text(names));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "pantrova: cannot send the desktop notification: %s\n", qPrintable(failure));
        return 1;
    }
    return 0;
}
