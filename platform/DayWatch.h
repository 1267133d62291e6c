// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the local date has changed while the program runs: a single-shot timer to the
// next midnight, re-armed each day, plus a check when the machine wakes from sleep (whose
// time the timer does not count) and whenever the owner asks. No polling loop.

#include <QDate>
#include <QObject>

class QTimer;

class DayWatch : public QObject
{
    Q_OBJECT

public:
    explicit DayWatch(QObject *parent = nullptr);

    // Compares the clock's date with the last one seen; a new date emits dayChanged once.
    void check();

signals:
    void dayChanged(QDate today);

private slots:
    void sleepChanged(bool goingToSleep);

private:
    void arm();

    QTimer *m_timer = nullptr;
    QDate m_seen;
};
