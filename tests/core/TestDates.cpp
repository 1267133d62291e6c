// SPDX-License-Identifier: GPL-3.0-or-later
// The date and text routines every inventory operation uses: "mm/dd/yyyy" dates, date plus
// days, the absolute days between a date and today, the long date of the date label, and the
// digits-only / integer conversions that turn control names and record columns into numbers.

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/Numbers.h"

#include <QLocale>
#include <QTest>

class TestDates : public QObject
{
    Q_OBJECT

private slots:
    void formatWritesMonthDayYear_data();
    void formatWritesMonthDayYear();
    void parseAndFormatRoundTrip_data();
    void parseAndFormatRoundTrip();
    void invalidDatesRaiseConversionError_data();
    void invalidDatesRaiseConversionError();
    void plusDaysCrossesMonthYearAndLeapDays_data();
    void plusDaysCrossesMonthYearAndLeapDays();
    void plusDaysOfInvalidDateThrows();
    void daysBetweenIsAbsolute_data();
    void daysBetweenIsAbsolute();
    void longTextHasTwoBlanksAfterWeekday_data();
    void longTextHasTwoBlanksAfterWeekday();

    void digitsOnlyKeepsDigitsInOrder_data();
    void digitsOnlyKeepsDigitsInOrder();
    void toIntegerAcceptsWholeNumbers_data();
    void toIntegerAcceptsWholeNumbers();
    void toIntegerRejectsOthers_data();
    void toIntegerRejectsOthers();
    void fromNameGivesSlot_data();
    void fromNameGivesSlot();
    void fromNameWithoutDigitsThrows();
};

// ---- dates -------------------------------------------------------------------------------

void TestDates::formatWritesMonthDayYear_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("single digit month and day") << QDate(2026, 1, 5) << "01/05/2026";
    QTest::newRow("day above 12") << QDate(2026, 12, 31) << "12/31/2026";
    QTest::newRow("month 11 day 2") << QDate(2026, 11, 2) << "11/02/2026";
    QTest::newRow("leap day") << QDate(2024, 2, 29) << "02/29/2024";
    // clang-format on
}

void TestDates::formatWritesMonthDayYear()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(Dates::format(date), text);
}

void TestDates::parseAndFormatRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    // clang-format off
    QTest::newRow("12/10/2026") << "12/10/2026" << QDate(2026, 12, 10);
    QTest::newRow("01/02/2027") << "01/02/2027" << QDate(2027, 1, 2);
    QTest::newRow("02/29/2008") << "02/29/2008" << QDate(2008, 2, 29);
    QTest::newRow("11/02/2026 month first") << "11/02/2026" << QDate(2026, 11, 2);
    QTest::newRow("03/13/2025") << "03/13/2025" << QDate(2025, 3, 13);
    // clang-format on
}

void TestDates::parseAndFormatRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(Dates::parse(text), date);
    QCOMPARE(Dates::format(Dates::parse(text)), text);
    QCOMPARE(Dates::parse(Dates::format(date)), date);
}

void TestDates::invalidDatesRaiseConversionError_data()
{
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("unset date") << "00/00/0000";
    QTest::newRow("letters") << "xx/yy/zzzz";
    QTest::newRow("month 13") << "13/01/2026";
    QTest::newRow("day 32") << "01/32/2026";
    QTest::newRow("no leap day 2026") << "02/29/2026";
    QTest::newRow("no leap day 1900") << "02/29/1900";
    QTest::newRow("empty") << "";
    QTest::newRow("dashes") << "12-10-2026";
    QTest::newRow("two parts") << "12/10";
    // clang-format on
}

void TestDates::invalidDatesRaiseConversionError()
{
    QFETCH(QString, text);
    QString caught;
    try {
        Dates::parse(text);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("'%1' is not a valid date").arg(text));
}

void TestDates::plusDaysCrossesMonthYearAndLeapDays_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("12/30/2026 +3") << "12/30/2026" << 3 << "01/02/2027";
    QTest::newRow("02/28/2024 +1 leap") << "02/28/2024" << 1 << "02/29/2024";
    QTest::newRow("02/28/2026 +1 no leap") << "02/28/2026" << 1 << "03/01/2026";
    QTest::newRow("03/01/2008 -1") << "03/01/2008" << -1 << "02/29/2008";
    QTest::newRow("12/31/2007 +1") << "12/31/2007" << 1 << "01/01/2008";
    QTest::newRow("01/01/2027 -1") << "01/01/2027" << -1 << "12/31/2026";
    QTest::newRow("04/30/2026 +1") << "04/30/2026" << 1 << "05/01/2026";
    QTest::newRow("+0") << "12/10/2026" << 0 << "12/10/2026";
    QTest::newRow("cycle 999") << "12/10/2026" << 999 << "09/04/2029";
    // clang-format on
}

void TestDates::plusDaysCrossesMonthYearAndLeapDays()
{
    QFETCH(QString, date);
    QFETCH(int, days);
    QFETCH(QString, expected);
    QCOMPARE(Dates::plusDays(date, days), expected);
}

void TestDates::plusDaysOfInvalidDateThrows()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, Dates::plusDays(Dates::UnsetDate, 1));
}

