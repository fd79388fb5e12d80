#include "month_grid.h"

#include "date_navigation.h"
#include "date_texts.h"
#include "fasts.h"
#include "paschalion.h"

#include <charconv>
#include <cstdio>

namespace indikt {

namespace {

constexpr std::string_view kLineBreak = "\n\r";

std::string TwoDigitText(int day)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", day);
    return buffer;
}

const GridLook* FeastLook(const CellFacts& facts, const GridColours& colours)
{
    if (facts.feast.empty() || facts.feast_class < 1 || facts.feast_class > 3)
        return nullptr;
    const GridLook& look = colours.feasts[static_cast<size_t>(facts.feast_class - 1)];
    return look.shown ? &look : nullptr;
}

// The day of the Nativity and of Theophany, old style: a church feast on these
// days does not show the fast in its frame.
bool IsNativityOrTheophany(Date new_style)
{
    const CivilFields old = Fields(OldStyle(new_style));
    return (old.month == 12 && old.day == 25) || (old.month == 1 && old.day == 6);
}

}  // namespace

std::array<std::string, kGridColumns> WeekdayHeadings(int first_day)
{
    static constexpr std::string_view kNames[] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
    std::array<std::string, kGridColumns> headings;
    for (int k = 0; k < kGridColumns; ++k)
        headings[static_cast<size_t>(k)] = std::string(kNames[FloorMod(first_day + k, 7)]);
    return headings;
}

int LeadingDays(Date first_of_month, int first_day)
{
    return FloorMod(IsoWeekday(first_of_month) - first_day - 1, 7) + 1;
}

MonthGrid FillMonthGrid(Date current, int first_day)
{
    const CivilFields f = Fields(current);
    const Date first = FromCivil(f.year, f.month, 1);
    const Date last = FromCivil(f.year, f.month, DaysInMonth(f.year, f.month));
    MonthGrid grid;
    grid.year = f.year;
    grid.month = f.month;
    grid.headings = WeekdayHeadings(first_day);
    const Date start = first - LeadingDays(first, first_day);
    for (int index = 0; index < kGridCells; ++index) {
        GridCell& cell = grid.cells[static_cast<size_t>(index)];
        cell.date = start + index;
        cell.row = index / kGridColumns + 1;
        cell.column = kGridColumns - index % kGridColumns;
        cell.other_month = cell.date < first || cell.date > last;
        cell.font = cell.other_month ? kSilver : kWindowText;
        cell.text = TwoDigitText(Fields(cell.date).day);
    }
    return grid;
}

void ColourCell(GridCell& cell, const CellFacts& facts, Date current, Date today, const GridColours& colours)
{
    cell.background = kWhite;
    cell.frame = kWhite;
    cell.bold = false;
    cell.hint.clear();
    if (cell.other_month || cell.text.empty())
        return;
    const Date g = cell.date;
    const std::string date_text = TextOfDayAndMonthAndYear5(g) + " года";
    cell.hint = g == today ? "Сегодня - " + date_text : date_text;
    // The current date keeps its own frame; the secondary steps are skipped.
    const bool is_current = g == current;
    if (is_current) {
        cell.frame = colours.current_frame;
        cell.bold = true;
    }
    const auto frame = [&](int colour) {
        if (!is_current)
            cell.frame = colour;
    };
    const auto paint = [&](const GridLook& look) {
        cell.background = look.background;
        cell.font = look.font;
        frame(look.background);
    };
    const bool fast_free = !facts.fast_free.empty() && colours.fast_free.shown;
    const bool fast = !facts.fast.empty() && colours.fasts.shown;
    const GridLook* feast = FeastLook(facts, colours);

    if (!facts.jubilee.empty() && colours.jubilees.shown) {
        cell.hint += " - " + facts.jubilee;
        paint(colours.jubilees);
        if (is_current)
            return;
        if (feast) {
            cell.frame = feast->background;
            cell.hint += std::string(kLineBreak) + " - " + facts.feast;
        } else if (fast_free) {
            cell.frame = colours.fast_free.background;
            cell.hint += std::string(kLineBreak) + " - " + facts.fast_free;
        } else if (fast) {
            cell.frame = colours.fasts.background;
            cell.hint += std::string(kLineBreak) + " - " + facts.fast;
        }
    } else if (feast) {
        cell.hint += " - " + facts.feast;
        paint(*feast);
        if (is_current)
            return;
        if (fast_free) {
            cell.frame = colours.fast_free.background;
            cell.hint += std::string(kLineBreak) + " - " + facts.fast_free;
        } else if (fast && !(facts.feast_class == kChurchFeastClass && IsNativityOrTheophany(g))) {
            cell.frame = colours.fasts.background;
            cell.hint += std::string(kLineBreak) + " - " + facts.fast;
        }
    } else if (Weekday(g) == kSunday && colours.sundays.shown) {
        paint(colours.sundays);
        if (is_current)
            return;
        if (fast) {
            cell.frame = colours.fasts.background;
            cell.hint += " - " + facts.fast;
        }
        if (fast_free) {
            cell.frame = colours.fast_free.background;
            cell.hint += " - " + facts.fast_free;
        }
    } else if (fast_free) {
        cell.hint += " - " + facts.fast_free;
        paint(colours.fast_free);
    } else if (fast) {
        cell.hint += " - " + facts.fast;
        paint(colours.fasts);
    }
}

MonthGrid BuildMonthGrid(Date current, Date today, int first_day, std::span<const FeastEntry> feasts,
                         std::span<const JubileeEntry> jubilees, const FeastSwitches& switches,
                         const GridColours& colours)
{
    MonthGrid grid = FillMonthGrid(current, first_day);
    const OldStyleDate current_pascha = MakeDayFacts(current).pascha;
    for (GridCell& cell : grid.cells) {
        if (cell.other_month)
            continue;
        CellFacts facts;
        facts.jubilee = CalendarJubil(jubilees, cell.date);
        GridFeastText feast = CalendarPrasd(feasts, cell.date, switches);
        facts.feast = std::move(feast.text);
        facts.feast_class = feast.day_class;
        facts.fast_free = CalendarNePost(cell.date, {});
        facts.fast = std::string(CalendarPost(cell.date, current_pascha));
        ColourCell(cell, facts, current, today, colours);
    }
    return grid;
}

std::optional<Date> GridClickDate(Date current, int row, bool other_month, const std::string& text)
{
    const CivilFields f = Fields(current);
    size_t begin = text.find_first_not_of(' ');
    int day = 1;
    if (begin != std::string::npos) {
        const size_t end = text.find_last_not_of(' ') + 1;
        int parsed = 0;
        const auto result = std::from_chars(text.data() + begin, text.data() + end, parsed);
        if (result.ec == std::errc() && result.ptr == text.data() + end && parsed >= 1)
            day = parsed;
    }
    int year = f.year;
    int month = f.month;
    if (other_month && row == 1) {
        month = month == 1 ? 12 : month - 1;
        year = f.month == 1 ? year - 1 : year;
    } else if (other_month) {
        month = month == 12 ? 1 : month + 1;
        year = f.month == 12 ? year + 1 : year;
    }
    if (year < kFirstEditableYear || year > kLastEditableYear)
        return std::nullopt;
    return ClippedDate(year, month, day);
}

std::string CellName(int row, int column) { return "E" + std::to_string(row) + "d" + std::to_string(column); }
std::string FrameName(int row, int column) { return "S" + std::to_string(row) + "d" + std::to_string(column); }

}  // namespace indikt
