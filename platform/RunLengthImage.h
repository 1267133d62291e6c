// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An indexed picture kept as runs of equal pixels, row by row. The window's background picture
// is mostly even areas: as runs it takes a few kilobytes, where it takes half a megabyte at a
// byte a pixel; any part of it comes back as the indexed image it was. The runs can be stored:
// the program reads its background as stored runs, taken apart from the GIF when it is built.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>

class QPainter;

#include <vector>

class RunLengthImage
{
public:
    RunLengthImage() = default;
    // From an 8-bit indexed image; any other format gives a null picture.
    explicit RunLengthImage(const QImage &indexed);
    // An image of any format as an indexed image of exactly its colours, transparency
    // included; null when it has more than 256 colours. Small pictures such as icons always fit.
    static QImage exactlyIndexed(const QImage &image);

    // The runs as bytes, and back. Bytes that are not such runs of a whole picture (truncated,
    // another format, rows that do not add up) give a null picture.
    QByteArray toBytes() const;
    static RunLengthImage fromBytes(const QByteArray &bytes);

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }

    // The part of the picture inside `rect` (clipped to the picture), as an indexed image with
    // the picture's colours; the whole picture by default.
    QImage toImage(const QRect &rect = QRect()) const;

    // Paints the part inside `rect` at its place with the same pixels as drawing toImage(rect)
    // there. The runs are unpacked a band of rows at a time, so that painting the whole window
    // needs neither an image of two megabytes nor a fill for every run.
    void paint(QPainter &painter, const QRect &rect) const;

private:
    QRgb colorAt(int index) const;
    bool runsAreOpaque() const;
    // Calls stretch(y, from, to, index) for the part of each run inside `part`, which lies
    // inside the picture: the pixels from <= x < to of row y have the colour index.
    template<typename Stretch> void forEachRunIn(const QRect &part, Stretch stretch) const;

    struct Run
    {
        quint16 length;
        quint8 index;
    };

    QSize m_size;
    QList<QRgb> m_colors;
    // Whether every run's colour is opaque, so that painting copies instead of blending.
    bool m_opaque = false;
    std::vector<Run> m_runs;
    // Where each row's runs begin in m_runs, and one past the last row's.
    std::vector<quint32> m_rowStarts;
};
