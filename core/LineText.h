// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a data file as lines, with what is needed to write it back byte for byte:
// the line ending it used, whether the last line was ended, and its encoding.
// On reading, CR, LF and CR LF all end a line.

#include <QByteArray>
#include <QStringList>

class QIODevice;

enum class LineEnding { CrLf, Lf, Cr };
enum class TextEncoding { Windows1252, Utf8 };

struct LineText
{
    QStringList lines;
    LineEnding ending = LineEnding::CrLf;
    bool lastLineEnded = true;
    TextEncoding encoding = TextEncoding::Windows1252;
    // The file began with a UTF-8 byte-order mark: it is not part of the first line, and it is
    // written back.
    bool byteOrderMark = false;

    // Bytes that are valid UTF-8 and not plain ASCII are read as UTF-8, all others as
    // Windows-1252 (which maps every byte, so nothing is ever lost).
    static LineText decode(const QByteArray &bytes);
    static LineText read(QIODevice *device);

    // Written in the encoding it was read with, except that text that Windows-1252 cannot
    // hold is written as UTF-8 rather than losing characters.
    QByteArray encode() const;
};

// The text with each line break (CR LF, CR or LF) replaced by one blank, so that it stays a
// single line of a data file.
QString oneLine(QString text);

// The text as one line with every other control character (a TAB, say) also a blank: what a
// name field takes from the keyboard or the clipboard, and what the reports print of a name.
QString plainName(QString text);
