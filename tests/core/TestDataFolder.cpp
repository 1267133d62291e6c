// SPDX-License-Identifier: GPL-3.0-or-later
// The data folder and its three files: the records file "InvRecs.txt", the names file
// "RecDesc.txt" and the colours file "ecol.div". Every case works in its own temporary folder.

#include "core/AppError.h"
#include "core/DataFolder.h"
#include "core/RecordLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>

Q_DECLARE_METATYPE(DataFolder::File)

namespace {

const char *fileName(DataFolder::File file)
{
    switch (file) {
    case DataFolder::File::Records:
        return "InvRecs.txt";
    case DataFolder::File::Names:
        return "RecDesc.txt";
    case DataFolder::File::Colors:
        break;
    }
    return "ecol.div";
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read>");
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray joined(const QList<QByteArray> &lines, const QByteArray &ending, bool finalBreak)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bytes += lines.at(i);
        if (i + 1 < lines.size() || finalBreak)
            bytes += ending;
    }
    return bytes;
}

// Distinct record lines, so that a lost, doubled or reordered line shows.
QList<QByteArray> recordLines(int count)
{
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i) {
        lines.append(QStringLiteral("%1/%2/2026 %3 %4 %5")
                         .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                         .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                         .arg(i % 3)
                         .arg(i, 3, 10, QLatin1Char('0'))
                         .arg(i % 10)
                         .toLatin1());
    }
    return lines;
}

QList<QByteArray> repeated(const QByteArray &line, int count)
{
    return QList<QByteArray>(count, line);
}

// A data folder "system" inside a fresh temporary folder.
struct Folder
{
    QTemporaryDir temp;
    QString path = temp.path() + QStringLiteral("/system");
    Folder() { QDir().mkpath(path); }
    QString file(DataFolder::File f) const { return path + QLatin1Char('/') + QLatin1String(fileName(f)); }
    bool put(DataFolder::File f, const QByteArray &bytes) const { return writeBytes(file(f), bytes); }
    QByteArray bytes(DataFolder::File f) const { return readBytes(file(f)); }
};

// Limits the size of files this process may write, so that a save fails half-way even for
// root, for whom permissions do not count.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

QList<ColorValue> colorValues(const QStringList &lines)
{
    QList<ColorValue> values;
    for (const QString &line : lines)
        values.append(colorFromLine(line));
    return values;
}

// Saves something to the given file with the data folder; a large save is written past the
// device's write buffer in one go.
void save(DataFolder &folder, DataFolder::File file, bool large = false)
{
    switch (file) {
    case DataFolder::File::Records:
        folder.saveRecords(TextLines(QStringList(100, RecordLine::Empty)));
        break;
    case DataFolder::File::Names:
        folder.saveNames(QStringList(100, large ? QString(300, QLatin1Char('m')) : QStringLiteral("Milk")));
        break;
    case DataFolder::File::Colors:
        folder.saveColors(QList<ColorValue>(100, FieldColor::Silver));
        break;
    }
}

} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void pathsLieInTheDataFolder();

    void recordsRoundTripByteIdentical_data();
    void recordsRoundTripByteIdentical();
    void shortRecordsCompletedWithEmptyLines_data();
    void shortRecordsCompletedWithEmptyLines();

    void namesRoundTripByteIdentical_data();
    void namesRoundTripByteIdentical();
    void namesWrittenWithCrLfAndFinalBreak();
    void namesEncodingOnSave_data();
    void namesEncodingOnSave();
    void nameWithLineBreakWrittenAsOneLine_data();
    void nameWithLineBreakWrittenAsOneLine();

    void colorsRoundTripByteIdentical_data();
    void colorsRoundTripByteIdentical();
    void storedColorLineGivesFontColor_data();
    void storedColorLineGivesFontColor();

    void missingRecordsOrNamesFileCannotOpen_data();
    void missingRecordsOrNamesFileCannotOpen();
    void missingColorsFileGivesNothing();
    void saveIntoMissingFolderCreatesIt_data();
    void saveIntoMissingFolderCreatesIt();
    void saveWhereFolderIsARegularFileCannotCreate_data();
    void saveWhereFolderIsARegularFileCannotCreate();
    void failedSaveLeavesPreviousFileWhole_data();
    void failedSaveLeavesPreviousFileWhole();

    void unloadedFilesProtected_data();
    void unloadedFilesProtected();
    void nothingProtectedBeforeProtectUnloadedFiles();
    void interruptedSavesRemoved();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void colorLinesPastTheLastSlotKept();
    void savesWriteOnlyWhatChanged_data();
    void savesWriteOnlyWhatChanged();
};

