#include "paschalion.h"

#include <charconv>

namespace indikt {

OldStyleDate DatePasha(int julian_year)
{
    const int year = static_cast<unsigned short>(julian_year);
    const int lunar_offset = (19 * (year % 19) + 15) % 30;                                   // [0, 29]
    const int sunday_offset = (2 * (year % 4) + 4 * (year % 7) + 6 * lunar_offset + 6) % 7;  // [0, 6]
    const int march_day = lunar_offset + sunday_offset + 22;                                 // [22, 57]
    if (march_day > 31)
        return FromOldStyle(year, 4, march_day - 31);
    return FromOldStyle(year, 3, march_day);
}

int SignedDaysFromPascha(OldStyleDate old_style)
{
    return old_style - DatePasha(YearOf(old_style));
}

DayFacts MakeDayFacts(Date current)
{
    const OldStyleDate old_style = OldStyle(current);
    const OldStyleDate pascha = DatePasha(YearOf(old_style));
    return {old_style, pascha, DaysBetween(old_style, pascha)};
}

namespace {

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string_view YearWord(long long years)
{
    const long long last_two = years % 100;
    if (last_two <= 20) {
        if (last_two == 1)
            return "год";
        if (last_two >= 2 && last_two <= 4)
            return "года";
        return "лет";
    }
    const long long last = last_two % 10;
    if (last == 1)
        return "год";
    if (last >= 2 && last <= 4)
        return "года";
    return "лет";
}

}  // namespace

std::string GodLet(std::string_view years)
{
    const std::string_view digits = TrimSpaces(years);
    long long count = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || count <= 0)
        return {};
    std::string text = " (";
    text += years;
    text += ' ';
    text += YearWord(count);
    text += ')';
    return text;
}

}  // namespace indikt
