#include "sedmiza.h"

#include "paschalion.h"

#include <string_view>

namespace indikt {

namespace {

inline constexpr int kFirstTableDay = -70;  // Sunday of the Publican and Pharisee
inline constexpr int kLastTableDay = 63;    // second Sunday after Pentecost

void AppendNumber(std::string& out, int value) { out += std::to_string(value); }

std::string WithTone(std::string_view text, int tone)
{
    std::string result(text);
    AppendNumber(result, tone);
    result += "-й.";
    return result;
}

std::string OutsideTable(Date new_style, const PentecostCount& count)
{
    std::string text;
    if (Weekday(new_style) == kSunday) {
        text = "Неделя ";
        AppendNumber(text, count.sunday_number);
    } else {
        text = "Седмица ";
        AppendNumber(text, count.week_number);
    }
    text += "-я по Пятидесятнице. Глас ";
    return WithTone(text, count.tone);
}

// The plain table, by days from Pascha (kFirstTableDay..kLastTableDay).
std::string PlainTableText(int e, int tone)
{
    if (e == -70) return WithTone("Неделя о мытаре и фарисее. Глас ", tone);
    if (e <= -64) return WithTone("Седмица о мытаре и фарисее. Глас ", tone);
    if (e == -63) return WithTone("Неделя о блудном сыне. Глас ", tone);
    if (e <= -57) return WithTone("Седмица мясопустная. Глас ", tone);
    if (e == -56) return WithTone("Неделя мясопустная, о Страшном Суде. Глас ", tone);
    if (e <= -50) return WithTone("Седмица сырная. Глас ", tone);
    if (e == -49) return WithTone("Неделя сыропустная. Воспоминание Адамова изгнания. Прощенное воскресенье. Глас ", tone);
    if (e <= -43) return WithTone("Седмица 1-я Великого поста. Глас ", tone);
    if (e == -42) return WithTone("Неделя 1-я Великого поста. Торжество Православия. Глас ", tone);
    if (e <= -36) return WithTone("Седмица 2-я Великого поста. Глас ", tone);
    if (e == -35) return WithTone("Неделя 2-я Великого поста. Глас ", tone);
    if (e <= -29) return WithTone("Седмица 3-я Великого поста. Глас ", tone);
    if (e == -28) return WithTone("Неделя 3-я Великого поста. Крестопоклонная. Глас ", tone);
    if (e <= -22) return WithTone("Седмица 4-я Великого поста. Глас ", tone);
    if (e == -21) return WithTone("Неделя 4-я Великого поста. Глас ", tone);
    if (e <= -15) return WithTone("Седмица 5-я Великого поста. Глас ", tone);
    if (e == -14) return WithTone("Неделя 5-я Великого поста. Глас ", tone);
    if (e <= -8) return WithTone("Седмица ваий. Глас ", tone);
    switch (e) {
    case -7: return "Неделя 6-я Великого поста, ваий (цветоносная, Вербное воскресенье).";
    case -6: return "Великий понедельник Страстной седмицы.";
    case -5: return "Великий вторник Страстной седмицы.";
    case -4: return "Великая среда Страстной седмицы.";
    case -3: return "Великий четверг Страстной седмицы.";
    case -2: return "Великая пятница Страстной седмицы.";
    case -1: return "Великая суббота Страстной седмицы.";
    case 0: return "Пасха.";
    case 1: return "Понедельник Светлой седмицы.";
    case 2: return "Вторник Светлой седмицы.";
    case 3: return "Среда Светлой седмицы.";
    case 4: return "Четверг Светлой седмицы.";
    case 5: return "Пятница Светлой седмицы.";
    case 6: return "Суббота Светлой седмицы.";
    case 7: return "Антипасха. Неделя 2-я по Пасхе, апостола Фомы.";
    case 14: return "Неделя 3-я по Пасхе, святых жен-мироносиц.";
    case 21: return "Неделя 4-я по Пасхе, о расслабленном.";
    case 28: return "Неделя 5-я по Пасхе, о самарянке.";
    case 35: return "Неделя 6-я по Пасхе, о слепом.";
    case 42: return "Неделя 7-я по Пасхе, святых отцов Первого Вселенского Собора.";
    case 49: return "Неделя 8-я по Пасхе.";
    case 56: return "Неделя 1-я по Пятидесятнице, всех святых. Глас 8-й.";
    case 63: return "Неделя 2-я по Пятидесятнице, всех святых в земле Российской просиявших. Глас 1-й.";
    default: break;
    }
    if (e <= 13) return "Седмица 2-я по Пасхе.";
    if (e <= 20) return "Седмица 3-я по Пасхе.";
    if (e <= 27) return "Седмица 4-я по Пасхе.";
    if (e <= 34) return "Седмица 5-я по Пасхе.";
    if (e <= 41) return "Седмица 6-я по Пасхе.";
    if (e <= 48) return "Седмица 7-я по Пасхе.";
    if (e <= 55) return "Седмица 1-я по Пятидесятнице.";
    return "Седмица 2-я по Пятидесятнице. Глас 8-й.";
}

std::string SynaxarionLink(std::string_view label, int anchor)
{
    std::string text = "[";
    text += label;
    text += "=sinaksar.htm#s";
    if (anchor < 10)
        text += '0';
    AppendNumber(text, anchor);
    text += ']';
    return text;
}

std::string LinkWithTone(std::string_view label, int anchor, int tone)
{
    return WithTone(SynaxarionLink(label, anchor) + ". Глас ", tone);
}

std::string LinkWithPoint(std::string_view label, int anchor) { return SynaxarionLink(label, anchor) + "."; }

// The rows where the linked table differs from the plain one; empty elsewhere.
std::string LinkedTableText(int e, int tone)
{
    switch (e) {
    case -70: return LinkWithTone("Неделя о мытаре и фарисее", 1, tone);
    case -63: return LinkWithTone("Неделя о блудном сыне", 2, tone);
    case -57: return LinkWithTone("Суббота мясопустная", 3, tone);
    case -56: return LinkWithTone("Неделя мясопустная, о Страшном Суде", 4, tone);
    case -50: return LinkWithTone("Суббота сырной седмицы", 5, tone);
    case -49: return LinkWithTone("Неделя сыропустная. Воспоминание Адамова изгнания. Прощенное воскресенье", 6, tone);
    case -43: return LinkWithTone("Суббота 1-я Великого поста", 7, tone);
    case -42: return LinkWithTone("Неделя 1-я Великого поста. Торжество Православия", 8, tone);
    case -35: return LinkWithTone("Неделя 2-я Великого поста", 9, tone);
    case -28: return LinkWithTone("Неделя 3-я Великого поста. Крестопоклонная", 10, tone);
    case -21: return LinkWithTone("Неделя 4-я Великого поста", 11, tone);
    case -15: return LinkWithTone("Суббота Акафиста", 13, tone);
    case -14: return LinkWithTone("Неделя 5-я Великого поста", 14, tone);
    case -8: return LinkWithTone("Лазарева суббота", 15, tone);
    case -7: return LinkWithPoint("Неделя 6-я Великого поста, ваий (цветоносная, Вербное воскресенье)", 16);
    case -6: return LinkWithPoint("Великий понедельник Страстной седмицы", 17);
    case -5: return LinkWithPoint("Великий вторник Страстной седмицы", 18);
    case -4: return LinkWithPoint("Великая среда Страстной седмицы", 19);
    case -3: return LinkWithPoint("Великий четверг Страстной седмицы", 20);
    case -2: return LinkWithPoint("Великая пятница Страстной седмицы", 21);
    case -1: return LinkWithPoint("Великая суббота Страстной седмицы", 22);
    case 0: return LinkWithPoint("Святая Пасха", 23);
    case 5: return LinkWithPoint("Пятница Светлой седмицы", 24);
    case 7: return LinkWithPoint("Антипасха. Неделя 2-я по Пасхе, апостола Фомы", 25);
    case 14: return LinkWithPoint("Неделя 3-я по Пасхе, святых жен-мироносиц", 26);
    case 21: return LinkWithPoint("Неделя 4-я по Пасхе, о расслабленном", 27);
    case 24: return LinkWithPoint("Преполовение Пятидесятницы", 28);
    case 28: return LinkWithPoint("Неделя 5-я по Пасхе, о самарянке", 29);
    case 35: return LinkWithPoint("Неделя 6-я по Пасхе, о слепом", 30);
    case 39: return LinkWithPoint("Вознесение Господне", 31);
    case 42: return LinkWithPoint("Неделя 7-я по Пасхе, святых отцов Первого Вселенского Собора", 32);
    case 49: return LinkWithPoint("Неделя святой Пятидесятницы", 33);
    case 50: return LinkWithPoint("Понедельник Святого Духа", 34);
    case 56: return SynaxarionLink("Неделя 1-я по Пятидесятнице, всех святых", 35) + ". Глас 8-й.";
    default: return {};
    }
}

// The day of the Great Canon carries its link in place of the plain text.
std::string GreatCanonText(int e, int tone)
{
    if (e == -17)
        return LinkWithTone("Четверг 5-й седмицы Великого поста. Стояние Марии Египетской", 12, tone);
    return LinkWithTone("Вторник 5-й седмицы Великого поста. Стояние Марии Египетской", 12, tone);
}

std::string WeekText(Date new_style, bool with_links)
{
    const PentecostCount count = CountFromPentecost(new_style);
    const int e = count.days_from_pascha;
    if (e < kFirstTableDay || e > kLastTableDay)
        return OutsideTable(new_style, count);
    if (with_links) {
        if (OldStyle(new_style) == GreatCanonDay(YearOf(OldStyle(new_style))))
            return GreatCanonText(e, count.tone);
        std::string linked = LinkedTableText(e, count.tone);
        if (!linked.empty())
            return linked;
    }
    return PlainTableText(e, count.tone);
}

}  // namespace

// The count runs from this year's Pentecost from Palm Sunday on, and from
// last year's before it: the tones of the Triodion weeks up to the fifth
// Sunday of Lent continue those of the year before. Both Pentecosts are
// reckoned in the same (old) style as the day itself.
PentecostCount CountFromPentecost(Date new_style)
{
    const OldStyleDate old_style = OldStyle(new_style);
    const int old_year = YearOf(old_style);
    const OldStyleDate pascha = DatePasha(old_year);
    const OldStyleDate palm_sunday = pascha - 7;
    const OldStyleDate pentecost = (old_style < palm_sunday ? DatePasha(old_year - 1) : pascha) + 49;
    const int days = DaysBetween(old_style, pentecost);
    const int sunday_number = days / 7;
    const int week_number = (days + 7) / 7;
    const int remainder = sunday_number % 8;
    const int tone = remainder == 0 ? 7 : remainder == 1 ? 8 : remainder - 1;
    return {old_style - pascha, sunday_number, week_number, tone};
}

OldStyleDate GreatCanonDay(int julian_year)
{
    const OldStyleDate thursday = DatePasha(julian_year) - 17;
    const OldStyleDate annunciation = FromOldStyle(julian_year, 3, 25);
    return annunciation == thursday || annunciation == thursday - 1 ? thursday - 2 : thursday;
}

std::string Sedmiza(Date new_style) { return WeekText(new_style, false); }

std::string SedmizaURL(Date new_style) { return WeekText(new_style, true); }

}  // namespace indikt
