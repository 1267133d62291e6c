// SPDX-License-Identifier: GPL-3.0-or-later
// What the purchase button, "Reset All Red" and the item menu do to record lines and field
// colours: purchase, reset, start and stop of tracking, cycle changes, date bumps, prewarn
// days and clearing.

#include "core/AppError.h"
#include "core/ItemOperations.h"
#include "core/RecordLine.h"

#include "FakeFields.h"

#include <QTest>

#include <array>

using ItemOperations::CycleResult;

namespace {

const QDate Today(2026, 12, 10);
const QString TodayText = QStringLiteral("12/10/2026");

} // namespace

Q_DECLARE_METATYPE(ItemOperations::CycleResult)

namespace QTest {
template<> char *toString(const ItemOperations::CycleResult &result)
{
    switch (result) {
    case CycleResult::Changed:
        return qstrdup("Changed");
    case CycleResult::NotAboveZero:
        return qstrdup("NotAboveZero");
    case CycleResult::AboveMaximum:
        return qstrdup("AboveMaximum");
    case CycleResult::BelowZero:
        break;
    }
    return qstrdup("BelowZero");
}
} // namespace QTest

class TestItemOperations : public QObject
{
    Q_OBJECT

private slots:
    void purchaseTogglesBoughtAndDue();
    void purchaseFromPrewarnStartsCycle();
    void purchaseLeavesOtherItemsAlone_data();
    void purchaseLeavesOtherItemsAlone();
    void purchaseBeyondShortRecordsListDoesNothing();

    void resetAllRedResetsExactlyTheRedSlots();
    void resetAllRedWithoutRedChangesNothing();

    void startTrackingBeginsLearning_data();
    void startTrackingBeginsLearning();

    void adjustCycleAddsDays_data();
    void adjustCycleAddsDays();
    void adjustCycleOfUnreadableCycleThrows();
    void refusalMessages_data();
    void refusalMessages();

    void setCycleStartsCycleToday_data();
    void setCycleStartsCycleToday();

    void stopTrackingMeasuresCycle_data();
    void stopTrackingMeasuresCycle();
    void stopTrackingOfUnreadableDateThrows();

    void bumpDateMovesOneDay_data();
    void bumpDateMovesOneDay();
    void bumpDateOfUnsetDateThrows();

    void setHardDateTracksUntrackedItems_data();
    void setHardDateTracksUntrackedItems();

    void setPrewarnChangesColumn18();
    void setPrewarnAllChangesEveryLine();

    void clearWritesEmptyLine_data();
    void clearWritesEmptyLine();
};

// ---- purchase ------------------------------------------------------------------------------

void TestItemOperations::purchaseTogglesBoughtAndDue()
{
    TextLines records = recordsWith(17, QStringLiteral("11/30/2026 1 010 3 Milk"));
    FakeFields fields;
    fields.at(17) = FieldState::Due;

    ItemOperations::purchase(records, fields, 17, Today);
    QCOMPARE(fields.at(17), FieldState::Bought);
    QCOMPARE(records.slotLine(17), QStringLiteral("12/10/2026 1 010 3 Milk"));

    ItemOperations::purchase(records, fields, 17, Today.addDays(1));
    QCOMPARE(fields.at(17), FieldState::Due);
    QCOMPARE(records.slotLine(17), QStringLiteral("12/10/2026 1 010 3 Milk"));

    ItemOperations::purchase(records, fields, 17, Today);
    QCOMPARE(fields.at(17), FieldState::Bought);
    QCOMPARE(records.slotLine(17), QStringLiteral("12/10/2026 1 010 3 Milk"));

    // No other slot was touched.
    for (int slot = 1; slot <= 100; ++slot) {
        if (slot != 17) {
            QCOMPARE(fields.at(slot), FieldState::Plain);
            QCOMPARE(records.slotLine(slot), RecordLine::Empty);
        }
    }
}

void TestItemOperations::purchaseFromPrewarnStartsCycle()
{
    TextLines records = recordsWith(3, QStringLiteral("12/01/2026 1 010 3"));
    FakeFields fields;
    fields.at(3) = FieldState::Prewarn;
    ItemOperations::purchase(records, fields, 3, Today);
    QCOMPARE(fields.at(3), FieldState::Bought);
    QCOMPARE(records.slotLine(3), QStringLiteral("12/10/2026 1 010 3"));
}

