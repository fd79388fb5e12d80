#include "feast_placement.h"

#include "paschalion.h"

#include <algorithm>
#include <array>

namespace indikt {

namespace {

// Pascha of the day's old-style year in civil reckoning, with the difference
// of the day's civil year: the point movable records count from.
Date CivilPaschaOfDay(Date day)
{
    return MakeDayFacts(day).pascha + Plus(YearOf(day));
}

std::string JubileeText(const JubileeEntry& jubilee, Date day)
{
    std::string text = jubilee.name;
    if (jubilee.show_years)
        text += GodLet(std::to_string(JubileeYearsIn(jubilee, YearOf(day))));
    return text;
}

}  // namespace

Date SameDayInYear(Date date, int year)
{
    const CivilFields fields = Fields(date);
    return FromCivil(year, fields.month, std::min(fields.day, DaysInMonth(year, fields.month)));
}

Date PlaceFeast(const FeastEntry& feast, Date day, Date today)
{
    const int year = YearOf(day);
    if (feast.movable)
        return CivilPaschaOfDay(day) + feast.pascha_offset;
    if (feast.status != FeastStatus::Church)
        return SameDayInYear(feast.date, year);
    // Old-style day and month, put into the year and turned into civil style
    // with that year's difference; a late-December feast then lands in the
    // January of the same year, not of the next.
    const Date old_style = feast.date - Plus(YearOf(today));
    return SameDayInYear(SameDayInYear(old_style, year) + Plus(year), year);
}

Date PlaceJubilee(const JubileeEntry& jubilee, Date day)
{
    if (jubilee.pascha_offset)
        return CivilPaschaOfDay(day) + *jubilee.pascha_offset;
    return SameDayInYear(jubilee.stored, YearOf(day));
}

int JubileeYearsIn(const JubileeEntry& jubilee, int year)
{
    return year - YearOf(jubilee.stored);
}

GridFeastText CalendarPrasd(std::span<const FeastEntry> feasts, Date day, Date today, const FeastSwitches& switches)
{
    GridFeastText result;
    for (const FeastEntry& feast : feasts) {
        if (!switches.enabled(feast.status) || PlaceFeast(feast, day, today) != day)
            continue;
        if (!result.text.empty())
            result.text += ", ";
        result.text += feast.name;
        const int feast_class = FeastClass(feast.status);
        if (result.day_class == kNoFeastClass || feast_class < result.day_class)
            result.day_class = feast_class;
    }
    return result;
}

std::string CalendarJubil(std::span<const JubileeEntry> jubilees, Date day)
{
    std::string text;
    for (const JubileeEntry& jubilee : jubilees) {
        if (PlaceJubilee(jubilee, day) != day)
            continue;
        if (!text.empty())
            text += ", ";
        text += JubileeText(jubilee, day);
    }
    return text;
}

UnderCalendarText ListJubPr(std::span<const FeastEntry> feasts, std::span<const JubileeEntry> jubilees, Date day,
                            Date today, const UnderCalendarSwitches& switches)
{
    UnderCalendarText result;
    if (feasts.empty() && jubilees.empty()) {
        result.unchanged = true;
        return result;
    }
    result.day_class = CalendarPrasd(feasts, day, today, switches.statuses).day_class;
    if (!switches.feasts && !switches.jubilees)
        return result;

    if (switches.feasts) {
        // Movable church feasts first, then fixed church, civil and other ones.
        std::array<std::string, 4> groups;
        for (const FeastEntry& feast : feasts) {
            if (!switches.statuses.enabled(feast.status) || PlaceFeast(feast, day, today) != day)
                continue;
            const std::size_t group = feast.status == FeastStatus::Church ? (feast.movable ? 0 : 1)
                                      : feast.status == FeastStatus::Civil ? 2
                                                                           : 3;
            groups[group] += feast.name;
            groups[group] += kUnderCalendarBreak;
        }
        for (const std::string& group : groups)
            result.text += group;
    }
    if (switches.jubilees) {
        for (const JubileeEntry& jubilee : jubilees) {
            if (PlaceJubilee(jubilee, day) != day)
                continue;
            result.text += JubileeText(jubilee, day);
            result.text += kUnderCalendarBreak;
        }
    }
    result.visible = !result.text.empty();
    if (result.visible) {
        result.hint = switches.feasts && switches.jubilees ? "Юбилеи и праздники на текущий день"
                      : switches.jubilees                  ? "Юбилеи на текущий день"
                                                           : "Праздники на текущий день";
    }
    return result;
}

}  // namespace indikt
