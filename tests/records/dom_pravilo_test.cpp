#include "records/dom_pravilo.h"
#include "records/dom_pravilo_settings.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

PlanSettings Plan(Date start, int per_day = 1, int cycles = 1, int start_index = 1)
{
    PlanSettings settings;
    settings.on = true;
    settings.start = start;
    settings.per_day = per_day;
    settings.cycles = cycles;
    settings.start_index = start_index;
    return settings;
}

// Monday 2 June 2025 (a Monday by the civil calendar).
constexpr Date kMonday = FromCivil(2025, 6, 2);

// The book tables: every index of a plan falls in exactly one book, the books
// follow each other without gaps and end at N, and the labels and files are
// formed as the window, the lectionary and the links expect.
TEST(DomPraviloTables, BooksCoverEveryIndexOnce)
{
    for (const RulePlan plan : {RulePlan::Gospel, RulePlan::Apostle, RulePlan::OldTestament}) {
        const RulePlanInfo& info = PlanInfo(plan);
        SCOPED_TRACE(info.suffix);
        int next = 1;
        for (const RuleBook& book : info.books) {
            EXPECT_EQ(book.first, next) << book.short_label;
            EXPECT_GE(book.last, book.first);
            next = book.last + 1;
        }
        EXPECT_EQ(next - 1, info.units);
    }
    EXPECT_EQ(PlanInfo(RulePlan::Psalter).units, 20);
}

