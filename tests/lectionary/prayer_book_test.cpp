// The pages of the lives and prayer-book panes: which file a day and a
// language choose, which languages are underlined, which commands are offered.

#include "calendar/paschalion.h"
#include "lectionary/day_builders.h"
#include "lectionary/prayer_book.h"
#include "settings/zk_settings.h"

#include "reading_tree.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// Pascha 2025 is 20 April civil (7 April old style).
const Date kPascha2025 = D(2025, 4, 20);

const QString kMolitv = "Богослужение\\Молитвослов\\";

QString Slav(const QString& name) { return kMolitv + "Слав\\" + name; }

void AddPages(const ReadingTree& tree, std::initializer_list<QString> pages)
{
    for (const QString& page : pages)
        tree.add(QString(page).replace('\\', '/'));
}

TEST(PrayerBookSeason, ByTheDistanceFromPascha)
{
    struct Case { int days_after_pascha; PrayerBookSeason season; };
    const Case cases[] = {
        {-1, PrayerBookSeason::Ordinary},     // Great Saturday
        {-300, PrayerBookSeason::Ordinary},
        {0, PrayerBookSeason::BrightWeek},    // Pascha
        {6, PrayerBookSeason::BrightWeek},    // Bright Saturday
        {7, PrayerBookSeason::ToAscension},   // Thomas Sunday
        {38, PrayerBookSeason::ToAscension},  // the eve of Ascension
        {39, PrayerBookSeason::ToPentecost},  // Ascension
        {48, PrayerBookSeason::ToPentecost},
        {49, PrayerBookSeason::Ordinary},     // Pentecost
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeasonOfPrayerBook(MakeDayFacts(kPascha2025 + c.days_after_pascha)), c.season)
            << c.days_after_pascha;
    // The same in a year after the difference grew (Pascha 2101: 24 April civil).
    const Date pascha_2101 = NewStyle(DatePasha(2101));
    EXPECT_EQ(SeasonOfPrayerBook(MakeDayFacts(pascha_2101)), PrayerBookSeason::BrightWeek);
    EXPECT_EQ(SeasonOfPrayerBook(MakeDayFacts(pascha_2101 + 39)), PrayerBookSeason::ToPentecost);
}

TEST(PrayerBookPage, PaschaWithAndWithoutTheBrightWeekPage)
{
    ReadingTree tree;
    AddPages(tree, {Slav("sl.htm")});
    EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025), 1).page, Slav("sl.htm"));

    AddPages(tree, {Slav("sl_00.htm")});
    for (int d = 0; d <= 6; ++d)
        EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025 + d), 1).page, Slav("sl_00.htm")) << d;
    // Without "sl_07.htm" the days to Ascension fall back to the ordinary page.
    EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025 + 7), 1).page, Slav("sl.htm"));
    EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025 - 1), 1).page, Slav("sl.htm"));
}

TEST(PrayerBookPage, TheFortiethAndFiftiethDays)
{
    ReadingTree tree;
    AddPages(tree, {Slav("sl.htm"), Slav("sl_07.htm"), Slav("sl_40.htm"), kMolitv + "Рус\\tmr.htm",
                    kMolitv + "Рус\\tmr_40.htm"});
    struct Case { int days_after_pascha; int tag; QString page; };
    const Case cases[] = {
        {38, 1, Slav("sl_07.htm")},
        {39, 1, Slav("sl_40.htm")},
        {48, 1, Slav("sl_40.htm")},
        {49, 1, Slav("sl.htm")},
        {39, 3, kMolitv + "Рус\\tmr_40.htm"},
        {38, 3, kMolitv + "Рус\\tmr.htm"},  // no "tmr_07.htm": the ordinary page
        {39, 2, QString()},                 // nothing in civil letters at all
        {39, 0, Slav("sl_40.htm")},         // an unknown tag is Slavonic
    };
    for (const Case& c : cases) {
        const PrayerBookChoice choice = Molitv(tree.root(), MakeDayFacts(kPascha2025 + c.days_after_pascha), c.tag);
        EXPECT_EQ(choice.page, c.page) << c.days_after_pascha << " " << c.tag;
    }
}

