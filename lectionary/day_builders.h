#pragma once

// The builders of the text panes the program has: each reads the settings it
// needs when it builds, so a change in the settings shows on the next day.

#include "lectionary/day_panes.h"
#include "lectionary/lexionariy.h"
#include "records/dom_pravilo.h"
#include "settings/zk_settings.h"

#include <QString>

#include <functional>

namespace indikt {

// The lectionary pane: the readings of the day in the chosen language, and
// the home rule's portions of the day when "PraviloSeeLec" is on.
class LectionaryBuilder : public DayTextBuilder {
public:
    LectionaryBuilder(QString data_root, const ZkSettings& settings, std::function<Date()> today)
        : data_root_(std::move(data_root)), settings_(settings), today_(std::move(today))
    {
    }
    PaneText build(const DayRequest& request) override;

private:
    QString data_root_;
    const ZkSettings& settings_;
    std::function<Date()> today_;
};

// The Menaion pane: the saints and feasts of the day.
class MenaionBuilder : public DayTextBuilder {
public:
    explicit MenaionBuilder(QString data_root) : data_root_(std::move(data_root)) {}
    PaneText build(const DayRequest& request) override;

private:
    QString data_root_;
};

// The lives pane: the life page of the day, shown by its path.
class LivesBuilder : public DayTextBuilder {
public:
    explicit LivesBuilder(QString data_root) : data_root_(std::move(data_root)) {}
    PaneText build(const DayRequest& request) override;

private:
    QString data_root_;
};

// The prayer-book pane: the page of the season in the chosen language
// ("MolitvJas…"), with the commands that open, create or delete it.
class PrayerBookBuilder : public DayTextBuilder {
public:
    PrayerBookBuilder(QString data_root, const ZkSettings& settings)
        : data_root_(std::move(data_root)), settings_(settings)
    {
    }
    PaneText build(const DayRequest& request) override;

private:
    QString data_root_;
    const ZkSettings& settings_;
};

// The link markups of the home rule's portions on `date`, with the versions
// its plans chose; nothing is kept.
HomeRulePortions HomeRulePortionsOf(const HomeRule& rule, Date date, Date today);

// The language tag (1..5) chosen by the five flags "<prefix>Slav" … "<prefix>Video".
int LanguageTag(const ZkSettings& settings, const char* prefix);
void SetLanguageTag(ZkSettings& settings, const char* prefix, int tag);

}  // namespace indikt
