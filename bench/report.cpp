// SPDX-License-Identifier: GPL-3.0-or-later
// Report benchmark: laying out and drawing the print dialog's check list (100 names and 100
// tick boxes on one title band) at 600 dpi into the page store, against the same 100 texts
// and 100 rectangles drawn straight with QPainter onto a QPicture in the same run. Prints
// both medians and their ratio. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_report [rounds]

#include "bench/Timing.h"
#include "platform/GdiFont.h"
#include "report/ReportTypes.h"
#include "report/TAlPrinter.h"
#include "tests/report/CheckListReport.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cstdio>

namespace {
// The same texts and boxes at the places the engine computes, without the engine.
void drawStraight(const CheckListReport &checkList)
{
    QPicture picture;
    QPainter painter(&picture);
    QFont font = toQFont({QStringLiteral("Arial"), -83, 0});
    painter.setFont(font);
    for (const TAlLabel *label : checkList.labels) {
        const QRect at(scaleToPrinter(label->x(), 600), scaleToPrinter(label->y(), 600), 2000, 200);
        painter.setPen(Qt::black);
        painter.drawText(at, Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, label->caption());
    }
    painter.setPen(QPen(Qt::black, 4));
    painter.setBrush(Qt::white);
    for (const TAlShape *box : checkList.boxes)
        painter.drawRect(scaleToPrinter(box->x(), 600), scaleToPrinter(box->y(), 600), 87, 87);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;

    QWidget form;
    CheckListReport checkList(form);
    QStringList names;
    for (int i = 1; i <= 100; ++i)
        names.append(QStringLiteral("Item number %1").arg(i));
    checkList.fill(names);
    TAlPrinter &printer = TAlPrinter::shared();
    printer.setPageStoreDevice({600, 600, {75, 75}});

    std::vector<double> engine;
    std::vector<double> straight;
    for (int round = 0; round < rounds; ++round) {
        engine.push_back(timed([&] { checkList.report->Print(TAlPrinter::Mode::PageStore); }));
        straight.push_back(timed([&] { drawStraight(checkList); }));
    }
    if (printer.pages().size() != 1)
        qFatal("the check list did not print on one page");
    const double e = median(engine);
    const double s = median(straight);
    std::printf("engine (200 controls, 600 dpi, page store): median %.3f ms\n", e);
    std::printf("straight QPainter onto a QPicture:         median %.3f ms\n", s);
    std::printf("ratio engine / straight: %.2f\n", e / s);
    return 0;
}
