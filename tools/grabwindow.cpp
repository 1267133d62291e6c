// Reads pictures off a running X display: a window saved as PNG, the whole screen, or the
// colours of single screen pixels. The real-window tests and scripts/run use it to look at
// the program as a user sees it, without needing an image-processing suite.
//
//   grabwindow window <window id> <file.png>   the window's client area (id decimal or 0x...)
//   grabwindow screen <file.png>               the whole screen
//   grabwindow pixel <x> <y> [<x> <y> ...]     one "#rrggbb" line per screen point

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: grabwindow window <id> <file.png> | screen <file.png> | pixel <x> <y>...\n");
    return 2;
}

bool toInt(const QString &text, qulonglong &value)
{
    bool ok = false;
    value = text.toULongLong(&ok, 0); // base 0 accepts both decimal and 0x-prefixed ids
    return ok;
}

int save(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.isNull() || !pixmap.save(path, "PNG")) {
        std::fprintf(stderr, "grabwindow: cannot grab or write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // This tool reads an X display; an inherited offscreen platform would only see a blank.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (args.isEmpty() || !screen)
        return usage();

    const QString command = args.first();
    if (command == QLatin1String("window") && args.size() == 3) {
        qulonglong id = 0;
        if (!toInt(args.at(1), id))
            return usage();
        return save(screen->grabWindow(WId(id)), args.at(2));
    }
    if (command == QLatin1String("screen") && args.size() == 2)
        return save(screen->grabWindow(0), args.at(1));
    if (command == QLatin1String("pixel") && args.size() >= 3 && args.size() % 2 == 1) {
        for (int i = 1; i < args.size(); i += 2) {
            qulonglong x = 0;
            qulonglong y = 0;
            if (!toInt(args.at(i), x) || !toInt(args.at(i + 1), y))
                return usage();
            const QImage pixel = screen->grabWindow(0, int(x), int(y), 1, 1).toImage();
            if (pixel.isNull()) {
                std::fprintf(stderr, "grabwindow: cannot read pixel %llu,%llu\n", x, y);
                return 1;
            }
            std::printf("%s\n", qPrintable(QColor(pixel.pixel(0, 0)).name()));
        }
        return 0;
    }
    return usage();
}
