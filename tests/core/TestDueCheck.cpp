// SPDX-License-Identifier: GPL-3.0-or-later
// The due check: tracked items turn yellow when their remaining days are at most their prewarn
// days and red from the due day on; red fields are never touched.

#include "core/AppError.h"
#include "core/DueCheck.h"
#include "core/RecordLine.h"

#include "FakeFields.h"

#include <QTest>

#include <array>

namespace {

const QDate Today(2026, 12, 10);

} // namespace

class TestDueCheck : public QObject
{
    Q_OBJECT

private slots:
    void trackedLinesColoured_data();
    void trackedLinesColoured();
    void untrackedOrUndatedLinesNeverColoured_data();
    void untrackedOrUndatedLinesNeverColoured();
    void redFieldNeverTouched();
    void boughtFieldAboveWindowStaysBought();
    void otherColoursKeptAboveWindow_data();
    void otherColoursKeptAboveWindow();
    void prewarnNotBelowCycleGoesYellowAtFirstCheck_data();
    void prewarnNotBelowCycleGoesYellowAtFirstCheck();
    void badLineEndsThePass_data();
    void badLineEndsThePass();
    void newDayAfterMidnightUsed();
    void everySlotGetsItsOwnColour();
    void linesPastTheLastSlotNotChecked();
    void shortRecordsListChecksWhatThereIs();
};

void TestDueCheck::trackedLinesColoured_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("remaining");
    QTest::addColumn<FieldColors>("expected");

    const FieldColors prewarn{65535, 8388608};
    const FieldColors due{255, 65535};
    const FieldColors plain{12632256, 8388608};
    // clang-format off
    QTest::newRow("remaining 1 -> prewarn") << "12/01/2026 1 010 3" << 1 << prewarn;
    QTest::newRow("remaining 0 -> due") << "11/30/2026 1 010 3" << 0 << due;
    QTest::newRow("due 1 day ago -> due") << "11/29/2026 1 010 3" << -1 << due;
    QTest::newRow("due 6 days ago -> due") << "11/24/2026 1 010 3" << -6 << due;
    QTest::newRow("due 400 days ago -> due") << "10/26/2025 1 010 3" << -400 << due;
    QTest::newRow("due 6 days ago, prewarn 0 -> due") << "11/24/2026 1 010 0" << -6 << due;
    QTest::newRow("future buy date past its distance -> prewarn") << "12/30/2026 1 005 3" << -15 << prewarn;
    QTest::newRow("remaining 21 -> unchanged") << "12/01/2026 1 030 3" << 21 << plain;
    QTest::newRow("cycle 000 on buy day -> due") << "12/10/2026 1 000 3" << 0 << due;
    QTest::newRow("future buy date -> due") << "12/15/2026 1 005 3" << 0 << due;
    QTest::newRow("remaining 3 = prewarn -> prewarn") << "12/01/2026 1 012 3" << 3 << prewarn;
    QTest::newRow("remaining 4 > prewarn -> unchanged") << "12/01/2026 1 013 3" << 4 << plain;
    QTest::newRow("prewarn 0, remaining 1 -> unchanged") << "12/01/2026 1 010 0" << 1 << plain;
    QTest::newRow("trailing text ignored") << "11/30/2026 1 010 3 Milk" << 0 << due;
    QTest::newRow("across year end") << "12/31/2025 1 344 3" << 0 << due;
    // clang-format on
}

void TestDueCheck::trackedLinesColoured()
{
    QFETCH(QString, line);
    QFETCH(int, remaining);
    QFETCH(FieldColors, expected);

    QCOMPARE(DueCheck::remainingDays(line, Today), remaining);

    const TextLines records = recordsWith(37, line);
    FakeFields fields;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(37), expected);
    for (int slot = 1; slot <= 100; ++slot) {
        if (slot != 37)
            QCOMPARE(fields.at(slot), FieldState::Plain);
    }
    QCOMPARE(fields.badSlots(), 0);
}

