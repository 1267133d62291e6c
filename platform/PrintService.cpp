// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrintService.h"

#include "platform/CupsLibrary.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>

#include <mutex>

namespace {
struct State
{
    std::mutex lock;
    bool testMode = false;
    QList<QString> errors;
    QList<PrintService::Job> jobs;
};

State &state()
{
    static State s;
    return s;
}

bool inTestMode()
{
    State &s = state();
    const std::lock_guard guard(s.lock);
    return s.testMode;
}

struct Run
{
    bool started = false;
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

Run run(const QString &program, const QStringList &arguments, int limitMs)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    result.started = process.waitForStarted();
    if (!result.started)
        return result;
    // lp returns once the scheduler holds a copy of the file, not when the page is printed.
    result.finished = process.waitForFinished(limitMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    result.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return result;
}

// lp's answer without the command's name (as lp was called, "/usr/bin/lp:" too) and its
// "Error - " prefix.
QString plainAnswer(QString text)
{
    static const QRegularExpression command(QStringLiteral("^(\\S*/)?lp:\\s*"));
    text.remove(command);
    if (text.startsWith(QStringLiteral("Error -")))
        text = text.mid(7).trimmed();
    return text;
}

bool anyPrinter()
{
    const CupsLibrary &cups = CupsLibrary::get();
    if (!cups.loaded())
        return false;
    cups_dest_t *dests = nullptr;
    const int count = cups.getDests2(CUPS_HTTP_DEFAULT, &dests);
    cups.freeDests(count, dests);
    return count > 0;
}

// Without a default destination lp says only that; the printer list and the scheduler tell
// the user which of the three cases it is.
QString withoutDefaultDestination()
{
    if (anyPrinter())
        return QStringLiteral("No default printer is chosen.");
    const Run scheduler = run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, PrintService::AnswerLimitMs);
    if (scheduler.started && scheduler.output.contains(QStringLiteral("not running")))
        return QStringLiteral("The printing service (CUPS) is not running.");
    return QStringLiteral("No printer is installed.");
}

// The default paper and its printable area, and the default resolution, as the printer
// describes them; sizes come in hundredths of a millimetre.
void readPage(const CupsLibrary &cups, cups_dest_t *dest, PrintService::Printer &printer)
{
    cups_dinfo_t *info = cups.copyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (!info)
        return;
    // The printer's own default medium first: the library's default medium may be the
    // locale's paper instead.
    cups_size_t size{};
    ipp_attribute_t *medium = cups.findDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media");
    const char *mediumName = medium ? cups.ippGetString(medium, 0, nullptr) : nullptr;
    const bool sized = (mediumName && cups.getDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, mediumName, 0, &size))
                       || cups.getDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size);
    if (sized && size.width > 0 && size.length > 0) {
        printer.paperMM = QSizeF(size.width / 100.0, size.length / 100.0);
        printer.marginsMM = QMarginsF(size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0);
    }
    if (ipp_attribute_t *resolution = cups.findDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
        int vertical = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int horizontal = cups.ippGetResolution(resolution, 0, &vertical, &units);
        // One resolution for both directions: the report engine scales both alike.
        const int dots = qMin(horizontal, vertical);
        printer.dotsPerInch = units == IPP_RES_PER_CM ? qRound(dots * 2.54) : dots;
    }
    cups.freeDestInfo(info);
}
} // namespace

PrintService::Printer PrintService::lookUp()
{
    Printer printer;
    const CupsLibrary &cups = CupsLibrary::get();
    if (inTestMode() || !cups.loaded())
        return printer;
    cups_dest_t *dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return printer;
    printer.name = QString::fromLocal8Bit(dest->name);
    // IPP printer-state 5: stopped; it still takes jobs and keeps them queued.
    printer.paused = qstrcmp(cups.getOption("printer-state", dest->num_options, dest->options), "5") == 0;
    readPage(cups, dest, printer);
    cups.freeDests(1, dest);
    return printer;
}

QPageLayout PrintService::page(const Printer &target)
{
    if (!target.paperMM.isEmpty())
        return QPageLayout(QPageSize(target.paperMM, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                           QPageLayout::Portrait, target.marginsMM, QPageLayout::Millimeter);
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

int PrintService::dotsPerInch(const Printer &target)
{
    return target.dotsPerInch > 0 ? target.dotsPerInch : 1200;
}

Outcome<> PrintService::submit(const QString &pdfPath, const QString &title)
{
    State &s = state();
    {
        const std::lock_guard guard(s.lock);
        if (s.testMode) {
            QFile file(pdfPath);
            s.jobs.append({title, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()});
            const QString error = s.errors.isEmpty() ? QString() : s.errors.takeFirst();
            return error.isEmpty() ? Outcome<>() : Outcome<>::failed(error);
        }
    }

    const Run lp =
        run(QStringLiteral("lp"), {QStringLiteral("-t"), title, QStringLiteral("--"), pdfPath}, AnswerLimitMs);
    if (!lp.started)
        return Outcome<>::failed(
            QStringLiteral("The printing service is not installed (the command lp was not found)."));
    if (!lp.finished)
        return Outcome<>::failed(notAnswering());
    if (lp.exitCode == 0)
        return {};
    if (lp.errors.contains(QStringLiteral("No default destination")))
        return Outcome<>::failed(withoutDefaultDestination());
    if (lp.errors.isEmpty())
        return Outcome<>::failed(QStringLiteral("The printing service did not take the job."));
    return Outcome<>::failed(QStringLiteral("The printer did not take the job: %1").arg(plainAnswer(lp.errors)));
}

QString PrintService::notAnswering()
{
    return QStringLiteral("The printing service (CUPS) does not answer.");
}

void PrintService::setTestMode(bool on)
{
    State &s = state();
    const std::lock_guard guard(s.lock);
    s.testMode = on;
    s.errors.clear();
    s.jobs.clear();
}

void PrintService::setNextError(const QString &error)
{
    State &s = state();
    const std::lock_guard guard(s.lock);
    s.errors.append(error);
}

const QList<PrintService::Job> &PrintService::jobs()
{
    return state().jobs;
}
