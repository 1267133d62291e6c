// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RunLengthImage.h"

#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Stored runs begin with "PRLE", then the format's version.
constexpr quint32 Magic = 0x50524C45;
constexpr quint32 Version = 1;

// Painting unpacks the runs into a band of rows of about this many bytes at a time.
constexpr int BandBytes = 128 * 1024;

// Reads the stored numbers, most significant byte first, and remembers running past the end.
class BigEndianReader
{
public:
    explicit BigEndianReader(const QByteArray &bytes)
        : m_at(reinterpret_cast<const uchar *>(bytes.constData()))
        , m_end(m_at + bytes.size())
    {}
    template<typename T> T read()
    {
        if (m_end - m_at < qsizetype(sizeof(T))) {
            m_at = m_end;
            m_failed = true;
            return 0;
        }
        const T value = qFromBigEndian<T>(m_at);
        m_at += sizeof(T);
        return value;
    }
    bool ok() const { return !m_failed; }
    bool atEnd() const { return m_at == m_end; }

private:
    const uchar *m_at;
    const uchar *m_end;
    bool m_failed = false;
};
} // namespace

RunLengthImage::RunLengthImage(const QImage &indexed)
{
    // A run's length is 16 bits wide; GIF pictures are never wider.
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull() || indexed.width() > 0xFFFF)
        return;
    m_size = indexed.size();
    m_colors = indexed.colorTable();
    m_rowStarts.reserve(std::size_t(m_size.height()) + 1);
    for (int y = 0; y < m_size.height(); ++y) {
        m_rowStarts.push_back(quint32(m_runs.size()));
        const uchar *row = indexed.constScanLine(y);
        for (int x = 0; x < m_size.width();) {
            const int start = x;
            while (x < m_size.width() && row[x] == row[start])
                ++x;
            m_runs.push_back(Run{quint16(x - start), row[start]});
        }
    }
    m_rowStarts.push_back(quint32(m_runs.size()));
    m_runs.shrink_to_fit();
    m_opaque = runsAreOpaque();
}

QImage RunLengthImage::exactlyIndexed(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    QList<QRgb> colors;
    QHash<QRgb, uchar> indexOf;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            auto it = indexOf.constFind(in[x]);
            if (it == indexOf.constEnd()) {
                if (colors.size() == 256)
                    return {};
                it = indexOf.insert(in[x], uchar(colors.size()));
                colors.append(in[x]);
            }
            out[x] = *it;
        }
    }
    indexed.setColorTable(colors);
    return indexed;
}

bool RunLengthImage::runsAreOpaque() const
{
    return std::all_of(m_runs.cbegin(), m_runs.cend(), [this](Run run) { return qAlpha(colorAt(run.index)) == 255; });
}

QByteArray RunLengthImage::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Magic << Version << quint32(m_size.width()) << quint32(m_size.height()) << quint32(m_colors.size());
    for (const QRgb color : m_colors)
        out << quint32(color);
    out << quint32(m_runs.size());
    for (const quint32 start : m_rowStarts)
        out << start;
    for (const Run &run : m_runs)
        out << run.length << run.index;
    return bytes;
}

