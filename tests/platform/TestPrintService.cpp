// SPDX-License-Identifier: GPL-3.0-or-later
// The printer service's answers in plain words, with stand-in lp and lpstat commands that say
// what CUPS says in each case.

#include "platform/PrintService.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPrintService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answers_data();
    void answers();

private:
    void writeCommand(const QString &name, const QString &script);
    QTemporaryDir m_bin;
};

void TestPrintService::initTestCase()
{
    qputenv("PATH", m_bin.path().toLocal8Bit());
    // No scheduler answers here: the printer list is empty.
    qputenv("CUPS_SERVER", m_bin.filePath(QStringLiteral("none.sock")).toLocal8Bit());
}

void TestPrintService::writeCommand(const QString &name, const QString &script)
{
    QFile file(m_bin.filePath(name));
    QFile::remove(file.fileName());
    if (script.isEmpty())
        return;
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\n" + script + '\n').toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestPrintService::answers_data()
{
    QTest::addColumn<QString>("lp");
    QTest::addColumn<QString>("lpstat");
    QTest::addColumn<QString>("answer");
    const QString noDefault = QStringLiteral("echo 'lp: Error - No default destination.' >&2; exit 1");
    QTest::newRow("taken") << "echo \"$@\" > \"${0%/*}/args\"; echo 'request id is PDF-1 (1 file(s))'"
                           << ""
                           << "";
    QTest::newRow("no printer") << noDefault << "echo 'scheduler is running'"
                                << "No printer is installed.";
    QTest::newRow("no scheduler") << noDefault << "echo 'scheduler is not running'"
                                  << "The printing service (CUPS) is not running.";
    QTest::newRow("refused") << "echo 'lp: Destination \"PDF\" is not accepting jobs.' >&2; exit 1"
                             << ""
                             << "The printer did not take the job: Destination \"PDF\" is not accepting jobs.";
    QTest::newRow("refused, lp named by its path")
        << "echo '/usr/bin/lp: Destination \"PDF\" is not accepting jobs.' >&2; exit 1"
        << ""
        << "The printer did not take the job: Destination \"PDF\" is not accepting jobs.";
    QTest::newRow("silent failure") << "exit 2"
                                    << ""
                                    << "The printing service did not take the job.";
    QTest::newRow("no lp") << ""
                           << ""
                           << "The printing service is not installed (the command lp was not found).";
}

void TestPrintService::answers()
{
    QFETCH(QString, lp);
    QFETCH(QString, lpstat);
    QFETCH(QString, answer);
    writeCommand(QStringLiteral("lp"), lp);
    writeCommand(QStringLiteral("lpstat"), lpstat);
    QCOMPARE(PrintService::submit(QStringLiteral("/tmp/list.pdf"), QStringLiteral("Inventory")).message(), answer);
    if (answer.isEmpty()) {
        QFile args(m_bin.filePath(QStringLiteral("args")));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), QByteArray("-t Inventory -- /tmp/list.pdf\n"));
    }
}

QTEST_MAIN(TestPrintService)
#include "TestPrintService.moc"
