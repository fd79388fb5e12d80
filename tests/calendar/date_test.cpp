#include "calendar/date.h"
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
