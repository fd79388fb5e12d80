#include "feasts.h"

#include "paschalion.h"

namespace indikt {

namespace {

constexpr ChurchFeast Fixed(int kind, std::string_view prefix, int month, int day, std::string_view text, int year_offset = 0)
{
    return {kind, prefix, false, 0, month, day, year_offset, text};
}

constexpr ChurchFeast Movable(int kind, std::string_view prefix, int offset)
{
    return {kind, prefix, true, offset, 0, 0, 0, {}};
}

// Names in capital letters are Pascha and the twelve great feasts.
constexpr ChurchFeast kChurchFeasts[] = {
    Fixed(1, "Апостола Иоанна Богослова - ", 5, 8, "(8 май)"),
    Fixed(2, "Великого кн. Владимира, крестителя Руси - ", 7, 15, "(15 июл)"),
    Fixed(3, "БЛАГОВЕЩЕНИЕ ПРЕСВЯТОЙ БОГОРОДИЦЫ - ", 3, 25, "(25 мар)"),
    Fixed(4, "ВВЕДЕНИЕ ВО ХРАМ ПРЕСВЯТОЙ БОГОРОДИЦЫ - ", 11, 21, "(21 ноя)"),
    Fixed(5, "ВОЗДВИЖЕНИЕ КРЕСТА ГОСПОДНЯ - ", 9, 14, "(14 сен)"),
    Movable(6, "ВОЗНЕСЕНИЕ ГОСПОДНЕ - ", 39),
    Movable(7, "ВХОД ГОСПОДЕНЬ В ИЕРУСАЛИМ - ", -7),
    Movable(8, "День Святого Духа - ", 50),
    Movable(9, "ДЕНЬ СВЯТОЙ ТРОИЦЫ. ПЯТИДЕСЯТНИЦА - ", 49),
    Fixed(10, "КРЕЩЕНИЕ ГОСПОДНЕ - ", 1, 6, "(6 янв)"),
    Fixed(11, "Обрезание Господне. Святителя Василия Великого - ", 1, 1, "(1 янв)"),
    Movable(12, "ПАСХА - ", 0),
    Fixed(13, "Первоверховных апостолов Петра и Павла - ", 6, 29, "(29 июн)"),
    Fixed(14, "Первое и второе обретение главы Иоанна Предтечи - ", 2, 24, "(24 фев)"),
    Fixed(15, "Перенесение мощей святителя и чудотворца Николая - ", 5, 9, "(9 май)"),
    Fixed(16, "Покров Пресвятой Богородицы - ", 10, 1, "(1 окт)"),
    Fixed(17, "ПРЕОБРАЖЕНИЕ ГОСПОДНЕ - ", 8, 6, "(6 авг)"),
    Movable(18, "Преполовение Пятидесятницы - ", 24),
    Fixed(19, "Преставление Апостола Иоанна Богослова - ", 9, 26, "(26 сен)"),
    Fixed(20, "Рождество Иоанна Предтечи - ", 6, 24, "(24 июн)"),
    Fixed(21, "РОЖДЕСТВО ПРЕСВЯТОЙ БОГОРОДИЦЫ - ", 9, 8, "(8 сен)"),
    // The Nativity of the previous old-style year falls in January of this one.
    Fixed(22, "РОЖДЕСТВО ХРИСТОВО - ", 12, 25, "(25 дек)", -1),
    Fixed(23, "Святителя и чудотворца Николая Мирликийского - ", 12, 6, "(6 дек)"),
    Fixed(24, "Святых 40 мучеников Севастийских - ", 3, 9, "(9 мар)"),
    Fixed(25, "СРЕТЕНИЕ ГОСПОДНЕ - ", 2, 2, "(2 фев)"),
    Fixed(26, "Третье обретение главы Иоанна Предтечи - ", 5, 25, "(25 май)"),
    Fixed(27, "Усекновение главы Иоанна Предтечи - ", 8, 29, "(29 авг)"),
    Fixed(28, "УСПЕНИЕ ПРЕСВЯТОЙ БОГОРОДИЦЫ - ", 8, 15, "(15 авг)"),
    Fixed(29, "Церковное новолетие - ", 9, 1, "(1 сен)"),
    Fixed(30, "Явление иконы Пресвятой Богородицы во граде Казани - ", 7, 8, "(8 июл)"),
};

constexpr CivilHoliday kCivilHolidays[] = {
    {1, "Новый год - ", 1, 1},
    {2, "День студенчества - ", 1, 25},
    {3, "День Защитника Отечества - ", 2, 23},
    {4, "Международный Женский День - ", 3, 8},
    {5, "День космонавтики - ", 4, 12},
    {6, "Праздник Труда (День Труда) - ", 5, 1},
    {7, "День Победы - ", 5, 9},
    {8, "День России - ", 6, 12},
    {9, "День памяти и скорби - ", 6, 22},
    {10, "День партизан и подпольщиков - ", 6, 29},
    {11, "День Крещения Руси - ", 7, 28},
    {12, "День солидарности в борьбе с терроризмом - ", 9, 3},
    {13, "День народного единства - ", 11, 4},
    {14, "День октябрьской революции 1917 года - ", 11, 7},
    {15, "День Героев Отечества - ", 12, 9},
    {16, "День Конституции - ", 12, 12},
};

}  // namespace

std::span<const ChurchFeast> ChurchFeasts() { return kChurchFeasts; }

std::span<const CivilHoliday> CivilHolidays() { return kCivilHolidays; }

std::optional<Date> PerPrasdniki(int kind, Date current)
{
    if (kind < 1 || kind > static_cast<int>(std::size(kChurchFeasts)))
        return std::nullopt;
    const ChurchFeast& feast = kChurchFeasts[kind - 1];
    const int year = YearOf(current);
    if (feast.movable)
        return NewStyle(DatePasha(year)) + feast.pascha_offset;
    return NewStyle(FromOldStyle(year + feast.year_offset, feast.old_month, feast.old_day));
}

std::optional<Date> PerGosPrasdniki(int kind, Date current)
{
    if (kind < 1 || kind > static_cast<int>(std::size(kCivilHolidays)))
        return std::nullopt;
    const CivilHoliday& holiday = kCivilHolidays[kind - 1];
    return FromCivil(YearOf(current), holiday.month, holiday.day);
}

}  // namespace indikt
