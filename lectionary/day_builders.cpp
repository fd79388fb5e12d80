#include "day_builders.h"

#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/prayer_book.h"
#include "records/dom_pravilo_settings.h"

namespace indikt {

namespace {

const char* const kLanguageKeys[] = {"Slav", "Gragd", "Rus", "Audio", "Video"};

std::string LanguageKey(const char* prefix, int index) { return std::string(prefix) + kLanguageKeys[index]; }

}  // namespace

HomeRulePortions HomeRulePortionsOf(const HomeRule& rule, Date date, Date today)
{
    const RuleDay day = TextPravilo(rule, date, today);
    HomeRulePortions portions;
    portions.gospel = day.step(RulePlan::Gospel).portion.markup;
    portions.apostle = day.step(RulePlan::Apostle).portion.markup;
    portions.psalter = day.step(RulePlan::Psalter).portion.markup;
    portions.old_testament = day.step(RulePlan::OldTestament).portion.markup;
    portions.versions = {rule.plan(RulePlan::Gospel).version, rule.plan(RulePlan::Apostle).version,
                         rule.plan(RulePlan::Psalter).version};
    return portions;
}

int LanguageTag(const ZkSettings& settings, const char* prefix)
{
    for (int i = 0; i < 5; ++i)
        if (settings.flag(kSectionVid, LanguageKey(prefix, i)))
            return i + 1;
    return 1;
}

void SetLanguageTag(ZkSettings& settings, const char* prefix, int tag)
{
    const int chosen = tag >= 2 && tag <= 5 ? tag : 1;
    for (int i = 0; i < 5; ++i)
        settings.setFlag(kSectionVid, LanguageKey(prefix, i), i + 1 == chosen);
}

PaneText LectionaryBuilder::build(const DayRequest& request)
{
    LectionarySettings lectionary;
    lectionary.language = BibleLanguageOfTag(LanguageTag(settings_, "BeiblJas"));
    lectionary.instructions_source = settings_.number(kSectionVid, "SBUkas");
    lectionary.hosts = {settings_.text(kSectionVid, "BUkasHost0"), settings_.text(kSectionVid, "BUkasHost1"),
                        settings_.text(kSectionVid, "BUkasHost2")};
    const TreeFiles files(data_root_);
    const Date today = today_();
    // The home rule's portions of the day shown (the day before the readings
    // in the evening mode), computed without moving the user's position.
    std::function<HomeRulePortions(Date)> home_rule;
    if (settings_.flag(kSectionPravilo, "PraviloSeeLec")) {
        home_rule = [rule = ReadHomeRule(settings_), today, evening = request.evening](Date civil) {
            return HomeRulePortionsOf(rule, evening ? civil - 1 : civil, today);
        };
    }
    const LectionaryPage page = Lexionariy(files, request.date, today, lectionary, home_rule);
    PaneText text;
    text.html = page.html;
    text.files = page.files;
    text.found_commands = page.found_commands;
    text.found_files = page.found_files;
    // In the audio and video languages the media list is created, or opened and deleted.
    if (!page.media_file.isEmpty()) {
        const QStringList commands = page.media_exists ? QStringList{"ActionLexOpenMedia", "ActionLexDeleteMedia"}
                                                       : QStringList{"ActionLexNewMedia"};
        for (const QString& command : commands) {
            text.found_commands << command;
            text.found_files << page.media_file;
        }
    }
    return text;
}

PaneText MenaionBuilder::build(const DayRequest& request)
{
    const MenaionText menaion = MesezText(TreeFiles(data_root_), request.date);
    PaneText text;
    text.html = menaion.html;
    text.red_links = menaion.red_links;
    for (const QString& address : menaion.addresses)
        if (!address.isEmpty())
            text.files << address;
    text.found_commands = menaion.found_commands;
    text.found_files = menaion.found_files;
    return text;
}

PaneText LivesBuilder::build(const DayRequest& request)
{
    PaneText text;
    text.file = Gitiya(data_root_, request.date);
    if (!text.file.isEmpty()) {
        text.files << text.file;
        text.found_commands << "ActionGitiyaOpen";
        text.found_files << text.file;
    }
    return text;
}

PaneText PrayerBookBuilder::build(const DayRequest& request)
{
    const PrayerBookChoice choice = Molitv(data_root_, request.facts, LanguageTag(settings_, "MolitvJas"));
    PaneText text;
    text.file = choice.page;
    const bool media = choice.tag >= 4;
    QStringList commands;
    if (!choice.page.isEmpty()) {
        text.files << choice.page;
        commands << "ActionMolitvOpen";
        if (media)
            commands << "ActionMolitvDelete";
    } else if (media) {
        commands << "ActionMolitvNew";
    }
    for (const QString& command : commands) {
        text.found_commands << command;
        text.found_files << choice.wanted;
    }
    return text;
}

}  // namespace indikt
