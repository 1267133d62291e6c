// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface: exact pixels of lines, rectangles, wide pens, masks and text
// backgrounds, and the resolution of system colours.

#include "platform/GdiCanvas.h"
#include "platform/GdiFont.h"
#include "platform/SystemColors.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(GdiFont)

namespace {
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Red = 0xFFFF0000;

QImage blank(int w = 20, int h = 20)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}
} // namespace

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void lineLeavesEndPoint_data();
    void lineLeavesEndPoint();
    void lineMovesPenPosition();
    void polylineDrawsInnerCorners();
    void fillRectExcludesRightAndBottom();
    void frameRectIsOnePixelInside();
    void rectangleOutlinesAndFills();
    void rectangleWithoutPenIsSmaller();
    void widePenCoversItsWidth_data();
    void widePenCoversItsWidth();
    void dottedPen();
    void maskDrawSkipsTransparentColour();
    void textBackground();
    void drawTextCalcRect();
    void focusRectInvertsEveryOtherPixel();
    void drawTextWrapsAndAligns();
    void systemColours_data();
    void systemColours();
    void wingdingsPinIsInstalled();
    void measuresDependOnFaceHeightAndWeight_data();
    void measuresDependOnFaceHeightAndWeight();
};

void TestCanvas::lineLeavesEndPoint_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QList<QPoint>>("drawn");
    QTest::newRow("right") << QPoint(2, 5) << QPoint(6, 5) << QList<QPoint>{{2, 5}, {3, 5}, {4, 5}, {5, 5}};
    QTest::newRow("left") << QPoint(6, 5) << QPoint(2, 5) << QList<QPoint>{{6, 5}, {5, 5}, {4, 5}, {3, 5}};
    QTest::newRow("down") << QPoint(3, 1) << QPoint(3, 4) << QList<QPoint>{{3, 1}, {3, 2}, {3, 3}};
    QTest::newRow("up") << QPoint(3, 4) << QPoint(3, 1) << QList<QPoint>{{3, 4}, {3, 3}, {3, 2}};
    QTest::newRow("diagonal") << QPoint(1, 1) << QPoint(4, 4) << QList<QPoint>{{1, 1}, {2, 2}, {3, 3}};
    QTest::newRow("from outside") << QPoint(-1, 7) << QPoint(3, 7) << QList<QPoint>{{0, 7}, {1, 7}, {2, 7}};
    QTest::newRow("single pixel") << QPoint(9, 9) << QPoint(10, 9) << QList<QPoint>{{9, 9}};
    QTest::newRow("zero length") << QPoint(9, 9) << QPoint(9, 9) << QList<QPoint>{};
}

void TestCanvas::lineLeavesEndPoint()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QList<QPoint>, drawn);
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.moveTo(from.x(), from.y());
        canvas.lineTo(to.x(), to.y());
    }
    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool expected = drawn.contains(QPoint(x, y));
            QCOMPARE(at(image, x, y), expected ? Black : White);
            black += expected;
        }
    }
    QCOMPARE(black, drawn.size());
}

void TestCanvas::lineMovesPenPosition()
{
    QImage image = blank();
    QPainter painter(&image);
    GdiCanvas canvas(painter);
    canvas.moveTo(1, 1);
    canvas.lineTo(5, 1);
    QCOMPARE(canvas.penPos(), QPoint(5, 1));
    canvas.lineTo(5, 5);
    painter.end();
    QCOMPARE(at(image, 4, 1), Black);
    QCOMPARE(at(image, 5, 1), Black); // the start of the second line
    QCOMPARE(at(image, 5, 4), Black);
    QCOMPARE(at(image, 5, 5), White);
}

void TestCanvas::polylineDrawsInnerCorners()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setPenColor(0x000000FF);
        canvas.polyline({{1, 1}, {6, 1}, {6, 6}});
    }
    QCOMPARE(at(image, 1, 1), Red);
    QCOMPARE(at(image, 6, 1), Red);
    QCOMPARE(at(image, 6, 5), Red);
    QCOMPARE(at(image, 6, 6), White);
    QCOMPARE(at(image, 7, 1), White);
}

void TestCanvas::fillRectExcludesRightAndBottom()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setBrushColor(0x000000FF);
        canvas.fillRect(gdiRect(2, 3, 6, 8));
    }
    QCOMPARE(at(image, 2, 3), Red);
    QCOMPARE(at(image, 5, 7), Red);
    QCOMPARE(at(image, 6, 7), White);
    QCOMPARE(at(image, 5, 8), White);
    QCOMPARE(at(image, 1, 3), White);
    QCOMPARE(at(image, 2, 2), White);
}

