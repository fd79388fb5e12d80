#include "calendar/date_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace indikt {
namespace {

TEST(DateTexts, EveryFormOnASundayAndOnNewYear)
{
    struct Case { CivilFields date; std::map<std::string, std::string> texts; };
    const Case cases[] = {
        {{2025, 3, 9}, {
            {"TextOfMonthAndDay", "мар09"}, {"TextOfMonthAndDay2", "9 мар"}, {"TextOfMonthAndDay3", "09 мар"},
            {"TextOfMonth", "Март"}, {"TextOfDayTheWeek0", "Воскресенье"}, {"TextOfDayTheWeek", "Вс"},
            {"TextOfDayTheWeekAndMonth", "Вс 9 мар"}, {"TextOfDayTheWeekAndMonth1", "Вс 9 мар"},
            {"TextOfDayAndMonthAndYear", "9.03.2025"}, {"TextOfDayAndMonthAndYear1", "09.03.2025"},
            {"TextOfDayAndMonthAndYear2", "мар092025"}, {"TextOfDayAndMonthAndYear3", "Воскресенье 9 мар 2025"},
            {"TextOfDayAndMonthAndYear4", "09 мар 2025"}, {"TextOfDayAndMonthAndYear5", "Вс 9 мар 2025"},
            {"TextOfDayAndMonthAndYear6", "9 мар 2025"}, {"TextOfDayAndMonthAndYear8", "Вс 09 мар 2025"},
            {"TextOfDayAndMonthAndYear9", "20250309"},
        }},
        {{2025, 1, 1}, {
            {"TextOfMonthAndDay", "янв01"}, {"TextOfMonthAndDay2", "1 янв"}, {"TextOfDayAndMonthAndYear1", "01.01.2025"},
            {"TextOfDayAndMonthAndYear", "1.01.2025"}, {"TextOfDayTheWeek0", "Среда"}, {"TextOfDayTheWeek", "Ср"},
            {"TextOfMonth", "Январь"}, {"TextOfDayAndMonthAndYear9", "20250101"},
        }},
        {{2025, 5, 5}, {
            {"TextOfMonthAndDay", "май05"}, {"TextOfMonth", "Май"}, {"TextOfDayTheWeek0", "Понедельник"},
            {"TextOfDayTheWeek", "Пн"}, {"TextOfDayAndMonthAndYear8", "Пн 05 май 2025"},
        }},
        {{2025, 12, 31}, {{"TextOfMonthAndDay", "дек31"}, {"TextOfMonth", "Декабрь"}, {"TextOfDayAndMonthAndYear2", "дек312025"}}},
    };
    for (const Case& c : cases) {
        const Date date = FromCivil(c.date.year, c.date.month, c.date.day);
        std::size_t checked = 0;
        for (const DateTextForm& form : DateTextForms()) {
            const auto expected = c.texts.find(std::string(form.name));
            if (expected == c.texts.end())
                continue;
            EXPECT_EQ(form.text(date), expected->second) << form.name << " of " << c.date.year << '-' << c.date.month;
            ++checked;
        }
        EXPECT_EQ(checked, c.texts.size()) << "a form named in the case is missing from DateTextForms";
    }
}

TEST(DateTexts, YearsBelowAThousandHaveNoLeadingZeros)
{
    EXPECT_EQ(TextOfDayAndMonthAndYear1(FromCivil(988, 7, 28)), "28.07.988");
}

TEST(DateTexts, NameTablesOutOfRangeAreEmpty)
{
    EXPECT_EQ(MonthAbbreviation(0), "");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(WeekdayName(8), "");
    EXPECT_EQ(WeekdayAbbreviation(0), "");
}

TEST(ParseStoredDate, ReadsDayMonthYearByPosition)
{
    struct Case { const char* text; std::optional<CivilFields> date; };
    const Case cases[] = {
        {"09.03.2025", CivilFields{2025, 3, 9}},
        {"09/03/2025", CivilFields{2025, 3, 9}},   // the separators are not tested
        {"29.02.2024", CivilFields{2024, 2, 29}},
        {"29.02.2025", std::nullopt},              // no such day
        {"9.03.2025", std::nullopt},               // not the stored form
        {"", std::nullopt},
        {"aa.bb.cccc", std::nullopt},
        {"31.12.3000", CivilFields{3000, 12, 31}},
    };
    for (const Case& c : cases) {
        const auto date = ParseStoredDate(c.text);
        ASSERT_EQ(date.has_value(), c.date.has_value()) << c.text;
        if (date) {
            EXPECT_EQ(Fields(*date), *c.date) << c.text;
        }
    }
}

TEST(ParseNoteKey, RoundTripsTheOneTimeNoteKey)
{
    for (Date date = FromCivil(2024, 1, 1); date <= FromCivil(2025, 12, 31); date = date + 1) {
        const auto parsed = ParseNoteKey(TextOfDayAndMonthAndYear2(date));
        ASSERT_TRUE(parsed.has_value());
        ASSERT_EQ(*parsed, date);
    }
    EXPECT_FALSE(ParseNoteKey("xyz012025").has_value());
    EXPECT_FALSE(ParseNoteKey("фев302025").has_value());
    EXPECT_FALSE(ParseNoteKey("мар09").has_value());
}

}  // namespace
}  // namespace indikt
