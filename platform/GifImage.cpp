// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GifImage.h"

#include <QFile>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Pictures larger than this are refused before any memory is spent on them; a header can claim
// up to 65535 x 65535 pixels.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

struct MemorySource
{
    const QByteArray *bytes;
    qsizetype position = 0;
};

int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<MemorySource *>(gif->UserData);
    const qsizetype left = source->bytes->size() - source->position;
    const int count = int(std::clamp<qsizetype>(left, 0, std::max(length, 0)));
    if (count > 0) {
        std::memcpy(buffer, source->bytes->constData() + source->position, std::size_t(count));
        source->position += count;
    }
    return count;
}

struct GifCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

} // namespace

QImage decodeGif(const QByteArray &bytes)
{
    MemorySource source{&bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif)
        return {};
    const int width = gif->SWidth;
    const int height = gif->SHeight;
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxPixels)
        return {};
    // A GIF whose data ends early or holds a broken code stream fails here as a whole; a picture
    // shown half-decoded would be worse than none.
    if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1)
        return {};

    const SavedImage &frame = gif->SavedImages[0];
    const GifImageDesc &desc = frame.ImageDesc;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0 || !frame.RasterBits || desc.Width <= 0 || desc.Height <= 0)
        return {};

    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), 0, &control);

    // Colour table for all 256 possible indices: an index past the colour map is drawn
    // transparent, like the transparent colour itself.
    QList<QRgb> table(256, qRgba(0, 0, 0, 0));
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
        if (i != control.TransparentColor) {
            const GifColorType &c = map->Colors[i];
            table[i] = qRgb(c.Red, c.Green, c.Blue);
        }
    }

    // A frame that covers the whole picture, as a window's background does, is kept as it is
    // decoded: one byte a pixel with the colour table, a quarter of the memory of 32-bit pixels.
    if (desc.Left == 0 && desc.Top == 0 && desc.Width == width && desc.Height == height) {
        QImage indexed(width, height, QImage::Format_Indexed8);
        if (indexed.isNull())
            return {};
        indexed.setColorTable(table);
        for (int y = 0; y < height; ++y)
            std::memcpy(indexed.scanLine(y), frame.RasterBits + qsizetype(y) * width, std::size_t(width));
        return indexed;
    }

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);

    // The frame may lie partly outside the logical screen; only the overlap is drawn.
    const int left = std::max(desc.Left, 0);
    const int top = std::max(desc.Top, 0);
    const int right = std::min(desc.Left + desc.Width, width);
    const int bottom = std::min(desc.Top + desc.Height, height);
    for (int y = top; y < bottom; ++y) {
        const GifByteType *indices = frame.RasterBits + qsizetype(y - desc.Top) * desc.Width;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = left; x < right; ++x)
            line[x] = table[indices[x - desc.Left]];
    }
    return image;
}

QImage loadGif(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeGif(file.readAll());
}
