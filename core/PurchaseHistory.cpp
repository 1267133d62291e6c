// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PurchaseHistory.h"

#include "core/AppError.h"
#include "core/Csv.h"
#include "core/DataFolder.h"
#include "core/LineText.h"
#include "core/RecordLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace PurchaseHistory {

namespace {
const QString Header = QStringLiteral("date,slot,name,cycle days");

std::optional<Purchase> parse(const QString &line)
{
    const std::optional<QStringList> fields = Csv::fields(line);
    if (!fields || fields->size() != 4)
        return std::nullopt;
    bool slotOk = false;
    bool cycleOk = false;
    Purchase purchase{QDate::fromString(fields->at(0), Qt::ISODate), fields->at(1).toInt(&slotOk), fields->at(2),
                      fields->at(3).toInt(&cycleOk)};
    if (!purchase.date.isValid() || !slotOk || purchase.slot < 1 || purchase.slot > DataFolder::Slots || !cycleOk
        || purchase.cycleDays < 0 || purchase.cycleDays > RecordLine::MaxCycleDays)
        return std::nullopt;
    return purchase;
}

// A line torn by a crash must not swallow the next purchase.
bool endsWithLineBreak(const QString &filePath)
{
    QFile f(filePath);
    if (f.size() == 0 || !f.open(QIODevice::ReadOnly) || !f.seek(f.size() - 1))
        return true;
    return f.read(1) == "\n";
}
} // namespace

QString path(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("history.csv"));
}

void append(const QString &folder, const Purchase &purchase)
{
    const QString file = path(folder);
    QString text;
    if (QFileInfo(file).size() == 0)
        text = Header + QStringLiteral("\r\n");
    else if (!endsWithLineBreak(file))
        text = QStringLiteral("\r\n");
    text += Csv::line({purchase.date.toString(Qt::ISODate), QString::number(purchase.slot), oneLine(purchase.name),
                       QString::number(purchase.cycleDays)})
            + QStringLiteral("\r\n");
    const QByteArray bytes = text.toUtf8();
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(bytes) != bytes.size() || !f.flush())
        throw FileError::cannotCreate(file);
}

Contents read(QIODevice *device)
{
    Contents contents;
    int number = 0;
    while (!device->atEnd()) {
        QString line = QString::fromUtf8(device->readLine());
        ++number;
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || (number == 1 && line == Header))
            continue;
        if (const std::optional<Purchase> purchase = parse(line))
            contents.purchases.append(*purchase);
        else
            contents.badLines.append(number);
    }
    return contents;
}

Contents read(const QString &folder)
{
    QFile f(path(folder));
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        throw FileError::cannotOpen(f.fileName());
    return read(&f);
}

std::optional<int> medianInterval(QList<QDate> dates)
{
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    if (dates.size() < 2)
        return std::nullopt;
    QList<qint64> intervals;
    for (qsizetype i = 1; i < dates.size(); ++i)
        intervals.append(dates.at(i - 1).daysTo(dates.at(i)));
    std::sort(intervals.begin(), intervals.end());
    const qsizetype middle = intervals.size() / 2;
    if (intervals.size() % 2 == 1)
        return static_cast<int>(intervals.at(middle));
    return static_cast<int>((intervals.at(middle - 1) + intervals.at(middle) + 1) / 2);
}

std::optional<int> suggestedCycle(const QList<QDate> &dates)
{
    if (const std::optional<int> median = medianInterval(dates))
        return std::clamp(*median, 1, RecordLine::MaxCycleDays);
    return std::nullopt;
}

} // namespace PurchaseHistory
