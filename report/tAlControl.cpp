// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/tAlControl.h"

#include "report/ReportError.h"
#include "report/tAlBand.h"

#include <QImage>
#include <QPainter>

namespace {
bool isBandOrNothing(const QWidget *parent)
{
    return !parent || qobject_cast<const tAlBand *>(parent);
}

// a × b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return int(product >= 0 ? (product + half) / c : (product - half) / c);
}
} // namespace

tAlControl::tAlControl(QWidget *parent)
    : QWidget(nullptr)
{
    placeOn(parent);
}

void tAlControl::placeOn(QWidget *parent)
{
    if (!isBandOrNothing(parent))
        throw ReportError(QStringLiteral("This component must be placed on a tAlBand."));
    if (parent == parentWidget())
        return;
    // Moving a widget hides it on the way; the published flag stays as it was.
    const bool visible = m_visible;
    setParent(parent);
    m_visible = visible;
    // A child added to a shown band stays hidden until shown.
    if (m_visible)
        QWidget::setVisible(true);
}

tAlBand *tAlControl::band() const
{
    return qobject_cast<tAlBand *>(parentWidget());
}

void tAlControl::setVisible(bool visible)
{
    m_visible = visible;
    QWidget::setVisible(visible);
}

void tAlControl::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    adjustBounds();
    update();
}

void tAlControl::setAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void tAlControl::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustBounds();
}

void tAlControl::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void tAlControl::setWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    adjustBounds();
    update();
}

void tAlControl::setColor(ColorValue color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

GdiFont tAlControl::font() const
{
    if (m_parentFont) {
        if (const tAlBand *parentBand = band())
            return parentBand->font();
    }
    return m_font;
}

void tAlControl::setFont(const GdiFont &font)
{
    m_font = font;
    m_parentFont = false;
    adjustBounds();
    update();
}

void tAlControl::setParentFont(bool parentFont)
{
    if (parentFont == m_parentFont)
        return;
    m_parentFont = parentFont;
    adjustBounds();
    update();
}

QString tAlControl::baseName() const
{
    QString name = objectName();
    while (name.endsWith(QLatin1Char('_')))
        name.chop(1);
    return name;
}

QWidget *tAlControl::ownerWindow() const
{
    const tAlBand *parentBand = band();
    return parentBand ? parentBand->parentWidget() : nullptr;
}

void tAlControl::PrintControl(const QRect &rect)
{
    if (!m_visible)
        return;
    DoPrint(rect, GetPrintText());
}

DrawTextFlags tAlControl::textFlags() const
{
    DrawTextFlags flags = DrawTextFlag::ExpandTabs | DrawTextFlag::NoPrefix;
    if (m_wordWrap)
        flags |= DrawTextFlag::WordBreak;
    if (m_alignment == taRightJustify)
        flags |= DrawTextFlag::Right;
    else if (m_alignment == taCenter)
        flags |= DrawTextFlag::Center;
    return flags;
}

GdiFont tAlControl::fontAt(int pixelsPerInch) const
{
    GdiFont scaled = font();
    const int points = mulDiv(qAbs(scaled.height), 72, screenPixelsPerInch);
    const int pixels = mulDiv(points, pixelsPerInch, 72);
    scaled.height = scaled.height < 0 ? -pixels : pixels;
    return scaled;
}

void tAlControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GdiCanvas canvas(painter);
    paintFace(canvas);
}

void tAlControl::paintFace(GdiCanvas &canvas)
{
    if (!m_transparent)
        canvas.fillRect(rect(), m_color);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFont(font());
    QRect area = rect();
    canvas.drawText(m_caption, area, textFlags());
}

void tAlControl::adjustBounds()
{
    if (!m_autoSize)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    GdiCanvas canvas(painter);
    canvas.setFont(font());
    setGeometry(fitted(canvas, m_caption, geometry()));
}

QRect tAlControl::fitted(GdiCanvas &canvas, const QString &text, const QRect &rect) const
{
    QRect area(0, 0, rect.width(), rect.height());
    canvas.drawText(text.isEmpty() ? QStringLiteral(" ") : text, area, textFlags() | DrawTextFlag::CalcRect);
    const int left = m_alignment == taRightJustify ? rect.left() + rect.width() - area.width() : rect.left();
    return QRect(left, rect.top(), area.width(), area.height());
}