void TestDataFolder::pathsLieInTheDataFolder()
{
    DataFolder folder(QStringLiteral("/opt/pantrova/system"));
    QCOMPARE(folder.path(DataFolder::File::Records), QStringLiteral("/opt/pantrova/system/InvRecs.txt"));
    QCOMPARE(folder.path(DataFolder::File::Names), QStringLiteral("/opt/pantrova/system/RecDesc.txt"));
    QCOMPARE(folder.path(DataFolder::File::Colors), QStringLiteral("/opt/pantrova/system/ecol.div"));
}

// ---- records file --------------------------------------------------------------------------

void TestDataFolder::recordsRoundTripByteIdentical_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lineCount");

    const QList<QByteArray> lines = recordLines(100);
    // clang-format off
    QTest::newRow("CR LF") << joined(lines, "\r\n", true) << 100;
    QTest::newRow("CR LF, no final break") << joined(lines, "\r\n", false) << 100;
    QTest::newRow("LF") << joined(lines, "\n", true) << 100;
    QTest::newRow("LF, no final break") << joined(lines, "\n", false) << 100;
    QTest::newRow("CR") << joined(lines, "\r", true) << 100;
    QTest::newRow("CR, no final break") << joined(lines, "\r", false) << 100;
    // clang-format on

    QList<QByteArray> withText = lines;
    withText[4] += " two boxes \xE4";
    // clang-format off
    QTest::newRow("text after column 18") << joined(withText, "\r\n", true) << 100;
    // clang-format on

    // clang-format off
    QTest::newRow("103 lines") << joined(recordLines(103), "\r\n", true) << 103;
    QTest::newRow("103 lines, LF, no final break") << joined(recordLines(103), "\n", false) << 103;
    // clang-format on
}

void TestDataFolder::recordsRoundTripByteIdentical()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lineCount);

    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Records, bytes));
    DataFolder folder(dir.path);
    const TextLines records = folder.loadRecords();
    QCOMPARE(records.count(), lineCount);
    QCOMPARE(records.slotLine(1), QString::fromLatin1(recordLines(1).first()));
    if (lineCount > 100)
        QCOMPARE(records.line(lineCount - 1), QString::fromLatin1(recordLines(lineCount).last()));

    folder.saveRecords(records);
    QCOMPARE(dir.bytes(DataFolder::File::Records), bytes);
}

void TestDataFolder::shortRecordsCompletedWithEmptyLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fileLines");
    QTest::addColumn<QByteArray>("written");

    const QList<QByteArray> five = recordLines(5);
    const QList<QByteArray> completed = five + repeated("00/00/0000 0 000 3", 95);
    // clang-format off
    QTest::newRow("5 lines CR LF") << joined(five, "\r\n", true) << 5 << joined(completed, "\r\n", true);
    QTest::newRow("5 lines CR LF, no final break") << joined(five, "\r\n", false) << 5
                                                   << joined(completed, "\r\n", true);
    QTest::newRow("5 lines LF") << joined(five, "\n", true) << 5 << joined(completed, "\n", true);
    QTest::newRow("5 lines CR, no final break") << joined(five, "\r", false) << 5 << joined(completed, "\r", true);
    QTest::newRow("99 lines") << joined(recordLines(99), "\r\n", true) << 99
                              << joined(recordLines(99) + repeated("00/00/0000 0 000 3", 1), "\r\n", true);
    QTest::newRow("empty file") << QByteArray() << 0 << joined(repeated("00/00/0000 0 000 3", 100), "\r\n", true);
    // clang-format on
}

void TestDataFolder::shortRecordsCompletedWithEmptyLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fileLines);
    QFETCH(QByteArray, written);

    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Records, bytes));
    DataFolder folder(dir.path);
    const TextLines records = folder.loadRecords();
    QCOMPARE(records.count(), 100);
    const QList<QByteArray> original = recordLines(fileLines);
    for (int slot = 1; slot <= 100; ++slot) {
        const QString expected = slot <= fileLines ? QString::fromLatin1(original.at(slot - 1)) : RecordLine::Empty;
        QCOMPARE(records.slotLine(slot), expected);
    }

    folder.saveRecords(records);
    QCOMPARE(dir.bytes(DataFolder::File::Records), written);
}

