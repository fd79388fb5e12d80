#include "fasts.h"

#include "date_texts.h"
#include "paschalion.h"

namespace indikt {

namespace {

// Long hints, quoted whole. "Cтрогий" with a Latin C (0x43) is the label of
// the strict fast days outside Holy Week; Holy Week has a Cyrillic "Строгий".
constexpr std::string_view kHintWednesday =
    "Пост установлен\n\rв воспоминание предания Спасителя на страдания и смерть.\n\rВ этот день не употребляется мясная и молочная пища|В этот день не употребляется мясная и молочная пища";
constexpr std::string_view kHintFriday =
    "Пост установлен\n\rв воспоминание страдания и смерти Спасителя.\n\rВ этот день не употребляются мясная и молочная пища|В этот день не употребляются мясная и молочная пища";
constexpr std::string_view kHintStrict = "Cтрогий пост. Не употребляется рыба, но разрешается пища с растительным маслом";
constexpr std::string_view kHintDormition =
    "Пост установлен\n\rв честь Пресвятой Богородицы.\n\rРыба не употребляется|Рыба не употребляется";
constexpr std::string_view kHintNativityEarly =
    "Пост предваряет\n\rпраздник Рождества Христова за сорок дней.\n\rКроме среды и пятницы\n\rдо дня свт. Николая разрешается рыба.\n\rПосле дня памяти Святителя Николая\n\rрыба разрешается в субботу и воскресенье|Кроме среды и пятницы до дня свт. Николая разрешается рыба";
constexpr std::string_view kHintNativityLate =
    "Пост предваряет\n\rпраздник Рождества Христова за сорок дней.\n\rКроме среды и пятницы\n\rдо дня свт. Николая разрешается рыба.\n\rПосле дня памяти свт. Николая\n\rрыба разрешается в субботу и воскресенье|После дня памяти свт. Николая рыба разрешается в субботу и воскресенье";
constexpr std::string_view kHintLent =
    "Пост установлен в воспоминание\n\rсорокадневного поста Иисуса Христа в пустыне,\n\rа последняя страстная седмица -\n\rв воспоминание страданий и смерти Спасителя.\n\rРыба разрешается на Благовещение и в Вербное воскресенье. В Лазареву субботу разрешается рыбная икра|Рыба разрешается на Благовещение и в Вербное воскресенье. В Лазареву субботу разрешается рыбная икра";
constexpr std::string_view kHintPeter =
    "Пост установлен\n\rв честь святых апостолов.\n\rКроме среды и пятницы можно употреблять рыбу|Кроме среды и пятницы можно употреблять рыбу";
constexpr std::string_view kHintPaschaWednesday =
    "Пост установлен\n\rв воспоминание предания Спасителя на страдания и смерть.\n\rДо праздника Пятидесятницы в среду и пятницу разрешается рыба|До праздника Пятидесятницы в среду и пятницу разрешается рыба";
constexpr std::string_view kHintPaschaFriday =
    "Пост установлен\n\rв воспоминание страдания и смерти Спасителя.\n\rДо праздника Пятидесятницы в среду и пятницу разрешается рыба|До праздника Пятидесятницы в среду и пятницу разрешается рыба";

constexpr std::string_view kLabelFastDay = "Постный день";
constexpr std::string_view kLabelStrictLatin = "Cтрогий пост";
constexpr std::string_view kLabelStrictHolyWeek = "Строгий пост";
constexpr std::string_view kLabelNativity = "Рождественский пост";
constexpr std::string_view kLabelFish = "Разрешается рыба";
constexpr std::string_view kLabelFastFree = "Сплошная седмица";
constexpr std::string_view kHintFastDay = "День постный";

// Old-style day and month of a date, with the tests the rules ask.
struct MonthDay {
    int month;
    int day;
    constexpr bool is(int m, int d) const { return month == m && day == d; }
    constexpr bool within(int m, int first, int last) const { return month == m && day >= first && day <= last; }
};

MonthDay OldMonthDay(OldStyleDate old_style)
{
    const DayFields fields = Fields(old_style);
    return {fields.month, fields.day};
}

bool IsBeforePeterAndPaul(MonthDay o) { return o.month < 6 || (o.month == 6 && o.day < 29); }

bool IsWednesdayOrFriday(int weekday) { return weekday == kWednesday || weekday == kFriday; }

bool IsNativityFast(MonthDay o) { return o.within(11, 15, 30) || o.within(12, 1, 23); }

bool IsChristmastide(MonthDay o, int first_december_day)
{
    return o.within(12, first_december_day, 31) || o.within(1, 1, 4);
}

bool IsFishDay(MonthDay o, int weekday, int from_pascha)
{
    if (o.is(6, 24) || o.is(8, 6) || o.is(11, 21))
        return true;
    const bool feast_on_fast_day = o.is(10, 1) || o.is(8, 15) || o.is(9, 8) || o.is(2, 2) || o.is(5, 8) || o.is(6, 29);
    if (feast_on_fast_day && IsWednesdayOrFriday(weekday))
        return true;
    return from_pascha == -7 || (o.is(3, 25) && from_pascha < -7);
}

}  // namespace

FastDay Post(Date new_style)
{
    const int weekday = Weekday(new_style);
    const OldStyleDate old_style = OldStyle(new_style);
    const MonthDay o = OldMonthDay(old_style);
    const int d = SignedDaysFromPascha(old_style);
    const bool fast_weekday = IsWednesdayOrFriday(weekday);
    const bool weekend = weekday == kSaturday || weekday == kSunday;

    std::string_view label;
    std::string_view hint;
    auto set = [&](std::string_view new_label, std::string_view new_hint) {
        label = new_label;
        hint = new_hint;
    };

    // 1. Wednesday and Friday.
    if (weekday == kWednesday)
        set(kLabelFastDay, kHintWednesday);
    else if (weekday == kFriday)
        set(kLabelFastDay, kHintFriday);
    // 2. Beheading of the Forerunner, Exaltation of the Cross.
    if (o.is(8, 29) || o.is(9, 14))
        set(kLabelStrictLatin, kHintStrict);
    // 3. The eves of the Nativity and of the Theophany.
    if (o.is(12, 24)) {
        if (weekend)
            set(kLabelNativity, kHintFastDay);
        else
            set(kLabelStrictLatin, kLabelStrictLatin);
    } else if (o.is(1, 5)) {
        if (weekend)
            set(kLabelFastDay, kHintFastDay);
        else
            set(kLabelStrictLatin, kHintStrict);
    }
    // 4. The Nativity and the Theophany free their Wednesday or Friday.
    if ((o.is(12, 25) || o.is(1, 6)) && fast_weekday)
        label = kNoFastLabel;
    // 5. The Dormition fast.
    if (o.within(8, 1, 14))
        set("Успенский пост", kHintDormition);
    // 6. The Nativity fast.
    if (IsNativityFast(o))
        set(kLabelNativity, o.within(11, 15, 19) ? kHintNativityEarly : kHintNativityLate);
    // 7. Great Lent.
    if (d >= -48 && d <= -3)
        set("Великий пост", kHintLent);
    // 8. Lazarus Saturday.
    if (d == -8)
        set("Разрешается рыбная икра", "Разрешается рыбная икра");
    // 9. Fish days.
    if (IsFishDay(o, weekday, d))
        set(kLabelFish, kLabelFish);
    // 10. Great Friday and Great Saturday.
    if (d == -2 || d == -1)
        set(kLabelStrictHolyWeek, kLabelStrictHolyWeek);
    // 11. The Annunciation in Holy Week.
    if (o.is(3, 25) && d >= -6 && d <= -1)
        set("Великий пост", kHintFastDay);
    // 12. The Peter fast, from the Monday after All Saints to 28 June.
    if (d > 56 && IsBeforePeterAndPaul(o) && !o.is(6, 24))
        set("Петров пост", kHintPeter);
    // 13. Fast-free weeks.
    if (IsChristmastide(o, 25))
        set(kLabelFastFree, "Святки - сплошная седмица");
    if (d >= -70 && d <= -64)
        set(kLabelFastFree, "Седмица о мытаре и фарисее - сплошная");
    if (d >= -56 && d <= -50)
        set(kLabelFastFree, "Сырная седмица (масленица) - сплошная");
    if (d >= 0 && d <= 6)
        set(kLabelFastFree, "Пасхальная седмица (Светлая) - сплошная");
    // 14. Wednesdays and Fridays of the Pentecostarion.
    if (d >= 8 && d <= 48 && fast_weekday) {
        if (o.is(5, 8))
            set(kLabelFish, kLabelFish);
        else
            set(kLabelFastDay, weekday == kWednesday ? kHintPaschaWednesday : kHintPaschaFriday);
    }
    // 15. The week of the Trinity.
    if (d >= 49 && d <= 55)
        set(kLabelFastFree, "Троицкая седмица - сплошная");
    // 16. A day with no rule gets the general hint.
    if (hint.empty())
        hint = kDefaultFastHint;
    return {label, hint};
}

std::string_view CalendarPost(Date new_style, OldStyleDate current_pascha)
{
    const int weekday = Weekday(new_style);
    const OldStyleDate old_style = OldStyle(new_style);
    const MonthDay o = OldMonthDay(old_style);
    const int d = old_style - current_pascha;
    const bool fast_weekday = IsWednesdayOrFriday(weekday);

    if ((o.is(12, 25) || o.is(1, 6)) && fast_weekday)
        return {};
    std::string_view text;
    if (fast_weekday)
        text = "постный день";
    if (o.is(12, 24) || o.is(1, 5) || o.is(8, 29) || o.is(9, 14))
        text = "строгий пост";
    if (o.within(8, 1, 14))
        text = "Успенский пост";
    if (IsNativityFast(o))
        text = "Рождественский пост";
    if (d >= -48 && d <= -1)
        text = "Великий пост";
    if (d >= 57 && d <= 155 && IsBeforePeterAndPaul(o))
        text = "Петров пост";
    return text;
}

std::string CalendarNePost(Date new_style, std::string text)
{
    const OldStyleDate old_style = OldStyle(new_style);
    const MonthDay o = OldMonthDay(old_style);
    const int d = old_style - DatePasha(YearOf(new_style));
    const std::string_view weekday = WeekdayName(IsoWeekday(new_style));
    auto append = [&](std::string_view suffix) {
        text += weekday;
        text += suffix;
    };
    if (IsChristmastide(o, 26))
        append(" сплошной седмицы, Святки");
    if (d >= -70 && d <= -64)
        append(" сплошной седмицы о мытаре и фарисее");
    if (d >= -56 && d <= -50)
        append(" сплошной, сырной седмицы (масленицы)");
    if (d >= 1 && d <= 6)
        append(" сплошной, Пасхальной (Светлой) седмицы");
    if (d >= 50 && d <= 55)
        append(" сплошной, Троицкой седмицы");
    return text;
}

std::span<const FastPeriod> FastPeriods()
{
    static constexpr std::string_view kFasts = "Многодневные посты";
    static constexpr std::string_view kFastFree = "Сплошные седмицы";
    static constexpr std::string_view kDeparted = "Дни особого поминовения усопших";
    static constexpr FastPeriod kPeriods[] = {
        {1, "Великий пост", kFasts},
        {2, "Петров пост", kFasts},
        {3, "Успенский пост", kFasts},
        {4, "Рождественский пост", kFasts},
        {5, "Святки", kFastFree},
        {6, "Мытаря и фарисея", kFastFree},
        {7, "Сырная (масленица)", kFastFree},
        {8, "Пасхальная (Светлая)", kFastFree},
        {9, "Троицкая", kFastFree},
        {10, "Суббота мясопустная", kDeparted},
        {11, "Суббота 2-й седмицы Великого поста", kDeparted},
        {12, "Суббота 3-й седмицы Великого поста", kDeparted},
        {13, "Суббота 4-й седмицы Великого поста", kDeparted},
        {14, "Радоница", kDeparted},
        {15, "Поминовение усопших воинов", kDeparted},
        {16, "Суббота Троицкая", kDeparted},
        {17, "Суббота Димитриевская", kDeparted},
    };
    return kPeriods;
}

OldStyleDate DemetriusSaturday(int julian_year)
{
    OldStyleDate saturday = FromOldStyle(julian_year, 10, 19);
    while (Weekday(saturday.civil()) != kSaturday)
        saturday = saturday + 1;
    // The feast of the Kazan icon keeps its day; the commemoration goes back a week.
    return saturday == FromOldStyle(julian_year, 10, 22) ? saturday - 7 : saturday;
}

std::optional<Date> PerPost(int kind, Date current)
{
    const int year = YearOf(current);
    const Date pascha = NewStyle(DatePasha(year));
    auto old_style_day = [](int y, int month, int day) { return NewStyle(FromOldStyle(y, month, day)); };

    switch (kind) {
    case 1: return pascha - 48;
    case 2: return pascha + 57;
    case 3: return old_style_day(year, 8, 1);
    case 4: return old_style_day(year, 11, 15);
    case 5: return old_style_day(year - 1, 12, 25);
    case 6: return pascha - 70;
    case 7: return pascha - 56;
    case 8: return pascha;
    case 9: return pascha + 49;
    case 10: {
        // The Meatfare Saturday gives way to the Meeting of the Lord.
        const Date saturday = pascha - 57;
        return old_style_day(year, 2, 2) == saturday ? pascha - 64 : saturday;
    }
    case 11: return pascha - 36;
    case 12: return pascha - 29;
    case 13: return pascha - 22;
    case 14: return pascha + 9;
    case 15: return old_style_day(year, 4, 26);
    case 16: return pascha + 48;
    case 17: return NewStyle(DemetriusSaturday(year));
    default: return std::nullopt;
    }
}

bool LentSaturdayEnabled(int kind, Date current, OldStyleDate current_pascha)
{
    int days_before_pascha = 0;
    switch (kind) {
    case 11: days_before_pascha = 36; break;
    case 12: days_before_pascha = 29; break;
    case 13: days_before_pascha = 22; break;
    default: return false;
    }
    const int year = YearOf(current);
    const OldStyleDate saturday = current_pascha - days_before_pascha;
    const MonthDay feasts[] = {{2, 24}, {3, 9}, {3, 24}, {3, 25}, {3, 26}};
    for (const MonthDay feast : feasts)
        if (saturday == FromOldStyle(year, feast.month, feast.day))
            return false;
    return true;
}

}  // namespace indikt