TEST(DomPraviloTables, UnitsOfThePlans)
{
    // Source: the book tables of the rule (index ranges, labels, files).
    struct Case { RulePlan plan; int unit; const char* short_text; const char* full_text; const char* file; };
    const Case cases[] = {
        {RulePlan::Gospel, 1, "Мф, глава 1", "Евангелие от Матфея, глава 1", "51.html#g1"},
        {RulePlan::Gospel, 28, "Мф, глава 28", "Евангелие от Матфея, глава 28", "51.html#g28"},
        {RulePlan::Gospel, 29, "Мк, глава 1", "Евангелие от Марка, глава 1", "52.html#g1"},
        {RulePlan::Gospel, 89, "Ин, глава 21", "Евангелие от Иоанна, глава 21", "54.html#g21"},
        {RulePlan::Apostle, 47, "2 Ин, глава 1", "Второе послание святого Апостола Иоанна, глава 1", "60.html#g1"},
        {RulePlan::Apostle, 136, "Флм, глава 1", "Послание к Филимону святого Апостола Павла, глава 1", "75.html#g1"},
        {RulePlan::Apostle, 171, "Откр, глава 22", "Откровение святого Апостола Иоанна Богослова, глава 22",
         "77.html#g22"},
        {RulePlan::OldTestament, 517, "Иов, глава 42", "Книга Иова, глава 42", "21.html#g42"},
        {RulePlan::OldTestament, 518, "Притч, глава 1", "Книга Притчей Соломоновых, глава 1", "23.html#g1"},
        {RulePlan::OldTestament, 762, "Посл Иер, глава 1", "Послание Иеремии, глава 1", "31.html#g1"},
        {RulePlan::OldTestament, 878, "Агг, глава 2", "Книга пророка Аггея, глава 2", "44.html#g2"},
        {RulePlan::OldTestament, 950, "3 Езд, глава 16", "Третья книга Ездры, глава 16", "50.html#g16"},
        {RulePlan::Psalter, 9, "9 (Пс 64-69)", "9 (Пс 64-69)", "psalm09.html"},
        {RulePlan::Psalter, 10, "10 (Пс 70-76)", "10 (Пс 70-76)", "psalm10.html"},
        {RulePlan::Psalter, 17, "17 (Пс 118)", "17 (Пс 118)", "psalm17.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const RuleUnit unit = UnitOf(c.plan, c.unit);
        EXPECT_EQ(unit.short_text, QString::fromUtf8(c.short_text));
        EXPECT_EQ(unit.full_text, QString::fromUtf8(c.full_text));
        EXPECT_EQ(unit.file, QString::fromUtf8(c.file));
    }
}

TEST(DomPraviloTables, VersionsAndTheirFolders)
{
    EXPECT_EQ(VersionFolder(RulePlan::Gospel, 0), "Библия\\b_slv\\b_slv");
    EXPECT_EQ(VersionFolder(RulePlan::Apostle, 3), "Библия\\b_cas\\b_cas");
    EXPECT_EQ(VersionFolder(RulePlan::Psalter, 3), "Библия\\psalm\\ps_tmr\\");
    EXPECT_EQ(VersionItem(RulePlan::Psalter, 3), "в переводе с греч. о. Амвросия (Тимрота)");
    EXPECT_EQ(VersionItem(RulePlan::Gospel, 3), "в переводе еп. Кассиана (Безобразова)");
    // The Old Testament has three items; anything outside a list counts as 0.
    EXPECT_EQ(VersionFolder(RulePlan::OldTestament, 3), "Библия\\b_slv\\b_slv");
    EXPECT_EQ(VersionFolder(RulePlan::OldTestament, 2), "Библия\\b_snd\\b_snd");
    EXPECT_EQ(VersionItem(RulePlan::Gospel, -1), "на ц-сл.");
}

// The portion of a plan on a day. Source: the edge cases of the rule (Gospel
// h = 1 and 3, R = 1 and 2, the 29th, 30th and 90th days, skipped Sundays,
// the Psalter from kathisma 19, the Old Testament index 878); the book
// tables for the labels.
TEST(DomPraviloPortion, AutomaticPaging)
{
    PlanSettings sundays = Plan(kMonday);
    sundays.skipped[0] = true;
    PlanSettings psalter_19_twice = Plan(kMonday, 2, 2, 19);
    PlanSettings psalter_19_once = Plan(kMonday, 2, 1, 19);
    struct Case {
        const char* what;
        RulePlan plan;
        PlanSettings settings;
        int day;  // x - S0
        const char* text;
        const char* long_text;
        const char* markup;
        bool finished;
    };
    const Case cases[] = {
        {"h=1, first day", RulePlan::Gospel, Plan(kMonday), 0, "Мф, глава 1.", "Евангелие от Матфея, глава 1",
         "[Мф, глава 1=51.html#g1].", false},
        {"h=1, second day", RulePlan::Gospel, Plan(kMonday), 1, "Мф, глава 2.", "Евангелие от Матфея, глава 2",
         "[Мф, глава 2=51.html#g2].", false},
        {"h=1, 29th day", RulePlan::Gospel, Plan(kMonday), 28, "Мк, глава 1.", "Евангелие от Марка, глава 1",
         "[Мк, глава 1=52.html#g1].", false},
        {"h=1, 89th day, the last", RulePlan::Gospel, Plan(kMonday), 88, "Ин, глава 21.",
         "Евангелие от Иоанна, глава 21", "[Ин, глава 21=54.html#g21].", false},
        {"h=1, R=1, 90th day: finished", RulePlan::Gospel, Plan(kMonday), 89, "", "", "", true},
        {"h=1, R=2, 90th day: the second cycle", RulePlan::Gospel, Plan(kMonday, 1, 2), 89, "Мф, глава 1.",
         "Евангелие от Матфея, глава 1", "[Мф, глава 1=51.html#g1].", false},
        {"h=3, R=2, 30th day: across the cycle", RulePlan::Gospel, Plan(kMonday, 3, 2), 29,
         "От Ин, глава 20 до Мф, глава 1.", "От Евангелие от Иоанна, глава 20 до Евангелие от Матфея, глава 1.",
         "От [Ин, глава 20=54.html#g20] до Мф, глава 1.", false},
        {"h=3, R=1, 30th day: two chapters remain", RulePlan::Gospel, Plan(kMonday, 3, 1), 29,
         "От Ин, глава 20 до Ин, глава 21.", "От Евангелие от Иоанна, глава 20 до Евангелие от Иоанна, глава 21.",
         "От [Ин, глава 20=54.html#g20] до Ин, глава 21.", false},
        {"h=3, R=1, 31st day: finished", RulePlan::Gospel, Plan(kMonday, 3, 1), 30, "", "", "", true},
        {"Sundays skipped: Saturday", RulePlan::Gospel, sundays, 5, "Мф, глава 6.", "Евангелие от Матфея, глава 6",
         "[Мф, глава 6=51.html#g6].", false},
        {"Sundays skipped: Sunday", RulePlan::Gospel, sundays, 6, "", "", "", false},
        {"Sundays skipped: Monday", RulePlan::Gospel, sundays, 7, "Мф, глава 7.", "Евангелие от Матфея, глава 7",
         "[Мф, глава 7=51.html#g7].", false},
        {"Psalter from 19, first day", RulePlan::Psalter, psalter_19_twice, 0,
         "Кафизмы с 19 (Пс 134-142) по 20 (Пс 143-150).", "Кафизмы с 19 (Пс 134-142) по 20 (Пс 143-150).",
         "Кафизмы с [19 (Пс 134-142)=psalm19.html] по 20 (Пс 143-150).", false},
        {"Psalter from 19, R=2, second day", RulePlan::Psalter, psalter_19_twice, 1,
         "Кафизмы с 1 (Пс 1-8) по 2 (Пс 9-16).", "Кафизмы с 1 (Пс 1-8) по 2 (Пс 9-16).",
         "Кафизмы с [1 (Пс 1-8)=psalm01.html] по 2 (Пс 9-16).", false},
        {"Psalter from 19, R=1, tenth day: the last", RulePlan::Psalter, psalter_19_once, 9,
         "Кафизмы с 17 (Пс 118) по 18 (Пс 119-133).", "Кафизмы с 17 (Пс 118) по 18 (Пс 119-133).",
         "Кафизмы с [17 (Пс 118)=psalm17.html] по 18 (Пс 119-133).", false},
        {"Psalter from 19, R=1, eleventh day: finished", RulePlan::Psalter, psalter_19_once, 10, "", "", "", true},
        {"Old Testament at 878", RulePlan::OldTestament, Plan(kMonday, 1, 1, 878), 0, "Агг, глава 2.",
         "Книга пророка Аггея, глава 2", "[Агг, глава 2=44.html#g2].", false},
        {"before the start date", RulePlan::Gospel, Plan(kMonday), -1, "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PlanStep step = PortionOf(c.plan, c.settings, {}, kMonday + c.day, kMonday);
        EXPECT_EQ(step.portion.text, QString::fromUtf8(c.text));
        EXPECT_EQ(step.portion.long_text, QString::fromUtf8(c.long_text));
        EXPECT_EQ(step.portion.markup, QString::fromUtf8(c.markup));
        EXPECT_EQ(step.portion.finished, c.finished);
    }
}

// With automatic paging the window keeps the cumulative index as position.
TEST(DomPraviloPortion, AutomaticPagingRecordsTheIndex)
{
    const PlanStep step = PortionOf(RulePlan::Gospel, Plan(kMonday, 3, 2), {}, kMonday + 29, kMonday + 29);
    EXPECT_EQ(step.portion.cumulative, 88);
    EXPECT_EQ(step.state.position, 88);
    EXPECT_EQ(step.portion.unit, 88);
    EXPECT_EQ(step.portion.file, "54.html#g20");
    // A start on a skipped Sunday with three chapters a day still starts at 1.
    PlanSettings sunday_start = Plan(kMonday - 1, 3);
    sunday_start.skipped[0] = true;
    const PlanStep sunday = PortionOf(RulePlan::Gospel, sunday_start, {}, kMonday - 1, kMonday);
    EXPECT_TRUE(sunday.portion.skipped);
    EXPECT_TRUE(sunday.portion.text.isEmpty());
    EXPECT_EQ(sunday.state.position, 1);
    EXPECT_EQ(PortionOf(RulePlan::Gospel, sunday_start, {}, kMonday, kMonday).portion.text,
              "От Мф, глава 1 до Мф, глава 3.");
}

// Paging after reading: the portion stays until it is read, the mark shows
// on the day of reading, and the next day brings the next h units.
TEST(DomPraviloPortion, PagingAfterReadingAcrossTwoDays)
{
    PlanSettings settings = Plan(kMonday, 2);
    settings.automatic = false;
    PlanState state;  // as a plan turned on for the first time: pending, position 0
    const Date day1 = kMonday;
    const Date day2 = kMonday + 1;

    PlanStep first = PortionOf(RulePlan::Gospel, settings, state, day1, day1);
    EXPECT_EQ(first.portion.text, "От Мф, глава 1 до Мф, глава 2.");
    EXPECT_FALSE(first.portion.read);
    EXPECT_EQ(first.state.position, 1);
    EXPECT_TRUE(first.state.pending);
    state = first.state;

    // Not read: the same portion the next day.
    EXPECT_EQ(PortionOf(RulePlan::Gospel, settings, state, day2, day2).portion.text, first.portion.text);

    // Read on the first day: the mark shows, the portion stays that day.
    state = MarkedRead(RulePlan::Gospel, settings, state, day1);
    EXPECT_FALSE(state.pending);
    EXPECT_EQ(state.read_day, day1);
    const PlanStep read = PortionOf(RulePlan::Gospel, settings, state, day1, day1);
    EXPECT_EQ(read.portion.text, first.portion.text);
    EXPECT_TRUE(read.portion.read);
    EXPECT_EQ(read.state, state);

    // The next day the plan advances by h and is pending again.
    const PlanStep next = PortionOf(RulePlan::Gospel, settings, state, day2, day2);
    EXPECT_EQ(next.portion.text, "От Мф, глава 3 до Мф, глава 4.");
    EXPECT_FALSE(next.portion.read);
    EXPECT_EQ(next.state.position, 3);
    EXPECT_TRUE(next.state.pending);
    EXPECT_EQ(next.state.read_day, day2);

    // A plan that starts after today gives nothing yet.
    settings.start = day2 + 5;
    EXPECT_TRUE(PortionOf(RulePlan::Gospel, settings, state, day2 + 6, day2).portion.text.isEmpty());
}

// A link followed from the lectionary on a day the plan advances marks the new portion.
TEST(DomPraviloPortion, MarkingReadOnADayThePlanAdvances)
{
    PlanSettings settings = Plan(kMonday);
    settings.automatic = false;
    const PlanState read_yesterday{5, false, kMonday + 9};
    const PlanState marked = MarkedRead(RulePlan::Gospel, settings, read_yesterday, kMonday + 10);
    EXPECT_EQ(marked, (PlanState{6, false, kMonday + 10}));
}

// The Psalter starting at kathisma 19 with paging after reading starts at 19.
TEST(DomPraviloPortion, PagingAfterReadingStartsAtTheStartIndex)
{
    PlanSettings settings = Plan(kMonday, 1, 1, 19);
    settings.automatic = false;
    const PlanStep step = PortionOf(RulePlan::Psalter, settings, {0, false, kMonday - 1}, kMonday, kMonday);
    EXPECT_EQ(step.portion.text, "Кафизма 19 (Пс 134-142).");
    EXPECT_EQ(step.portion.markup, "[Кафизма 19 (Пс 134-142)=psalm19.html].");
}

// Previous and next. Source: the edge case "previous on the Old Testament plan
// at start index 1 moves the start to 950" and the stepping rules.
TEST(DomPraviloSteps, PreviousAndNext)
{
    struct Case {
        const char* what;
        RulePlan plan;
        bool automatic;
        int start_index;
        int position;
        bool forward;
        int expected_start;
        int expected_position;
    };
    const Case cases[] = {
        {"OT previous at 1", RulePlan::OldTestament, true, 1, 0, false, 950, 0},
        {"OT previous at 0", RulePlan::OldTestament, true, 0, 0, false, 950, 0},
        {"Gospel next at 89", RulePlan::Gospel, true, 89, 0, true, 1, 0},
        {"Gospel next at 5", RulePlan::Gospel, true, 5, 0, true, 6, 0},
        {"Psalter previous at 1", RulePlan::Psalter, true, 1, 0, false, 20, 0},
        {"after reading: next", RulePlan::Gospel, false, 1, 10, true, 1, 11},
        {"after reading: next past R*N", RulePlan::Gospel, false, 1, 178, true, 1, 1},
        {"after reading: previous at 1", RulePlan::Gospel, false, 1, 1, false, 1, 89},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlanSettings settings = Plan(kMonday, 1, 2, c.start_index);
        settings.automatic = c.automatic;
        PlanState state{c.position, false, kMonday};
        StepUnit(c.plan, settings, state, c.forward, kMonday + 3);
        EXPECT_EQ(settings.start_index, c.expected_start);
        EXPECT_EQ(state.position, c.expected_position);
        if (!c.automatic) {
            EXPECT_TRUE(state.pending);
            EXPECT_EQ(state.read_day, kMonday + 3);
        }
    }
    // Every day's portion shifts by one unit.
    PlanSettings settings = Plan(kMonday);
    PlanState state;
    StepUnit(RulePlan::Gospel, settings, state, true, kMonday);
    EXPECT_EQ(PortionOf(RulePlan::Gospel, settings, state, kMonday + 1, kMonday).portion.text, "Мф, глава 3.");
}

TEST(DomPraviloSteps, TurningOffRests)
{
    PlanSettings settings = Plan(kMonday, 4, 3, 7);
    settings.skipped = {true, false, true, false, false, false, true};
    settings.always = true;
    settings.automatic = false;
    PlanState state{40, true, kMonday};
    TurnOff(settings, state, kMonday + 2);
    EXPECT_FALSE(settings.on);
    EXPECT_EQ(settings.skipped, (std::array<bool, 7>{}));
    EXPECT_EQ(settings.per_day, 1);
    EXPECT_EQ(settings.cycles, 1);
    EXPECT_EQ(settings.start_index, 1);
    EXPECT_TRUE(settings.automatic);
    EXPECT_EQ(state, (PlanState{0, false, kMonday + 1}));
}

// No value, however it was stored, takes an index outside a table.
TEST(DomPraviloPortion, AnySettingsStayInsideTheTables)
{
    std::mt19937 random(19);
    std::uniform_int_distribution<int> any(-100000, 1000000);
    for (int i = 0; i < 20000; ++i) {
        const RulePlan plan = kRulePlans[static_cast<size_t>(i % 4)];
        PlanSettings settings = Plan(kMonday + any(random) % 3000, any(random) % 30, any(random) % 30, any(random) % 2000);
        settings.version = any(random) % 6;
        settings.automatic = i % 3 != 0;
        settings.always = i % 5 == 0;
        settings.skipped[static_cast<size_t>(i % 7)] = i % 2 == 0;
        const PlanState state{any(random), i % 2 == 0, kMonday + any(random) % 100};
        const PlanStep step = PortionOf(plan, settings, state, kMonday + any(random) % 5000, kMonday);
        if (!step.portion.text.isEmpty()) {
            ASSERT_GE(step.portion.unit, 1);
            ASSERT_LE(step.portion.unit, PlanInfo(plan).units);
        }
        ASSERT_GE(step.state.position, 0) << i;
        PlanState stepped = step.state;
        StepUnit(plan, settings, stepped, i % 2 == 0, kMonday);
        ASSERT_GE(stepped.position, 0);
        ASSERT_GE(settings.start_index, 0);
        ASSERT_LE(settings.start_index, PlanInfo(plan).units);
    }
}

// Source: the summary rules of the tabs (titles, "раз"/"раза", the units, the
// skipped days, the version item and the paging phrase).
TEST(DomPraviloTexts, Summaries)
{
    PlanSettings gospel = Plan(D(2025, 3, 9), 3, 2);
    gospel.skipped = {true, false, false, false, false, false, true};
    EXPECT_EQ(PlanSummary(RulePlan::Gospel, gospel),
              "Читаем Евангелие 2 раза с 9 мар 2025 г.;  читаем 3 главы в день, кроме Вс, Сб; на ц-сл.; "
              "листать автоматически.");
    EXPECT_EQ(PlanCaptionHint(RulePlan::Gospel, gospel),
              "Читаем Евангелие 2 раза с 9 мар 2025 г.;  читаем 3 главы в день, кроме Вс, Сб;\nлистать автоматически.");

    PlanSettings psalter = Plan(D(2025, 3, 9), 1, 1, 19);
    psalter.always = true;
    psalter.automatic = false;
    psalter.skipped[0] = true;  // not listed: the skipped days count only with automatic paging
    psalter.version = 3;
    EXPECT_EQ(PlanSummary(RulePlan::Psalter, psalter),
              "Читаем Псалтирь с 9 мар 2025 г. постоянно;  начинаем c 19-й каф.; читаем 1 кафизму в день; "
              "в переводе с греч. о. Амвросия (Тимрота); листать после перехода по ссылкам на Св. Писание.");

    EXPECT_EQ(PlanSummary(RulePlan::OldTestament, Plan(D(2025, 3, 9), 5, 5)),
              "Читаем Ветхий Завет 5 раз с 9 мар 2025 г.;  читаем 5 глав в день; на ц-сл.; листать автоматически.");
    EXPECT_EQ(UnitsPerDayLabel(RulePlan::Psalter, 5), "кафизм в день");
    EXPECT_EQ(UnitsPerDayLabel(RulePlan::Gospel, 1), "главу в день");
    EXPECT_EQ(CyclesLabel(4), "раза");
    EXPECT_EQ(CyclesLabel(11), "раз");
}

TEST(DomPraviloTexts, CopyAllUsesLineBreaks)
{
    HomeRule rule;
    rule.plan(RulePlan::Gospel) = Plan(kMonday);
    rule.plan(RulePlan::Psalter) = Plan(kMonday, 2);
    const RuleDay day = TextPravilo(rule, kMonday, kMonday);
    const QString text = RuleCopyText(rule, day, kMonday);
    EXPECT_EQ(text, "Домашнее правило на Пн 2 июн 2025 г. \n\nЕвангелие: Мф, глава 1.\n"
                    "Псалтирь: Кафизмы с 1 (Пс 1-8) по 2 (Пс 9-16).");
    EXPECT_FALSE(text.contains('\r'));
}

TEST(DomPraviloRule, OnlyPlansThatAreOnGivePortionsAndTheIconAsksForUnreadOnes)
{
    HomeRule rule;
    rule.plan(RulePlan::Gospel) = Plan(kMonday);
    rule.plan(RulePlan::Apostle) = Plan(kMonday);
    rule.plan(RulePlan::Apostle).on = false;
    rule.state(RulePlan::Apostle) = {17, false, kMonday};
    RuleDay day = TextPravilo(rule, kMonday, kMonday);
    EXPECT_EQ(day.step(RulePlan::Gospel).portion.text, "Мф, глава 1.");
    EXPECT_TRUE(day.step(RulePlan::Apostle).portion.text.isEmpty());
    EXPECT_EQ(day.step(RulePlan::Apostle).state, rule.state(RulePlan::Apostle));
    EXPECT_FALSE(HasUnreadPortion(rule, day)) << "automatic paging never asks";

    rule.plan(RulePlan::Gospel).automatic = false;
    day = TextPravilo(rule, kMonday, kMonday);
    EXPECT_TRUE(HasUnreadPortion(rule, day));
    KeepStates(rule, day);
    rule.state(RulePlan::Gospel) = MarkedRead(RulePlan::Gospel, rule.plan(RulePlan::Gospel), rule.state(RulePlan::Gospel), kMonday);
    EXPECT_FALSE(HasUnreadPortion(rule, TextPravilo(rule, kMonday, kMonday)));
}

// zk.ini: every stored value is read bounded to what its use allows.
TEST(DomPraviloSettings, StoredValuesAreRangeChecked)
{
    QTemporaryDir root;
    const QString path = root.path() + "/zk.ini";
    ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(QString::fromUtf8(
                                     "[Pravilo]\r\n"
                                     "CheckBoxEvNSav=1\r\nSpinEditPlusEvNSav=0\r\nSpinEditRasEvNSav=0\r\n"
                                     "PoslGlavEvNSav=-5\r\nStartEvNSav=90\r\nVersiyaEvNSav=3\r\nDateEvNSav=31.02.2025\r\n"
                                     "SpinEditPlusApNSav=25\r\nSpinEditRasApNSav=999\r\nPoslGlavApNSav=5000\r\n"
                                     "StartApNSav=0\r\nVersiyaApNSav=7\r\nRBAutoListApNSav=0\r\nStopApNSav=0\r\n"
                                     "SpinEditStartPsalm=21\r\nVersiyaPsalm=-1\r\nIsklPsalm3=1\r\n"
                                     "StartVSav=-3\r\nVersiyaVSav=3\r\nDateStopVSav=01.03.2025\r\n"))));
    const Date today = D(2025, 6, 2);
    const HomeRule rule = ReadHomeRule(ZkSettings::Load(path, today));
    const PlanSettings& gospel = rule.plan(RulePlan::Gospel);
    EXPECT_TRUE(gospel.on);
    EXPECT_EQ(gospel.per_day, 1);
    EXPECT_EQ(gospel.cycles, 1);
    EXPECT_EQ(rule.state(RulePlan::Gospel).position, 0);
    EXPECT_EQ(gospel.start_index, 1);
    EXPECT_EQ(gospel.version, 3);
    EXPECT_EQ(gospel.start, today) << "an impossible date is today";
    const PlanSettings& apostle = rule.plan(RulePlan::Apostle);
    EXPECT_EQ(apostle.per_day, 20);
    EXPECT_EQ(apostle.cycles, 20);
    EXPECT_EQ(rule.state(RulePlan::Apostle).position, 5000) << "a position past the end is kept: the plan is finished";
    EXPECT_EQ(apostle.start_index, 0);
    EXPECT_EQ(apostle.version, 0);
    EXPECT_FALSE(apostle.automatic);
    EXPECT_FALSE(rule.state(RulePlan::Apostle).pending);
    EXPECT_EQ(rule.plan(RulePlan::Psalter).start_index, 1);
    EXPECT_EQ(rule.plan(RulePlan::Psalter).version, 0);
    EXPECT_TRUE(rule.plan(RulePlan::Psalter).skipped[3]);
    EXPECT_EQ(rule.plan(RulePlan::OldTestament).start_index, 1);
    EXPECT_EQ(rule.plan(RulePlan::OldTestament).version, 0);
    EXPECT_EQ(rule.state(RulePlan::OldTestament).read_day, D(2025, 3, 1));
    EXPECT_TRUE(rule.see_in_lectionary);

    // The Apostle stands past its end: finished, nothing to read.
    PlanSettings apostle_on = apostle;
    apostle_on.on = true;
    const PlanStep finished = PortionOf(RulePlan::Apostle, apostle_on, rule.state(RulePlan::Apostle), today, today);
    EXPECT_TRUE(finished.portion.finished);
    EXPECT_TRUE(finished.portion.text.isEmpty());
}

