#pragma once

// "sob.ini": the settings of the reminder messages about coming jubilees and
// feasts, kept beside "Памятка.txt".

#include "texts/ini_file.h"

namespace indikt {

inline constexpr const char* kSobIniFileName = "sob.ini";

struct SobSettings {
    bool once_a_day = true;        // [Windows] AutoSagrRasPam
    bool with_system = false;      // [Windows] OpWin: start the messages with the session
    bool feast_messages = true;    // [Vid] MessagePr
    int feast_days = 7;            // [Vid] MessagePrDni
    bool jubilee_messages = true;  // [Vid] MessageSb
    int jubilee_days = 7;          // [Vid] MessageSbDni
    bool church = true;            // [Vid] MesSeePrasd1
    bool civil = true;             // [Vid] MesSeePrasd2
    bool other = true;             // [Vid] MesSeePrasd3

    friend bool operator==(const SobSettings&, const SobSettings&) = default;
};

inline constexpr int kMaxMessageDays = 99;

// A flag is any whole number other than 0; a missing or unreadable value is the
// default. A count of days is read only when its messages are on, and is held
// to 0..99.
SobSettings ReadSobSettings(const IniFile& file);

// Writes every key (flags as 1 and 0) into the file, keeping what else it holds.
void WriteSobSettings(IniFile& file, const SobSettings& settings);

}  // namespace indikt
