#pragma once
// What "pantrova --version" prints: name and version, copyright and licence, as GNU programs do.

#include <QString>

QString versionText();
