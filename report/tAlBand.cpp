// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/tAlBand.h"

#include "platform/GdiCanvas.h"
#include "report/ReportError.h"
#include "report/TAlDetailLink.h"
#include "report/tAlControl.h"

#include <QPainter>

namespace {
bool isWindowOrNothing(const QWidget *parent)
{
    return !parent || parent->isWindow();
}
} // namespace

tAlBand::tAlBand(QWidget *parent)
    : QWidget(nullptr)
{
    placeOn(parent);
    setAutoFillBackground(false);
}

void tAlBand::placeOn(QWidget *parent)
{
    if (!isWindowOrNothing(parent))
        throw ReportError(QStringLiteral("This component must be placed on a tForm."));
    if (parent == parentWidget())
        return;
    setParent(parent);
    // A child added to a shown window stays hidden until shown.
    if (parent)
        show();
}

void tAlBand::setColor(ColorValue color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void tAlBand::setFont(const GdiFont &font)
{
    m_font = font;
    m_parentFont = false;
    for (tAlControl *control : controls())
        control->update();
}

void tAlBand::setBandType(tAlBandType type)
{
    if (type == m_bandType)
        return;
    m_bandType = type;
    update();
}

void tAlBand::setRuler(tAlRulerType ruler)
{
    if (ruler == m_ruler)
        return;
    m_ruler = ruler;
    update();
}

QList<tAlControl *> tAlBand::controls() const
{
    return findChildren<tAlControl *>(Qt::FindDirectChildrenOnly);
}

TAlDetailLink *tAlBand::detailLink() const
{
    return m_detailLink;
}

void tAlBand::setDetailLink(TAlDetailLink *link)
{
    m_detailLink = link;
}

bool tAlBand::takeAlternateFill()
{
    const bool fill = m_alternateFill;
    m_alternateFill = !m_alternateFill;
    return fill;
}

// At run time a band is a plain panel in its colour; the rulers belong to a design view.
void tAlBand::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GdiCanvas canvas(painter);
    canvas.fillRect(rect(), m_color);
}
