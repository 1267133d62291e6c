// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncCommands.h"

#include "core/AppError.h"
#include "core/AtomicWrite.h"
#include "core/StoredInventory.h"
#include "platform/network/CalDavClient.h"
#include "platform/secrets/SecretStore.h"
#include "sync/CalendarFeed.h"
#include "sync/FolderInventory.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"
#include "sync/SyncState.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace SyncCommands {

namespace {
// The terminal as it was before the password prompt turned its echo off: an interrupt at the
// prompt must not leave the shell without echo.
termios savedTerminal{};

extern "C" void restoreTerminalAndEnd(int signal)
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// One line from standard input, without its line end. With the terminal's echo off when it is
// a terminal, so the password is never shown.
std::optional<QString> readPassword(const SyncCommand &command, const QString &prompt)
{
    const bool terminal = isatty(STDIN_FILENO);
    if (!terminal && !command.passwordFromStdin)
        return std::nullopt;
    const bool hide = terminal && tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    if (terminal) {
        std::fputs(prompt.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }
    if (hide) {
        termios quiet = savedTerminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        std::signal(SIGINT, restoreTerminalAndEnd);
        std::signal(SIGTERM, restoreTerminalAndEnd);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line.push_back(char(c));
    if (hide) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

template<typename Work> void waitFor(Work work)
{
    QEventLoop loop;
    bool done = false;
    work([&] {
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec();
}

QString when(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("never");
}

bool hasControlCharacters(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool removePassword(const SyncSettings &settings, const SyncCommand &command)
{
    SecretStore store(settings.secretKey());
    bool removed = true;
    waitFor([&](auto done) {
        store.remove([&, done](Outcome<SecretStore::Failure> outcome) {
            if (!outcome) {
                command.complain(
                    QStringLiteral("The password could not be removed: %1").arg(outcome.failure().message));
                removed = false;
            }
            done();
        });
    });
    return removed;
}

int setup(const SyncCommand &command)
{
    const QUrl url = QUrl::fromUserInput(command.url);
    if (!url.isValid() || url.host().isEmpty()) {
        command.complain(QStringLiteral("'%1' is not an address of a task list.").arg(command.url));
        return 2;
    }
    if (const QString refusal = CalDavClient::refusal(url); !refusal.isEmpty()) {
        command.complain(refusal);
        return 2;
    }
    if (command.user.isEmpty() || hasControlCharacters(command.user)) {
        command.complain(QStringLiteral("Give the user name with --user NAME."));
        return 2;
    }
    SyncSettings settings;
    settings.collection = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!settings.collection.path().endsWith(QLatin1Char('/')))
        settings.collection.setPath(settings.collection.path() + QLatin1Char('/'));
    settings.user = command.user;
    std::optional<SyncSettings> before;
    try {
        before = SyncSettings::read(command.folder);
    } catch (const AppError &) {
        // Damaged: set up anew.
    }
    const bool sameList = before && before->collection == settings.collection && before->user == settings.user;
    settings.folderId = sameList ? before->folderId : SyncSettings::newFolderId();

    const std::optional<QString> password = readPassword(
        command, QStringLiteral("Password for %1 at %2: ").arg(settings.user, settings.collection.toString()));
    if (!password) {
        command.complain(QStringLiteral("There is no terminal to ask for the password on: give it on standard "
                                        "input with --password-stdin."));
        return 2;
    }

    CalDavClient client({settings.collection, settings.user, *password});
    QString problem;
    waitFor([&](auto done) {
        client.probe([&, done](DavResult<CalDavClient::CollectionInfo> result) {
            if (const auto *error = std::get_if<DavError>(&result))
                problem = error->message;
            else if (const auto &info = std::get<CalDavClient::CollectionInfo>(result); !info.isCalendar)
                problem = QStringLiteral("%1 is not a calendar collection.").arg(settings.collection.toString());
            else if (!info.acceptsTodo)
                problem = QStringLiteral("The calendar %1 does not take tasks (VTODO): choose a task list.")
                              .arg(settings.collection.toString());
            done();
        });
    });
    if (problem.isEmpty()) {
        SecretStore store(settings.secretKey());
        waitFor([&](auto done) {
            store.store(*password, [&, done](Outcome<SecretStore::Failure> outcome) {
                if (!outcome)
                    problem = outcome.failure().message;
                done();
            });
        });
    }
    if (!problem.isEmpty()) {
        command.complain(problem);
        command.complain(QStringLiteral("Sync is not set up."));
        return 1;
    }
    try {
        settings.write(command.folder);
        if (!sameList)
            SyncState::remove(command.folder);
    } catch (const AppError &error) {
        command.complain(error.message());
        return 1;
    }
    // The password of the list synced before is not kept for nothing.
    if (before && !sameList)
        removePassword(*before, command);
    command.print(QStringLiteral("Sync is set up: %1 as %2.\nThe window syncs at start, after each change and every "
                                 "15 minutes; 'pantrova --sync-now' syncs at once.\n")
                      .arg(settings.collection.toString(), settings.user));
    return 0;
}

int status(const SyncCommand &command)
{
    std::optional<SyncSettings> settings;
    try {
        settings = SyncSettings::read(command.folder);
    } catch (const AppError &error) {
        command.complain(error.message());
        return 2;
    }
    if (!settings) {
        command.print(QStringLiteral("Sync is off. Set it up with: pantrova --sync-setup URL --user NAME\n"));
        return 0;
    }
    const SyncState state = SyncState::read(command.folder);
    QString text = QStringLiteral("Task list: %1\nUser: %2\n").arg(settings->collection.toString(), settings->user);
    text += QStringLiteral("Last sync: %1 (%2)\n")
                .arg(when(state.lastAttempt), !state.lastAttempt.isValid() ? QStringLiteral("not yet")
                                              : state.lastFailed           ? QStringLiteral("failed")
                                                                           : QStringLiteral("succeeded"));
    text += QStringLiteral("Last success: %1\n").arg(when(state.lastSuccess));
    text += QStringLiteral("Tasks: %1\n").arg(state.activeTasks());
    text +=
        QStringLiteral("Last error: %1\n")
            .arg(state.lastError.isEmpty() ? QStringLiteral("none")
                                           : QStringLiteral("%1 (%2)").arg(state.lastError, when(state.lastErrorAt)));
    command.print(text);
    return 0;
}

int now(const SyncCommand &command)
{
    try {
        if (!SyncSettings::read(command.folder)) {
            command.complain(QStringLiteral("Sync is not set up: set it up with --sync-setup URL --user NAME."));
            return 1;
        }
        FolderInventory inventory(command.folder, QDate::currentDate());
        SyncEngine engine(command.folder, inventory, SyncEngine::secretService());
        SyncEngine::Result result;
        waitFor([&](auto done) {
            engine.run([&, done](const SyncEngine::Result &r) {
                result = r;
                done();
            });
        });
        for (const QString &purchase : result.bought)
            command.print(QStringLiteral("Bought on a phone: %1\n").arg(purchase));
        if (!result.ok) {
            command.complain(result.error);
            return 1;
        }
        command.print(result.tasks == 1 ? QStringLiteral("Synced: 1 task on the list.\n")
                                        : QStringLiteral("Synced: %1 tasks on the list.\n").arg(result.tasks));
        return 0;
    } catch (const AppError &error) {
        command.complain(error.message());
        return 1;
    }
}

int off(const SyncCommand &command)
{
    std::optional<SyncSettings> settings;
    try {
        settings = SyncSettings::read(command.folder);
    } catch (const AppError &) {
        // Damaged settings are removed all the same.
    }
    const int status = settings && !removePassword(*settings, command) ? 1 : 0;
    SyncSettings::remove(command.folder);
    SyncState::remove(command.folder);
    command.print(QStringLiteral("Sync is off. The tasks on the server are left as they are.\n"));
    return status;
}

int feed(const SyncCommand &command)
{
    try {
        const QList<StoredItem> items = StoredInventory::read(command.folder, QDate::currentDate());
        for (const StoredItem &item : items) {
            if (!item.problem.isEmpty())
                command.complain(item.problem);
        }
        // The same folder gives the same event names from one run to the next.
        const QByteArray folderHash =
            QCryptographicHash::hash(QFileInfo(command.folder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
                .toHex()
                .left(12);
        const QByteArray text = CalendarFeed::text(items, QStringLiteral("pantrova-") + QString::fromLatin1(folderHash),
                                                   QDateTime::currentDateTimeUtc());
        if (command.file.isEmpty())
            command.print(QString::fromUtf8(text));
        else
            AtomicWrite::write(command.file, text);
        return 0;
    } catch (const AppError &error) {
        command.complain(error.message());
        return 2;
    }
}
} // namespace

int run(const SyncCommand &command)
{
    if (command.name == QLatin1String("setup"))
        return setup(command);
    if (command.name == QLatin1String("status"))
        return status(command);
    if (command.name == QLatin1String("now"))
        return now(command);
    if (command.name == QLatin1String("off"))
        return off(command);
    if (command.name == QLatin1String("ics"))
        return feed(command);
    command.complain(QStringLiteral("Unknown sync command '%1'.").arg(command.name));
    return 2;
}

} // namespace SyncCommands
