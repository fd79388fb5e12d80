#include "calendar/paschalion.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

// The difference in force from the Julian 1 March of each year.
TEST(Plus, TableByJulianYear)
{
    struct Case { int year; int difference; };
    const Case cases[] = {
        {1582, 0}, {1583, 10}, {1699, 10}, {1700, 11}, {1799, 11}, {1800, 12}, {1899, 12}, {1900, 13},
        {2099, 13}, {2100, 14}, {2200, 15}, {2299, 15}, {2300, 16}, {2400, 16}, {2499, 16}, {2500, 17},
        {2600, 18}, {2700, 19}, {2899, 19}, {2900, 20}, {3000, 21}, {3099, 21}, {3100, 0},
        {-1, 0},             // 65535 as an unsigned 16-bit year
        {65536 + 2025, 13},  // wraps to 2025
    };
    for (const Case& c : cases)
        EXPECT_EQ(Plus(c.year), c.difference) << c.year;
}

TEST(DatePasha, KnownYears)
{
    struct Case { int year; int old_month; int old_day; int new_month; int new_day; };
    const Case cases[] = {
        {2024, 4, 22, 5, 5},   // Orthodox Pascha 5 May 2024
        {2025, 4, 7, 4, 20},   // 20 April 2025
        {2010, 3, 22, 4, 4},   // the earliest day, 22 March old style
        {2013, 4, 22, 5, 5},
        {1983, 4, 25, 5, 8},   // the latest day, 25 April old style
        {2026, 3, 30, 4, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const OldStyleDate pascha = DatePasha(c.year);
        EXPECT_EQ(Fields(pascha), (DayFields{c.year, c.old_month, c.old_day}));
        EXPECT_EQ(Fields(NewStyle(pascha)), (CivilFields{c.year, c.new_month, c.new_day}));
    }
}

TEST(DatePasha, IsACivilSundayBetweenMarch22AndApril25OldStyle)
{
    for (int year = 1752; year <= 3000; ++year) {
        const OldStyleDate pascha = DatePasha(year);
        ASSERT_GE(pascha, FromOldStyle(year, 3, 22)) << year;
        ASSERT_LE(pascha, FromOldStyle(year, 4, 25)) << year;
        ASSERT_EQ(Weekday(NewStyle(pascha)), kSunday) << year;
    }
}

TEST(OldStyle, ConversionCases)
{
    struct Case { CivilFields new_style; CivilFields old_style; };
    const Case cases[] = {
        {{2025, 1, 14}, {2025, 1, 1}},
        {{2025, 1, 13}, {2024, 12, 31}},
        {{2100, 1, 1}, {2099, 12, 19}},   // difference 13 up to the Julian 29 February 2100
        {{2100, 3, 14}, {2100, 2, 29}},   // the Julian 29 February 2100
        {{2100, 3, 15}, {2100, 3, 1}},    // difference 14 from here
        {{2100, 1, 7}, {2099, 12, 25}},   // the Nativity of 2099
        {{1800, 1, 1}, {1799, 12, 21}},
        {{1900, 3, 13}, {1900, 2, 29}},
        {{3000, 3, 21}, {3000, 2, 29}},
        {{1582, 10, 15}, {1582, 10, 5}},  // the first day of the Gregorian calendar
        {{1752, 1, 1}, {1751, 12, 21}},
        {{3000, 12, 31}, {3000, 12, 10}},
    };
    for (const Case& c : cases) {
        const Date new_style = FromCivil(c.new_style.year, c.new_style.month, c.new_style.day);
        EXPECT_EQ(Fields(OldStyle(new_style)), c.old_style) << c.new_style.year << '-' << c.new_style.month << '-' << c.new_style.day;
        EXPECT_EQ(NewStyle(FromOldStyle(c.old_style.year, c.old_style.month, c.old_style.day)), new_style);
    }
}

TEST(DayFacts, PaschaOfTheOldStyleYear)
{
    // 13 January 2025 is 31 December 2024 old style: its Pascha is that of 2024.
    const DayFacts facts = MakeDayFacts(FromCivil(2025, 1, 13));
    EXPECT_EQ(facts.pascha, DatePasha(2024));
    EXPECT_EQ(facts.pascha_distance, FromOldStyle(2024, 12, 31) - FromOldStyle(2024, 4, 22));

    const DayFacts before = MakeDayFacts(FromCivil(2025, 4, 13));  // Palm Sunday
    EXPECT_EQ(before.pascha_distance, 7);
    EXPECT_EQ(SignedDaysFromPascha(before.old_style), -7);
}

TEST(DayFacts, SignedDaysFromPascha)
{
    const OldStyleDate pascha = DatePasha(2025);
    EXPECT_EQ(SignedDaysFromPascha(pascha), 0);
    EXPECT_EQ(SignedDaysFromPascha(pascha - 48), -48);
    EXPECT_EQ(SignedDaysFromPascha(pascha + 49), 49);
}

TEST(DayFacts, BrightWeekIsTheSevenDaysAfterPascha)
{
    struct Case { int month; int day; bool bright; };
    const Case cases[] = {
        {4, 19, false},  // Great Saturday, distance 1 on the wrong side
        {4, 20, false},  // Pascha itself, distance 0
        {4, 21, true},
        {4, 26, true},
        {4, 27, true},   // Thomas Sunday, distance 7
        {4, 28, false},
        {4, 13, false},  // Palm Sunday, distance 7 before
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsBrightWeek(MakeDayFacts(FromCivil(2025, c.month, c.day))), c.bright) << c.month << '-' << c.day;
}

TEST(GodLet, ChoosesTheWordByTheLastDigits)
{
    struct Case { const char* years; const char* text; };
    const Case cases[] = {
        {"1", " (1 год)"},     {"2", " (2 года)"},     {"4", " (4 года)"},     {"5", " (5 лет)"},
        {"11", " (11 лет)"},   {"12", " (12 лет)"},    {"20", " (20 лет)"},    {"21", " (21 год)"},
        {"22", " (22 года)"},  {"25", " (25 лет)"},    {"30", " (30 лет)"},    {"100", " (100 лет)"},
        {"101", " (101 год)"}, {"103", " (103 года)"}, {"111", " (111 лет)"},  {"112", " (112 лет)"},
        {"0", ""},             {"", ""},               {"   ", ""},           {"-5", ""},
        {"abc", ""},           {"12abc", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GodLet(c.years), c.text) << '"' << c.years << '"';
}

}  // namespace
}  // namespace indikt