void TestItemOperations::purchaseLeavesOtherItemsAlone_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<FieldColors>("colors");

    // clang-format off
    QTest::newRow("plain, tracked") << "12/01/2026 1 030 3" << FieldState::Plain;
    QTest::newRow("learning") << "12/01/2026 2 000 3" << FieldState::Learning;
    QTest::newRow("light gray by hand, tracked")
        << "12/01/2026 1 010 3" << FieldColors{FieldColor::LightGray, FieldColor::Navy};
    QTest::newRow("dark gray by hand, tracked")
        << "12/01/2026 1 010 3" << FieldColors{FieldColor::DarkGray, FieldColor::White};
    QTest::newRow("red, untracked") << "11/30/2026 0 010 3" << FieldState::Due;
    QTest::newRow("cream, untracked") << "11/30/2026 0 010 3" << FieldState::Bought;
    QTest::newRow("yellow, learning") << "11/30/2026 2 000 3" << FieldState::Prewarn;
    QTest::newRow("red, empty line") << "00/00/0000 0 000 3" << FieldState::Due;
    // clang-format on
}

void TestItemOperations::purchaseLeavesOtherItemsAlone()
{
    QFETCH(QString, line);
    QFETCH(FieldColors, colors);

    TextLines records = recordsWith(9, line);
    FakeFields fields;
    fields.at(9) = colors;
    ItemOperations::purchase(records, fields, 9, Today);
    QCOMPARE(fields.at(9), colors);
    QCOMPARE(records.slotLine(9), line);
}

void TestItemOperations::purchaseBeyondShortRecordsListDoesNothing()
{
    TextLines records(QStringList(5, QStringLiteral("11/30/2026 1 010 3")));
    FakeFields fields;
    fields.at(50) = FieldState::Due;
    ItemOperations::purchase(records, fields, 50, Today);
    QCOMPARE(records.count(), 5);
    QCOMPARE(records.lines(), QStringList(5, QStringLiteral("11/30/2026 1 010 3")));
    QCOMPARE(fields.at(50), FieldState::Due);
}

// ---- reset all red -------------------------------------------------------------------------

void TestItemOperations::resetAllRedResetsExactlyTheRedSlots()
{
    QStringList lines(100, QStringLiteral("11/30/2026 1 010 3"));
    lines[6] = QStringLiteral("11/30/2026 0 010 3"); // red by hand, not tracked
    lines[99] = QStringLiteral("00/00/0000 0 000 3 x");
    TextLines records(lines);
    FakeFields fields;
    fields.at(1) = FieldState::Due;
    fields.at(2) = FieldState::Due;
    fields.at(3) = FieldState::Prewarn;
    fields.at(4) = FieldState::Bought;
    fields.at(5) = FieldState::Learning;
    fields.at(7) = FieldColors{FieldColor::Red, FieldColor::Black};
    fields.at(100) = FieldState::Due;

    const QList<int> reset = ItemOperations::resetAllRed(records, fields, Today);
    QCOMPARE(reset, (QList<int>{1, 2, 7, 100}));

    QCOMPARE(records.slotLine(1), QStringLiteral("12/10/2026 1 010 3"));
    QCOMPARE(records.slotLine(2), QStringLiteral("12/10/2026 1 010 3"));
    QCOMPARE(records.slotLine(7), QStringLiteral("12/10/2026 0 010 3"));
    QCOMPARE(records.slotLine(100), QStringLiteral("12/10/2026 0 000 3 x"));
    for (int slot : {1, 2, 7, 100})
        QCOMPARE(fields.at(slot), FieldState::Bought);

    for (int slot = 3; slot <= 99; ++slot) {
        if (slot != 7)
            QCOMPARE(records.slotLine(slot), lines.at(slot - 1));
    }
    QCOMPARE(fields.at(3), FieldState::Prewarn);
    QCOMPARE(fields.at(4), FieldState::Bought);
    QCOMPARE(fields.at(5), FieldState::Learning);
    QCOMPARE(fields.at(6), FieldState::Plain);
    QCOMPARE(fields.badSlots(), 0);
}

void TestItemOperations::resetAllRedWithoutRedChangesNothing()
{
    const QStringList lines(100, QStringLiteral("11/30/2026 1 010 3"));
    TextLines records(lines);
    FakeFields fields;
    fields.at(1) = FieldState::Prewarn;
    fields.at(2) = FieldState::Bought;

    QVERIFY(ItemOperations::resetAllRed(records, fields, Today).isEmpty());
    QCOMPARE(records.lines(), lines);
    QCOMPARE(fields.at(1), FieldState::Prewarn);
    QCOMPARE(fields.at(2), FieldState::Bought);
}

