// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GdiCanvas.h"

#include "platform/SystemColors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextLayout>
#include <QTextOption>
#include <QtMath>
#include <array>
#include <cstdlib>
#include <span>

namespace {
// On and off runs, in pixels, of the styled one-pixel pens, as GDI draws them.
std::span<const int> dashPattern(PenStyle style)
{
    static constexpr std::array dash{18, 6};
    static constexpr std::array dot{3, 3};
    static constexpr std::array dashDot{9, 6, 3, 6};
    static constexpr std::array dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PenStyle::Dash:
        return dash;
    case PenStyle::Dot:
        return dot;
    case PenStyle::DashDot:
        return dashDot;
    case PenStyle::DashDotDot:
        return dashDotDot;
    case PenStyle::Solid:
    case PenStyle::Clear:
        break;
    }
    return {};
}

bool patternOn(std::span<const int> pattern, int phase)
{
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern)
        period += run;
    int pos = phase % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

} // namespace

GdiCanvas::GdiCanvas(QPainter &painter)
    : m_painter(painter)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

GdiCanvas::~GdiCanvas()
{
    m_painter.restore();
}

void GdiCanvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (m_pen.style != PenStyle::Clear) {
        if (m_pen.width > 1)
            strokeWide({m_penPos, to}, false);
        else
            plotLine(m_penPos, to);
    }
    m_penPos = to;
}

void GdiCanvas::polyline(const QList<QPoint> &points)
{
    if (points.size() < 2 || m_pen.style == PenStyle::Clear)
        return;
    if (m_pen.width > 1) {
        strokeWide(points, false);
        return;
    }
    for (qsizetype i = 1; i < points.size(); ++i)
        plotLine(points[i - 1], points[i]);
}

// Bresenham's line from one point up to, but not including, the other; a styled pen keeps
// its dash phase across connected lines.
void GdiCanvas::plotLine(QPoint from, QPoint to)
{
    const QColor color = toQColor(m_pen.color);
    const auto pattern = dashPattern(m_pen.style);
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int err = dx + dy;
    int x = from.x();
    int y = from.y();
    while (x != to.x() || y != to.y()) {
        if (patternOn(pattern, m_dashPhase))
            m_painter.fillRect(QRect(x, y, 1, 1), color);
        ++m_dashPhase;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// A wide pen is centred on the pixels it passes: an odd width covers the pixel and
// (width - 1) / 2 on either side, an even width one pixel more before than after. Its ends
// and joins are round, and it draws its end point.
void GdiCanvas::strokeWide(const QList<QPoint> &points, bool closed)
{
    const qreal centre = m_pen.width % 2 ? 0.5 : 0.0;
    QPainterPath path;
    path.moveTo(points.front().x() + centre, points.front().y() + centre);
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i].x() + centre, points[i].y() + centre);
    if (closed)
        path.closeSubpath();
    QPainterPathStroker stroker;
    stroker.setWidth(m_pen.width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath shape = stroker.createStroke(path);
    shape.setFillRule(Qt::WindingFill);
    m_painter.fillPath(shape, toQColor(m_pen.color));
}

void GdiCanvas::outline(const QList<QPoint> &points, bool closed)
{
    if (m_pen.style == PenStyle::Clear || points.isEmpty())
        return;
    if (m_pen.width > 1) {
        strokeWide(points, closed);
        return;
    }
    QList<QPoint> path = points;
    if (closed)
        path.append(points.front());
    m_dashPhase = 0;
    for (qsizetype i = 1; i < path.size(); ++i)
        plotLine(path[i - 1], path[i]);
}

void GdiCanvas::fillRect(const QRect &rect)
{
    if (m_brush.style == BrushStyle::Solid)
        fillRect(rect, m_brush.color);
}

void GdiCanvas::fillRect(const QRect &rect, ColorValue color)
{
    if (rect.width() > 0 && rect.height() > 0)
        m_painter.fillRect(rect, toQColor(color));
}

void GdiCanvas::frameRect(const QRect &rect)
{
    if (m_brush.style == BrushStyle::Solid)
        frameRect(rect, m_brush.color);
}

void GdiCanvas::frameRect(const QRect &rect, ColorValue color)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QColor c = toQColor(color);
    m_painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), c);
    m_painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), c);
    m_painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), c);
    m_painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), c);
}

