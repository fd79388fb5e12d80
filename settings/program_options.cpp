#include "program_options.h"

#include <QFileInfo>

#include <algorithm>

namespace indikt {

namespace {

struct ClassKeys {
    std::string_view shown;
    std::string_view font;
    std::string_view background;
};

// In the order of CalendarClassChoice.
constexpr ClassKeys kClassKeys[kCalendarClassChoiceCount] = {
    {"SeeJubil", "ColorFontJubil", "ColorJubil"},
    {"SeePrasd1", "ColorFontPrasd1", "ColorPrasd1"},
    {"SeePrasd2", "ColorFontPrasd2", "ColorPrasd2"},
    {"SeePrasd3", "ColorFontPrasd3", "ColorPrasd3"},
    {"SeeVos", "ColorFontVos", "ColorVos"},
    {"SeeSpl", "ColorFontSpl", "ColorSpl"},
    {"SeePost", "ColorFontPost", "ColorPost"},
};
constexpr std::string_view kFrameKey = "ColorVD";

struct FlagField {
    std::string_view section;
    std::string_view key;
    bool ProgramOptions::*field;
};

const FlagField kFlags[] = {
    {kSectionVid, "Sostojanie", &ProgramOptions::status_bar},
    {kSectionVid, "Post", &ProgramOptions::fast_hints},
    {kSectionVid, "CaptData", &ProgramOptions::date_in_caption},
    {kSectionWindows, "Заставка", &ProgramOptions::splash},
    {kSectionPravilo, "PraviloSeeLec", &ProgramOptions::rule_in_lectionary},
    {kSectionVid, "InstrSt", &ProgramOptions::tool_bar},
    {kSectionVid, "MenuTop", &ProgramOptions::menu_top},
    {kSectionVid, "LargeIco", &ProgramOptions::large_buttons},
    {kSectionVid, "KnVKalendare", &ProgramOptions::tool_bar_in_calendar},
    {kSectionVid, "LiturDen", &ProgramOptions::liturgical_day},
    {kSectionVid, "IcoNeprPravilo", &ProgramOptions::marker_unread_rule},
    {kSectionVid, "IcoLiturgDen", &ProgramOptions::marker_liturgical_day},
    {kSectionVid, "PrPrint", &ProgramOptions::under_feasts},
    {kSectionVid, "JubPrint", &ProgramOptions::under_jubilees},
    {kSectionVid, "TimePrint", &ProgramOptions::under_time},
    {kSectionWindows, kKeyAutoStart, &ProgramOptions::autostart},
    {kSectionWindows, kKeyAutoStartOnce, &ProgramOptions::autostart_once_a_day},
    {kSectionWindows, "OneCopy", &ProgramOptions::one_copy},
    {kSectionVid, "IcoDesktop", &ProgramOptions::desktop_icons},
    {kSectionVid, "LiturgIcoDesktop", &ProgramOptions::desktop_icons_liturgical},
};

struct NumberField {
    std::string_view section;
    std::string_view key;
    int ProgramOptions::*field;
};

const NumberField kNumbers[] = {
    {kSectionWindows, "НомерЗагрузки", &ProgramOptions::start_mode},
    {kSectionVid, "IcoDesktopNum", &ProgramOptions::desktop_icon_count},
    {kSectionVid, "DenIcoDesktop", &ProgramOptions::desktop_icon_days},
    {kSectionVid, "SBUkas", &ProgramOptions::typikon_source},
    {kSectionVid, "TipExplorer", &ProgramOptions::link_viewer},
    {kSectionVid, "ProgramSvern", &ProgramOptions::minimise_to},
    {kSectionVid, "FirstDay", &ProgramOptions::first_day},
};

int SchemaDefault(std::string_view section, std::string_view key)
{
    const SettingDefinition* setting = FindSetting(section, key);
    return setting ? std::stoi(setting->default_text) : 0;
}

// The cycle of the colour buttons (0x00BBGGRR). 000080 leads to 800080,
// which is not in the table and so goes on to 0000FF.
struct ColourStep {
    int from;
    int to;
};
constexpr ColourStep kColourSteps[] = {
    {0x000000, 0x808080}, {0x808080, 0xA4A0A0}, {0xA4A0A0, 0xC0C0C0}, {0xC0C0C0, 0x000080},
    {0x000080, 0x800080}, {0x0000FF, 0xFF00FF}, {0xFF00FF, 0x8080FF}, {0x8080FF, 0x008000},
    {0x008000, 0x808000}, {0x808000, 0x00FF00}, {0x00FF00, 0xC0DCC0}, {0xC0DCC0, 0x008080},
    {0x008080, 0x00FFFF}, {0x00FFFF, 0xF0FBFF}, {0xF0FBFF, 0x800000}, {0x800000, 0xFF0000},
    {0xFF0000, 0xFFFF00}, {0xFFFF00, 0xF0CAA6}, {0xF0CAA6, 0xFFFFFF}, {0xFFFFFF, 0x000000},
};
constexpr int kColourOutsideCycleGoesTo = 0x0000FF;

}  // namespace

int TypikonSourceChoices(const QString& data_root)
{
    return QFileInfo(data_root + "/Богослужение/Указания/2011/apr04.htm").isFile() ? 4 : 3;
}

int IndexInList(int stored, int count, int fallback) { return stored >= 0 && stored < count ? stored : fallback; }

ProgramOptions ReadProgramOptions(const ZkSettings& settings, int typikon_choices)
{
    ProgramOptions options;
    for (const FlagField& flag : kFlags)
        options.*flag.field = settings.flag(flag.section, flag.key);
    for (const NumberField& number : kNumbers)
        options.*number.field = settings.number(number.section, number.key);
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        const ClassKeys& keys = kClassKeys[i];
        options.classes[static_cast<size_t>(i)] = {settings.flag(kSectionCalendar, keys.shown),
                                                   settings.colour(kSectionCalendar, keys.font),
                                                   settings.colour(kSectionCalendar, keys.background)};
    }
    options.frame_colour = settings.colour(kSectionCalendar, kFrameKey);

