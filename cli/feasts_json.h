#pragma once

// The JSON object of `indikt-cli feasts`: the user's feasts and jubilees of a
// day, as the month grid and the text under the calendar show them.

#include "calendar/date.h"

#include <string>

namespace indikt::cli {

// Reads "Памятка.txt" and the display switches of "zk.ini" in `data_root`
// (defaults when either is missing) and appends one line for `date`.
void AppendFeastsJson(std::string& out, Date date, Date today, const std::string& data_root);

}  // namespace indikt::cli
