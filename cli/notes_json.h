#pragma once

// The JSON objects of `indikt-cli note` and `indikt-cli notes`: the user's
// note of a day as the notes pane shows it, and the dates of every note.
// Nothing in the data root changes.

#include "calendar/date.h"

#include <QString>

#include <string>

namespace indikt::cli {

// {"date", "old_style", "file" (relative to the data root, "" for none),
// "yearly", "editable", "notice", "hidden" (other notes of the day the shown
// one hides), "text", "html"}.
void AppendNoteJson(std::string& out, Date date, const QString& data_root);

// {"examined" (the "*.rtf" files looked at), "notes": [{"old_style", "civil",
// "yearly", "file"}, ...]} in date order; a yearly note is dated in the year
// of `today`.
void AppendNotesJson(std::string& out, const QString& data_root, Date today);

}  // namespace indikt::cli
