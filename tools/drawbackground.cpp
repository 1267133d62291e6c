// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of the main window: the background picture with its painted title bar,
// frame and olive body (a GIF89a written with giflib), and the pixel-art icon of the title bar
// and the help glyph. The desktop's icons are rendered from assets/icons/pantrova.svg instead.
// Run by hand as "drawbackground <assets folder>"; its output is checked in under assets/.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

constexpr int kWidth = 854;
constexpr int kHeight = 590;
constexpr int kTitleHeight = 30;
constexpr int kFrameWidth = 4;

// Colours that the window's layout relies on; they go into the palette unchanged.
constexpr QRgb kOlive = 0xff848204;      // RGB 132, 130, 4: the body behind the item grid
constexpr QRgb kButtonBlue = 0xff5a86ef; // RGB 90, 134, 239: tray, stay-on-top and minimise buttons
constexpr QRgb kCloseRed = 0xffe0442a;   // the close button
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kFrameBlue = 0xff1046c0;   // the frame, continuing the bottom of the title bar
constexpr QRgb kFrameShadow = 0xff002c8c; // outermost line of the frame and title bar

// clang-format off
// Pixel art of the program icon: a shopping basket with a tick.
const char *const kIconArt[16] = {
    "..............rr",
    ".............rrr",
    "............rrr.",
    ".....nnnnnn.rr..",
    "....n......rrr..",
    "...n..rr..rrr...",
    "...n..rrrrrr....",
    "nnnnnnnrrrrnnnnn",
    "nwwwwwwwrrwwwwwn",
    ".nbwbwbwbwbwbwn.",
    ".nwbwbwbwbwbwbn.",
    ".nbwbwbwbwbwbwn.",
    "..nwbwbwbwbwbn..",
    "..nbwbwbwbwbwn..",
    "...nnnnnnnnnn...",
    "................",
};

// Pixel art of the help glyph: a blue question mark on the transparent colour.
const char *const kHelpArt[18] = {
    "..........",
    "...BBBB...",
    "..BBBBBB..",
    ".BBq..qBB.",
    ".BB....BB.",
    ".......BB.",
    "......qBB.",
    ".....qBBq.",
    "....qBBq..",
    "....BBq...",
    "....BB....",
    "....BB....",
    "..........",
    "..........",
    "....BB....",
    "....BB....",
    "..........",
    "..........",
};
// clang-format on

QRgb artColour(char key)
{
    switch (key) {
    case 'n':
        return 0xff000080; // navy outline
    case 'w':
        return 0xffffffce; // cream weave, the colour of a bought item
    case 'b':
        return kButtonBlue;
    case 'r':
        return 0xffff0000; // red tick, the colour of an item to buy today
    case 'B':
        return 0xff0030c8; // help glyph body
    case 'q':
        return 0xff6c90e0; // help glyph edge, softening the steps
    default:
        return 0;
    }
}

QImage drawArt(const char *const *rows, int width, int height, QRgb transparent)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(transparent);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (const QRgb colour = artColour(rows[y][x]); colour != 0)
                image.setPixel(x, y, colour);
        }
    }
    return image;
}

QImage drawIcon()
{
    return drawArt(kIconArt, 16, 16, 0x00000000);
}

QImage drawHelpGlyph()
{
    // The glyph's bottom-left pixel names its transparent colour. It is the olive of the body
    // the help button sits on, fully transparent, so the glyph looks right however it is drawn.
    return drawArt(kHelpArt, 10, 18, qRgba(qRed(kOlive), qGreen(kOlive), qBlue(kOlive), 0));
}

// The title bar's colour at a height from 0 (top) to 1 (bottom), between fixed stops.
QRgb titleColour(double t)
{
    struct Stop
    {
        double at;
        QRgb colour;
    };
    static const Stop stops[] = {{0.0, 0xff6096fa}, {0.15, 0xff2468e8}, {0.55, 0xff1254d8}, {1.0, kFrameBlue}};
    for (std::size_t i = 1; i < std::size(stops); ++i) {
        if (t <= stops[i].at) {
            const double f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            const auto mix = [f](int a, int b) { return int(a + (b - a) * f + 0.5); };
            const QRgb a = stops[i - 1].colour;
            const QRgb b = stops[i].colour;
            return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
        }
    }
    return stops[std::size(stops) - 1].colour;
}

