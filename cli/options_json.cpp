#include "options_json.h"

#include "json.h"

#include "platform/update_check.h"
#include "settings/program_options.h"
#include "settings/zk_settings.h"

#include <QDir>

namespace indikt::cli {

namespace {

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

const char* const kClassNames[kCalendarClassChoiceCount] = {
    "Юбилеи", "Православные праздники", "Государственные праздники", "Иные праздники",
    "Воскресные дни", "Сплошные седмицы", "Постные дни",
};

}  // namespace

void AppendOptionsJson(std::string& out, const std::string& data_root, Date today, std::vector<std::string>& warnings)
{
    const QString root = QString::fromStdString(data_root);
    const ZkSettings settings = ZkSettings::Load(QDir(root).filePath("zk.ini"), today, DamagedFile::Leave);
    if (!settings.loadError().isEmpty())
        warnings.push_back(settings.loadError().toStdString());
    const int typikon_choices = TypikonSourceChoices(root);
    const ProgramOptions o = ReadProgramOptions(settings, typikon_choices);

    const std::pair<const char*, bool> flags[] = {
        {"status_bar", o.status_bar}, {"fast_hints", o.fast_hints}, {"date_in_caption", o.date_in_caption},
        {"splash", o.splash}, {"rule_in_lectionary", o.rule_in_lectionary}, {"tool_bar", o.tool_bar},
        {"menu_top", o.menu_top}, {"large_buttons", o.large_buttons}, {"tool_bar_in_calendar", o.tool_bar_in_calendar},
        {"liturgical_day", o.liturgical_day}, {"marker_unread_rule", o.marker_unread_rule},
        {"marker_liturgical_day", o.marker_liturgical_day}, {"under_feasts", o.under_feasts},
        {"under_jubilees", o.under_jubilees}, {"under_time", o.under_time}, {"autostart", o.autostart},
        {"autostart_once_a_day", o.autostart_once_a_day}, {"one_copy", o.one_copy},
        {"desktop_icons", o.desktop_icons}, {"desktop_icons_liturgical", o.desktop_icons_liturgical},
    };
    const std::pair<const char*, int> numbers[] = {
        {"start_mode", o.start_mode}, {"desktop_icon_count", o.desktop_icon_count},
        {"desktop_icon_days", o.desktop_icon_days}, {"typikon_source", o.typikon_source},
        {"link_viewer", o.link_viewer}, {"minimise_to", o.minimise_to}, {"first_day", o.first_day},
    };
    out += '{';
    bool first = true;
    for (const auto& [key, value] : flags) {
        AppendJsonKey(out, key, first);
        first = false;
        AppendBool(out, value);
    }
    for (const auto& [key, value] : numbers) {
        AppendJsonKey(out, key);
        AppendJsonInt(out, value);
    }
    AppendJsonKey(out, "classes");
    out += '[';
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        const ClassLook& look = o.classes[static_cast<size_t>(i)];
        if (i > 0)
            out += ',';
        out += '{';
        AppendJsonKey(out, "name", true);
        AppendJsonString(out, kClassNames[i]);
        AppendJsonKey(out, "shown");
        AppendBool(out, look.shown);
        AppendJsonKey(out, "font");
        AppendJsonInt(out, look.font);
        AppendJsonKey(out, "background");
        AppendJsonInt(out, look.background);
        out += '}';
    }
    out += ']';
    AppendJsonKey(out, "frame_colour");
    AppendJsonInt(out, o.frame_colour);
    AppendJsonKey(out, "typikon_choices");
    AppendJsonInt(out, typikon_choices);
    const UpdateSites sites = UpdateSitesOf(settings);
    AppendJsonKey(out, "update_sites");
    out += '{';
    AppendJsonKey(out, "primary", true);
    AppendJsonString(out, sites.primary.toStdString());
    AppendJsonKey(out, "fallback");
    AppendJsonString(out, sites.fallback.toStdString());
    out += '}';
    AppendJsonKey(out, "version");
    AppendJsonInt(out, ProgramVersionNumber());
    AppendJsonKey(out, "warnings");
    AppendJsonStringArray(out, warnings);
    out += "}\n";
}

}  // namespace indikt::cli