    // Each index into the list the dialog shows it in.
    options.start_mode = IndexInList(options.start_mode, kStartModeChoices, 1);
    options.desktop_icon_count = std::clamp(options.desktop_icon_count, 1, kDesktopIconCountChoices);
    options.desktop_icon_days = IndexInList(options.desktop_icon_days, kDesktopIconDayChoices, 3);
    options.typikon_source = IndexInList(options.typikon_source, typikon_choices, 0);
    options.link_viewer = IndexInList(options.link_viewer, kLinkViewerChoices, 0);
    options.minimise_to = IndexInList(options.minimise_to, kMinimiseChoices, 1);
    options.first_day = IndexInList(options.first_day, kFirstDayChoices, 1);
    return options;
}

bool StoreProgramOptions(ZkSettings& settings, const ProgramOptions& options)
{
    bool all = true;
    for (const FlagField& flag : kFlags)
        all = settings.setFlag(flag.section, flag.key, options.*flag.field) && all;
    for (const NumberField& number : kNumbers)
        all = settings.setNumber(number.section, number.key, options.*number.field) && all;
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        const ClassKeys& keys = kClassKeys[i];
        const ClassLook& look = options.classes[static_cast<size_t>(i)];
        all = settings.setFlag(kSectionCalendar, keys.shown, look.shown) && all;
        all = settings.setNumber(kSectionCalendar, keys.font, look.font) && all;
        all = settings.setNumber(kSectionCalendar, keys.background, look.background) && all;
    }
    return settings.setNumber(kSectionCalendar, kFrameKey, options.frame_colour) && all;
}

void ResetCalendarColours(ProgramOptions& options)
{
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        ClassLook& look = options.classes[static_cast<size_t>(i)];
        look.font = SchemaDefault(kSectionCalendar, kClassKeys[i].font);
        look.background = SchemaDefault(kSectionCalendar, kClassKeys[i].background);
    }
    options.frame_colour = SchemaDefault(kSectionCalendar, kFrameKey);
}

int NextCalendarColour(int colour)
{
    for (const ColourStep& step : kColourSteps)
        if (step.from == colour)
            return step.to;
    return kColourOutsideCycleGoesTo;
}

UpdateSites UpdateSitesOf(const ZkSettings& settings)
{
    return {settings.text(kSectionWindows, "UpdateHost1"), settings.text(kSectionWindows, "UpdateHost2")};
}

QStringList TypikonSiteAddresses(const ZkSettings& settings)
{
    return {settings.text(kSectionVid, "BUkasHost0"), settings.text(kSectionVid, "BUkasHost1"),
            settings.text(kSectionVid, "BUkasHost2")};
}

}  // namespace indikt
