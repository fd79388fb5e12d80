#include "dom_pravilo_settings.h"

namespace indikt {

namespace {

std::string Key(const char* stem, RulePlan plan) { return std::string(stem) + PlanInfo(plan).suffix; }

std::string SkipKey(RulePlan plan, int weekday)
{
    return Key("Iskl", plan) + std::to_string(weekday);
}

std::string StartKey(RulePlan plan) { return PraviloStartKey(PlanInfo(plan).suffix); }

}  // namespace

PlanSettings ReadPlanSettings(const ZkSettings& settings, RulePlan plan)
{
    PlanSettings p;
    p.on = settings.flag(kSectionPravilo, Key("CheckBox", plan));
    p.start = settings.date(kSectionPravilo, Key("Date", plan));
    p.per_day = settings.number(kSectionPravilo, Key("SpinEditPlus", plan));
    p.cycles = settings.number(kSectionPravilo, Key("SpinEditRas", plan));
    p.always = settings.flag(kSectionPravilo, Key("CheckBoxVsegda", plan));
    p.version = settings.number(kSectionPravilo, Key("Versiya", plan));
    for (int weekday = 0; weekday < 7; ++weekday)
        p.skipped[static_cast<size_t>(weekday)] = settings.flag(kSectionPravilo, SkipKey(plan, weekday));
    p.automatic = settings.flag(kSectionPravilo, Key("RBAutoList", plan));
    p.start_index = settings.number(kSectionPravilo, StartKey(plan));
    return p;
}

PlanState ReadPlanState(const ZkSettings& settings, RulePlan plan)
{
    PlanState s;
    s.position = settings.number(kSectionPravilo, Key("PoslGlav", plan));
    s.pending = settings.flag(kSectionPravilo, Key("Stop", plan));
    s.read_day = settings.date(kSectionPravilo, Key("DateStop", plan));
    return s;
}

HomeRule ReadHomeRule(const ZkSettings& settings)
{
    HomeRule rule;
    for (const RulePlan plan : kRulePlans) {
        rule.plan(plan) = ReadPlanSettings(settings, plan);
        rule.state(plan) = ReadPlanState(settings, plan);
    }
    rule.see_in_lectionary = settings.flag(kSectionPravilo, "PraviloSeeLec");
    return rule;
}

void WritePlanSettings(ZkSettings& settings, RulePlan plan, const PlanSettings& p)
{
    settings.setFlag(kSectionPravilo, Key("CheckBox", plan), p.on);
    settings.setDate(kSectionPravilo, Key("Date", plan), p.start);
    settings.setNumber(kSectionPravilo, Key("SpinEditPlus", plan), p.per_day);
    settings.setNumber(kSectionPravilo, Key("SpinEditRas", plan), p.cycles);
    settings.setFlag(kSectionPravilo, Key("CheckBoxVsegda", plan), p.always);
    settings.setNumber(kSectionPravilo, Key("Versiya", plan), p.version);
    for (int weekday = 0; weekday < 7; ++weekday)
        settings.setFlag(kSectionPravilo, SkipKey(plan, weekday), p.skipped[static_cast<size_t>(weekday)]);
    settings.setFlag(kSectionPravilo, Key("RBAutoList", plan), p.automatic);
    settings.setNumber(kSectionPravilo, StartKey(plan), p.start_index);
}

void WritePlanState(ZkSettings& settings, RulePlan plan, const PlanState& s)
{
    settings.setNumber(kSectionPravilo, Key("PoslGlav", plan), s.position);
    settings.setFlag(kSectionPravilo, Key("Stop", plan), s.pending);
    settings.setDate(kSectionPravilo, Key("DateStop", plan), s.read_day);
}

void WriteHomeRule(ZkSettings& settings, const HomeRule& rule)
{
    for (const RulePlan plan : kRulePlans) {
        WritePlanSettings(settings, plan, rule.plan(plan));
        WritePlanState(settings, plan, rule.state(plan));
    }
    settings.setFlag(kSectionPravilo, "PraviloSeeLec", rule.see_in_lectionary);
}

}  // namespace indikt
