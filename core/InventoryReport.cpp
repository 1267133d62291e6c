// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InventoryReport.h"

#include "core/AppError.h"
#include "core/Csv.h"
#include "core/Dates.h"
#include "core/DueCheck.h"
#include "core/RecordLine.h"

#include <algorithm>
#include <optional>

namespace InventoryReport {

namespace {
bool isDue(const StoredItem &item)
{
    return isDueOrPrewarn(item.colors.background);
}

// Days are only counted for a tracked item with a buy date, as the due check counts them.
std::optional<int> remainingDays(const StoredItem &item, QDate today)
{
    // An item whose record does not convert is shown by its colour alone.
    if (!item.problem.isEmpty() || RecordLine::flag(item.record) != RecordLine::Flag::Tracked
        || RecordLine::buyDate(item.record) == Dates::UnsetDate)
        return std::nullopt;
    return DueCheck::remainingDays(item.record, today);
}

QString daysText(int remaining)
{
    if (remaining == 0)
        return QStringLiteral("today");
    const int days = qAbs(remaining);
    return QStringLiteral("%1 %2 %3")
        .arg(days)
        .arg(days == 1 ? QStringLiteral("day") : QStringLiteral("days"))
        .arg(remaining > 0 ? QStringLiteral("left") : QStringLiteral("overdue"));
}

QString trackingText(const QString &flag)
{
    if (flag == RecordLine::Flag::NotTracked)
        return QStringLiteral("no");
    if (flag == RecordLine::Flag::Tracked)
        return QStringLiteral("yes");
    if (flag == RecordLine::Flag::Learning)
        return QStringLiteral("learning");
    return flag;
}

// A stored date in the form asked for; the unset date is empty, an unreadable one as stored.
QString dateText(const QString &stored, bool iso)
{
    if (stored == Dates::UnsetDate)
        return QString();
    try {
        const QDate date = Dates::parse(stored);
        return iso ? date.toString(Qt::ISODate) : Dates::format(date);
    } catch (const AppError &) {
        return stored;
    }
}

QStringList row(const StoredItem &item, QDate today, bool iso)
{
    const QString &line = item.record;
    QString next;
    if (remainingDays(item, today))
        next = dateText(Dates::plusDays(RecordLine::buyDate(line), RecordLine::cycleDays(line)), iso);
    return {QString::number(item.slot),
            item.name,
            dateText(RecordLine::buyDate(line), iso),
            trackingText(RecordLine::flag(line)),
            RecordLine::cycleText(line),
            RecordLine::prewarnText(line),
            next,
            StoredInventory::stateName(item.colors.background)};
}

const QStringList Header{QStringLiteral("slot"),      QStringLiteral("name"),       QStringLiteral("buy date"),
                         QStringLiteral("tracking"),  QStringLiteral("cycle days"), QStringLiteral("prewarn days"),
                         QStringLiteral("next date"), QStringLiteral("state")};
} // namespace

QString due(const QList<StoredItem> &items, QDate today)
{
    QString text;
    for (const StoredItem &item : items) {
        if (!isDue(item))
            continue;
        const QString name = item.name.isEmpty() ? QStringLiteral("(item %1)").arg(item.slot) : item.name;
        QStringList fields{name, StoredInventory::stateName(item.colors.background)};
        if (const std::optional<int> remaining = remainingDays(item, today))
            fields.append(daysText(*remaining));
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

bool anythingDue(const QList<StoredItem> &items)
{
    return std::any_of(items.begin(), items.end(), isDue);
}

QString list(const QList<StoredItem> &items, QDate today)
{
    QList<QStringList> rows{Header};
    for (const StoredItem &item : items) {
        if (!item.name.isEmpty())
            rows.append(row(item, today, false));
    }
    QList<qsizetype> widths(Header.size(), 0);
    for (const QStringList &r : rows) {
        for (qsizetype i = 0; i < r.size(); ++i)
            widths[i] = qMax(widths[i], r.at(i).size());
    }
    QString text;
    for (const QStringList &r : rows) {
        QString out;
        for (qsizetype i = 0; i < r.size(); ++i)
            out +=
                (i == 0 ? r.at(i).rightJustified(widths[i]) : r.at(i).leftJustified(widths[i])) + QStringLiteral("  ");
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text += out + QLatin1Char('\n');
    }
    return text;
}

QString csv(const QList<StoredItem> &items, QDate today)
{
    QString text = Csv::line(Header) + QStringLiteral("\r\n");
    for (const StoredItem &item : items) {
        if (item.name.isEmpty())
            continue;
        QStringList cells = row(item, today, true);
        for (QString &cell : cells)
            cell = spreadsheetText(cell);
        text += Csv::line(cells) + QStringLiteral("\r\n");
    }
    return text;
}

QString spreadsheetText(const QString &cell)
{
    // A spreadsheet runs a cell that starts like a formula; a leading apostrophe keeps it text.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!cell.isEmpty() && formulaStarts.contains(cell.front()))
        return QLatin1Char('\'') + cell;
    return cell;
}

} // namespace InventoryReport
