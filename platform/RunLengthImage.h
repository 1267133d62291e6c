#pragma once
// An indexed picture kept as runs of equal pixels, row by row. The window's background picture
// is mostly even areas: as runs it takes a few kilobytes, where it takes half a megabyte at a
// byte a pixel; any part of it comes back as the indexed image it was.

#include <QImage>
#include <QList>
#include <QRect>

#include <vector>

class RunLengthImage
{
public:
    RunLengthImage() = default;
    // From an 8-bit indexed image; any other format gives a null picture.
    explicit RunLengthImage(const QImage &indexed);

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }

    // The part of the picture inside `rect` (clipped to the picture), as an indexed image with
    // the picture's colours; the whole picture by default.
    QImage toImage(const QRect &rect = QRect()) const;

private:
    struct Run
    {
        quint16 length;
        quint8 index;
    };

    QSize m_size;
    QList<QRgb> m_colors;
    std::vector<Run> m_runs;
    // Where each row's runs begin in m_runs, and one past the last row's.
    std::vector<quint32> m_rowStarts;
};
