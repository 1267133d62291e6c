// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Windows-1252 code page the data files are written in. Every byte stands for one
// character (the five bytes the code page leaves free for the C1 controls of the same number),
// so decoding never fails and text of those 256 characters encodes back byte for byte. Qt hands
// this code page to ICU, whose converter tables cost a start a megabyte of memory.

#include <QByteArray>
#include <QString>

#include <optional>

QString decodeWindows1252(QByteArrayView bytes);

// Nothing when the text holds a character the code page does not have.
std::optional<QByteArray> encodeWindows1252(QStringView text);
