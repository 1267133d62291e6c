// Takes a GIF picture apart into the runs of equal pixels the program paints it from, so that a
// start reads a few kilobytes of runs instead of decoding the GIF. Run by the build:
//   packpicture <picture.gif> <picture.runs>

#include "platform/GifImage.h"
#include "platform/RunLengthImage.h"

#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: packpicture <picture.gif> <picture.runs>\n");
        return 2;
    }
    const RunLengthImage runs(loadGif(QString::fromLocal8Bit(argv[1])));
    if (runs.isNull()) {
        std::fprintf(stderr, "packpicture: %s is not a readable GIF of one indexed frame\n", argv[1]);
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(runs.toBytes()) < 0 || !out.commit()) {
        std::fprintf(stderr, "packpicture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
