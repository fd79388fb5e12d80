#pragma once

// The user's own feasts and jubilees on the days of the calendar.
//
// Each record is placed into the civil year of the day being tested and
// matches the day when the placed date is that day. The month grid takes a
// feast text, a jubilee text and the class of the day from here; the day page
// takes the text under the calendar.

#include "date.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace indikt {

enum class FeastStatus { Church, Civil, Other };

// The class of a day, which sets its colour: the highest class of the feasts
// that match it, church over civil over other.
inline constexpr int kNoFeastClass = 0;
inline constexpr int kChurchFeastClass = 1;
inline constexpr int kCivilFeastClass = 2;
inline constexpr int kOtherFeastClass = 3;

constexpr int FeastClass(FeastStatus status)
{
    switch (status) {
    case FeastStatus::Church: return kChurchFeastClass;
    case FeastStatus::Civil: return kCivilFeastClass;
    case FeastStatus::Other: return kOtherFeastClass;
    }
    return kNoFeastClass;
}

// A feast of the user's list as placement needs it.
struct FeastEntry {
    std::string name;
    Date date;              // the civil date of its next occurrence (the "Дата" column)
    bool movable = false;   // "переходящий": placed by its offset from Pascha
    FeastStatus status = FeastStatus::Other;
    int pascha_offset = 0;  // movable: whole days from Pascha, negative before it
};

// A jubilee of the user's list as placement needs it.
struct JubileeEntry {
    std::string name;
    Date stored;                       // the date it commemorates (the "Дата" column)
    std::optional<int> pascha_offset;  // set for a movable jubilee
    bool show_years = false;           // the "Число лет" column is on
};

// Which statuses are placed and matched at all ("SeePrasd1".."SeePrasd3").
struct FeastSwitches {
    bool church = true;
    bool civil = true;
    bool other = true;

    constexpr bool enabled(FeastStatus status) const
    {
        return status == FeastStatus::Church ? church : status == FeastStatus::Civil ? civil : other;
    }
};

// Month and day of `date` in `year`; a day the month lacks there (29 February
// of a common year) becomes the last day of that month.
Date SameDayInYear(Date date, int year);

// The civil day of civil year `year` that has the old-style `month` and `day`
// (the day clipped to the old-style month: 29 February becomes the 28th in
// a common Julian year). In a year whose difference grows one old-style day
// has no day of its own (18 December in 2100): then the day it falls on,
// outside `year`.
Date OldStyleDayInCivilYear(int month, int day, int year);

// The date of a feast in the civil year of `day`. A fixed church feast keeps
// the old-style day and month of its stored civil date.
Date PlaceFeast(const FeastEntry& feast, Date day);

// The date of a jubilee in the civil year of `day`.
Date PlaceJubilee(const JubileeEntry& jubilee, Date day);

// The years a jubilee completes on a day of `year`: that year minus the year
// of its date.
int JubileeYearsIn(const JubileeEntry& jubilee, int year);

// `CalendarPrasd`: the names of the matching feasts of the enabled statuses
// joined by ", ", and the class of the day (kNoFeastClass when none matched).
struct GridFeastText {
    std::string text;
    int day_class = kNoFeastClass;
};
GridFeastText CalendarPrasd(std::span<const FeastEntry> feasts, Date day, const FeastSwitches& switches);

// `CalendarJubil`: each matching jubilee's name with its count of years
// (GodLet) when that is shown, joined by ", ".
std::string CalendarJubil(std::span<const JubileeEntry> jubilees, Date day);

// The line break of the text under the calendar: LF then CR.
inline constexpr std::string_view kUnderCalendarBreak = "\n\r";

// `ListJubPr`: the feasts and jubilees of a day listed under the calendar.
struct UnderCalendarText {
    bool unchanged = false;   // both lists are empty: the box keeps what it shows
    bool visible = false;
    std::string text;         // one name per line, each followed by kUnderCalendarBreak
    std::string hint;         // for the pointer over the box; empty when it has no lines
    int day_class = kNoFeastClass;  // class of the day among the enabled statuses
};
struct UnderCalendarSwitches {
    FeastSwitches statuses;
    bool feasts = true;    // "PrPrint"
    bool jubilees = true;  // "JubPrint"
};
UnderCalendarText ListJubPr(std::span<const FeastEntry> feasts, std::span<const JubileeEntry> jubilees, Date day,
                            const UnderCalendarSwitches& switches);

}  // namespace indikt
