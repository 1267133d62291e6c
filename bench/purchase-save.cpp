// SPDX-License-Identifier: GPL-3.0-or-later
// What a click on "P" costs now that it saves: the purchase, the atomic save of the changed
// files (each forced to the disk) and the history line, timed click by click on a data folder
// of 100 named items. Each round clicks the same red item twice: once bought (records,
// colours and history written), once back to due (colours only). Prints the median and the
// longest click of each kind. Run by hand, on the disk the data folder would live on:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_purchase_save [rounds] [folder for the data]

#include "bench/Timing.h"
#include "core/DataFolder.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "ui/main/TAForm1.h"
#include "widgets/THoverButton.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTemporaryDir dir(argc > 2 ? QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("bench-XXXXXX"))
                               : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("system"));
    QDir().mkpath(folder);
    Clock::setToday(QDate(2026, 12, 10));
    MessageBox::setTestMode(true);
    {
        QStringList records;
        QStringList names;
        for (int slot = 1; slot <= 100; ++slot) {
            records.append(QStringLiteral("11/30/2026 1 010 3"));
            names.append(QStringLiteral("Item number %1").arg(slot));
        }
        DataFolder data(folder);
        data.saveRecords(TextLines(records));
        data.saveNames(names);
        data.saveColors(QList<ColorValue>(100, FieldColor::Red));
    }

    TAForm1 window(folder);
    THoverButton *button = window.purchaseButton(17);
    std::vector<double> bought;
    std::vector<double> backToDue;
    for (int round = 0; round < rounds; ++round) {
        bought.push_back(timed([&] { button->OnClick(button); }));
        backToDue.push_back(timed([&] { button->OnClick(button); }));
    }
    const auto longest = [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("P, bought (records, colours, history): median %.3f ms, longest %.3f ms\n", median(bought),
                longest(bought));
    std::printf("P, back to due (colours):              median %.3f ms, longest %.3f ms\n", median(backToDue),
                longest(backToDue));
    std::printf("rounds: %d, data folder on: %s\n", rounds, qPrintable(dir.path()));
    return 0;
}
