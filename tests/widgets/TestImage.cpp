// The picture control: an indexed picture is painted with the same pixels as its 32-bit form,
// whichever part of it a paint asks for.

#include "widgets/TImage.h"

#include <QtTest>

class TestImage : public QObject
{
    Q_OBJECT

private slots:
    void indexedPictureIsPaintedAsItsColours_data();
    void indexedPictureIsPaintedAsItsColours();
};

void TestImage::indexedPictureIsPaintedAsItsColours_data()
{
    QTest::addColumn<QRect>("part");
    QTest::newRow("whole") << QRect(0, 0, 40, 30);
    QTest::newRow("inner part") << QRect(7, 5, 13, 11);
    QTest::newRow("right edge") << QRect(31, 0, 9, 30);
}

void TestImage::indexedPictureIsPaintedAsItsColours()
{
    QFETCH(QRect, part);
    // Stripes of three colours, with a different colour in every row and column.
    QImage indexed(40, 30, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(132, 130, 4), qRgb(0, 0, 255), qRgb(255, 255, 255)});
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, uint((x + 2 * y) % 3));

    TImage image;
    image.setPicture(indexed);
    QCOMPARE(image.size(), indexed.size());
    QCOMPARE(image.picture().format(), QImage::Format_Indexed8);
    const QImage painted = image.grab(part).toImage();
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            QCOMPARE(painted.pixel(x, y), indexed.pixel(part.x() + x, part.y() + y));
}

QTEST_MAIN(TestImage)
#include "TestImage.moc"
