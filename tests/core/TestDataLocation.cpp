// Where the data folder is, and its first start: an empty inventory in a fresh folder, the
// user's files left alone, and a clear message for a folder that cannot be made or written.

#include "core/AppError.h"
#include "core/DataFolder.h"
#include "core/DataLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DataLocation::Source)

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
    void prepareFillsOnlyAFreshFolder();
    void prepareRefuses_data();
    void prepareRefuses();
};

void TestDataLocation::choose_data()
{
    QTest::addColumn<QString>("executableFolder"); // "<tmp>" is a writable temporary folder
    QTest::addColumn<bool>("systemThere");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<DataLocation::Source>("source");
    using S = DataLocation::Source;
    QTest::newRow("build folder") << "<tmp>" << false << "" << S::BesideExecutable;
    QTest::newRow("folder already there") << "<tmp>" << true << "" << S::BesideExecutable;
    QTest::newRow("installed for everybody") << "/usr/bin" << false << "" << S::UserData;
    QTest::newRow("installed locally") << "/usr/local/bin" << false << "" << S::UserData;
    QTest::newRow("unwritable folder") << "/proc/self" << false << "" << S::UserData;
    QTest::newRow("chosen") << "<tmp>" << true << "/srv/sync/pantrova" << S::Chosen;
}

void TestDataLocation::choose()
{
    QFETCH(QString, executableFolder);
    QFETCH(bool, systemThere);
    QFETCH(QString, chosen);
    QFETCH(DataLocation::Source, source);
    QTemporaryDir dir;
    executableFolder.replace(QStringLiteral("<tmp>"), dir.path());
    if (systemThere)
        QVERIFY(QDir(executableFolder).mkdir(QStringLiteral("system")));

    const DataLocation::Choice choice =
        DataLocation::choose(executableFolder, QStringLiteral("/home/u/.local/share"), chosen);
    QCOMPARE(choice.source, source);
    const QString expected = source == DataLocation::Source::Chosen     ? chosen
                             : source == DataLocation::Source::UserData ? "/home/u/.local/share/pantrova/system"
                                                                        : executableFolder + "/system";
    QCOMPARE(choice.path, expected);
    QVERIFY(DataLocation::describe(choice).startsWith(expected + " ("));
    // Choosing never creates anything.
    QCOMPARE(QFileInfo::exists(executableFolder + "/system"), systemThere);
}

void TestDataLocation::prepareFillsOnlyAFreshFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/system"));
    QVERIFY(DataLocation::isFresh(folder));
    DataLocation::prepare(folder);
    QVERIFY(!DataLocation::isFresh(folder));
    DataFolder data(folder);
    QCOMPARE(data.loadRecords().lines(), QStringList(100, QStringLiteral("00/00/0000 0 000 3")));
    QCOMPARE(data.loadNames(), QStringList(100, QString()));
    QCOMPARE(data.loadColorLines(), QStringList(100, QStringLiteral("12632256")));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3); // no trial file left

    // A folder with one of the files is the user's: nothing is added or replaced.
    QFile::remove(data.path(DataFolder::File::Names));
    QFile::remove(data.path(DataFolder::File::Colors));
    QFile records(data.path(DataFolder::File::Records));
    QVERIFY(records.open(QIODevice::WriteOnly));
    records.write("12/01/2026 1 010 3\r\n");
    records.close();
    DataLocation::prepare(folder);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("InvRecs.txt")});
    QCOMPARE(records.size(), 20);
}

void TestDataLocation::prepareRefuses_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");
    QTest::newRow("under a file") << "<tmp>/file/system"
                                  << "The data folder <tmp>/file/system cannot be created.";
    // Not even root may add a file there.
    QTest::newRow("read-only") << "/proc/self"
                               << "The data folder /proc/self cannot be written.";
}

void TestDataLocation::prepareRefuses()
{
    QFETCH(QString, folder);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    folder.replace(QStringLiteral("<tmp>"), dir.path());
    message.replace(QStringLiteral("<tmp>"), dir.path());
    try {
        DataLocation::prepare(folder);
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), message);
    }
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "TestDataLocation.moc"
