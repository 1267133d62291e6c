// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What "pantrova --version" prints: name and version, copyright and licence, as GNU programs do.

#include <QString>

QString versionText();