void GdiCanvas::rectangle(int left, int top, int right, int bottom)
{
    // Without a pen the filled area is one pixel smaller, as on a GDI surface.
    if (m_pen.style == PenStyle::Clear) {
        fillRect(gdiRect(left, top, right - 1, bottom - 1));
        return;
    }
    // A wide pen's frame is the painter's own stroke with round joins: the same pixels as
    // the stroke path, and a single call, which keeps a recorded picture small.
    if (m_pen.width > 1 && right - left > 1 && bottom - top > 1) {
        const qreal centre = m_pen.width % 2 ? 0.5 : 0.0;
        const QPen pen(toQColor(m_pen.color), m_pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        const QBrush brush = m_brush.style == BrushStyle::Solid ? QBrush(toQColor(m_brush.color)) : QBrush();
        // Setting an equal brush still marks it changed, and a picture would record it again.
        if (m_painter.pen() != pen)
            m_painter.setPen(pen);
        if (m_painter.brush() != brush)
            m_painter.setBrush(brush);
        m_painter.drawRect(QRectF(left + centre, top + centre, right - 1 - left, bottom - 1 - top));
        return;
    }
    fillRect(gdiRect(left, top, right, bottom));
    outline({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}}, true);
}

void GdiCanvas::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1), cornerWidth / 2.0,
                        cornerHeight / 2.0);
    if (m_brush.style == BrushStyle::Solid)
        m_painter.fillPath(path, toQColor(m_brush.color));
    if (m_pen.style != PenStyle::Clear) {
        QPen pen(toQColor(m_pen.color), m_pen.width > 1 ? m_pen.width : 0);
        m_painter.strokePath(path, pen);
    }
}

void GdiCanvas::ellipse(int left, int top, int right, int bottom)
{
    QPainterPath path;
    path.addEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
    if (m_brush.style == BrushStyle::Solid)
        m_painter.fillPath(path, toQColor(m_brush.color));
    if (m_pen.style != PenStyle::Clear) {
        QPen pen(toQColor(m_pen.color), m_pen.width > 1 ? m_pen.width : 0);
        m_painter.strokePath(path, pen);
    }
}

void GdiCanvas::polygon(const QList<QPoint> &points)
{
    if (points.size() < 2)
        return;
    if (m_brush.style == BrushStyle::Solid) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.moveTo(points.front());
        for (qsizetype i = 1; i < points.size(); ++i)
            path.lineTo(points[i]);
        path.closeSubpath();
        m_painter.fillPath(path, toQColor(m_brush.color));
    }
    outline(points, true);
}

void GdiCanvas::textOut(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_brush.style == BrushStyle::Solid)
        fillRect(QRect(x, y, ::textWidth(m_font, text), ::textHeight(m_font)), m_brush.color);
    m_painter.setFont(toQFont(m_font));
    m_painter.setPen(toQColor(m_font.color));
    m_painter.drawText(QPoint(x, y + textAscent(m_font)), textToDraw(text, m_font));
}

int GdiCanvas::textWidth(const QString &text) const
{
    return ::textWidth(m_font, text);
}

int GdiCanvas::textHeight(const QString &) const
{
    return ::textHeight(m_font);
}

QSize GdiCanvas::textExtent(const QString &text) const
{
    return {textWidth(text), textHeight(text)};
}

// A text laid out line by line with the cell height as the line height, as GDI's DrawText
// does; a word wider than the rectangle is not broken.
struct LaidOutText
{
    QString text;
    GdiFont font;
    DrawTextFlags flags;
    int width = 0;
    QTextLayout layout;
    int lineHeight = 0;
    int tabDistance = 0;
    int height = 0;
    int widest = 0;
    bool empty = true;
};

namespace {
// The flags that change a layout; alignment, clipping and measuring do not.
constexpr DrawTextFlags layoutFlags =
    DrawTextFlag::WordBreak | DrawTextFlag::SingleLine | DrawTextFlag::ExpandTabs | DrawTextFlag::NoPrefix;
} // namespace

const LaidOutText &GdiCanvas::laidOut(const QString &text, int width, DrawTextFlags flags)
{
    flags &= layoutFlags;
    const bool single = flags.testFlag(DrawTextFlag::SingleLine);
    const bool wraps = !single && flags.testFlag(DrawTextFlag::WordBreak);
    if (!wraps)
        width = 0;
    if (m_lastText && m_lastText->text == text && m_lastText->font == m_font && m_lastText->flags == flags
        && m_lastText->width == width)
        return *m_lastText;

    auto laid = std::make_unique<LaidOutText>();
    laid->text = text;
    laid->font = m_font;
    laid->flags = flags;
    laid->width = width;
    // The font of the last layout serves the next one when it is the same.
    const bool sameFont = m_lastText && m_lastText->font == m_font;
    const QFont qfont = sameFont ? m_lastText->layout.font() : toQFont(m_font);
    laid->lineHeight = sameFont ? m_lastText->lineHeight : QFontMetrics(qfont).height();
    laid->tabDistance = sameFont ? m_lastText->tabDistance : 8 * QFontMetrics(qfont).averageCharWidth();
    QString shown = textToDraw(text, m_font);
    shown.remove(QLatin1Char('\r'));
    shown.replace(QLatin1Char('\n'), single ? QChar(QLatin1Char(' ')) : QChar(QChar::LineSeparator));
    QString plain;
    int underlined = -1;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (!flags.testFlag(DrawTextFlag::NoPrefix) && shown[i] == QLatin1Char('&') && i + 1 < shown.size()) {
            ++i;
            if (shown[i] != QLatin1Char('&'))
                underlined = int(plain.size());
        }
        plain += shown[i];
    }

    QTextLayout &layout = laid->layout;
    layout.setText(plain);
    layout.setFont(qfont);
    QTextOption option;
    option.setWrapMode(wraps ? QTextOption::WordWrap : QTextOption::NoWrap);
    if (flags.testFlag(DrawTextFlag::ExpandTabs))
        option.setTabStopDistance(laid->tabDistance);
    layout.setTextOption(option);
    if (underlined >= 0) {
        QTextCharFormat format;
        format.setFontUnderline(true);
        layout.setFormats({{underlined, 1, format}});
    }
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wraps ? qMax(1, width) : 1e6);
        line.setPosition(QPointF(0, laid->height));
        laid->height += laid->lineHeight;
        laid->widest = qMax(laid->widest, qCeil(line.naturalTextWidth()));
    }
    layout.endLayout();
    laid->empty = plain.isEmpty();
    if (laid->empty)
        laid->widest = 0;
    m_lastText = std::move(laid);
    return *m_lastText;
}

