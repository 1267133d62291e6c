// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat push button that shows a hover look while the pointer is over it and a pressed look
// while the left button is down. It takes no focus and has an Enabled flag of its own that
// gates its looks and events without greying it.

#include "core/Palette.h"
#include "platform/GdiFont.h"
#include "widgets/Events.h"

#include <QImage>
#include <QWidget>

class GdiCanvas;

class THoverButton : public QWidget
{
    Q_OBJECT

public:
    explicit THoverButton(QWidget *parent = nullptr, const QString &name = {});

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue colorBorder() const { return m_colorBorder; }
    void setColorBorder(ColorValue color);
    bool buttonEnabled() const { return m_enabled; }
    void setButtonEnabled(bool enabled) { m_enabled = enabled; }
    const QImage &glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    // The hover and pressed colours only show at the next hover or press.
    ColorValue colorOverCaption() const { return m_colorOverCaption; }
    void setColorOverCaption(ColorValue color) { m_colorOverCaption = color; }
    ColorValue colorOver() const { return m_colorOver; }
    void setColorOver(ColorValue color) { m_colorOver = color; }
    ColorValue colorDown() const { return m_colorDown; }
    void setColorDown(ColorValue color) { m_colorDown = color; }
    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool show);
    const GdiFont &buttonFont() const { return m_font; }
    void setButtonFont(const GdiFont &font);
    ColorValue fontColor() const { return m_font.color; }
    void setFontColor(ColorValue color);

    QSize sizeHint() const override { return {86, 22}; }

    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    // Stored for the windows that assign them; the button itself never raises them.
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    NotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    enum class Look { Normal, Hover, Pressed };

    // Draws a look now, as the button's events do; any other paint shows the normal look.
    void showLook(Look look);
    void changed();
    void click();
    void drawNormal(GdiCanvas &canvas);
    void drawHover(GdiCanvas &canvas);
    void drawPressed(GdiCanvas &canvas);
    void drawContent(GdiCanvas &canvas, int offset);

    QString m_caption;
    bool m_captionSet = false;
    ColorValue m_color = SystemColor::ButtonFace;
    ColorValue m_colorBorder = Palette::Slate;
    bool m_enabled = true;
    QImage m_glyph;
    ColorValue m_colorOverCaption = 0;
    ColorValue m_colorOver = Palette::Gold;
    ColorValue m_colorDown = Palette::Gold;
    bool m_showCaption = true;
    GdiFont m_font{QStringLiteral("Arial"), -11, 0, false};

    Look m_eventLook = Look::Normal;
    // The font colour the last look left on the surface; the pressed look draws with it.
    ColorValue m_surfaceFontColor = 0;
    bool m_leftDown = false;
};
