// SPDX-License-Identifier: GPL-3.0-or-later
// The record line: fixed-column reads and in-place replacements.
//   columns 1-10 buy date, 12 tracking flag, 14-16 cycle days, 18 prewarn days.

#include "core/AppError.h"
#include "core/RecordLine.h"

#include <QTest>

namespace {
// Replaces one field by name with a fixed value: date 01/05/2027, flag 2, cycle 7, prewarn 6.
void replaceField(QString &line, const QString &field)
{
    if (field == QLatin1String("date"))
        RecordLine::setBuyDate(line, QStringLiteral("01/05/2027"));
    else if (field == QLatin1String("flag"))
        RecordLine::setFlag(line, QStringLiteral("2"));
    else if (field == QLatin1String("cycle"))
        RecordLine::setCycleDays(line, 7);
    else
        RecordLine::setPrewarnDays(line, 6);
}
} // namespace

class TestRecordLine : public QObject
{
    Q_OBJECT

private slots:
    void emptyLineReadsAsUnsetUntrackedZeroCycle();
    void readsTakeTheirColumns_data();
    void readsTakeTheirColumns();
    void setCycleDaysReplacesColumns14To16_data();
    void setCycleDaysReplacesColumns14To16();
    void setBuyDateLeavesColumns11To18();
    void setFlagAndPrewarnReplaceOneColumn();
    void charactersAfterColumn18Kept_data();
    void charactersAfterColumn18Kept();
    void shortLineCompletedBeforeReplacement_data();
    void shortLineCompletedBeforeReplacement();
    void outOfRangeValuesRefusedLineUnchanged_data();
    void outOfRangeValuesRefusedLineUnchanged();
    void nonNumericFieldsRaiseConversionError_data();
    void nonNumericFieldsRaiseConversionError();
};

void TestRecordLine::emptyLineReadsAsUnsetUntrackedZeroCycle()
{
    const QString line = QStringLiteral("00/00/0000 0 000 3");
    QCOMPARE(RecordLine::Empty, line);
    QCOMPARE(RecordLine::Empty.size(), 18);
    QCOMPARE(RecordLine::buyDate(line), QStringLiteral("00/00/0000"));
    QCOMPARE(RecordLine::flag(line), QStringLiteral("0"));
    QCOMPARE(RecordLine::cycleText(line), QStringLiteral("000"));
    QCOMPARE(RecordLine::cycleDays(line), 0);
    QCOMPARE(RecordLine::prewarnText(line), QStringLiteral("3"));
    QCOMPARE(RecordLine::prewarnDays(line), 3);
}

void TestRecordLine::readsTakeTheirColumns_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<int>("cycle");
    QTest::addColumn<int>("prewarn");

    // clang-format off
    QTest::newRow("tracked") << "12/01/2026 1 010 3" << "12/01/2026" << "1" << 10 << 3;
    QTest::newRow("learning") << "11/02/2026 2 000 5" << "11/02/2026" << "2" << 0 << 5;
    QTest::newRow("max values") << "01/31/2027 1 999 9" << "01/31/2027" << "1" << 999 << 9;
    QTest::newRow("distinct digits") << "03/04/2025 1 123 7" << "03/04/2025" << "1" << 123 << 7;
    QTest::newRow("trailing text") << "03/04/2025 1 123 7 milk" << "03/04/2025" << "1" << 123 << 7;
    // clang-format on
}

void TestRecordLine::readsTakeTheirColumns()
{
    QFETCH(QString, line);
    QFETCH(QString, date);
    QFETCH(QString, flag);
    QFETCH(int, cycle);
    QFETCH(int, prewarn);

    QCOMPARE(RecordLine::buyDate(line), date);
    QCOMPARE(RecordLine::flag(line), flag);
    QCOMPARE(RecordLine::cycleDays(line), cycle);
    QCOMPARE(RecordLine::prewarnDays(line), prewarn);
}

void TestRecordLine::setCycleDaysReplacesColumns14To16_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("7 on 010") << "12/01/2026 1 010 3" << 7 << "12/01/2026 1 007 3";
    QTest::newRow("0") << "12/01/2026 1 010 3" << 0 << "12/01/2026 1 000 3";
    QTest::newRow("two digits") << "12/01/2026 1 010 3" << 42 << "12/01/2026 1 042 3";
    QTest::newRow("999") << "12/01/2026 1 010 3" << 999 << "12/01/2026 1 999 3";
    QTest::newRow("on empty line") << "00/00/0000 0 000 3" << 123 << "00/00/0000 0 123 3";
    // clang-format on
}

void TestRecordLine::setCycleDaysReplacesColumns14To16()
{
    QFETCH(QString, line);
    QFETCH(int, days);
    QFETCH(QString, expected);

    RecordLine::setCycleDays(line, days);
    QCOMPARE(line, expected);
    QCOMPARE(line.size(), 18);
}

void TestRecordLine::setBuyDateLeavesColumns11To18()
{
    QString line = QStringLiteral("12/01/2026 1 010 3");
    RecordLine::setBuyDate(line, QStringLiteral("02/29/2024"));
    QCOMPARE(line, QStringLiteral("02/29/2024 1 010 3"));
    QCOMPARE(line.mid(10), QStringLiteral(" 1 010 3"));

    QString unset = RecordLine::Empty;
    RecordLine::setBuyDate(unset, QStringLiteral("12/10/2026"));
    QCOMPARE(unset, QStringLiteral("12/10/2026 0 000 3"));
}

