#include "widgets/TEdit.h"

#include "core/LineText.h"

#include "platform/SystemColors.h"

#include <QMouseEvent>
#include <limits>

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    // The item menu is the window's business; the edit's own menu never opens.
    setContextMenuPolicy(Qt::NoContextMenu);
    // A stored name of any length must come back unchanged at close (the default cuts it).
    setMaxLength(std::numeric_limits<int>::max());
    applyPalette();
    connect(this, &QLineEdit::textChanged, this, &TEdit::keepOneLine);
}

void TEdit::setColor(ColorValue color)
{
    m_colors.background = color;
    applyPalette();
}

void TEdit::setFontColor(ColorValue color)
{
    m_colors.font = color;
    applyPalette();
}

void TEdit::setColors(FieldColors colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    applyPalette();
}

void TEdit::applyPalette()
{
    QPalette p = palette();
    const QColor background = toQColor(m_colors.background);
    const QColor font = toQColor(m_colors.font);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::Window, background);
        p.setColor(group, QPalette::Text, font);
    }
    setPalette(p);
}

void TEdit::keepOneLine()
{
    const QString current = text();
    const QString kept = oneLine(current);
    if (kept == current)
        return;
    const int cursor = cursorPosition();
    setText(kept);
    setCursorPosition(qMin(cursor, static_cast<int>(kept.size())));
}

void TEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    m_leftPressed = event->button() == Qt::LeftButton;
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(p);
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    if (click && OnClick)
        OnClick(this);
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}
