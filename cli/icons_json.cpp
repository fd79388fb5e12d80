#include "icons_json.h"

#include "json.h"

#include "calendar/paschalion.h"
#include "lectionary/day_icons.h"
#include "lectionary/tree_files.h"
#include "settings/zk_settings.h"

#include <QDir>

namespace indikt::cli {

void AppendIconsJson(std::string& out, Date date, Date today, const std::string& data_root,
                     std::vector<std::string>& warnings)
{
    const QString root = QString::fromStdString(data_root);
    const ZkSettings settings = ZkSettings::Load(QDir(root).filePath("zk.ini"), today, DamagedFile::Leave);
    if (!settings.loadError().isEmpty())
        warnings.push_back(settings.loadError().toStdString());
    const IconCounters counters{settings.number(kSectionVid, "NumIcoVoskresenie"),
                                settings.number(kSectionVid, "NumIcoSpas")};
    const DayIcons icons = OpenIcon(root, date, MakeDayFacts(date), counters);
    const TreeFiles files(root);
    out += '{';
    AppendJsonKey(out, "slots", true);
    out += '[';
    for (size_t i = 0; i < icons.filled.size(); ++i) {
        const IconSlot& slot = icons.filled[i];
        if (i > 0)
            out += ',';
        out += '{';
        AppendJsonKey(out, "path", true);
        AppendJsonString(out, Portable(slot.path).toStdString());
        AppendJsonKey(out, "hint");
        AppendJsonString(out, slot.hint.toStdString());
        AppendJsonKey(out, "large");
        const QString large = LargeIconPath(slot.path);
        AppendJsonString(out, files.exists(large) ? Portable(large).toStdString() : std::string());
        AppendJsonKey(out, "command");
        AppendJsonString(out, slot.command.toStdString());
        out += '}';
    }
    out += ']';
    AppendJsonKey(out, "great_feast");
    out += icons.great_feast ? "true" : "false";
    AppendJsonKey(out, "warnings");
    out += '[';
    for (size_t i = 0; i < warnings.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, warnings[i]);
    }
    out += "]}\n";
}

}  // namespace indikt::cli