RunLengthImage RunLengthImage::fromBytes(const QByteArray &bytes)
{
    BigEndianReader in(bytes);
    const quint32 magic = in.read<quint32>();
    const quint32 version = in.read<quint32>();
    const quint32 width = in.read<quint32>();
    const quint32 height = in.read<quint32>();
    const quint32 colorCount = in.read<quint32>();
    if (!in.ok() || magic != Magic || version != Version || width == 0 || width > 0xFFFF || height == 0
        || height > 0xFFFF || colorCount > 256)
        return {};
    RunLengthImage image;
    image.m_colors.resize(colorCount);
    for (QRgb &color : image.m_colors)
        color = in.read<quint32>();
    const quint32 runCount = in.read<quint32>();
    // Nothing is made bigger than the bytes can fill: each row start takes four, each run three.
    if (!in.ok() || (qint64(height) + 1) * 4 + qint64(runCount) * 3 > bytes.size())
        return {};
    image.m_rowStarts.resize(std::size_t(height) + 1);
    for (quint32 &start : image.m_rowStarts)
        start = in.read<quint32>();
    image.m_runs.resize(runCount);
    for (Run &run : image.m_runs) {
        run.length = in.read<quint16>();
        run.index = in.read<quint8>();
    }
    if (!in.ok() || !in.atEnd() || image.m_rowStarts.front() != 0 || image.m_rowStarts.back() != runCount)
        return {};
    // Every row start lies between the one before it and the run count, so that no row reaches
    // past the runs; the first and the last were checked above.
    for (std::size_t y = 0; y < height; ++y) {
        if (image.m_rowStarts[y] > image.m_rowStarts[y + 1] || image.m_rowStarts[y + 1] > runCount)
            return {};
        quint32 rowWidth = 0;
        for (quint32 r = image.m_rowStarts[y]; r < image.m_rowStarts[y + 1]; ++r) {
            if (image.m_runs[r].length == 0)
                return {};
            rowWidth += image.m_runs[r].length;
        }
        if (rowWidth != width)
            return {};
    }
    image.m_size = QSize(int(width), int(height));
    image.m_opaque = image.runsAreOpaque();
    return image;
}

template<typename Stretch> void RunLengthImage::forEachRunIn(const QRect &part, Stretch stretch) const
{
    for (int y = part.top(); y <= part.bottom(); ++y) {
        int x = 0;
        for (quint32 r = m_rowStarts[std::size_t(y)]; r < m_rowStarts[std::size_t(y) + 1] && x <= part.right(); ++r) {
            const int end = x + m_runs[r].length;
            const int from = std::max(x, part.left());
            const int to = std::min(end, part.right() + 1);
            if (from < to)
                stretch(y, from, to, m_runs[r].index);
            x = end;
        }
    }
}

QImage RunLengthImage::toImage(const QRect &rect) const
{
    const QRect part = (rect.isNull() ? QRect(QPoint(), m_size) : rect) & QRect(QPoint(), m_size);
    if (part.isEmpty())
        return {};
    QImage image(part.size(), QImage::Format_Indexed8);
    image.setColorTable(m_colors);
    forEachRunIn(part, [&](int y, int from, int to, quint8 index) {
        std::memset(image.scanLine(y - part.top()) + (from - part.left()), index, std::size_t(to - from));
    });
    return image;
}

QRgb RunLengthImage::colorAt(int index) const
{
    // As Qt converts an indexed image: no table means grey levels, an index past the table a
    // transparent pixel.
    if (m_colors.isEmpty())
        return qRgb(index, index, index);
    return index < m_colors.size() ? m_colors[index] : 0;
}

void RunLengthImage::paint(QPainter &painter, const QRect &rect) const
{
    const QRect part = rect & QRect(QPoint(), m_size);
    if (part.isEmpty())
        return;
    // A picture without see-through pixels is copied; any other is blended as its 32-bit form.
    std::array<QRgb, 256> colors{};
    for (int index = 0; index < int(colors.size()); ++index)
        colors[std::size_t(index)] = m_opaque ? colorAt(index) : qPremultiply(colorAt(index));
    const int bandRows = std::clamp(BandBytes / (part.width() * 4), 1, part.height());
    QImage band(part.width(), bandRows, m_opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    for (int top = part.top(); top <= part.bottom(); top += bandRows) {
        const QRect rows(part.left(), top, part.width(), std::min(bandRows, part.bottom() + 1 - top));
        forEachRunIn(rows, [&](int y, int from, int to, quint8 index) {
            auto *line = reinterpret_cast<QRgb *>(band.scanLine(y - top));
            std::fill(line + (from - part.left()), line + (to - part.left()), colors[index]);
        });
        painter.drawImage(rows.topLeft(), band, QRect(0, 0, rows.width(), rows.height()));
    }
}
