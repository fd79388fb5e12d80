// The texts of the day page the engine builds: the status line, the captions
// of the year menus, and the history of shown dates.

#include "calendar/date_history.h"
#include "calendar/day_status.h"
#include "calendar/year_menus.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

TEST(DayStatusText, WholeTexts)
{
    struct Case { Date date; const char* text; };
    const Case cases[] = {
        {D(2012, 1, 9),
         "Понедельник 9 янв 2012 г. (27 дек по ст. ст.). От Паcхи 2011 г. - 260 дней. До Паcхи 2012 г. - 97 дней. "},
        {D(2025, 4, 20), "Воскресенье 20 апр 2025 г. (7 апр по ст. ст.). Святая Пасха Христова."},
        {D(2025, 4, 19),
         "Суббота 19 апр 2025 г. (6 апр по ст. ст.). От Паcхи 2024 г. - 349 дней. До Паcхи 2025 г. - 1 день. "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DayStatusText(c.date), c.text);
    }
}

TEST(DayStatusText, WordsAfterTheCounts)
{
    // Days after Pascha 2025 (20 April).
    struct Case { int days; const char* piece; };
    const Case cases[] = {
        {1, "От Паcхи 2025 г. - 1 день. "},     {2, "От Паcхи 2025 г. - 2 дня. "},
        {5, "От Паcхи 2025 г. - 5 дней. "},     {101, "От Паcхи 2025 г. - 101 день. "},
        {102, "От Паcхи 2025 г. - 102 дня. "},  {111, "От Паcхи 2025 г. - 111 дней. "},
        {112, "От Паcхи 2025 г. - 112 дней. "}, {115, "От Паcхи 2025 г. - 115 дней. "},
        {116, "От Паcхи 2025 г. - 116 дней. "}, {121, "От Паcхи 2025 г. - 121 день. "},
        {212, "От Паcхи 2025 г. - 212 дней. "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_NE(DayStatusText(D(2025, 4, 20) + c.days).find(c.piece), std::string::npos)
            << DayStatusText(D(2025, 4, 20) + c.days);
    }
}

TEST(BuildYearMenus, CaptionsOf2025)
{
    const YearMenus menus = BuildYearMenus(2025);
    ASSERT_EQ(menus.church_feasts.size(), 30u);
    ASSERT_EQ(menus.civil_holidays.size(), 16u);
    ASSERT_EQ(menus.periods.size(), 17u);
    struct Case { const std::string& caption; const char* expected; };
    const Case cases[] = {
        {menus.church_feasts[0], "Апостола Иоанна Богослова - Ср 21 май (8 май)"},
        {menus.church_feasts[11], "ПАСХА - Вс 20 апр (7 апр)"},
        {menus.church_feasts[5], "ВОЗНЕСЕНИЕ ГОСПОДНЕ - Чт 29 май (16 май)"},
        {menus.church_feasts[21], "РОЖДЕСТВО ХРИСТОВО - Вт 7 янв (25 дек)"},
        {menus.civil_holidays[0], "Новый год - Ср 1 янв - Вс 5 янв"},
        {menus.civil_holidays[6], "День Победы - Пт 9 май"},
        {menus.periods[0], "Великий пост с Пн 3 мар (18 фев) до Вс 20 апр (7 апр) - 48 дн."},
        {menus.periods[1], "Петров пост с Пн 16 июн (3 июн) до Сб 12 июл (29 июн) - 26 дн."},
        {menus.periods[4], "Святки с Вт 7 янв (25 дек) до Сб 18 янв (5 янв) - 11 дн."},
        {menus.periods[13], "Радоница - Вт 29 апр (16 апр)"},
        {menus.headings[0], "Праздники в 2025 г."},
        {menus.headings[3], "Дни поминовения усопших в 2025 г."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.caption, c.expected);
    }
}

TEST(DateHistory, BackAndForwardAreTwoStacks)
{
    const Date a = D(2025, 1, 1), b = D(2025, 1, 2), c = D(2025, 1, 3), e = D(2025, 1, 5);
    DateHistory history;
    EXPECT_FALSE(history.canGoBack());
    history.visited(a);
    EXPECT_FALSE(history.canGoBack()) << "one entry is the date shown";
    history.visited(b);
    history.visited(c);
    history.visited(c);  // the same date again adds nothing
    EXPECT_EQ(history.backList().size(), 3u);

    EXPECT_EQ(history.back(), b);
    EXPECT_TRUE(history.canGoForward());
    EXPECT_EQ(history.forward(), c);
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.back(), b);
    EXPECT_EQ(history.back(), a);
    EXPECT_FALSE(history.back().has_value());
    EXPECT_EQ(history.forward(), b);

    history.visited(e);  // a new way: what lay ahead is gone
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.back(), b);
}

TEST(DateHistory, KeepsTheNewest200)
{
    DateHistory history;
    const Date first = D(2025, 1, 1);
    for (int i = 0; i < 205; ++i)
        history.visited(first + i);
    ASSERT_EQ(history.backList().size(), DateHistory::kMaxEntries);
    EXPECT_EQ(history.backList().front(), first + 5);
    EXPECT_EQ(history.backList().back(), first + 204);
}

}  // namespace
}  // namespace indikt