TEST(PrayerBookPage, UnderlinesFollowTheSlavonicPageOfTheSeason)
{
    ReadingTree tree;
    // The season's Russian page exists, but not the Slavonic one: the
    // ordinary pages decide the underlines; the Russian page is still shown.
    AddPages(tree, {Slav("sl.htm"), kMolitv + "Рус\\tmr_07.htm", kMolitv + "Звук\\sv.htm"});
    const PrayerBookChoice to_ascension = Molitv(tree.root(), MakeDayFacts(kPascha2025 + 10), 3);
    EXPECT_EQ(to_ascension.underlined, (std::array<bool, 5>{true, false, false, true, false}));
    EXPECT_EQ(to_ascension.page, kMolitv + "Рус\\tmr_07.htm");

    AddPages(tree, {Slav("sl_07.htm")});
    EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025 + 10), 1).underlined,
              (std::array<bool, 5>{true, false, true, true, false}));
    // An ordinary day tests the ordinary pages.
    EXPECT_EQ(Molitv(tree.root(), MakeDayFacts(kPascha2025 + 100), 1).underlined,
              (std::array<bool, 5>{true, false, false, true, false}));
}

TEST(PrayerBookBuilder, OffersTheCommandsOfTheLanguage)
{
    ReadingTree tree;
    AddPages(tree, {Slav("sl.htm"), kMolitv + "Видео\\vd.htm"});
    ZkSettings settings(D(2025, 1, 1));
    PrayerBookBuilder builder(tree.root(), settings);
    const DayRequest day{kPascha2025 + 100, MakeDayFacts(kPascha2025 + 100)};

    struct Case { int tag; QString file; QStringList commands; QString command_file; };
    const Case cases[] = {
        {1, Slav("sl.htm"), {"ActionMolitvOpen"}, Slav("sl.htm")},
        {2, {}, {}, {}},
        // Audio without "sv.htm": a blank pane and the command that creates it.
        {4, {}, {"ActionMolitvNew"}, kMolitv + "Звук\\sv.htm"},
        {5, kMolitv + "Видео\\vd.htm", {"ActionMolitvOpen", "ActionMolitvDelete"}, kMolitv + "Видео\\vd.htm"},
    };
    for (const Case& c : cases) {
        SetLanguageTag(settings, "MolitvJas", c.tag);
        const PaneText text = builder.build(day);
        EXPECT_EQ(text.file, c.file) << c.tag;
        EXPECT_EQ(text.found_commands, c.commands) << c.tag;
        for (const QString& file : text.found_files)
            EXPECT_EQ(file, c.command_file) << c.tag;
    }
}

TEST(Lives, ThePageOfTheOldStyleDay)
{
    ReadingTree tree;
    AddPages(tree, {"Жития святых\\Святцы\\янв06.htm"});
    struct Case { Date civil; QString page; };
    const Case cases[] = {
        {D(2025, 1, 19), "Жития святых\\Святцы\\янв06.htm"},  // Theophany, 6 January old style
        {D(2025, 1, 20), "Жития святых\\Святцы\\янв07.htm"},
        {D(2101, 1, 20), "Жития святых\\Святцы\\янв06.htm"},  // the difference is 14 days then
        {D(1900, 3, 13), "Жития святых\\Святцы\\фев29.htm"},  // the Julian 29 February of 1900
    };
    for (const Case& c : cases)
        EXPECT_EQ(LivesPage(c.civil), c.page) << c.civil.serial();
    EXPECT_EQ(Gitiya(tree.root(), D(2025, 1, 19)), "Жития святых\\Святцы\\янв06.htm");
    EXPECT_EQ(Gitiya(tree.root(), D(2025, 1, 20)), QString());

    LivesBuilder builder(tree.root());
    const PaneText shown = builder.build({D(2025, 1, 19), MakeDayFacts(D(2025, 1, 19))});
    EXPECT_EQ(shown.found_commands, QStringList{"ActionGitiyaOpen"});
    EXPECT_TRUE(builder.build({D(2025, 1, 20), MakeDayFacts(D(2025, 1, 20))}).found_commands.isEmpty());
}

}  // namespace
}  // namespace indikt
