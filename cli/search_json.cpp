#include "search_json.h"

#include "day_json.h"
#include "json.h"

#include <string>
#include <vector>

namespace indikt::cli {

void WriteSearchJsonLines(std::ostream& out, const SearchRequest& request, const QString& data_root, Date today)
{
    PageSource source = request.scope == SearchScope::Notes
                            ? PageSource::Notes(data_root, today)
                            : PageSource::Year(data_root, request.scope, request.year, today);
    YearSearch search(std::move(source), {request.text, request.match_case, request.whole_word});
    std::vector<PageResult> results;
    std::string line;
    // Each page's line goes out as soon as the page is searched.
    search.findAll(results, [&](const WalkProgress&) {
        for (const PageResult& result : results) {
            line = "{";
            AppendJsonKey(line, "civil", true);
            AppendJsonString(line, IsoText(result.address.civil));
            AppendJsonKey(line, "old_style");
            AppendJsonString(line, IsoText(OldStyle(result.address.civil)));
            AppendJsonKey(line, "variant");
            AppendJsonInt(line, result.address.variant);
            AppendJsonKey(line, "entry");
            AppendJsonInt(line, request.scope == SearchScope::Notes ? -1 : result.address.entry);
            AppendJsonKey(line, "title");
            AppendJsonString(line, result.title.toStdString());
            AppendJsonKey(line, "count");
            AppendJsonInt(line, result.count);
            AppendJsonKey(line, "excerpt");
            AppendJsonString(line, result.excerpt.toStdString());
            line += "}\n";
            out << line;
        }
        results.clear();
        return static_cast<bool>(out);
    });
}

}  // namespace indikt::cli
