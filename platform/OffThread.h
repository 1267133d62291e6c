// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that may block (a printer service that does not answer) runs on a thread of its own
// while the event loop goes on: windows repaint and timers fire, but clicks and keys wait until
// the work is over. The pointer shows that the program is busy meanwhile.

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

namespace OffThread {

// The work's result, or nothing when it has not finished within the limit; the work then
// ends on its own and its result is dropped, so it must own everything it uses.
template<typename Work> auto run(Work work, int limitMs) -> std::optional<decltype(work())>
{
    using Result = decltype(work());
    struct Shared
    {
        std::optional<Result> result;
        std::atomic<bool> done = false;
    };
    auto shared = std::make_shared<Shared>();
    QThread *thread = QThread::create([work = std::move(work), shared]() mutable {
        shared->result = work();
        shared->done.store(true, std::memory_order_release);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);

    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::restoreOverrideCursor();

    if (!shared->done.load(std::memory_order_acquire))
        return std::nullopt;
    return std::move(shared->result);
}

} // namespace OffThread
