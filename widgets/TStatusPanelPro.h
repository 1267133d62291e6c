// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One panel of a TStatusBarPro: its text, font, colour, alignment, bevel, image and width
// rules. A change tells the bar, which redraws the panel or lays the bar out again.

#include "platform/GdiFont.h"
#include "widgets/Events.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class TStatusPanelsPro;

class TStatusPanelPro : public QObject
{
    Q_OBJECT

public:
    enum class Bevel { None, Lowered, Raised };
    enum class Style { Text, OwnerDraw };

    explicit TStatusPanelPro(TStatusPanelsPro *collection);

    int index() const;

    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    bool autoWidth() const { return m_autoWidth; }
    void setAutoWidth(bool autoWidth);
    Bevel bevel() const { return m_bevel; }
    void setBevel(Bevel bevel);
    Qt::LayoutDirection biDiMode() const { return m_biDiMode; }
    void setBiDiMode(Qt::LayoutDirection mode);
    bool parentBiDiMode() const { return m_parentBiDiMode; }
    void setParentBiDiMode(bool parent);
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parent);
    QWidget *control() const { return m_control; }
    void setControl(QWidget *control);
    const GdiFont &font() const { return m_font; }
    void setFont(const GdiFont &font);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parent);
    QString hint() const { return m_hint; }
    void setHint(const QString &hint);
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);
    int indent() const { return m_indent; }
    void setIndent(int indent);
    int maxWidth() const { return m_maxWidth; }
    void setMaxWidth(int width);
    int minWidth() const { return m_minWidth; }
    void setMinWidth(int width);
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }
    Style style() const { return m_style; }
    void setStyle(Style style);
    QString text() const { return m_text; }
    void setText(const QString &text);
    int width() const { return m_width; }
    void setWidth(int width);

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;

private:
    friend class TStatusBarPro;

    TStatusPanelsPro *collection() const;
    void redraw();
    void relayout();
    // Set by the layout, which may give any width.
    void setLayoutWidth(int width) { m_width = width; }
    void takeBarFont(const GdiFont &font) { m_font = font; }
    void takeBarColor(ColorValue color) { m_color = color; }
    void takeBarBiDiMode(Qt::LayoutDirection mode) { m_biDiMode = mode; }

    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = false;
    bool m_autoWidth = false;
    Bevel m_bevel = Bevel::Lowered;
    Qt::LayoutDirection m_biDiMode = Qt::LeftToRight;
    bool m_parentBiDiMode = true;
    ColorValue m_color = SystemColor::ButtonFace;
    bool m_parentColor = true;
    QPointer<QWidget> m_control;
    GdiFont m_font;
    bool m_parentFont = true;
    QString m_hint;
    int m_imageIndex = -1;
    int m_indent = 0;
    int m_maxWidth = 10000;
    int m_minWidth = 0;
    QPointer<QMenu> m_popupMenu;
    Style m_style = Style::Text;
    QString m_text;
    int m_width = 50;
};
