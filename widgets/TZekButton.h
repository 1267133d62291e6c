// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A focusable push button that draws itself: a face colour and a hot colour pair of its own,
// four frame styles, a word-wrapped caption, an optional default-button marker and focus
// rectangle. With ParentColor it takes its face colour from its parent.

#include "platform/GdiFont.h"
#include "widgets/Events.h"

#include <QAbstractButton>
#include <optional>

class GdiCanvas;

class TZekButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum ZekStyle { zbsNormal, zbsFramed, zbsFlat, zbsCorel };

    explicit TZekButton(QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue hotColor() const { return m_hotColor; }
    void setHotColor(ColorValue color);
    ColorValue hotTextColor() const { return m_hotTextColor; }
    void setHotTextColor(ColorValue color);
    ZekStyle zekStyle() const { return m_zekStyle; }
    void setZekStyle(ZekStyle style);
    int margin() const { return m_margin; }
    // A negative margin is ignored.
    void setMargin(int margin);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    bool showDefaultMarker() const { return m_showDefaultMarker; }
    void setShowDefaultMarker(bool show);
    bool showFocus() const { return m_showFocus; }
    void setShowFocus(bool show);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    bool isDefault() const { return m_default; }
    void setDefault(bool isDefault);
    const GdiFont &buttonFont() const { return m_font; }
    void setButtonFont(const GdiFont &font);
    ColorValue fontColor() const { return m_font.color; }
    void setFontColor(ColorValue color);

    // The parent reports its new colour; with ParentColor the button takes it over. Without
    // such a report the button follows the background colour of the parent's palette.
    void parentColorChanged(ColorValue color);

    bool isHot() const { return m_hot; }
    QSize sizeHint() const override { return {75, 25}; }

    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseExit;
    NotifyEvent OnClick;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool isActiveDefault() const;
    ColorValue parentBackground() const;
    void takeParentColor(ColorValue color);
    void drawCaption(GdiCanvas &canvas, int pressOffset, ColorValue textColor);
    void drawDefaultMarker(GdiCanvas &canvas, const QRect &face, int pressOffset);
    void drawEdge(GdiCanvas &canvas, const QRect &face, ColorValue faceColor, bool focused);

    Qt::Alignment m_alignment = Qt::AlignHCenter;
    ColorValue m_color = SystemColor::ButtonFace;
    ColorValue m_hotColor = SystemColor::ButtonFace;
    ColorValue m_hotTextColor = SystemColor::WindowText;
    ZekStyle m_zekStyle = zbsNormal;
    int m_margin = 2;
    bool m_parentColor = true;
    bool m_showDefaultMarker = false;
    bool m_showFocus = true;
    bool m_wordWrap = true;
    bool m_default = false;
    GdiFont m_font{QStringLiteral("MS Sans Serif"), -11, SystemColor::WindowText, false};
    bool m_hot = false;
    std::optional<ColorValue> m_reportedParentColor;
    bool m_trackingFocus = false;
};
