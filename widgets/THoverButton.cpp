// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/THoverButton.h"

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "widgets/Bevel.h"
#include "widgets/ControlAccessibility.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
constexpr ColorValue EdgeLight = 0x00EDF4F8;
constexpr ColorValue EdgeDark = 0x004F4F4F;

} // namespace

THoverButton::THoverButton(QWidget *parent, const QString &name)
    : QWidget(parent)
{
    installControlAccessibility();
    // The button covers all its pixels but is not marked opaque, like the name field: see there.
    setFocusPolicy(Qt::NoFocus);
    resize(86, 22);
    m_surfaceFontColor = m_font.color;
    // The caption is the component name until a caption is given.
    connect(this, &QObject::objectNameChanged, this, [this](const QString &objectName) {
        if (!m_captionSet) {
            m_caption = objectName;
            changed();
            reportNameChange(this);
        }
    });
    if (!name.isEmpty())
        setObjectName(name);
}

void THoverButton::setCaption(const QString &caption)
{
    m_captionSet = true;
    m_caption = caption;
    changed();
    reportNameChange(this);
}

void THoverButton::setColor(ColorValue color)
{
    m_color = color;
    changed();
}

void THoverButton::setColorBorder(ColorValue color)
{
    m_colorBorder = color;
    changed();
}

void THoverButton::setGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    changed();
}

void THoverButton::setShowCaption(bool show)
{
    m_showCaption = show;
    changed();
}

void THoverButton::setButtonFont(const GdiFont &font)
{
    m_font = font;
    changed();
}

void THoverButton::setFontColor(ColorValue color)
{
    m_font.color = color;
    changed();
}

// Any paint that an event of the button did not ask for shows the normal look.
void THoverButton::changed()
{
    update();
}

void THoverButton::showLook(Look look)
{
    m_eventLook = look;
    repaint();
    m_eventLook = Look::Normal;
}

void THoverButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GdiCanvas canvas(painter);
    canvas.setFont(m_font);
    canvas.setFontColor(m_surfaceFontColor);
    switch (m_eventLook) {
    case Look::Normal:
        drawNormal(canvas);
        break;
    case Look::Hover:
        drawHover(canvas);
        break;
    case Look::Pressed:
        drawPressed(canvas);
        break;
    }
}

void THoverButton::drawNormal(GdiCanvas &canvas)
{
    const int w = width();
    const int h = height();
    canvas.fillRect(gdiRect(1, 1, w - 1, h - 1), m_color);
    m_surfaceFontColor = m_font.color;
    canvas.setFontColor(m_surfaceFontColor);
    drawContent(canvas, 0);
    canvas.frameRect(gdiRect(0, 0, w, h), m_colorBorder);
}

void THoverButton::drawHover(GdiCanvas &canvas)
{
    const int w = width();
    const int h = height();
    canvas.fillRect(gdiRect(1, 1, w - 1, h - 1), m_colorOver);
    m_surfaceFontColor = m_colorOverCaption;
    canvas.setFontColor(m_surfaceFontColor);
    drawContent(canvas, 0);
    canvas.frameRect(gdiRect(0, 0, w, h), m_colorBorder);
    drawBevel(canvas, rect(), EdgeLight, EdgeDark);
}

// The caption keeps whatever font colour the last look left: normally the hover caption
// colour, the font colour after a repaint under the pointer.
void THoverButton::drawPressed(GdiCanvas &canvas)
{
    const int w = width();
    const int h = height();
    canvas.fillRect(gdiRect(1, 1, w - 1, h - 1), m_colorDown);
    drawContent(canvas, 1);
    canvas.frameRect(gdiRect(0, 0, w, h), m_colorBorder);
    drawBevel(canvas, rect(), EdgeDark, EdgeLight);
}

// The caption, or the glyph and the caption beside it, moved right and down by the offset.
void THoverButton::drawContent(GdiCanvas &canvas, int offset)
{
    const int w = width();
    const int h = height();
    canvas.setBrushStyle(BrushStyle::Clear);
    const int tw = canvas.textWidth(m_caption);
    const int th = canvas.textHeight(m_caption);
    if (m_glyph.isNull()) {
        if (m_showCaption)
            canvas.textOut(w / 2 - tw / 2 + offset, h / 2 - th / 2 + offset, m_caption);
        return;
    }
    const int gw = m_glyph.width();
    const int gh = m_glyph.height();
    const ColorValue transparent = toColorValue(m_glyph.pixelColor(0, 0));
    if (!m_showCaption) {
        canvas.drawTransparent(w / 2 - gw / 2 + offset, h / 2 - gh / 2 + offset, m_glyph, transparent);
        return;
    }
    canvas.drawTransparent(w / 2 - (gw + tw) / 2 - 1 + offset, h / 2 - gh / 2 + offset, m_glyph, transparent);
    canvas.textOut((gw - tw) / 2 + w / 2 + 4 + offset, h / 2 - th / 2 + offset, m_caption);
}

void THoverButton::enterEvent(QEnterEvent *)
{
    if (m_enabled)
        showLook(Look::Hover);
}

void THoverButton::leaveEvent(QEvent *)
{
    showLook(Look::Normal);
}

void THoverButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const Qt::MouseButton button = event->button();
    // A left press arms the click whatever the Enabled flag says; the click itself checks it.
    if (button == Qt::LeftButton && event->type() == QEvent::MouseButtonPress)
        m_leftDown = true;
    if (button != Qt::LeftButton || !m_enabled)
        return;
    QPointer<THoverButton> alive(this);
    if (OnMouseDown)
        OnMouseDown(this, button, event->modifiers(), event->position().toPoint().x(), event->position().toPoint().y());
    if (alive)
        showLook(Look::Pressed);
}

// The second press of a double click is a plain press that arms no click, so a double
// click gives one click.
void THoverButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void THoverButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    QPointer<THoverButton> alive(this);
    if (button == Qt::LeftButton) {
        const bool clicked = m_leftDown && rect().contains(pos);
        m_leftDown = false;
        if (clicked)
            click();
        if (!alive)
            return;
    }
    if (button != Qt::LeftButton || !m_enabled)
        return;
    if (OnMouseUp)
        OnMouseUp(this, button, event->modifiers(), pos.x(), pos.y());
    if (alive && QApplication::widgetAt(QCursor::pos()) == this)
        showLook(Look::Hover);
}

void THoverButton::click()
{
    showLook(Look::Normal);
    if (m_enabled && OnClick)
        OnClick(this);
}
