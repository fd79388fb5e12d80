#include "feasts_json.h"

#include "json.h"

#include "calendar/feast_placement.h"
#include "records/memo_book.h"
#include "settings/zk_settings.h"

#include <QDir>

namespace indikt::cli {

void AppendFeastsJson(std::string& out, Date date, Date today, const std::string& data_root,
                      std::vector<std::string>& warnings)
{
    const QDir root(QString::fromStdString(data_root));
    const MemoClock clock{today, 0};
    const MemoReadResult memo = ReadMemoFile(root.filePath(QString::fromUtf8(kMemoFileName)), clock);
    if (!memo.error.isEmpty())
        warnings.push_back(memo.error.toStdString());
    else if (memo.damaged > 0)
        warnings.push_back("В файле \"" + std::string(kMemoFileName) + "\" не прочитано строк и записей: " +
                           std::to_string(memo.damaged) + ".");
    const MemoLists& lists = memo.lists;
    const std::vector<FeastEntry> feasts = FeastEntries(lists);
    const std::vector<JubileeEntry> jubilees = JubileeEntries(lists);

    const ZkSettings settings = ZkSettings::Load(root.filePath("zk.ini"), today, DamagedFile::Leave);
    if (!settings.loadError().isEmpty())
        warnings.push_back(settings.loadError().toStdString());
    const UnderCalendarSwitches switches = FeastDisplaySwitches(settings);

    const GridFeastText grid = CalendarPrasd(feasts, date, switches.statuses);
    const UnderCalendarText under = ListJubPr(feasts, jubilees, date, switches);
    out += '{';
    AppendJsonKey(out, "feasts", true);
    AppendJsonString(out, grid.text);
    AppendJsonKey(out, "class");
    AppendJsonInt(out, grid.day_class);
    AppendJsonKey(out, "jubilees");
    AppendJsonString(out, CalendarJubil(jubilees, date));
    AppendJsonKey(out, "under_calendar");
    AppendJsonString(out, under.visible ? under.text : std::string());
    AppendJsonKey(out, "warnings");
    AppendJsonStringArray(out, warnings);
    out += "}\n";
}

}  // namespace indikt::cli
