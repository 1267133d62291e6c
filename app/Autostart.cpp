// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>

namespace {
// One argument of an Exec line: quoted when it holds anything but plain characters, with the
// quoting's own characters escaped, and each backslash doubled once more for the entry's
// string syntax. A percent sign is a field code and is written doubled.
QString execArgument(const QString &argument)
{
    static const QString plain =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+,:=@");
    QString text = argument;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool quote = text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) {
                           return c.unicode() < 128 && !plain.contains(c) && c != QLatin1Char('%');
                       });
    if (!quote)
        return text;
    QString quoted;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int failed(const QString &what, const QString &path, const QString &why)
{
    std::fprintf(stderr, "pantrova: cannot %s %s: %s\n", qPrintable(what), qPrintable(path), qPrintable(why));
    return 1;
}
} // namespace

QString Autostart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/pantrova.desktop");
}

QString Autostart::entryText(const QString &program, const QStringList &arguments)
{
    QStringList exec{execArgument(program)};
    for (const QString &argument : arguments)
        exec.append(execArgument(argument));
    exec.append(QStringLiteral("--hidden"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Pantrova\n"
                          "Comment=Reminds you when the things you use up have to be bought again\n"
                          "Exec=%1\n"
                          "Icon=pantrova\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec.join(QLatin1Char(' ')));
}

int Autostart::set(const QString &state, const QStringList &arguments)
{
    const QString path = entryPath();
    if (state == QLatin1String("off")) {
        QFile entry(path);
        if (entry.exists() && !entry.remove())
            return failed(QStringLiteral("remove"), path, entry.errorString());
        return 0;
    }
    if (state != QLatin1String("on")) {
        std::fprintf(stderr, "pantrova: --autostart takes on or off, not '%s'.\nTry 'pantrova --help'.\n",
                     qPrintable(state));
        return 2;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failed(QStringLiteral("make the folder of"), path, QStringLiteral("mkdir failed"));
    QSaveFile entry(path);
    const QByteArray text = entryText(QCoreApplication::applicationFilePath(), arguments).toUtf8();
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text) != text.size() || !entry.commit())
        return failed(QStringLiteral("write"), path, entry.errorString());
    return 0;
}
