// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's printer service (CUPS): the page set up for the default printer, and print
// jobs. A job is a finished PDF handed over with the "lp" command, whose answer tells whether
// the service took the job; QPrinter alone would drop that answer and report every job done.
// Tests answer in place of the service through setTestMode() and read the jobs handed over.

#include <QByteArray>
#include <QList>
#include <QString>

class QPrinter;

class PrintService
{
public:
    // Sets the printer up with the default printer's paper (the system's default paper when
    // there is no printer), writing its pages into a PDF file.
    static void setUpPdf(QPrinter &printer, const QString &pdfPath);
    // Hands the PDF to the default printer as a job with this title. Returns what went wrong
    // in plain words, or an empty text when the service has taken the job.
    static QString submit(const QString &pdfPath, const QString &title);

    struct Job
    {
        QString title;
        QByteArray pdf;
    };
    // Test hooks: the service is not asked, not even for the default printer; jobs are
    // recorded and answered with the next queued error (none: taken).
    static void setTestMode(bool on);
    static void setNextError(const QString &error);
    static const QList<Job> &jobs();
};
