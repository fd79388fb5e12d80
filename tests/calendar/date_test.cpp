#include "calendar/date.h"
#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <gtest/gtest.h>

#include <chrono>

namespace indikt {
namespace {

TEST(FloorDivision, RoundsTowardMinusInfinity)
{
    struct Case { int numerator; int denominator; int quotient; int remainder; };
    const Case cases[] = {
        {.numerator = 7, .denominator = 7, .quotient = 1, .remainder = 0},
        {.numerator = 6, .denominator = 7, .quotient = 0, .remainder = 6},
        {.numerator = -1, .denominator = 7, .quotient = -1, .remainder = 6},
        {.numerator = -7, .denominator = 7, .quotient = -1, .remainder = 0},
        {.numerator = -8, .denominator = 7, .quotient = -2, .remainder = 6},
        {.numerator = -70, .denominator = 7, .quotient = -10, .remainder = 0},
        {.numerator = 5, .denominator = -3, .quotient = -2, .remainder = -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.numerator << " / " << c.denominator);
        EXPECT_EQ(FloorDiv(c.numerator, c.denominator), c.quotient);
        EXPECT_EQ(FloorMod(c.numerator, c.denominator), c.remainder);
    }
}

TEST(DateEncoding, FixedPoints)
{
    struct Case { int year; int month; int day; int serial; int weekday; };
    const Case cases[] = {
        {.year = 1899, .month = 12, .day = 30, .serial = 0, .weekday = kSaturday},       // day 0 of the count
        {.year = 1900, .month = 1, .day = 1, .serial = 2, .weekday = 2},                 // a Monday
        {.year = 1970, .month = 1, .day = 1, .serial = 25569, .weekday = 5},             // a Thursday
        {.year = 2025, .month = 3, .day = 9, .serial = 45725, .weekday = kSunday},
        {.year = 1752, .month = 1, .day = 1, .serial = -54054, .weekday = kSaturday},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        const Date date = FromCivil(c.year, c.month, c.day);
        EXPECT_EQ(date.serial(), c.serial);
        EXPECT_EQ(Weekday(date), c.weekday);
        EXPECT_EQ(Fields(date), (CivilFields{c.year, c.month, c.day}));
    }
}

// Every day of the accepted range, and a margin on both sides, against the
// standard library's calendar: the count rises by one, the fields round-trip
// and the weekday advances by one.
TEST(DateEncoding, AgreesWithChronoOverTheWholeRange)
{
    using namespace std::chrono;
    const sys_days first = sys_days{year{1700} / January / 1};
    const sys_days last = sys_days{year{3100} / December / 31};
    int previous_weekday = Weekday(FromCivil(1699, 12, 31));
    for (sys_days day = first; day <= last; day += days{1}) {
        const year_month_day expected{day};
        const int y = int(expected.year());
        const int m = int(unsigned(expected.month()));
        const int d = int(unsigned(expected.day()));
        const Date date = FromCivil(y, m, d);
        ASSERT_EQ(date.serial(), day.time_since_epoch().count() + kSerialOfUnixEpoch) << y << '-' << m << '-' << d;
        ASSERT_EQ(Fields(date), (CivilFields{y, m, d}));
        ASSERT_EQ(Weekday(date), previous_weekday % 7 + 1);
        ASSERT_EQ(IsoWeekday(date), int(weekday{day}.iso_encoding()));
        ASSERT_EQ(DaysInMonth(y, m), int(unsigned(year_month_day_last{expected.year(), month_day_last{expected.month()}}.day())));
        previous_weekday = Weekday(date);
    }
}

// Julian dates of known civil days (date-arithmetic facts: the Gregorian
// reform of 1582, the British change of 1752, the Russian change of 1918, and
// the Julian leap days of the centurial years the civil calendar lacks).
TEST(JulianCalendar, KnownDays)
{
    struct Case { CivilFields civil; DayFields julian; };
    const Case cases[] = {
        {{1582, 10, 15}, {1582, 10, 5}},
        {{1752, 9, 14}, {1752, 9, 3}},
        {{1918, 2, 14}, {1918, 2, 1}},
        {{1752, 1, 1}, {1751, 12, 21}},
        {{1800, 1, 1}, {1799, 12, 21}},   // difference 11 until the Julian 29 February 1800
        {{1800, 3, 12}, {1800, 2, 29}},
        {{1800, 3, 13}, {1800, 3, 1}},
        {{1900, 3, 13}, {1900, 2, 29}},
        {{2100, 1, 7}, {2099, 12, 25}},   // the Nativity, 7 January also in 2100
        {{2100, 3, 14}, {2100, 2, 29}},
        {{2100, 3, 15}, {2100, 3, 1}},
        {{3000, 3, 21}, {3000, 2, 29}},
        {{3000, 12, 31}, {3000, 12, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.civil.year << '-' << c.civil.month << '-' << c.civil.day);
        const Date civil = FromCivil(c.civil.year, c.civil.month, c.civil.day);
        EXPECT_EQ(JulianFields(civil), c.julian);
        EXPECT_EQ(FromJulian(c.julian.year, c.julian.month, c.julian.day), civil);
        EXPECT_EQ(Fields(OldStyle(civil)), c.julian);
        EXPECT_TRUE(IsValidJulian(c.julian.year, c.julian.month, c.julian.day));
    }
    EXPECT_TRUE(IsValidJulian(2100, 2, 29));
    EXPECT_TRUE(IsValidJulian(1900, 2, 29));
    EXPECT_FALSE(IsValidJulian(2101, 2, 29));
    EXPECT_FALSE(IsValidJulian(2100, 4, 31));
    EXPECT_EQ(DaysInJulianMonth(2100, 2), 29);
    EXPECT_EQ(DaysInJulianMonth(2101, 2), 28);
}

// The days the Julian calendar lags behind, by its own leap rule: the 100th
// years that are not 400th ones, counted from the Julian 1 March of the year
// (from 0 in the third century).
int TrueDifference(const DayFields& julian)
{
    const int year = julian.month <= 2 ? julian.year - 1 : julian.year;
    return year / 100 - year / 400 - 2;
}

// Every civil day of the accepted range and a margin: the Julian date walks
// day by day by the Julian calendar's own month lengths from the British
// change of 1752, and the civil day shifted back by the true difference in
// the standard library's calendar has the same day and month (except on the
// Julian 29 February of 1800, 1900, 2100 ..., which the civil calendar
// lacks: the shifted day is then the civil 1 March).
TEST(JulianCalendar, EveryDayOfTheRange)
{
    using namespace std::chrono;
    const sys_days first = sys_days{year{1752} / January / 1};
    const sys_days last = sys_days{year{3001} / December / 31};
    DayFields walked{1751, 12, 21};
    int leap_days_missing_from_the_civil_calendar = 0;
    for (sys_days day = first; day <= last; day += days{1}) {
        const Date date(day.time_since_epoch().count() + kSerialOfUnixEpoch);
        const DayFields julian = JulianFields(date);
        ASSERT_EQ(julian, walked) << date.serial();
        ASSERT_EQ(FromJulian(julian.year, julian.month, julian.day), date);
        ASSERT_EQ(CalendarDifference(date), TrueDifference(julian)) << date.serial();

        const year_month_day shifted{day - days{TrueDifference(julian)}};
        if (julian.month == 2 && julian.day == 29 && !IsLeapYear(julian.year)) {
            ++leap_days_missing_from_the_civil_calendar;
            ASSERT_EQ(shifted, year{julian.year} / March / 1) << date.serial();
        } else {
            ASSERT_EQ(shifted, year{julian.year} / month(unsigned(julian.month)) / julian.day) << date.serial();
        }

        // The next Julian day by the Julian calendar's own rules.
        const int length =
            walked.month == 2
                ? (walked.year % 4 == 0 ? 29 : 28)
                : int(unsigned(year_month_day_last{year{2001}, month_day_last{month(unsigned(walked.month))}}.day()));
        if (++walked.day > length) {
            walked.day = 1;
            if (++walked.month > 12) {
                walked.month = 1;
                ++walked.year;
            }
        }
    }
    // 1800, 1900, 2100, 2200, 2300, 2500, 2600, 2700, 2900, 3000.
    EXPECT_EQ(leap_days_missing_from_the_civil_calendar, 10);
}

TEST(JulianCalendar, OldStyleTextsReadTheJulianFields)
{
    const OldStyleDate leap_day = OldStyle(FromCivil(2100, 3, 14));
    EXPECT_EQ(TextOfMonthAndDay(leap_day), "фев29");
    EXPECT_EQ(TextOfDayAndMonthAndYear2(leap_day), "фев292100");
    EXPECT_EQ(TextOfDayAndMonthAndYear1(leap_day), "29.02.2100");
    EXPECT_EQ(TextOfDayTheWeekAndMonth(leap_day), "Вс 29 фев");  // the weekday of the day itself
    EXPECT_EQ(TextOfMonthAndDay(FromCivil(2100, 3, 14)), "мар14");
}

TEST(DateEncoding, ValidatesFields)
{
    EXPECT_TRUE(IsValidCivil(2024, 2, 29));
    EXPECT_FALSE(IsValidCivil(2025, 2, 29));
    EXPECT_FALSE(IsValidCivil(2100, 2, 29));
    EXPECT_TRUE(IsValidCivil(2000, 2, 29));
    EXPECT_FALSE(IsValidCivil(2025, 13, 1));
    EXPECT_FALSE(IsValidCivil(2025, 4, 31));
    EXPECT_FALSE(IsValidCivil(2025, 1, 0));
}

TEST(DateEncoding, DaysBetweenIsNeverNegative)
{
    const Date a = FromCivil(2025, 1, 1);
    const Date b = FromCivil(2025, 3, 1);
    EXPECT_EQ(DaysBetween(a, b), 59);
    EXPECT_EQ(DaysBetween(b, a), 59);
    EXPECT_EQ(DaysBetween(a, a), 0);
}

TEST(AcceptedRange, SteppingStopsAtBothEnds)
{
    EXPECT_EQ(NextDay(FromCivil(3000, 12, 31)), FromCivil(3000, 12, 31));
    EXPECT_EQ(PreviousDay(FromCivil(1752, 1, 1)), FromCivil(1752, 1, 1));
    EXPECT_EQ(NextDay(FromCivil(3000, 12, 30)), FromCivil(3000, 12, 31));
    EXPECT_EQ(PreviousDay(FromCivil(1752, 1, 2)), FromCivil(1752, 1, 1));
    EXPECT_EQ(NextDay(FromCivil(2024, 12, 31)), FromCivil(2025, 1, 1));
    EXPECT_TRUE(IsAcceptedDate(FromCivil(1752, 1, 1)));
    EXPECT_FALSE(IsAcceptedDate(FromCivil(1751, 12, 31)));
    EXPECT_FALSE(IsAcceptedDate(FromCivil(3001, 1, 1)));
}

}  // namespace
}  // namespace indikt
