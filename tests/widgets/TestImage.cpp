// SPDX-License-Identifier: GPL-3.0-or-later
// The picture control: an indexed picture (kept as runs of equal pixels) is painted with the
// same pixels as its 32-bit form, whichever part of it a paint asks for, and comes back whole.

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
    QTest::newRow("even area and stripes") << QRect(12, 3, 16, 20);
    QTest::newRow("one pixel in an even area") << QRect(4, 29, 1, 1);
}

void TestImage::indexedPictureIsPaintedAsItsColours()
{
    QFETCH(QRect, part);
    // An even area on the left (long runs), then stripes of three colours with a different
    // colour in every row and column (runs of one pixel).
    QImage indexed(40, 30, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(132, 130, 4), qRgb(0, 0, 255), qRgb(255, 255, 255)});
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, x < 20 ? 1u : uint((x + 2 * y) % 3));

    TImage image;
    image.setPicture(indexed);
    QCOMPARE(image.size(), indexed.size());
    QCOMPARE(image.picture(), indexed);
    const QImage painted = image.grab(part).toImage();
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            QCOMPARE(painted.pixel(x, y), indexed.pixel(part.x() + x, part.y() + y));
}

QTEST_MAIN(TestImage)
#include "TestImage.moc"
