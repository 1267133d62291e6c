// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "app/Autostart.h"
#include "app/Notify.h"
#include "app/VersionText.h"
#include "core/AppError.h"
#include "core/Descriptor.h"
#include "core/HistoryReport.h"
#include "core/InventoryReport.h"
#include "core/PurchaseHistory.h"
#include "platform/Clock.h"
#include "platform/LockFile.h"
#include "platform/MessageBox.h"
#include "platform/SyncModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextStream>

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
const QString DataFolderOption = QStringLiteral("data-folder");
const QStringList Reports{QStringLiteral("due"),           QStringLiteral("list"),        QStringLiteral("csv"),
                          QStringLiteral("history"),       QStringLiteral("notify"),      QStringLiteral("autostart"),
                          QStringLiteral("sync-setup"),    QStringLiteral("sync-status"), QStringLiteral("sync-now"),
                          QStringLiteral("sync-off"),      QStringLiteral("ics"),         QStringLiteral("user"),
                          QStringLiteral("password-stdin")};
// The sync options, and the name each has in the sync module.
const QList<std::pair<QString, QString>> SyncOptions{{QStringLiteral("sync-setup"), QStringLiteral("setup")},
                                                     {QStringLiteral("sync-status"), QStringLiteral("status")},
                                                     {QStringLiteral("sync-now"), QStringLiteral("now")},
                                                     {QStringLiteral("sync-off"), QStringLiteral("off")},
                                                     {QStringLiteral("ics"), QStringLiteral("ics")}};

// What a report prints is gathered here and written at the end, so that a failed write (a full
// disk, a closed pipe) can be told as such.
QTextStream &out()
{
    static QString text;
    static QTextStream stream(&text);
    return stream;
}

// Every message on standard error starts with the program's name, as in GNU programs.
void complain(const QString &message)
{
    std::fprintf(stderr, "pantrova: %s\n", message.toLocal8Bit().constData());
}

int usageError(const QString &message)
{
    complain(message);
    std::fputs("Try 'pantrova --help'.\n", stderr);
    return 2;
}

// Writes what the report printed to standard output; false, with the message given, when the
// bytes did not all get there.
bool writeOut()
{
    out().flush();
    const QByteArray bytes = out().string()->toUtf8();
    out().string()->clear();
    if (!Descriptor::writeAll(STDOUT_FILENO, bytes)) {
        complain(QStringLiteral("write error: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    return true;
}
} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    m_parser.setApplicationDescription(QStringLiteral("Pantrova reminds you when the things you use up have to be "
                                                      "bought again. Without a report option it opens its window."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({
        {DataFolderOption, QStringLiteral("Keep the data in <folder> (a synced folder, say) instead of the usual one."),
         QStringLiteral("folder")},
        {QStringLiteral("due"), QStringLiteral("Print the items that are due or in their prewarn days today, one a "
                                               "line. Exit status 0 when nothing is due, 1 when something is.")},
        {QStringLiteral("list"), QStringLiteral("Print every named item with its record, next date and state.")},
        {QStringLiteral("csv"), QStringLiteral("With --list: print it as CSV with a header row, for a spreadsheet. A "
                                               "cell that starts with =, +, - or @ is written with a leading ' so "
                                               "that a spreadsheet does not run it as a formula.")},
        {QStringLiteral("history"), QStringLiteral("Print the purchases of every item, or of the item NAME, with the "
                                                   "median interval and the cycle days it suggests.")},
        {QStringLiteral("notify"), QStringLiteral("Send a desktop notification of the items due or in their prewarn "
                                                  "days, if there are any (for a timer).")},
        {QStringLiteral("autostart"), QStringLiteral("on: start hidden in the notification area at login; off: not."),
         QStringLiteral("on|off")},
        {QStringLiteral("hidden"), QStringLiteral("Start with the window hidden in the notification area.")},
        {QStringLiteral("sync-setup"),
         QStringLiteral("Sync the due items with the CalDAV task list at <url> (with "
                        "--user): they appear as tasks on every phone that reads the "
                        "list, and a task ticked off there buys its item here."),
         QStringLiteral("url")},
        {QStringLiteral("user"), QStringLiteral("With --sync-setup: the user name on the server."),
         QStringLiteral("name")},
        {QStringLiteral("password-stdin"), QStringLiteral("With --sync-setup: read the password as one line from "
                                                          "standard input instead of asking on the terminal.")},
        {QStringLiteral("sync-status"), QStringLiteral("Print when the last sync ran, how it went, the number of "
                                                       "tasks and the last error.")},
        {QStringLiteral("sync-now"), QStringLiteral("Sync once (when the window is not open on the folder). Exit "
                                                    "status 0 when it worked, 1 when it did not.")},
        {QStringLiteral("sync-off"), QStringLiteral("Stop syncing: forget the server and the password. The tasks "
                                                    "on the server are left as they are.")},
        {QStringLiteral("ics"), QStringLiteral("Print an iCalendar file of every tracked item's next due date, with "
                                               "an alarm its prewarn days before, or write it to FILE.")},
    });
    m_parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("The item --history is about."),
                                   QStringLiteral("[NAME]"));
    m_parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The file --ics writes."),
                                   QStringLiteral("[FILE]"));
    m_parsed = m_parser.parse(arguments);
    // Two data folders cannot both be meant; taking the last would hide a mistake.
    if (m_parsed && m_parser.values(DataFolderOption).size() > 1) {
        m_parsed = false;
        m_error = QStringLiteral("--data-folder is given more than once.");
    }
}

QString CommandLine::parseError() const
{
    return m_error.isEmpty() ? m_parser.errorText() : m_error;
}

void CommandLine::setIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Pantrova"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PANTROVA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("pantrova"));
}

