// The month grid: which days it shows, how each is coloured, where a click leads.

#include "calendar/month_grid.h"
#include "calendar/paschalion.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

TEST(MonthGrid, LeadingDaysAreOneToSevenForEveryFirstDay)
{
    for (int first_day = 0; first_day <= 6; ++first_day) {
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(first_day * 100 + month);
            const Date first = D(2025, month, 1);
            const MonthGrid grid = FillMonthGrid(first + 10, first_day);
            const int v = LeadingDays(first, first_day);
            ASSERT_GE(v, 1);
            ASSERT_LE(v, 7);
            EXPECT_EQ(grid.cells[0].date, first - v);
            EXPECT_TRUE(grid.cells[0].other_month);
            // The left column is the first day of the week.
            EXPECT_EQ(FloorMod(IsoWeekday(grid.cells[0].date), 7), first_day);
            EXPECT_EQ(grid.cells[static_cast<size_t>(v)].date, first);
            EXPECT_FALSE(grid.cells[static_cast<size_t>(v)].other_month);
        }
    }
}

TEST(MonthGrid, FillOfAMonthBeginningOnTheFirstWeekday)
{
    // September 2025 begins on a Monday: a whole week of August comes first.
    const MonthGrid grid = FillMonthGrid(D(2025, 9, 14), 1);
    EXPECT_EQ(grid.headings[0], "Пн");
    EXPECT_EQ(grid.headings[6], "Вс");
    EXPECT_EQ(grid.cells[0].date, D(2025, 8, 25));
    EXPECT_EQ(grid.cells[7].date, D(2025, 9, 1));
    EXPECT_EQ(grid.cells[41].date, D(2025, 9, 1) + 34);
    EXPECT_EQ(grid.cells[0].text, "25");
    EXPECT_EQ(grid.cells[7].text, " 1");
    EXPECT_EQ(grid.cells[0].font, kSilver);
    EXPECT_EQ(grid.cells[7].font, kWindowText);
    EXPECT_TRUE(grid.cells[41].other_month);  // 5 October
    EXPECT_EQ(CellName(grid.cells[0].row, grid.cells[0].column), "E1d7");
    EXPECT_EQ(CellName(grid.cells[6].row, grid.cells[6].column), "E1d1");
    EXPECT_EQ(FrameName(grid.cells[41].row, grid.cells[41].column), "S6d1");

    EXPECT_EQ(WeekdayHeadings(0)[0], "Вс");
    EXPECT_EQ(WeekdayHeadings(6)[0], "Сб");
}

TEST(MonthGrid, ClicksLeadToTheCellsDay)
{
    struct Case { Date current; int row; bool other; const char* text; std::optional<Date> to; };
    const Case cases[] = {
        {D(2025, 3, 10), 1, true, "30", D(2025, 2, 28)},   // an impossible day becomes the month's end
        {D(2024, 3, 10), 1, true, "30", D(2024, 2, 29)},
        {D(2025, 12, 10), 6, true, " 3", D(2026, 1, 3)},
        {D(2025, 1, 10), 1, true, "29", D(2024, 12, 29)},
        {D(2025, 5, 10), 3, false, "17", D(2025, 5, 17)},
        {D(2025, 5, 10), 3, false, "x", D(2025, 5, 1)},    // not a number: the first
        {D(1700, 1, 10), 1, true, "30", std::nullopt},
        {D(3000, 12, 10), 6, true, " 2", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GridClickDate(c.current, c.row, c.other, c.text), c.to);
    }
}

GridColours Colours()
{
    GridColours colours;
    colours.sundays = {true, 0x0000FF, 0xFFFFFE};
    colours.fasts = {true, 0, 0xC0DCC0};
    colours.jubilees = {true, 0x00FFFF, 0xFF00FF};
    colours.feasts = {GridLook{true, 0xFFFFFF, 0x0000FF}, GridLook{true, 0x800000, 0x8080FF},
                      GridLook{true, 0xFFFFFF, 0x800080}};
    colours.fast_free = {true, 0, 0x00FFFF};
    colours.current_frame = 0xFF0000;
    return colours;
}

