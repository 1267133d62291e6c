// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data folder is, and its first start: an empty inventory in a fresh folder, the
// user's files left alone, and a clear message for a folder that cannot be made or written.

#include "core/AppError.h"
#include "core/DataFolder.h"
#include "core/DataLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
    void prepare();
};

void TestDataLocation::choose_data()
{
    QTest::addColumn<QString>("executableFolder"); // "<tmp>" is a writable temporary folder
    QTest::addColumn<bool>("systemThere");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    const QString user = QStringLiteral("/home/u/.local/share/pantrova/system (in the user's data location");
    QTest::newRow("build folder") << "<tmp>" << false << ""
                                  << "<tmp>/system (beside the executable)";
    QTest::newRow("folder already there") << "<tmp>" << true << ""
                                          << "<tmp>/system (beside the executable)";
    QTest::newRow("installed for everybody") << "/usr/bin" << false << "" << user;
    QTest::newRow("installed locally") << "/usr/local/bin" << false << "" << user;
    QTest::newRow("unwritable folder") << "/proc/self" << false << "" << user;
    QTest::newRow("chosen") << "<tmp>" << true << "/srv/sync/p/"
                            << "/srv/sync/p (chosen with --data-folder)";
}

void TestDataLocation::choose()
{
    QFETCH(QString, executableFolder);
    QFETCH(bool, systemThere);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    executableFolder.replace(QStringLiteral("<tmp>"), dir.path());
    if (systemThere)
        QVERIFY(QDir(executableFolder).mkdir(QStringLiteral("system")));
    const DataLocation::Choice choice =
        DataLocation::choose(executableFolder, QStringLiteral("/home/u/.local/share"), chosen);
    QVERIFY2(DataLocation::describe(choice).startsWith(expected.replace(QStringLiteral("<tmp>"), dir.path())),
             qPrintable(DataLocation::describe(choice)));
    QCOMPARE(QFileInfo::exists(executableFolder + "/system"), systemThere); // choosing creates nothing
}

void TestDataLocation::prepare()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/system"));
    DataLocation::prepare(folder);
    DataFolder data(folder);
    QCOMPARE(data.loadRecords().lines(), QStringList(100, QStringLiteral("00/00/0000 0 000 3")));
    QCOMPARE(data.loadNames(), QStringList(100, QString()));
    QCOMPARE(data.loadColorLines(), QStringList(100, QStringLiteral("12632256")));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3); // no trial file left

    // A folder with one of the files is the user's: nothing is added.
    QFile::remove(data.path(DataFolder::File::Names));
    QFile::remove(data.path(DataFolder::File::Colors));
    DataLocation::prepare(folder);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("InvRecs.txt")});

    // Not even root may make a folder under a file, or add a file to /proc/self.
    const QString underFile = folder + QStringLiteral("/InvRecs.txt/system");
    for (const auto &[path, message] : {std::pair{underFile, QStringLiteral("cannot be created")},
                                        std::pair{QStringLiteral("/proc/self"), QStringLiteral("cannot be written")}}) {
        try {
            DataLocation::prepare(path);
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("The data folder %1 %2.").arg(path, message));
        }
    }
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "TestDataLocation.moc"
