// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks share: the time a piece of work takes, and the median of the rounds.

#include <QElapsedTimer>
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