// ---- start and stop of tracking ------------------------------------------------------------

void TestItemOperations::startTrackingBeginsLearning_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("tracked item") << "11/02/2026 1 014 5" << "12/10/2026 2 000 5";
    QTest::newRow("empty line") << "00/00/0000 0 000 3" << "12/10/2026 2 000 3";
    QTest::newRow("restart") << "12/01/2026 2 000 9" << "12/10/2026 2 000 9";
    QTest::newRow("text after column 18") << "11/02/2026 1 014 5 Tea" << "12/10/2026 2 000 5 Tea";
    // clang-format on
}

void TestItemOperations::startTrackingBeginsLearning()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);

    TextLines records = recordsWith(20, line);
    ItemOperations::startTracking(records, 20, Today);
    QCOMPARE(records.slotLine(20), expected);
    QCOMPARE(records.slotLine(19), RecordLine::Empty);
    QCOMPARE(records.slotLine(21), RecordLine::Empty);
}

void TestItemOperations::stopTrackingMeasuresCycle_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<CycleResult>("result");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("on the start day") << "12/10/2026 2 000 5" << CycleResult::Changed << "12/10/2026 1 000 5";
    QTest::newRow("after 14 days") << "11/26/2026 2 000 3" << CycleResult::Changed << "11/26/2026 1 014 3";
    QTest::newRow("across a year end") << "12/20/2025 2 000 3" << CycleResult::Changed << "12/20/2025 1 355 3";
    QTest::newRow("after 999 days") << "03/16/2024 2 000 3" << CycleResult::Changed << "03/16/2024 1 999 3";
    QTest::newRow("after 1000 days") << "03/15/2024 2 000 3" << CycleResult::AboveMaximum << "03/15/2024 2 000 3";
    QTest::newRow("start day in the future") << "12/13/2026 2 000 3" << CycleResult::Changed
                                             << "12/13/2026 1 003 3";
    // clang-format on
}

void TestItemOperations::stopTrackingMeasuresCycle()
{
    QFETCH(QString, line);
    QFETCH(CycleResult, result);
    QFETCH(QString, expected);

    TextLines records = recordsWith(8, line);
    QCOMPARE(ItemOperations::stopTracking(records, 8, Today), result);
    QCOMPARE(records.slotLine(8), expected);
}

void TestItemOperations::stopTrackingOfUnreadableDateThrows()
{
    TextLines records = recordsWith(8, QStringLiteral("00/00/0000 2 000 3"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, ItemOperations::stopTracking(records, 8, Today));
    QCOMPARE(records.slotLine(8), QStringLiteral("00/00/0000 2 000 3"));
}

// ---- cycle days ----------------------------------------------------------------------------

void TestItemOperations::adjustCycleAddsDays_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("days");
    QTest::addColumn<CycleResult>("result");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("-10 on 010") << "12/01/2026 1 010 3" << -10 << CycleResult::NotAboveZero << "12/01/2026 1 010 3";
    QTest::newRow("-11 on 010") << "12/01/2026 1 010 3" << -11 << CycleResult::NotAboveZero << "12/01/2026 1 010 3";
    QTest::newRow("-5 on 005") << "12/01/2026 1 005 3" << -5 << CycleResult::NotAboveZero << "12/01/2026 1 005 3";
    QTest::newRow("-9 on 010") << "12/01/2026 1 010 3" << -9 << CycleResult::Changed << "12/01/2026 1 001 3";
    QTest::newRow("-3 on 010") << "12/01/2026 1 010 3" << -3 << CycleResult::Changed << "12/01/2026 1 007 3";
    QTest::newRow("+5 on 010") << "12/01/2026 1 010 3" << 5 << CycleResult::Changed << "12/01/2026 1 015 3";
    QTest::newRow("+989 on 010") << "12/01/2026 1 010 3" << 989 << CycleResult::Changed << "12/01/2026 1 999 3";
    QTest::newRow("+990 on 010") << "12/01/2026 1 010 3" << 990 << CycleResult::AboveMaximum << "12/01/2026 1 010 3";
    QTest::newRow("+995 on 010") << "12/01/2026 1 010 3" << 995 << CycleResult::AboveMaximum << "12/01/2026 1 010 3";
    QTest::newRow("largest number on 010") << "12/01/2026 1 010 3" << std::numeric_limits<int>::max()
                                           << CycleResult::AboveMaximum << "12/01/2026 1 010 3";
    QTest::newRow("smallest number on 999") << "12/01/2026 1 999 3" << std::numeric_limits<int>::min()
                                            << CycleResult::NotAboveZero << "12/01/2026 1 999 3";
    QTest::newRow("flag and date kept") << "12/01/2026 2 000 7 x" << 12 << CycleResult::Changed << "12/01/2026 2 012 7 x";
    // clang-format on
}

