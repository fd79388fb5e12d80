#pragma once

// The JSON object of `indikt-cli rule`: each plan of the home prayer rule
// that is on, with its portion of a date, computed from the data root's
// zk.ini without keeping anything.

#include "calendar/date.h"

#include <string>
#include <vector>

namespace indikt::cli {

// {"date", "plans": [{"plan", "caption", "portion", "long", "link", "markup",
// "finished", "skipped", "read", "summary"}], "warnings"} and a newline.
void AppendRuleJson(std::string& out, Date date, Date today, const std::string& data_root,
                    std::vector<std::string>& warnings);

}  // namespace indikt::cli
