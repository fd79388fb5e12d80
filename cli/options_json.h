#pragma once

// The JSON object of `indikt-cli options`: the settings the "Параметры"
// dialog shows for a data root's zk.ini, each list index as the dialog
// brings it into its list. Nothing in the data root changes.

#include "calendar/date.h"

#include <string>
#include <vector>

namespace indikt::cli {

// {"status_bar", ..., "first_day", "classes": [{"name", "shown", "font",
// "background"}, ...] (colours 0x00BBGGRR as stored), "frame_colour",
// "typikon_choices", "update_sites": {"primary", "fallback"}, "version" (the
// program's own number the update check compares), "warnings"}.
void AppendOptionsJson(std::string& out, const std::string& data_root, Date today, std::vector<std::string>& warnings);

}  // namespace indikt::cli
