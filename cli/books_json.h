#pragma once

// The JSON objects of `indikt-cli lives`, `indikt-cli prayerbook` and
// `indikt-cli bookmarks`: the page a pane chooses for a day with its plain
// text, and the bookmarks of a data root.

#include "calendar/date.h"

#include <QString>

#include <string>
#include <vector>

namespace indikt::cli {

void AppendLivesJson(std::string& out, Date date, const QString& data_root);
// `language` is the tag 1..5 of the prayer book's language.
void AppendPrayerBookJson(std::string& out, Date date, const QString& data_root, int language);
// What could not be read of "Закладки.txt" goes to `warnings`.
void AppendBookmarksJson(std::string& out, const QString& data_root, std::vector<std::string>& warnings);

}  // namespace indikt::cli
