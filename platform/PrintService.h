// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's printer service (CUPS): the default printer's page, and print jobs. A job is a
// finished PDF handed over with the "lp" command, whose answer tells whether the service took
// the job; QPrinter alone would drop that answer and report every job done.
// lookUp() and submit() may wait for the service; they are meant for a thread of their own
// (OffThread), so a service that hangs never holds up the windows.
// Tests answer in place of the service through setTestMode() and read the jobs handed over.

#include "platform/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <QString>

class PrintService
{
public:
    // What CUPS says of the default printer; what it does not say stays empty or zero.
    struct Printer
    {
        QString name;
        QSizeF paperMM;      // the default paper
        QMarginsF marginsMM; // the unprintable border of that paper
        int dotsPerInch = 0;
        bool paused = false;
    };
    // How long a job may take to reach the service before it counts as not answering.
    static constexpr int AnswerLimitMs = 5000;

    // Asks the service for the default printer; waits as long as the service takes.
    static Printer lookUp();
    // The printer's page, its paper and printable area where the service has told them, else
    // the page a PDF has always had: the locale's paper (A4, or Letter in the US) with a 10 pt
    // border, at 1200 dots per inch.
    static QPageLayout page(const Printer &target);
    static int dotsPerInch(const Printer &target);
    // Hands the PDF to the default printer as a job with this title. Succeeds when the service
    // has taken the job, else says what went wrong in plain words; a service that has not
    // answered within AnswerLimitMs is told so and the job withdrawn.
    static Outcome<> submit(const QString &pdfPath, const QString &title);
    // The words for a service that has not answered at all.
    static QString notAnswering();

    struct Job
    {
        QString title;
        QByteArray pdf;
    };
    // Test hooks: the service is not asked, not even for the default printer; jobs are
    // recorded and answered with the next queued error (none, or an empty one: taken).
    static void setTestMode(bool on);
    static void setNextError(const QString &error);
    static const QList<Job> &jobs();
};
