// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportLayout.h"

#include "report/TAlDetailLink.h"
#include "report/TAlLabel.h"
#include "report/TAlPrinter.h"
#include "report/tAlBand.h"

#include <algorithm>

ReportLayout::ReportLayout(TAlPrinter &printer, int leftMargin, int rightMargin)
    : m_printer(printer)
    , m_leftMargin(leftMargin)
    , m_rightMargin(rightMargin)
{}

int ReportLayout::scaleX(int pixels) const
{
    return scaleToPrinter(pixels, m_printer.pixelsPerInchX());
}

int ReportLayout::scaleY(int pixels) const
{
    return scaleToPrinter(pixels, m_printer.pixelsPerInchY());
}

void ReportLayout::run(const QList<tAlBand *> &bands)
{
    sortIntoLists(bands);
    m_bodyLimit = m_printer.PageHeight();
    for (const tAlBand *footer : std::as_const(m_pageFooters))
        m_bodyLimit -= scaleY(footer->height());
    // No room at the start: the first band to print opens the first page.
    m_cursor = 99999;
    m_firstPage = true;
    for (tAlBand *title : std::as_const(m_titles))
        checkedOutput(title);
    for (tAlBand *detail : std::as_const(m_details)) {
        detailBands(m_detailHeaders, detail->tag());
        checkedOutput(detail);
        detailBands(m_detailFooters, detail->tag());
    }
    for (tAlBand *footer : std::as_const(m_reportFooters))
        checkedOutput(footer);
    m_cursorAfterBands = m_cursor;
    pageEnd();
}

// Sorted by Top, equal tops in component order; detail headers, details and detail footers
// that follow each other share the position of the first as their detail number.
void ReportLayout::sortIntoLists(const QList<tAlBand *> &bands)
{
    QList<tAlBand *> sorted = bands;
    std::stable_sort(sorted.begin(), sorted.end(), [](const tAlBand *a, const tAlBand *b) { return a->y() < b->y(); });
    bool havePrevious = false;
    tAlBandType previous = alr_Title;
    int detailNumber = 0;
    int position = 0;
    for (tAlBand *band : std::as_const(sorted)) {
        ++position;
        switch (band->bandType()) {
        case alr_Title:
            m_titles.append(band);
            break;
        case alr_PageHeader:
            m_pageHeaders.append(band);
            break;
        case alr_PageFooter:
            m_pageFooters.append(band);
            break;
        case alr_ReportFooter:
            m_reportFooters.append(band);
            break;
        case alr_DetailHeader:
            detailNumber = position;
            band->setTag(position);
            m_detailHeaders.append(band);
            break;
        case alr_Detail:
            if (!havePrevious || previous != alr_DetailHeader)
                detailNumber = position;
            band->setTag(detailNumber);
            m_details.append(band);
            break;
        case alr_DetailFooter:
            if (havePrevious && previous == alr_Detail)
                band->setTag(detailNumber);
            m_detailFooters.append(band);
            break;
        case alr_NewPage:
            m_details.append(band);
            break;
        case alr_GroupHeader:
        case alr_GroupFooter:
            break;
        }
        previous = band->bandType();
        havePrevious = true;
    }
}

void ReportLayout::detailBands(const QList<tAlBand *> &list, int detailNumber)
{
    if (detailNumber == 0)
        return;
    for (tAlBand *band : list) {
        if (band->tag() == detailNumber)
            checkedOutput(band);
    }
}

void ReportLayout::checkedOutput(tAlBand *band)
{
    if (band->bandType() == alr_NewPage) {
        pageEnd();
        return;
    }
    if (m_inOutput.contains(band))
        return;
    m_inOutput.insert(band);
    TAlDetailLink *link = band->detailLink();
    const bool detail = band->bandType() == alr_Detail;
    for (int output = 1;; ++output) {
        // A band that does not fit goes to a new page, and is printed there even when it is
        // taller than the page: it overflows the bottom rather than looping.
        if (m_cursor + scaleY(band->height()) > m_bodyLimit) {
            pageEnd();
            pageStart();
            if (detail) {
                detailBands(m_detailHeaders, band->tag());
                if (link) {
                    link->changed(TAlDetailLink::Look::Current);
                    if (link->groupHeader())
                        checkedOutput(link->groupHeader());
                }
            }
        }
        if (link && link->changed(TAlDetailLink::Look::Current) && link->groupHeader())
            checkedOutput(link->groupHeader());
        bandOutput(band);
        if (link && link->changed(TAlDetailLink::Look::Next) && link->groupFooter())
            checkedOutput(link->groupFooter());
        if (!detail || output >= maxDetailOutputs)
            break;
        // Every control moves on, hidden ones too, so a hidden counter keeps counting.
        bool another = false;
        for (tAlControl *control : band->controls())
            another = control->NextRecord() || another;
        if (!another)
            break;
    }
    m_inOutput.remove(band);
}

void ReportLayout::bandOutput(tAlBand *band)
{
    // GDI edges: right and bottom exclusive.
    int left = scaleX(band->x()) + m_leftMargin;
    int top = m_cursor;
    int right = scaleX(band->width()) - m_rightMargin;
    int bottom = m_cursor + scaleY(band->height()) - 1;
    GdiCanvas &canvas = m_printer.Canvas();
    if (band->altColor() && band->takeAlternateFill()) {
        canvas.setBrushColor(band->color());
        canvas.fillRect(gdiRect(left, top, right, bottom));
    }
    const tClipMode clipMode = band->clipMode();
    for (tAlControl *control : band->controls()) {
        QRect rc = gdiRect(scaleX(control->x()), scaleY(control->y()), scaleX(control->x() + control->width()),
                           scaleY(control->y() + control->height()));
        if (auto *label = qobject_cast<TAlLabel *>(control))
            rc = label->measured(canvas, rc);
        rc.translate(left, top);
        const QRect bandRect = gdiRect(left, top, right, bottom);
        switch (clipMode) {
        case cm_Clip: {
            // Only the part inside the band; a control wholly outside prints nothing.
            const QRect part = bandRect.intersected(rc);
            if (!part.isEmpty())
                control->PrintControl(part);
            break;
        }
        case cm_Expand: {
            const QRect grown = bandRect.united(rc);
            left = grown.left();
            top = grown.top();
            right = grown.left() + grown.width();
            bottom = grown.top() + grown.height();
            control->PrintControl(rc);
            break;
        }
        case cm_Overwrite:
            control->PrintControl(rc);
            break;
        }
    }
    m_cursor = bottom + 1;
}

void ReportLayout::pageStart()
{
    if (!m_firstPage)
        m_printer.NewPage();
    m_firstPage = false;
    m_cursor = 0;
    for (tAlBand *header : std::as_const(m_pageHeaders))
        bandOutput(header);
}

void ReportLayout::pageEnd()
{
    m_cursor = m_bodyLimit;
    for (tAlBand *footer : std::as_const(m_pageFooters))
        bandOutput(footer);
}