bool CommandLine::runsWithoutWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine(arguments);
    if (commandLine.m_parsed)
        return commandLine.asksForReport();
    // A single-dash word may be one of the display's own options ("-platform", "-display"),
    // which only the window's application object takes out; anything else is reported here,
    // without a display.
    return std::none_of(arguments.begin() + 1, arguments.end(), [](const QString &argument) {
        return argument.size() > 2 && argument.startsWith(QLatin1Char('-'))
               && !argument.startsWith(QLatin1String("--"));
    });
}

bool CommandLine::asksForHelp() const
{
    return m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("help-all"));
}

bool CommandLine::asksForReport() const
{
    if (asksForHelp() || m_parser.isSet(QStringLiteral("version")) || !m_parser.positionalArguments().isEmpty())
        return true;
    return std::any_of(Reports.begin(), Reports.end(), [this](const QString &name) { return m_parser.isSet(name); });
}

DataLocation::Choice CommandLine::dataFolder() const
{
    return DataLocation::choose(QCoreApplication::applicationDirPath(),
                                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                                m_parser.value(DataFolderOption));
}

int CommandLine::run() const
{
    if (!m_parsed)
        return usageError(parseError());
    int status = 0;
    if (asksForHelp())
        out() << m_parser.helpText() << "\nData folder: " << DataLocation::describe(dataFolder()) << '\n';
    else if (m_parser.isSet(QStringLiteral("version")))
        out() << versionText();
    else
        status = report();
    return writeOut() ? status : 2;
}

