#pragma once

// The JSON objects of `indikt-cli menaion` and `indikt-cli tropar`: the page a
// pane shows for a day, its plain text and the files it read.

#include "calendar/date.h"

#include <string>

namespace indikt {
class TreeFiles;
}

namespace indikt::cli {

void AppendMenaionJson(std::string& out, Date date, const TreeFiles& files);
// The hymns of the day in the civil-script language: each title as a
// heading, then the hymn's page; "files" are the hymn pages read.
void AppendTroparJson(std::string& out, Date date, const TreeFiles& files);

}  // namespace indikt::cli
