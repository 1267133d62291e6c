// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one printer object that every report draws through. In printer mode it drives a
// QPrinter (a printer of the system, or a PDF file); in PDF-file mode it writes a PDF file laid
// out as a page it is given, without asking the printing service anything (a QPrinter asks it
// for the default printer as soon as it is made); in page-store mode it records every page as
// a QPicture, for a preview, for PDF output made later, and for the tests.

#include "report/ReportTypes.h"

#include <QList>
#include <QPicture>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class GdiCanvas;
class QPainter;
class QPageLayout;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

class TAlPrinter
{
public:
    enum class Mode { Printer, PdfFile, PageStore };

    // What the page store pretends to print on: the resolution and the printable offset in
    // device pixels. The page is the paper of the table at that resolution, and the
    // printable height leaves the offset at the top and at the bottom.
    struct PageStoreDevice
    {
        int pixelsPerInchX = screenPixelsPerInch;
        int pixelsPerInchY = screenPixelsPerInch;
        QPoint printingOffset;
    };

    // Makes the canvas of a page; the painter is open on the page and outlives the canvas.
    using CanvasFactory = std::function<std::unique_ptr<GdiCanvas>(QPainter &painter)>;

    // The shared object, created on first use and released when the application ends.
    static TAlPrinter &shared();

    TAlPrinter();
    ~TAlPrinter();
    TAlPrinter(const TAlPrinter &) = delete;
    TAlPrinter &operator=(const TAlPrinter &) = delete;

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    // The printer of printer mode; the caller chooses the printer or a PDF file on it.
    QPrinter &printer();
    // The file and the page of PDF-file mode: paper, printable area and resolution.
    void setPdfOutput(const QString &path, const QPageLayout &page, int dotsPerInch);
    void setPageStoreDevice(const PageStoreDevice &device);
    // Every page of the last document printed in page-store mode, drawn from the printable
    // area's top-left: a preview draws it moved by printingOffset() to place it on the paper.
    const QList<QPicture> &pages() const { return m_pages; }
    // Test hook: the canvas that draws each page (the plain canvas when none is set).
    void setCanvasFactory(CanvasFactory factory) { m_canvasFactory = std::move(factory); }

    TPrinterOrientation orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation);
    tPapersize paperSize() const { return m_paperSize; }
    void setPaperSize(tPapersize paper) { m_paperSize = paper; }
    const QString &title() const { return m_title; }
    void SetTitle(const QString &title);

    // A document: BeginDoc opens it with its first page; errors of the printer service
    // throw a ReportError and leave no job open.
    void BeginDoc();
    void EndDoc();
    // Ends the document without printing it, after an error during the layout.
    void abortDoc();
    void NewPage();
    bool printing() const { return m_painter != nullptr; }
    // The drawing surface of the current page; a ReportError outside a document.
    GdiCanvas &Canvas();
    int PageHeight() const { return m_pageHeight; }
    // The width of the printable area: nothing drawn right of it reaches the paper.
    int printableWidth() const { return m_printableWidth; }
    int PageNumber() const { return m_pageNumber; }
    void UpdateMetrics();

    int pixelsPerInchX() const { return m_pixelsPerInchX; }
    int pixelsPerInchY() const { return m_pixelsPerInchY; }
    QPoint printingOffset() const { return m_printingOffset; }
    QSize physicalPageSize() const { return m_physicalPageSize; }

private:
    void openStoredPage();
    void closeStoredPage();
    void openCanvas();

    Mode m_mode = Mode::PageStore;
    // The device of printer or PDF-file mode.
    QPagedPaintDevice &device();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPdfWriter> m_pdfWriter;
    QString m_pdfPath;
    PageStoreDevice m_device;
    QList<QPicture> m_pages;
    std::unique_ptr<QPicture> m_page;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<GdiCanvas> m_canvas;
    CanvasFactory m_canvasFactory;

    TPrinterOrientation m_orientation = poPortrait;
    tPapersize m_paperSize = alr_A4;
    QString m_title;
    QPoint m_printingOffset;
    QSize m_physicalPageSize;
    int m_pixelsPerInchX = screenPixelsPerInch;
    int m_pixelsPerInchY = screenPixelsPerInch;
    int m_pageHeight = 0;
    int m_printableWidth = 0;
    int m_pageNumber = 0;
};
