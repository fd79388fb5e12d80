#pragma once

// The fixed tables of thirty church feasts and sixteen civil holidays that the
// jump commands go to. Their captions are rebuilt each year by the day view
// from the prefixes below and the dates these functions return.

#include "date.h"

#include <optional>
#include <span>
#include <string_view>

namespace indikt {

struct ChurchFeast {
    int kind;                          // 1..30, the tag of ActionDvPr001..030
    std::string_view prefix;           // caption prefix, e.g. "ПАСХА - "
    bool movable;                      // placed by its offset from Pascha
    int pascha_offset;                 // movable: days from Pascha
    int old_month;                     // fixed: old-style month and day
    int old_day;
    int year_offset;                   // fixed: 0, or -1 for the Nativity of the previous year
    std::string_view old_style_text;   // fixed: "(8 май)"; empty for movable feasts
};
std::span<const ChurchFeast> ChurchFeasts();

struct CivilHoliday {
    int kind;                 // 1..16, the tag of ActionGosPr001..016
    std::string_view prefix;  // caption prefix, e.g. "День Победы - "
    int month;                // new-style month and day
    int day;
};
std::span<const CivilHoliday> CivilHolidays();

// The new-style date of church feast `kind` in the civil year of `current`.
std::optional<Date> PerPrasdniki(int kind, Date current);

// The new-style date of civil holiday `kind` in the civil year of `current`.
std::optional<Date> PerGosPrasdniki(int kind, Date current);

}  // namespace indikt
