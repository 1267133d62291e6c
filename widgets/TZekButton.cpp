// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TZekButton.h"

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "widgets/Bevel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

TZekButton::TZekButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(75, 25);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (OnClick)
            OnClick(this);
    });
}

void TZekButton::setAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TZekButton::setColor(ColorValue color)
{
    if (color == m_color)
        return;
    m_parentColor = false;
    m_color = color;
    update();
}

void TZekButton::setHotColor(ColorValue color)
{
    if (color == m_hotColor)
        return;
    m_parentColor = false;
    m_hotColor = color;
    update();
}

void TZekButton::setHotTextColor(ColorValue color)
{
    if (color == m_hotTextColor)
        return;
    m_parentColor = false;
    m_hotTextColor = color;
    update();
}

void TZekButton::setZekStyle(ZekStyle style)
{
    if (style == m_zekStyle)
        return;
    m_zekStyle = style;
    update();
}

void TZekButton::setMargin(int margin)
{
    if (margin == m_margin || margin < 0)
        return;
    m_margin = margin;
    update();
}

void TZekButton::setParentColor(bool parentColor)
{
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    takeParentColor(parentBackground());
}

void TZekButton::setShowDefaultMarker(bool show)
{
    if (show == m_showDefaultMarker)
        return;
    m_showDefaultMarker = show;
    update();
}

void TZekButton::setShowFocus(bool show)
{
    if (show == m_showFocus)
        return;
    m_showFocus = show;
    update();
}

void TZekButton::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    update();
}

void TZekButton::setDefault(bool isDefault)
{
    m_default = isDefault;
    // Whether Enter would press this button depends on where the focus is.
    if (isDefault && !m_trackingFocus) {
        m_trackingFocus = true;
        connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
    }
    update();
}

void TZekButton::setButtonFont(const GdiFont &font)
{
    m_font = font;
    update();
}

void TZekButton::setFontColor(ColorValue color)
{
    m_font.color = color;
    update();
}

void TZekButton::parentColorChanged(ColorValue color)
{
    m_reportedParentColor = color;
    takeParentColor(color);
}

ColorValue TZekButton::parentBackground() const
{
    if (m_reportedParentColor)
        return *m_reportedParentColor;
    const QWidget *parent = parentWidget();
    return parent ? toColorValue(parent->palette().color(parent->backgroundRole())) : SystemColor::ButtonFace;
}

void TZekButton::takeParentColor(ColorValue color)
{
    update();
    if (!m_parentColor)
        return;
    m_color = color;
    m_font.color = SystemColor::ButtonText;
    m_hotColor = m_color;
    m_hotTextColor = m_font.color;
}

// A focused button is the one Enter presses; a default button is, unless another button
// of its window has the focus.
bool TZekButton::isActiveDefault() const
{
    if (hasFocus())
        return true;
    if (!m_default)
        return false;
    const QWidget *focus = QApplication::focusWidget();
    return !(focus && focus != this && focus->window() == window() && qobject_cast<const QAbstractButton *>(focus));
}

bool TZekButton::event(QEvent *event)
{
    // The parent's colour reaches the button as a palette change (Qt hands the parent's
    // palette on to its children) or with a new parent.
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) && !m_reportedParentColor)
        takeParentColor(parentBackground());
    return QAbstractButton::event(event);
}

void TZekButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        update();
    QAbstractButton::changeEvent(event);
}

void TZekButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    if (m_hot)
        return;
    m_hot = true;
    if (!m_parentColor || m_zekStyle == zbsFlat || m_zekStyle == zbsCorel)
        update();
    if (isEnabled() && OnMouseEnter)
        OnMouseEnter(this);
}

void TZekButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (!m_hot)
        return;
    m_hot = false;
    if (!m_parentColor || m_zekStyle == zbsFlat || m_zekStyle == zbsCorel)
        update();
    if (isEnabled() && OnMouseExit)
        OnMouseExit(this);
}

// The second press of a double click is a press like the first, so it clicks again.
void TZekButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

