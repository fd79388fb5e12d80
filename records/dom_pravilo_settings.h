#pragma once

// The home prayer rule in zk.ini, section "Pravilo": each plan's settings
// and state read typed and bounded, and written back. The keys are spelled
// only here and in the schema.

#include "records/dom_pravilo.h"
#include "settings/zk_settings.h"

namespace indikt {

PlanSettings ReadPlanSettings(const ZkSettings& settings, RulePlan plan);
PlanState ReadPlanState(const ZkSettings& settings, RulePlan plan);
// `SettingsDownload`: the four plans and "PraviloSeeLec".
HomeRule ReadHomeRule(const ZkSettings& settings);

void WritePlanSettings(ZkSettings& settings, RulePlan plan, const PlanSettings& plan_settings);
void WritePlanState(ZkSettings& settings, RulePlan plan, const PlanState& state);
void WriteHomeRule(ZkSettings& settings, const HomeRule& rule);

}  // namespace indikt
