// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface over a QPainter that keeps the semantics of a GDI device context, so that
// control code reads like its drawing algorithm: the current pen, brush and font, a current
// position, lines without their end point, rectangles whose right and bottom are exclusive.
// The drawing operations are virtual so that a test can log what a report draws on a page.

#include "platform/GdiBrush.h"
#include "platform/GdiFont.h"
#include "platform/GdiPen.h"

#include <QFlags>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;
struct LaidOutText;

// A rectangle given as GDI gives it: left, top, and an exclusive right and bottom.
constexpr QRect gdiRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

enum class DrawTextFlag : unsigned {
    Left = 0x0,
    Center = 0x1,
    Right = 0x2,
    VCenter = 0x4,
    Bottom = 0x8,
    WordBreak = 0x10,
    SingleLine = 0x20,
    ExpandTabs = 0x40,
    NoClip = 0x100,
    CalcRect = 0x400,
    NoPrefix = 0x800,
};
Q_DECLARE_FLAGS(DrawTextFlags, DrawTextFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(DrawTextFlags)

// The image with every pixel of the transparent colour (0x00BBGGRR) made transparent. A
// control that draws the same picture often masks it once with this and draws the result.
QImage maskedByColor(const QImage &image, ColorValue transparentColor);

class GdiCanvas
{
public:
    // The painter must outlive the canvas; its state is saved and restored around the canvas.
    explicit GdiCanvas(QPainter &painter);
    virtual ~GdiCanvas();
    GdiCanvas(const GdiCanvas &) = delete;
    GdiCanvas &operator=(const GdiCanvas &) = delete;

    QPainter &painter() { return m_painter; }

    const GdiPen &pen() const { return m_pen; }
    void setPen(const GdiPen &pen) { m_pen = pen; }
    void setPenColor(ColorValue color) { m_pen.color = color; }
    void setPenWidth(int width) { m_pen.width = width; }
    void setPenStyle(PenStyle style) { m_pen.style = style; }

    const GdiBrush &brush() const { return m_brush; }
    void setBrush(const GdiBrush &brush) { m_brush = brush; }
    void setBrushColor(ColorValue color) { m_brush = {color, BrushStyle::Solid}; }
    void setBrushStyle(BrushStyle style) { m_brush.style = style; }

    const GdiFont &font() const { return m_font; }
    void setFont(const GdiFont &font) { m_font = font; }
    void setFontColor(ColorValue color) { m_font.color = color; }

    QPoint penPos() const { return m_penPos; }
    void moveTo(int x, int y) { m_penPos = {x, y}; }
    // Draws from the current position to (x, y), without (x, y) itself, and moves there.
    virtual void lineTo(int x, int y);
    // Connected lines through the points; only the last point is left undrawn.
    void polyline(const QList<QPoint> &points);

    // Fills with the brush (or the given colour); right and bottom are exclusive.
    void fillRect(const QRect &rect);
    virtual void fillRect(const QRect &rect, ColorValue color);
    // A one-pixel frame in the brush colour just inside the rectangle.
    void frameRect(const QRect &rect);
    void frameRect(const QRect &rect, ColorValue color);

    // Outlined with the pen, filled with the brush; right and bottom exclusive.
    virtual void rectangle(int left, int top, int right, int bottom);
    virtual void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    virtual void ellipse(int left, int top, int right, int bottom);
    void polygon(const QList<QPoint> &points);

    // The text cell's top-left corner at (x, y); the background is filled with the brush
    // colour unless the brush is clear.
    void textOut(int x, int y, const QString &text);
    int textWidth(const QString &text) const;
    int textHeight(const QString &text) const;
    QSize textExtent(const QString &text) const;

    // Text laid out in a rectangle. Returns the height of the text; with CalcRect nothing is
    // drawn and the rectangle's right and bottom are set to fit the text.
    virtual int drawText(const QString &text, QRect &rect, DrawTextFlags flags);

    void draw(int x, int y, const QImage &image);
    virtual void stretchDraw(const QRect &rect, const QImage &image);
    // The image without its pixels of the transparent colour (0x00BBGGRR); see maskedByColor.
    void drawTransparent(int x, int y, const QImage &image, ColorValue transparentColor);

    // The dotted rectangle that shows keyboard focus; drawn by inverting, so drawing it
    // twice removes it.
    void drawFocusRect(const QRect &rect);

private:
    void plotLine(QPoint from, QPoint to);
    void strokeWide(const QList<QPoint> &points, bool closed);
    void outline(const QList<QPoint> &points, bool closed);
    // The text laid out for drawText; the last layout is kept, so drawing a text right after
    // measuring it lays it out once.
    const LaidOutText &laidOut(const QString &text, int width, DrawTextFlags flags);

    QPainter &m_painter;
    GdiPen m_pen;
    GdiBrush m_brush;
    GdiFont m_font;
    QPoint m_penPos;
    int m_dashPhase = 0;
    std::unique_ptr<LaidOutText> m_lastText;
};
