// Opening an HTML document: a name the desktop hands to a browser is opened as it is; the
// help's ".hta" through an ".html" copy with the same bytes; a missing file is passed on.

#include "platform/Shell.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Shell::setTestMode(true);
    }
    void openHtml_data();
    void openHtml();
};

void TestShell::openHtml_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("copied");
    QTest::newRow("hta") << "Help.hta" << true << true;
    QTest::newRow("html") << "Help.html" << true << false;
    QTest::newRow("missing") << "Help.hta" << false << false;
}

void TestShell::openHtml()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(bool, copied);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray page("<!DOCTYPE html><title>Help</title>");
    if (exists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(page);
        f.close();
        // An installed help is read-only; so is its first copy, which the next must replace.
        f.setPermissions(QFile::ReadOwner | QFile::ReadOther);
    }
    for (int run = 0; run < 2; ++run) {
        Shell::setTestMode(true);
        Shell::openHtml(path);
        const QString opened = Shell::lastOpened().value_or(QString());
        QCOMPARE(opened == path, !copied);
        if (copied) {
            QVERIFY(opened.endsWith(QStringLiteral("/Help.html")));
            QFile copy(opened);
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), page);
        }
    }
}

QTEST_GUILESS_MAIN(TestShell)
#include "TestShell.moc"