void TestCanvas::frameRectIsOnePixelInside()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.frameRect(gdiRect(1, 1, 5, 6), 0);
    }
    for (const QPoint p : {QPoint(1, 1), QPoint(4, 1), QPoint(1, 5), QPoint(4, 5), QPoint(2, 1), QPoint(4, 3)})
        QCOMPARE(at(image, p.x(), p.y()), Black);
    for (const QPoint p : {QPoint(2, 2), QPoint(3, 4), QPoint(5, 1), QPoint(1, 6), QPoint(0, 0)})
        QCOMPARE(at(image, p.x(), p.y()), White);
}

void TestCanvas::rectangleOutlinesAndFills()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setBrushColor(0x000000FF);
        canvas.rectangle(1, 1, 7, 6);
    }
    QCOMPARE(at(image, 1, 1), Black);
    QCOMPARE(at(image, 6, 1), Black);
    QCOMPARE(at(image, 6, 5), Black);
    QCOMPARE(at(image, 1, 5), Black);
    QCOMPARE(at(image, 2, 2), Red);
    QCOMPARE(at(image, 5, 4), Red);
    QCOMPARE(at(image, 7, 1), White);
    QCOMPARE(at(image, 1, 6), White);
}

void TestCanvas::rectangleWithoutPenIsSmaller()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setPenStyle(PenStyle::Clear);
        canvas.setBrushColor(0x000000FF);
        canvas.rectangle(1, 1, 7, 6);
    }
    QCOMPARE(at(image, 1, 1), Red);
    QCOMPARE(at(image, 5, 4), Red);
    QCOMPARE(at(image, 6, 4), White);
    QCOMPARE(at(image, 5, 5), White);
}

void TestCanvas::widePenCoversItsWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("2") << 2 << 9 << 10;
    QTest::newRow("3") << 3 << 9 << 11;
    QTest::newRow("4") << 4 << 8 << 11;
    QTest::newRow("5") << 5 << 8 << 12;
}

// A horizontal line through y 10 from x 5 to x 14: the pen covers its rows, and its round
// ends reach half the width beyond both end points on the line's own row.
void TestCanvas::widePenCoversItsWidth()
{
    QFETCH(int, width);
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    QImage image = blank(30, 30);
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setPen({0, width, PenStyle::Dash});
        canvas.moveTo(5, 10);
        canvas.lineTo(14, 10);
    }
    for (int y = 0; y < 30; ++y) {
        const bool covered = y >= firstRow && y <= lastRow;
        QCOMPARE(at(image, 10, y), covered ? Black : White);
    }
    // A wide pen draws solid whatever its style, and draws its end point.
    for (int x = 5; x <= 14; ++x)
        QCOMPARE(at(image, x, 10), Black);
    QCOMPARE(at(image, 5 - width / 2 - 1, 10), White);
    QCOMPARE(at(image, 14 + width / 2 + 1, 10), White);
}

void TestCanvas::dottedPen()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.setPenStyle(PenStyle::Dot);
        canvas.moveTo(0, 2);
        canvas.lineTo(12, 2);
    }
    const QString expected = QStringLiteral("###...###...");
    for (int x = 0; x < 12; ++x)
        QCOMPARE(at(image, x, 2), expected[x] == u'#' ? Black : White);
}

void TestCanvas::maskDrawSkipsTransparentColour()
{
    QImage glyph(3, 2, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    glyph.setPixel(1, 0, qRgb(0, 0, 128));
    glyph.setPixel(2, 1, qRgb(0, 0, 128));
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.drawTransparent(4, 4, glyph, toColorValue(glyph.pixelColor(0, 0)));
    }
    QCOMPARE(at(image, 4, 4), White);
    QCOMPARE(at(image, 5, 4), qRgb(0, 0, 128));
    QCOMPARE(at(image, 6, 4), White);
    QCOMPARE(at(image, 6, 5), qRgb(0, 0, 128));
    QCOMPARE(at(image, 4, 5), White);
}

