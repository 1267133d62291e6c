// SPDX-License-Identifier: GPL-3.0-or-later
// The GIF reader: the main window's real background picture, small GIFs written here with
// giflib's encoder to pin down palette, transparency, frame placement and interlacing, and
// damaged input, which must give a null image and nothing worse.

#include "platform/GifImage.h"

#include <QColor>
#include <QFile>
#include <QtTest>

#include <gif_lib.h>

#include <vector>

namespace {

const QRgb kOlive = qRgb(132, 130, 4);

struct Frame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    bool localMap = false;
    // Rows of palette indices, top to bottom, as they appear in the picture.
    std::vector<std::vector<GifPixelType>> rows;
};

struct GifRecipe
{
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<GifColorType> colours; // power-of-two count
    int transparentIndex = NO_TRANSPARENT_COLOR;
    Frame frame;
};

int appendToByteArray(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

// Writes a one-frame GIF89a with giflib's encoder.
QByteArray encodeGif(const GifRecipe &recipe)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendToByteArray, &error);
    if (!gif)
        return {};
    EGifSetGifVersion(gif, true);
    ColorMapObject *map = GifMakeMapObject(int(recipe.colours.size()), recipe.colours.data());
    bool ok = map != nullptr;
    ok = ok
         && EGifPutScreenDesc(gif, recipe.screenWidth, recipe.screenHeight, 8, 0, recipe.frame.localMap ? nullptr : map)
                == GIF_OK;
    if (ok && recipe.transparentIndex != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = recipe.transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    const Frame &frame = recipe.frame;
    ok = ok
         && EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                             frame.localMap ? map : nullptr)
                == GIF_OK;
    // An interlaced frame is stored in four passes: every 8th row from 0, every 8th from 4,
    // every 4th from 2, every 2nd from 1.
    std::vector<int> order;
    if (frame.interlaced) {
        const int starts[] = {0, 4, 2, 1};
        const int steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = starts[pass]; y < frame.height; y += steps[pass])
                order.push_back(y);
        }
    } else {
        for (int y = 0; y < frame.height; ++y)
            order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> line = frame.rows[std::size_t(y)];
        ok = ok && EGifPutLine(gif, line.data(), frame.width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok ? bytes : QByteArray();
}

GifRecipe twoByTwo()
{
    GifRecipe recipe;
    recipe.screenWidth = 2;
    recipe.screenHeight = 2;
    recipe.colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    recipe.frame.width = 2;
    recipe.frame.height = 2;
    recipe.frame.rows = {{0, 1}, {2, 3}};
    return recipe;
}

QByteArray backgroundBytes()
{
    const QString path = QFINDTESTDATA("../../assets/background.gif");
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool isBlueish(QRgb colour)
{
    return qBlue(colour) > 100 && qBlue(colour) > qRed(colour) + 40 && qBlue(colour) > qGreen(colour) + 20;
}

} // namespace

class TestGifImage : public QObject
{
    Q_OBJECT

private:
    QImage m_background;

private slots:
    void initTestCase()
    {
        const QByteArray bytes = backgroundBytes();
        QVERIFY2(!bytes.isEmpty(), "assets/background.gif not found beside the sources");
        QVERIFY(bytes.startsWith("GIF89a"));
        m_background = decodeGif(bytes);
    }

    void backgroundHasWindowSize()
    {
        QVERIFY(!m_background.isNull());
        QCOMPARE(m_background.size(), QSize(854, 590));
        // It covers its screen, so it is kept at one byte a pixel.
        QCOMPARE(m_background.format(), QImage::Format_Indexed8);
    }

    void backgroundBodyIsFlatOlive()
    {
        QCOMPARE(m_background.pixel(4, 30), kOlive);
        QCOMPARE(m_background.pixel(849, 585), kOlive);
        QCOMPARE(m_background.pixel(400, 300), kOlive);
        // Every pixel of the body, since the item grid is laid out on it.
        for (int y = 30; y <= 585; ++y) {
            for (int x = 4; x <= 849; ++x) {
                if (m_background.pixel(x, y) != kOlive)
                    QFAIL(qPrintable(QStringLiteral("body pixel (%1, %2) is not olive").arg(x).arg(y)));
            }
        }
    }

    void backgroundFrameIsBlue_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::newRow("left") << QPoint(0, 300);
        QTest::newRow("left inner") << QPoint(3, 300);
        QTest::newRow("right") << QPoint(852, 300);
        QTest::newRow("right inner") << QPoint(850, 300);
        QTest::newRow("bottom") << QPoint(400, 588);
        QTest::newRow("bottom inner") << QPoint(400, 586);
        QTest::newRow("bottom left corner") << QPoint(1, 588);
    }

    void backgroundFrameIsBlue()
    {
        QFETCH(QPoint, point);
        const QRgb colour = m_background.pixel(point);
        QVERIFY(colour != kOlive);
        QVERIFY2(isBlueish(colour), qPrintable(QColor(colour).name()));
    }

    void backgroundTitleBarDiffersFromBody()
    {
        for (int y = 0; y < 30; ++y) {
            for (int x : {2, 400, 700, 851}) {
                const QRgb colour = m_background.pixel(x, y);
                QVERIFY(colour != kOlive);
                QVERIFY2(isBlueish(colour), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void backgroundPaintsTitleButtons_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<QRgb>("fill");
        QTest::newRow("tray") << 754 << qRgb(90, 134, 239);
        QTest::newRow("stay on top") << 778 << qRgb(90, 134, 239);
        QTest::newRow("minimise") << 802 << qRgb(90, 134, 239);
        QTest::newRow("close") << 826 << m_background.pixel(837, 16);
    }

    void backgroundPaintsTitleButtons()
    {
        QFETCH(int, left);
        QFETCH(QRgb, fill);
        const QRect button(left, 6, 22, 21);
        QCOMPARE(m_background.pixel(button.center()), fill);
        QCOMPARE(m_background.pixel(button.left() + 2, button.top() + 2), fill);
        QCOMPARE(m_background.pixel(button.topLeft()), qRgb(255, 255, 255));
        QCOMPARE(m_background.pixel(button.bottomRight()), qRgb(255, 255, 255));
        QVERIFY(m_background.pixel(button.left() - 1, button.top() + 5) != qRgb(255, 255, 255));
    }

    void closeButtonIsRed()
    {
        const QRgb colour = m_background.pixel(837, 16);
        QVERIFY(qRed(colour) > 180 && qGreen(colour) < 120 && qBlue(colour) < 120);
    }

    void paletteAndTransparency()
    {
        GifRecipe recipe = twoByTwo();
        recipe.transparentIndex = 3;
        const QImage image = decodeGif(encodeGif(recipe));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(2, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
        QVERIFY(image.hasAlphaChannel());
    }

    void withoutTransparencyEveryColourIsOpaque()
    {
        const QImage image = decodeGif(encodeGif(twoByTwo()));
        QVERIFY(!image.isNull());
        QCOMPARE(image.pixel(1, 1), qRgb(10, 20, 30));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 255);
    }

    void frameWithLocalMapIsPlacedOnScreen()
    {
        GifRecipe recipe = twoByTwo();
        recipe.screenWidth = 4;
        recipe.screenHeight = 3;
        recipe.frame.left = 1;
        recipe.frame.top = 1;
        recipe.frame.localMap = true;
        const QImage image = decodeGif(encodeGif(recipe));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(4, 3));
        QCOMPARE(image.pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(2, 1), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(1, 2), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(2, 2), qRgb(10, 20, 30));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(3, 2)), 0);
    }

    void interlacedRowsComeOutInOrder()
    {
        GifRecipe recipe;
        recipe.screenWidth = 1;
        recipe.screenHeight = 11;
        for (int i = 0; i < 16; ++i)
            recipe.colours.push_back({GifByteType(i * 16), GifByteType(255 - i * 16), 7});
        recipe.frame.width = 1;
        recipe.frame.height = 11;
        recipe.frame.interlaced = true;
        for (int y = 0; y < 11; ++y)
            recipe.frame.rows.push_back({GifPixelType(y)});
        const QImage image = decodeGif(encodeGif(recipe));
        QVERIFY(!image.isNull());
        for (int y = 0; y < 11; ++y)
            QCOMPARE(image.pixel(0, y), qRgb(y * 16, 255 - y * 16, 7));
    }

    void damagedInputGivesNullImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = backgroundBytes();
        const QByteArray small = encodeGif(twoByTwo());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a gif") << QByteArray("\x89PNG\r\n\x1a\n0123456789abcdef", 24);
        QTest::newRow("header only") << QByteArray("GIF89a");
        QTest::newRow("screen only") << good.left(13);
        QTest::newRow("palette cut") << good.left(200);
        QTest::newRow("half") << good.left(good.size() / 2);
        QTest::newRow("last data byte missing") << good.left(good.size() - 3);
        QTest::newRow("small cut") << small.left(small.size() - 4);
        QByteArray zeroSize = small;
        zeroSize[6] = 0;
        zeroSize[7] = 0;
        QTest::newRow("zero width") << zeroSize;
        QByteArray scrambled = good;
        for (qsizetype i = 800; i < scrambled.size() - 1; i += 7)
            scrambled[i] = char(0xff);
        QTest::newRow("scrambled codes") << scrambled;
        QByteArray noImage("GIF89a\x02\x00\x02\x00\x00\x00\x00;", 14);
        QTest::newRow("no image") << noImage;
    }

    void damagedInputGivesNullImage()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(decodeGif(bytes).isNull());
    }

    void loadGifReadsFiles()
    {
        QVERIFY(loadGif(QStringLiteral("/nonexistent/background.gif")).isNull());
        const QImage image = loadGif(QFINDTESTDATA("../../assets/background.gif"));
        QCOMPARE(image.size(), QSize(854, 590));
    }
};

QTEST_GUILESS_MAIN(TestGifImage)
#include "TestGifImage.moc"
