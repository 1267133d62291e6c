// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads GIF pictures with giflib rather than Qt's image plugins, which a minimal Qt install may
// lack: the main window's background picture is drawn as a GIF89a, which the build reads to take
// it apart into the runs the window paints.

#include <QByteArray>
#include <QImage>
#include <QString>

// The first frame of a GIF, placed on the GIF's logical screen; the frame's transparent colour
// and everything outside the frame have alpha 0. A frame that covers the whole screen comes as an
// 8-bit indexed image with the GIF's colours, any other as an ARGB32 image. A null image when
// the bytes are not a complete, readable GIF.
QImage decodeGif(const QByteArray &bytes);

// decodeGif() of a file's contents (resource paths work too);
// a null image when the file cannot be read.
QImage loadGif(const QString &path);
