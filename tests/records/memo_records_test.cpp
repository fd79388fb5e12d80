#include "records/memo_records.h"

#include "calendar/date_texts.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }
MemoClock At(Date today, int hour = 12, int minute = 0) { return {today, hour * 60 + minute}; }

TEST(ComputeJubilee, NextOccurrenceAndYears)
{
    struct Case {
        const char* what;
        Date stored;
        std::optional<int> offset;
        MemoClock clock;
        CivilFields occurrence;
        int waiting;
        int years;
    };
    const Case cases[] = {
        {"29 February in a common year", D(2000, 2, 29), {}, At(D(2023, 1, 10)), {2023, 2, 28}, 49, 23},
        {"after it: the next leap day", D(2000, 2, 29), {}, At(D(2023, 3, 1)), {2024, 2, 29}, 365, 24},
        {"on the day itself", D(1990, 12, 8), {}, At(D(2026, 12, 8)), {2026, 12, 8}, 0, 36},
        // Good Friday 2025 was 18 April; on the 19th the next is 10 April 2026.
        {"movable after it has passed", D(1995, 4, 21), -2, At(D(2025, 4, 19)), {2026, 4, 10}, 356, 31},
        {"movable before it", D(1995, 4, 21), -2, At(D(2025, 4, 1)), {2025, 4, 18}, 17, 30},
        {"an offset of 400 counts as fixed", D(2001, 6, 3), 400, At(D(2025, 1, 1)), {2025, 6, 3}, 153, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        YubRecord jubilee{.name = "x", .stored = c.stored, .pascha_offset = c.offset, .show_years = true, .occurrence = {}, .waiting = 0, .years = 0};
        ComputeJubilee(jubilee, c.clock);
        EXPECT_EQ(Fields(jubilee.occurrence), c.occurrence);
        EXPECT_EQ(jubilee.waiting, c.waiting);
        EXPECT_EQ(jubilee.years, c.years);
        EXPECT_EQ(JubileeColumns(jubilee)[0], QString::fromStdString(TextOfDayAndMonthAndYear1(c.stored)));
    }
}

TEST(MakeFeast, NextOccurrenceAndOffset)
{
    struct Case {
        const char* what;
        bool movable;
        FeastStatus status;
        int offset;
        Date stored;
        bool old_style;
        MemoClock clock;
        CivilFields occurrence;
        int waiting;
        int pascha_offset;
    };
    const Case cases[] = {
        // Old-style 25 December seen on 3 January 2025: this January's 7th.
        {"old-style Nativity in early January", false, FeastStatus::Church, 0, D(2024, 12, 25), true,
         At(D(2025, 1, 3)), {2025, 1, 7}, 4, -103},
        // Old-style 20 December is 2 January; on 10 January 2025 that has
        // passed, and the next one is 2 January 2026, not 2027.
        {"early-January feast already past", false, FeastStatus::Church, 0, D(2024, 12, 20), true,
         At(D(2025, 1, 10)), {2026, 1, 2}, 357, 257},
        {"old-style feast later in the year", false, FeastStatus::Church, 0, D(2020, 8, 6), true,
         At(D(2025, 3, 1)), {2025, 8, 19}, 171, 121},
        {"old-style feast that passed moves a year", false, FeastStatus::Church, 0, D(2020, 1, 1), true,
         At(D(2025, 3, 1)), {2026, 1, 14}, 319, -88},
        {"without the header a church date is civil", false, FeastStatus::Church, 0, D(2020, 8, 19), false,
         At(D(2025, 3, 1)), {2025, 8, 19}, 171, 121},
        {"civil 29 February in a common year", false, FeastStatus::Civil, 0, D(2024, 2, 29), true,
         At(D(2025, 1, 1)), {2025, 2, 28}, 58, -51},
        {"movable, this year", true, FeastStatus::Church, 49, D(2000, 1, 1), true, At(D(2025, 1, 1)),
         {2025, 6, 8}, 158, 49},
        {"movable, passed", true, FeastStatus::Other, 0, D(2000, 1, 1), true, At(D(2025, 4, 21)), {2026, 4, 12},
         356, 0},
        // The difference grows at the Julian 29 February 2100: the old-style
        // 5 January 2100 is still 18 January civil.
        {"old-style feast early in 2100", false, FeastStatus::Church, 0, D(2020, 1, 5), true,
         At(D(2100, 1, 10)), {2100, 1, 18}, 8, -104},
        {"old-style feast after the leap day of 2100", false, FeastStatus::Church, 0, D(2020, 3, 1), true,
         At(D(2100, 1, 10)), {2100, 3, 15}, 64, -48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PrasdRecord feast = MakeFeast("x", c.movable, c.status, c.offset, c.stored, c.old_style, c.clock);
        EXPECT_EQ(Fields(feast.occurrence), c.occurrence);
        EXPECT_EQ(feast.waiting, c.waiting);
        EXPECT_EQ(feast.pascha_offset, c.pascha_offset);
    }
}

TEST(ComputeEvent, NextOccurrenceAndActiveState)
{
    struct Case {
        const char* what;
        EventPeriod period;
        Date stored;
        int minute;
        MemoClock clock;
        CivilFields occurrence;
        int waiting;
        bool active;
        const char* waiting_column;
    };
    const Case cases[] = {
        {"monthly on the 31st in April", EventPeriod::Monthly, D(2025, 1, 31), 8 * 60, At(D(2025, 4, 2)),
         {2025, 4, 30}, 28, true, "28"},
        {"monthly after its time on 31 December", EventPeriod::Monthly, D(2025, 1, 31), 8 * 60,
         At(D(2025, 12, 31), 9), {2026, 1, 31}, 31, true, "31"},
        {"one-time next week, late in the day", EventPeriod::Once, D(2025, 5, 8), 8 * 60, At(D(2025, 5, 1), 23, 59),
         {2025, 5, 8}, 7, true, "7"},
        {"one-time today before its minute", EventPeriod::Once, D(2025, 5, 1), 9 * 60, At(D(2025, 5, 1), 8, 59),
         {2025, 5, 1}, 0, true, "0"},
        {"one-time today at its minute", EventPeriod::Once, D(2025, 5, 1), 9 * 60, At(D(2025, 5, 1), 9, 0),
         {2025, 5, 1}, 0, false, "-"},
        {"one-time yesterday", EventPeriod::Once, D(2025, 4, 30), 9 * 60, At(D(2025, 5, 1), 1), {2025, 4, 30}, 1,
         false, "-"},
        {"daily at 08:00 seen at 09:00", EventPeriod::Daily, D(2020, 1, 1), 8 * 60, At(D(2025, 5, 1), 9),
         {2025, 5, 2}, 1, true, "1"},
        {"daily at 08:00 seen at 07:00", EventPeriod::Daily, D(2020, 1, 1), 8 * 60, At(D(2025, 5, 1), 7),
         {2025, 5, 1}, 0, true, "0"},
        {"yearly 29 February", EventPeriod::Yearly, D(2024, 2, 29), 0, At(D(2025, 1, 1)), {2025, 2, 28}, 58, true,
         "58"},
        {"yearly after its time today", EventPeriod::Yearly, D(2000, 5, 1), 60, At(D(2025, 5, 1), 2), {2026, 5, 1},
         365, true, "365"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SobRecord event{.name = "x", .active = true, .period = c.period, .minute = c.minute, .stored = c.stored,
                        .occurrence = {}, .waiting = 0};
        ComputeEvent(event, c.clock);
        EXPECT_EQ(Fields(event.occurrence), c.occurrence);
        EXPECT_EQ(event.waiting, c.waiting);
        EXPECT_EQ(event.active, c.active);
        EXPECT_EQ(EventColumns(event)[4], c.waiting_column);
    }
}

TEST(MemoTexts, PeriodsStatusesAndTimes)
{
    EXPECT_EQ(PeriodFromText(u"Ежедневно"), EventPeriod::Daily);
    EXPECT_EQ(PeriodFromText(u"Ежемесячно"), EventPeriod::Monthly);
    EXPECT_EQ(PeriodFromText(u"Однократно"), EventPeriod::Once);
    EXPECT_EQ(PeriodFromText(u"раз в год"), EventPeriod::Yearly);
    EXPECT_EQ(StatusFromText(u"государственный"), FeastStatus::Civil);
    EXPECT_FALSE(StatusFromText(u"Православный").has_value());

    struct TimeCase { const char* text; std::optional<int> minute; };
    const TimeCase times[] = {
        {"08:05", 8 * 60 + 5}, {"8:05", 8 * 60 + 5}, {" 23:59:30 ", 23 * 60 + 59}, {"24:00", {}},
        {"8", {}}, {"aa:bb", {}}, {"", {}}, {"7:5", 7 * 60 + 5},
    };
    for (const TimeCase& c : times) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseMinute(QString::fromUtf8(c.text)), c.minute);
    }
    EXPECT_EQ(MinuteText(8 * 60 + 5), "08:05");
}

TEST(MemoPreviews, NewRowLabels)
{
    const MemoClock clock = At(D(2025, 3, 1), 10);
    struct Case { const char* what; QString text; const char* expected; };
    const Case cases[] = {
        {"fixed jubilee", NewJubileePreview(D(2024, 1, 7), false), "Новый юбилей: 7 янв 2024 г."},
        {"movable jubilee, 21 days before", NewJubileePreview(D(2025, 3, 30), true),
         "Новый юбилей: за 21 день до Пасхи"},
        {"movable feast, 12 days before", NewFeastPreview(D(2025, 4, 8), true),
         "Новый праздник: за 12 дней до Пасхи"},
        {"movable feast, 3 days before", NewFeastPreview(D(2025, 4, 17), true),
         "Новый праздник: за 3 дня до Пасхи"},
        {"on Pascha", NewJubileePreview(D(2025, 4, 20), true), "Новый юбилей: на Пасху"},
        {"after Pascha", NewFeastPreview(D(2025, 6, 8), true), "Новый праздник: на 49-й день после Пасхи"},
        {"fixed feast", NewFeastPreview(D(2025, 1, 7), false), "Новый праздник: 7 янв (25 дек по ст. ст.)"},
        {"one-time event", NewEventPreview(EventPeriod::Once, D(2025, 3, 9), 8 * 60, clock),
         "Новое событие:9 мар 2025 г. в 08:00"},
        {"yearly event", NewEventPreview(EventPeriod::Yearly, D(2020, 2, 10), 8 * 60, clock),
         "Новое событие: Ежегодно10 февв 08:00"},
        {"monthly event", NewEventPreview(EventPeriod::Monthly, D(2020, 1, 31), 8 * 60, At(D(2025, 4, 2))),
         "Новое событие: 30-го числа каждого месяца в 08:00"},
        {"daily event", NewEventPreview(EventPeriod::Daily, D(2020, 1, 1), 21 * 60 + 30, clock),
         "Новое событие: Ежедневно в 21:30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
    }
}

}  // namespace
}  // namespace indikt