// ---- names file ----------------------------------------------------------------------------

void TestDataFolder::namesRoundTripByteIdentical_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("firstNames");

    QList<QByteArray> ascii = repeated(QByteArray(), 100);
    ascii[0] = "Milk";
    ascii[1] = "Coffee beans";
    ascii[99] = "Soap";
    // clang-format off
    QTest::newRow("ASCII, empty names")
        << joined(ascii, "\r\n", true) << QStringList{"Milk", "Coffee beans", ""};
    // clang-format on

    QList<QByteArray> windows = repeated(QByteArray(), 100);
    windows[0] = "K\xE4"
                 "se";
    windows[1] = "Brot \x80";
    windows[2] = "Caf\xE9 \xE4\x80";
    // clang-format off
    QTest::newRow("Windows-1252 bytes")
        << joined(windows, "\r\n", true)
        << QStringList{QStringLiteral("K\u00E4se"), QStringLiteral("Brot \u20AC"), QStringLiteral("Caf\u00E9 \u00E4\u20AC")};
    // clang-format on

    QList<QByteArray> utf8 = repeated(QByteArray(), 100);
    utf8[0] = "K\xC3\xA4se";
    utf8[1] = "Brot \xE2\x82\xAC";
    utf8[2] = "\xE6\x97\xA5\xE6\x9C\xAC";
    // clang-format off
    QTest::newRow("UTF-8 text")
        << joined(utf8, "\r\n", true)
        << QStringList{QStringLiteral("K\u00E4se"), QStringLiteral("Brot \u20AC"), QStringLiteral("\u65E5\u672C")};
    // clang-format on

    // A byte-order mark belongs to the file: it is written back, and a name may begin with the
    // same character.
    // clang-format off
    QTest::newRow("UTF-8 with a byte-order mark")
        << "\xEF\xBB\xBF" + joined(utf8, "\r\n", true)
        << QStringList{QStringLiteral("K\u00E4se"), QStringLiteral("Brot \u20AC"), QStringLiteral("\u65E5\u672C")};
    QTest::newRow("a name beginning with U+FEFF")
        << "\xEF\xBB\xBF\xEF\xBB\xBFTea\r\n" + joined(repeated("\xC3\xA4", 99), "\r\n", true)
        << QStringList{QStringLiteral("\uFEFFTea"), QStringLiteral("\u00E4"), QStringLiteral("\u00E4")};
    // clang-format on

    QList<QByteArray> fitting = repeated(QByteArray("Tea"), 100);
    fitting[50] = "K\xC3\xA4se";
    // clang-format off
    QTest::newRow("UTF-8 that would fit Windows-1252")
        << joined(fitting, "\r\n", true) << QStringList{"Tea", "Tea", "Tea"};
    // clang-format on
}

void TestDataFolder::namesRoundTripByteIdentical()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, firstNames);

    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Names, bytes));
    DataFolder folder(dir.path);
    const QStringList names = folder.loadNames();
    QCOMPARE(names.size(), 100);
    QCOMPARE(names.mid(0, firstNames.size()), firstNames);

    folder.saveNames(names);
    QCOMPARE(dir.bytes(DataFolder::File::Names), bytes);
}

void TestDataFolder::namesWrittenWithCrLfAndFinalBreak()
{
    Folder dir;
    QList<QByteArray> lines = repeated("x", 100);
    lines[0] = "Milk";
    QVERIFY(dir.put(DataFolder::File::Names, joined(lines, "\n", false)));
    DataFolder folder(dir.path);
    folder.saveNames(folder.loadNames());
    QCOMPARE(dir.bytes(DataFolder::File::Names), joined(lines, "\r\n", true));
}

