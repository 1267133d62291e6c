// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of a window: it collects the window's bands, sorts them by type and position and
// lays them out on printer pages, scaling screen pixels to the printer's resolution.
//
// How a window uses it:
//     auto *report = new TAlReport(form);          // form: a top-level QWidget (a window)
//     auto *band = new tAlBand(form);              // bands lie on the window itself
//     band->setGeometry(0, 0, 813, 475);           // screen pixels at 96 per inch
//     band->setBandType(alr_Title);
//     auto *label = new TAlLabel(band);            // controls lie on a band, in print order
//     label->setGeometry(44, 16, 43, 16);
//     label->setCaption(name);
//     label->setFont({QStringLiteral("Arial"), -13, SystemColor::WindowText});
//     auto *box = new TAlShape(band);
//     box->setGeometry(25, 17, 14, 14);
//     box->setPen({0, 4, PenStyle::Solid});
//     report->setReportTitle(QStringLiteral("Inventory"));
//     report->setLeftMarginMM(103);                // taken only inside 0 .. paper width - 1 mm
//
// Printing on paper or into a PDF file: configure TAlPrinter::shared().printer() (printer
// name, or QPrinter::PdfFormat with an output file name), then call report->Print(); or give
// TAlPrinter::shared().setPdfOutput() a file and a page, then report->Print(Mode::PdfFile). For a
// preview: report->Print(TAlPrinter::Mode::PageStore), then TAlPrinter::shared().pages() holds
// one QPicture per page; setPageStoreDevice() chooses its resolution and printable offset.
//
// Errors: Print() throws a ReportError (an AppError: message()) when the printer service
// cannot start or finish the job; no job is left open and nothing is retried. The caller
// shows the message. Creating a band or control on a wrong parent throws a ReportError too.

#include "report/ReportTypes.h"
#include "report/TAlPrinter.h"

#include <QObject>
#include <QString>

class QWidget;

class TAlReport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TPrinterOrientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(tPapersize Papersize READ papersize WRITE setPapersize)
    Q_PROPERTY(int LeftMarginMM READ leftMarginMM WRITE setLeftMarginMM)
    Q_PROPERTY(int RightMarginMM READ rightMarginMM WRITE setRightMarginMM)
    Q_PROPERTY(QString ReportTitle READ reportTitle WRITE setReportTitle)

public:
    // The owner must be a window; its components are the report's bands and controls.
    explicit TAlReport(QWidget *owner);

    QWidget *ownerWindow() const;

    TPrinterOrientation orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation orientation);
    tPapersize papersize() const { return m_papersize; }
    void setPapersize(tPapersize papersize);
    // A margin is taken only inside 0 .. the paper's portrait width in millimetres - 1;
    // any other value is ignored and the previous margin stays.
    int leftMarginMM() const { return m_leftMarginMM; }
    void setLeftMarginMM(int millimetres);
    int rightMarginMM() const { return m_rightMarginMM; }
    void setRightMarginMM(int millimetres);
    const QString &reportTitle() const { return m_reportTitle; }
    void setReportTitle(const QString &title) { m_reportTitle = title; }

    // Prints the report through the shared printer in the given mode; throws ReportError
    // when the printer service fails.
    void Print(TAlPrinter::Mode mode = TAlPrinter::Mode::Printer);
    // The printer line under the last band of the last print: how much of its last page the
    // report used.
    int cursorAfterBands() const { return m_cursorAfterBands; }

private:
    bool marginFits(int millimetres) const;

    TPrinterOrientation m_orientation = poPortrait;
    tPapersize m_papersize = alr_A4;
    int m_leftMarginMM = 0;
    int m_rightMarginMM = 0;
    QString m_reportTitle;
    int m_cursorAfterBands = 0;
};
