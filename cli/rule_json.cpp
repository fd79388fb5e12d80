#include "rule_json.h"

#include "day_json.h"
#include "json.h"

#include "lectionary/tree_files.h"
#include "records/dom_pravilo_settings.h"

#include <QDir>

namespace indikt::cli {

namespace {

void AppendBool(std::string& out, std::string_view key, bool value)
{
    AppendJsonKey(out, key);
    out += value ? "true" : "false";
}

void AppendText(std::string& out, std::string_view key, const QString& value, bool first = false)
{
    AppendJsonKey(out, key, first);
    AppendJsonString(out, value.toStdString());
}

}  // namespace

void AppendRuleJson(std::string& out, Date date, Date today, const std::string& data_root,
                    std::vector<std::string>& warnings)
{
    const QDir root(QString::fromStdString(data_root));
    const ZkSettings settings = ZkSettings::Load(root.filePath("zk.ini"), today, DamagedFile::Leave);
    if (!settings.loadError().isEmpty())
        warnings.push_back(settings.loadError().toStdString());
    const HomeRule rule = ReadHomeRule(settings);
    const RuleDay day = TextPravilo(rule, date, today);

    out += '{';
    AppendJsonKey(out, "date", true);
    AppendJsonString(out, IsoText(date));
    AppendJsonKey(out, "plans");
    out += '[';
    bool first_plan = true;
    for (const RulePlan plan : kRulePlans) {
        const PlanSettings& settings_of_plan = rule.plan(plan);
        if (!settings_of_plan.on)
            continue;
        const PlanPortion& portion = day.step(plan).portion;
        if (!first_plan)
            out += ',';
        first_plan = false;
        out += '{';
        AppendText(out, "plan", PlanInfo(plan).suffix, true);
        AppendText(out, "caption", PlanInfo(plan).caption);
        AppendText(out, "portion", portion.text);
        AppendText(out, "long", portion.long_text);
        const QString link = portion.text.isEmpty()
                                 ? QString()
                                 : Portable(VersionFolder(plan, settings_of_plan.version) + portion.file);
        AppendText(out, "link", link);
        AppendText(out, "markup", portion.markup);
        AppendBool(out, "finished", portion.finished);
        AppendBool(out, "skipped", portion.skipped);
        AppendBool(out, "read", portion.read);
        AppendText(out, "summary", PlanSummary(plan, settings_of_plan));
        out += '}';
    }
    out += ']';
    AppendJsonKey(out, "warnings");
    AppendJsonStringArray(out, warnings);
    out += "}\n";
}

}  // namespace indikt::cli