void TestDataFolder::namesEncodingOnSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("utf8");

    // The file read at start is plain ASCII; one name is then typed in.
    // clang-format off
    QTest::newRow("umlaut fits Windows-1252") << QStringLiteral("K\u00E4se") << QByteArray("K\xE4" "se") << false;
    QTest::newRow("euro fits Windows-1252") << QStringLiteral("Brot \u20AC") << QByteArray("Brot \x80") << false;
    QTest::newRow("CJK needs UTF-8") << QStringLiteral("\u65E5\u672C") << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC")
                                     << true;
    QTest::newRow("ASCII stays ASCII") << QStringLiteral("Bread") << QByteArray("Bread") << false;
    // clang-format on
}

void TestDataFolder::namesEncodingOnSave()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    QFETCH(bool, utf8);

    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Names, joined(repeated("Tea", 100), "\r\n", true)));
    DataFolder folder(dir.path);
    QStringList names = folder.loadNames();
    names[10] = name;
    names[11] = QStringLiteral("Caf\u00E9"); // written in the same encoding as the whole file
    folder.saveNames(names);

    QList<QByteArray> expected = repeated("Tea", 100);
    expected[10] = line;
    expected[11] = utf8 ? QByteArray("Caf\xC3\xA9") : QByteArray("Caf\xE9");
    QCOMPARE(dir.bytes(DataFolder::File::Names), joined(expected, "\r\n", true));

    // And the file reads back as the names that were saved.
    QCOMPARE(DataFolder(dir.path).loadNames(), names);
}

void TestDataFolder::nameWithLineBreakWrittenAsOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");

    // clang-format off
    QTest::newRow("CR LF") << "Milk\r\n2 l" << "Milk 2 l";
    QTest::newRow("LF") << "Milk\n2 l" << "Milk 2 l";
    QTest::newRow("CR") << "Milk\r2 l" << "Milk 2 l";
    QTest::newRow("two breaks") << "a\nb\r\nc" << "a b c";
    QTest::newRow("trailing break") << "Milk\n" << "Milk ";
    // clang-format on
}

void TestDataFolder::nameWithLineBreakWrittenAsOneLine()
{
    QFETCH(QString, name);
    QFETCH(QString, written);

    Folder dir;
    DataFolder folder(dir.path);
    QStringList names(100, QStringLiteral("Tea"));
    names[0] = name;
    names[99] = name;
    folder.saveNames(names);

    QList<QByteArray> expected = repeated("Tea", 100);
    expected[0] = written.toLatin1();
    expected[99] = written.toLatin1();
    QCOMPARE(dir.bytes(DataFolder::File::Names), joined(expected, "\r\n", true));
    QCOMPARE(DataFolder(dir.path).loadNames().size(), 100);
}

// ---- colours file --------------------------------------------------------------------------

void TestDataFolder::colorsRoundTripByteIdentical_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("written");

    // clang-format off
    QTest::newRow("design colours") << QByteArray("255") << QByteArray("255");
    QTest::newRow("negative") << QByteArray("-5") << QByteArray("-5");
    QTest::newRow("system colour 5") << QByteArray("-2147483643") << QByteArray("-2147483643");
    QTest::newRow("lowest") << QByteArray("-2147483648") << QByteArray("-2147483648");
    QTest::newRow("highest signed") << QByteArray("2147483647") << QByteArray("2147483647");
    QTest::newRow("old unsigned -5 heals") << QByteArray("4294967291") << QByteArray("-5");
    QTest::newRow("old unsigned system colour heals") << QByteArray("2147483653") << QByteArray("-2147483643");
    QTest::newRow("old unsigned lowest heals") << QByteArray("2147483648") << QByteArray("-2147483648");
    // clang-format on
}

void TestDataFolder::colorsRoundTripByteIdentical()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, written);

    QList<QByteArray> lines = repeated("12632256", 100);
    lines[1] = "13565951";
    lines[50] = stored;
    lines[99] = "0";
    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Colors, joined(lines, "\r\n", true)));
    DataFolder folder(dir.path);
    const std::optional<QStringList> read = folder.loadColorLines();
    QVERIFY(read.has_value());

    folder.saveColors(colorValues(*read));
    lines[50] = written;
    QCOMPARE(dir.bytes(DataFolder::File::Colors), joined(lines, "\r\n", true));
}

