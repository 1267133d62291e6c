// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the check list: the report engine draws the band into a PDF laid out for the
// default printer's paper, and the printer service takes that PDF as the job. When the service
// does not take it, the user learns why and can keep the same page as a PDF file.

#include "ui/print/TForm2.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PrintService.h"
#include "report/ReportError.h"
#include "report/TAlPrinter.h"
#include "report/TAlReport.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {
const QString PdfName = QStringLiteral("Inventory.pdf");

// Copies a finished file in one step: the target is complete or untouched.
QString copyWhole(const QString &from, const QString &to)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)
        || target.write(source.readAll()) != source.size() || !target.commit())
        return QStringLiteral("Cannot write %1: %2").arg(to, target.errorString());
    return QString();
}
} // namespace

bool TForm2::printCheckList()
{
    QTemporaryDir folder;
    QString problem;
    const QString pdf = folder.filePath(PdfName);
    if (!folder.isValid())
        problem = QStringLiteral("No temporary folder for the print job: %1").arg(folder.errorString());
    if (problem.isEmpty())
        problem = writePdf(pdf);
    if (problem.isEmpty())
        problem = PrintService::submit(pdf, report()->reportTitle());
    if (problem.isEmpty())
        return true;
    offerPdf(problem);
    return false;
}

QString TForm2::writePdf(const QString &path)
{
    PrintService::setUpPdf(TAlPrinter::shared().printer(), path);
    try {
        report()->Print();
    } catch (const ReportError &error) {
        return error.message();
    }
    return QString();
}

void TForm2::offerPdf(const QString &problem)
{
    const QString text = QStringLiteral("The check list was not printed.\n\n%1").arg(problem);
    if (MessageBox::errorWithOffer(this, text, QStringLiteral("Save as PDF...")) != MessageBox::Answer::Yes)
        return;
    const QString path = FileDialog::saveFileName(this, QStringLiteral("Save as PDF"), FileDialog::inDocuments(PdfName),
                                                  QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    // The engine writes into a fresh file first, so a failure leaves the chosen file untouched.
    QTemporaryDir folder;
    const QString made = folder.filePath(PdfName);
    QString error = folder.isValid() ? writePdf(made) : folder.errorString();
    if (error.isEmpty())
        error = copyWhole(made, path);
    if (!error.isEmpty())
        MessageBox::error(this, QStringLiteral("The PDF file was not written.\n\n%1").arg(error));
}