void TestRecordLine::setFlagAndPrewarnReplaceOneColumn()
{
    QString line = QStringLiteral("12/01/2026 1 010 3");
    RecordLine::setFlag(line, RecordLine::Flag::Learning);
    QCOMPARE(line, QStringLiteral("12/01/2026 2 010 3"));
    RecordLine::setFlag(line, RecordLine::Flag::NotTracked);
    QCOMPARE(line, QStringLiteral("12/01/2026 0 010 3"));
    RecordLine::setPrewarnDays(line, 9);
    QCOMPARE(line, QStringLiteral("12/01/2026 0 010 9"));
    RecordLine::setPrewarnDays(line, 0);
    QCOMPARE(line, QStringLiteral("12/01/2026 0 010 0"));
}

void TestRecordLine::charactersAfterColumn18Kept_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    const QString tail = QStringLiteral(" note: 2 boxes");
    // clang-format off
    QTest::newRow("date") << "date" << QString("01/05/2027 1 010 3" + tail);
    QTest::newRow("flag") << "flag" << QString("12/01/2026 2 010 3" + tail);
    QTest::newRow("cycle") << "cycle" << QString("12/01/2026 1 007 3" + tail);
    QTest::newRow("prewarn") << "prewarn" << QString("12/01/2026 1 010 6" + tail);
    // clang-format on
}

void TestRecordLine::charactersAfterColumn18Kept()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);

    QString line = QStringLiteral("12/01/2026 1 010 3 note: 2 boxes");
    replaceField(line, field);
    QCOMPARE(line, expected);
}

void TestRecordLine::shortLineCompletedBeforeReplacement_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("cycle on date and flag") << "12/01/2026 1" << "cycle" << "12/01/2026 1 007 3";
    QTest::newRow("prewarn on date and flag") << "12/01/2026 1" << "prewarn" << "12/01/2026 1 000 6";
    QTest::newRow("flag on date only") << "12/01/2026" << "flag" << "12/01/2026 2 000 3";
    QTest::newRow("date on empty text") << "" << "date" << "01/05/2027 0 000 3";
    QTest::newRow("cycle on empty text") << "" << "cycle" << "00/00/0000 0 007 3";
    QTest::newRow("prewarn on 17 characters") << "12/01/2026 1 010 " << "prewarn" << "12/01/2026 1 010 6";
    // clang-format on
}

void TestRecordLine::shortLineCompletedBeforeReplacement()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    replaceField(line, field);
    QCOMPARE(line, expected);
    QCOMPARE(line.size(), 18);
    // Every field now reads back from its own column.
    QVERIFY(RecordLine::cycleDays(line) >= 0);
    QVERIFY(RecordLine::prewarnDays(line) >= 0);
}

void TestRecordLine::outOfRangeValuesRefusedLineUnchanged_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");

    // clang-format off
    QTest::newRow("cycle 1000") << "12/01/2026 1 010 3" << "cycle" << 1000;
    QTest::newRow("cycle -1") << "12/01/2026 1 010 3" << "cycle" << -1;
    QTest::newRow("prewarn 10") << "12/01/2026 1 010 3" << "prewarn" << 10;
    QTest::newRow("prewarn -1") << "12/01/2026 1 010 3" << "prewarn" << -1;
    QTest::newRow("cycle 1000 on short line") << "12/01/2026 1" << "cycle" << 1000;
    // clang-format on
}

void TestRecordLine::outOfRangeValuesRefusedLineUnchanged()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(int, value);

    const QString before = line;
    bool refused = false;
    try {
        if (field == QLatin1String("cycle"))
            RecordLine::setCycleDays(line, value);
        else
            RecordLine::setPrewarnDays(line, value);
    } catch (const AppError &) {
        refused = true;
    }
    QVERIFY(refused);
    QCOMPARE(line, before);
}

void TestRecordLine::nonNumericFieldsRaiseConversionError_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("hex cycle") << "12/01/2026 1 0x1 3" << "cycle" << "'0x1' is not a valid integer value";
    QTest::newRow("letters in cycle") << "12/01/2026 1 abc 3" << "cycle" << "'abc' is not a valid integer value";
    QTest::newRow("letter prewarn") << "12/01/2026 1 010 z" << "prewarn" << "'z' is not a valid integer value";
    QTest::newRow("blank cycle") << "12/01/2026 1     3" << "cycle" << "'   ' is not a valid integer value";
    QTest::newRow("prewarn missing") << "12/01/2026 1 010" << "prewarn" << "'' is not a valid integer value";
    // clang-format on
}

void TestRecordLine::nonNumericFieldsRaiseConversionError()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, message);

    QString caught;
    try {
        if (field == QLatin1String("cycle"))
            RecordLine::cycleDays(line);
        else
            RecordLine::prewarnDays(line);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, message);
}

QTEST_GUILESS_MAIN(TestRecordLine)
#include "TestRecordLine.moc"