void TestDataFolder::storedColorLineGivesFontColor_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<ColorValue>("startupFont");
    QTest::addColumn<bool>("recheckSetsFont");
    QTest::addColumn<ColorValue>("recheckFont");

    // clang-format off
    QTest::newRow("dark gray") << "8684164" << ColorValue(16777215) << false << ColorValue(0);
    QTest::newRow("gray learning") << "8421504" << ColorValue(16777215) << true << ColorValue(16777215);
    QTest::newRow("red due") << "255" << ColorValue(65535) << true << ColorValue(65535);
    QTest::newRow("light gray") << "13026246" << ColorValue(8388608) << false << ColorValue(0);
    QTest::newRow("cream bought") << "13565951" << ColorValue(8388608) << false << ColorValue(0);
    QTest::newRow("yellow prewarn") << "65535" << ColorValue(8388608) << false << ColorValue(0);
    QTest::newRow("silver plain") << "12632256" << ColorValue(8388608) << false << ColorValue(0);
    QTest::newRow("not exactly 255") << "0255" << ColorValue(8388608) << false << ColorValue(0);
    // clang-format on
}

void TestDataFolder::storedColorLineGivesFontColor()
{
    QFETCH(QString, line);
    QFETCH(ColorValue, startupFont);
    QFETCH(bool, recheckSetsFont);
    QFETCH(ColorValue, recheckFont);

    QCOMPARE(startupFontColor(line), startupFont);
    const std::optional<ColorValue> recheck = recheckFontColor(line);
    QCOMPARE(recheck.has_value(), recheckSetsFont);
    if (recheckSetsFont)
        QCOMPARE(*recheck, recheckFont);
}

// ---- failures ------------------------------------------------------------------------------

void TestDataFolder::missingRecordsOrNamesFileCannotOpen_data()
{
    QTest::addColumn<DataFolder::File>("file");
    // clang-format off
    QTest::newRow("records") << DataFolder::File::Records;
    QTest::newRow("names") << DataFolder::File::Names;
    // clang-format on
}

void TestDataFolder::missingRecordsOrNamesFileCannotOpen()
{
    QFETCH(DataFolder::File, file);

    Folder dir;
    // The other files are there; only the one under test is missing.
    QVERIFY(dir.put(DataFolder::File::Records, joined(recordLines(100), "\r\n", true)));
    QVERIFY(dir.put(DataFolder::File::Names, joined(repeated("Tea", 100), "\r\n", true)));
    QVERIFY(QFile::remove(dir.file(file)));

    DataFolder folder(dir.path);
    QString caught;
    try {
        if (file == DataFolder::File::Records)
            folder.loadRecords();
        else
            folder.loadNames();
    } catch (const FileError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("Cannot open file ") + dir.file(file));
    QVERIFY(QDir::isAbsolutePath(dir.file(file)));
}

void TestDataFolder::missingColorsFileGivesNothing()
{
    Folder dir;
    DataFolder folder(dir.path);
    std::optional<QStringList> lines = QStringList{QStringLiteral("sentinel")};
    lines = folder.loadColorLines();
    QVERIFY(!lines.has_value());
}

void TestDataFolder::saveIntoMissingFolderCreatesIt_data()
{
    QTest::addColumn<DataFolder::File>("file");
    // clang-format off
    QTest::newRow("records") << DataFolder::File::Records;
    QTest::newRow("names") << DataFolder::File::Names;
    QTest::newRow("colours") << DataFolder::File::Colors;
    // clang-format on
}

void TestDataFolder::saveIntoMissingFolderCreatesIt()
{
    QFETCH(DataFolder::File, file);

    QTemporaryDir temp;
    const QString missing = temp.path() + QStringLiteral("/system");
    DataFolder folder(missing);
    save(folder, file);
    QCOMPARE(readBytes(QStringLiteral("%1/%2").arg(missing, QLatin1String(fileName(file)))).count("\r\n"), 100);
}

void TestDataFolder::saveWhereFolderIsARegularFileCannotCreate_data()
{
    saveIntoMissingFolderCreatesIt_data();
}

void TestDataFolder::saveWhereFolderIsARegularFileCannotCreate()
{
    QFETCH(DataFolder::File, file);

    QTemporaryDir temp;
    const QString notAFolder = temp.path() + QStringLiteral("/system");
    QVERIFY(writeBytes(notAFolder, "not a folder"));
    DataFolder folder(notAFolder);
    QString caught;
    try {
        save(folder, file);
    } catch (const FileError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("Cannot create file %1/%2").arg(notAFolder, QLatin1String(fileName(file))));
    QCOMPARE(readBytes(notAFolder), QByteArray("not a folder"));

    // What could not be written waits, and the last save of an ending program writes it.
    QVERIFY(folder.isPending(file) && folder.hasPending());
    QVERIFY(QFile::remove(notAFolder));
    QCOMPARE(folder.savePending(), QStringList());
    QVERIFY(!folder.hasPending());
    QCOMPARE(readBytes(QStringLiteral("%1/%2").arg(notAFolder, QLatin1String(fileName(file)))).count("\r\n"), 100);
}

