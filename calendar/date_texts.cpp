#include "date_texts.h"

#include <cstdio>

#include <array>
#include <charconv>

namespace indikt {

namespace {

constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "Январь", "Февраль", "Март", "Апрель", "Май", "Июнь",
    "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
constexpr std::array<std::string_view, 12> kMonthNamesGenitive = {
    "января", "февраля", "марта", "апреля", "мая", "июня",
    "июля", "августа", "сентября", "октября", "ноября", "декабря"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"};
constexpr std::array<std::string_view, 7> kWeekdayAbbreviations = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

void AppendNumber(std::string& out, int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendTwoDigits(std::string& out, int value)
{
    if (value >= 0 && value < 10)
        out += '0';
    AppendNumber(out, value);
}

// The pieces the forms are assembled from: the fields of the calendar the
// value belongs to, and the weekday of the day itself.
struct Pieces {
    explicit Pieces(Date date) : fields(Fields(date)), iso_weekday(IsoWeekday(date)) {}
    explicit Pieces(OldStyleDate date) : fields(Fields(date)), iso_weekday(IsoWeekday(date.civil())) {}
    DayFields fields;
    int iso_weekday;
    std::string_view mon() const { return MonthAbbreviation(fields.month); }
    std::string_view wd() const { return WeekdayAbbreviation(iso_weekday); }
    std::string_view weekday() const { return WeekdayName(iso_weekday); }
};

std::string MonthAndDay(const Pieces& p)
{
    std::string text(p.mon());
    AppendTwoDigits(text, p.fields.day);
    return text;
}

std::string MonthAndDay2(const Pieces& p)
{
    std::string text;
    AppendNumber(text, p.fields.day);
    text += ' ';
    text += p.mon();
    return text;
}

std::string MonthAndDay3(const Pieces& p)
{
    std::string text;
    AppendTwoDigits(text, p.fields.day);
    text += ' ';
    text += p.mon();
    return text;
}

std::string Month(const Pieces& p) { return std::string(MonthName(p.fields.month)); }

std::string WeekdayAndMonth(const Pieces& p)
{
    std::string text(p.wd());
    text += ' ';
    text += MonthAndDay2(p);
    return text;
}

std::string DayMonthYear(const Pieces& p)
{
    std::string text;
    AppendNumber(text, p.fields.day);
    text += '.';
    AppendTwoDigits(text, p.fields.month);
    text += '.';
    AppendNumber(text, p.fields.year);
    return text;
}

std::string DayMonthYear1(const Pieces& p)
{
    std::string text;
    AppendTwoDigits(text, p.fields.day);
    text += '.';
    AppendTwoDigits(text, p.fields.month);
    text += '.';
    AppendNumber(text, p.fields.year);
    return text;
}

std::string DayMonthYear2(const Pieces& p)
{
    std::string text = MonthAndDay(p);
    AppendNumber(text, p.fields.year);
    return text;
}

std::string DayMonthYear6(const Pieces& p)
{
    std::string text = MonthAndDay2(p);
    text += ' ';
    AppendNumber(text, p.fields.year);
    return text;
}

std::string DayMonthYear3(const Pieces& p)
{
    std::string text(p.weekday());
    text += ' ';
    text += DayMonthYear6(p);
    return text;
}

std::string DayMonthYear4(const Pieces& p)
{
    std::string text = MonthAndDay3(p);
    text += ' ';
    AppendNumber(text, p.fields.year);
    return text;
}

std::string DayMonthYear5(const Pieces& p)
{
    std::string text(p.wd());
    text += ' ';
    text += DayMonthYear6(p);
    return text;
}

std::string DayMonthYear8(const Pieces& p)
{
    std::string text(p.wd());
    text += ' ';
    text += DayMonthYear4(p);
    return text;
}

std::string DayMonthYear9(const Pieces& p)
{
    std::string text;
    AppendNumber(text, p.fields.year);
    AppendTwoDigits(text, p.fields.month);
    AppendTwoDigits(text, p.fields.day);
    return text;
}

std::optional<int> ParseField(std::string_view text, std::size_t position, std::size_t length)
{
    if (position >= text.size())
        return std::nullopt;
    const std::string_view field = text.substr(position, length);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

std::optional<Date> MakeDate(std::optional<int> year, std::optional<int> month, std::optional<int> day)
{
    if (!year || !month || !day || !IsValidCivil(*year, *month, *day))
        return std::nullopt;
    return FromCivil(*year, *month, *day);
}

}  // namespace

std::string_view MonthAbbreviation(int month)
{
    return month >= 1 && month <= 12 ? kMonthAbbreviations[month - 1] : std::string_view();
}

std::string_view MonthName(int month)
{
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string_view();
}

std::string_view MonthNameGenitive(int month)
{
    return month >= 1 && month <= 12 ? kMonthNamesGenitive[month - 1] : std::string_view();
}

std::string_view WeekdayName(int iso_weekday)
{
    return iso_weekday >= 1 && iso_weekday <= 7 ? kWeekdayNames[iso_weekday - 1] : std::string_view();
}

std::string_view WeekdayAbbreviation(int iso_weekday)
{
    return iso_weekday >= 1 && iso_weekday <= 7 ? kWeekdayAbbreviations[iso_weekday - 1] : std::string_view();
}

std::string TextOfMonthAndDay(Date date) { return MonthAndDay(Pieces(date)); }
std::string TextOfMonthAndDay(OldStyleDate date) { return MonthAndDay(Pieces(date)); }

std::string TextOfMonthAndDay2(Date date) { return MonthAndDay2(Pieces(date)); }
std::string TextOfMonthAndDay2(OldStyleDate date) { return MonthAndDay2(Pieces(date)); }

std::string TextOfMonthAndDay3(Date date) { return MonthAndDay3(Pieces(date)); }
std::string TextOfMonthAndDay3(OldStyleDate date) { return MonthAndDay3(Pieces(date)); }

std::string TextOfMonth(Date date) { return Month(Pieces(date)); }
std::string TextOfMonth(OldStyleDate date) { return Month(Pieces(date)); }

std::string TextOfDayTheWeek0(Date date) { return std::string(WeekdayName(IsoWeekday(date))); }

std::string TextOfDayTheWeek(Date date) { return std::string(WeekdayAbbreviation(IsoWeekday(date))); }

std::string TextOfDayTheWeekAndMonth(Date date) { return WeekdayAndMonth(Pieces(date)); }
std::string TextOfDayTheWeekAndMonth(OldStyleDate date) { return WeekdayAndMonth(Pieces(date)); }

std::string TextOfDayTheWeekAndMonth1(Date date) { return WeekdayAndMonth(Pieces(date)); }
std::string TextOfDayTheWeekAndMonth1(OldStyleDate date) { return WeekdayAndMonth(Pieces(date)); }

std::string TextOfDayAndMonthAndYear(Date date) { return DayMonthYear(Pieces(date)); }
std::string TextOfDayAndMonthAndYear(OldStyleDate date) { return DayMonthYear(Pieces(date)); }

std::string TextOfDayAndMonthAndYear1(Date date) { return DayMonthYear1(Pieces(date)); }
std::string TextOfDayAndMonthAndYear1(OldStyleDate date) { return DayMonthYear1(Pieces(date)); }

std::string TextOfDayAndMonthAndYear2(Date date) { return DayMonthYear2(Pieces(date)); }
std::string TextOfDayAndMonthAndYear2(OldStyleDate date) { return DayMonthYear2(Pieces(date)); }

std::string TextOfDayAndMonthAndYear3(Date date) { return DayMonthYear3(Pieces(date)); }
std::string TextOfDayAndMonthAndYear3(OldStyleDate date) { return DayMonthYear3(Pieces(date)); }

std::string TextOfDayAndMonthAndYear4(Date date) { return DayMonthYear4(Pieces(date)); }
std::string TextOfDayAndMonthAndYear4(OldStyleDate date) { return DayMonthYear4(Pieces(date)); }

std::string TextOfDayAndMonthAndYear5(Date date) { return DayMonthYear5(Pieces(date)); }
std::string TextOfDayAndMonthAndYear5(OldStyleDate date) { return DayMonthYear5(Pieces(date)); }

std::string TextOfDayAndMonthAndYear6(Date date) { return DayMonthYear6(Pieces(date)); }
std::string TextOfDayAndMonthAndYear6(OldStyleDate date) { return DayMonthYear6(Pieces(date)); }

std::string TextOfDayAndMonthAndYear8(Date date) { return DayMonthYear8(Pieces(date)); }
std::string TextOfDayAndMonthAndYear8(OldStyleDate date) { return DayMonthYear8(Pieces(date)); }

std::string TextOfDayAndMonthAndYear9(Date date) { return DayMonthYear9(Pieces(date)); }
std::string TextOfDayAndMonthAndYear9(OldStyleDate date) { return DayMonthYear9(Pieces(date)); }

std::span<const DateTextForm> DateTextForms()
{
    // The civil forms; an old-style value has the same forms (the overloads).
    static constexpr DateTextForm kForms[] = {
        {"TextOfMonthAndDay", TextOfMonthAndDay},
        {"TextOfMonthAndDay2", TextOfMonthAndDay2},
        {"TextOfMonthAndDay3", TextOfMonthAndDay3},
        {"TextOfMonth", TextOfMonth},
        {"TextOfDayTheWeek0", TextOfDayTheWeek0},
        {"TextOfDayTheWeek", TextOfDayTheWeek},
        {"TextOfDayTheWeekAndMonth", TextOfDayTheWeekAndMonth},
        {"TextOfDayTheWeekAndMonth1", TextOfDayTheWeekAndMonth1},
        {"TextOfDayAndMonthAndYear", TextOfDayAndMonthAndYear},
        {"TextOfDayAndMonthAndYear1", TextOfDayAndMonthAndYear1},
        {"TextOfDayAndMonthAndYear2", TextOfDayAndMonthAndYear2},
        {"TextOfDayAndMonthAndYear3", TextOfDayAndMonthAndYear3},
        {"TextOfDayAndMonthAndYear4", TextOfDayAndMonthAndYear4},
        {"TextOfDayAndMonthAndYear5", TextOfDayAndMonthAndYear5},
        {"TextOfDayAndMonthAndYear6", TextOfDayAndMonthAndYear6},
        {"TextOfDayAndMonthAndYear8", TextOfDayAndMonthAndYear8},
        {"TextOfDayAndMonthAndYear9", TextOfDayAndMonthAndYear9},
    };
    return kForms;
}

std::optional<Date> ParseStoredDate(std::string_view text)
{
    return MakeDate(ParseField(text, 6, 4), ParseField(text, 3, 2), ParseField(text, 0, 2));
}

std::optional<Date> ParseNoteKey(std::string_view key)
{
    for (int month = 1; month <= 12; ++month) {
        const std::string_view abbreviation = MonthAbbreviation(month);
        if (key.substr(0, abbreviation.size()) != abbreviation)
            continue;
        const std::string_view rest = key.substr(abbreviation.size());
        return MakeDate(ParseField(rest, 2, std::string_view::npos), month, ParseField(rest, 0, 2));
    }
    return std::nullopt;
}

std::optional<Date> ParseIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto year = number(0, 4);
    const auto month = number(5, 2);
    const auto day = number(8, 2);
    if (!year || !month || !day || !IsValidCivil(*year, *month, *day))
        return std::nullopt;
    return FromCivil(*year, *month, *day);
}

std::string IsoDateText(Date date)
{
    const CivilFields fields = Fields(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", fields.year, fields.month, fields.day);
    return text;
}

}  // namespace indikt
