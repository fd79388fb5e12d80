#pragma once

// The JSON object of `indikt-cli icons`: the icons of a day as the icon
// strip shows them. The rotating Sunday and Saviour icons are taken as the
// data root's zk.ini last left them and are not moved on.

#include "calendar/date.h"

#include <string>
#include <vector>

namespace indikt::cli {

void AppendIconsJson(std::string& out, Date date, Date today, const std::string& data_root,
                     std::vector<std::string>& warnings);

}  // namespace indikt::cli