void TestDataFolder::failedSaveLeavesPreviousFileWhole_data()
{
    QTest::addColumn<DataFolder::File>("file");
    QTest::addColumn<bool>("large");
    // clang-format off
    QTest::newRow("records") << DataFolder::File::Records << false;
    QTest::newRow("names") << DataFolder::File::Names << false;
    QTest::newRow("names, 30 KB") << DataFolder::File::Names << true;
    QTest::newRow("colours") << DataFolder::File::Colors << false;
    // clang-format on
}

void TestDataFolder::failedSaveLeavesPreviousFileWhole()
{
    QFETCH(DataFolder::File, file);
    QFETCH(bool, large);

    Folder dir;
    const QByteArray records = joined(recordLines(100), "\r\n", true);
    const QByteArray names = joined(repeated("Coffee", 100), "\r\n", true);
    const QByteArray colors = joined(repeated("13565951", 100), "\r\n", true);
    QVERIFY(dir.put(DataFolder::File::Records, records));
    QVERIFY(dir.put(DataFolder::File::Names, names));
    QVERIFY(dir.put(DataFolder::File::Colors, colors));
    const QByteArray before = dir.bytes(file);

    DataFolder folder(dir.path);
    folder.loadRecords();
    folder.loadNames();

    QString caught;
    {
        // Room for a few bytes only: the new content cannot be written completely.
        FileSizeLimit limit(16);
        if (!limit.active())
            QSKIP("cannot limit the file size of this process");
        try {
            save(folder, file, large);
        } catch (const FileError &error) {
            caught = error.message();
        }
    }
    QCOMPARE(caught, QStringLiteral("Cannot create file ") + dir.file(file));
    QCOMPARE(dir.bytes(file), before);
    // No half-written copy is left beside the files.
    QCOMPARE(QDir(dir.path).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
             (QStringList{"InvRecs.txt", "RecDesc.txt", "ecol.div"}));
}

// ---- protection of files that were not loaded ----------------------------------------------

void TestDataFolder::unloadedFilesProtected_data()
{
    QTest::addColumn<bool>("recordsLoaded");
    QTest::addColumn<bool>("namesLoaded");
    QTest::addColumn<bool>("colorsLoaded");
    QTest::addColumn<bool>("colorsExist");

    // clang-format off
    QTest::newRow("records failed: all protected") << false << false << false << true;
    QTest::newRow("names failed") << true << false << false << true;
    QTest::newRow("colours failed") << true << true << false << true;
    QTest::newRow("all loaded") << true << true << true << true;
    QTest::newRow("names failed, no colours file") << true << false << false << false;
    QTest::newRow("records failed, no colours file") << false << false << false << false;
    // clang-format on
}

