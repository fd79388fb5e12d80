#include "readings_json.h"

#include "json.h"

#include "lectionary/readings.h"

namespace indikt::cli {

namespace {

void AppendReading(std::string& out, std::string_view key, const ReadingText& reading, bool first)
{
    AppendJsonKey(out, key, first);
    out += '{';
    AppendJsonKey(out, "text", true);
    AppendJsonString(out, reading.text.toStdString());
    AppendJsonKey(out, "files");
    out += '[';
    for (qsizetype i = 0; i < reading.addresses.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, reading.addresses[i].toStdString());
    }
    out += "]}";
}

}  // namespace

void AppendReadingsJson(std::string& out, Date date, const TreeFiles& files)
{
    out += '{';
    AppendReading(out, "gospel", EvangText(files, date), true);
    AppendReading(out, "apostle", ApostolText(files, date), false);
    AppendReading(out, "parimii", ParimiiText(files, date), false);
    out += "}\n";
}

}  // namespace indikt::cli
