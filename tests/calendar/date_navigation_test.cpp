// The date editors of the day page and the colour of its date block.

#include "calendar/date_navigation.h"
#include "calendar/feast_placement.h"
#include "calendar/paschalion.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

TEST(MonthStep, ClipsTheDayAndStopsAtTheEditableYears)
{
    struct Case { Date from; int delta; std::optional<Date> to; };
    const Case cases[] = {
        {D(2023, 1, 31), +1, D(2023, 2, 28)},
        {D(2024, 1, 31), +1, D(2024, 2, 29)},
        {D(2024, 3, 31), -1, D(2024, 2, 29)},
        {D(2024, 5, 31), -1, D(2024, 4, 30)},
        {D(2024, 12, 15), +1, D(2025, 1, 15)},
        {D(2025, 1, 15), -1, D(2024, 12, 15)},
        {D(1701, 1, 10), -1, D(1700, 12, 10)},
        {D(1700, 1, 10), -1, std::nullopt},
        {D(3000, 12, 10), +1, std::nullopt},
        {D(2999, 12, 10), +1, D(3000, 1, 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.serial());
        EXPECT_EQ(MonthStep(c.from, c.delta), c.to);
    }
}

TEST(DateEditors, MonthAndYearChoices)
{
    EXPECT_EQ(InCivilMonth(D(2025, 3, 31), 4), D(2025, 4, 30));
    EXPECT_EQ(InCivilMonth(D(2025, 3, 31), 3), std::nullopt);
    EXPECT_EQ(InCivilMonth(D(2025, 3, 10), 12), D(2025, 12, 10));

    EXPECT_EQ(InYear(D(2024, 2, 29), 2025), D(2025, 2, 28));
    EXPECT_EQ(InYear(D(2024, 2, 29), 2024), std::nullopt);
    EXPECT_EQ(InYear(D(2024, 6, 1), 1699), std::nullopt);
    EXPECT_EQ(InYear(D(2024, 6, 1), 3001), std::nullopt);
    EXPECT_EQ(InYear(D(2024, 6, 1), 1700), D(1700, 6, 1));
    EXPECT_EQ(InYear(D(2024, 6, 1), 3000), D(3000, 6, 1));

    // 20 January 2025 is 7 January old style; 7 February old style is 20 February.
    EXPECT_EQ(InOldStyleMonth(D(2025, 1, 20), 2), D(2025, 2, 20));
    EXPECT_EQ(InOldStyleMonth(D(2025, 1, 20), 1), std::nullopt);
    // 13 February 2025 is 31 January old style: February has 28 days.
    EXPECT_EQ(InOldStyleMonth(D(2025, 2, 13), 2), D(2025, 2, 28) + 13);
    // 10 January 2025 is 28 December 2024 old style: November of that year.
    EXPECT_EQ(InOldStyleMonth(D(2025, 1, 10), 11), D(2024, 11, 28) + 13);
    // 14 March 2100 is 29 February 2100 old style (a Julian leap year); 1 March 2100
    // is 17 February old style, and its February has 29 days.
    EXPECT_EQ(InOldStyleMonth(D(2100, 3, 14), 1), D(2100, 2, 11));
    EXPECT_EQ(InOldStyleMonth(D(2100, 4, 12), 2), D(2100, 3, 14));  // 30 March old style: the 29th
}

TEST(OldStyleDayEditor, MaximumAndChoices)
{
    // February of the Julian calendar: 29 days in every fourth year, 2100 and 1900 included.
    struct Max { OldStyleDate old_style; int maximum; };
    const Max maxima[] = {
        {FromOldStyle(2025, 4, 3), 30}, {FromOldStyle(2025, 1, 3), 31}, {FromOldStyle(2024, 2, 3), 29},
        {FromOldStyle(2025, 2, 3), 28}, {FromOldStyle(2100, 2, 3), 29}, {FromOldStyle(1900, 2, 3), 29},
    };
    for (const Max& m : maxima)
        EXPECT_EQ(OldStyleDayMaximum(m.old_style), m.maximum);

    // The Julian 29 February 2100 can be chosen: it is 14 March 2100.
    const auto leap_day = WithOldStyleDay(FromOldStyle(2100, 2, 3), 29);
    ASSERT_TRUE(leap_day);
    EXPECT_EQ(leap_day->date, D(2100, 3, 14));

    // 1 September 2025 old style is 14 September 2025.
    const OldStyleDate old = OldStyle(D(2025, 9, 14));
    ASSERT_EQ(Fields(old), (DayFields{2025, 9, 1}));
    EXPECT_EQ(WithOldStyleDay(old, 1), std::nullopt);
    const auto tenth = WithOldStyleDay(old, 10);
    ASSERT_TRUE(tenth);
    EXPECT_EQ(tenth->date, D(2025, 9, 23));
    EXPECT_EQ(tenth->editor_value, 10);
    const auto clamped = WithOldStyleDay(old, 45);
    ASSERT_TRUE(clamped);
    EXPECT_EQ(clamped->editor_value, 30);
    EXPECT_EQ(clamped->date, D(2025, 10, 13));

    // At the ends of the range the editor steps back by one.
    const auto past_end = WithOldStyleDay(OldStyle(kLastDate), 31);
    ASSERT_TRUE(past_end);
    EXPECT_EQ(past_end->date, kLastDate);
    EXPECT_EQ(past_end->editor_value, 30);
    const auto before_start = WithOldStyleDay(OldStyle(kFirstDate), 1);
    ASSERT_TRUE(before_start);
    EXPECT_EQ(before_start->date, kFirstDate);
    EXPECT_EQ(before_start->editor_value, 2);
}

TEST(DateColour, EachRuleOverridesTheOneBefore)
{
    const DateColourSwitches all;
    DateColourSwitches none{false, false, false, false, false};
    struct Case { bool jubilee; bool feast; int klass; bool sunday; const DateColourSwitches& on; int colour; };
    const Case cases[] = {
        {false, false, kNoFeastClass, false, all, kDateTeal},
        {true, false, kNoFeastClass, false, all, kDateLightRed},
        {true, false, kNoFeastClass, false, none, kDateTeal},
        {false, true, kOtherFeastClass, false, all, kDateLightRed},
        {false, true, kCivilFeastClass, false, all, kDateLightRed},
        {false, true, kCivilFeastClass, true, all, kDateRed},
        {false, true, kCivilFeastClass, true, none, kDateTeal},
        {false, true, kChurchFeastClass, false, all, kDateRed},
        {false, false, kChurchFeastClass, false, all, kDateTeal},  // a class without a text counts for nothing
        {false, false, kNoFeastClass, true, all, kDateRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour);
        EXPECT_EQ(DateColour(c.jubilee, c.feast, c.klass, c.sunday, c.on), c.colour);
    }
}

}  // namespace
}  // namespace indikt
