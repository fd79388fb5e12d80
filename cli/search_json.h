#pragma once

// `indikt-cli search`: every page of a year (or every note) where a text
// occurs, one JSON object a line, as the search's "Найти все" lists them.

#include "calendar/date.h"
#include "walks/year_search.h"

#include <QString>

#include <ostream>

namespace indikt::cli {

struct SearchRequest {
    QString text;
    SearchScope scope = SearchScope::Menaion;
    int year = 0;
    bool match_case = false;
    bool whole_word = false;
};

// Writes the lines to `out` as the walk finds them.
void WriteSearchJsonLines(std::ostream& out, const SearchRequest& request, const QString& data_root, Date today);

}  // namespace indikt::cli
