// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TStatusPanelPro.h"

#include "widgets/TStatusBarPro.h"
#include "widgets/TStatusPanelsPro.h"

TStatusPanelPro::TStatusPanelPro(TStatusPanelsPro *collection)
    : QObject(collection)
{
    const TStatusBarPro *bar = collection->bar();
    m_font = bar->barFont();
    m_color = bar->color();
    m_biDiMode = bar->layoutDirection();
}

TStatusPanelsPro *TStatusPanelPro::collection() const
{
    return static_cast<TStatusPanelsPro *>(parent());
}

int TStatusPanelPro::index() const
{
    return collection()->indexOf(this);
}

void TStatusPanelPro::redraw()
{
    collection()->panelChanged(this);
}

void TStatusPanelPro::relayout()
{
    collection()->collectionChanged();
}

void TStatusPanelPro::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    redraw();
}

void TStatusPanelPro::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize) {
        m_autoWidth = false;
        relayout();
        return;
    }
    const int clamped = qMax(m_minWidth, qMin(m_width, m_maxWidth));
    if (clamped != m_width) {
        m_width = clamped;
        relayout();
    }
}

void TStatusPanelPro::setAutoWidth(bool autoWidth)
{
    m_autoWidth = autoWidth;
    if (autoWidth)
        m_autoSize = false;
    relayout();
}

void TStatusPanelPro::setBevel(Bevel bevel)
{
    m_bevel = bevel;
    redraw();
}

void TStatusPanelPro::setBiDiMode(Qt::LayoutDirection mode)
{
    m_biDiMode = mode;
    m_parentBiDiMode = false;
    redraw();
}

void TStatusPanelPro::setParentBiDiMode(bool parent)
{
    m_parentBiDiMode = parent;
    if (parent) {
        m_biDiMode = collection()->bar()->layoutDirection();
        redraw();
    }
}

void TStatusPanelPro::setColor(ColorValue color)
{
    m_color = color;
    m_parentColor = false;
    redraw();
}

void TStatusPanelPro::setParentColor(bool parent)
{
    m_parentColor = parent;
    if (parent) {
        m_color = collection()->bar()->color();
        redraw();
    }
}

void TStatusPanelPro::setControl(QWidget *control)
{
    TStatusBarPro *bar = collection()->bar();
    if (control)
        bar->releaseControl(control, this);
    m_control = control;
    if (control) {
        control->setParent(bar);
        bar->placeControl(this);
        control->show();
    }
}

void TStatusPanelPro::setFont(const GdiFont &font)
{
    m_font = font;
    m_parentFont = false;
    redraw();
    // The width of an auto-width panel is its text's width in this font.
    if (m_autoWidth)
        relayout();
}

void TStatusPanelPro::setParentFont(bool parent)
{
    m_parentFont = parent;
    if (parent) {
        m_font = collection()->bar()->barFont();
        redraw();
        if (m_autoWidth)
            relayout();
    }
}

void TStatusPanelPro::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    redraw();
}

void TStatusPanelPro::setImageIndex(int index)
{
    m_imageIndex = index;
    redraw();
    if (m_autoWidth)
        relayout();
}

void TStatusPanelPro::setIndent(int indent)
{
    m_indent = indent;
    redraw();
    if (m_autoWidth)
        relayout();
}

void TStatusPanelPro::setMaxWidth(int width)
{
    m_maxWidth = width;
    const int old = m_width;
    if (!m_autoSize && m_width > width)
        m_width = width;
    if (m_width != old || m_autoWidth)
        relayout();
}

void TStatusPanelPro::setMinWidth(int width)
{
    m_minWidth = width;
    const int old = m_width;
    if (!m_autoSize && m_width < width)
        m_width = width;
    if (m_width != old || m_autoWidth)
        relayout();
}

void TStatusPanelPro::setStyle(Style style)
{
    m_style = style;
    redraw();
}

void TStatusPanelPro::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    redraw();
    if (m_autoWidth)
        relayout();
}

void TStatusPanelPro::setWidth(int width)
{
    if (m_autoSize || m_autoWidth)
        return;
    if (width < m_minWidth)
        width = m_minWidth;
    else if (width > m_maxWidth)
        width = m_maxWidth;
    if (width == m_width)
        return;
    m_width = width;
    relayout();
}
