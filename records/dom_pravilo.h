#pragma once

// The home prayer rule: four plans of daily Scripture reading (the Gospels,
// the Apostle, the Psalter in kathismata, the Old Testament) and the portion
// each gives on a date. Everything here is a plain function of the plan's
// settings, its stored state, the date and today: it returns the portion and
// the state the plan would have after it, and only the rule window decides
// when that state is kept. The lectionary page, the command-line tool and
// every walk over many days compute portions without keeping anything.

#include "calendar/date.h"

#include <QString>

#include <array>
#include <span>

namespace indikt {

enum class RulePlan { Gospel = 0, Apostle = 1, Psalter = 2, OldTestament = 3 };
inline constexpr int kRulePlanCount = 4;
inline constexpr std::array<RulePlan, kRulePlanCount> kRulePlans = {RulePlan::Gospel, RulePlan::Apostle,
                                                                    RulePlan::Psalter, RulePlan::OldTestament};

// The longest portion of a day and the most cycles a plan can be set to;
// "Постоянно" counts as kEndlessCycles.
inline constexpr int kMaxUnitsPerDay = 20;
inline constexpr int kMaxCycles = 20;
inline constexpr int kEndlessCycles = 900;

// One book of a plan: its chapters are the cumulative indices first..last.
struct RuleBook {
    int first;
    int last;
    const char* short_label;  // "Мф, глава "
    const char* full_name;    // "Евангелие от Матфея, глава "
    int file_number;          // 51: "51.html#g" + chapter
};

struct RulePlanInfo {
    RulePlan plan;
    const char* suffix;         // of its control names and zk.ini keys: "EvNSav"
    const char* caption;        // of its tab and its section: "Евангелие"
    const char* check_caption;  // "Чтение Евангелия"
    const char* title;          // of its summary: "Читаем Евангелие "
    int units;                  // N: chapters (kathismata) of one cycle
    int versions;               // items of its version list
    std::span<const RuleBook> books;  // empty for the Psalter
};
const RulePlanInfo& PlanInfo(RulePlan plan);

// The version list of a plan: the item's text and the folder of its files
// relative to the data root, as the tree writes it ("Библия\b_slv\b_slv").
// An index outside the list counts as 0.
int BoundedVersion(RulePlan plan, int version);
QString VersionItem(RulePlan plan, int version);
QString VersionFolder(RulePlan plan, int version);

// One unit (chapter or kathisma) of a plan, 1..N.
struct RuleUnit {
    QString short_text;  // "Мф, глава 5"; for the Psalter the kathisma label "5 (Пс 32-36)"
    QString full_text;   // "Евангелие от Матфея, глава 5"
    QString file;        // "51.html#g5"; for the Psalter "psalm05.html"
};
RuleUnit UnitOf(RulePlan plan, int unit);

// The settings of a plan as its tab shows them.
struct PlanSettings {
    bool on = false;
    Date start;                // S0, "Начать"
    int per_day = 1;           // h, "Прочитывать", 1..20
    int cycles = 1;            // R, "Прочитать ... раз", 1..20
    bool always = false;       // "Постоянно": without end
    int version = 0;
    std::array<bool, 7> skipped{};  // 0 = "Воскресенье" ... 6 = "Суббота"
    bool automatic = true;     // paging "автоматически"; otherwise "после прочтения"
    int start_index = 1;       // I: the unit the plan starts from, 0..N
};

// Where the reading stands.
struct PlanState {
    int position = 0;     // P: the cumulative index reached; 0 before the first portion
    bool pending = true;  // the current portion has not been read yet
    Date read_day;        // DS: the day the plan last advanced or was read
    friend bool operator==(const PlanState&, const PlanState&) = default;
};

struct PlanPortion {
    QString text;       // "Мф, глава 1." or "От Ин, глава 20 до Ин, глава 21."; empty when nothing falls on the day
    QString long_text;  // the same with the books' full names, for the hint
    QString markup;     // the lectionary's link markup "[Мф, глава 1=51.html#g1]."
    QString file;       // the file of the first unit, relative to the version folder
    int cumulative = 0; // c
    int last = 0;       // the last cumulative index the plan reaches
    int unit = 0;       // u: the first unit of the portion, 1..N
    bool started = false;   // the date is not before the plan
    bool finished = false;  // c is past the plan's end: "Завершено"
    bool skipped = false;   // the date's weekday is skipped
    bool read = false;      // "после прочтения" and read: the mark "Прочитано"
};

struct PlanStep {
    PlanPortion portion;
    PlanState state;  // the state after this portion, for the window to keep
};

// The portion of a plan on `date`. Pure: the caller decides whether to keep
// `state` of the result.
PlanStep PortionOf(RulePlan plan, const PlanSettings& settings, const PlanState& state, Date date, Date today);

// The whole rule: the four plans, their states and whether the lectionary
// page shows it ("PraviloSeeLec").
struct HomeRule {
    std::array<PlanSettings, kRulePlanCount> plans;
    std::array<PlanState, kRulePlanCount> states;
    bool see_in_lectionary = true;

    PlanSettings& plan(RulePlan p) { return plans[static_cast<size_t>(p)]; }
    const PlanSettings& plan(RulePlan p) const { return plans[static_cast<size_t>(p)]; }
    PlanState& state(RulePlan p) { return states[static_cast<size_t>(p)]; }
    const PlanState& state(RulePlan p) const { return states[static_cast<size_t>(p)]; }
};

// The portions of the plans that are on (those that are off give nothing and
// keep their state).
struct RuleDay {
    std::array<PlanStep, kRulePlanCount> steps;
    const PlanStep& step(RulePlan p) const { return steps[static_cast<size_t>(p)]; }
};
RuleDay TextPravilo(const HomeRule& rule, Date date, Date today);

// The states of `day` written into `rule`: what the window keeps.
void KeepStates(HomeRule& rule, const RuleDay& day);

// Whether the unread-rule icon shows: a plan that is on, pages "после
// прочтения", has a portion and is pending.
bool HasUnreadPortion(const HomeRule& rule, const RuleDay& day);

// The plan counts as read today: its portion of today is taken first (so a
// plan that advances today is marked on its new portion).
PlanState MarkedRead(RulePlan plan, const PlanSettings& settings, const PlanState& state, Date today);

// "Следующая глава ..." and "Предыдущая глава ...": with automatic paging the
// start index moves (every day's portion shifts by one unit), otherwise the
// position does and the plan is pending again.
void StepUnit(RulePlan plan, PlanSettings& settings, PlanState& state, bool forward, Date today);

// A plan turned off rests: no skipped days, one cycle, one unit a day,
// start 1, position 0, automatic paging, not pending, read yesterday.
void TurnOff(PlanSettings& settings, PlanState& state, Date today);

// The summary at the bottom of a plan's tab and the hint of its caption on
// the first tab.
QString PlanSummary(RulePlan plan, const PlanSettings& settings);
QString PlanCaptionHint(RulePlan plan, const PlanSettings& settings);
// The unit label beside the units spinner ("главу в день", "кафизмы в день" ...)
// and beside the cycles spinner ("раз", "раза").
QString UnitsPerDayLabel(RulePlan plan, int per_day);
QString CyclesLabel(int cycles);

// The date label of the first tab: "Вс 9 мар 2025 г. ".
QString RuleDateLabel(Date today);

// "Копировать все": the rule of the day as lines of text, for the clipboard.
QString RuleCopyText(const HomeRule& rule, const RuleDay& day, Date today);

}  // namespace indikt
