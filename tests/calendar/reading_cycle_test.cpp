// The position of a day in the cycle of readings.

#include "calendar/paschalion.h"
#include "calendar/reading_cycle.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

TEST(ReadingCycle, TheAutumnJumpTakesEveryValueAndTheLukanWeekStartsOnTime)
{
    std::set<int> jumps;
    for (int year = 1950; year <= 2099; ++year) {
        const ReadingCycle c = MakeReadingCycle(D(year, 11, 1));
        jumps.insert(c.jump);
        // Whatever the jump, the Monday after the Sunday after the Exaltation reads 169.
        SCOPED_TRACE(year);
        EXPECT_EQ(AutumnMovableNumber(MakeReadingCycle(c.s15 + 1)), 169);
    }
    EXPECT_EQ(jumps, (std::set<int>{-3, -2, -1, 0, 1, 2}));

    struct Year { int year; int jump; };
    const Year years[] = {{2024, -3}, {2021, -2}, {2025, -1}, {2020, 0}, {2026, 1}, {2037, 2}};
    for (const Year& y : years)
        EXPECT_EQ(MakeReadingCycle(D(y.year, 10, 20)).jump, y.jump) << y.year;
}

TEST(ReadingCycle, WeeksRepeatedWhenTheExaltationSundayComesLate)
{
    // 2026, d = +1: the Sunday after the Exaltation is 4 October (w = 175); the
    // week before it reads 120-126, the Sunday itself by the rule too.
    const Date s15 = MakeReadingCycle(D(2026, 10, 20)).s15;
    ASSERT_EQ(s15, D(2026, 10, 4));
    for (int i = 0; i < 7; ++i) {
        const ReadingCycle c = MakeReadingCycle(s15 - 6 + i);
        EXPECT_EQ(c.w, 169 + i);
        EXPECT_EQ(AutumnMovableNumber(c), 120 + i);
    }
    EXPECT_EQ(AutumnMovableNumber(MakeReadingCycle(s15 + 1)), 169);
    // 2037, d = +2: two weeks repeat, 113-126.
    const Date late = MakeReadingCycle(D(2037, 10, 20)).s15;
    EXPECT_EQ(AutumnMovableNumber(MakeReadingCycle(late - 13)), 113);
    EXPECT_EQ(AutumnMovableNumber(MakeReadingCycle(late)), 126);
    // 2024, d = -3: the Monday after the Sunday is w = 148 and reads 169.
    const Date early = MakeReadingCycle(D(2024, 10, 20)).s15;
    EXPECT_EQ(MakeReadingCycle(early + 1).w, 148);
}

TEST(ReadingCycle, TheLastStepsOfTheAutumnNumber)
{
    // The Sundays before the Forefathers' read the Gospel of their own week: in
    // 2029 (Forefathers' Sunday 30 December civil, the 31st after Pentecost) the
    // Sunday of the 28th week reads Lk 76 (245) and the next the 29th's Lk 85
    // (252), once each; the day-level lectionary of the reference facts reads
    // Lk 76 on every such Sunday of 1900-2100 (ordinary-readings.tsv, 252.txt:
    // "Лк 76 x17").
    struct Case { Date sunday; int gospel; int apostle; };
    const Case cases[] = {
        {D(2029, 12, 9), 238, 245},
        {D(2029, 12, 16), 245, 252},
        {D(2029, 12, 23), 252, 259},
        {D(2010, 12, 19), 245, 259},  // d = +2: right before the Forefathers' Sunday
        {D(2028, 12, 17), 245, 245},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sunday.serial());
        const ReadingCycle sunday = MakeReadingCycle(c.sunday);
        EXPECT_EQ(AutumnMovableNumber(sunday), c.gospel);
        EXPECT_EQ(AutumnApostleNumber(sunday), c.apostle);
        EXPECT_EQ(AutumnSundayWeek(sunday), (c.gospel - 49) / 7);
    }

    // January 2032: five weeks too many; four weeks before the Publican Sunday
    // (22 February) the reading of the 30th week, Tuesday.
    const ReadingCycle january = MakeReadingCycle(D(2032, 1, 20));
    EXPECT_EQ(january.surplus, 5);
    EXPECT_EQ(january.weeks_left, 4);
    EXPECT_EQ(january.week_back, 30);
    EXPECT_EQ(AutumnMovableNumber(january), 7 * 30 + 42 + 2);
    EXPECT_EQ(AutumnApostleNumber(january), 7 * 30 + 42 + 2);  // both books read the week S
    EXPECT_EQ(MovableFileName(7), "007.txt");
    EXPECT_EQ(MovableFileName(252), "252.txt");
}

