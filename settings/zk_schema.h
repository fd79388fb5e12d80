#pragma once

// Every key of zk.ini in one table: section, name, kind, default and the range
// its use allows. Widgets and readers never spell a key themselves; they look
// it up here. Texts are UTF-8; the file itself is Windows-1251.

#include <climits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace indikt {

enum class SettingKind { Bool, Int, String, Date, Colour };

// What an integer outside its range becomes.
enum class OutOfRange { Clamp, Default };

struct SettingDefinition {
    std::string section;
    std::string key;
    SettingKind kind;
    std::string default_text;  // as stored; for a date, empty means today
    int min = INT_MIN;
    int max = INT_MAX;
    OutOfRange out_of_range = OutOfRange::Clamp;
};

// Sections in the order SaveAll writes them.
inline constexpr std::string_view kSectionWindows = "Windows";
inline constexpr std::string_view kSectionVid = "Vid";
inline constexpr std::string_view kSectionToolBar = "ToolBar1";
inline constexpr std::string_view kSectionCalendar = "Calendar";
inline constexpr std::string_view kSectionPrint = "Print";
inline constexpr std::string_view kSectionPravilo = "Pravilo";
inline constexpr std::string_view kSectionBackup = "Backup";

// Three keys of "Windows" begin with the Latin capital A (0x41), then Cyrillic letters.
inline constexpr std::string_view kKeyAutoStart = "\x41втоЗагрузка";
inline constexpr std::string_view kKeyAutoStartDay = "\x41втоЗагрузкаДень";
inline constexpr std::string_view kKeyAutoStartOnce = "\x41втоЗагрузкаОдинРаз";

// Buttons of the tool bar, one bool each ("Button0" ...).
inline constexpr int kToolBarButtonCount = 12;
std::string ToolBarButtonKey(int position);

// The whole schema, section by section.
const std::vector<SettingDefinition>& ZkSchema();

// Nothing when the key is not ours (keys match without regard to case, as the
// file format does for ASCII letters).
const SettingDefinition* FindSetting(std::string_view section, std::string_view key);

// The calendar colours and their repair set, used when the three background
// colours "ColorPrasd1", "ColorJubil" and "ColorVos" are all 0.
struct ColourRepair {
    std::string_view key;
    int colour;
};
std::span<const ColourRepair> CalendarColourRepairSet();

// The prayer-rule readings: the suffixes of their keys.
inline constexpr std::string_view kPraviloReadings[] = {"EvNSav", "ApNSav", "Psalm", "VSav"};

// The start key of a reading ("StartEvNSav", but "SpinEditStartPsalm").
std::string PraviloStartKey(std::string_view reading);

}  // namespace indikt
