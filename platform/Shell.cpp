// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace {
struct State
{
    bool testMode = false;
    std::optional<QString> last;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

void Shell::open(const QString &path, Failure failed)
{
    state().last = path;
    if (state().testMode)
        return;
    // The opener may run the browser until it is closed; it keeps running when the program
    // ends, so it has no parent and writes nowhere.
    auto *opener = new QProcess;
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    const auto report = [opener, path, failed](bool ok) {
        if (!ok && failed)
            failed(path);
        opener->deleteLater();
    };
    QObject::connect(opener, &QProcess::finished, opener, [report](int code, QProcess::ExitStatus status) {
        report(status == QProcess::NormalExit && code == 0);
    });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            report(false);
    });
    opener->start(QStringLiteral("xdg-open"), {path});
}

void Shell::openHtml(const QString &path, Failure failed)
{
    const QFileInfo info(path);
    if (!info.isFile()
        || QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).inherits(QStringLiteral("text/html"))) {
        open(path, failed);
        return;
    }
    const QDir cache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                     + QStringLiteral("/pantrova"));
    const QString copy = cache.filePath(info.completeBaseName() + QStringLiteral(".html"));
    QFile::remove(copy);
    if (!cache.mkpath(QStringLiteral(".")) || !QFile::copy(path, copy)) {
        open(path, failed);
        return;
    }
    // A copy of a read-only installed file is read-only too; the next copy must replace it.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    open(copy, failed);
}

void Shell::setTestMode(bool on)
{
    state().testMode = on;
    state().last.reset();
}

std::optional<QString> Shell::lastOpened()
{
    return state().last;
}
