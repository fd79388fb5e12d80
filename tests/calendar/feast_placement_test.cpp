#include "calendar/feast_placement.h"
#include "calendar/paschalion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

FeastEntry Fixed(std::string name, Date date, FeastStatus status)
{
    return {.name = std::move(name), .date = date, .movable = false, .status = status, .pascha_offset = 0};
}

FeastEntry Movable(std::string name, int offset, FeastStatus status = FeastStatus::Church)
{
    return {.name = std::move(name), .date = D(2025, 4, 20), .movable = true, .status = status, .pascha_offset = offset};
}

TEST(PlaceFeast, ByKindAndStatus)
{
    struct Case {
        const char* what;
        FeastEntry feast;
        Date day;    // any day of the year tested
        CivilFields placed;
    };
    const Case cases[] = {
        {"civil 29 February in a common year", Fixed("a", D(2024, 2, 29), FeastStatus::Civil), D(2025, 6, 1),
         {2025, 2, 28}},
        {"other feast keeps its civil day", Fixed("a", D(2020, 11, 4), FeastStatus::Other), D(2031, 1, 1),
         {2031, 11, 4}},
        // 19 December 2020 is 6 December old style.
        {"church feast keeps its old-style date", Fixed("a", D(2020, 12, 19), FeastStatus::Church), D(2025, 3, 3),
         {2025, 12, 19}},
        {"the same in 2100, difference 14", Fixed("a", D(2020, 12, 19), FeastStatus::Church), D(2100, 3, 3),
         {2100, 12, 20}},
        // Old style 25 December is civil 7 January of the next year; it is
        // put into the January of the tested year.
        {"old-style 25 December in January of the same year", Fixed("a", D(2025, 1, 7), FeastStatus::Church),
         D(2026, 12, 31), {2026, 1, 7}},
        {"old-style 25 December in 2101", Fixed("a", D(2025, 1, 7), FeastStatus::Church), D(2101, 5, 5),
         {2101, 1, 8}},
        // The difference grows at the Julian 29 February 2100: the Nativity of
        // 2099 is still 7 January 2100.
        {"old-style 25 December in 2100", Fixed("a", D(2025, 1, 7), FeastStatus::Church), D(2100, 5, 5),
         {2100, 1, 7}},
        {"a stored date of 2100 read back", Fixed("a", D(2100, 1, 7), FeastStatus::Church), D(2030, 5, 5),
         {2030, 1, 7}},
        // 29 February old style of 2096 (13 March 2096): the Julian 29 February
        // 2100 is 14 March 2100; in 2101 the feast keeps the 28th, 14 March.
        {"old-style 29 February in 2100", Fixed("a", D(2096, 3, 13), FeastStatus::Church), D(2100, 1, 1),
         {2100, 3, 14}},
        {"old-style 29 February in 2101", Fixed("a", D(2096, 3, 13), FeastStatus::Church), D(2101, 1, 1),
         {2101, 3, 14}},
        {"movable offset 0 on Pascha 2025", Movable("a", 0), D(2025, 7, 1), {2025, 4, 20}},
        {"movable offset 49 in 2026", Movable("a", 49), D(2026, 2, 1), {2026, 5, 31}},
        {"a movable civil feast is movable too", Movable("a", -2, FeastStatus::Civil), D(2025, 7, 1),
         {2025, 4, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Fields(PlaceFeast(c.feast, c.day)), c.placed);
    }
}

// Every old-style day and month has one civil day in a civil year, except the
// one the year skips when the difference grows (18 December old style in
// 2100) and 29 February in a common Julian year (placed on the 28th).
TEST(OldStyleDayInCivilYear, OneDayEachYear)
{
    EXPECT_EQ(Fields(OldStyleDayInCivilYear(12, 18, 2099)), (CivilFields{2099, 12, 31}));
    EXPECT_NE(YearOf(OldStyleDayInCivilYear(12, 18, 2100)), 2100);
    EXPECT_EQ(Fields(OldStyleDayInCivilYear(12, 18, 2101)), (CivilFields{2101, 1, 1}));
    for (const int year : {1752, 1800, 1900, 2025, 2100, 2400, 3000}) {
        SCOPED_TRACE(year);
        int days_found = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInJulianMonth(2000, month); ++day) {
                const Date civil = OldStyleDayInCivilYear(month, day, year);
                if (YearOf(civil) != year)
                    continue;
                const DayFields old = Fields(OldStyle(civil));
                EXPECT_EQ(old.month, month);
                EXPECT_EQ(old.day, std::min(day, DaysInJulianMonth(old.year, month)));
                if (old.day == day)
                    ++days_found;
            }
        }
        EXPECT_EQ(days_found, DaysInMonth(year, 2) == 29 ? 366 : 365);
    }
}

TEST(PlaceJubilee, FixedAndMovable)
{
    const JubileeEntry leap{.name = "a", .stored = D(2000, 2, 29), .pascha_offset = {}, .show_years = true};
    EXPECT_EQ(Fields(PlaceJubilee(leap, D(2023, 1, 10))), (CivilFields{2023, 2, 28}));
    EXPECT_EQ(Fields(PlaceJubilee(leap, D(2024, 1, 10))), (CivilFields{2024, 2, 29}));
    EXPECT_EQ(JubileeYearsIn(leap, 2023), 23);

    const JubileeEntry good_friday{.name = "b", .stored = D(1990, 4, 13), .pascha_offset = -2, .show_years = false};
    EXPECT_EQ(Fields(PlaceJubilee(good_friday, D(2025, 9, 1))), (CivilFields{2025, 4, 18}));
    EXPECT_EQ(Fields(PlaceJubilee(good_friday, D(2026, 9, 1))), (CivilFields{2026, 4, 10}));
}

