// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of the report controls: a windowless label-like control that lies on a band. On
// the screen it draws itself on the band; when printing, the band hands it a rectangle in
// device pixels on the current page and it draws itself there through the printer's canvas.

#include "platform/GdiCanvas.h"
#include "platform/GdiFont.h"
#include "report/ReportTypes.h"

#include <QWidget>

class tAlBand;

class tAlControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(bool visible READ printable WRITE setVisible)

public:
    // The parent must be a band or none; anything else throws ReportError.
    explicit tAlControl(QWidget *parent = nullptr);
    // A control lies only on a band (or on nothing); any other parent throws "This component
    // must be placed on a tAlBand." and the control stays where it was.
    void placeOn(QWidget *parent);
    tAlBand *band() const;

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The published visible flag: a hidden control prints nothing but still counts records.
    bool printable() const { return m_visible; }
    void setVisible(bool visible) override;

    // The text the control shows on the screen.
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    // The band's font while ParentFont is set; assigning a font clears ParentFont.
    GdiFont font() const;
    void setFont(const GdiFont &font);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);

    // The name without its trailing "_" characters ("Price__" gives "Price").
    QString baseName() const;
    // The window the control's band lies on: it owns the report and its components.
    QWidget *ownerWindow() const;

    // Prints into a rectangle of the current page: nothing when hidden, else DoPrint.
    virtual void PrintControl(const QRect &rect);
    virtual void DoPrint(const QRect &rect, const QString &text) = 0;
    // Moves to the next data record and answers whether there is one.
    virtual bool NextRecord() { return false; }
    virtual QString GetPrintText() { return m_caption; }

    // The flags of the text-in-rectangle drawing for this control's text.
    DrawTextFlags textFlags() const;
    // The font at a printer's resolution: the same point size as on the screen.
    GdiFont fontAt(int pixelsPerInch) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Draws the control's face on the screen.
    virtual void paintFace(GdiCanvas &canvas);
    // Sizes an auto-size control to its caption, keeping the right edge of a right-aligned one.
    void adjustBounds();
    // The place a text takes when measured in the canvas's font from a rectangle's top-left
    // (an empty text as one blank), right-aligned text keeping the rectangle's right edge.
    QRect fitted(GdiCanvas &canvas, const QString &text, const QRect &rect) const;

private:
    int m_tag = 0;
    bool m_visible = true;
    QString m_caption;
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_wordWrap = false;
    ColorValue m_color = SystemColor::ButtonFace;
    GdiFont m_font;
    bool m_parentFont = true;
};
