// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrintService.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>

namespace {
struct State
{
    bool testMode = false;
    QList<QString> errors;
    QList<PrintService::Job> jobs;
};

State &state()
{
    static State s;
    return s;
}

struct Run
{
    bool started = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    result.started = process.waitForStarted();
    if (!result.started)
        return result;
    // lp returns once the scheduler holds a copy of the file, not when the page is printed.
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    result.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return result;
}

// lp's answer without the command's name and its "Error - " prefix.
QString plainAnswer(QString text)
{
    for (const QString &prefix : {QStringLiteral("lp:"), QStringLiteral("Error -")}) {
        if (text.startsWith(prefix))
            text = text.mid(prefix.size()).trimmed();
    }
    return text;
}

// Without a default destination lp says only that; the printer list and the scheduler tell
// the user which of the three cases it is.
QString withoutDefaultDestination()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("No default printer is chosen.");
    const Run scheduler = run(QStringLiteral("lpstat"), {QStringLiteral("-r")});
    if (scheduler.started && scheduler.output.contains(QStringLiteral("not running")))
        return QStringLiteral("The printing service (CUPS) is not running.");
    return QStringLiteral("No printer is installed.");
}
} // namespace

void PrintService::setUpPdf(QPrinter &printer, const QString &pdfPath)
{
    const QString name = state().testMode ? QString() : QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        printer.setPrinterName(name);
        printer.setPageSize(info.defaultPageSize());
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
}

QString PrintService::submit(const QString &pdfPath, const QString &title)
{
    State &s = state();
    if (s.testMode) {
        QFile file(pdfPath);
        s.jobs.append({title, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()});
        return s.errors.isEmpty() ? QString() : s.errors.takeFirst();
    }

    const Run lp = run(QStringLiteral("lp"), {QStringLiteral("-t"), title, QStringLiteral("--"), pdfPath});
    if (!lp.started)
        return QStringLiteral("The printing service is not installed (the command lp was not found).");
    if (lp.exitCode == 0)
        return QString();
    if (lp.errors.contains(QStringLiteral("No default destination")))
        return withoutDefaultDestination();
    if (lp.errors.isEmpty())
        return QStringLiteral("The printing service did not take the job.");
    return QStringLiteral("The printer did not take the job: %1").arg(plainAnswer(lp.errors));
}

void PrintService::setTestMode(bool on)
{
    State &s = state();
    s.testMode = on;
    s.errors.clear();
    s.jobs.clear();
}

void PrintService::setNextError(const QString &error)
{
    state().errors.append(error);
}

const QList<PrintService::Job> &PrintService::jobs()
{
    return state().jobs;
}
