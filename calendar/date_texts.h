#pragma once

// Date keys and captions. Every form reads the fields of the calendar its
// argument belongs to: a civil Date gives a civil text, an OldStyleDate the
// Julian one (with the weekday of the day itself). The key forms
// (TextOfMonthAndDay, TextOfDayAndMonthAndYear2) name files of the data tree
// and must match it byte for byte.

#include "date.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace indikt {

// Name tables: months 1..12, weekdays by ISO number 1 = Monday ... 7 = Sunday.
std::string_view MonthAbbreviation(int month);
std::string_view MonthName(int month);
std::string_view MonthNameGenitive(int month);  // "января" (the old-style label of the date block)
std::string_view WeekdayName(int iso_weekday);
std::string_view WeekdayAbbreviation(int iso_weekday);

// Examples are for 9 March 2025, a Sunday.
std::string TextOfMonthAndDay(Date date);               // мар09 (day key of the data tree)
std::string TextOfMonthAndDay(OldStyleDate date);
std::string TextOfMonthAndDay2(Date date);              // 9 мар
std::string TextOfMonthAndDay2(OldStyleDate date);
std::string TextOfMonthAndDay3(Date date);              // 09 мар
std::string TextOfMonthAndDay3(OldStyleDate date);
std::string TextOfMonth(Date date);                     // Март
std::string TextOfMonth(OldStyleDate date);
std::string TextOfDayTheWeek0(Date date);               // Воскресенье
std::string TextOfDayTheWeek(Date date);                // Вс
std::string TextOfDayTheWeekAndMonth(Date date);        // Вс 9 мар
std::string TextOfDayTheWeekAndMonth(OldStyleDate date);
std::string TextOfDayTheWeekAndMonth1(Date date);       // Вс 9 мар
std::string TextOfDayTheWeekAndMonth1(OldStyleDate date);
std::string TextOfDayAndMonthAndYear(Date date);        // 9.03.2025
std::string TextOfDayAndMonthAndYear(OldStyleDate date);
std::string TextOfDayAndMonthAndYear1(Date date);       // 09.03.2025 (every stored date)
std::string TextOfDayAndMonthAndYear1(OldStyleDate date);
std::string TextOfDayAndMonthAndYear2(Date date);       // мар092025 (key of a one-time note)
std::string TextOfDayAndMonthAndYear2(OldStyleDate date);
std::string TextOfDayAndMonthAndYear3(Date date);       // Воскресенье 9 мар 2025
std::string TextOfDayAndMonthAndYear3(OldStyleDate date);
std::string TextOfDayAndMonthAndYear4(Date date);       // 09 мар 2025
std::string TextOfDayAndMonthAndYear4(OldStyleDate date);
std::string TextOfDayAndMonthAndYear5(Date date);       // Вс 9 мар 2025
std::string TextOfDayAndMonthAndYear5(OldStyleDate date);
std::string TextOfDayAndMonthAndYear6(Date date);       // 9 мар 2025
std::string TextOfDayAndMonthAndYear6(OldStyleDate date);
std::string TextOfDayAndMonthAndYear8(Date date);       // Вс 09 мар 2025
std::string TextOfDayAndMonthAndYear8(OldStyleDate date);
std::string TextOfDayAndMonthAndYear9(Date date);       // 20250309
std::string TextOfDayAndMonthAndYear9(OldStyleDate date);

// Every form with its name, in the order above.
struct DateTextForm {
    std::string_view name;
    std::string (*text)(Date);
};
std::span<const DateTextForm> DateTextForms();

// Reads a stored date text (the form of TextOfDayAndMonthAndYear1): characters
// 1-2 are the day, 4-5 the month, 7-10 the year; the points are not tested.
// Nothing when a field is not a number or the date does not exist.
std::optional<Date> ParseStoredDate(std::string_view text);
// "YYYY-MM-DD", the civil date of the command lines; nothing for anything else.
std::optional<Date> ParseIsoDate(std::string_view text);
std::string IsoDateText(Date date);

// Reads a one-time note key (the form of TextOfDayAndMonthAndYear2) back into
// a date; the month comes from the abbreviation table.
std::optional<Date> ParseNoteKey(std::string_view key);

}  // namespace indikt
