// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlPrinter.h"

#include "platform/GdiCanvas.h"
#include "report/ReportError.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {
TAlPrinter *sharedPrinter = nullptr;

void releaseSharedPrinter()
{
    delete sharedPrinter;
    sharedPrinter = nullptr;
}
} // namespace

TAlPrinter &TAlPrinter::shared()
{
    if (!sharedPrinter) {
        sharedPrinter = new TAlPrinter;
        // The QPrinter inside must go before the application does.
        if (QCoreApplication::instance())
            qAddPostRoutine(releaseSharedPrinter);
    }
    return *sharedPrinter;
}

TAlPrinter::TAlPrinter() = default;

TAlPrinter::~TAlPrinter()
{
    if (printing())
        abortDoc();
}

void TAlPrinter::setMode(Mode mode)
{
    if (printing())
        throw ReportError(QStringLiteral("The printer mode cannot change while a document is printed"));
    m_mode = mode;
}

QPrinter &TAlPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TAlPrinter::setPdfOutput(const QString &path, const QPageLayout &page, int dotsPerInch)
{
    if (printing())
        throw ReportError(QStringLiteral("The PDF file cannot change while a document is printed"));
    m_pdfPath = path;
    m_pdfWriter = std::make_unique<QPdfWriter>(path);
    m_pdfWriter->setResolution(dotsPerInch);
    m_pdfWriter->setPageLayout(page);
    m_pdfWriter->setCreator(QCoreApplication::applicationName());
}

QPagedPaintDevice &TAlPrinter::device()
{
    if (m_mode == Mode::PdfFile) {
        if (!m_pdfWriter)
            throw ReportError(QStringLiteral("No PDF file is chosen for the report"));
        return *m_pdfWriter;
    }
    return printer();
}

void TAlPrinter::setPageStoreDevice(const PageStoreDevice &device)
{
    m_device = device;
    if (m_mode == Mode::PageStore)
        UpdateMetrics();
}

void TAlPrinter::SetOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    if (m_mode != Mode::PageStore)
        device().setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    UpdateMetrics();
}

void TAlPrinter::SetTitle(const QString &title)
{
    m_title = title;
    if (m_mode == Mode::Printer)
        printer().setDocName(title);
    else if (m_mode == Mode::PdfFile && m_pdfWriter)
        m_pdfWriter->setTitle(title);
}

void TAlPrinter::UpdateMetrics()
{
    if (m_mode != Mode::PageStore) {
        QPagedPaintDevice &paged = device();
        m_pixelsPerInchX = paged.logicalDpiX();
        m_pixelsPerInchY = paged.logicalDpiY();
        const QPageLayout layout = paged.pageLayout();
        const QRect paper = layout.fullRectPixels(m_pixelsPerInchX);
        const QRect page = layout.paintRectPixels(m_pixelsPerInchX);
        m_printingOffset = page.topLeft() - paper.topLeft();
        m_physicalPageSize = paper.size();
        m_pageHeight = page.height();
        m_printableWidth = page.width();
        return;
    }
    m_pixelsPerInchX = m_device.pixelsPerInchX;
    m_pixelsPerInchY = m_device.pixelsPerInchY;
    m_printingOffset = m_device.printingOffset;
    QSize mm = paperSizeMM(m_paperSize);
    if (m_orientation == poLandscape)
        mm.transpose();
    m_physicalPageSize = {qRound(mm.width() * m_pixelsPerInchX / 25.4), qRound(mm.height() * m_pixelsPerInchY / 25.4)};
    m_pageHeight = m_physicalPageSize.height() - 2 * m_printingOffset.y();
    m_printableWidth = m_physicalPageSize.width() - 2 * m_printingOffset.x();
}

void TAlPrinter::BeginDoc()
{
    if (printing())
        throw ReportError(QStringLiteral("A document is already being printed"));
    m_pageNumber = 0;
    if (m_mode == Mode::PageStore) {
        m_pages.clear();
        UpdateMetrics();
        openStoredPage();
        return;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device())) {
        QString target;
        if (m_mode == Mode::PdfFile)
            target = m_pdfPath;
        else
            target =
                printer().outputFormat() == QPrinter::PdfFormat ? printer().outputFileName() : printer().printerName();
        throw ReportError(QStringLiteral("The printer \"%1\" could not start the print job").arg(target));
    }
    m_painter = std::move(painter);
    m_pageNumber = 1;
    openCanvas();
}

void TAlPrinter::EndDoc()
{
    if (!printing())
        return;
    m_canvas.reset();
    if (m_mode == Mode::PageStore) {
        closeStoredPage();
        return;
    }
    const bool ended = m_painter->end();
    m_painter.reset();
    const bool failed =
        m_mode == Mode::Printer
        && (printer().printerState() == QPrinter::Error || printer().printerState() == QPrinter::Aborted);
    if (!ended || failed)
        throw ReportError(QStringLiteral("The print job \"%1\" could not be finished").arg(m_title));
}

void TAlPrinter::abortDoc()
{
    m_canvas.reset();
    if (m_mode == Mode::Printer && m_printer && m_painter) {
        m_printer->abort();
        m_painter->end();
    } else if (m_mode == Mode::PdfFile && m_painter) {
        m_painter->end();
    }
    m_painter.reset();
    m_page.reset();
}

void TAlPrinter::NewPage()
{
    if (!printing())
        throw ReportError(QStringLiteral("AlPrinter could not assign the Canvas"));
    if (m_mode == Mode::PageStore) {
        m_canvas.reset();
        closeStoredPage();
        openStoredPage();
        return;
    }
    if (!device().newPage())
        throw ReportError(QStringLiteral("The printer could not start page %1").arg(m_pageNumber + 1));
    ++m_pageNumber;
}

GdiCanvas &TAlPrinter::Canvas()
{
    if (!m_canvas)
        throw ReportError(QStringLiteral("AlPrinter could not assign the Canvas"));
    return *m_canvas;
}

// A stored page is the paper at the store's resolution; drawing starts at the printable area.
void TAlPrinter::openStoredPage()
{
    m_page = std::make_unique<QPicture>();
    m_page->setBoundingRect(QRect(QPoint(0, 0), m_physicalPageSize).translated(-m_printingOffset));
    m_painter = std::make_unique<QPainter>(m_page.get());
    ++m_pageNumber;
    openCanvas();
}

void TAlPrinter::closeStoredPage()
{
    m_painter->end();
    m_painter.reset();
    m_pages.append(*m_page);
    m_page.reset();
}

void TAlPrinter::openCanvas()
{
    m_canvas = m_canvasFactory ? m_canvasFactory(*m_painter) : std::make_unique<GdiCanvas>(*m_painter);
}
