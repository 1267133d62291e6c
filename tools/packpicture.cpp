// SPDX-License-Identifier: GPL-3.0-or-later
// Takes a picture apart into the runs of equal pixels the program paints it from, so that a start
// reads a few kilobytes of runs instead of decoding a GIF or a PNG (which also has Qt look through
// every image plug-in installed). Run by the build:
//   packpicture <picture.gif or picture.png> <picture.runs>
// A GIF must be one indexed frame; any other picture must have at most 256 colours, which every
// icon of up to 16 x 16 pixels has. An output named *.argb gets the picture's pixels as they lie
// in a QImage of Format_ARGB32 instead, row by row: for smooth pictures of many colours.

#include "platform/GifImage.h"
#include "platform/RunLengthImage.h"

#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: packpicture <picture.gif or picture.png> <picture.runs>\n");
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString outPath = QString::fromLocal8Bit(argv[2]);
    if (outPath.endsWith(QLatin1String(".argb"))) {
        const QImage image = QImage(in).convertToFormat(QImage::Format_ARGB32);
        QSaveFile out(outPath);
        if (image.isNull() || !out.open(QIODevice::WriteOnly)
            || out.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) < 0 || !out.commit()) {
            std::fprintf(stderr, "packpicture: cannot turn %s into %s\n", argv[1], argv[2]);
            return 1;
        }
        return 0;
    }
    const bool gif = in.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive);
    const RunLengthImage runs(gif ? loadGif(in) : RunLengthImage::exactlyIndexed(QImage(in)));
    if (runs.isNull()) {
        std::fprintf(stderr, "packpicture: %s is not a readable %s\n", argv[1],
                     gif ? "GIF of one indexed frame" : "picture of at most 256 colours");
        return 1;
    }
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(runs.toBytes()) < 0 || !out.commit()) {
        std::fprintf(stderr, "packpicture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