TEST(CalendarPrasd, ClassAndSwitches)
{
    // 7 January 2025: the Nativity (old style) and a civil holiday the user
    // entered on the same day.
    const std::vector<FeastEntry> feasts = {
        Fixed("Отдых", D(2025, 1, 7), FeastStatus::Civil),
        Fixed("Рождество", D(2025, 1, 7), FeastStatus::Church),
        Fixed("Именины", D(2025, 1, 7), FeastStatus::Other),
        Fixed("Другой день", D(2025, 1, 8), FeastStatus::Church),
    };
    struct Case {
        const char* what;
        FeastSwitches switches;
        const char* text;
        int day_class;
    };
    const Case cases[] = {
        {"all on: church wins", {}, "Отдых, Рождество, Именины", kChurchFeastClass},
        {"church off", {.church = false}, "Отдых, Именины", kCivilFeastClass},
        {"civil off", {.civil = false}, "Рождество, Именины", kChurchFeastClass},
        {"only other", {.church = false, .civil = false}, "Именины", kOtherFeastClass},
        {"all off", {.church = false, .civil = false, .other = false}, "", kNoFeastClass},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GridFeastText grid = CalendarPrasd(feasts, D(2025, 1, 7), c.switches);
        EXPECT_EQ(grid.text, c.text);
        EXPECT_EQ(grid.day_class, c.day_class);
    }
    EXPECT_EQ(CalendarPrasd(feasts, D(2025, 1, 9), {}).day_class, kNoFeastClass);
}

TEST(CalendarJubil, NamesWithTheYearsOfTheShownYear)
{
    const std::vector<JubileeEntry> jubilees = {
        {.name = "Венчание", .stored = D(2004, 5, 9), .pascha_offset = {}, .show_years = true},
        {.name = "Память", .stored = D(1999, 5, 9), .pascha_offset = {}, .show_years = false},
        {.name = "Крещение", .stored = D(2025, 5, 9), .pascha_offset = {}, .show_years = true},
    };
    EXPECT_EQ(CalendarJubil(jubilees, D(2025, 5, 9)), "Венчание (21 год), Память, Крещение");
    EXPECT_EQ(CalendarJubil(jubilees, D(2026, 5, 9)), "Венчание (22 года), Память, Крещение (1 год)");
    EXPECT_EQ(CalendarJubil(jubilees, D(2026, 5, 10)), "");
}

TEST(ListJubPr, GroupsJubileesAndHints)
{
    const Date day = D(2025, 4, 20);  // Pascha
    const std::vector<FeastEntry> feasts = {
        Fixed("Гражданский", day, FeastStatus::Civil),
        Fixed("Иной", day, FeastStatus::Other),
        Fixed("Неподвижный", D(2025, 4, 20), FeastStatus::Church),
        Movable("Подвижный", 0),
    };
    const std::vector<JubileeEntry> jubilees = {
        {.name = "Юбилей", .stored = D(2000, 4, 20), .pascha_offset = {}, .show_years = true},
    };
    struct Case {
        const char* what;
        UnderCalendarSwitches switches;
        bool visible;
        const char* text;
        const char* hint;
    };
    const Case cases[] = {
        {"both", {}, true,
         "Подвижный\n\rНеподвижный\n\rГражданский\n\rИной\n\rЮбилей (25 лет)\n\r",
         "Юбилеи и праздники на текущий день"},
        {"feasts only", {.statuses = {}, .feasts = true, .jubilees = false}, true,
         "Подвижный\n\rНеподвижный\n\rГражданский\n\rИной\n\r", "Праздники на текущий день"},
        {"jubilees only", {.statuses = {}, .feasts = false, .jubilees = true}, true, "Юбилей (25 лет)\n\r",
         "Юбилеи на текущий день"},
        {"both off", {.statuses = {}, .feasts = false, .jubilees = false}, false, "", ""},
        {"civil off", {.statuses = {.civil = false}, .feasts = true, .jubilees = false}, true,
         "Подвижный\n\rНеподвижный\n\rИной\n\r", "Праздники на текущий день"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const UnderCalendarText under = ListJubPr(feasts, jubilees, day, c.switches);
        EXPECT_FALSE(under.unchanged);
        EXPECT_EQ(under.visible, c.visible);
        EXPECT_EQ(under.text, c.text);
        EXPECT_EQ(under.hint, c.hint);
        EXPECT_EQ(under.day_class, kChurchFeastClass);
    }

    const UnderCalendarText nothing = ListJubPr(feasts, jubilees, D(2025, 4, 21), {});
    EXPECT_FALSE(nothing.visible);
    EXPECT_EQ(nothing.hint, "");
    EXPECT_TRUE(ListJubPr({}, {}, day, {}).unchanged);
}

}  // namespace
}  // namespace indikt
