// Stored runs of a picture: they come back as the picture they were made from, and bytes that
// are not whole runs of a picture give no picture rather than a wrong one or a crash.

#include "platform/RunLengthImage.h"

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

QTEST_GUILESS_MAIN(TestRunLengthImage)
#include "TestRunLengthImage.moc"
