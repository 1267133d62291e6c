// SPDX-License-Identifier: GPL-3.0-or-later
// Sync benchmark: a first sync of 100 due items (100 tasks made on the server) and a sync of
// the unchanged list after it, each timed, with the longest stall of the event loop meanwhile
// (a timer ticks every 5 ms; the longest gap between two ticks is what a window would show).
// Run by bench/sync, which starts a Radicale server and makes the task list, and a server that
// answers every request after 5 s (with fewer items):
//   bench_sync <data folder> <task list url> <user> <password> [items (default 100)]

#include "bench/Timing.h"
#include "core/DataFolder.h"
#include "core/RecordLine.h"
#include "sync/FolderInventory.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
struct Run
{
    double totalMs = 0;
    double longestGapMs = 0;
    SyncEngine::Result result;
};

Run measure(SyncEngine &engine)
{
    Run run;
    StallWatch watch;
    engine.run([&](const SyncEngine::Result &result) {
        run.result = result;
        run.totalMs = watch.elapsedMs();
        run.longestGapMs = watch.longestGapMs();
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    return run;
}

// Tracked items, all due today, in the first slots.
void fillFolder(const QString &folder, int count)
{
    const QDate today = QDate::currentDate();
    QStringList records;
    QStringList names;
    QList<ColorValue> colors;
    for (int slot = 1; slot <= DataFolder::Slots; ++slot) {
        records.append(slot <= count
                           ? today.addDays(-7).toString(QStringLiteral("MM/dd/yyyy")) + QStringLiteral(" 1 007 3")
                           : RecordLine::Empty);
        names.append(slot <= count ? QStringLiteral("Item %1").arg(slot) : QString());
        colors.append(FieldColor::Silver);
    }
    DataFolder data(folder);
    data.saveRecords(TextLines(records));
    data.saveNames(names);
    data.saveColors(colors);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: bench_sync <data folder> <task list url> <user> <password> [items]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = argc == 6 ? std::clamp(std::atoi(argv[5]), 1, DataFolder::Slots) : DataFolder::Slots;
    QDir().mkpath(folder);
    fillFolder(folder, count);
    SyncSettings settings{QUrl(QString::fromLocal8Bit(argv[2])), QString::fromLocal8Bit(argv[3]),
                          SyncSettings::newFolderId()};
    settings.write(folder);
    const QString password = QString::fromLocal8Bit(argv[4]);

    FolderInventory inventory(folder, QDate::currentDate());
    SyncEngine engine(folder, inventory,
                      [password](const SyncSettings &, QObject *, auto answer) { answer(password, QString()); });
    const QString first = QStringLiteral("first sync, %1 new tasks").arg(count);
    for (const QString &name : {first, QStringLiteral("unchanged list")}) {
        const Run run = measure(engine);
        std::printf("%-28s %8.1f ms, longest event-loop stall %6.1f ms, %d tasks, %s\n", qPrintable(name), run.totalMs,
                    run.longestGapMs, run.result.tasks,
                    run.result.ok ? "ok" : qPrintable(QStringLiteral("failed: ") + run.result.error));
        if (!run.result.ok)
            return 1;
    }
    return 0;
}
