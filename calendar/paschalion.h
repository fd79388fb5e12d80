#pragma once

// The two calendars and the Julian Paschalion.
//
// New style is the civil (Gregorian) date, old style the Julian date of the
// same day (OldStyleDate, date.h). The conversion is exact in both
// directions: the difference of the calendars grows at the Julian leap day of
// 1800, 1900, 2100 ..., so on the civil days from 1 January to that leap day
// the difference is still the one of the year before, and the Julian
// 29 February of those years is a day like any other.

#include "date.h"

#include <string>
#include <string_view>

namespace indikt {

// Days the Julian calendar lags behind from the Julian 1 March of `year` to
// its next leap day: 13 from Julian 1 March 1900 to Julian 29 February 2100.
// The year is a 16-bit unsigned value; outside 1583..3099 the difference is 0.
constexpr int Plus(int year)
{
    struct Row { int first; int last; int difference; };
    constexpr Row kRows[] = {
        {1583, 1699, 10}, {1700, 1799, 11}, {1800, 1899, 12}, {1900, 2099, 13},
        {2100, 2199, 14}, {2200, 2299, 15}, {2300, 2499, 16}, {2500, 2599, 17},
        {2600, 2699, 18}, {2700, 2899, 19}, {2900, 2999, 20}, {3000, 3099, 21},
    };
    const int year16 = static_cast<unsigned short>(year);
    for (const Row& row : kRows)
        if (year16 >= row.first && year16 <= row.last)
            return row.difference;
    return 0;
}

// The difference of the calendars on a day: the civil date minus this many
// days, read as a civil date, has the Julian day and month (on every day but
// the Julian 29 February of 1800, 1900, 2100 ..., which the civil calendar
// lacks). It grows at the Julian leap day, not on 1 January.
constexpr int CalendarDifference(Date day)
{
    const DayFields julian = JulianFields(day);
    return Plus(julian.month <= 2 ? julian.year - 1 : julian.year);
}

// Pascha of a Julian year (Gauss's rule for the Julian calendar): between
// 22 March and 25 April old style.
OldStyleDate DatePasha(int julian_year);

// Signed whole days from Pascha of the old-style date's own year to it:
// Pascha 0, Palm Sunday -7, Clean Monday -48, Pentecost 49.
int SignedDaysFromPascha(OldStyleDate old_style);

// The calendar facts of the shown day that every pane reads.
struct DayFacts {
    OldStyleDate old_style;  // the current date, old style
    OldStyleDate pascha;     // DatePasha of the old-style year
    int pascha_distance;     // whole days between the two, without sign
};

DayFacts MakeDayFacts(Date current);

// Bright Week as the status line sees it: after Pascha, 1 to 7 days away.
constexpr bool IsBrightWeek(const DayFacts& facts)
{
    return facts.old_style > facts.pascha && facts.pascha_distance >= 1 && facts.pascha_distance <= 7;
}

// The current date stays within these days (new style).
inline constexpr Date kFirstDate = FromCivil(1752, 1, 1);
inline constexpr Date kLastDate = FromCivil(3000, 12, 31);

constexpr bool IsAcceptedDate(Date date) { return date >= kFirstDate && date <= kLastDate; }

// A step of one day that stops at either end of the accepted range.
constexpr Date NextDay(Date date) { return date < kLastDate ? date + 1 : kLastDate; }
constexpr Date PreviousDay(Date date) { return date > kFirstDate ? date - 1 : kFirstDate; }

// The year editor's range and hint.
inline constexpr int kFirstEditorYear = 1700;
inline constexpr int kLastEditorYear = 3000;
inline constexpr std::string_view kYearEditorHint = "Выберете год с 1700 по 3000";

// A count of years with its Russian word, for jubilees: "21" -> " (21 год)",
// "12" -> " (12 лет)", "103" -> " (103 года)". Empty when the text holds no
// number greater than 0.
std::string GodLet(std::string_view years);

}  // namespace indikt
