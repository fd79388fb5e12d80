#pragma once

// The month grid beside the day page: 6 rows of 7 days around the month of
// the current date, each day coloured by what it is (a feast of one of three
// classes, a jubilee, a Sunday, a fast-free week, a fast day) and carrying the
// same facts in its hint; and where a click on a day leads.

#include "date.h"
#include "feast_placement.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace indikt {

inline constexpr int kGridRows = 6;
inline constexpr int kGridColumns = 7;
inline constexpr int kGridCells = kGridRows * kGridColumns;

// Colours are 0xBBGGRR, as the settings store them.
inline constexpr int kWhite = 0xFFFFFF;
inline constexpr int kSilver = 0xC0C0C0;
inline constexpr int kWindowText = -1;  // the window's own text colour

// Section "Calendar": which kinds of day are coloured, and how.
struct GridLook {
    bool shown = true;
    int font = 0;
    int background = kWhite;
};
struct GridColours {
    GridLook sundays;            // SeeVos, ColorFontVos, ColorVos
    GridLook fasts;              // SeePost, ColorFontPost, ColorPost
    GridLook jubilees;           // SeeJubil, ColorFontJubil, ColorJubil
    std::array<GridLook, 3> feasts;  // SeePrasd1..3, ColorFontPrasd1..3, ColorPrasd1..3
    GridLook fast_free;          // SeeSpl, ColorFontSpl, ColorSpl
    int current_frame = 0xFF0000;    // ColorVD
};

struct GridCell {
    Date date;
    int row = 1;            // 1..6 from the top
    int column = 7;         // 7..1 counted from the right: E1d7 is the top-left cell
    bool other_month = false;  // a silver day of the previous or next month
    std::string text;       // the day of the month, "%2d"
    int background = kWhite;
    int font = kWindowText;
    int frame = kWhite;
    bool bold = false;
    std::string hint;       // lines broken by LF, CR
};

struct MonthGrid {
    int year = 0;
    int month = 0;
    std::array<std::string, kGridColumns> headings;  // left to right
    std::array<GridCell, kGridCells> cells;          // row by row, left to right
};

// The column headings from the first day of the week ("FirstDay": 0 Sunday ... 6 Saturday).
std::array<std::string, kGridColumns> WeekdayHeadings(int first_day);

// Days of the previous month in the first row: always 1 to 7.
int LeadingDays(Date first_of_month, int first_day);

// The 42 days and their texts, uncoloured.
MonthGrid FillMonthGrid(Date current, int first_day);

// What a cell is, as the colour rule asks it.
struct CellFacts {
    std::string jubilee;     // CalendarJubil
    std::string feast;       // CalendarPrasd
    int feast_class = kNoFeastClass;
    std::string fast_free;   // CalendarNePost
    std::string fast;        // CalendarPost
};

// Colours one cell of the shown month; a day of another month stays white
// with its silver number and no hint.
void ColourCell(GridCell& cell, const CellFacts& facts, Date current, Date today, const GridColours& colours);

// The whole grid of the current date's month, filled and coloured.
MonthGrid BuildMonthGrid(Date current, Date today, int first_day, std::span<const FeastEntry> feasts,
                         std::span<const JubileeEntry> jubilees, const FeastSwitches& switches,
                         const GridColours& colours);

// A click on a cell: a silver day of the first row is in the previous month,
// one of another row in the next; the day is clipped to the month's end.
// Nothing outside 1700-01-01 .. 3000-12-31.
std::optional<Date> GridClickDate(Date current, int row, bool other_month, const std::string& text);

// The object name of a cell ("E1d7") and of its frame ("S1d7").
std::string CellName(int row, int column);
std::string FrameName(int row, int column);

}  // namespace indikt
