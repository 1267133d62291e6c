// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One layout of a report on printer pages: the band lists, the cursor (the printer line where
// the next band starts) and the body limit (the lowest line above the page footers). It
// lives for one print only.

#include <QList>
#include <QSet>

class TAlPrinter;
class tAlBand;

class ReportLayout
{
public:
    // A detail band whose controls keep answering that there is another record stops here.
    static constexpr int maxDetailOutputs = 1'000'000;

    // Margins in device pixels; the left one is measured from the paper's edge.
    ReportLayout(TAlPrinter &printer, int leftMargin, int rightMargin);

    // Lays out the window's bands (in the window's component order) onto the printer's pages.
    void run(const QList<tAlBand *> &bands);
    // The cursor after the last band, before the last page end moved it to the body limit.
    int cursorAfterBands() const { return m_cursorAfterBands; }

private:
    void sortIntoLists(const QList<tAlBand *> &bands);
    void detailBands(const QList<tAlBand *> &list, int detailNumber);
    void checkedOutput(tAlBand *band);
    void bandOutput(tAlBand *band);
    void pageStart();
    void pageEnd();
    int scaleX(int pixels) const;
    int scaleY(int pixels) const;

    TAlPrinter &m_printer;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    QList<tAlBand *> m_titles;
    QList<tAlBand *> m_pageHeaders;
    QList<tAlBand *> m_detailHeaders;
    QList<tAlBand *> m_details;
    QList<tAlBand *> m_detailFooters;
    QList<tAlBand *> m_pageFooters;
    QList<tAlBand *> m_reportFooters;
    // Bands whose checked output is running: a band named as its own group header does
    // not start itself again.
    QSet<tAlBand *> m_inOutput;
    int m_cursor = 0;
    int m_bodyLimit = 0;
    bool m_firstPage = true;
    int m_cursorAfterBands = 0;
};
