// SPDX-License-Identifier: GPL-3.0-or-later
// The box-line shape: which pixels its edges and diagonals cover for pens of width 1 to 3.

#include "widgets/TBrixLine.h"

#include <QtTest>

namespace {
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QPoint Origin(10, 10);
} // namespace

class TestBrixLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaults();
    void boxOfPenWidth_data();
    void boxOfPenWidth();
    void emptyStyleDrawsNothing();
    void crossDrawsBothDiagonals();
    void singleEdges_data();
    void singleEdges();
    void neighboursShareAColumn();

private:
    TBrixLine *makeLine(int penWidth, TBrixLine::LineStyles style, QPoint pos = Origin);
    QImage shot() const;

    QWidget *m_window = nullptr;
};

void TestBrixLine::init()
{
    m_window = new QWidget;
    m_window->resize(60, 40);
    m_window->setAutoFillBackground(true);
    m_window->setPalette(QColor(White));
}

void TestBrixLine::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

TBrixLine *TestBrixLine::makeLine(int penWidth, TBrixLine::LineStyles style, QPoint pos)
{
    auto *line = new TBrixLine(m_window);
    line->setGeometry(QRect(pos, QSize(16, 16)));
    line->setPen({0, penWidth, PenStyle::Solid});
    line->setLineStyle(style);
    return line;
}

// The window with its shapes, drawn on its own background.
QImage TestBrixLine::shot() const
{
    return m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestBrixLine::defaults()
{
    TBrixLine line;
    QCOMPARE(line.size(), QSize(40, 40));
    QCOMPARE(line.lineStyle(), TBrixLine::LineStyles(TBrixLine::lsUp));
    QCOMPARE(line.pen(), (GdiPen{0, 1, PenStyle::Solid}));
}

void TestBrixLine::boxOfPenWidth_data()
{
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("band");         // rows and columns covered at each edge
    QTest::addColumn<bool>("cornerDrawn"); // the bottom-right pixel
    QTest::newRow("1: 0 to 15 but the corner") << 1 << 1 << false;
    QTest::newRow("2: lines from 1 to 15") << 2 << 2 << true;
    QTest::newRow("3: lines from 1 to 14") << 3 << 3 << true;
}

void TestBrixLine::boxOfPenWidth()
{
    QFETCH(int, penWidth);
    QFETCH(int, band);
    QFETCH(bool, cornerDrawn);
    makeLine(penWidth, TBrixLine::lsTop | TBrixLine::lsBottom | TBrixLine::lsLeft | TBrixLine::lsRight);
    const QImage image = shot();
    for (int y = -2; y < 18; ++y) {
        for (int x = -2; x < 18; ++x) {
            const bool inside = x >= 0 && x < 16 && y >= 0 && y < 16;
            const bool edge = x < band || y < band || x >= 16 - band || y >= 16 - band;
            bool expected = inside && edge;
            if (x == 15 && y == 15)
                expected = cornerDrawn;
            QCOMPARE((image.pixel(Origin.x() + x, Origin.y() + y) | 0xFF000000), expected ? Black : White);
        }
    }
}

void TestBrixLine::emptyStyleDrawsNothing()
{
    makeLine(3, {});
    const QImage image = shot();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y) | 0xFF000000, White);
}

void TestBrixLine::crossDrawsBothDiagonals()
{
    makeLine(1, TBrixLine::lsUp | TBrixLine::lsDown);
    const QImage image = shot();
    int black = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // Up from (0, 15) towards (15, 0), down from (0, 0) towards (15, 15); end points left out.
            const bool expected = (x == y && x < 15) || (x + y == 15 && x < 15);
            QCOMPARE((image.pixel(Origin.x() + x, Origin.y() + y) | 0xFF000000), expected ? Black : White);
            black += expected;
        }
    }
    QCOMPARE(black, 30);
}

void TestBrixLine::singleEdges_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QPoint>("first");
    QTest::addColumn<QPoint>("last");
    QTest::addColumn<QPoint>("notDrawn");
    QTest::newRow("top") << int(TBrixLine::lsTop) << QPoint(0, 0) << QPoint(14, 0) << QPoint(15, 0);
    QTest::newRow("bottom") << int(TBrixLine::lsBottom) << QPoint(0, 15) << QPoint(14, 15) << QPoint(15, 15);
    QTest::newRow("left") << int(TBrixLine::lsLeft) << QPoint(0, 0) << QPoint(0, 14) << QPoint(0, 15);
    QTest::newRow("right") << int(TBrixLine::lsRight) << QPoint(15, 0) << QPoint(15, 14) << QPoint(15, 15);
}

void TestBrixLine::singleEdges()
{
    QFETCH(int, style);
    QFETCH(QPoint, first);
    QFETCH(QPoint, last);
    QFETCH(QPoint, notDrawn);
    makeLine(1, TBrixLine::LineStyles(style));
    const QImage image = shot();
    QCOMPARE(image.pixel(Origin + first) | 0xFF000000, Black);
    QCOMPARE(image.pixel(Origin + last) | 0xFF000000, Black);
    QCOMPARE(image.pixel(Origin + notDrawn) | 0xFF000000, White);
    QCOMPARE(image.pixel(Origin + QPoint(7, 7)) | 0xFF000000, White);
}

// Two boxes 15 pixels apart: the right edge of the first and the left edge of the second
// are the same column, which the second draws to its bottom.
void TestBrixLine::neighboursShareAColumn()
{
    const auto all = TBrixLine::lsTop | TBrixLine::lsBottom | TBrixLine::lsLeft | TBrixLine::lsRight;
    makeLine(1, all, {5, 10});
    makeLine(1, all, {20, 10});
    const QImage image = shot();
    for (int y = 10; y < 26; ++y)
        QCOMPARE(image.pixel(20, y) | 0xFF000000, Black);
    QCOMPARE(image.pixel(35, 25) | 0xFF000000, White);
    QCOMPARE(image.pixel(21, 25) | 0xFF000000, Black);
}

QTEST_MAIN(TestBrixLine)
#include "TestBrixLine.moc"
