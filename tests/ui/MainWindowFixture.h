// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window on a fresh temporary data folder with an injected date; every seam is in its
// test mode for the fixture's life (TestSeams), and a notification area exists unless the test
// says otherwise.

#include "FieldColorsPrinting.h"
#include "TestSeams.h"
#include "core/RecordLine.h"
#include "ui/main/TAForm1.h"
#include "widgets/TEdit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

struct DataFiles
{
    // Every list is written line for line with CR LF; a missing optional means no file.
    std::optional<QStringList> records = QStringList(100, RecordLine::Empty);
    std::optional<QStringList> names = QStringList(100, QString());
    std::optional<QStringList> colors;

    static QByteArray crlf(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += line.toLatin1() + "\r\n";
        return bytes;
    }
};

class MainWindowFixture
{
public:
    explicit MainWindowFixture(const DataFiles &files = {}, QDate today = QDate(2026, 12, 10),
                               bool trayAvailable = true)
        : m_seams(today, trayAvailable)
    {
        QDir().mkpath(folder());
        write(QStringLiteral("InvRecs.txt"), files.records);
        write(QStringLiteral("RecDesc.txt"), files.names);
        write(QStringLiteral("ecol.div"), files.colors);
        window = std::make_unique<TAForm1>(folder());
        window->openMenu = [this](QMenu *menu, QPoint) { openedMenus.append(menu); };
    }

    ~MainWindowFixture() { window.reset(); }

    QString folder() const { return m_dir.filePath(QStringLiteral("system")); }
    QString path(const QString &file) const { return QDir(folder()).filePath(file); }
    QByteArray read(const QString &file) const
    {
        QFile f(path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The lines of the purchase history, without its header row.
    QStringList history() const
    {
        QStringList lines = QString::fromUtf8(read(QStringLiteral("history.csv"))).split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines.mid(1);
    }
    TEdit *edit(int slot) const { return window->edit(slot); }
    QString line(int slot) const { return window->records().slotLine(slot); }

    std::unique_ptr<TAForm1> window;
    QList<QMenu *> openedMenus;

private:
    void write(const QString &file, const std::optional<QStringList> &lines)
    {
        if (!lines)
            return;
        QFile f(path(file));
        if (f.open(QIODevice::WriteOnly))
            f.write(DataFiles::crlf(*lines));
    }

    TestSeams m_seams;
    QTemporaryDir m_dir;
};