void TestDates::daysBetweenIsAbsolute_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("days");

    const QDate today(2026, 12, 10);
    // clang-format off
    QTest::newRow("today") << "12/10/2026" << today << 0;
    QTest::newRow("yesterday") << "12/09/2026" << today << 1;
    QTest::newRow("day after tomorrow") << "12/12/2026" << today << 2;
    QTest::newRow("ten days ago") << "11/30/2026" << today << 10;
    QTest::newRow("across year end, past") << "12/30/2026" << QDate(2027, 1, 2) << 3;
    QTest::newRow("across year end, future") << "01/02/2027" << QDate(2026, 12, 30) << 3;
    QTest::newRow("across leap day") << "02/28/2024" << QDate(2024, 3, 1) << 2;
    QTest::newRow("1000 days") << "03/15/2024" << today << 1000;
    // clang-format on
}

void TestDates::daysBetweenIsAbsolute()
{
    QFETCH(QString, date);
    QFETCH(QDate, today);
    QFETCH(int, days);
    QCOMPARE(Dates::daysBetween(date, today), days);
}

void TestDates::longTextHasTwoBlanksAfterWeekday_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("english");

    // clang-format off
    QTest::newRow("short date") << QDate(2026, 12, 8) << "Tuesday  December 8, 2026";
    QTest::newRow("long names, two-digit day") << QDate(2026, 9, 30) << "Wednesday  September 30, 2026";
    QTest::newRow("short names") << QDate(2026, 5, 1) << "Friday  May 1, 2026";
    // clang-format on
}

void TestDates::longTextHasTwoBlanksAfterWeekday()
{
    QFETCH(QDate, date);
    QFETCH(QString, english);

    // The names come from the system locale; the layout does not.
    const QLocale system = QLocale::system();
    const QString expected = system.dayName(date.dayOfWeek(), QLocale::LongFormat) + QStringLiteral("  ")
                             + system.monthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ')
                             + QString::number(date.day()) + QStringLiteral(", ") + QString::number(date.year());
    QCOMPARE(Dates::longText(date), expected);

    // The tests run with LC_ALL=C.UTF-8, whose names are the English ones.
    if (system.language() == QLocale::C || system.language() == QLocale::English)
        QCOMPARE(Dates::longText(date), english);
    else
        qInfo("system locale %s: English names not checked", qPrintable(system.name()));
}

// ---- digits only and integers --------------------------------------------------------------

void TestDates::digitsOnlyKeepsDigitsInOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");

    // clang-format off
    QTest::newRow("Edit1") << "Edit1" << "1";
    QTest::newRow("Edit100") << "Edit100" << "100";
    QTest::newRow("Days12") << "Days12" << "12";
    QTest::newRow("HoverButton100") << "HoverButton100" << "100";
    QTest::newRow("HoverButton17") << "HoverButton17" << "17";
    QTest::newRow("PreWarnAll7") << "PreWarnAll7" << "7";
    QTest::newRow("PreWarn0") << "PreWarn0" << "0";
    QTest::newRow("digits spread out") << "a1b2c3" << "123";
    QTest::newRow("no digits") << "SetDaysMan" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("sign and blanks dropped") << " -4 2 " << "42";
    // clang-format on
}

void TestDates::digitsOnlyKeepsDigitsInOrder()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(Numbers::digitsOnly(text), digits);
}

void TestDates::toIntegerAcceptsWholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    // clang-format off
    QTest::newRow("zero-padded cycle") << "007" << 7;
    QTest::newRow("zero") << "000" << 0;
    QTest::newRow("999") << "999" << 999;
    QTest::newRow("minus") << "-5" << -5;
    QTest::newRow("plus") << "+12" << 12;
    QTest::newRow("surrounding blanks") << "  42 " << 42;
    QTest::newRow("int max") << "2147483647" << 2147483647;
    QTest::newRow("int min") << "-2147483648" << std::numeric_limits<int>::min();
    // clang-format on
}

void TestDates::toIntegerAcceptsWholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(Numbers::toInteger(text), value);
}

void TestDates::toIntegerRejectsOthers_data()
{
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("eleven nines") << "99999999999";
    QTest::newRow("int max + 1") << "2147483648";
    QTest::newRow("int min - 1") << "-2147483649";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("sign only") << "-";
    QTest::newRow("blank inside") << "1 2";
    QTest::newRow("blank after sign") << "- 5";
    QTest::newRow("hex") << "0x1";
    QTest::newRow("letters") << "abc";
    QTest::newRow("decimal point") << "1.5";
    QTest::newRow("two signs") << "--1";
    // clang-format on
}

void TestDates::toIntegerRejectsOthers()
{
    QFETCH(QString, text);
    QString caught;
    try {
        Numbers::toInteger(text);
    } catch (const ConversionError &error) {
        caught = error.message();
    }
    QCOMPARE(caught, QStringLiteral("'%1' is not a valid integer value").arg(text));
}

void TestDates::fromNameGivesSlot_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    // clang-format off
    QTest::newRow("Edit1") << "Edit1" << 1;
    QTest::newRow("Edit100") << "Edit100" << 100;
    QTest::newRow("HoverButton17") << "HoverButton17" << 17;
    QTest::newRow("Days20") << "Days20" << 20;
    QTest::newRow("PreWarnAll7") << "PreWarnAll7" << 7;
    QTest::newRow("PreWarn0") << "PreWarn0" << 0;
    // clang-format on
}

void TestDates::fromNameGivesSlot()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(Numbers::fromName(name), number);
}

void TestDates::fromNameWithoutDigitsThrows()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, Numbers::fromName(u"SetDaysMan"));
}

QTEST_GUILESS_MAIN(TestDates)
#include "TestDates.moc"
