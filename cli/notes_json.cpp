#include "notes_json.h"

#include "day_json.h"
#include "json.h"

#include "records/notes.h"

#include <QFileInfo>

namespace indikt::cli {

namespace {

std::string Relative(const QString& path)
{
    if (path.isEmpty())
        return {};
    return (QString::fromUtf8(kNotesFolderName) + "/" + QFileInfo(path).fileName()).toStdString();
}

}  // namespace

void AppendNoteJson(std::string& out, Date date, const QString& data_root)
{
    const StoredNote note = ReadNote(data_root, date);
    out += '{';
    AppendJsonKey(out, "date", true);
    AppendJsonString(out, IsoText(date));
    AppendJsonKey(out, "old_style");
    AppendJsonString(out, IsoText(note.key));
    AppendJsonKey(out, "file");
    AppendJsonString(out, Relative(note.path));
    AppendJsonKey(out, "yearly");
    out += note.yearly ? "true" : "false";
    AppendJsonKey(out, "editable");
    out += note.editable ? "true" : "false";
    AppendJsonKey(out, "notice");
    AppendJsonString(out, note.notice.toStdString());
    AppendJsonKey(out, "hidden");
    out += '[';
    for (qsizetype i = 0; i < note.hidden.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, Relative(note.hidden[i]));
    }
    out += ']';
    AppendJsonKey(out, "text");
    AppendJsonString(out, PlainTextOfRtf(note.content).toStdString());
    AppendJsonKey(out, "html");
    AppendJsonString(out, HtmlOfRtf(note.content).toStdString());
    out += "}\n";
}

void AppendNotesJson(std::string& out, const QString& data_root, Date today)
{
    const NoteListing listing = ListNotes(data_root, today);
    out += '{';
    AppendJsonKey(out, "examined", true);
    AppendJsonInt(out, listing.examined);
    AppendJsonKey(out, "notes");
    out += '[';
    bool first = true;
    for (const ListedNote& note : listing.notes) {
        if (!first)
            out += ',';
        first = false;
        out += '{';
        AppendJsonKey(out, "old_style", true);
        AppendJsonString(out, IsoText(note.key));
        AppendJsonKey(out, "civil");
        AppendJsonString(out, IsoText(CivilDateOfNoteKey(note.key)));
        AppendJsonKey(out, "yearly");
        out += note.yearly ? "true" : "false";
        AppendJsonKey(out, "file");
        AppendJsonString(out, (QString::fromUtf8(kNotesFolderName) + "/" + note.file_name).toStdString());
        out += '}';
    }
    out += "]}\n";
}

}  // namespace indikt::cli