// The top-left corner of a text cell lies above the letter: it shows the background.
void TestCanvas::textBackground()
{
    QImage opaque = blank(60, 30);
    QImage transparent = blank(60, 30);
    const GdiFont font{QStringLiteral("Arial"), -11, 0x00800000, false};
    for (QImage *image : {&opaque, &transparent}) {
        QPainter painter(image);
        GdiCanvas canvas(painter);
        canvas.setFont(font);
        if (image == &opaque)
            canvas.setBrushColor(0x000000FF);
        else
            canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(5, 5, QStringLiteral("Hi"));
    }
    QCOMPARE(at(opaque, 5, 5), Red);
    QCOMPARE(at(transparent, 5, 5), White);
    QCOMPARE(at(opaque, 4, 5), White);
    bool navy = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            navy = navy || at(transparent, x, y) == qRgb(0, 0, 128);
    QVERIFY(navy);
}

void TestCanvas::drawTextCalcRect()
{
    QImage image = blank(100, 40);
    QPainter painter(&image);
    GdiCanvas canvas(painter);
    canvas.setFont({QStringLiteral("Arial"), -11, 0, false});
    QRect rect = gdiRect(3, 4, 90, 30);
    const int height =
        canvas.drawText(QStringLiteral("Cancel"), rect, DrawTextFlag::SingleLine | DrawTextFlag::CalcRect);
    QCOMPARE(height, canvas.textHeight(QStringLiteral("Cancel")));
    QCOMPARE(rect.left(), 3);
    QCOMPARE(rect.top(), 4);
    QCOMPARE(rect.width(), canvas.textWidth(QStringLiteral("Cancel")));
    QCOMPARE(rect.height(), height);
    painter.end();
    QCOMPARE(image.pixel(10, 10), White); // measuring draws nothing
}

void TestCanvas::drawTextWrapsAndAligns()
{
    QImage image = blank(120, 60);
    QPainter painter(&image);
    GdiCanvas canvas(painter);
    canvas.setFont({QStringLiteral("Arial"), -11, 0x000000FF, false});
    const int line = canvas.textHeight(QStringLiteral("H"));
    const int word = canvas.textWidth(QStringLiteral("Cancel"));
    // Two words that do not fit side by side take two lines of the cell height each.
    QRect measure = gdiRect(0, 0, word + 4, 60);
    QCOMPARE(
        canvas.drawText(QStringLiteral("Cancel Cancel"), measure, DrawTextFlag::WordBreak | DrawTextFlag::CalcRect),
        2 * line);
    QCOMPARE(measure.height(), 2 * line);
    QRect single = gdiRect(0, 0, word + 4, 60);
    QCOMPARE(
        canvas.drawText(QStringLiteral("Cancel Cancel"), single, DrawTextFlag::SingleLine | DrawTextFlag::CalcRect),
        line);
    QVERIFY(single.width() > 2 * word);
    // A prefix character is not drawn unless asked to be.
    QRect prefixed = gdiRect(0, 0, 100, 20);
    QRect literal = prefixed;
    canvas.drawText(QStringLiteral("&OK"), prefixed, DrawTextFlag::CalcRect);
    canvas.drawText(QStringLiteral("&OK"), literal, DrawTextFlag::NoPrefix | DrawTextFlag::CalcRect);
    QCOMPARE(prefixed.width(), canvas.textWidth(QStringLiteral("OK")));
    QCOMPARE(literal.width(), canvas.textWidth(QStringLiteral("&OK")));

    // Right-aligned and vertically centred: the ink ends at the right edge, clipped to the rectangle.
    canvas.setBrushStyle(BrushStyle::Clear);
    QRect box = gdiRect(10, 10, 110, 40);
    canvas.drawText(QStringLiteral("Cancel"), box,
                    DrawTextFlag::Right | DrawTextFlag::SingleLine | DrawTextFlag::VCenter);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) == Red)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(ink.right() <= 109 && ink.right() >= 106);
    QVERIFY(ink.left() >= 110 - word - 1);
    QVERIFY(ink.top() >= 10 + (30 - line) / 2 && ink.bottom() < 10 + (30 - line) / 2 + line);
}

void TestCanvas::focusRectInvertsEveryOtherPixel()
{
    QImage image = blank();
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.drawFocusRect(gdiRect(2, 2, 9, 7));
    }
    QCOMPARE(at(image, 2, 2), Black);
    QCOMPARE(at(image, 3, 2), White);
    QCOMPARE(at(image, 4, 2), Black);
    QCOMPARE(at(image, 2, 3), White);
    QCOMPARE(at(image, 2, 4), Black);
    QCOMPARE(at(image, 8, 6), Black);
    QCOMPARE(at(image, 5, 4), White);
    {
        QPainter painter(&image);
        GdiCanvas canvas(painter);
        canvas.drawFocusRect(gdiRect(2, 2, 9, 7));
    }
    QCOMPARE(at(image, 2, 2), White);
    QCOMPARE(at(image, 4, 2), White);
}

