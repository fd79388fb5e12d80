#pragma once

// The JSON object of `indikt-cli readings`: the Gospel, Apostle and Old
// Testament texts of a day and their reading files, as the lectionary pane
// shows them.

#include "calendar/date.h"

#include <string>

namespace indikt {
class TreeFiles;
}

namespace indikt::cli {

// {"gospel": {"text", "files": [6]}, "apostle": {… [5]}, "parimii": {… [3]}}
// and a newline; files relative to the data root with '/', "" for a slot not found.
void AppendReadingsJson(std::string& out, Date date, const TreeFiles& files);

}  // namespace indikt::cli
