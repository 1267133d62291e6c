// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VersionText.h"

#include <QCoreApplication>

QString versionText()
{
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) 2026 Pantrova developers.\n"
                          "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}