// A plan turned off is saved with its defaults; the other plans keep theirs.
TEST(DomPraviloSettings, APlanTurnedOffIsSavedAtRest)
{
    QTemporaryDir root;
    const QString path = root.path() + "/zk.ini";
    const Date today = D(2025, 6, 2);
    ZkSettings settings(today);
    HomeRule rule;
    for (const RulePlan plan : kRulePlans) {
        rule.plan(plan) = Plan(today - 10, 3, 2, 5);
        rule.plan(plan).skipped[2] = true;
        rule.plan(plan).version = 2;
        rule.plan(plan).automatic = false;
        rule.state(plan) = {12, true, today};
    }
    rule.plan(RulePlan::Apostle).on = false;  // turned off without the window's rest
    WriteHomeRule(settings, rule);
    ASSERT_TRUE(settings.save(path, today).ok());

    const HomeRule saved = ReadHomeRule(ZkSettings::Load(path, today));
    const PlanSettings& apostle = saved.plan(RulePlan::Apostle);
    EXPECT_FALSE(apostle.on);
    EXPECT_EQ(apostle.per_day, 1);
    EXPECT_EQ(apostle.cycles, 1);
    EXPECT_EQ(apostle.start_index, 1);
    EXPECT_FALSE(apostle.skipped[2]);
    // Position, state, dates, version and paging are written in any case.
    EXPECT_EQ(saved.state(RulePlan::Apostle), (PlanState{12, true, today}));
    EXPECT_EQ(apostle.version, 2);
    EXPECT_FALSE(apostle.automatic);
    EXPECT_EQ(apostle.start, today - 10);
    for (const RulePlan plan : {RulePlan::Gospel, RulePlan::Psalter, RulePlan::OldTestament}) {
        SCOPED_TRACE(PlanInfo(plan).suffix);
        EXPECT_TRUE(saved.plan(plan).on);
        EXPECT_EQ(saved.plan(plan).per_day, 3);
        EXPECT_EQ(saved.plan(plan).cycles, 2);
        EXPECT_EQ(saved.plan(plan).start_index, 5);
        EXPECT_TRUE(saved.plan(plan).skipped[2]);
        EXPECT_EQ(saved.state(plan), (PlanState{12, true, today}));
    }
}

// The schema bounds agree with the plans' tables.
TEST(DomPraviloSettings, SchemaBoundsMatchThePlans)
{
    for (const RulePlan plan : kRulePlans) {
        const RulePlanInfo& info = PlanInfo(plan);
        SCOPED_TRACE(info.suffix);
        const SettingDefinition* start = FindSetting(kSectionPravilo, PraviloStartKey(info.suffix));
        ASSERT_NE(start, nullptr);
        EXPECT_EQ(start->max, info.units);
        const SettingDefinition* version = FindSetting(kSectionPravilo, std::string("Versiya") + info.suffix);
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(version->max, info.versions - 1);
        EXPECT_EQ(FindSetting(kSectionPravilo, std::string("SpinEditPlus") + info.suffix)->max, kMaxUnitsPerDay);
        EXPECT_EQ(FindSetting(kSectionPravilo, std::string("SpinEditRas") + info.suffix)->max, kMaxCycles);
    }
}

}  // namespace
}  // namespace indikt
