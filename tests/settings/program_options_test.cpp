#include "settings/program_options.h"
#include "file_helpers.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace indikt {
namespace {

const Date kToday = FromCivil(2026, 12, 8);

ZkSettings SettingsOf(const char* utf8_text)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    EXPECT_TRUE(WriteBytes(path, *EncodeCp1251(QString::fromUtf8(utf8_text))));
    return ZkSettings::Load(path, kToday, DamagedFile::Leave);
}

TEST(CalendarColourStep, TheCycleAndWhatLiesOutsideIt)
{
    // The button table: each colour and its successor (0x00BBGGRR).
    struct Case { int from; int to; };
    const Case cases[] = {
        {0x000000, 0x808080}, {0x808080, 0xA4A0A0}, {0xA4A0A0, 0xC0C0C0}, {0xC0C0C0, 0x000080},
        {0x000080, 0x800080}, {0x0000FF, 0xFF00FF}, {0xFF00FF, 0x8080FF}, {0x8080FF, 0x008000},
        {0x008000, 0x808000}, {0x808000, 0x00FF00}, {0x00FF00, 0xC0DCC0}, {0xC0DCC0, 0x008080},
        {0x008080, 0x00FFFF}, {0x00FFFF, 0xF0FBFF}, {0xF0FBFF, 0x800000}, {0x800000, 0xFF0000},
        {0xFF0000, 0xFFFF00}, {0xFFFF00, 0xF0CAA6}, {0xF0CAA6, 0xFFFFFF}, {0xFFFFFF, 0x000000},
        {0x800080, 0x0000FF},  // not in the table: the one colour the cycle enters through
        {0x123456, 0x0000FF},
        {-1, 0x0000FF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextCalendarColour(c.from), c.to) << std::hex << c.from;
}

TEST(CalendarColourStep, TwentyOnePressesComeBackForEveryColourOfTheCycle)
{
    std::set<int> seen;
    int colour = 0x000000;
    for (int press = 1; press <= 21; ++press) {
        colour = NextCalendarColour(colour);
        EXPECT_TRUE(seen.insert(colour).second) << "repeated early at press " << press;
    }
    EXPECT_EQ(colour, 0x000000);
    EXPECT_EQ(seen.size(), 21u);
    // Starting anywhere in the cycle gives the same period.
    for (const int start : seen) {
        int c = start;
        for (int press = 0; press < 21; ++press)
            c = NextCalendarColour(c);
        EXPECT_EQ(c, start) << std::hex << start;
    }
}

TEST(ProgramOptions, StoredIndicesComeIntoTheirLists)
{
    // The dialog's lists: start mode 5 entries, minimising 3, link viewer 3,
    // icon count "1".."4", icon days 6, first day 7, Typikon 3 or 4.
    struct Case {
        const char* file;
        int typikon_choices;
        int ProgramOptions::*field;
        int expected;
    };
    const Case cases[] = {
        {"[Vid]\r\nSBUkas=3\r\n", 3, &ProgramOptions::typikon_source, 0},  // no Typikon file: 3 becomes 0
        {"[Vid]\r\nSBUkas=3\r\n", 4, &ProgramOptions::typikon_source, 3},
        {"[Vid]\r\nSBUkas=2\r\n", 3, &ProgramOptions::typikon_source, 2},
        {"[Vid]\r\nSBUkas=-1\r\n", 4, &ProgramOptions::typikon_source, 0},
        {"[Vid]\r\nSBUkas=5\r\n", 4, &ProgramOptions::typikon_source, 0},
        {"[Vid]\r\nIcoDesktopNum=7\r\n", 4, &ProgramOptions::desktop_icon_count, 4},
        {"[Vid]\r\nIcoDesktopNum=2\r\n", 4, &ProgramOptions::desktop_icon_count, 2},
        {"[Vid]\r\nIcoDesktopNum=0\r\n", 4, &ProgramOptions::desktop_icon_count, 3},  // the schema's default
        {"[Vid]\r\nTipExplorer=9\r\n", 4, &ProgramOptions::link_viewer, 0},
        {"[Vid]\r\nProgramSvern=2\r\n", 4, &ProgramOptions::minimise_to, 2},
        {"[Vid]\r\nProgramSvern=3\r\n", 4, &ProgramOptions::minimise_to, 1},
        {"[Vid]\r\nDenIcoDesktop=6\r\n", 4, &ProgramOptions::desktop_icon_days, 3},
        {"[Vid]\r\nFirstDay=6\r\n", 4, &ProgramOptions::first_day, 6},
        {"[Vid]\r\nFirstDay=7\r\n", 4, &ProgramOptions::first_day, 1},
        {"[Windows]\r\nНомерЗагрузки=4\r\n", 4, &ProgramOptions::start_mode, 4},
        {"[Windows]\r\nНомерЗагрузки=5\r\n", 4, &ProgramOptions::start_mode, 1},
    };
    for (const Case& c : cases) {
        const ProgramOptions options = ReadProgramOptions(SettingsOf(c.file), c.typikon_choices);
        EXPECT_EQ(options.*c.field, c.expected) << c.file << " with " << c.typikon_choices << " Typikon choices";
    }
}

TEST(ProgramOptions, TheTypikonListHasItsFourthEntryOnlyWithTheInstructionsFile)
{
    QTemporaryDir root;
    EXPECT_EQ(TypikonSourceChoices(root.path()), 3);
    ASSERT_TRUE(QDir(root.path()).mkpath("Богослужение/Указания/2011/apr04.htm"));
    EXPECT_EQ(TypikonSourceChoices(root.path()), 3) << "a folder of that name is no file";
    ASSERT_TRUE(QDir(root.path()).rmdir("Богослужение/Указания/2011/apr04.htm"));
    ASSERT_TRUE(WriteBytes(root.path() + "/Богослужение/Указания/2011/apr04.htm", "<html></html>"));
    EXPECT_EQ(TypikonSourceChoices(root.path()), 4);
}

TEST(ProgramOptions, EveryFieldStoredReadsBackThroughTheFile)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ZkSettings settings(kToday);
    ProgramOptions changed = ReadProgramOptions(settings, 4);
    // Every field away from its default.
    changed.status_bar = !changed.status_bar;
    changed.fast_hints = !changed.fast_hints;
    changed.date_in_caption = !changed.date_in_caption;
    changed.splash = !changed.splash;
    changed.rule_in_lectionary = !changed.rule_in_lectionary;
    changed.tool_bar = !changed.tool_bar;
    changed.menu_top = !changed.menu_top;
    changed.large_buttons = !changed.large_buttons;
    changed.tool_bar_in_calendar = !changed.tool_bar_in_calendar;
    changed.liturgical_day = !changed.liturgical_day;
    changed.marker_unread_rule = !changed.marker_unread_rule;
    changed.marker_liturgical_day = !changed.marker_liturgical_day;
    changed.under_feasts = !changed.under_feasts;
    changed.under_jubilees = !changed.under_jubilees;
    changed.under_time = !changed.under_time;
    changed.autostart = !changed.autostart;
    changed.autostart_once_a_day = !changed.autostart_once_a_day;
    changed.start_mode = 4;
    changed.one_copy = !changed.one_copy;
    changed.desktop_icons = !changed.desktop_icons;
    changed.desktop_icon_count = 1;
    changed.desktop_icon_days = 5;
    changed.desktop_icons_liturgical = !changed.desktop_icons_liturgical;
    changed.typikon_source = 3;
    changed.link_viewer = 2;
    changed.minimise_to = 0;
    for (ClassLook& look : changed.classes) {
        look.shown = !look.shown;
        look.font = NextCalendarColour(look.font);
        look.background = NextCalendarColour(look.background);
    }
    changed.frame_colour = 0x808000;
    changed.first_day = 0;
    ASSERT_NE(changed, ReadProgramOptions(settings, 4));

    ASSERT_TRUE(StoreProgramOptions(settings, changed));
    ASSERT_TRUE(settings.save(path, kToday).ok());
    EXPECT_EQ(ReadProgramOptions(ZkSettings::Load(path, kToday), 4), changed);
}