void TestItemOperations::adjustCycleAddsDays()
{
    QFETCH(QString, line);
    QFETCH(int, days);
    QFETCH(CycleResult, result);
    QFETCH(QString, expected);

    TextLines records = recordsWith(42, line);
    QCOMPARE(ItemOperations::adjustCycle(records, 42, days), result);
    QCOMPARE(records.slotLine(42), expected);
}

void TestItemOperations::adjustCycleOfUnreadableCycleThrows()
{
    TextLines records = recordsWith(42, QStringLiteral("12/01/2026 1 0a0 3"));
    QString caught;
    try {
        ItemOperations::adjustCycle(records, 42, 5);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("'0a0' is not a valid integer value"));
    QCOMPARE(records.slotLine(42), QStringLiteral("12/01/2026 1 0a0 3"));
}

void TestItemOperations::refusalMessages_data()
{
    QTest::addColumn<CycleResult>("result");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("not above zero") << CycleResult::NotAboveZero
                                    << "Cycle days will be = or < 0, no modification made.";
    QTest::newRow("below zero") << CycleResult::BelowZero << "Cycle days will be = or < 0, no modification made.";
    QTest::newRow("above maximum") << CycleResult::AboveMaximum << "Cycle days will be > 999, no modification made.";
    QTest::newRow("changed") << CycleResult::Changed << "";
    // clang-format on
}

void TestItemOperations::refusalMessages()
{
    QFETCH(CycleResult, result);
    QFETCH(QString, message);
    QCOMPARE(ItemOperations::refusalMessage(result), message);
}

void TestItemOperations::setCycleStartsCycleToday_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("days");
    QTest::addColumn<CycleResult>("result");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("7 on the empty line") << "00/00/0000 0 000 3" << 7 << CycleResult::Changed << "12/10/2026 1 007 3";
    QTest::newRow("20 on a learning item") << "11/02/2026 2 000 5" << 20 << CycleResult::Changed
                                           << "12/10/2026 1 020 5";
    QTest::newRow("0 (empty edit)") << "11/02/2026 0 014 3" << 0 << CycleResult::Changed << "12/10/2026 1 000 3";
    QTest::newRow("999") << "00/00/0000 0 000 3" << 999 << CycleResult::Changed << "12/10/2026 1 999 3";
    QTest::newRow("-1 refused") << "11/02/2026 0 014 3" << -1 << CycleResult::BelowZero << "11/02/2026 0 014 3";
    QTest::newRow("1000 refused") << "11/02/2026 0 014 3" << 1000 << CycleResult::AboveMaximum
                                  << "11/02/2026 0 014 3";
    // clang-format on
}

void TestItemOperations::setCycleStartsCycleToday()
{
    QFETCH(QString, line);
    QFETCH(int, days);
    QFETCH(CycleResult, result);
    QFETCH(QString, expected);

    TextLines records = recordsWith(1, line);
    QCOMPARE(ItemOperations::setCycle(records, 1, days, Today), result);
    QCOMPARE(records.slotLine(1), expected);
    QCOMPARE(records.slotLine(2), RecordLine::Empty);
}

// ---- buy date ------------------------------------------------------------------------------

void TestItemOperations::bumpDateMovesOneDay_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("back over leap day") << "03/01/2008 1 010 3" << -1 << "02/29/2008 1 010 3";
    QTest::newRow("forward over year end") << "12/31/2007 1 010 3" << 1 << "01/01/2008 1 010 3";
    QTest::newRow("forward into leap day") << "02/28/2024 2 000 4" << 1 << "02/29/2024 2 000 4";
    QTest::newRow("back over year end, text kept") << "01/01/2027 0 005 3 Salt" << -1 << "12/31/2026 0 005 3 Salt";
    QTest::newRow("forward onto the last day") << "12/30/9999 1 010 3" << 1 << "12/31/9999 1 010 3";
    QTest::newRow("forward past 9999 refused") << "12/31/9999 1 010 3" << 1 << "12/31/9999 1 010 3";
    QTest::newRow("back before year 1 refused") << "01/01/0001 1 010 3" << -1 << "01/01/0001 1 010 3";
    // clang-format on
}

