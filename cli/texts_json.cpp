#include "texts_json.h"

#include "json.h"

#include "lectionary/menaion.h"
#include "texts/text_transforms.h"

namespace indikt::cli {

namespace {

void AppendPage(std::string& out, const QString& html, const QString& plain_source, const QStringList& files)
{
    out += '{';
    AppendJsonKey(out, "html", true);
    AppendJsonString(out, html.toStdString());
    AppendJsonKey(out, "text");
    AppendJsonString(out, TextNoHTM(plain_source).toStdString());
    AppendJsonKey(out, "files");
    out += '[';
    bool first = true;
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        if (!first)
            out += ',';
        first = false;
        AppendJsonString(out, file.toStdString());
    }
    out += "]}\n";
}

}  // namespace

void AppendMenaionJson(std::string& out, Date date, const TreeFiles& files)
{
    const MenaionText menaion = MesezText(files, date);
    AppendPage(out, menaion.html, menaion.unsigned_html, menaion.addresses);
}

}  // namespace indikt::cli
