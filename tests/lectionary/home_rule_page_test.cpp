// The home rule's section of the lectionary page: its links in the chosen
// version, the day it is computed for, and that a walk over many days never
// moves the user's reading position.

#include "lectionary/day_builders.h"
#include "records/dom_pravilo_settings.h"

#include "reading_tree.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// The Russian links of the rule. Source: the version lists of the rule (index
// 2 Synodal, 3 Kassian; the Psalter's 3 is Timrot's) and the Slavonic and
// civil-script columns of the link prefixes.
TEST(HomeRuleLinks, VersionsOfTheRussianLinks)
{
    ReadingTree tree;
    const TreeFiles files(tree.root());
    const QString gospel = "[Мф, глава 1=51.html#g1].";
    const QString psalm = "[Кафизма 1 (Пс 1-8)=psalm01.html].";
    struct Case { ReadingKind kind; BibleLanguage language; int version; const QString& text; const char* href; };
    const Case cases[] = {
        {ReadingKind::RuleGospel, BibleLanguage::Russian, 3, gospel, "Библия\\b_cas\\b_cas51.html#g1"},
        {ReadingKind::RuleGospel, BibleLanguage::Russian, 2, gospel, "Библия\\b_snd\\b_snd51.html#g1"},
        {ReadingKind::RuleGospel, BibleLanguage::Russian, 0, gospel, "Библия\\b_snd\\b_snd51.html#g1"},
        {ReadingKind::RuleApostle, BibleLanguage::Russian, 3, gospel, "Библия\\b_cas\\b_cas51.html#g1"},
        {ReadingKind::RuleApostle, BibleLanguage::Russian, 2, gospel, "Библия\\b_snd\\b_snd51.html#g1"},
        {ReadingKind::RuleOldTestament, BibleLanguage::Russian, 3, gospel, "Библия\\b_snd\\b_snd51.html#g1"},
        {ReadingKind::RuleGospel, BibleLanguage::Slavonic, 3, gospel, "Библия\\b_slv\\b_slv51.html#g1"},
        {ReadingKind::RuleGospel, BibleLanguage::CivilScript, 2, gospel, "Библия\\b_sgr\\b_sgr51.html#g1"},
        {ReadingKind::RulePsalter, BibleLanguage::Russian, 2, psalm, "Библия\\psalm\\ps_snd\\psalm01.html"},
        {ReadingKind::RulePsalter, BibleLanguage::Russian, 3, psalm, "Библия\\psalm\\ps_tmr\\psalm01.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.href);
        const RuleVersions versions{c.version, c.version, c.version};
        const QString html = LexionarURL(files, c.text, c.kind, c.language, versions);
        EXPECT_TRUE(html.startsWith("<a href=\"" + QString::fromUtf8(c.href) + "\">")) << html.toStdString();
    }
}

struct RuleFixture {
    ReadingTree tree;
    Date today = D(2025, 6, 2);
    ZkSettings settings{today};

    RuleFixture()
    {
        HomeRule rule;
        PlanSettings& gospel = rule.plan(RulePlan::Gospel);
        gospel.on = true;
        gospel.start = today;
        gospel.version = 3;
        // The Psalter pages after reading and was read yesterday: computing
        // today's portion would advance it.
        PlanSettings& psalter = rule.plan(RulePlan::Psalter);
        psalter.on = true;
        psalter.start = today - 30;
        psalter.automatic = false;
        rule.state(RulePlan::Psalter) = {4, false, today - 1};
        // The Old Testament pages automatically, with Sundays skipped.
        PlanSettings& old_testament = rule.plan(RulePlan::OldTestament);
        old_testament.on = true;
        old_testament.start = today - 100;
        old_testament.skipped[0] = true;
        rule.state(RulePlan::OldTestament) = {7, true, today - 3};
        WriteHomeRule(settings, rule);
        SetLanguageTag(settings, "BeiblJas", 3);
    }
    PaneText build(Date date, bool evening = false)
    {
        LectionaryBuilder builder(tree.root(), settings, [this] { return today; });
        return builder.build({date, MakeDayFacts(date), evening});
    }
};

TEST(HomeRuleSection, TheLectionaryPageShowsTheRuleOfTheDay)
{
    RuleFixture f;
    const QString html = f.build(f.today).html;
    EXPECT_NE(html.indexOf("<h2>Домашнее правило</h2><h3>Евангелие</h3><p><a href=\"Библия\\b_cas\\b_cas51.html#g1\">"
                           "Мф, глава 1</a>.</p><h3>Псалтирь</h3><p><a href=\"Библия\\psalm\\ps_tmr\\psalm05.html\">"
                           "Кафизма 5 (Пс 32-36)</a>.</p><h3>Ветхий Завет</h3>"),
              -1)
        << html.toStdString();
    // 2 June 2025 is a Monday, 100 days after the start; 15 Sundays are
    // skipped: index 1 + 100 - 15 = 86, Exodus 36.
    EXPECT_NE(html.indexOf("<a href=\"Библия\\b_snd\\b_snd02.html#g36\">Исх, глава 36</a>"), -1) << html.toStdString();

    // In the evening mode the page of tomorrow's readings has today's rule.
    EXPECT_EQ(f.build(f.today + 1, true).html.mid(f.build(f.today + 1, true).html.indexOf("<h2>")),
              html.mid(html.indexOf("<h2>")));
    // On a Sunday the Old Testament is skipped; before the Gospel's start it is not read.
    const QString sunday = f.build(f.today - 1).html;
    EXPECT_EQ(sunday.indexOf("<h3>Ветхий Завет</h3>"), -1);
    EXPECT_EQ(sunday.indexOf("<h3>Евангелие</h3>"), -1);
    EXPECT_NE(sunday.indexOf("<h3>Псалтирь</h3>"), -1);

    // "PraviloSeeLec" off: no section.
    f.settings.setFlag(kSectionPravilo, "PraviloSeeLec", false);
    EXPECT_EQ(f.build(f.today).html.indexOf("Домашнее правило"), -1);
}

// What the lectionary, the search and the report do: a page for every day of
// a year. The reading position and everything else of zk.ini stay as they were.
TEST(HomeRuleSection, AYearOfPagesLeavesTheReadingPositionAlone)
{
    RuleFixture f;
    const QByteArray before = f.settings.file().toBytes();
    const HomeRule rule_before = ReadHomeRule(f.settings);
    int with_rule = 0;
    for (int day = 0; day < 365; ++day) {
        if (f.build(f.today + day, day % 2 == 0).html.contains("<h2>Домашнее правило</h2>"))
            ++with_rule;
    }
    EXPECT_EQ(with_rule, 365);
    EXPECT_EQ(f.settings.file().toBytes(), before);
    const HomeRule rule_after = ReadHomeRule(f.settings);
    for (const RulePlan plan : kRulePlans)
        EXPECT_EQ(rule_after.state(plan), rule_before.state(plan)) << PlanInfo(plan).suffix;
}

}  // namespace
}  // namespace indikt
