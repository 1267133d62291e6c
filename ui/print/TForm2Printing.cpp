// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the check list: the report engine draws the band into a PDF file laid out as the
// default printer's page (a PDF writer of its own: a QPrinter would ask the service for the
// default printer as soon as it is made), and the printer service takes that PDF as the job.
// When the service does not take it, the user learns why and can keep the same page as a PDF
// file. Every question to the service runs off the window's thread with a time limit, so a
// service that hangs leaves the windows painting and ends in a message instead.

#include "ui/print/TForm2.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/OffThread.h"
#include "report/ReportError.h"
#include "report/TAlPrinter.h"
#include "report/TAlReport.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {
const QString PdfName = QStringLiteral("Inventory.pdf");

// Copies a finished file in one step: the target is complete or untouched.
Outcome<> copyWhole(const QString &from, const QString &to)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)
        || target.write(source.readAll()) != source.size() || !target.commit())
        return Outcome<>::failed(QStringLiteral("Cannot write %1: %2").arg(to, target.errorString()));
    return {};
}

// A name typed without a suffix gets ".pdf"; one with a suffix of its own keeps it.
QString withPdfSuffix(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".pdf") : path;
}
} // namespace

bool TForm2::printCheckList()
{
    const std::optional<PrintService::Printer> looked =
        OffThread::run(&PrintService::lookUp, PrintService::AnswerLimitMs);
    const PrintService::Printer target = looked.value_or(PrintService::Printer{});
    QTemporaryDir folder;
    const QString pdf = folder.filePath(PdfName);
    Outcome<> printed;
    if (!looked)
        printed = Outcome<>::failed(PrintService::notAnswering());
    else if (!folder.isValid())
        printed =
            Outcome<>::failed(QStringLiteral("No temporary folder for the print job: %1").arg(folder.errorString()));
    else
        printed = writePdf(pdf, target);
    if (printed) {
        const QString title = report()->reportTitle();
        // lp gives up within the service's limit; the wait here only adds a margin to that.
        printed = OffThread::run([pdf, title] { return PrintService::submit(pdf, title); },
                                 PrintService::AnswerLimitMs + 1000)
                      .value_or(Outcome<>::failed(PrintService::notAnswering()));
    }
    if (!printed) {
        offerPdf(printed.message(), target);
        return false;
    }
    if (target.paused)
        MessageBox::information(
            this, QStringLiteral("The list waits in the queue of printer %1, which is paused.").arg(target.name));
    return true;
}

Outcome<> TForm2::writePdf(const QString &path, const PrintService::Printer &target)
{
    // The report engine's exceptions end here, turned into the message the user is shown.
    try {
        TAlPrinter::shared().setPdfOutput(path, PrintService::page(target), PrintService::dotsPerInch(target));
        report()->Print(TAlPrinter::Mode::PdfFile);
    } catch (const ReportError &error) {
        return Outcome<>::failed(error.message());
    }
    return {};
}

void TForm2::offerPdf(const QString &problem, const PrintService::Printer &target)
{
    const QString text = QStringLiteral("The check list was not printed.\n\n%1").arg(problem);
    if (MessageBox::errorWithOffer(this, text, QStringLiteral("Save as PDF...")) != MessageBox::Answer::Yes)
        return;
    QString path = FileDialog::saveFileName(this, QStringLiteral("Save as PDF"), FileDialog::inDocuments(PdfName),
                                            QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    path = withPdfSuffix(path);
    // The engine writes into a fresh file first, so a failure leaves the chosen file untouched.
    QTemporaryDir folder;
    const QString made = folder.filePath(PdfName);
    Outcome<> written = folder.isValid() ? writePdf(made, target) : Outcome<>::failed(folder.errorString());
    if (written)
        written = copyWhole(made, path);
    if (!written)
        MessageBox::error(this, QStringLiteral("The PDF file was not written.\n\n%1").arg(written.message()));
}
