#pragma once

// The ways the day page moves its date other than by a day: a month forward
// or back, another civil or old-style month, another year, another old-style
// day. Each takes the current (civil) date and returns the date to show, or
// nothing when the command leaves the date as it is.

#include "date.h"

#include <optional>

namespace indikt {

// The years the month buttons, the month menus and the year editor work in,
// and the dates a click in the month grid accepts.
inline constexpr int kFirstEditableYear = 1700;
inline constexpr int kLastEditableYear = 3000;
inline constexpr Date kFirstEditableDate = FromCivil(kFirstEditableYear, 1, 1);
inline constexpr Date kLastEditableDate = FromCivil(kLastEditableYear, 12, 31);

// (year, month, day) with the day clipped to the month's end.
Date ClippedDate(int year, int month, int day);

// The month buttons beside the month name: the same day one month earlier
// (`delta` −1) or later (+1). The year boundary is crossed only inside
// 1700–3000; at January 1700 and December 3000 the date stays.
std::optional<Date> MonthStep(Date current, int delta);

// The civil month menu: the same day in `month` of the same year; nothing
// when it is that month already.
std::optional<Date> InCivilMonth(Date current, int month);

// The old-style month menu: the old-style date moved to `month` of its own
// old-style year, the day clipped to that Julian month, as a civil date.
std::optional<Date> InOldStyleMonth(Date current, int month);

// The year editor: the same day and month in `year`, when the year lies in
// 1700–3000 and differs from the current one.
std::optional<Date> InYear(Date current, int year);

// The old-style day editor. `old_style` is the old-style date it edits.
// Its maximum is the length of that Julian month (29 days in February of
// every fourth year).
int OldStyleDayMaximum(OldStyleDate old_style);

struct OldStyleDayChoice {
    Date date;           // the civil date to show
    int editor_value;    // what the editor shows afterwards
};
// The day typed into the editor, clamped to 1..maximum; nothing when it is
// the day shown already. A result past 3000-12-31 becomes that day with the
// editor lowered by one; one before 1752-01-01 becomes that day with the
// editor raised by one.
std::optional<OldStyleDayChoice> WithOldStyleDay(OldStyleDate old_style, int day);

// The colour of the date block (0xBBGGRR): teal, light red for a jubilee, a
// civil or another holiday, red for a Sunday and a church feast, each rule
// overriding the one before.
struct DateColourSwitches {
    bool jubilees = true;  // "SeeJubil"
    bool sundays = true;   // "SeeVos"
    bool church = true;    // "SeePrasd1"
    bool civil = true;     // "SeePrasd2"
    bool other = true;     // "SeePrasd3"
};
inline constexpr int kDateTeal = 0x808000;
inline constexpr int kDateLightRed = 0x8080FF;
inline constexpr int kDateRed = 0x0000FF;
int DateColour(bool has_jubilee_text, bool has_feast_text, int feast_class, bool sunday,
               const DateColourSwitches& switches);

}  // namespace indikt
