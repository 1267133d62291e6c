// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks share: the time a piece of work takes, and the median of the rounds.

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <vector>

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds the work takes.
template<typename Work> double timed(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The longest time the event loop stood still while it was watched: a timer ticks every 5 ms,
// and the longest gap between two ticks (or from the last tick to now) is what a window would
// show as a freeze.
class StallWatch
{
public:
    StallWatch()
    {
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { tick(); });
        m_ticker.start(5);
        m_clock.start();
    }
    // Milliseconds since the watch started.
    double elapsedMs() const { return m_clock.nsecsElapsed() / 1e6; }
    double longestGapMs()
    {
        tick();
        return m_longest / 1e6;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_lastTick);
        m_lastTick = now;
    }
    QElapsedTimer m_clock;
    QTimer m_ticker;
    qint64 m_lastTick = 0;
    qint64 m_longest = 0;
};