TEST(ReadingCycle, PeriodsOfTheYear)
{
    struct Case { Date day; ReadingBook book; ReadingPeriod period; };
    const Case cases[] = {
        {D(2025, 9, 19), ReadingBook::Gospel, ReadingPeriod::Pentecostarion},  // 6 September old style
        {D(2025, 9, 20), ReadingBook::Gospel, ReadingPeriod::AutumnWinter},    // 7 September
        {D(2029, 1, 28), ReadingBook::Gospel, ReadingPeriod::Triodion},        // the Publican Sunday in January
        {D(2029, 1, 27), ReadingBook::Gospel, ReadingPeriod::AutumnWinter},    // the Saturday before it
        {D(2025, 4, 13), ReadingBook::Gospel, ReadingPeriod::GreatFeast},      // Palm Sunday
        {D(2025, 4, 20), ReadingBook::Apostle, ReadingPeriod::GreatFeast},     // Pascha
        {D(2025, 5, 29), ReadingBook::Gospel, ReadingPeriod::GreatFeast},      // Ascension
        {D(2025, 6, 8), ReadingBook::Gospel, ReadingPeriod::GreatFeast},       // Pentecost
        {D(2025, 4, 21), ReadingBook::Gospel, ReadingPeriod::Pentecostarion},  // Bright Monday
        {D(2025, 4, 19), ReadingBook::Gospel, ReadingPeriod::Triodion},        // Holy Saturday
        {D(2025, 1, 7), ReadingBook::Gospel, ReadingPeriod::GreatFeast},       // the Nativity
        {D(2025, 12, 4), ReadingBook::Gospel, ReadingPeriod::GreatFeast},      // the Entry, 21 November
        // 2 February on Clean Monday (2010): a great feast for the Apostle only.
        {D(2010, 2, 15), ReadingBook::Gospel, ReadingPeriod::Triodion},
        {D(2010, 2, 15), ReadingBook::Apostle, ReadingPeriod::GreatFeast},
        {D(2025, 2, 15), ReadingBook::Gospel, ReadingPeriod::GreatFeast},      // the Meeting before Lent
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.serial());
        EXPECT_EQ(PeriodOf(MakeReadingCycle(c.day), c.book), c.period);
    }
}

TEST(ReadingCycle, SundayMatinsGospel)
{
    struct Case { Date sunday; int eothinon; };
    const Case cases[] = {
        {D(2025, 4, 27), 1},  {D(2025, 5, 4), 3},   {D(2025, 5, 11), 4}, {D(2025, 5, 18), 7},
        {D(2025, 5, 25), 8},  {D(2025, 6, 1), 10},  {D(2025, 6, 15), 1},  // All Saints: (56 - 49) / 7
        {D(2025, 6, 22), 2},  {D(2025, 8, 31), 1},  // eleven weeks on, the cycle begins again
        {D(2025, 4, 20), 11},  // Pascha: not in the table
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sunday.serial());
        EXPECT_EQ(EothinonNumber(MakeReadingCycle(c.sunday)), c.eothinon);
    }
}

