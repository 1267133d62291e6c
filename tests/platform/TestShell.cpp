// Opening an HTML document: a name the desktop hands to a browser is opened as it is, the
// help's ".hta" through an ".html" copy with the same bytes (replaced on every opening).

#include "platform/Shell.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void openHtml();
};

void TestShell::openHtml()
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    for (const QByteArray &page : {QByteArray("<html>one"), QByteArray("<html>two")}) {
        for (const QString &name : {QStringLiteral("Help.hta"), QStringLiteral("Help.html")}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(page) == page.size());
            file.close();
            Shell::setTestMode(true);
            Shell::openHtml(file.fileName());
            QFile opened(Shell::lastOpened().value_or(QString()));
            QCOMPARE(opened.fileName().endsWith(QStringLiteral("/Help.html")), true);
            QCOMPARE(opened.fileName() == file.fileName(), name.endsWith(QStringLiteral(".html")));
            QVERIFY(opened.open(QIODevice::ReadOnly));
            QCOMPARE(opened.readAll(), page);
        }
    }
}

QTEST_GUILESS_MAIN(TestShell)
#include "TestShell.moc"
