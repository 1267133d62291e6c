// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The iCalendar objects of the sync (RFC 5545), written and read with libical: one VTODO a
// due item, and what the program needs to know of a task a server sends back.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

struct TaskFields
{
    QString uid;
    QString summary;     // the item's name
    QDate due;           // DUE;VALUE=DATE
    QString description; // "Bought every 7 days"
    bool completed = false;
    QDateTime completedAt; // COMPLETED (UTC), with completed only
    QDateTime stamp;       // DTSTAMP (and LAST-MODIFIED)
};

// A VCALENDAR holding one VTODO: UID, DTSTAMP, SUMMARY, DUE (date only), DESCRIPTION,
// CATEGORIES:Pantrova, and STATUS:NEEDS-ACTION, or STATUS:COMPLETED with COMPLETED and
// PERCENT-COMPLETE:100. Text is escaped by libical; the result is UTF-8 with CRLF lines.
QByteArray writeTask(const TaskFields &task);

struct ReadTask
{
    QString uid;
    bool completed = false; // STATUS:COMPLETED, or a COMPLETED property
    // The local date of the COMPLETED time (a UTC, TZID or floating time); invalid when the
    // task is completed without a time.
    QDate completedDate;
    bool ours = false; // CATEGORIES holds "Pantrova"
};
// The first VTODO of the calendar object; nothing when the bytes are not an iCalendar object
// with a VTODO (the caller treats that as a malformed answer). Summaries of any length are
// read without harm.
std::optional<ReadTask> readTask(const QByteArray &ics);
