// SPDX-License-Identifier: GPL-3.0-or-later
// Print stall benchmark: how long the event loop stands still while the program asks the
// printing service for the default printer, the first step of every "Print". A timer ticks
// every 5 ms; the longest gap between two ticks is the stall a window would show. The look-up
// runs as "Print" runs it (OffThread, with the service's limit) and, with --direct, straight on
// the event loop's thread as before. Run by hand against a scheduler that hangs:
//   kill -STOP <cupsd pid>
//   CUPS_SERVER=<its socket> QT_QPA_PLATFORM=offscreen build/bench/bench_print_stall [--direct]

#include "bench/Timing.h"
#include "platform/OffThread.h"
#include "platform/PrintService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
struct Stall
{
    double totalMs = 0;
    double longestGapMs = 0;
    bool answered = false;
};

template<typename Work> Stall measure(Work work)
{
    Stall stall;
    QTimer::singleShot(0, [&] {
        StallWatch watch;
        stall.answered = work();
        stall.totalMs = watch.elapsedMs();
        stall.longestGapMs = watch.longestGapMs();
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    return stall;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool direct = QCoreApplication::arguments().contains(QStringLiteral("--direct"));
    const Stall stall = measure([direct] {
        if (direct)
            return !PrintService::lookUp().name.isEmpty();
        return OffThread::run(&PrintService::lookUp, PrintService::AnswerLimitMs).has_value();
    });
    std::printf("%s look-up: %s after %.0f ms; longest event-loop stall %.1f ms\n", direct ? "direct" : "off-thread",
                stall.answered ? "answered" : "gave up", stall.totalMs, stall.longestGapMs);
    // A look-up left running must not hold the program at its end.
    std::fflush(stdout);
    std::_Exit(0);
}
