// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A band of a report: a horizontal strip of the printed page, designed as a plain white panel
// on the report's window, with the report controls lying on it. Its type decides when the
// engine prints it; its Tag carries the detail number while printing.

#include "platform/GdiFont.h"
#include "report/ReportTypes.h"

#include <QPointer>
#include <QWidget>

class TAlDetailLink;
class tAlControl;

class tAlBand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(TAlign Align READ align WRITE setAlign)
    Q_PROPERTY(unsigned Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(tAlBandType BandType READ bandType WRITE setBandType)
    Q_PROPERTY(bool AltColor READ altColor WRITE setAltColor)
    Q_PROPERTY(tAlRulerType Ruler READ ruler WRITE setRuler)
    Q_PROPERTY(tClipMode ClipMode READ clipMode WRITE setClipMode)

public:
    // The parent must be a window or none; anything else throws ReportError.
    explicit tAlBand(QWidget *parent = nullptr);
    // A band lies only on a window (or on nothing); any other parent throws "This component
    // must be placed on a tForm." and the band stays where it was.
    void placeOn(QWidget *parent);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    TAlign align() const { return m_align; }
    void setAlign(TAlign align) { m_align = align; }
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    const GdiFont &font() const { return m_font; }
    void setFont(const GdiFont &font);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont) { m_parentFont = parentFont; }
    tAlBandType bandType() const { return m_bandType; }
    void setBandType(tAlBandType type);
    bool altColor() const { return m_altColor; }
    void setAltColor(bool altColor) { m_altColor = altColor; }
    tAlRulerType ruler() const { return m_ruler; }
    void setRuler(tAlRulerType ruler);
    tClipMode clipMode() const { return m_clipMode; }
    void setClipMode(tClipMode mode) { m_clipMode = mode; }

    // The report controls on the band, in their creation order.
    QList<tAlControl *> controls() const;
    // The detail link that watches this band, if any.
    TAlDetailLink *detailLink() const;
    void setDetailLink(TAlDetailLink *link);
    // Flips with every output of an AltColor band; true means this output is filled.
    bool takeAlternateFill();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_tag = 0;
    TAlign m_align = alTop;
    ColorValue m_color = 0x00FFFFFF;
    GdiFont m_font;
    bool m_parentFont = true;
    tAlBandType m_bandType = alr_Title;
    bool m_altColor = false;
    tAlRulerType m_ruler = alr_cmHV;
    tClipMode m_clipMode = cm_Clip;
    bool m_alternateFill = false;
    QPointer<TAlDetailLink> m_detailLink;
};
