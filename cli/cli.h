#pragma once

// indikt-cli: the calendar engine without a window, for scripts and checks.
// Output is UTF-8 JSON on `out`; a bad argument is reported on `err` with
// exit code 2.

#include "calendar/date.h"

#include <ostream>
#include <string>
#include <vector>

namespace indikt::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitBadArgument = 2;

// `arguments` excludes the program name. `clock_today` is today's date from
// the clock, used unless --today gives another; `default_data_root` is used
// unless --data-root gives another.
int RunCli(const std::vector<std::string>& arguments, Date clock_today, std::ostream& out, std::ostream& err,
           const std::string& default_data_root = ".");

}  // namespace indikt::cli