int CommandLine::report() const
{
    const bool due = m_parser.isSet(QStringLiteral("due"));
    const bool history = m_parser.isSet(QStringLiteral("history"));
    const bool list = m_parser.isSet(QStringLiteral("list")) || m_parser.isSet(QStringLiteral("csv"));
    const QStringList names = m_parser.positionalArguments();
    const bool takesName = history || m_parser.isSet(QStringLiteral("ics"));
    if (names.size() > (takesName ? 1 : 0))
        return usageError(QStringLiteral("Unexpected argument '%1'.").arg(names.last()));
    const bool notify = m_parser.isSet(QStringLiteral("notify"));
    const bool autostart = m_parser.isSet(QStringLiteral("autostart"));
    QString sync;
    for (const auto &[option, name] : SyncOptions) {
        if (m_parser.isSet(option))
            sync = sync.isEmpty() ? name : QStringLiteral("several");
    }
    if (int(due) + int(history) + int(list) + int(notify) + int(autostart) + int(!sync.isEmpty()) != 1
        || sync == QLatin1String("several")) {
        return usageError(QStringLiteral("Choose one of --due, --list, --history, --notify, --autostart, --ics and "
                                         "the --sync options."));
    }
    if (!sync.isEmpty())
        return runSync(sync);
    if (notify)
        return Notify::run(dataFolder().path);
    if (autostart) {
        // The entry starts the window on the data folder chosen here, if one is.
        const QString folder = m_parser.value(DataFolderOption);
        return Autostart::set(m_parser.value(QStringLiteral("autostart")),
                              folder.isEmpty()
                                  ? QStringList()
                                  : QStringList{QStringLiteral("--data-folder"), QFileInfo(folder).absoluteFilePath()});
    }

    const QString folder = dataFolder().path;
    if (!folderIsThere())
        return 2;
    const QDate today = Clock::today();
    try {
        const QList<StoredItem> items = StoredInventory::read(folder, today);
        // Every item that can be read is reported; the others are named here.
        qsizetype unreadable = 0;
        for (const StoredItem &item : items) {
            if (!item.problem.isEmpty()) {
                complain(item.problem);
                ++unreadable;
            }
        }
        if (unreadable == items.size())
            return 2;
        if (due) {
            out() << InventoryReport::due(items, today);
            return InventoryReport::anythingDue(items) ? 1 : 0;
        }
        if (list) {
            out() << (m_parser.isSet(QStringLiteral("csv")) ? InventoryReport::csv(items, today)
                                                            : InventoryReport::list(items, today));
            return 0;
        }
        const PurchaseHistory::Contents contents = PurchaseHistory::read(folder);
        if (!contents.badLines.isEmpty()) {
            // The first few lines are named, and how many there are.
            constexpr int Named = 5;
            QStringList numbers;
            for (int line : contents.badLines.mid(0, Named))
                numbers.append(QString::number(line));
            if (contents.badLines.size() > Named)
                numbers.append(QStringLiteral("... (%1 lines)").arg(contents.badLines.size()));
            complain(QStringLiteral("Skipped damaged lines of %1: %2")
                         .arg(PurchaseHistory::path(folder), numbers.join(QStringLiteral(", "))));
        }
        const std::optional<QString> text = HistoryReport::text(contents, items, names.value(0));
        if (!text) {
            complain(QStringLiteral("No item is named '%1'.").arg(names.value(0)));
            return 2;
        }
        out() << *text;
        return 0;
    } catch (const AppError &error) {
        complain(error.message());
        return 2;
    }
}

bool CommandLine::folderIsThere() const
{
    // A folder given by name must be there: a report of nothing would read as all clear. The
    // usual folder of a user who has not started the window yet is simply empty.
    const DataLocation::Choice choice = dataFolder();
    if (choice.source != DataLocation::Source::Chosen)
        return true;
    const QFileInfo info(choice.path);
    if (!info.exists()) {
        complain(QStringLiteral("The data folder %1 does not exist.").arg(choice.path));
        return false;
    }
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        complain(QStringLiteral("%1 is not a readable folder.").arg(choice.path));
        return false;
    }
    return true;
}

int CommandLine::runSync(const QString &name) const
{
    if (!folderIsThere())
        return 2;
    const QString folder = dataFolder().path;
    if (name == QLatin1String("setup")) {
        try {
            DataLocation::prepare(folder);
        } catch (const AppError &error) {
            complain(error.message());
            return 1;
        }
    }
    // A sync from here writes the data files: never beside a window on the same folder, which
    // syncs by itself, and no window starts on the folder meanwhile.
    LockFile lock(DataLocation::lockPath(folder), folder);
    if (name == QLatin1String("now") && !lock.tryLock() && !(lock.removeUnheld() && lock.tryLock())) {
        complain(lock.isHeld() ? QStringLiteral("Pantrova's window is open on %1 and syncs by itself; "
                                                "--sync-status tells how it went.")
                                     .arg(folder)
                               : QStringLiteral("Cannot lock %1.").arg(lock.path()));
        return 1;
    }
    SyncCommand command;
    command.name = name;
    command.folder = folder;
    command.url = m_parser.value(QStringLiteral("sync-setup"));
    command.user = m_parser.value(QStringLiteral("user"));
    command.passwordFromStdin = m_parser.isSet(QStringLiteral("password-stdin"));
    command.file = m_parser.positionalArguments().value(0);
    command.print = [](const QString &text) { out() << text; };
    command.complain = complain;
    return SyncModule::run(command);
}

CommandLine::WindowStart CommandLine::prepareWindow() const
{
    if (!m_parsed)
        return {QString(), usageError(parseError())};
    const QString folder = dataFolder().path;
    try {
        DataLocation::prepare(folder);
    } catch (const AppError &error) {
        complain(error.message());
        MessageBox::error(nullptr, error.message());
        return {QString(), 1};
    }
    return {folder, 0, m_parser.isSet(QStringLiteral("hidden"))};
}
