#include "platform/RunLengthImage.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

RunLengthImage::RunLengthImage(const QImage &indexed)
{
    // A run's length is 16 bits wide; GIF pictures are never wider.
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull() || indexed.width() > 0xFFFF)
        return;
    m_size = indexed.size();
    m_colors = indexed.colorTable();
    m_runsFillable =
        std::all_of(m_colors.cbegin(), m_colors.cend(), [](QRgb c) { return qAlpha(c) == 0 || qAlpha(c) == 255; });
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
    if (!m_runsFillable) {
        painter.drawImage(part.topLeft(), toImage(part).convertToFormat(QImage::Format_ARGB32_Premultiplied));
        return;
    }
    forEachRunIn(part, [&](int y, int from, int to, quint8 index) {
        if (const QRgb color = colorAt(index); qAlpha(color) != 0)
            painter.fillRect(from, y, to - from, 1, QColor(color));
    });
}
