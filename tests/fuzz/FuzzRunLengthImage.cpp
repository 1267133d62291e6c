// SPDX-License-Identifier: GPL-3.0-or-later
// Stored runs of a picture: bytes that are not whole runs give no picture, and a picture read
// from bytes is stored as the same bytes and paints any part of itself.

#include "FuzzCheck.h"
#include "platform/RunLengthImage.h"

#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const RunLengthImage image = RunLengthImage::fromBytes(bytes);
    if (image.isNull())
        return 0;
    FUZZ_CHECK(image.toBytes() == bytes);
    // A corner of at most 64 x 64 pixels: a picture may be 65535 pixels wide.
    const QRect part(int(size % 7), int(size % 5), 64, 64);
    const QImage piece = image.toImage(part);
    FUZZ_CHECK(piece.size() == (part & QRect(QPoint(), image.size())).size());
    QImage painted(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&painted);
    painter.translate(-part.topLeft());
    image.paint(painter, part);
    return 0;
}