void TestDataFolder::unloadedFilesProtected()
{
    QFETCH(bool, recordsLoaded);
    QFETCH(bool, namesLoaded);
    QFETCH(bool, colorsLoaded);
    QFETCH(bool, colorsExist);

    Folder dir;
    const QByteArray records = joined(recordLines(100), "\r\n", true);
    const QByteArray names = joined(repeated("Coffee", 100), "\r\n", true);
    const QByteArray colors = joined(repeated("13565951", 100), "\r\n", true);
    QVERIFY(dir.put(DataFolder::File::Records, records));
    QVERIFY(dir.put(DataFolder::File::Names, names));
    if (colorsExist)
        QVERIFY(dir.put(DataFolder::File::Colors, colors));

    DataFolder folder(dir.path);
    if (recordsLoaded)
        folder.markLoaded(DataFolder::File::Records);
    if (namesLoaded)
        folder.markLoaded(DataFolder::File::Names);
    if (colorsLoaded)
        folder.markLoaded(DataFolder::File::Colors);
    folder.protectUnloadedFiles();

    const bool colorsProtected = !colorsLoaded && colorsExist;
    QCOMPARE(folder.isProtected(DataFolder::File::Records), !recordsLoaded);
    QCOMPARE(folder.isProtected(DataFolder::File::Names), !namesLoaded);
    QCOMPARE(folder.isProtected(DataFolder::File::Colors), colorsProtected);

    QStringList expectedPaths;
    if (!recordsLoaded)
        expectedPaths << dir.file(DataFolder::File::Records);
    if (!namesLoaded)
        expectedPaths << dir.file(DataFolder::File::Names);
    if (colorsProtected)
        expectedPaths << dir.file(DataFolder::File::Colors);
    QCOMPARE(folder.protectedPaths(), expectedPaths);

    // Saving the empty state of a failed start.
    folder.saveRecords(TextLines(QStringList(100, RecordLine::Empty)));
    folder.saveNames(QStringList(100, QString()));
    folder.saveColors(QList<ColorValue>(100, FieldColor::Silver));

    const QByteArray emptyRecords = joined(repeated("00/00/0000 0 000 3", 100), "\r\n", true);
    const QByteArray emptyNames = joined(repeated(QByteArray(), 100), "\r\n", true);
    const QByteArray silver = joined(repeated("12632256", 100), "\r\n", true);
    QCOMPARE(dir.bytes(DataFolder::File::Records), recordsLoaded ? emptyRecords : records);
    QCOMPARE(dir.bytes(DataFolder::File::Names), namesLoaded ? emptyNames : names);
    QCOMPARE(dir.bytes(DataFolder::File::Colors), colorsProtected ? colors : silver);
}

void TestDataFolder::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("named pipe") << "fifo"
                                << "Cannot open file %1";
    QTest::newRow("device") << "/dev/zero"
                            << "Cannot open file %1";
    QTest::newRow("folder") << "folder"
                            << "Cannot open file %1";
    QTest::newRow("larger than 64 MB") << "large"
                                       << "%1 is larger than 64 MB: it is not a file Pantrova wrote";
}

void TestDataFolder::onlyRegularFilesAreRead()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    Folder dir;
    const QString records = dir.file(DataFolder::File::Records);
    const QByteArray name = QFile::encodeName(records);
    if (kind == "fifo")
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == "/dev/zero")
        QVERIFY(QFile::link(kind, records));
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(records));
    else
        QVERIFY(writeBytes(records, "x") && QFile::resize(records, 65 * 1024 * 1024));
    // Read without blocking and without taking the memory, and refused by name.
    QString caught;
    try {
        DataFolder(dir.path).loadRecords();
    } catch (const FileError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, message.arg(records));
}

void TestDataFolder::colorLinesPastTheLastSlotKept()
{
    Folder dir;
    const QByteArray stored = joined(repeated("12632256", 100) + QList<QByteArray>{"255", "kept"}, "\r\n", true);
    QVERIFY(dir.put(DataFolder::File::Colors, stored));
    DataFolder folder(dir.path);
    QVERIFY(folder.loadColorLines());
    folder.saveColors(QList<ColorValue>(100, FieldColor::Cream));
    QCOMPARE(dir.bytes(DataFolder::File::Colors),
             joined(repeated("13565951", 100) + QList<QByteArray>{"255", "kept"}, "\r\n", true));
}

