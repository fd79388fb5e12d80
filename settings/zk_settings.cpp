#include "zk_settings.h"

#include "calendar/date_texts.h"

#include <QFileInfo>

#include <algorithm>
#include <stdexcept>

namespace indikt {

namespace {

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

ZkSettings::ZkSettings(Date today) : today_(today) {}

ZkSettings ZkSettings::Load(const QString& path, Date today, DamagedFile damaged)
{
    ZkSettings settings(today);
    settings.file_existed_ = QFileInfo::exists(path);
    IniReadResult read = ReadIniFile(path, damaged);
    settings.file_ = std::move(read.file);
    settings.load_error_ = read.error;
    return settings;
}

const SettingDefinition& ZkSettings::setting(std::string_view section, std::string_view key) const
{
    const SettingDefinition* found = FindSetting(section, key);
    if (!found)
        throw std::logic_error("zk.ini key missing from the schema: " + std::string(section) + "/" + std::string(key));
    return *found;
}

QString ZkSettings::defaultText(const SettingDefinition& setting) const
{
    if (setting.kind == SettingKind::Date && setting.default_text.empty())
        return Qs(TextOfDayAndMonthAndYear1(today_));
    return Qs(setting.default_text);
}

std::optional<long long> ZkSettings::storedInteger(const SettingDefinition& setting) const
{
    const std::optional<QString> stored = file_.value(Qs(setting.section), Qs(setting.key));
    if (!stored)
        return std::nullopt;
    bool ok = false;
    const long long value = stored->trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

bool ZkSettings::flag(std::string_view section, std::string_view key) const
{
    const SettingDefinition& s = setting(section, key);
    const std::optional<long long> stored = storedInteger(s);
    return stored ? *stored != 0 : s.default_text == "1";
}

int ZkSettings::number(std::string_view section, std::string_view key) const
{
    const SettingDefinition& s = setting(section, key);
    const int fallback = defaultText(s).toInt();
    const std::optional<long long> stored = storedInteger(s);
    if (!stored)
        return fallback;
    if (*stored >= s.min && *stored <= s.max)
        return int(*stored);
    if (s.out_of_range == OutOfRange::Default)
        return fallback;
    return int(std::clamp<long long>(*stored, s.min, s.max));
}

QString ZkSettings::text(std::string_view section, std::string_view key) const
{
    const SettingDefinition& s = setting(section, key);
    return file_.value(Qs(s.section), Qs(s.key), defaultText(s));
}

Date ZkSettings::date(std::string_view section, std::string_view key) const
{
    const std::optional<Date> parsed = ParseStoredDate(text(section, key).toStdString());
    return parsed.value_or(today_);
}

bool ZkSettings::setFlag(std::string_view section, std::string_view key, bool value)
{
    return setText(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool ZkSettings::setNumber(std::string_view section, std::string_view key, int value)
{
    return setText(section, key, QString::number(value));
}

bool ZkSettings::setText(std::string_view section, std::string_view key, const QString& value)
{
    const SettingDefinition& s = setting(section, key);
    return file_.setValue(Qs(s.section), Qs(s.key), value);
}

bool ZkSettings::setDate(std::string_view section, std::string_view key, Date value)
{
    return setText(section, key, Qs(TextOfDayAndMonthAndYear1(value)));
}

bool ZkSettings::repairCalendarColours()
{
    const bool all_black = colour(kSectionCalendar, "ColorPrasd1") == 0 && colour(kSectionCalendar, "ColorJubil") == 0 &&
                           colour(kSectionCalendar, "ColorVos") == 0;
    if (!all_black)
        return false;
    for (const ColourRepair& repair : CalendarColourRepairSet())
        setNumber(kSectionCalendar, repair.key, repair.colour);
    return true;
}

// A prayer-rule reading that is switched off is written back in its resting
// state: no weekday exclusions, no "always", step 1, start 1.
void ZkSettings::completeForSave(Date today)
{
    setDate(kSectionWindows, kKeyAutoStartDay, today);
    setFlag(kSectionVid, "AutoDockSite", false);
    for (const std::string_view reading : kPraviloReadings) {
        const std::string r(reading);
        if (flag(kSectionPravilo, "CheckBox" + r))
            continue;
        for (int weekday = 0; weekday <= 6; ++weekday)
            setFlag(kSectionPravilo, "Iskl" + r + std::to_string(weekday), false);
        setFlag(kSectionPravilo, "CheckBoxVsegda" + r, false);
        setNumber(kSectionPravilo, "SpinEditRas" + r, 1);
        setNumber(kSectionPravilo, "SpinEditPlus" + r, 1);
        setNumber(kSectionPravilo, PraviloStartKey(reading), 1);
        setFlag(kSectionPravilo, "CheckBox" + r, false);
    }
    // Every key stands in the file after a save: the value read (so a value
    // out of range is written back mended) or its default.
    for (const SettingDefinition& s : ZkSchema()) {
        if (s.key == "AutoSagrIDeskDate" && !file_.contains(Qs(s.section), Qs(s.key)))
            continue;  // read by the desktop icons, never written by the program
        switch (s.kind) {
        case SettingKind::Bool: setFlag(s.section, s.key, flag(s.section, s.key)); break;
        case SettingKind::Int:
        case SettingKind::Colour: setNumber(s.section, s.key, number(s.section, s.key)); break;
        case SettingKind::Date: setDate(s.section, s.key, date(s.section, s.key)); break;
        case SettingKind::String: setText(s.section, s.key, text(s.section, s.key)); break;
        }
    }
}

WriteResult ZkSettings::save(const QString& path, Date today)
{
    completeForSave(today);
    return SaveIniFile(file_, path);
}

UnderCalendarSwitches FeastDisplaySwitches(const ZkSettings& settings)
{
    UnderCalendarSwitches switches;
    switches.statuses = {.church = settings.flag(kSectionCalendar, "SeePrasd1"),
                         .civil = settings.flag(kSectionCalendar, "SeePrasd2"),
                         .other = settings.flag(kSectionCalendar, "SeePrasd3")};
    switches.feasts = settings.flag(kSectionVid, "PrPrint");
    switches.jubilees = settings.flag(kSectionVid, "JubPrint");
    return switches;
}

GridColours GridColoursOf(const ZkSettings& settings)
{
    const auto look = [&settings](const char* shown, const char* font, const char* background) {
        return GridLook{settings.flag(kSectionCalendar, shown), settings.colour(kSectionCalendar, font),
                        settings.colour(kSectionCalendar, background)};
    };
    GridColours colours;
    colours.sundays = look("SeeVos", "ColorFontVos", "ColorVos");
    colours.fasts = look("SeePost", "ColorFontPost", "ColorPost");
    colours.jubilees = look("SeeJubil", "ColorFontJubil", "ColorJubil");
    colours.feasts = {look("SeePrasd1", "ColorFontPrasd1", "ColorPrasd1"),
                      look("SeePrasd2", "ColorFontPrasd2", "ColorPrasd2"),
                      look("SeePrasd3", "ColorFontPrasd3", "ColorPrasd3")};
    colours.fast_free = look("SeeSpl", "ColorFontSpl", "ColorSpl");
    colours.current_frame = settings.colour(kSectionCalendar, "ColorVD");
    return colours;
}

}  // namespace indikt
