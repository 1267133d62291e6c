// SPDX-License-Identifier: GPL-3.0-or-later
// Stored runs of a picture: they come back as the picture they were made from, bytes that are
// not whole runs of a picture give no picture rather than a wrong one or a crash, and painted
// runs give the pixels of the picture's 32-bit form drawn in their place.

#include "platform/RunLengthImage.h"

#include <QPainter>
#include <QtTest>
#include <functional>

namespace {
// Two rows of 4 pixels with 3 colours: runs 2+2 and 1+3.
RunLengthImage sample()
{
    QImage indexed(4, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6), qRgba(0, 0, 0, 0)});
    const uchar rows[2][4] = {{0, 0, 1, 1}, {2, 1, 1, 1}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(indexed.scanLine(y), rows[y], 4);
    return RunLengthImage(indexed);
}

// The stored bytes: header (5 x 4), colours (3 x 4), run count (4), row starts (3 x 4), runs (4 x 3).
constexpr int ColorsAt = 20, RunCountAt = 32, RowStartsAt = 36, RunsAt = 48;
} // namespace

class TestRunLengthImage : public QObject
{
    Q_OBJECT

private slots:
    void storedRunsComeBack();
    void damagedBytesGiveNoPicture_data();
    void damagedBytesGiveNoPicture();
    void paintedAsTheConvertedPicture_data();
    void paintedAsTheConvertedPicture();
    void fewColoursIndexedExactly();
};

void TestRunLengthImage::storedRunsComeBack()
{
    const QByteArray bytes = sample().toBytes();
    QCOMPARE(bytes.size(), RunsAt + 4 * 3);
    const RunLengthImage back = RunLengthImage::fromBytes(bytes);
    QVERIFY(!back.isNull());
    QCOMPARE(back.toImage(), sample().toImage());
    QCOMPARE(back.toBytes(), bytes);
}

void TestRunLengthImage::damagedBytesGiveNoPicture_data()
{
    QTest::addColumn<std::function<void(QByteArray &)>>("damage");
    const auto setByte = [](int at, char value) { return [=](QByteArray &b) { b[at] = value; }; };
    QTest::newRow("empty") << std::function<void(QByteArray &)>([](QByteArray &b) { b.clear(); });
    QTest::newRow("cut short") << std::function<void(QByteArray &)>([](QByteArray &b) { b.chop(1); });
    QTest::newRow("a byte more") << std::function<void(QByteArray &)>([](QByteArray &b) { b.append('\0'); });
    QTest::newRow("not runs") << std::function<void(QByteArray &)>(setByte(0, 'X'));
    QTest::newRow("257 colours") << std::function<void(QByteArray &)>([](QByteArray &b) {
        b[ColorsAt - 2] = 1;
        b[ColorsAt - 1] = 1;
    });
    QTest::newRow("run count beyond the bytes") << std::function<void(QByteArray &)>(setByte(RunCountAt, 0x7F));
    QTest::newRow("rows out of order") << std::function<void(QByteArray &)>(setByte(RowStartsAt + 7, 5));
    QTest::newRow("a row start far past the runs") << std::function<void(QByteArray &)>(setByte(RowStartsAt + 4, 0x7F));
    QTest::newRow("row too long") << std::function<void(QByteArray &)>(setByte(RunsAt + 1, 3));
    QTest::newRow("empty run") << std::function<void(QByteArray &)>([](QByteArray &b) {
        b[RunsAt + 1] = 0;
        b[RunsAt + 4] = 4;
    });
}

void TestRunLengthImage::damagedBytesGiveNoPicture()
{
    QFETCH(std::function<void(QByteArray &)>, damage);
    QByteArray bytes = sample().toBytes();
    damage(bytes);
    QVERIFY(RunLengthImage::fromBytes(bytes).isNull());
}

void TestRunLengthImage::paintedAsTheConvertedPicture_data()
{
    QTest::addColumn<QList<QRgb>>("colors");
    QTest::addColumn<QRect>("part");
    const QList<QRgb> opaque{qRgb(132, 130, 4), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    const QList<QRgb> seeThrough{qRgb(132, 130, 4), qRgba(0, 0, 0, 0), qRgba(200, 40, 40, 128)};
    const QList<QRgb> shortTable{qRgb(9, 9, 9), qRgb(1, 2, 3)};
    // A picture 2000 pixels wide is painted in bands of 16 rows.
    // clang-format off
    QTest::newRow("opaque, whole, many bands") << opaque << QRect(0, 0, 2000, 100);
    QTest::newRow("opaque, a part across bands") << opaque << QRect(13, 7, 1500, 41);
    QTest::newRow("opaque, one pixel") << opaque << QRect(1999, 99, 1, 1);
    QTest::newRow("see-through and half, whole") << seeThrough << QRect(0, 0, 2000, 100);
    QTest::newRow("see-through and half, a part") << seeThrough << QRect(400, 20, 33, 70);
    QTest::newRow("short table: index 2 is transparent") << shortTable << QRect(0, 0, 2000, 100);
    // clang-format on
}

void TestRunLengthImage::paintedAsTheConvertedPicture()
{
    QFETCH(QList<QRgb>, colors);
    QFETCH(QRect, part);
    // An even area on the left (long runs), then stripes of three indices that move from row to
    // row (runs of one pixel).
    QImage indexed(2000, 100, QImage::Format_Indexed8);
    indexed.setColorTable(colors);
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.scanLine(y)[x] = uchar(x < 700 ? 1 : (x + 2 * y) % 3);

    QImage painted(indexed.size(), QImage::Format_RGB32);
    painted.fill(qRgb(10, 200, 30));
    QImage expected = painted;
    {
        QPainter p(&painted);
        RunLengthImage(indexed).paint(p, part);
        QPainter e(&expected);
        e.drawImage(part.topLeft(), indexed.convertToFormat(QImage::Format_ARGB32_Premultiplied), part);
    }
    QCOMPARE(painted, expected);
}

QTEST_GUILESS_MAIN(TestRunLengthImage)
// Any picture of up to 256 colours, see-through ones included, becomes an indexed picture of
// exactly its pixels; one more colour and there is no such picture.
void TestRunLengthImage::fewColoursIndexedExactly()
{
    QImage picture(16, 17, QImage::Format_ARGB32);
    for (int i = 0; i < 16 * 17; ++i)
        picture.setPixel(i % 16, i / 16, qRgba(i % 16 * 16, i / 16 * 15, 7, i % 4 ? 255 : i % 251));
    const QImage firstColours = picture.copy(0, 0, 16, 16);
    const QImage indexed = RunLengthImage::exactlyIndexed(firstColours);
    QCOMPARE(indexed.format(), QImage::Format_Indexed8);
    QCOMPARE(indexed.colorCount(), 256);
    QCOMPARE(RunLengthImage(indexed).toImage().convertToFormat(QImage::Format_ARGB32), firstColours);
    QVERIFY(RunLengthImage::exactlyIndexed(picture).isNull());
}

#include "TestRunLengthImage.moc"
