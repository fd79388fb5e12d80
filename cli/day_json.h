#pragma once

// The JSON objects of `indikt-cli day` and `indikt-cli jumps`.

#include "calendar/date.h"

#include <optional>
#include <string>
#include <string_view>

namespace indikt::cli {

// YYYY-MM-DD of a date's Gregorian fields.
std::string IsoText(Date date);
std::string IsoText(OldStyleDate date);  // its Julian fields


// One line of `day`: every calendar fact of the civil date, ending in '\n'.
void AppendDayJson(std::string& out, Date date);

// One line of `jumps`: the targets of every jump command from `current`.
void AppendJumpsJson(std::string& out, Date current);

}  // namespace indikt::cli
