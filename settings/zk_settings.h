#pragma once

// The settings of zk.ini in memory: read once at start, changed by the
// windows and dialogs, written back whole at close. Every key is read by the
// rule of its kind in the schema; keys of other programs and comments stay.

#include "calendar/date.h"
#include "calendar/feast_placement.h"
#include "calendar/month_grid.h"
#include "settings/zk_schema.h"
#include "texts/ini_file.h"

#include <QString>

namespace indikt {

class ZkSettings {
public:
    // Settings where every key has its default.
    explicit ZkSettings(Date today);

    // Reads the file; a missing, unreadable or broken file gives the defaults
    // for what could not be read (and `load_error` says why). The program,
    // which saves the file at its end, keeps a damaged one beside it first;
    // a reader that never saves leaves it (DamagedFile::Leave).
    static ZkSettings Load(const QString& path, Date today, DamagedFile damaged = DamagedFile::Keep);

    const QString& loadError() const { return load_error_; }
    bool fileExisted() const { return file_existed_; }

    // Read rules: a bool is any integer other than 0; an int that is missing or
    // not a number gives the default, one outside its range is clamped or gives
    // the default as the schema says; a date is read by position and gives
    // today when it cannot be read.
    bool flag(std::string_view section, std::string_view key) const;
    int number(std::string_view section, std::string_view key) const;
    QString text(std::string_view section, std::string_view key) const;
    Date date(std::string_view section, std::string_view key) const;
    int colour(std::string_view section, std::string_view key) const { return number(section, key); }

    // False, with nothing changed, when the value holds a character that
    // Windows-1251 cannot hold.
    bool setFlag(std::string_view section, std::string_view key, bool value);
    bool setNumber(std::string_view section, std::string_view key, int value);
    bool setText(std::string_view section, std::string_view key, const QString& value);
    bool setDate(std::string_view section, std::string_view key, Date value);

    // When the three background colours "ColorPrasd1", "ColorJubil" and
    // "ColorVos" are all 0, all fifteen calendar colours take the repair set.
    bool repairCalendarColours();

    // Writes every key of the schema (defaults for those never set), the
    // values SaveAll always rewrites, and the file itself, atomically.
    WriteResult save(const QString& path, Date today);

    const IniFile& file() const { return file_; }

private:
    const SettingDefinition& setting(std::string_view section, std::string_view key) const;
    std::optional<long long> storedInteger(const SettingDefinition& setting) const;
    QString defaultText(const SettingDefinition& setting) const;
    void completeForSave(Date today);

    IniFile file_;
    Date today_;
    QString load_error_;
    bool file_existed_ = false;
};

// Which of the user's feasts and jubilees the calendar shows: "SeePrasd1".."3"
// of "Calendar", "PrPrint" and "JubPrint" of "Vid".
UnderCalendarSwitches FeastDisplaySwitches(const ZkSettings& settings);

// The colours of the month grid, section "Calendar".
GridColours GridColoursOf(const ZkSettings& settings);

}  // namespace indikt
