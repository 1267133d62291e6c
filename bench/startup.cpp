// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark: creating, loading and first painting the main window with 100 named
// items, against a bare 854 x 590 QWidget in the same run. Prints both medians and their
// ratio, and the resident memory the main window adds. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_startup [rounds]

#include "bench/Timing.h"
#include "core/DataFolder.h"
#include "core/RecordLine.h"
#include "platform/MessageBox.h"
#include "ui/main/TAForm1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
QString makeDataFolder(const QTemporaryDir &dir)
{
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("system"));
    QDir().mkpath(folder);
    QStringList records;
    QStringList names;
    QList<ColorValue> colors;
    for (int slot = 1; slot <= 100; ++slot) {
        records.append(slot % 3 ? QStringLiteral("12/01/2026 1 %1 3").arg(slot % 40 + 1, 3, 10, QLatin1Char('0'))
                                : RecordLine::Empty);
        names.append(QStringLiteral("Item number %1").arg(slot));
        colors.append(slot % 7 ? FieldColor::Silver : FieldColor::Cream);
    }
    // Written by the program's own writer, as a close would leave them.
    DataFolder data(folder);
    data.saveRecords(TextLines(records));
    data.saveNames(names);
    data.saveColors(colors);
    return folder;
}

template<typename Make> double timeFirstPaint(Make make)
{
    decltype(make()) widget;
    QPixmap painted;
    // Rendering the whole window is its first paint; destroying it is not timed.
    const double ms = timed([&] {
        widget = make();
        widget->show();
        painted = widget->grab();
    });
    if (painted.isNull())
        qFatal("nothing was painted");
    return ms;
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    MessageBox::setTestMode(true);
    QTemporaryDir dir;
    const QString folder = makeDataFolder(dir);

    // The first window also loads the fonts and the style; its memory is measured here.
    const long before = residentKiB();
    auto window = std::make_unique<TAForm1>(folder);
    window->show();
    window->grab();
    const long after = residentKiB();
    window.reset();

    // One of each first, so that fonts and styles are loaded before timing.
    timeFirstPaint([&] { return std::make_unique<TAForm1>(folder); });
    timeFirstPaint([] {
        auto w = std::make_unique<QWidget>();
        w->resize(854, 590);
        return w;
    });

    std::vector<double> mainWindow;
    std::vector<double> bare;
    for (int i = 0; i < rounds; ++i) {
        mainWindow.push_back(timeFirstPaint([&] { return std::make_unique<TAForm1>(folder); }));
        bare.push_back(timeFirstPaint([] {
            auto w = std::make_unique<QWidget>();
            w->resize(854, 590);
            return w;
        }));
    }

    const double m = median(mainWindow);
    const double b = median(bare);
    std::printf("rounds: %d\n", rounds);
    std::printf("main window (100 items): median %.2f ms\n", m);
    std::printf("bare 854 x 590 QWidget:  median %.2f ms\n", b);
    std::printf("ratio main / bare:       %.1f\n", m / b);
    std::printf("resident memory added by the first main window (fonts and style included): %ld KiB\n", after - before);
    return 0;
}