TEST(MonthGrid, ColourRulePrecedenceAndFrames)
{
    const GridColours colours = Colours();
    const Date current = D(2025, 1, 10);
    const Date today = D(2025, 1, 12);
    struct Case {
        const char* name;
        Date day;
        CellFacts facts;
        int background, font, frame;
        bool bold;
        const char* hint;
    };
    const Case cases[] = {
        {"a plain weekday", D(2025, 1, 8), {}, kWhite, kWindowText, kWhite, false, "Ср 8 янв 2025 года"},
        {"today", D(2025, 1, 16), {}, kWhite, kWindowText, kWhite, false, "Чт 16 янв 2025 года"},
        {"a church feast in a fast-free week: the week's frame", D(2025, 1, 7),
         {"", "Рождество", 1, "Вторник сплошной седмицы, Святки", ""}, 0x0000FF, 0xFFFFFF, 0x00FFFF, false,
         "Вт 7 янв 2025 года - Рождество\n\r - Вторник сплошной седмицы, Святки"},
        {"a jubilee on the current date keeps its frame", current, {"Иван 50", "", 0, "", "Пост"}, 0xFF00FF, 0x00FFFF,
         0xFF0000, true, "Пт 10 янв 2025 года - Иван 50"},
        {"a jubilee on a civil holiday: the holiday's frame", D(2025, 1, 9), {"Иван 50", "День", 2, "", ""},
         0xFF00FF, 0x00FFFF, 0x8080FF, false, "Чт 9 янв 2025 года - Иван 50\n\r - День"},
        {"a Sunday in a fast", D(2025, 1, 5), {"", "", 0, "", "Пост"}, 0xFFFFFE, 0x0000FF, 0xC0DCC0, false,
         "Вс 5 янв 2025 года - Пост"},
        {"a fast day", D(2025, 1, 15), {"", "", 0, "", "Пост"}, 0xC0DCC0, 0, 0xC0DCC0, false,
         "Ср 15 янв 2025 года - Пост"},
        {"a class-1 feast in a fast", D(2025, 1, 14), {"", "Обрезание", 1, "", "Пост"}, 0x0000FF, 0xFFFFFF, 0xC0DCC0,
         false, "Вт 14 янв 2025 года - Обрезание\n\r - Пост"},
        // 19 January 2025 is Theophany (6 January old style): its fast does not show.
        {"Theophany keeps its own frame", D(2025, 1, 19), {"", "Крещение", 1, "", "Пост"}, 0x0000FF, 0xFFFFFF,
         0x0000FF, false, "Вс 19 янв 2025 года - Крещение"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridCell cell;
        cell.date = c.day;
        cell.text = "99";
        ColourCell(cell, c.facts, current, c.day == D(2025, 1, 16) ? c.day : today, colours);
        EXPECT_EQ(cell.background, c.background);
        EXPECT_EQ(cell.font, c.font);
        EXPECT_EQ(cell.frame, c.frame);
        EXPECT_EQ(cell.bold, c.bold);
        const std::string hint = c.day == D(2025, 1, 16) ? std::string("Сегодня - ") + c.hint : c.hint;
        EXPECT_EQ(cell.hint, hint);
    }

    GridCell other;
    other.date = D(2024, 12, 30);
    other.other_month = true;
    other.text = "30";
    other.font = kSilver;
    ColourCell(other, {"Иван 50", "", 0, "", ""}, current, today, colours);
    EXPECT_EQ(other.background, kWhite);
    EXPECT_EQ(other.font, kSilver);
    EXPECT_TRUE(other.hint.empty());
}

TEST(MonthGrid, BuiltMonthWithPaschaAndAUserJubilee)
{
    const GridColours colours = Colours();
    const std::vector<JubileeEntry> jubilees = {{"Ивана", D(1975, 4, 8), std::nullopt, true}};
    const MonthGrid grid = BuildMonthGrid(D(2025, 4, 15), D(2025, 4, 1), 1, {}, jubilees, {}, colours);
    const auto cell_of = [&](Date day) -> const GridCell& {
        for (const GridCell& cell : grid.cells)
            if (cell.date == day)
                return cell;
        throw std::logic_error("no such day");
    };
    EXPECT_EQ(cell_of(D(2025, 4, 20)).background, 0xFFFFFE);  // Pascha is coloured as a Sunday
    EXPECT_EQ(cell_of(D(2025, 4, 19)).frame, 0xC0DCC0);       // Holy Saturday, a fast day
    EXPECT_EQ(cell_of(D(2025, 4, 22)).background, 0x00FFFF);  // Bright Tuesday
    EXPECT_EQ(cell_of(D(2025, 4, 9)).background, 0xC0DCC0);   // a Wednesday of Lent
    EXPECT_EQ(cell_of(D(2025, 4, 8)).background, 0xFF00FF);   // the jubilee
    EXPECT_NE(cell_of(D(2025, 4, 8)).hint.find("Ивана"), std::string::npos);
    EXPECT_EQ(cell_of(D(2025, 4, 15)).frame, 0xFF0000);       // the current date
    EXPECT_TRUE(cell_of(D(2025, 4, 15)).bold);
    EXPECT_EQ(cell_of(D(2025, 4, 1)).hint.rfind("Сегодня - ", 0), 0u);
}

}  // namespace
}  // namespace indikt