// A paint in named steps: the background, the face, the caption, the default marker, the
// Corel frame, the 3-D edge and the focus rectangle, in that order (later steps draw over
// earlier ones).
void TZekButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GdiCanvas canvas(painter);
    const bool focused = hasFocus();
    const bool hotLook = focused || m_hot || (m_showDefaultMarker && isActiveDefault());
    const bool corelHot = m_zekStyle == zbsCorel && hotLook;
    // The face lies inside the edge: one pixel in, two for a hot Corel button, whose frame
    // takes the outermost pixel.
    const int faceInset = corelHot ? 2 : 1;
    const QRect face = gdiRect(faceInset, faceInset, width() - faceInset, height() - faceInset);
    const ColorValue faceColor = hotLook ? m_hotColor : m_color;
    // Pressed, the caption and the marker move right and down by one pixel.
    const int pressOffset = isDown() ? 1 : 0;

    canvas.fillRect(rect(), m_color);
    canvas.fillRect(face, faceColor);
    drawCaption(canvas, pressOffset, hotLook ? m_hotTextColor : m_font.color);
    if (m_showDefaultMarker && m_zekStyle != zbsCorel && (isActiveDefault() || focused))
        drawDefaultMarker(canvas, face, pressOffset);
    if (corelHot)
        canvas.frameRect(rect(), SystemColor::WindowFrame);
    drawEdge(canvas, face, faceColor, focused);
    if (m_showFocus && focused) {
        const int focusInset = corelHot ? 2 : 3;
        canvas.drawFocusRect(face.adjusted(focusInset, focusInset, -focusInset, -focusInset));
    }
}

// The caption is centred on the button's own rectangle, so that pressing moves it by exactly
// the press offset; a disabled caption is engraved (a light copy one pixel down and right).
void TZekButton::drawCaption(GdiCanvas &canvas, int pressOffset, ColorValue textColor)
{
    const int w = width();
    const int h = height();
    DrawTextFlags flags = m_wordWrap ? DrawTextFlag::WordBreak : DrawTextFlag::SingleLine;
    flags |= DrawTextFlag::VCenter;
    if (m_alignment == Qt::AlignRight)
        flags |= DrawTextFlag::Right;
    else if (m_alignment == Qt::AlignHCenter)
        flags |= DrawTextFlag::Center;
    canvas.setFont(m_font);
    canvas.setBrushStyle(BrushStyle::Clear);
    const int sideMargin = m_margin + (m_zekStyle == zbsCorel ? 2 : 1);
    const int left = pressOffset + sideMargin;
    const int right = w + pressOffset - sideMargin;
    QRect measure = gdiRect(left, pressOffset, right, h + pressOffset);
    const int textHeight = canvas.drawText(text(), measure, flags | DrawTextFlag::CalcRect);
    const int gap = (h - textHeight) / 2;
    QRect textRect = gdiRect(left, pressOffset + gap, right, h + pressOffset - gap);
    if (!isEnabled()) {
        QRect shadowRect = textRect.translated(1, 1);
        canvas.setFontColor(SystemColor::ButtonHighlight);
        canvas.drawText(text(), shadowRect, flags);
        canvas.setFontColor(SystemColor::ButtonShadow);
        canvas.drawText(text(), textRect, flags);
    } else {
        canvas.setFontColor(textColor);
        canvas.drawText(text(), textRect, flags);
    }
}

// A small triangle in the face's bottom-right corner, in the caption's colour.
void TZekButton::drawDefaultMarker(GdiCanvas &canvas, const QRect &face, int pressOffset)
{
    const int right = face.x() + face.width();
    const int bottom = face.y() + face.height();
    const ColorValue marker = canvas.font().color;
    canvas.setPen({marker, 1, PenStyle::Solid});
    canvas.setBrushColor(marker);
    canvas.polygon(
        {{right + pressOffset - 6, bottom - 1}, {right - 1, bottom + pressOffset - 6}, {right - 1, bottom - 1}});
}

// Raised, sunken while pressed; a pressed framed button and a flat one at rest show no edge
// (the face's or the parent's colour).
void TZekButton::drawEdge(GdiCanvas &canvas, const QRect &face, ColorValue faceColor, bool focused)
{
    ColorValue light = SystemColor::ButtonHighlight;
    ColorValue dark = SystemColor::ButtonShadow;
    if (isDown()) {
        if (m_zekStyle == zbsFramed)
            light = dark = faceColor;
        else
            std::swap(light, dark);
    } else if (m_zekStyle == zbsFlat && !m_hot && !focused) {
        light = dark = parentBackground();
    }
    drawBevel(canvas, face.adjusted(-1, -1, 1, 1), light, dark);
}