void drawTitleButton(QPainter &painter, int left, QRgb fill)
{
    const QRect button(left, 6, 22, 21);
    painter.fillRect(button, QColor::fromRgb(fill));
    painter.setPen(QColor::fromRgb(kWhite));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(button.adjusted(0, 0, -1, -1));
}

QImage drawBackground()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kOlive);

    QPainter painter(&image);

    // Title bar: a vertical gradient, light at the top edge like a lit surface. One colour per
    // row keeps the picture within the GIF palette.
    for (int y = 0; y < kTitleHeight; ++y)
        painter.fillRect(0, y, kWidth, 1, QColor::fromRgb(titleColour(double(y) / (kTitleHeight - 1))));

    // Frame on the left, right and bottom edges, with a darker outer line.
    painter.fillRect(0, kTitleHeight, kFrameWidth, kHeight - kTitleHeight, QColor::fromRgb(kFrameBlue));
    painter.fillRect(kWidth - kFrameWidth, kTitleHeight, kFrameWidth, kHeight - kTitleHeight,
                     QColor::fromRgb(kFrameBlue));
    painter.fillRect(0, kHeight - kFrameWidth, kWidth, kFrameWidth, QColor::fromRgb(kFrameBlue));
    painter.setPen(QColor::fromRgb(kFrameShadow));
    painter.drawLine(0, 0, 0, kHeight - 1);
    painter.drawLine(kWidth - 1, 0, kWidth - 1, kHeight - 1);
    painter.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);
    painter.drawLine(0, 0, kWidth - 1, 0);

    // Program icon and name at the left of the title bar.
    painter.drawImage(7, 7, drawIcon());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect textBox(30, 0, 300, kTitleHeight);
    painter.setPen(QColor(0, 30, 110));
    painter.drawText(textBox.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pantrova"));
    painter.setPen(QColor::fromRgb(kWhite));
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pantrova"));

    // The painted twins of the program's own title buttons: tray, stay on top, minimise, close.
    drawTitleButton(painter, 754, kButtonBlue);
    drawTitleButton(painter, 778, kButtonBlue);
    drawTitleButton(painter, 802, kButtonBlue);
    drawTitleButton(painter, 826, kCloseRed);

    painter.end();

    // The body is exactly one colour; repaint it last so nothing above can have touched it.
    QPainter body(&image);
    body.fillRect(QRect(QPoint(kFrameWidth, kTitleHeight), QPoint(kWidth - kFrameWidth - 1, kHeight - kFrameWidth - 1)),
                  QColor::fromRgb(kOlive));
    return image;
}

struct ColourCount
{
    QRgb colour;
    qint64 count;
};

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

// Median cut: splits the colour set into at most maxColours boxes, each replaced by its
// weighted mean. Used only for the colours that are not pinned.
std::vector<QRgb> medianCut(std::vector<ColourCount> colours, int maxColours)
{
    std::vector<std::vector<ColourCount>> boxes;
    if (!colours.empty())
        boxes.push_back(std::move(colours));
    while (int(boxes.size()) < maxColours) {
        int best = -1;
        int bestChannel = 0;
        qint64 bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].size() < 2)
                continue;
            qint64 pixels = 0;
            for (const ColourCount &entry : boxes[i])
                pixels += entry.count;
            for (int c = 0; c < 3; ++c) {
                const auto [low, high] = std::minmax_element(boxes[i].begin(), boxes[i].end(),
                                                             [c](const ColourCount &a, const ColourCount &b) {
                                                                 return channel(a.colour, c) < channel(b.colour, c);
                                                             });
                const qint64 score = qint64(channel(high->colour, c) - channel(low->colour, c)) * pixels;
                if (score > bestScore) {
                    bestScore = score;
                    best = i;
                    bestChannel = c;
                }
            }
        }
        if (best < 0)
            break;
        std::vector<ColourCount> &box = boxes[best];
        std::sort(box.begin(), box.end(), [bestChannel](const ColourCount &a, const ColourCount &b) {
            return channel(a.colour, bestChannel) < channel(b.colour, bestChannel);
        });
        qint64 total = 0;
        for (const ColourCount &entry : box)
            total += entry.count;
        qint64 running = 0;
        std::size_t split = 1;
        for (std::size_t i = 0; i + 1 < box.size(); ++i) {
            running += box[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        std::vector<ColourCount> upper(box.begin() + std::ptrdiff_t(split), box.end());
        box.resize(split);
        boxes.push_back(std::move(upper));
    }

    std::vector<QRgb> palette;
    for (const auto &box : boxes) {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (const ColourCount &entry : box) {
            r += qRed(entry.colour) * entry.count;
            g += qGreen(entry.colour) * entry.count;
            b += qBlue(entry.colour) * entry.count;
            n += entry.count;
        }
        palette.push_back(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)));
    }
    return palette;
}

