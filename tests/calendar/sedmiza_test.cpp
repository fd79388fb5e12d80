#include "calendar/sedmiza.h"

#include "calendar/paschalion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace indikt {
namespace {

// Pascha 2025: 20 April new style (7 April old style); Pentecost 2024: 23 June new style.
struct WeekCase {
    CivilFields date;
    const char* plain;
    const char* linked;  // nullptr: the same as plain
};

const WeekCase kWeekCases[] = {
    {{2025, 4, 20}, "Пасха.", "[Святая Пасха=sinaksar.htm#s23]."},
    {{2025, 4, 27}, "Антипасха. Неделя 2-я по Пасхе, апостола Фомы.", "[Антипасха. Неделя 2-я по Пасхе, апостола Фомы=sinaksar.htm#s25]."},
    {{2025, 6, 8}, "Неделя 8-я по Пасхе.", "[Неделя святой Пятидесятницы=sinaksar.htm#s33]."},
    {{2025, 6, 9}, "Седмица 1-я по Пятидесятнице.", "[Понедельник Святого Духа=sinaksar.htm#s34]."},
    {{2025, 6, 15}, "Неделя 1-я по Пятидесятнице, всех святых. Глас 8-й.", "[Неделя 1-я по Пятидесятнице, всех святых=sinaksar.htm#s35]. Глас 8-й."},
    {{2025, 6, 16}, "Седмица 2-я по Пятидесятнице. Глас 8-й.", nullptr},
    {{2025, 6, 22}, "Неделя 2-я по Пятидесятнице, всех святых в земле Российской просиявших. Глас 1-й.", nullptr},
    // e = 64, a Monday: the first day outside the table.
    {{2025, 6, 23}, "Седмица 3-я по Пятидесятнице. Глас 1-й.", nullptr},
    {{2025, 6, 29}, "Неделя 3-я по Пятидесятнице. Глас 2-й.", nullptr},
    // Before the Publican: counted from the Pentecost of 2024, D = 224.
    {{2025, 2, 2}, "Неделя 32-я по Пятидесятнице. Глас 7-й.", nullptr},
    // A weekday carries the tone of the Sunday before it.
    {{2025, 2, 3}, "Седмица 33-я по Пятидесятнице. Глас 7-й.", nullptr},
    {{2025, 2, 9}, "Неделя о мытаре и фарисее. Глас 8-й.", "[Неделя о мытаре и фарисее=sinaksar.htm#s01]. Глас 8-й."},
    {{2025, 2, 10}, "Седмица о мытаре и фарисее. Глас 8-й.", nullptr},
    {{2025, 2, 16}, "Неделя о блудном сыне. Глас 1-й.", "[Неделя о блудном сыне=sinaksar.htm#s02]. Глас 1-й."},
    {{2025, 2, 22}, "Седмица мясопустная. Глас 1-й.", "[Суббота мясопустная=sinaksar.htm#s03]. Глас 1-й."},
    {{2025, 3, 1}, "Седмица сырная. Глас 2-й.", "[Суббота сырной седмицы=sinaksar.htm#s05]. Глас 2-й."},
    {{2025, 3, 2}, "Неделя сыропустная. Воспоминание Адамова изгнания. Прощенное воскресенье. Глас 3-й.",
     "[Неделя сыропустная. Воспоминание Адамова изгнания. Прощенное воскресенье=sinaksar.htm#s06]. Глас 3-й."},
    {{2025, 3, 3}, "Седмица 1-я Великого поста. Глас 3-й.", nullptr},
    {{2025, 4, 3}, "Седмица 5-я Великого поста. Глас 7-й.", "[Четверг 5-й седмицы Великого поста. Стояние Марии Египетской=sinaksar.htm#s12]. Глас 7-й."},
    {{2025, 4, 5}, "Седмица 5-я Великого поста. Глас 7-й.", "[Суббота Акафиста=sinaksar.htm#s13]. Глас 7-й."},
    {{2025, 4, 12}, "Седмица ваий. Глас 8-й.", "[Лазарева суббота=sinaksar.htm#s15]. Глас 8-й."},
    {{2025, 4, 13}, "Неделя 6-я Великого поста, ваий (цветоносная, Вербное воскресенье).",
     "[Неделя 6-я Великого поста, ваий (цветоносная, Вербное воскресенье)=sinaksar.htm#s16]."},
    {{2025, 4, 14}, "Великий понедельник Страстной седмицы.", "[Великий понедельник Страстной седмицы=sinaksar.htm#s17]."},
    {{2025, 4, 18}, "Великая пятница Страстной седмицы.", "[Великая пятница Страстной седмицы=sinaksar.htm#s21]."},
    {{2025, 4, 19}, "Великая суббота Страстной седмицы.", "[Великая суббота Страстной седмицы=sinaksar.htm#s22]."},
    {{2025, 4, 24}, "Четверг Светлой седмицы.", nullptr},
    {{2025, 4, 25}, "Пятница Светлой седмицы.", "[Пятница Светлой седмицы=sinaksar.htm#s24]."},
    {{2025, 5, 13}, "Седмица 4-я по Пасхе.", nullptr},
    {{2025, 5, 14}, "Седмица 4-я по Пасхе.", "[Преполовение Пятидесятницы=sinaksar.htm#s28]."},
    {{2025, 5, 29}, "Седмица 6-я по Пасхе.", "[Вознесение Господне=sinaksar.htm#s31]."},
    {{2025, 6, 1}, "Неделя 7-я по Пасхе, святых отцов Первого Вселенского Собора.",
     "[Неделя 7-я по Пасхе, святых отцов Первого Вселенского Собора=sinaksar.htm#s32]."},
    // Early January (old style still December): no break at the turn of the year.
    {{2024, 12, 29}, "Неделя 27-я по Пятидесятнице. Глас 2-й.", nullptr},
    {{2025, 1, 5}, "Неделя 28-я по Пятидесятнице. Глас 3-й.", nullptr},
    {{2025, 1, 12}, "Неделя 29-я по Пятидесятнице. Глас 4-й.", nullptr},
};

TEST(Sedmiza, NamedDaysOf2025)
{
    for (const WeekCase& c : kWeekCases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        const Date date = FromCivil(c.date.year, c.date.month, c.date.day);
        EXPECT_EQ(Sedmiza(date), c.plain);
        EXPECT_EQ(SedmizaURL(date), c.linked ? c.linked : c.plain);
    }
}

// Years whose difference grows at the Julian 29 February: the Sundays of
// January to Lent count from last year's Pentecost in old style (date
// arithmetic: Pentecost 1799 was 16 June civil, Pascha 1800 20 April; Pentecost
// 1899 11 June, Pascha 2200 6 April civil).
const WeekCase kGrowthYearCases[] = {
    {{1800, 1, 5}, "Неделя 29-я по Пятидесятнице. Глас 4-й.", nullptr},
    {{1800, 2, 2}, "Неделя 33-я по Пятидесятнице. Глас 8-й.", nullptr},
    {{1800, 2, 9}, "Неделя о мытаре и фарисее. Глас 1-й.", "[Неделя о мытаре и фарисее=sinaksar.htm#s01]. Глас 1-й."},
    {{1900, 1, 14}, "Неделя 30-я по Пятидесятнице. Глас 5-й.", nullptr},
    // Lent of 2200 counts from the Pentecost of 2199 up to Palm Sunday.
    {{2200, 3, 28}, "Седмица ваий. Глас 8-й.", nullptr},
    {{2100, 4, 24}, "Седмица ваий. Глас 5-й.", "[Лазарева суббота=sinaksar.htm#s15]. Глас 5-й."},
};

TEST(Sedmiza, YearsWhoseDifferenceGrows)
{
    for (const WeekCase& c : kGrowthYearCases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        const Date date = FromCivil(c.date.year, c.date.month, c.date.day);
        EXPECT_EQ(Sedmiza(date), c.plain);
        EXPECT_EQ(SedmizaURL(date), c.linked ? c.linked : c.plain);
    }
}

// When the Annunciation falls on Thursday of the fifth week of Lent (2022: 7
// April civil) or on its Wednesday (2038: 7 April), the Great Canon is read on
// Tuesday (published calendars of 2022: "Мариино стояние" on 5 April).
TEST(SedmizaURL, TheGreatCanonGivesWayToTheAnnunciation)
{
    struct Case { CivilFields date; const char* linked; };
    const Case cases[] = {
        {{2022, 4, 5}, "[Вторник 5-й седмицы Великого поста. Стояние Марии Египетской=sinaksar.htm#s12]. Глас 8-й."},
        {{2022, 4, 7}, "Седмица 5-я Великого поста. Глас 8-й."},
        {{2038, 4, 6}, "[Вторник 5-й седмицы Великого поста. Стояние Марии Египетской=sinaksar.htm#s12]. Глас 4-й."},
        {{2038, 4, 8}, "Седмица 5-я Великого поста. Глас 4-й."},
        {{2025, 4, 1}, "Седмица 5-я Великого поста. Глас 7-й."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        EXPECT_EQ(SedmizaURL(FromCivil(c.date.year, c.date.month, c.date.day)), c.linked);
    }
    int tuesdays = 0;
    for (int year = 1752; year <= 3000; ++year) {
        const int e = GreatCanonDay(year) - DatePasha(year);
        ASSERT_TRUE(e == -17 || e == -19) << year;
        tuesdays += e == -19;
    }
    EXPECT_EQ(tuesdays, 84);
}

TEST(Sedmiza, EverySundayButPaschaIsANedelya)
{
    for (Date date = kFirstDate; date <= kLastDate; date = date + 1) {
        const std::string text = Sedmiza(date);
        const bool pascha = SignedDaysFromPascha(OldStyle(date)) == 0;
        const bool names_sunday = text.find("Неделя") != std::string::npos;
        ASSERT_EQ(names_sunday, Weekday(date) == kSunday && !pascha) << date.serial() << ' ' << text;
        if (pascha) {
            ASSERT_EQ(text, "Пасха.");
        }
    }
}

TEST(Sedmiza, OutsideTheTableBothFormsAgree)
{
    for (Date date = kFirstDate; date <= kLastDate; date = date + 1) {
        const int e = SignedDaysFromPascha(OldStyle(date));
        if (e < -70 || e > 63) {
            ASSERT_EQ(SedmizaURL(date), Sedmiza(date)) << date.serial();
        }
    }
}

std::optional<int> ToneIn(const std::string& text)
{
    const std::string marker = "Глас ";
    const std::size_t at = text.rfind(marker);
    if (at == std::string::npos)
        return std::nullopt;
    return std::stoi(text.substr(at + marker.size()));
}

// The tone advances by one from each Sunday to the next, 8 wrapping to 1, from
// the Sunday of All Saints to the fifth Sunday of Lent, in every year of the
// range: across the turn of the year and the growth of the difference alike.
TEST(Sedmiza, ToneCyclesThroughEight)
{
    int pairs = 0;
    for (int year = 1751; year <= 3000; ++year) {
        const Date all_saints = NewStyle(DatePasha(year)) + 56;
        const Date palm_sunday = NewStyle(DatePasha(year + 1)) - 7;
        for (Date sunday = all_saints; sunday + 7 < palm_sunday; sunday = sunday + 7) {
            const Date next = sunday + 7;
            if (sunday < kFirstDate || next > kLastDate)
                continue;
            const auto tone = ToneIn(Sedmiza(sunday));
            const auto next_tone = ToneIn(Sedmiza(next));
            ASSERT_TRUE(tone && next_tone) << Sedmiza(sunday) << " / " << Sedmiza(next);
            ASSERT_EQ(*next_tone, *tone % 8 + 1) << Sedmiza(sunday) << " -> " << Sedmiza(next) << " at " << next.serial();
            ++pairs;
        }
        ASSERT_EQ(ToneIn(Sedmiza(palm_sunday)), std::nullopt) << year;
    }
    EXPECT_GT(pairs, 50000);  // about 44 pairs in each of 1249 years
}

}  // namespace
}  // namespace indikt
