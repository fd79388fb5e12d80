#pragma once

// The user-visible settings the "Параметры" dialog edits, as one value: read
// from the settings in memory with every list index brought into its list,
// edited as a working copy, and stored back key by key. The keys stay in
// this layer; the dialog and the window see only fields.

#include "settings/zk_settings.h"

#include <QStringList>

#include <array>
#include <string_view>

namespace indikt {

// The seven day classes of the month grid in the order the dialog lists them.
enum class CalendarClassChoice {
    Jubilees,       // "Юбилеи"
    ChurchFeasts,   // "Православные праздники"
    CivilHolidays,  // "Государственные праздники"
    OtherHolidays,  // "Иные праздники"
    Sundays,        // "Воскресные дни"
    FastFreeWeeks,  // "Сплошные седмицы"
    FastDays,       // "Постные дни"
};
inline constexpr int kCalendarClassChoiceCount = 7;

struct ClassLook {
    bool shown = true;
    int font = 0;        // 0x00BBGGRR
    int background = 0;  // 0x00BBGGRR
    friend bool operator==(const ClassLook&, const ClassLook&) = default;
};

// List lengths of the dialog's choices.
inline constexpr int kStartModeChoices = 5;        // "максимальном" ... "в системном трее"
inline constexpr int kMinimiseChoices = 3;         // "панель задач", "мини-индикт", "системный трей"
inline constexpr int kLinkViewerChoices = 3;       // "программе", the viewer window, the browser
inline constexpr int kDesktopIconCountChoices = 4; // "1".."4"
inline constexpr int kDesktopIconDayChoices = 6;   // "Воскресенья" ... "Ежедневно"
inline constexpr int kFirstDayChoices = 7;         // "Вс" ... "Сб"

// Indices of the choices that depend on the desktop.
inline constexpr int kStartModeMini = 3;
inline constexpr int kStartModeTray = 4;
inline constexpr int kMinimiseToMini = 1;
inline constexpr int kMinimiseToTray = 2;

struct ProgramOptions {
    // "Вид"
    bool status_bar = true;            // "Строку состояния"
    bool fast_hints = true;            // "Указания о постных днях"
    bool date_in_caption = false;      // "Дату в заголовке"
    bool splash = true;                // "Заставку"
    bool rule_in_lectionary = true;    // "Домашнее правило в Лекционарии"
    bool tool_bar = true;              // "Панель инструментов:"
    bool menu_top = true;              // "Главное меню сверху"
    bool large_buttons = true;         // "Крупные кнопки"
    bool tool_bar_in_calendar = true;  // "Поместить в Календаре"
    bool liturgical_day = false;       // "Литургический день"
    bool marker_unread_rule = true;    // "Непрочитанного правила"
    bool marker_liturgical_day = true; // "Литургического дня"
    bool under_feasts = true;          // "Праздники"
    bool under_jubilees = true;        // "Юбилеи"
    bool under_time = true;            // "Время"
    // "Разное"
    bool autostart = false;            // start with the session
    bool autostart_once_a_day = false; // "один раз в день"
    int start_mode = 1;                // `ComboBoxSagr`
    bool one_copy = false;             // "в одной копии"
    bool desktop_icons = false;        // "Размещать Иконы дня на Рабочем столе"
    int desktop_icon_count = 3;        // 1..4 (`ComboBoxIcoDesktop` shows index + 1)
    int desktop_icon_days = 3;         // `ComboBoxDenIcoDesktop`
    bool desktop_icons_liturgical = true;  // "Учитывать Литургический день"
    int typikon_source = 0;            // `ComboBoxSBUkas`
    int link_viewer = 0;               // `ComboBoxLinks`
    int minimise_to = 1;               // `ComboBoxPrSv`
    // "Календарь"
    std::array<ClassLook, kCalendarClassChoiceCount> classes{};
    int frame_colour = 0xFF0000;       // "Рамка выбранного дня"
    int first_day = 1;                 // `ComboBoxFirstDay`

    friend bool operator==(const ProgramOptions&, const ProgramOptions&) = default;
};

// The Typikon list has its fourth entry, "в программе", only when the
// instructions are in the tree: "Богослужение\Указания\2011\apr04.htm".
int TypikonSourceChoices(const QString& data_root);

// A stored index outside [0, count) becomes `fallback`.
int IndexInList(int stored, int count, int fallback);

// The options as stored, each index brought into its list.
ProgramOptions ReadProgramOptions(const ZkSettings& settings, int typikon_choices);

// Stores every field; false when a value was refused (nothing of this kind
// holds text, so only a schema fault refuses).
bool StoreProgramOptions(ZkSettings& settings, const ProgramOptions& options);

// The colours of "По умолчанию": the defaults of the calendar keys.
void ResetCalendarColours(ProgramOptions& options);

// The "Шрифт", "Фон" and "Рамка выбранного дня" buttons step a colour through
// a fixed cycle of twenty colours; any colour outside it goes to 0000FF.
int NextCalendarColour(int colour);

// The program's site and its fallback, where the update check asks; empty
// until the user sets them.
struct UpdateSites {
    QString primary;
    QString fallback;
    bool any() const { return !primary.trimmed().isEmpty() || !fallback.trimmed().isEmpty(); }
};
UpdateSites UpdateSitesOf(const ZkSettings& settings);

// The addresses of the three outside sources of the liturgical instructions.
QStringList TypikonSiteAddresses(const ZkSettings& settings);

}  // namespace indikt
