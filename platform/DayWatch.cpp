// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DayWatch.h"

#include "platform/Clock.h"

#include <QDBusConnection>
#include <QDateTime>
#include <QTimer>

DayWatch::DayWatch(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_seen(Clock::today())
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::VeryCoarseTimer);
    connect(m_timer, &QTimer::timeout, this, &DayWatch::check);
    arm();
    // The login manager announces sleep and wake-up; without it the timer alone keeps watch.
    // Connecting waits for the bus, so it happens once the program is up, not during start-up.
    QTimer::singleShot(0, this, [this] {
        QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"),
                                             QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.login1.Manager"),
                                             QStringLiteral("PrepareForSleep"), this, SLOT(sleepChanged(bool)));
    });
}

void DayWatch::check()
{
    const QDate today = Clock::today();
    arm();
    if (today == m_seen)
        return;
    m_seen = today;
    emit dayChanged(today);
}

void DayWatch::sleepChanged(bool goingToSleep)
{
    if (!goingToSleep)
        check();
}

void DayWatch::arm()
{
    // A second past midnight, so that the date has surely moved on when the timer fires.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime next(now.date().addDays(1), QTime(0, 0, 1));
    m_timer->start(int(qBound(qint64(1000), now.msecsTo(next), qint64(25 * 3600 * 1000))));
}
