#include "calendar/fasts.h"

#include "calendar/paschalion.h"

#include <gtest/gtest.h>

#include <string>

namespace indikt {
namespace {

constexpr const char* kHintWednesday =
    "Пост установлен\n\rв воспоминание предания Спасителя на страдания и смерть.\n\rВ этот день не употребляется мясная и молочная пища|В этот день не употребляется мясная и молочная пища";
constexpr const char* kHintFriday =
    "Пост установлен\n\rв воспоминание страдания и смерти Спасителя.\n\rВ этот день не употребляются мясная и молочная пища|В этот день не употребляются мясная и молочная пища";
constexpr const char* kHintStrict = "Cтрогий пост. Не употребляется рыба, но разрешается пища с растительным маслом";
constexpr const char* kHintDormition = "Пост установлен\n\rв честь Пресвятой Богородицы.\n\rРыба не употребляется|Рыба не употребляется";
constexpr const char* kHintPaschaWednesday =
    "Пост установлен\n\rв воспоминание предания Спасителя на страдания и смерть.\n\rДо праздника Пятидесятницы в среду и пятницу разрешается рыба|До праздника Пятидесятницы в среду и пятницу разрешается рыба";
constexpr const char* kHintPeter =
    "Пост установлен\n\rв честь святых апостолов.\n\rКроме среды и пятницы можно употреблять рыбу|Кроме среды и пятницы можно употреблять рыбу";
constexpr const char* kLatinStrict = "\x43трогий пост";  // Latin C, then Cyrillic "трогий"
constexpr const char* kNoHint = "Церковные указания на сегодняшний день";

struct PostCase {
    const char* why;
    CivilFields date;  // new style
    const char* label;
    const char* hint;  // nullptr: the hint is the label
};

const PostCase kPostCases[] = {
    {"a plain Wednesday", {2025, 10, 8}, "Постный день", kHintWednesday},
    {"a plain Friday", {2025, 10, 10}, "Постный день", kHintFriday},
    {"a plain Monday", {2025, 10, 6}, "", kNoHint},
    {"Wednesday in the Dormition fast: the period replaces the weekday", {2025, 8, 20}, "Успенский пост", kHintDormition},
    {"6 August old style on a Friday: fish after the Dormition rule", {2022, 8, 19}, "Разрешается рыба", nullptr},
    {"29 August old style", {2025, 9, 11}, kLatinStrict, kHintStrict},
    {"14 September old style on a Saturday", {2025, 9, 27}, kLatinStrict, kHintStrict},
    {"24 December old style on a Sunday", {2019, 1, 6}, "Рождественский пост", "День постный"},
    {"24 December old style on a Monday", {2025, 1, 6}, kLatinStrict, kLatinStrict},
    {"5 January old style on a Monday", {2021, 1, 18}, kLatinStrict, kHintStrict},
    {"5 January old style on a Saturday", {2020, 1, 18}, "Постный день", "День постный"},
    {"25 December old style on a Wednesday", {2026, 1, 7}, "Сплошная седмица", "Святки - сплошная седмица"},
    {"6 January old style on a Friday", {2024, 1, 19}, "Поста нет", kHintFriday},
    {"Nativity fast, early", {2025, 11, 30}, "Рождественский пост",
     "Пост предваряет\n\rпраздник Рождества Христова за сорок дней.\n\rКроме среды и пятницы\n\rдо дня свт. Николая разрешается рыба.\n\rПосле дня памяти Святителя Николая\n\rрыба разрешается в субботу и воскресенье|Кроме среды и пятницы до дня свт. Николая разрешается рыба"},
    {"Nativity fast, from 20 November", {2025, 12, 3}, "Рождественский пост",
     "Пост предваряет\n\rпраздник Рождества Христова за сорок дней.\n\rКроме среды и пятницы\n\rдо дня свт. Николая разрешается рыба.\n\rПосле дня памяти свт. Николая\n\rрыба разрешается в субботу и воскресенье|После дня памяти свт. Николая рыба разрешается в субботу и воскресенье"},
    {"21 November old style in the Nativity fast", {2025, 12, 4}, "Разрешается рыба", nullptr},
    {"Clean Monday", {2025, 3, 3}, "Великий пост",
     "Пост установлен в воспоминание\n\rсорокадневного поста Иисуса Христа в пустыне,\n\rа последняя страстная седмица -\n\rв воспоминание страданий и смерти Спасителя.\n\rРыба разрешается на Благовещение и в Вербное воскресенье. В Лазареву субботу разрешается рыбная икра|Рыба разрешается на Благовещение и в Вербное воскресенье. В Лазареву субботу разрешается рыбная икра"},
    {"25 March old style in Lent before Palm Sunday", {2025, 4, 7}, "Разрешается рыба", nullptr},
    {"Lazarus Saturday", {2025, 4, 12}, "Разрешается рыбная икра", nullptr},
    {"Palm Sunday", {2025, 4, 13}, "Разрешается рыба", nullptr},
    {"Great Friday", {2025, 4, 18}, "Строгий пост", nullptr},
    {"Great Saturday", {2025, 4, 19}, "Строгий пост", nullptr},
    {"25 March old style on Great Friday (Pascha 27 March 2034)", {2034, 4, 7}, "Великий пост", "День постный"},
    {"25 March old style on Great Tuesday", {2026, 4, 7}, "Великий пост", "День постный"},
    {"Pascha", {2025, 4, 20}, "Сплошная седмица", "Пасхальная седмица (Светлая) - сплошная"},
    {"Friday of Bright Week", {2025, 4, 25}, "Сплошная седмица", "Пасхальная седмица (Светлая) - сплошная"},
    {"Thomas Sunday", {2025, 4, 27}, "", kNoHint},
    {"Wednesday of the fifth week after Pascha", {2024, 6, 5}, "Постный день", kHintPaschaWednesday},
    {"that Wednesday on 8 May old style", {2025, 5, 21}, "Разрешается рыба", nullptr},
    {"Pentecost", {2025, 6, 8}, "Сплошная седмица", "Троицкая седмица - сплошная"},
    {"Wednesday of Trinity week", {2025, 6, 11}, "Сплошная седмица", "Троицкая седмица - сплошная"},
    {"first day of the Peter fast", {2025, 6, 16}, "Петров пост", kHintPeter},
    {"Wednesday in the Peter fast", {2025, 6, 18}, "Петров пост", kHintPeter},
    {"24 June old style in the Peter fast", {2025, 7, 7}, "Разрешается рыба", nullptr},
    {"29 June old style ends the Peter fast", {2025, 7, 12}, "", kNoHint},
    {"29 June old style on a Friday", {2024, 7, 12}, "Разрешается рыба", nullptr},
    {"29 June old style on a Wednesday", {2023, 7, 12}, "Разрешается рыба", nullptr},
    {"Christmastide, 4 January old style", {2025, 1, 17}, "Сплошная седмица", "Святки - сплошная седмица"},
    {"week of the Publican", {2025, 2, 12}, "Сплошная седмица", "Седмица о мытаре и фарисее - сплошная"},
    {"Cheesefare week", {2025, 2, 28}, "Сплошная седмица", "Сырная седмица (масленица) - сплошная"},
    // Pascha 25 April 1983 old style: Pentecost 13 June, the Peter fast 21 to 28 June old style.
    {"late Pascha: 20 June old style, still All Saints week", {1983, 7, 3}, "", kNoHint},
    {"late Pascha: 21 June old style, the Peter fast begins", {1983, 7, 4}, "Петров пост", kHintPeter},
    {"late Pascha: 24 June old style", {1983, 7, 7}, "Разрешается рыба", nullptr},
    {"late Pascha: 28 June old style", {1983, 7, 11}, "Петров пост", kHintPeter},
    // The difference grows only at the Julian 29 February 2100 (date
    // arithmetic): 6 January 2100 is the eve of the Nativity, 7 January the
    // Nativity, 18 January the eve of Theophany, as in every other year.
    {"the eve of the Nativity 2099 on a Wednesday", {2100, 1, 6}, kLatinStrict, kLatinStrict},
    {"the Nativity 2099 is 7 January 2100", {2100, 1, 7}, "Сплошная седмица", "Святки - сплошная седмица"},
    {"the eve of Theophany 2100 on a Monday", {2100, 1, 18}, kLatinStrict, kHintStrict},
    {"Theophany 1900 on a Thursday", {1900, 1, 18}, "", kNoHint},
};

TEST(Post, DayRule)
{
    for (const PostCase& c : kPostCases) {
        SCOPED_TRACE(c.why);
        const FastDay fast = Post(FromCivil(c.date.year, c.date.month, c.date.day));
        EXPECT_EQ(fast.label, c.label);
        EXPECT_EQ(fast.hint, c.hint ? c.hint : c.label);
    }
}

TEST(Post, StrictLabelsDifferInTheirFirstLetter)
{
    const FastDay beheading = Post(FromCivil(2025, 9, 11));
    const FastDay great_friday = Post(FromCivil(2025, 4, 18));
    ASSERT_FALSE(beheading.label.empty());
    EXPECT_EQ(beheading.label[0], 'C');
    EXPECT_EQ(great_friday.label.substr(0, 2), "С");
    EXPECT_EQ(beheading.label.substr(1), great_friday.label.substr(2));
}

TEST(Post, HintIsNeverEmptyAndLineBreaksAreLfCr)
{
    for (Date date = FromCivil(2024, 1, 1); date <= FromCivil(2026, 12, 31); date = date + 1) {
        const FastDay fast = Post(date);
        ASSERT_FALSE(fast.hint.empty());
        const std::string hint(fast.hint);
        ASSERT_EQ(hint.find("\r\n"), std::string::npos) << hint;
    }
}

struct GridCase {
    const char* why;
    CivilFields date;
    CivilFields shown;  // the current date whose Pascha the grid counts from
    const char* text;
};

const GridCase kGridCases[] = {
    {"a Wednesday", {2025, 10, 8}, {2025, 10, 1}, "постный день"},
    {"a Monday", {2025, 10, 6}, {2025, 10, 1}, ""},
    {"25 December old style on a Wednesday", {2026, 1, 7}, {2026, 1, 1}, ""},
    {"6 January old style on a Friday", {2024, 1, 19}, {2024, 1, 1}, ""},
    {"24 December old style", {2025, 1, 6}, {2025, 1, 1}, "строгий пост"},
    {"29 August old style", {2025, 9, 11}, {2025, 9, 1}, "строгий пост"},
    {"the Dormition fast", {2025, 8, 20}, {2025, 8, 1}, "Успенский пост"},
    {"the Nativity fast", {2025, 12, 3}, {2025, 12, 1}, "Рождественский пост"},
    {"Great Saturday is Lent in the grid", {2025, 4, 19}, {2025, 4, 1}, "Великий пост"},
    {"Palm Sunday", {2025, 4, 13}, {2025, 4, 1}, "Великий пост"},
    {"Pascha", {2025, 4, 20}, {2025, 4, 1}, ""},
    {"first day of the Peter fast", {2025, 6, 16}, {2025, 6, 1}, "Петров пост"},
    {"29 June old style", {2025, 7, 12}, {2025, 7, 1}, ""},
    // The grid counts from the Pascha of the shown day, not of the cell's year:
    // a cell in March 2025 seen from January 2025 (old style still 2024) is not Lent.
    {"Lent 2025 seen from early January 2025", {2025, 3, 4}, {2025, 1, 5}, ""},
};

TEST(CalendarPost, GridFastText)
{
    for (const GridCase& c : kGridCases) {
        SCOPED_TRACE(c.why);
        const Date shown = FromCivil(c.shown.year, c.shown.month, c.shown.day);
        EXPECT_EQ(CalendarPost(FromCivil(c.date.year, c.date.month, c.date.day), MakeDayFacts(shown).pascha), c.text);
    }
}

TEST(CalendarNePost, GridFastFreeText)
{
    struct Case { const char* why; CivilFields date; const char* text; };
    const Case cases[] = {
        {"the Nativity itself is not in the grid's Christmastide", {2025, 1, 7}, ""},
        {"26 December old style", {2025, 1, 8}, "Среда сплошной седмицы, Святки"},
        {"4 January old style", {2025, 1, 17}, "Пятница сплошной седмицы, Святки"},
        {"week of the Publican", {2025, 2, 12}, "Среда сплошной седмицы о мытаре и фарисее"},
        {"Cheesefare week", {2025, 2, 24}, "Понедельник сплошной, сырной седмицы (масленицы)"},
        {"Pascha itself", {2025, 4, 20}, ""},
        {"Bright Monday", {2025, 4, 21}, "Понедельник сплошной, Пасхальной (Светлой) седмицы"},
        {"Pentecost itself", {2025, 6, 8}, ""},
        {"Trinity Saturday", {2025, 6, 14}, "Суббота сплошной, Троицкой седмицы"},
        {"an ordinary day", {2025, 10, 8}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(CalendarNePost(FromCivil(c.date.year, c.date.month, c.date.day), ""), c.text);
    }
    EXPECT_EQ(CalendarNePost(FromCivil(2025, 4, 21), "x, "), "x, Понедельник сплошной, Пасхальной (Светлой) седмицы");
}

TEST(PerPost, TargetsOf2025)
{
    // Pascha 2025: 20 April new style.
    const CivilFields expected[] = {
        {2025, 3, 3},  {2025, 6, 16}, {2025, 8, 14}, {2025, 11, 28}, {2025, 1, 7},  {2025, 2, 9},
        {2025, 2, 23}, {2025, 4, 20}, {2025, 6, 8},  {2025, 2, 22},  {2025, 3, 15}, {2025, 3, 22},
        {2025, 3, 29}, {2025, 4, 29}, {2025, 5, 9},  {2025, 6, 7},   {2025, 11, 1},
    };
    const Date current = FromCivil(2025, 9, 1);
    for (int kind = 1; kind <= 17; ++kind) {
        SCOPED_TRACE(kind);
        const auto target = PerPost(kind, current);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(Fields(*target), expected[kind - 1]);
    }
    EXPECT_FALSE(PerPost(0, current).has_value());
    EXPECT_FALSE(PerPost(18, current).has_value());
}

TEST(PerPost, MeatfareSaturdayGivesWayToTheMeetingOfTheLord)
{
    // 2031: Pascha 13 April new style; H - 57 is 15 February, which is 2 February old style.
    const Date current = FromCivil(2031, 5, 1);
    EXPECT_EQ(Fields(*PerPost(10, current)), (CivilFields{2031, 2, 8}));
}

// The Saturday among 19..25 October old style, in the reckoning of the shown
// year; when it is 22 October (the Kazan icon) the Saturday before. 2023: the
// memorial Saturday was kept on 28 October civil (15 October old style), the
// Kazan icon on 4 November (published church calendars of 2023).
TEST(PerPost, DemetriusSaturday)
{
    struct Case { int year; CivilFields civil; CivilFields old_style; };
    const Case cases[] = {
        {2023, {2023, 10, 28}, {2023, 10, 15}},  // 22 October old style is a Saturday
        {2017, {2017, 10, 28}, {2017, 10, 15}},
        {2028, {2028, 10, 28}, {2028, 10, 15}},
        {2034, {2034, 10, 28}, {2034, 10, 15}},
        {2025, {2025, 11, 1}, {2025, 10, 19}},
        {2024, {2024, 11, 2}, {2024, 10, 20}},
        {2026, {2026, 11, 7}, {2026, 10, 25}},
        // 2149 (difference 14): 8 November, 25 October old style; today's date plays no part.
        {2149, {2149, 11, 8}, {2149, 10, 25}},
        {2997, {2997, 11, 4}, {2997, 10, 15}},  // difference 20: 22 October old style is 11 November
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const Date target = *PerPost(17, FromCivil(c.year, 3, 1));
        EXPECT_EQ(Fields(target), c.civil);
        EXPECT_EQ(Fields(OldStyle(target)), c.old_style);
        EXPECT_EQ(Weekday(target), kSaturday);
    }
}

TEST(PerPost, DemetriusSaturdayOverTheWholeRange)
{
    int kazan_years = 0;
    for (int year = 1752; year <= 3000; ++year) {
        const OldStyleDate saturday = DemetriusSaturday(year);
        const DayFields old = Fields(saturday);
        ASSERT_EQ(Weekday(NewStyle(saturday)), kSaturday) << year;
        ASSERT_EQ(old.month, 10) << year;
        ASSERT_NE(old.day, 22) << year;
        if (old.day == 15) {
            ++kazan_years;
            continue;
        }
        ASSERT_GE(old.day, 19) << year;
        ASSERT_LE(old.day, 25) << year;
    }
    EXPECT_EQ(kazan_years, 178);  // a seventh of the years, as the issue counts them
}

TEST(LentSaturdays, DisabledWhenTheSaturdayIsAFeast)
{
    struct Case { int year; bool enabled11; bool enabled12; bool enabled13; };
    const Case cases[] = {
        {2026, true, true, true},
        {2025, true, false, true},   // P - 29 on 9 March old style, the Forty Martyrs
        {1901, false, true, true},   // P - 36 on 24 February old style
        {1907, true, false, true},   // P - 29 on 24 March old style
        {1905, true, true, false},   // P - 22 on 26 March old style
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const Date current = FromCivil(c.year, 6, 1);
        const OldStyleDate pascha = MakeDayFacts(current).pascha;
        EXPECT_EQ(LentSaturdayEnabled(11, current, pascha), c.enabled11);
        EXPECT_EQ(LentSaturdayEnabled(12, current, pascha), c.enabled12);
        EXPECT_EQ(LentSaturdayEnabled(13, current, pascha), c.enabled13);
    }
    EXPECT_FALSE(LentSaturdayEnabled(10, FromCivil(2025, 6, 1), DatePasha(2025)));
}

TEST(FastPeriods, KindsAndGroups)
{
    const auto periods = FastPeriods();
    ASSERT_EQ(periods.size(), 17u);
    for (std::size_t i = 0; i < periods.size(); ++i)
        EXPECT_EQ(periods[i].kind, static_cast<int>(i) + 1);
    EXPECT_EQ(periods[0].group, "Многодневные посты");
    EXPECT_EQ(periods[4].group, "Сплошные седмицы");
    EXPECT_EQ(periods[16].caption, "Суббота Димитриевская");
    EXPECT_EQ(periods[16].group, "Дни особого поминовения усопших");
}

}  // namespace
}  // namespace indikt