int GdiCanvas::drawText(const QString &text, QRect &rect, DrawTextFlags flags)
{
    const LaidOutText &laid = laidOut(text, rect.width(), flags);
    const bool single = flags.testFlag(DrawTextFlag::SingleLine);
    if (flags.testFlag(DrawTextFlag::CalcRect)) {
        rect.setWidth(laid.widest);
        rect.setHeight(laid.height);
        return laid.height;
    }
    if (laid.empty)
        return laid.height;

    int top = rect.top();
    if (single && flags.testFlag(DrawTextFlag::VCenter))
        top = rect.top() + (rect.height() - laid.height) / 2;
    else if (single && flags.testFlag(DrawTextFlag::Bottom))
        top = rect.top() + rect.height() - laid.height;

    // Without a clip of its own the painter is clipped and unclipped again, which costs a
    // recorded picture less than saving and restoring its whole state.
    // As in Qt's own text-in-rectangle drawing, the clip is set only when the lines reach out
    // of the rectangle; a text inside it draws the same pixels either way.
    const bool fits =
        laid.widest <= rect.width() && top >= rect.top() && top + laid.height <= rect.top() + rect.height();
    const bool clip = !flags.testFlag(DrawTextFlag::NoClip) && !fits;
    const bool nested = clip && m_painter.hasClipping();
    if (nested) {
        m_painter.save();
        m_painter.setClipRect(rect, Qt::IntersectClip);
    } else if (clip) {
        m_painter.setClipRect(rect);
    }
    const QColor color = toQColor(m_font.color);
    if (m_painter.pen() != QPen(color))
        m_painter.setPen(color);
    for (int i = 0; i < laid.layout.lineCount(); ++i) {
        const QTextLine line = laid.layout.lineAt(i);
        const int lineWidth = qCeil(line.naturalTextWidth());
        int x = rect.left();
        if (flags.testFlag(DrawTextFlag::Center))
            x = rect.left() + (rect.width() - lineWidth) / 2;
        else if (flags.testFlag(DrawTextFlag::Right))
            x = rect.left() + rect.width() - lineWidth;
        if (m_brush.style == BrushStyle::Solid)
            fillRect(QRect(x, top + int(line.y()), lineWidth, laid.lineHeight), m_brush.color);
        line.draw(&m_painter, QPointF(x, top));
    }
    if (nested)
        m_painter.restore();
    else if (clip)
        m_painter.setClipping(false);
    return laid.height;
}

void GdiCanvas::draw(int x, int y, const QImage &image)
{
    m_painter.drawImage(QPoint(x, y), image);
}

void GdiCanvas::stretchDraw(const QRect &rect, const QImage &image)
{
    m_painter.drawImage(rect, image);
}

QImage maskedByColor(const QImage &image, ColorValue transparentColor)
{
    const QRgb key = toQColor(transparentColor).rgb() & RGB_MASK;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < masked.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col) {
            if ((line[col] & RGB_MASK) == key)
                line[col] = 0;
        }
    }
    return masked;
}

void GdiCanvas::drawTransparent(int x, int y, const QImage &image, ColorValue transparentColor)
{
    m_painter.drawImage(QPoint(x, y), maskedByColor(image, transparentColor));
}

void GdiCanvas::drawFocusRect(const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    m_painter.save();
    m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor invert(Qt::white);
    // Every other pixel along the frame, counted from the top-left corner.
    auto dot = [&](int x, int y) {
        if (((x - rect.left()) + (y - rect.top())) % 2 == 0)
            m_painter.fillRect(QRect(x, y, 1, 1), invert);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top())
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left())
            dot(rect.right(), y);
    }
    m_painter.restore();
}
