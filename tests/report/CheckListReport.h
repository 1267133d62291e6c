// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print dialog's report as the engine sees it: one title band of 813 x 475 screen pixels
// with 100 name labels and 100 tick boxes in four columns of 25 rows, on a Letter page.

#include "report/TAlLabel.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "report/tAlBand.h"

#include <QWidget>

struct CheckListReport
{
    explicit CheckListReport(QWidget &form)
    {
        report = new TAlReport(&form);
        report->setPapersize(alr_Letter);
        report->setReportTitle(QStringLiteral("Inventory"));
        band = new tAlBand(&form);
        band->setGeometry(0, 0, 813, 475);
        for (int k = 1; k <= 100; ++k) {
            const int column = (k - 1) / 25;
            const int row = (k - 1) % 25;
            auto *label = new TAlLabel(band);
            label->setObjectName(QStringLiteral("AlLabel%1").arg(k));
            label->setFont({QStringLiteral("Arial"), -13, 0x80000008});
            label->setGeometry(44 + 104 * column, row == 24 && column > 0 ? 446 : 16 + 18 * row, 43, 16);
            labels.append(label);
        }
        for (int k = 1; k <= 100; ++k) {
            const int column = (k - 1) / 25;
            const int row = (k - 1) % 25;
            auto *box = new TAlShape(band);
            box->setObjectName(QStringLiteral("AlShape%1").arg(k));
            box->setGeometry(25 + 104 * column, 17 + 18 * row, 14, 14);
            box->setPen({0, 4, PenStyle::Solid});
            boxes.append(box);
        }
    }

    // The names with tick boxes, then up to ten blank rows; the other entries empty.
    void fill(const QStringList &names)
    {
        for (int i = 0; i < 100; ++i) {
            const bool blankRow = i >= names.size() && i < names.size() + 10;
            labels[i]->setCaption(i < names.size() ? names[i] : blankRow ? QStringLiteral("_________") : QString());
            boxes[i]->setVisible(i < names.size() + 10);
        }
    }

    TAlReport *report = nullptr;
    tAlBand *band = nullptr;
    QList<TAlLabel *> labels;
    QList<TAlShape *> boxes;
};
