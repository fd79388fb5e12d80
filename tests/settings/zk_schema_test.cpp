#include "settings/zk_schema.h"

#include <gtest/gtest.h>

#include <charconv>
#include <set>
#include <utility>

namespace indikt {
namespace {

TEST(ZkSchema, KeysAreUniqueAndFindable)
{
    std::set<std::pair<std::string, std::string>> seen;
    for (const SettingDefinition& setting : ZkSchema()) {
        EXPECT_TRUE(seen.insert({setting.section, setting.key}).second) << setting.section << '/' << setting.key;
        EXPECT_EQ(FindSetting(setting.section, setting.key), &setting) << setting.key;
    }
    EXPECT_EQ(FindSetting("vid", "largeico"), FindSetting("Vid", "LargeIco")) << "ASCII letters match without case";
    EXPECT_EQ(FindSetting("Vid", "NoSuchKey"), nullptr);
    EXPECT_EQ(FindSetting("Windows", "LargeIco"), nullptr) << "a key belongs to its own section";
}

TEST(ZkSchema, DefaultsAreValidForTheirKind)
{
    for (const SettingDefinition& setting : ZkSchema()) {
        SCOPED_TRACE(setting.section + "/" + setting.key);
        switch (setting.kind) {
        case SettingKind::Bool:
            EXPECT_TRUE(setting.default_text == "0" || setting.default_text == "1");
            break;
        case SettingKind::Int:
        case SettingKind::Colour: {
            int value = 0;
            const auto [end, error] = std::from_chars(setting.default_text.data(), setting.default_text.data() + setting.default_text.size(), value);
            ASSERT_EQ(error, std::errc());
            ASSERT_EQ(end, setting.default_text.data() + setting.default_text.size());
            EXPECT_GE(value, setting.min);
            EXPECT_LE(value, setting.max);
            break;
        }
        case SettingKind::Date:
            EXPECT_TRUE(setting.default_text.empty()) << "dates default to today";
            break;
        case SettingKind::String:
            break;
        }
    }
}

TEST(ZkSchema, KnownKeysAndDefaults)
{
    struct Case { const char* section; const char* key; SettingKind kind; const char* default_text; };
    const Case cases[] = {
        {"Windows", "\x41втоЗагрузка", SettingKind::Bool, "0"},
        {"Windows", "\x41втоЗагрузкаОдинРаз", SettingKind::Bool, "0"},
        {"Windows", "\x41втоЗагрузкаДень", SettingKind::Date, ""},
        {"Windows", "НомерЗагрузки", SettingKind::Int, "1"},
        {"Windows", "Заставка", SettingKind::Bool, "1"},
        {"Windows", "Состояние", SettingKind::String, "wsNormal"},
        {"Windows", "Ширина", SettingKind::Int, "1070"},
        {"Windows", "Высота", SettingKind::Int, "502"},
        {"Vid", "TrJasGragd", SettingKind::Bool, "1"},
        {"Vid", "TrJasSlav", SettingKind::Bool, "0"},
        {"Vid", "BeiblJasSlav", SettingKind::Bool, "1"},
        {"Vid", "ImPanFl", SettingKind::String, "Иконы\\001.jpg"},
        {"Vid", "FontMesLStyle", SettingKind::String, "[fsBold]"},
        {"Vid", "FontMesLColor", SettingKind::Colour, "255"},
        {"Vid", "ExplorerZoom", SettingKind::Int, "100"},
        {"ToolBar1", "Button0", SettingKind::Bool, "0"},
        {"ToolBar1", "Button2", SettingKind::Bool, "1"},
        {"ToolBar1", "Button10", SettingKind::Bool, "0"},
        {"ToolBar1", "Button11", SettingKind::Bool, "1"},
        {"Calendar", "ColorJubil", SettingKind::Colour, "16711935"},  // 0xFF00FF
        {"Calendar", "ColorVD", SettingKind::Colour, "16711680"},     // 0xFF0000
        {"Print", "SavInitialDir", SettingKind::String, ""},
        {"Pravilo", "PraviloSeeLec", SettingKind::Bool, "1"},
        {"Pravilo", "SpinEditStartPsalm", SettingKind::Int, "1"},
        {"Pravilo", "StartEvNSav", SettingKind::Int, "1"},
        {"Pravilo", "IsklVSav6", SettingKind::Bool, "0"},
        {"Pravilo", "DateStopPsalm", SettingKind::Date, ""},
        {"Backup", "CheckBoxVostSap", SettingKind::Bool, "1"},
        {"Backup", "CheckBoxSinIco", SettingKind::Bool, "0"},
        {"Backup", "RadioButtonTimeSin", SettingKind::Bool, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        const SettingDefinition* setting = FindSetting(c.section, c.key);
        ASSERT_NE(setting, nullptr);
        EXPECT_EQ(setting->kind, c.kind);
        EXPECT_EQ(setting->default_text, c.default_text);
    }
    EXPECT_EQ(FindSetting("Pravilo", "StartPsalm"), nullptr);
    EXPECT_EQ(kKeyAutoStart.front(), 'A');
}

TEST(ZkSchema, RepairSetCoversTheFifteenCalendarColours)
{
    const auto repair = CalendarColourRepairSet();
    ASSERT_EQ(repair.size(), 15u);
    for (const ColourRepair& colour : repair) {
        const SettingDefinition* setting = FindSetting(kSectionCalendar, colour.key);
        ASSERT_NE(setting, nullptr) << colour.key;
        EXPECT_EQ(setting->kind, SettingKind::Colour);
    }
    EXPECT_EQ(repair.back().key, "ColorVD");
    EXPECT_EQ(repair.back().colour, 0x808000);
}

}  // namespace
}  // namespace indikt
