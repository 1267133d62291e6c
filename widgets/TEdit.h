#pragma once
// A name field: a borderless single-line edit whose background and font colour are colour
// values (the item's state). It reports mouse-down (any button), click (left button pressed
// and released on it) and mouse-up (any button), in that order, to handlers the window sets.
// A name is one line of the names file, so line breaks that arrive by paste become blanks.

#include "core/FieldColors.h"
#include "widgets/Events.h"

#include <QLineEdit>

class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);

    ColorValue color() const { return m_colors.background; }
    void setColor(ColorValue color);
    ColorValue fontColor() const { return m_colors.font; }
    void setFontColor(ColorValue color);
    FieldColors colors() const { return m_colors; }
    void setColors(FieldColors colors);

    MouseEvent OnMouseDown;
    NotifyEvent OnClick;
    MouseEvent OnMouseUp;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyPalette();
    void keepOneLine();

    FieldColors m_colors;
    bool m_leftPressed = false;
};