void TestDueCheck::untrackedOrUndatedLinesNeverColoured_data()
{
    QTest::addColumn<QString>("line");

    const QStringList coloured{"12/01/2026 _ 010 3", "11/30/2026 _ 010 3", "11/25/2026 _ 010 3", "12/10/2026 _ 000 3",
                               "12/15/2026 _ 005 3"};
    for (const QString &flag : {QStringLiteral("0"), QStringLiteral("2")}) {
        for (QString line : coloured) {
            line[11] = flag.at(0);
            // clang-format off
            QTest::newRow(qPrintable(line)) << line;
            // clang-format on
        }
    }
    // clang-format off
    QTest::newRow("unset date, flag 1, cycle 0") << "00/00/0000 1 000 3";
    QTest::newRow("unset date, flag 1, cycle 10") << "00/00/0000 1 010 9";
    QTest::newRow("flag blank") << "11/30/2026   010 3";
    QTest::newRow("empty line") << "00/00/0000 0 000 3";
    QTest::newRow("empty text") << "";
    // clang-format on
}

void TestDueCheck::untrackedOrUndatedLinesNeverColoured()
{
    QFETCH(QString, line);

    const TextLines records = recordsWith(5, line);
    FakeFields fields;
    fields.at(5) = FieldState::Bought;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(5), FieldState::Bought);
    QCOMPARE(fields.writes(), 0);
}

void TestDueCheck::redFieldNeverTouched()
{
    // Red with a yellow font, and red with a font picked by hand: both stay as they are.
    QStringList lines(100, RecordLine::Empty);
    lines[0] = QStringLiteral("12/09/2026 1 100 3"); // remaining 99
    lines[1] = QStringLiteral("12/01/2026 1 010 3"); // remaining 1: would be prewarn
    lines[2] = QStringLiteral("xx/yy/zzzz 1 abc 3"); // not even read
    const TextLines records(lines);
    FakeFields fields;
    fields.at(1) = FieldState::Due;
    fields.at(2) = FieldColors{FieldColor::Red, FieldColor::Black};
    fields.at(3) = FieldState::Due;

    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(1), FieldState::Due);
    QCOMPARE(fields.at(2), (FieldColors{FieldColor::Red, FieldColor::Black}));
    QCOMPARE(fields.at(3), FieldState::Due);
    QCOMPARE(fields.writes(), 0);
}

void TestDueCheck::boughtFieldAboveWindowStaysBought()
{
    const TextLines records = recordsWith(12, QStringLiteral("12/08/2026 1 010 3")); // remaining 8
    FakeFields fields;
    fields.at(12) = FieldState::Bought;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(12), FieldState::Bought);

    // Once inside the window the bought field turns yellow.
    DueCheck::run(records, fields, Today.addDays(5)); // remaining 3
    QCOMPARE(fields.at(12), FieldState::Prewarn);
}

void TestDueCheck::otherColoursKeptAboveWindow_data()
{
    QTest::addColumn<FieldColors>("colors");

    // clang-format off
    QTest::newRow("plain") << FieldState::Plain;
    QTest::newRow("bought") << FieldState::Bought;
    QTest::newRow("prewarn from an earlier run") << FieldState::Prewarn;
    QTest::newRow("learning colours") << FieldState::Learning;
    QTest::newRow("light gray by hand") << FieldColors{FieldColor::LightGray, FieldColor::Black};
    QTest::newRow("dark gray by hand") << FieldColors{FieldColor::DarkGray, FieldColor::White};
    // clang-format on
}

void TestDueCheck::otherColoursKeptAboveWindow()
{
    QFETCH(FieldColors, colors);

    // Remaining 21 keeps any colour; remaining 0 turns any colour but red to due.
    QStringList lines(100, RecordLine::Empty);
    lines[0] = QStringLiteral("12/01/2026 1 030 3");
    lines[1] = QStringLiteral("11/30/2026 1 010 3");
    const TextLines records(lines);
    FakeFields fields;
    fields.at(1) = colors;
    fields.at(2) = colors;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(1), colors);
    QCOMPARE(fields.at(2), FieldState::Due);
}

void TestDueCheck::prewarnNotBelowCycleGoesYellowAtFirstCheck_data()
{
    QTest::addColumn<QString>("line");

    // clang-format off
    QTest::newRow("cycle 3, prewarn 3, bought today") << "12/10/2026 1 003 3";
    QTest::newRow("cycle 5, prewarn 9, bought yesterday") << "12/09/2026 1 005 9";
    QTest::newRow("cycle 1, prewarn 1, bought today") << "12/10/2026 1 001 1";
    // clang-format on
}

void TestDueCheck::prewarnNotBelowCycleGoesYellowAtFirstCheck()
{
    QFETCH(QString, line);

    const TextLines records = recordsWith(1, line);
    FakeFields fields;
    fields.at(1) = FieldState::Bought;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(1), FieldState::Prewarn);
}

