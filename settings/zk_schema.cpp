#include "zk_schema.h"

namespace indikt {

namespace {

constexpr int kMaxScreen = 20000;  // pixels: larger than any screen, small enough to lay out

class SchemaBuilder {
public:
    explicit SchemaBuilder(std::vector<SettingDefinition>& specs) : specs_(specs) {}

    SchemaBuilder& section(std::string_view name)
    {
        section_ = name;
        return *this;
    }
    void flag(std::string_view key, bool value) { add(key, SettingKind::Bool, value ? "1" : "0", 0, 1); }
    void number(std::string_view key, int value, int min, int max, OutOfRange rule = OutOfRange::Clamp)
    {
        add(key, SettingKind::Int, std::to_string(value), min, max, rule);
    }
    void text(std::string_view key, std::string_view value) { add(key, SettingKind::String, std::string(value)); }
    void date(std::string_view key) { add(key, SettingKind::Date, ""); }
    void colour(std::string_view key, int value) { add(key, SettingKind::Colour, std::to_string(value), 0, 0xFFFFFF); }

private:
    void add(std::string_view key, SettingKind kind, std::string value, int min = INT_MIN, int max = INT_MAX,
             OutOfRange rule = OutOfRange::Clamp)
    {
        specs_.push_back({section_, std::string(key), kind, std::move(value), min, max, rule});
    }
    std::vector<SettingDefinition>& specs_;
    std::string section_;
};

void AddWindows(SchemaBuilder& b)
{
    b.section(kSectionWindows);
    b.flag(kKeyAutoStart, false);
    b.flag(kKeyAutoStartOnce, false);
    b.date(kKeyAutoStartDay);
    b.number("НомерЗагрузки", 1, 0, 4, OutOfRange::Default);
    b.flag("ЗагрузкаВсегда", false);
    b.flag("OneCopy", false);
    b.flag("Заставка", true);
    b.text("Состояние", "wsNormal");
    b.number("Ширина", 1070, 230, kMaxScreen);
    b.number("Высота", 502, 70, kMaxScreen);
    b.text("AutoSagrIDeskDate", "");
    b.text("UpdateHost1", "");  // the program's site, e.g. https://host (the update check)
    b.text("UpdateHost2", "");  // its fallback
}

void AddLanguages(SchemaBuilder& b, std::string_view prefix, int chosen)
{
    const std::string_view languages[] = {"Slav", "Gragd", "Rus", "Audio", "Video"};
    for (int i = 0; i < 5; ++i)
        b.flag(std::string(prefix) + std::string(languages[i]), i == chosen);
}

void AddVid(SchemaBuilder& b)
{
    b.section(kSectionVid);
    b.flag("LargeIco", true);
    b.number("ProgramSvern", 1, 0, 2, OutOfRange::Default);
    b.number("LeftPanel1", 3, 3, kMaxScreen);
    b.number("HeightPanel1", 480, 50, kMaxScreen);
    b.number("WidthPanel1", 1056, 50, kMaxScreen);
    b.flag("PanelIcoR", false);
    b.flag("PanelIcoV", false);
    b.number("WidthImagePIco", 283, 0, kMaxScreen);
    b.number("WidthImage", 771, 0, kMaxScreen);
    AddLanguages(b, "TrJas", 1);
    AddLanguages(b, "BeiblJas", 0);
    AddLanguages(b, "MolitvJas", 0);
    b.number("TipExplorer", 0, 0, 2, OutOfRange::Default);
    b.number("LeftPanelExplorer", 223, -kMaxScreen, kMaxScreen);
    b.number("TopPanelExplorer", 163, -kMaxScreen, kMaxScreen);
    b.number("HeightPanelExplorer", 416, 50, kMaxScreen);
    b.number("WidthPanelExplorer", 600, 50, kMaxScreen);
    b.flag("InstrSt", true);
    b.flag("KnVKalendare", true);
    b.flag("Sostojanie", true);
    b.flag("IcoLiturgDen", true);
    b.flag("IcoNeprPravilo", true);
    b.number("NumIcoVoskresenie", 0, 0, 999, OutOfRange::Default);
    b.number("NumIcoSpas", 0, 0, 999, OutOfRange::Default);
    b.flag("IcoDesktop", false);
    b.number("IcoDesktopNum", 3, 1, 99, OutOfRange::Default);
    b.flag("LiturgIcoDesktop", true);
    b.number("DenIcoDesktop", 3, 0, 5, OutOfRange::Default);
    b.flag("MenuTop", true);
    b.flag("TimePrint", true);
    b.flag("JubPrint", true);
    b.flag("PrPrint", true);
    b.number("LeftPanelPoisk", 0, -kMaxScreen, kMaxScreen);
    b.number("TopPanelPoisk", 0, -kMaxScreen, kMaxScreen);
    b.flag("StilPoisk", false);
    b.flag("Poisk", false);
    b.text("FindList1", "");
    b.text("FindList2", "");
    b.text("FindList3", "");
    b.flag("Calendar", false);
    b.number("FirstDay", 1, 0, 6, OutOfRange::Default);
    b.flag("Post", true);
    b.flag("CaptData", false);
    b.flag("PerSoob", true);
    b.flag("LiturDen", false);
    b.number("SBUkas", 0, 0, 3, OutOfRange::Default);
    b.flag("PerehDataStil", false);
    b.text("ImPanFl", "Иконы\\001.jpg");
    b.text("FontMesLName", "Times New Roman");
    b.number("FontMesLSize", 14, 4, 96);
    b.text("FontMesLStyle", "[fsBold]");
    b.colour("FontMesLColor", 255);
    b.text("FontMesMName", "Arial");
    b.number("FontMesMSize", 10, 4, 96);
    b.text("FontMesMStyle", "[]");
    b.colour("FontMesMColor", 0);
    b.number("ExplorerZoom", 100, 50, 200, OutOfRange::Default);
    b.text("LibraryHost1", "");  // the outside Bible library, e.g. https://host
    b.text("LibraryHost2", "");  // the outside library of service books
    b.text("BUkasHost0", "");    // the sites of the liturgical instructions ("SBUkas" 0, 1, 2)
    b.text("BUkasHost1", "");
    b.text("BUkasHost2", "");
    b.number("WFrmSee", 570, 100, kMaxScreen);
    b.number("HFrmSee", 480, 100, kMaxScreen);
    b.flag("AutoDockSite", false);  // always written as 0, never read
}

void AddToolBar(SchemaBuilder& b)
{
    b.section(kSectionToolBar);
    for (int position = 0; position < kToolBarButtonCount; ++position) {
        const bool hidden = position == 0 || position == 1 || position == 9 || position == 10;
        b.flag(ToolBarButtonKey(position), !hidden);
    }
}

struct CalendarClass {
    std::string_view show;
    std::string_view font;
    std::string_view background;
    int font_default;
    int background_default;
    int font_repair;
    int background_repair;
};

constexpr CalendarClass kCalendarClasses[] = {
    {"SeeVos", "ColorFontVos", "ColorVos", 255, 0xFFFFFF, 255, 0xFFFFFF},                  // Sundays
    {"SeePost", "ColorFontPost", "ColorPost", 0, 0xC0DCC0, 0, 0xC0DCC0},                   // fast days
    {"SeeJubil", "ColorFontJubil", "ColorJubil", 0x00FFFF, 0xFF00FF, 0, 0xF0CAA6},         // jubilees
    {"SeePrasd1", "ColorFontPrasd1", "ColorPrasd1", 0xFFFFFF, 255, 0xFFFFFF, 255},          // church feasts
    {"SeePrasd2", "ColorFontPrasd2", "ColorPrasd2", 0x800000, 0x8080FF, 0xFFFFFF, 0x8080FF},  // civil holidays
    {"SeePrasd3", "ColorFontPrasd3", "ColorPrasd3", 0xFFFFFF, 0x800080, 0xFFFFFF, 0x800080},  // other holidays
    {"SeeSpl", "ColorFontSpl", "ColorSpl", 0, 0x00FFFF, 0, 0x00FFFF},                      // fast-free weeks
};
constexpr int kSelectedDayFrameDefault = 0xFF0000;
constexpr int kSelectedDayFrameRepair = 0x808000;

void AddCalendar(SchemaBuilder& b)
{
    b.section(kSectionCalendar);
    for (const CalendarClass& c : kCalendarClasses) {
        b.flag(c.show, true);
        b.colour(c.font, c.font_default);
        b.colour(c.background, c.background_default);
    }
    b.colour("ColorVD", kSelectedDayFrameDefault);
}

void AddPrint(SchemaBuilder& b)
{
    b.section(kSectionPrint);
    b.text("SavInitialDir", "");
}

// The units of one cycle of each reading and the items of its version list.
struct PraviloReading {
    std::string_view suffix;
    int units;
    int versions;
};
constexpr PraviloReading kPraviloBounds[] = {{"EvNSav", 89, 4}, {"ApNSav", 171, 4}, {"Psalm", 20, 4}, {"VSav", 950, 3}};

// Positions past a plan's end are valid (the plan is finished); none reaches
// this bound, which keeps the arithmetic small.
constexpr int kMaxPraviloPosition = 1000000;

void AddPravilo(SchemaBuilder& b)
{
    b.section(kSectionPravilo);
    b.flag("PraviloSeeLec", true);
    for (const PraviloReading& reading : kPraviloBounds) {
        const std::string r(reading.suffix);
        b.flag("Stop" + r, true);
        b.number("PoslGlav" + r, 0, 0, kMaxPraviloPosition);
        b.flag("RBAutoList" + r, true);
        b.number("Versiya" + r, 0, 0, reading.versions - 1, OutOfRange::Default);
        b.date("DateStop" + r);
        b.date("Date" + r);
        b.flag("CheckBox" + r, false);
        b.flag("CheckBoxVsegda" + r, false);
        // 0 units or cycles would divide by zero.
        b.number("SpinEditRas" + r, 1, 1, 20);
        b.number("SpinEditPlus" + r, 1, 1, 20);
        // The start kathisma is a spinner 1..20; the other starts may be 0.
        b.number(PraviloStartKey(reading.suffix), 1, reading.suffix == "Psalm" ? 1 : 0, reading.units,
                 OutOfRange::Default);
        for (int weekday = 0; weekday <= 6; ++weekday)
            b.flag("Iskl" + r + std::to_string(weekday), false);
    }
}

void AddBackup(SchemaBuilder& b)
{
    b.section(kSectionBackup);
    const std::string_view kinds[] = {"Kop", "Vost", "Sin"};
    for (const std::string_view kind : kinds)
        b.text("Edit" + std::string(kind), "");
    for (const std::string_view kind : kinds) {
        const std::string k(kind);
        for (const std::string_view part : {"All", "Beibl", "Gitiya", "Txt", "Trop", "Ico"})
            b.flag("CheckBox" + k + std::string(part), false);
        for (const std::string_view part : {"Pam", "Nastr", "Sap"})
            b.flag("CheckBox" + k + std::string(part), true);
    }
    b.flag("RadioButtonDelKop", true);
    b.flag("RadioButtonDelVost", true);
    b.flag("RadioButtonTimeSin", true);
    b.flag("RadioButtonSamenaKop", false);
    b.flag("RadioButtonDopolnKop", false);
    b.flag("RadioButtonSamenaVost", false);
    b.flag("RadioButtonDopolnVost", false);
    b.flag("RadioButtonSamenaSin", false);
}

std::vector<SettingDefinition> BuildSchema()
{
    std::vector<SettingDefinition> specs;
    SchemaBuilder builder(specs);
    AddWindows(builder);
    AddVid(builder);
    AddToolBar(builder);
    AddCalendar(builder);
    AddPrint(builder);
    AddPravilo(builder);
    AddBackup(builder);
    return specs;
}

std::vector<ColourRepair> BuildRepairSet()
{
    std::vector<ColourRepair> set;
    for (const CalendarClass& c : kCalendarClasses) {
        set.push_back({c.font, c.font_repair});
        set.push_back({c.background, c.background_repair});
    }
    set.push_back({"ColorVD", kSelectedDayFrameRepair});
    return set;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::string ToolBarButtonKey(int position) { return "Button" + std::to_string(position); }

std::string PraviloStartKey(std::string_view reading)
{
    return reading == "Psalm" ? std::string("SpinEditStartPsalm") : "Start" + std::string(reading);
}

const std::vector<SettingDefinition>& ZkSchema()
{
    static const std::vector<SettingDefinition> schema = BuildSchema();
    return schema;
}

const SettingDefinition* FindSetting(std::string_view section, std::string_view key)
{
    for (const SettingDefinition& setting : ZkSchema())
        if (EqualsIgnoringAsciiCase(setting.section, section) && EqualsIgnoringAsciiCase(setting.key, key))
            return &setting;
    return nullptr;
}

std::span<const ColourRepair> CalendarColourRepairSet()
{
    static const std::vector<ColourRepair> set = BuildRepairSet();
    return set;
}

}  // namespace indikt
