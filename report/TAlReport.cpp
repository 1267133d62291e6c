// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlReport.h"

#include "report/ReportError.h"
#include "report/ReportLayout.h"
#include "report/TAlField.h"
#include "report/tAlBand.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace {
QWidget *checkedWindow(QWidget *owner)
{
    if (!owner || !owner->isWindow())
        throw ReportError(QStringLiteral("Invalid class typecast"));
    return owner;
}
} // namespace

TAlReport::TAlReport(QWidget *owner)
    : QObject(checkedWindow(owner))
{
    // Bands lie at their design positions only when the window is not scrolled.
    if (auto *scrolled = qobject_cast<QAbstractScrollArea *>(owner)) {
        scrolled->horizontalScrollBar()->setValue(0);
        scrolled->verticalScrollBar()->setValue(0);
    }
    TAlPrinter::shared().setPaperSize(m_papersize);
}

QWidget *TAlReport::ownerWindow() const
{
    return qobject_cast<QWidget *>(parent());
}

void TAlReport::setOrientation(TPrinterOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    TAlPrinter::shared().SetOrientation(orientation);
}

void TAlReport::setPapersize(tPapersize papersize)
{
    if (papersize == m_papersize)
        return;
    m_papersize = papersize;
    TAlPrinter::shared().setPaperSize(papersize);
}

// The width of the paper in portrait, whatever the orientation.
bool TAlReport::marginFits(int millimetres) const
{
    return millimetres >= 0 && millimetres < paperSizeMM(m_papersize).width();
}

void TAlReport::setLeftMarginMM(int millimetres)
{
    if (marginFits(millimetres))
        m_leftMarginMM = millimetres;
}

void TAlReport::setRightMarginMM(int millimetres)
{
    if (marginFits(millimetres))
        m_rightMarginMM = millimetres;
}

void TAlReport::Print(TAlPrinter::Mode mode)
{
    TAlPrinter &printer = TAlPrinter::shared();
    printer.setMode(mode);
    printer.setPaperSize(m_papersize);
    printer.SetOrientation(m_orientation);
    printer.SetTitle(m_reportTitle);
    printer.BeginDoc();
    try {
        printer.UpdateMetrics();
        QWidget *owner = ownerWindow();
        for (TAlField *field : owner->findChildren<TAlField *>())
            field->FirstRecord();
        QList<tAlBand *> bands;
        for (QObject *child : owner->children()) {
            // Only bands of exactly this class; descendants are not printed.
            if (child->metaObject() == &tAlBand::staticMetaObject)
                bands.append(static_cast<tAlBand *>(child));
        }
        const int left = millimetresToPrinter(m_leftMarginMM, printer.pixelsPerInchX()) - printer.printingOffset().x();
        const int right = millimetresToPrinter(m_rightMarginMM, printer.pixelsPerInchX());
        ReportLayout layout(printer, left, right);
        layout.run(bands);
        m_cursorAfterBands = layout.cursorAfterBands();
    } catch (...) {
        printer.abortDoc();
        throw;
    }
    printer.EndDoc();
}
