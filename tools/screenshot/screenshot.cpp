// Renders the main window on a sample inventory, with the window's own code, into a PNG:
//   QT_QPA_PLATFORM=offscreen build/tools/screenshot docs/screenshot.png
// The dates are fixed so that the picture is the same on every run.

#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "ui/main/TAForm1.h"
#include "widgets/TEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
struct Item
{
    int slot;
    const char *name;
    const char *record;
    const char *color;
};

// With today 12/10/2026: Milk is due, Bread and Coffee are in their prewarn days, Rice was
// just bought, Tea is being measured and the rest are plain.
const Item Items[] = {
    {1, "Milk", "12/03/2026 1 007 2", "12632256"},       {2, "Bread", "12/08/2026 1 003 2", "12632256"},
    {3, "Butter", "11/20/2026 1 030 3", "12632256"},     {4, "Eggs", "12/06/2026 1 010 3", "12632256"},
    {5, "Coffee", "11/15/2026 1 028 3", "12632256"},     {21, "Rice", "12/10/2026 1 045 5", "13565951"},
    {22, "Tea", "11/28/2026 2 000 3", "8421504"},        {23, "Olive oil", "10/01/2026 1 090 7", "12632256"},
    {41, "Dish soap", "11/01/2026 1 060 5", "12632256"}, {42, "Toothpaste", "11/20/2026 1 040 4", "12632256"},
    {61, "Shampoo", "00/00/0000 0 000 3", "12632256"},
};

void write(const QString &path, const QStringList &lines)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        for (const QString &line : lines)
            f.write(line.toUtf8() + "\r\n");
    }
}
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
    QStringList records(100, QStringLiteral("00/00/0000 0 000 3"));
    QStringList names(100, QString());
    QStringList colors(100, QStringLiteral("12632256"));
    for (const Item &item : Items) {
        records[item.slot - 1] = QString::fromLatin1(item.record);
        names[item.slot - 1] = QString::fromUtf8(item.name);
        colors[item.slot - 1] = QString::fromLatin1(item.color);
    }
    write(QDir(folder).filePath(QStringLiteral("InvRecs.txt")), records);
    write(QDir(folder).filePath(QStringLiteral("RecDesc.txt")), names);
    write(QDir(folder).filePath(QStringLiteral("ecol.div")), colors);

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