TEST(ProgramOptions, DefaultColoursAreTheOnesOfAFreshFile)
{
    // "По умолчанию" (font / background): Юбилеи 00FFFF/FF00FF, Православные
    // праздники FFFFFF/0000FF, Государственные 800000/8080FF, Иные
    // FFFFFF/800080, Воскресные 0000FF/FFFFFF, Сплошные седмицы 000000/00FFFF,
    // Постные 000000/C0DCC0, frame FF0000.
    const std::array<std::pair<int, int>, kCalendarClassChoiceCount> expected = {{
        {0x00FFFF, 0xFF00FF}, {0xFFFFFF, 0x0000FF}, {0x800000, 0x8080FF}, {0xFFFFFF, 0x800080},
        {0x0000FF, 0xFFFFFF}, {0x000000, 0x00FFFF}, {0x000000, 0xC0DCC0},
    }};
    ProgramOptions options = ReadProgramOptions(SettingsOf("[Calendar]\r\nColorFontJubil=5\r\nColorPost=6\r\nColorVD=7\r\nSeeVos=0\r\n"), 3);
    ResetCalendarColours(options);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(options.classes[i].font, expected[i].first) << "class " << i;
        EXPECT_EQ(options.classes[i].background, expected[i].second) << "class " << i;
    }
    EXPECT_EQ(options.frame_colour, 0xFF0000);
    EXPECT_FALSE(options.classes[static_cast<size_t>(CalendarClassChoice::Sundays)].shown) << "only colours are reset";
}

}  // namespace
}  // namespace indikt
