#include "feast_placement.h"

#include "paschalion.h"

#include <algorithm>
#include <array>

namespace indikt {

namespace {

// Pascha of the day's old-style year, as a civil date: the point movable
// records count from.
Date CivilPaschaOfDay(Date day)
{
    return NewStyle(MakeDayFacts(day).pascha);
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

Date OldStyleDayInCivilYear(int month, int day, int year)
{
    // Most old-style days of a civil year belong to the old-style year of the
    // same number; the last ones of December to the year before.
    Date civil;
    for (const int julian_year : {year, year - 1}) {
        civil = NewStyle(FromOldStyle(julian_year, month, std::min(day, DaysInJulianMonth(julian_year, month))));
        if (YearOf(civil) == year)
            return civil;
    }
    return civil;
}

Date PlaceFeast(const FeastEntry& feast, Date day)
{
    const int year = YearOf(day);
    if (feast.movable)
        return CivilPaschaOfDay(day) + feast.pascha_offset;
    if (feast.status != FeastStatus::Church)
        return SameDayInYear(feast.date, year);
    const DayFields old = Fields(OldStyle(feast.date));
    return OldStyleDayInCivilYear(old.month, old.day, year);
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

GridFeastText CalendarPrasd(std::span<const FeastEntry> feasts, Date day, const FeastSwitches& switches)
{
    GridFeastText result;
    for (const FeastEntry& feast : feasts) {
        if (!switches.enabled(feast.status) || PlaceFeast(feast, day) != day)
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
                            const UnderCalendarSwitches& switches)
{
    UnderCalendarText result;
    if (feasts.empty() && jubilees.empty()) {
        result.unchanged = true;
        return result;
    }
    result.day_class = CalendarPrasd(feasts, day, switches.statuses).day_class;
    if (!switches.feasts && !switches.jubilees)
        return result;

    if (switches.feasts) {
        // Movable church feasts first, then fixed church, civil and other ones.
        std::array<std::string, 4> groups;
        for (const FeastEntry& feast : feasts) {
            if (!switches.statuses.enabled(feast.status) || PlaceFeast(feast, day) != day)
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