int nearestIndex(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// An image reduced to at most 256 colours: the pinned colours and every colour of a picture
// that has no more than 256 stay exact.
struct IndexedImage
{
    std::vector<QRgb> palette;
    std::vector<GifPixelType> pixels;
};

IndexedImage quantise(const QImage &image, const std::vector<QRgb> &pinned)
{
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    }

    IndexedImage result;
    result.palette = pinned;
    std::vector<ColourCount> others;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (std::find(pinned.begin(), pinned.end(), it.key()) == pinned.end())
            others.push_back({it.key(), it.value()});
    }
    const int room = 256 - int(pinned.size());
    if (int(others.size()) <= room) {
        for (const ColourCount &entry : others)
            result.palette.push_back(entry.colour);
    } else {
        std::sort(others.begin(), others.end(),
                  [](const ColourCount &a, const ColourCount &b) { return a.colour < b.colour; });
        const std::vector<QRgb> reduced = medianCut(others, room);
        result.palette.insert(result.palette.end(), reduced.begin(), reduced.end());
    }

    QHash<QRgb, int> indexOf;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        indexOf.insert(it.key(), nearestIndex(result.palette, it.key()));

    result.pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            result.pixels.push_back(GifPixelType(indexOf.value(image.pixel(x, y) | 0xff000000)));
    }
    return result;
}

bool writeGif(const IndexedImage &indexed, int width, int height, const QString &path)
{
    int bits = 1;
    while ((1 << bits) < int(indexed.palette.size()))
        ++bits;
    std::vector<GifColorType> colours(std::size_t(1) << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < indexed.palette.size(); ++i) {
        colours[i] = GifColorType{GifByteType(qRed(indexed.palette[i])), GifByteType(qGreen(indexed.palette[i])),
                                  GifByteType(qBlue(indexed.palette[i]))};
    }
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    if (!map)
        return false;

    int error = 0;
    GifFileType *gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif) {
        GifFreeMapObject(map);
        std::fprintf(stderr, "drawbackground: cannot create %s: %s\n", qPrintable(path), GifErrorString(error));
        return false;
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        std::copy_n(indexed.pixels.begin() + std::ptrdiff_t(y) * width, width, line.begin());
        ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
    }
    if (!ok)
        std::fprintf(stderr, "drawbackground: writing %s failed: %s\n", qPrintable(path), GifErrorString(gif->Error));
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    // giflib creates the file readable by its owner only; it is a picture to be shared.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadGroup | QFile::ReadOther);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text needs a GUI application, but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    const QDir assets(args.size() > 1 ? args.at(1) : QDir::currentPath());
    if (!assets.exists()) {
        std::fprintf(stderr, "usage: drawbackground <assets folder>\n");
        return 2;
    }

    const QImage background = drawBackground();
    const IndexedImage indexed =
        quantise(background, {kOlive, kFrameBlue, kFrameShadow, kButtonBlue, kCloseRed, kWhite});
    const QString gifPath = assets.filePath(QStringLiteral("background.gif"));
    if (!writeGif(indexed, background.width(), background.height(), gifPath))
        return 1;
    std::printf("%s: %d colours\n", qPrintable(gifPath), int(indexed.palette.size()));

    const QString iconPath = assets.filePath(QStringLiteral("icon.png"));
    const QString glyphPath = assets.filePath(QStringLiteral("help-glyph.png"));
    if (!drawIcon().save(iconPath, "PNG") || !drawHelpGlyph().save(glyphPath, "PNG")) {
        std::fprintf(stderr, "drawbackground: cannot write the PNG pictures\n");
        return 1;
    }
    std::printf("%s\n%s\n", qPrintable(iconPath), qPrintable(glyphPath));

    return 0;
}
