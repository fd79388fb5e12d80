#include "date_navigation.h"

#include "feast_placement.h"
#include "paschalion.h"

#include <algorithm>

namespace indikt {

Date ClippedDate(int year, int month, int day)
{
    return FromCivil(year, month, std::min(day, DaysInMonth(year, month)));
}

std::optional<Date> MonthStep(Date current, int delta)
{
    const CivilFields f = Fields(current);
    int year = f.year;
    int month = f.month + delta;
    if (month < 1) {
        if (year <= kFirstEditableYear)
            return std::nullopt;
        month = 12;
        --year;
    } else if (month > 12) {
        if (year >= kLastEditableYear)
            return std::nullopt;
        month = 1;
        ++year;
    }
    return ClippedDate(year, month, f.day);
}

std::optional<Date> InCivilMonth(Date current, int month)
{
    const CivilFields f = Fields(current);
    if (month < 1 || month > 12 || month == f.month)
        return std::nullopt;
    return ClippedDate(f.year, month, f.day);
}

std::optional<Date> InOldStyleMonth(Date current, int month)
{
    const DayFields old = Fields(OldStyle(current));
    if (month < 1 || month > 12 || month == old.month)
        return std::nullopt;
    return NewStyle(FromOldStyle(old.year, month, std::min(old.day, DaysInJulianMonth(old.year, month))));
}

std::optional<Date> InYear(Date current, int year)
{
    const CivilFields f = Fields(current);
    if (year < kFirstEditableYear || year > kLastEditableYear || year == f.year)
        return std::nullopt;
    return ClippedDate(year, f.month, f.day);
}

int OldStyleDayMaximum(OldStyleDate old_style)
{
    const DayFields f = Fields(old_style);
    return DaysInJulianMonth(f.year, f.month);
}

std::optional<OldStyleDayChoice> WithOldStyleDay(OldStyleDate old_style, int day)
{
    const DayFields old = Fields(old_style);
    day = std::clamp(day, 1, OldStyleDayMaximum(old_style));
    if (day == old.day)
        return std::nullopt;
    const Date civil = NewStyle(FromOldStyle(old.year, old.month, day));
    if (civil > kLastDate)
        return OldStyleDayChoice{kLastDate, day - 1};
    if (civil < kFirstDate)
        return OldStyleDayChoice{kFirstDate, day + 1};
    return OldStyleDayChoice{civil, day};
}

int DateColour(bool has_jubilee_text, bool has_feast_text, int feast_class, bool sunday,
               const DateColourSwitches& switches)
{
    int colour = has_jubilee_text && switches.jubilees ? kDateLightRed : kDateTeal;
    if (has_feast_text && feast_class == kOtherFeastClass && switches.other)
        colour = kDateLightRed;
    if (has_feast_text && feast_class == kCivilFeastClass && switches.civil)
        colour = kDateLightRed;
    if (sunday && switches.sundays)
        colour = kDateRed;
    if (has_feast_text && feast_class == kChurchFeastClass && switches.church)
        colour = kDateRed;
    return colour;
}

}  // namespace indikt
