// SPDX-License-Identifier: GPL-3.0-or-later
// The command line as a function: any words after the program's name are answered with an
// exit status of 0, 1 or 2, on a data folder of a few items. Standard output goes nowhere.

#include "FuzzCheck.h"
#include "app/CommandLine.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {
QString dataFolder;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    dataFolder = QStringLiteral(PANTROVA_FUZZ_SOURCE "/data");
    Clock::setToday(QDate(2026, 12, 9));
    // The options that act on the desktop (the login entry, a notification) must not reach this
    // machine's: they get a folder and a bus of their own that go nowhere.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir::temp().filePath(QStringLiteral("pantrova-fuzz-config"))));
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/pantrova-fuzz");
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments = fuzzParts(data, size);
    arguments.prepend(QStringLiteral("pantrova"));
    QList<QByteArray> bytes;
    std::vector<char *> argv;
    for (const QString &argument : std::as_const(arguments))
        bytes.append(argument.toLocal8Bit());
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const bool withoutWindow = CommandLine::runsWithoutWindow(int(bytes.size()), argv.data());
    // Writing the login entry and the sync's settings are not reports: they are left to the
    // real-window and sync tests.
    const bool writesEntry = std::any_of(arguments.begin(), arguments.end(), [](const QString &argument) {
        return argument.startsWith(QLatin1String("--autostart")) || argument.startsWith(QLatin1String("--sync"))
               || argument.startsWith(QLatin1String("--ics"));
    });
    if (!withoutWindow || writesEntry)
        return 0;
    // Whatever folder the words name, the reports read the fixture's (the last one given counts).
    arguments.append(QStringLiteral("--data-folder=") + dataFolder);
    const int status = CommandLine(arguments).run();
    FUZZ_CHECK(status >= 0 && status <= 2);
    return 0;
}
