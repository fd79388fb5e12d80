#pragma once

// The JSON object of `indikt-cli feasts`: the user's feasts and jubilees of a
// day, as the month grid and the text under the calendar show them.

#include "calendar/date.h"

#include <string>
#include <vector>

namespace indikt::cli {

// Reads "Памятка.txt" and the display switches of "zk.ini" in `data_root`
// (defaults when either is missing) and appends one line for `date`. What of
// either file could not be read is said in `warnings` (and in the object's
// "warnings"); the readable rest is answered. Nothing in the folder changes.
void AppendFeastsJson(std::string& out, Date date, Date today, const std::string& data_root,
                      std::vector<std::string>& warnings);

}  // namespace indikt::cli
