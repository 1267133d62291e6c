// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineText.h"

#include "core/Windows1252.h"

#include <QIODevice>
#include <QStringDecoder>

namespace {
const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");

bool isPlainAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QLatin1StringView endingText(LineEnding ending)
{
    switch (ending) {
    case LineEnding::Lf:
        return QLatin1StringView("\n");
    case LineEnding::Cr:
        return QLatin1StringView("\r");
    case LineEnding::CrLf:
        break;
    }
    return QLatin1StringView("\r\n");
}
} // namespace

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString plainName(QString text)
{
    text = oneLine(std::move(text));
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return text;
}

LineText LineText::decode(const QByteArray &bytes)
{
    LineText result;
    QString text;
    if (auto utf8 = isPlainAscii(bytes) ? std::nullopt : decodeUtf8(bytes)) {
        text = *utf8;
        result.encoding = TextEncoding::Utf8;
        // The decoder keeps a byte-order mark as U+FEFF; it belongs to the file, not the text.
        if (bytes.startsWith(Utf8ByteOrderMark) && text.startsWith(QChar(0xFEFF))) {
            result.byteOrderMark = true;
            text.remove(0, 1);
        }
    } else {
        text = decodeWindows1252(bytes);
    }

    bool endingSeen = false;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.lines.append(text.mid(start, i - start));
        LineEnding ending = c == QLatin1Char('\n') ? LineEnding::Lf : LineEnding::Cr;
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) {
            ending = LineEnding::CrLf;
            ++i;
        }
        if (!endingSeen) {
            result.ending = ending;
            endingSeen = true;
        }
        start = i + 1;
    }
    result.lastLineEnded = start == size;
    if (start < size)
        result.lines.append(text.mid(start));
    if (result.lines.isEmpty())
        result.lastLineEnded = true;
    return result;
}

LineText LineText::read(QIODevice *device)
{
    return decode(device->readAll());
}

QByteArray LineText::encode() const
{
    QString text;
    const QLatin1StringView separator = endingText(ending);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines.at(i);
        if (i + 1 < lines.size() || lastLineEnded)
            text += separator;
    }
    if (encoding == TextEncoding::Windows1252 && !byteOrderMark) {
        if (auto bytes = encodeWindows1252(text))
            return *bytes;
    }
    return byteOrderMark ? Utf8ByteOrderMark + text.toUtf8() : text.toUtf8();
}
