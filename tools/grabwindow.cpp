// SPDX-License-Identifier: GPL-3.0-or-later
// Reads pictures off a running X display: a window saved as PNG, the whole screen, or the
// colours of single screen pixels. The real-window tests and scripts/run use it to look at
// the program as a user sees it, without needing an image-processing suite.
//
//   grabwindow window <window id> <file.png>   the window's client area (id decimal or 0x...)
//   grabwindow contents <window id> <file.png> [<x> <y>...]
//                                              the window's own pixels as the X server keeps
//                                              them, also where the screen shows nothing of
//                                              them (XWayland, a compositing server); the
//                                              colours at the window's points are printed
//   grabwindow screen <file.png>               the whole screen
//   grabwindow compare <a.png> <b.png>         "<n> <w>x<h>": how many pixels differ, and the
//                                              size of the box that holds them all
//   grabwindow pixel <x> <y> [<x> <y> ...]     one "#rrggbb" line per screen point

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

#ifdef GRABWINDOW_XCB
#include <xcb/xcb.h>
#endif

namespace {

int usage()
{
    std::fprintf(stderr, "usage: grabwindow window <id> <file.png> | contents <id> <file.png> [<x> <y>...] | "
                         "screen <file.png> | compare <a.png> <b.png> | pixel <x> <y>...\n");
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

// The window's pixels straight from the X server (XGetImage of the window itself), for a
// 24-bit window of 32 bits a pixel; a null picture when the server will not give them.
QImage windowContents(qulonglong id)
{
    QImage image;
#ifdef GRABWINDOW_XCB
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const auto window = xcb_window_t(id);
    xcb_get_geometry_reply_t *geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (geometry && geometry->depth == 24) {
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height, ~0u),
            nullptr);
        const int bytes = geometry->width * geometry->height * 4;
        if (reply && xcb_get_image_data_length(reply) == bytes) {
            image = QImage(xcb_get_image_data(reply), geometry->width, geometry->height, geometry->width * 4,
                           QImage::Format_RGB32)
                        .copy();
        }
        std::free(reply);
    }
    std::free(geometry);
    xcb_disconnect(connection);
#else
    Q_UNUSED(id)
    std::fprintf(stderr, "grabwindow: built without the XCB headers (libxcb1-dev)\n");
#endif
    return image;
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
    if (command == QLatin1String("contents") && args.size() >= 3 && args.size() % 2 == 1) {
        qulonglong id = 0;
        if (!toInt(args.at(1), id))
            return usage();
        const QImage image = windowContents(id);
        for (int i = 3; i < args.size(); i += 2) {
            qulonglong x = 0;
            qulonglong y = 0;
            if (!toInt(args.at(i), x) || !toInt(args.at(i + 1), y) || !image.valid(int(x), int(y)))
                return usage();
            std::printf("%s\n", qPrintable(QColor(image.pixel(int(x), int(y))).name()));
        }
        return save(QPixmap::fromImage(image), args.at(2));
    }
    if (command == QLatin1String("compare") && args.size() == 3) {
        const QImage a = QImage(args.at(1)).convertToFormat(QImage::Format_RGB32);
        const QImage b = QImage(args.at(2)).convertToFormat(QImage::Format_RGB32);
        if (a.isNull() || a.size() != b.size()) {
            std::fprintf(stderr, "grabwindow: cannot compare pictures that differ in size or cannot be read\n");
            return 1;
        }
        int differing = 0;
        QRect box;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    ++differing;
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        std::printf("%d %dx%d\n", differing, box.width(), box.height());
        return 0;
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
