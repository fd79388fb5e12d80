#pragma once

// Fasts and fast-free weeks: the label of the day under the calendar with its
// hint, the short texts of the month grid, and the targets of the fast menus.
// Every rule works on the old-style day and month and on the civil weekday.

#include "date.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace indikt {

// The label under the calendar and its hint "long part|short part". Line
// breaks inside hints are LF, CR in that order.
struct FastDay {
    std::string_view label;  // empty: the day view shows "Поста нет"
    std::string_view hint;   // never empty
};

inline constexpr std::string_view kNoFastLabel = "Поста нет";
inline constexpr std::string_view kDefaultFastHint = "Церковные указания на сегодняшний день";

// The day rule. Its steps run in a fixed order and a later step that sets a
// text replaces the earlier one.
FastDay Post(Date new_style);

// Short fast text of a grid day; days from Pascha are counted from the Pascha
// of the shown day's facts (`current_pascha`, an old-style value).
std::string_view CalendarPost(Date new_style, OldStyleDate current_pascha);

// Appends the fast-free-week text of a grid day to `text`; days from Pascha
// are counted from the Pascha of the day's own new-style year.
std::string CalendarNePost(Date new_style, std::string text);

// The commands that jump to a fast, a fast-free week or a day of the
// commemoration of the departed; kinds 1..17.
struct FastPeriod {
    int kind;
    std::string_view caption;
    std::string_view group;
};
std::span<const FastPeriod> FastPeriods();

// The Saturday of Saint Demetrius: the Saturday among 19 to 25 October old
// style, or the one before when that Saturday is 22 October (the Kazan icon).
OldStyleDate DemetriusSaturday(int julian_year);

// Where command `kind` goes from `current`; nothing for an unknown kind.
// Old-style days are taken in the civil year of `current`.
std::optional<Date> PerPost(int kind, Date current);

// Whether the Lenten Saturday command 11, 12 or 13 is enabled: its Saturday
// must not fall on a feast that takes the commemoration away.
bool LentSaturdayEnabled(int kind, Date current, OldStyleDate current_pascha);

}  // namespace indikt
