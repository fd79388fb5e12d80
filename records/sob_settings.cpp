#include "sob_settings.h"

#include <algorithm>

namespace indikt {

namespace {

bool Flag(const IniFile& file, const char* section, const char* key, bool fallback)
{
    bool ok = false;
    const int value = file.value(QString::fromUtf8(section), QString::fromUtf8(key), QString()).toInt(&ok);
    return ok ? value != 0 : fallback;
}

int Days(const IniFile& file, const char* key, int fallback)
{
    bool ok = false;
    const int value = file.value(QStringLiteral("Vid"), QString::fromUtf8(key), QString()).toInt(&ok);
    return ok ? std::clamp(value, 0, kMaxMessageDays) : fallback;
}

void SetFlag(IniFile& file, const char* section, const char* key, bool value)
{
    file.setValue(QString::fromUtf8(section), QString::fromUtf8(key), value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace

SobSettings ReadSobSettings(const IniFile& file)
{
    const SobSettings defaults;
    SobSettings settings;
    settings.once_a_day = Flag(file, "Windows", "AutoSagrRasPam", defaults.once_a_day);
    settings.with_system = Flag(file, "Windows", "OpWin", defaults.with_system);
    settings.feast_messages = Flag(file, "Vid", "MessagePr", defaults.feast_messages);
    if (settings.feast_messages)
        settings.feast_days = Days(file, "MessagePrDni", defaults.feast_days);
    settings.jubilee_messages = Flag(file, "Vid", "MessageSb", defaults.jubilee_messages);
    if (settings.jubilee_messages)
        settings.jubilee_days = Days(file, "MessageSbDni", defaults.jubilee_days);
    settings.church = Flag(file, "Vid", "MesSeePrasd1", defaults.church);
    settings.civil = Flag(file, "Vid", "MesSeePrasd2", defaults.civil);
    settings.other = Flag(file, "Vid", "MesSeePrasd3", defaults.other);
    return settings;
}

void WriteSobSettings(IniFile& file, const SobSettings& settings)
{
    SetFlag(file, "Windows", "AutoSagrRasPam", settings.once_a_day);
    SetFlag(file, "Windows", "OpWin", settings.with_system);
    SetFlag(file, "Vid", "MessagePr", settings.feast_messages);
    file.setValue(u"Vid", u"MessagePrDni", QString::number(std::clamp(settings.feast_days, 0, kMaxMessageDays)));
    SetFlag(file, "Vid", "MessageSb", settings.jubilee_messages);
    file.setValue(u"Vid", u"MessageSbDni", QString::number(std::clamp(settings.jubilee_days, 0, kMaxMessageDays)));
    SetFlag(file, "Vid", "MesSeePrasd1", settings.church);
    SetFlag(file, "Vid", "MesSeePrasd2", settings.civil);
    SetFlag(file, "Vid", "MesSeePrasd3", settings.other);
}

}  // namespace indikt
