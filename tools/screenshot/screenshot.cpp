// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window on a sample inventory, with the window's own code, into a PNG:
//   QT_QPA_PLATFORM=offscreen build/tools/screenshot docs/screenshot.png
// The dates are fixed so that the picture is the same on every run.

#include "core/DataFolder.h"
#include "core/RecordLine.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "ui/main/TAForm1.h"
#include "widgets/TEdit.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {
struct Item
{
    int slot;
    const char *name;
    const char *record;
    ColorValue color;
};

// With today 12/10/2026: Milk is due, Bread and Coffee are in their prewarn days, Rice was
// just bought, Tea is being measured and the rest are plain.
const Item Items[] = {
    {1, "Milk", "12/03/2026 1 007 2", FieldColor::Silver},
    {2, "Bread", "12/08/2026 1 003 2", FieldColor::Silver},
    {3, "Butter", "11/20/2026 1 030 3", FieldColor::Silver},
    {4, "Eggs", "12/06/2026 1 010 3", FieldColor::Silver},
    {5, "Coffee", "11/15/2026 1 028 3", FieldColor::Silver},
    {21, "Rice", "12/10/2026 1 045 5", FieldColor::Cream},
    {22, "Tea", "11/28/2026 2 000 3", FieldColor::Gray},
    {23, "Olive oil", "10/01/2026 1 090 7", FieldColor::Silver},
    {41, "Dish soap", "11/01/2026 1 060 5", FieldColor::Silver},
    {42, "Toothpaste", "11/20/2026 1 040 4", FieldColor::Silver},
    {61, "Shampoo", "00/00/0000 0 000 3", FieldColor::Silver},
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");
    Clock::setToday(QDate(2026, 12, 10));
    MessageBox::setTestMode(true);

    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("system"));
    QDir().mkpath(folder);
    QStringList records(100, RecordLine::Empty);
    QStringList names(100, QString());
    QList<ColorValue> colors(100, FieldColor::Silver);
    for (const Item &item : Items) {
        records[item.slot - 1] = QString::fromLatin1(item.record);
        names[item.slot - 1] = QString::fromUtf8(item.name);
        colors[item.slot - 1] = item.color;
    }
    DataFolder data(folder);
    data.saveRecords(TextLines(records));
    data.saveNames(names);
    data.saveColors(colors);

    TAForm1 window(folder);
    window.show();
    // A click on Eggs fills the status line as a user would see it.
    window.AllEditClick(window.edit(4));
    if (!window.grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(output));
    return 0;
}
