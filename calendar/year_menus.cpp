#include "year_menus.h"

#include "date_texts.h"
#include "fasts.h"
#include "feasts.h"
#include "paschalion.h"

#include <optional>
#include <string_view>

namespace indikt {

namespace {

// Name, weekday and civil date, then the old-style date in parentheses.
std::string DayCaption(std::string_view name, Date civil)
{
    std::string caption(name);
    caption += TextOfDayTheWeekAndMonth(civil);
    caption += " (";
    caption += TextOfMonthAndDay2(OldStyle(civil));
    caption += ')';
    return caption;
}

// Where a period of the fasts menu ends; nothing for a single day.
std::optional<Date> PeriodEnd(int kind, int year)
{
    const Date pascha = NewStyle(DatePasha(year));
    const auto old_style_day = [&](int month, int day) { return NewStyle(FromOldStyle(year, month, day)); };
    switch (kind) {
    case 1: return pascha;
    case 2: return old_style_day(6, 29);
    case 3: return old_style_day(8, 15);
    case 4: return old_style_day(12, 25);
    case 5: return old_style_day(1, 5);
    case 6: return pascha - 63;
    case 7: return pascha - 49;
    case 8: return pascha + 7;
    case 9: return pascha + 56;
    default: return std::nullopt;
    }
}

constexpr std::string_view kPeriodNames[] = {
    "Великий пост с ",
    "Петров пост с ",
    "Успенский пост с ",
    "Рождественский пост с ",
    "Святки с ",
    "Мытаря и фарисея с ",
    "Сырная (Масленица) с ",
    "Пасхальная (Светлая) с ",
    "Троицкая с ",
    "Суббота мясопустная - ",
    "Суббота 2-й седмицы Великого поста - ",
    "Суббота 3-й седмицы Великого поста - ",
    "Суббота 4-й седмицы Великого поста - ",
    "Радоница - ",
    "Поминовение усопших воинов - ",
    "Суббота Троицкая - ",
    "Суббота Димитриевская - ",
};

}  // namespace

YearMenus BuildYearMenus(int year)
{
    YearMenus menus;
    const Date in_year = FromCivil(year, 1, 1);

    for (const ChurchFeast& feast : ChurchFeasts()) {
        const Date civil = *PerPrasdniki(feast.kind, in_year);
        std::string caption(feast.prefix);
        caption += TextOfDayTheWeekAndMonth(civil);
        caption += ' ';
        caption += feast.movable ? "(" + TextOfMonthAndDay2(OldStyle(civil)) + ")" : std::string(feast.old_style_text);
        menus.church_feasts.push_back(std::move(caption));
    }

    for (const CivilHoliday& holiday : CivilHolidays()) {
        std::string caption(holiday.prefix);
        caption += TextOfDayTheWeekAndMonth(FromCivil(year, holiday.month, holiday.day));
        if (holiday.kind == 1) {
            caption += " - ";
            caption += TextOfDayTheWeekAndMonth(FromCivil(year, 1, 5));  // the New Year holidays end on 5 January
        }
        menus.civil_holidays.push_back(std::move(caption));
    }

    for (int kind = 1; kind <= int(std::size(kPeriodNames)); ++kind) {
        const std::string_view name = kPeriodNames[kind - 1];
        const Date start = *PerPost(kind, in_year);
        const std::optional<Date> end = PeriodEnd(kind, year);
        if (!end) {
            menus.periods.push_back(DayCaption(name, start));
            continue;
        }
        std::string caption = DayCaption(name, start);
        caption += " до ";
        caption += DayCaption("", *end);
        caption += " - ";
        caption += std::to_string(DaysBetween(start, *end));
        caption += " дн.";
        menus.periods.push_back(std::move(caption));
    }

    const std::string in = " в " + std::to_string(year) + " г.";
    menus.headings = {"Праздники" + in, "Многодневные посты" + in, "Сплошные седмицы" + in,
                      "Дни поминовения усопших" + in};
    return menus;
}

}  // namespace indikt