void TestDataFolder::interruptedSavesRemoved()
{
    Folder dir;
    const QStringList leftovers{".InvRecs.txt.pantrova-save-Ab12Cd", ".RecDesc.txt.pantrova-save-zzzzzz",
                                ".ecol.div.pantrova-save-000000", ".ecol.div.unreadable.pantrova-save-aB3dE9",
                                ".pantrova-write-test-Xy12zZ"};
    // The user's own files, whatever they look like, stay: even what earlier versions named
    // their temporary files is a name a user may give a copy.
    const QStringList kept{"InvRecs.txt",
                           "InvRecs.txt.backup",
                           "RecDesc.txt.before",
                           "ecol.div.zzzzzz",
                           "InvRecs.txt.Ab12Cd",
                           "ecol.div.unreadable",
                           ".pantrova.lock",
                           ".InvRecs.txt.pantrova-save-Ab12C",
                           ".notes.txt.pantrova-save-Ab12Cd",
                           ".pantrova-write-test-Xy12z\u00e9"};
    for (const QString &name : leftovers + kept)
        QVERIFY(writeBytes(dir.path + QLatin1Char('/') + name, "x"));
    // A folder and a link named like leftovers are not files a save left.
    const QString folderLikeLeftover = dir.path + QStringLiteral("/.RecDesc.txt.pantrova-save-Qq12Rr");
    QVERIFY(QDir().mkpath(folderLikeLeftover + QStringLiteral("/inside")));
    QVERIFY(QFile::link(dir.path + QStringLiteral("/InvRecs.txt"),
                        dir.path + QStringLiteral("/.ecol.div.pantrova-save-Link12")));

    DataFolder folder(dir.path);
    folder.removeInterruptedSaves();
    folder.saveRecords(TextLines(QStringList(100, RecordLine::Empty)));
    folder.removeInterruptedSaves();
    QStringList expected = kept + QStringList{".ecol.div.pantrova-save-Link12"};
    expected.sort();
    QCOMPARE(QDir(dir.path).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    QVERIFY(QFileInfo(folderLikeLeftover + QStringLiteral("/inside")).isDir());
    QCOMPARE(readBytes(dir.path + QStringLiteral("/InvRecs.txt.backup")), QByteArray("x"));
}

void TestDataFolder::savesWriteOnlyWhatChanged_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("same bytes: left as it is") << "same";
    QTest::newRow("other bytes: written") << "changed";
    QTest::newRow("link made by the user: written through") << "link";
    QTest::newRow("link planted at the backup: replaced") << "planted";
}

void TestDataFolder::savesWriteOnlyWhatChanged()
{
    QFETCH(QString, kind);
    Folder dir;
    const QByteArray silver = joined(repeated("12632256", 100), "\r\n", true);
    const QByteArray cream = joined(repeated("13565951", 100), "\r\n", true);
    const QString elsewhere = dir.temp.path() + QStringLiteral("/elsewhere");
    QVERIFY(writeBytes(elsewhere, kind == "link" ? silver : QByteArray("victim")));
    if (kind == "link")
        QVERIFY(QFile::link(elsewhere, dir.file(DataFolder::File::Colors)));
    else
        QVERIFY(dir.put(DataFolder::File::Colors, kind == "planted" ? QByteArray("damaged") : silver));
    if (kind == "planted")
        QVERIFY(QFile::link(elsewhere, dir.file(DataFolder::File::Colors) + QStringLiteral(".unreadable")));
    struct stat before = {};
    QCOMPARE(::stat(QFile::encodeName(dir.file(DataFolder::File::Colors)).constData(), &before), 0);

    DataFolder folder(dir.path);
    if (kind == "planted")
        folder.markDamaged(DataFolder::File::Colors);
    folder.saveColors(QList<ColorValue>(100, kind == "same" ? FieldColor::Silver : FieldColor::Cream));

    struct stat after = {};
    QCOMPARE(::stat(QFile::encodeName(dir.file(DataFolder::File::Colors)).constData(), &after), 0);
    // A rename over the file gives it a new inode: only an unchanged file keeps its own.
    QCOMPARE(after.st_ino == before.st_ino, kind == "same");
    QCOMPARE(dir.bytes(DataFolder::File::Colors), kind == "same" ? silver : cream);
    QVERIFY(!folder.hasPending());
    QCOMPARE(QFileInfo(dir.file(DataFolder::File::Colors)).isSymLink(), kind == "link");
    QCOMPARE(readBytes(elsewhere), kind == "link" ? cream : QByteArray("victim"));
    if (kind == "planted")
        QCOMPARE(readBytes(dir.file(DataFolder::File::Colors) + QStringLiteral(".unreadable")), QByteArray("damaged"));
}

void TestDataFolder::nothingProtectedBeforeProtectUnloadedFiles()
{
    Folder dir;
    QVERIFY(dir.put(DataFolder::File::Names, joined(repeated("Coffee", 100), "\r\n", true)));
    DataFolder folder(dir.path);
    QVERIFY(folder.protectedPaths().isEmpty());
    folder.saveNames(QStringList(100, QStringLiteral("Tea")));
    QCOMPARE(dir.bytes(DataFolder::File::Names), joined(repeated("Tea", 100), "\r\n", true));
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "TestDataFolder.moc"
