// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting data file bytes into lines and writing them back: CR, LF and CR LF all end a line,
// and the ending, the final line break and the encoding are kept for the way back.

#include "core/LineText.h"
#include "core/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

Q_DECLARE_METATYPE(LineEnding)
Q_DECLARE_METATYPE(TextEncoding)

class TestLineText : public QObject
{
    Q_OBJECT

private slots:
    void decodeSplitsAtEveryLineEnd_data();
    void decodeSplitsAtEveryLineEnd();
    void decodeThenEncodeIsByteIdentical_data();
    void decodeThenEncodeIsByteIdentical();
    void encodingChosenFromBytes_data();
    void encodingChosenFromBytes();
    void encodeFallsBackToUtf8OnlyWhenNeeded_data();
    void encodeFallsBackToUtf8OnlyWhenNeeded();
    void windows1252AgreesWithTheSystemConverter();
};

void TestLineText::decodeSplitsAtEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<LineEnding>("ending");
    QTest::addColumn<bool>("lastLineEnded");

    // clang-format off
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"} << LineEnding::CrLf << true;
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"} << LineEnding::Lf << true;
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"} << LineEnding::Cr << true;
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"} << LineEnding::CrLf << false;
    QTest::newRow("mixed, first ending kept") << QByteArray("a\nb\rc\r\nd") << QStringList{"a", "b", "c", "d"}
                                              << LineEnding::Lf << false;
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"} << LineEnding::Lf
                                         << false;
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"}
                                      << LineEnding::CrLf << true;
    QTest::newRow("one break only") << QByteArray("\r\n") << QStringList{""} << LineEnding::CrLf << true;
    QTest::newRow("empty input") << QByteArray() << QStringList{} << LineEnding::CrLf << true;
    QTest::newRow("single line without break") << QByteArray("abc") << QStringList{"abc"} << LineEnding::CrLf
                                               << false;
    // clang-format on
}

void TestLineText::decodeSplitsAtEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(LineEnding, ending);
    QFETCH(bool, lastLineEnded);

    const LineText text = LineText::decode(bytes);
    QCOMPARE(text.lines, lines);
    QCOMPARE(text.ending, ending);
    QCOMPARE(text.lastLineEnded, lastLineEnded);
}

void TestLineText::decodeThenEncodeIsByteIdentical_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // clang-format off
    QTest::newRow("CR LF") << QByteArray("12/01/2026 1 010 3\r\n00/00/0000 0 000 3\r\n");
    QTest::newRow("LF, no final break") << QByteArray("12/01/2026 1 010 3\n00/00/0000 0 000 3");
    QTest::newRow("CR") << QByteArray("a\rb\r");
    QTest::newRow("Windows-1252") << QByteArray("K\xE4se\r\n\x80 5\r\n");
    QTest::newRow("UTF-8") << QByteArray("K\xC3\xA4se\r\nBrot \xE2\x82\xAC\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n");
    QTest::newRow("empty") << QByteArray();
    // clang-format on
}

void TestLineText::decodeThenEncodeIsByteIdentical()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(LineText::decode(bytes).encode(), bytes);
}

void TestLineText::encodingChosenFromBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("firstLine");

    // clang-format off
    QTest::newRow("ASCII") << QByteArray("Milk\r\n") << TextEncoding::Windows1252 << "Milk";
    QTest::newRow("Windows-1252 umlaut") << QByteArray("K\xE4se\r\n") << TextEncoding::Windows1252
                                         << QStringLiteral("K\u00E4se");
    QTest::newRow("Windows-1252 euro") << QByteArray("Brot \x80\r\n") << TextEncoding::Windows1252
                                       << QStringLiteral("Brot \u20AC");
    QTest::newRow("UTF-8") << QByteArray("K\xC3\xA4se\r\n") << TextEncoding::Utf8 << QStringLiteral("K\u00E4se");
    QTest::newRow("UTF-8 CJK") << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC\r\n") << TextEncoding::Utf8
                               << QStringLiteral("\u65E5\u672C");
    // clang-format on
}

void TestLineText::encodingChosenFromBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, firstLine);

    const LineText text = LineText::decode(bytes);
    QCOMPARE(text.encoding, encoding);
    QCOMPARE(text.lines.value(0), firstLine);
}

void TestLineText::encodeFallsBackToUtf8OnlyWhenNeeded_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("bytes");

    // clang-format off
    QTest::newRow("fits Windows-1252") << QStringList{QStringLiteral("K\u00E4se"), QStringLiteral("Brot \u20AC")}
                                       << TextEncoding::Windows1252 << QByteArray("K\xE4se\r\nBrot \x80\r\n");
    QTest::newRow("does not fit") << QStringList{QStringLiteral("K\u00E4se"), QStringLiteral("\u65E5\u672C")}
                                  << TextEncoding::Windows1252
                                  << QByteArray("K\xC3\xA4se\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n");
    QTest::newRow("read as UTF-8 stays UTF-8") << QStringList{QStringLiteral("K\u00E4se")} << TextEncoding::Utf8
                                               << QByteArray("K\xC3\xA4se\r\n");
    // clang-format on
}

void TestLineText::encodeFallsBackToUtf8OnlyWhenNeeded()
{
    QFETCH(QStringList, lines);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, bytes);

    LineText text;
    text.lines = lines;
    text.encoding = encoding;
    QCOMPARE(text.encode(), bytes);
}

// Our own code page must read and write exactly what the system's converter (ICU) does.
void TestLineText::windows1252AgreesWithTheSystemConverter()
{
    QStringDecoder systemDecoder("windows-1252");
    if (!systemDecoder.isValid())
        QSKIP("Qt has no Windows-1252 converter here to compare with");
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QString decoded = decodeWindows1252(everyByte);
    QCOMPARE(decoded, systemDecoder.decode(everyByte));
    QCOMPARE(encodeWindows1252(decoded), std::optional<QByteArray>(everyByte));

    for (char16_t c = 1; c < 0xD800; ++c) {
        QStringEncoder systemEncoder("windows-1252");
        const QByteArray expected = systemEncoder.encode(QStringView(&c, 1));
        const std::optional<QByteArray> ours = encodeWindows1252(QStringView(&c, 1));
        if (ours.has_value() == systemEncoder.hasError() || (ours && *ours != expected))
            QFAIL(qPrintable(QStringLiteral("U+%1 is encoded differently").arg(int(c), 4, 16, QLatin1Char('0'))));
    }
    QVERIFY(!encodeWindows1252(QStringLiteral("\U0001F34E")));
}

QTEST_GUILESS_MAIN(TestLineText)
#include "TestLineText.moc"