void TestItemOperations::bumpDateMovesOneDay()
{
    QFETCH(QString, line);
    QFETCH(int, days);
    QFETCH(QString, expected);

    TextLines records = recordsWith(64, line);
    // A refused move throws, and the line must be as it was.
    if (line == expected)
        QVERIFY_THROWS_EXCEPTION(ConversionError, ItemOperations::bumpDate(records, 64, days));
    else
        ItemOperations::bumpDate(records, 64, days);
    QCOMPARE(records.slotLine(64), expected);
}

void TestItemOperations::bumpDateOfUnsetDateThrows()
{
    TextLines records = recordsWith(64, QStringLiteral("00/00/0000 1 010 3"));
    QString caught;
    try {
        ItemOperations::bumpDate(records, 64, 1);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("'00/00/0000' is not a valid date"));
    QCOMPARE(records.slotLine(64), QStringLiteral("00/00/0000 1 010 3"));
}

void TestItemOperations::setHardDateTracksUntrackedItems_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    const QDate leapDay(2024, 2, 29);
    // clang-format off
    QTest::newRow("untracked becomes tracked") << "00/00/0000 0 000 3" << leapDay << "02/29/2024 1 000 3";
    QTest::newRow("tracked stays tracked") << "12/01/2026 1 010 3" << leapDay << "02/29/2024 1 010 3";
    QTest::newRow("learning stays learning") << "12/01/2026 2 000 5" << leapDay << "02/29/2024 2 000 5";
    QTest::newRow("last storable day") << "12/01/2026 1 010 3" << QDate(9999, 12, 31) << "12/31/9999 1 010 3";
    QTest::newRow("five-digit year refused") << "12/01/2026 0 010 3" << QDate(10000, 1, 1) << "12/01/2026 0 010 3";
    // clang-format on
}

void TestItemOperations::setHardDateTracksUntrackedItems()
{
    QFETCH(QString, line);
    QFETCH(QDate, date);
    QFETCH(QString, expected);

    TextLines records = recordsWith(30, line);
    QCOMPARE(ItemOperations::setHardDate(records, 30, date), line != expected);
    QCOMPARE(records.slotLine(30), expected);
}

// ---- prewarn days and clearing -------------------------------------------------------------

void TestItemOperations::setPrewarnChangesColumn18()
{
    TextLines records = recordsWith(5, QStringLiteral("12/01/2026 1 010 3"));
    ItemOperations::setPrewarn(records, 5, 0);
    QCOMPARE(records.slotLine(5), QStringLiteral("12/01/2026 1 010 0"));
    ItemOperations::setPrewarn(records, 5, 9);
    QCOMPARE(records.slotLine(5), QStringLiteral("12/01/2026 1 010 9"));
    QCOMPARE(records.slotLine(4), RecordLine::Empty);
    QCOMPARE(records.slotLine(6), RecordLine::Empty);
}

void TestItemOperations::setPrewarnAllChangesEveryLine()
{
    QStringList lines(100, RecordLine::Empty);
    lines[0] = QStringLiteral("12/01/2026 1 010 3");
    lines[49] = QStringLiteral("12/01/2026 2 000 9 Oil");
    lines[99] = QStringLiteral("11/02/2026 0 014 0");
    TextLines records(lines);

    ItemOperations::setPrewarnAll(records, 5);
    QCOMPARE(records.count(), 100);
    for (int slot = 1; slot <= 100; ++slot) {
        QString expected = lines.at(slot - 1);
        expected[17] = QLatin1Char('5');
        QCOMPARE(records.slotLine(slot), expected);
    }
}

void TestItemOperations::clearWritesEmptyLine_data()
{
    QTest::addColumn<QString>("line");

    // clang-format off
    QTest::newRow("tracked") << "12/01/2026 1 010 3";
    QTest::newRow("learning, text after column 18") << "12/01/2026 2 000 9 Oil";
    QTest::newRow("short line") << "12/01/2026";
    QTest::newRow("already empty") << "00/00/0000 0 000 3";
    // clang-format on
}

void TestItemOperations::clearWritesEmptyLine()
{
    QFETCH(QString, line);

    TextLines records = recordsWith(77, line);
    records.setSlotLine(76, QStringLiteral("12/01/2026 1 010 3"));
    ItemOperations::clear(records, 77);
    QCOMPARE(records.slotLine(77), QStringLiteral("00/00/0000 0 000 3"));
    QCOMPARE(records.slotLine(76), QStringLiteral("12/01/2026 1 010 3"));
    QCOMPARE(records.count(), 100);
}

QTEST_GUILESS_MAIN(TestItemOperations)
#include "TestItemOperations.moc"