TEST(ReadingCycle, SpringTransfers)
{
    struct Case { const char* name; Date day; MovedFeast received; const char* fixed_key; };
    const Case cases[] = {
        {"2020: 25 May on Pentecost, its service on 22 May", D(2020, 6, 4), MovedFeast::ThirdFinding, "май25"},
        {"2025: 25 May on the Saturday before Pentecost: 23 May", D(2025, 6, 5), MovedFeast::ThirdFinding, "май25"},
        {"2025: 25 May itself", D(2025, 6, 7), MovedFeast::None, ""},
        {"2026: 25 May on All Saints: 30 May", D(2026, 6, 12), MovedFeast::ThirdFinding, "май25"},
        {"2026: 25 May itself", D(2026, 6, 7), MovedFeast::None, ""},
        {"2041: 25 May on P + 47: 26 May", D(2041, 6, 8), MovedFeast::ThirdFinding, "май25"},
        {"2013: 24 June on P + 63: 25 June", D(2013, 7, 8), MovedFeast::NativityOfForerunner, "июн24"},
        {"2038: 24 February on Clean Tuesday: the Sunday before", D(2038, 3, 7), MovedFeast::FirstFinding, "фев24"},
        {"2038: 24 February itself", D(2038, 3, 9), MovedFeast::None, ""},
        {"2011: 24 February on Clean Wednesday: the Saturday", D(2011, 3, 12), MovedFeast::FirstFinding, "фев24"},
        {"2002: 24 February on P - 57: 23 February", D(2002, 3, 8), MovedFeast::FirstFinding, "фев24"},
        {"2002: 9 March on P - 44: the Saturday", D(2002, 3, 23), MovedFeast::FortyMartyrs, "мар09"},
        {"2002: 9 March itself", D(2002, 3, 22), MovedFeast::None, ""},
        {"2017: 9 March on P - 25: 8 March", D(2017, 3, 21), MovedFeast::FortyMartyrs, "мар09"},
        {"2007: 9 March on P - 17: 7 March", D(2007, 3, 20), MovedFeast::FortyMartyrs, "мар09"},
        {"an ordinary day reads its own key", D(2025, 7, 1), MovedFeast::None, "июн18"},
        {"2010: the Saturday before Pentecost on 9 May keeps it", D(2010, 5, 22), MovedFeast::None, "май09"},
        {"2051: 23 April before Pascha", D(2051, 5, 6), MovedFeast::None, ""},
        {"2025: 23 April after Pascha", D(2025, 5, 6), MovedFeast::None, "апр23"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadingCycle cycle = MakeReadingCycle(c.day);
        EXPECT_EQ(FeastReceivedOn(cycle), c.received);
        EXPECT_EQ(FixedReadingKey(cycle), c.fixed_key);
    }
    EXPECT_EQ(ThirdFindingTarget(MakeReadingCycle(D(2020, 6, 7))), D(2020, 6, 4));
    EXPECT_EQ(ThirdFindingTarget(MakeReadingCycle(D(2026, 6, 7))), D(2026, 6, 12));
}

// The day a moved feast of the Triodion goes to, as its notice names it.
TEST(ReadingCycle, TriodionTransferTargets)
{
    struct Case { const char* name; Date day; Date target; };
    const Case cases[] = {
        {"2038: 24 February on Clean Tuesday: the Sunday before", D(2038, 3, 9), D(2038, 3, 7)},
        {"2011: 24 February on Clean Wednesday: the Saturday", D(2011, 3, 9), D(2011, 3, 12)},
        {"2007: 9 March on P - 17: 7 March", D(2007, 3, 22), D(2007, 3, 20)},
        // 24 February on P - 57 in a year where 9 March falls on P - 44: the
        // rule of 24 February, the day before, not the Saturday of 9 March.
        {"2013: 24 February on P - 57: 23 February", D(2013, 3, 9), D(2013, 3, 8)},
        {"2002: the same", D(2002, 3, 9), D(2002, 3, 8)},
        {"2002: 9 March on P - 44: the Saturday", D(2002, 3, 22), D(2002, 3, 23)},
        {"2017: 9 March on P - 25: 8 March", D(2017, 3, 22), D(2017, 3, 21)},
        {"a day of no moved feast is its own", D(2025, 3, 9), D(2025, 3, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TriodionTransferTarget(MakeReadingCycle(c.day)), c.target);
    }
    // Whenever 24 February or 9 March is moved, the day its notice names is
    // the day that receives it.
    int moved = 0;
    for (int year = 1900; year <= 2099; ++year) {
        for (const auto& [month, day, feast] : {std::tuple{2, 24, MovedFeast::FirstFinding},
                                                std::tuple{3, 9, MovedFeast::FortyMartyrs}}) {
            const Date civil = NewStyle(FromOldStyle(year, month, day));
            const ReadingCycle c = MakeReadingCycle(civil);
            const Date target = TriodionTransferTarget(c);
            SCOPED_TRACE(civil.serial());
            EXPECT_EQ(target != civil, FixedReadingSuppressed(c));
            if (target != civil) {
                ++moved;
                EXPECT_EQ(FeastReceivedOn(MakeReadingCycle(target)), feast);
            }
        }
    }
    EXPECT_GT(moved, 50);
}

}  // namespace
}  // namespace indikt