void TestDueCheck::badLineEndsThePass_data()
{
    QTest::addColumn<QString>("badLine");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("bad date") << "xx/yy/zzzz 1 010 3" << "'xx/yy/zzzz' is not a valid date";
    QTest::newRow("impossible date") << "02/30/2026 1 010 3" << "'02/30/2026' is not a valid date";
    QTest::newRow("bad cycle") << "11/30/2026 1 1O0 3" << "'1O0' is not a valid integer value";
    QTest::newRow("bad prewarn") << "11/30/2026 1 010 x" << "'x' is not a valid integer value";
    // clang-format on
}

void TestDueCheck::badLineEndsThePass()
{
    QFETCH(QString, badLine);
    QFETCH(QString, message);

    QStringList lines(100, QStringLiteral("11/30/2026 1 010 3")); // due everywhere
    lines[4] = badLine;
    const TextLines records(lines);
    FakeFields fields;

    QString caught;
    try {
        DueCheck::run(records, fields, Today);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, message);
    for (int slot = 1; slot <= 4; ++slot)
        QCOMPARE(fields.at(slot), FieldState::Due);
    for (int slot = 5; slot <= 100; ++slot)
        QCOMPARE(fields.at(slot), FieldState::Plain);
}

void TestDueCheck::newDayAfterMidnightUsed()
{
    // Cycle 10 bought 12/01/2026, prewarn 0: remaining 1 on 12/10, 0 on 12/11.
    QStringList lines(100, RecordLine::Empty);
    lines[0] = QStringLiteral("12/01/2026 1 010 0");
    lines[1] = QStringLiteral("12/01/2026 1 014 3"); // remaining 5, then 4, then 3
    const TextLines records(lines);
    FakeFields fields;

    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(1), FieldState::Plain);
    QCOMPARE(fields.at(2), FieldState::Plain);

    DueCheck::run(records, fields, Today.addDays(1));
    QCOMPARE(fields.at(1), FieldState::Due);
    QCOMPARE(fields.at(2), FieldState::Plain);

    DueCheck::run(records, fields, Today.addDays(2));
    QCOMPARE(fields.at(1), FieldState::Due); // stays due: red is not touched
    QCOMPARE(fields.at(2), FieldState::Prewarn);

    // A day missed: the check on the following day finds the item due all the same.
    FakeFields missed;
    DueCheck::run(records, missed, Today.addDays(2));
    QCOMPARE(missed.at(1), FieldState::Due);
}

void TestDueCheck::everySlotGetsItsOwnColour()
{
    // Alternate due, prewarn and quiet lines over all 100 slots; a shifted slot shows.
    QStringList lines;
    for (int slot = 1; slot <= 100; ++slot) {
        switch (slot % 3) {
        case 0:
            lines << QStringLiteral("11/30/2026 1 010 3");
            break;
        case 1:
            lines << QStringLiteral("12/01/2026 1 010 3");
            break;
        default:
            lines << QStringLiteral("12/01/2026 1 030 3");
        }
    }
    const TextLines records(lines);
    FakeFields fields;
    DueCheck::run(records, fields, Today);
    for (int slot = 1; slot <= 100; ++slot) {
        const FieldColors expected = slot % 3 == 0   ? FieldState::Due
                                     : slot % 3 == 1 ? FieldState::Prewarn
                                                     : FieldState::Plain;
        QCOMPARE(fields.at(slot), expected);
    }
}

void TestDueCheck::linesPastTheLastSlotNotChecked()
{
    QStringList lines(100, RecordLine::Empty);
    lines << QStringLiteral("11/30/2026 1 010 3") << QStringLiteral("xx/yy/zzzz 1 010 3");
    const TextLines records(lines);
    FakeFields fields;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.badSlots(), 0);
    QCOMPARE(fields.writes(), 0);
}

void TestDueCheck::shortRecordsListChecksWhatThereIs()
{
    const TextLines records(QStringList{QStringLiteral("00/00/0000 0 000 3"), QStringLiteral("11/30/2026 1 010 3")});
    FakeFields fields;
    DueCheck::run(records, fields, Today);
    QCOMPARE(fields.at(1), FieldState::Plain);
    QCOMPARE(fields.at(2), FieldState::Due);
    QCOMPARE(fields.at(3), FieldState::Plain);
    QCOMPARE(fields.badSlots(), 0);
}

QTEST_GUILESS_MAIN(TestDueCheck)
#include "TestDueCheck.moc"
