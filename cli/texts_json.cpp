#include "texts_json.h"

#include "json.h"

#include "lectionary/menaion.h"
#include "lectionary/tropar.h"
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

void AppendTroparJson(std::string& out, Date date, const TreeFiles& files)
{
    const TroparDay day = Tropar(files, date);
    QString html;
    QStringList read;
    for (const HymnRow& row : day.rows) {
        html += "<h4>" + row.title.toHtmlEscaped() + "</h4>";
        const QString page = files.text(row.civil);
        if (!page.isEmpty()) {
            // The body of the hymn's page.
            const qsizetype open = page.indexOf("<body", 0, Qt::CaseInsensitive);
            const qsizetype start = open < 0 ? 0 : page.indexOf('>', open) + 1;
            const qsizetype end = page.indexOf("</body>", start, Qt::CaseInsensitive);
            html += page.mid(start, end < 0 ? -1 : end - start).trimmed();
            read << row.civil;
        }
    }
    AppendPage(out, html, html, read);
}

}  // namespace indikt::cli