void TestCanvas::systemColours_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("button face") << quint32(0x8000000F) << QColor(212, 208, 200);
    QTest::newRow("button shadow") << quint32(0x80000010) << QColor(128, 128, 128);
    QTest::newRow("button text") << quint32(0x80000012) << QColor(0, 0, 0);
    QTest::newRow("button highlight") << quint32(0x80000014) << QColor(255, 255, 255);
    QTest::newRow("highlight") << quint32(0x8000000D) << QColor(10, 36, 106);
    QTest::newRow("window") << quint32(0x80000005) << QColor(255, 255, 255);
    QTest::newRow("window frame") << quint32(0x80000006) << QColor(0, 0, 0);
    QTest::newRow("3-D dark shadow") << quint32(0x80000015) << QColor(64, 64, 64);
    QTest::newRow("unknown system colour") << quint32(0x80000063) << QColor(0, 0, 0);
    QTest::newRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("navy") << quint32(0x00800000) << QColor(0, 0, 128);
    QTest::newRow("border") << quint32(0x00828F99) << QColor(153, 143, 130);
    QTest::newRow("high byte ignored") << quint32(0x0200FF00) << QColor(0, 255, 0);
}

void TestCanvas::systemColours()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QCOMPARE(toQColor(value), expected);
    QCOMPARE(toQColor(resolveColor(value)), expected);
    QCOMPARE(toColorValue(expected), resolveColor(value));
}

void TestCanvas::wingdingsPinIsInstalled()
{
    const GdiFont wingdings{QStringLiteral("Wingdings"), -16, 0x00FFFFFF, true};
    const QString pin = textToDraw(QString(QChar(0xCA)), wingdings);
    QCOMPARE(pin, QString(QChar(0x26B2)));
    QVERIFY(QFontMetrics(toQFont(wingdings)).inFont(pin.front()));
    const GdiFont courier{QStringLiteral("Courier"), -21, 0x00FFFFFF, true};
    QCOMPARE(textToDraw(QString(QChar(0xD7)), courier), QString(QChar(0xD7)));
    QVERIFY(QFontMetrics(toQFont(courier)).inFont(QChar(0xD7)));
}

void TestCanvas::measuresDependOnFaceHeightAndWeight_data()
{
    QTest::addColumn<GdiFont>("font");
    QTest::addColumn<QString>("text");
    // The same texts in fonts that differ in one property each: a measure remembered for one
    // must never answer for another.
    for (const QString &text : {QStringLiteral("Reset All Red"), QStringLiteral("P"), QString(QChar(0xCA))}) {
        QTest::newRow(qPrintable("Arial -11 " + text)) << GdiFont{QStringLiteral("Arial"), -11, 0, false} << text;
        QTest::newRow(qPrintable("Arial -11 bold " + text)) << GdiFont{QStringLiteral("Arial"), -11, 0, true} << text;
        QTest::newRow(qPrintable("Arial -21 " + text)) << GdiFont{QStringLiteral("Arial"), -21, 0, false} << text;
        QTest::newRow(qPrintable("Courier -11 " + text)) << GdiFont{QStringLiteral("Courier"), -11, 0, false} << text;
        QTest::newRow(qPrintable("Wingdings -16 " + text))
            << GdiFont{QStringLiteral("Wingdings"), -16, 0, true} << text;
    }
}

void TestCanvas::measuresDependOnFaceHeightAndWeight()
{
    QFETCH(GdiFont, font);
    QFETCH(QString, text);
    const QFontMetrics metrics(toQFont(font));
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(textWidth(font, text), metrics.horizontalAdvance(textToDraw(text, font)));
        QCOMPARE(textHeight(font), metrics.height());
        QCOMPARE(textAscent(font), metrics.ascent());
    }
    QImage image = blank(60, 30);
    QPainter painter(&image);
    GdiCanvas canvas(painter);
    canvas.setFont(font);
    QCOMPARE(canvas.textExtent(text), QSize(metrics.horizontalAdvance(textToDraw(text, font)), metrics.height()));
}

QTEST_MAIN(TestCanvas)
#include "TestCanvas.moc"
