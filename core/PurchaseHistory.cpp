// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PurchaseHistory.h"

#include "core/AppError.h"
#include "core/Csv.h"
#include "core/DataFolder.h"
#include "core/Descriptor.h"
#include "core/LineText.h"
#include "core/RecordLine.h"
#include "core/RegularFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Opens the history for appending: an existing file through whatever link the user made, a new
// one never through a link planted in its place. Only a regular file is written to.
int openForAppend(const QString &file)
{
    const QByteArray name = QFile::encodeName(file);
    int handle = ::open(name.constData(), O_RDWR | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0 && errno == ENOENT) {
        struct stat link = {};
        if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            ::unlink(name.constData());
        handle = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    struct stat status = {};
    if (handle >= 0 && (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(handle);
        handle = -1;
    }
    return handle;
}

} // namespace

Purchase of(QDate date, int slot, const QString &name, const QString &recordLine)
{
    int cycle = 0;
    try {
        cycle = RecordLine::cycleDays(recordLine);
    } catch (const ConversionError &) {
        // Recorded without its cycle.
    }
    return {date, slot, name, cycle};
}

QString path(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("history.csv"));
}

void append(const QString &folder, const Purchase &purchase)
{
    const QString file = path(folder);
    // Like the data files, the history comes back with a data folder removed meanwhile.
    QDir().mkpath(folder);
    const int handle = openForAppend(file);
    if (handle < 0)
        throw FileError::cannotCreate(file);
    struct stat status = {};
    ::fstat(handle, &status);
    const qint64 before = status.st_size;
    QString text;
    char last = '\n';
    if (before == 0)
        text = Header + QStringLiteral("\r\n");
    else if (::pread(handle, &last, 1, before - 1) == 1 && last != '\n')
        // A line torn by a crash must not swallow the next purchase.
        text = QStringLiteral("\r\n");
    text += Csv::line({purchase.date.toString(Qt::ISODate), QString::number(purchase.slot), oneLine(purchase.name),
                       QString::number(purchase.cycleDays)})
            + QStringLiteral("\r\n");
    const bool written = Descriptor::writeAll(handle, text.toUtf8());
    if (!written) {
        // A line cut short by a full disk would merge with the next purchase: take it back.
        [[maybe_unused]] const int truncated = ::ftruncate(handle, before);
    }
    ::close(handle);
    if (!written)
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
    if (!QFileInfo::exists(path(folder)))
        return {};
    QByteArray bytes = RegularFile::read(path(folder));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer);
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
