#include "reading_cycle.h"

#include "date_texts.h"
#include "paschalion.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace indikt {

namespace {

// The civil date of the Sunday among the old-style days first..last of a month.
Date SundayAmong(int year, int month, int first, int last)
{
    for (int day = first; day <= last; ++day) {
        const Date civil = NewStyle(FromOldStyle(year, month, day));
        if (Weekday(civil) == kSunday)
            return civil;
    }
    return NewStyle(FromOldStyle(year, month, first));  // a week always holds a Sunday
}

bool KeyIn(const std::string& key, std::initializer_list<std::string_view> keys)
{
    for (const std::string_view k : keys)
        if (key == k)
            return true;
    return false;
}

bool OffsetIn(int offset, std::initializer_list<int> offsets)
{
    for (const int o : offsets)
        if (offset == o)
            return true;
    return false;
}

int OffsetOf(const ReadingCycle& c, int month, int day) { return FromOldStyle(c.old_year, month, day) - c.pascha; }

}  // namespace

ReadingCycle MakeReadingCycle(Date x)
{
    ReadingCycle c;
    c.x = x;
    c.d = OldStyle(x);
    const DayFields old = Fields(c.d);
    c.old_year = old.year;
    c.old_month = old.month;
    c.old_day = old.day;
    c.pascha = DatePasha(old.year);
    c.previous_pascha = DatePasha(old.year - 1);
    c.next_pascha = DatePasha(old.year + 1);
    c.w = DaysBetween(c.d, c.pascha);
    c.w_previous = DaysBetween(c.d, c.previous_pascha);
    c.key = TextOfMonthAndDay(c.d);
    c.weekday_key = TextOfDayTheWeek(x);
    c.weekday = Weekday(x);
    c.january_february = old.month <= 2;

    c.s15 = SundayAmong(c.january_february ? old.year - 1 : old.year, 9, 15, 21);
    c.j7 = SundayAmong(old.year, 1, 7, 13);
    c.j25 = SundayAmong(old.year, 1, 25, 31);
    c.pentecost = NewStyle((c.january_february ? c.previous_pascha : c.pascha) + 49);
    c.publican_end = c.january_february ? NewStyle(c.pascha - 70) : NewStyle(c.next_pascha - 70) + 1;
    c.publican_dispatch = NewStyle(c.d < c.pascha ? c.pascha - 70 : c.next_pascha - 70);

    c.jump = DaysBetween(c.s15, c.pentecost) / 7 - 17;
    c.week_after_pentecost = DaysBetween(x, c.pentecost) / 7;
    c.weeks_left = DaysBetween(x, c.publican_end) / 7;
    c.week_back = 33 - c.weeks_left;
    const int weeks = DaysBetween(c.publican_end, c.pentecost) / 7;
    c.surplus = c.january_february ? weeks - std::abs(c.jump) - 33 : weeks + c.jump - 33;
    if (c.january_february && c.surplus > 4 && AfterJanuaryWeeks(c)) {
        // Two weeks before the Publican Sunday the reading of the 17th week is taken.
        static constexpr int kLastWeeks[] = {33, 32, 17, 31, 30};
        c.week_back = c.weeks_left < 5 ? kLastWeeks[c.weeks_left] : 29;
    }
    return c;
}

bool IsGreatFeastDay(const ReadingCycle& c, ReadingBook book)
{
    if (OffsetIn(c.fromPascha(), {-7, 0, 39, 49}))
        return true;
    const int m = c.old_month;
    const int day = c.old_day;
    if (m == 2 && day == 2)
        return book != ReadingBook::Gospel || c.d < c.pascha - 48;
    return (m == 1 && day == 6) || (m == 3 && day == 25) || (m == 8 && day == 6) || (m == 8 && day == 15) ||
           (m == 9 && day == 8) || (m == 9 && day == 14) || (m == 11 && day == 21) || (m == 12 && day == 25);
}

ReadingPeriod PeriodOf(const ReadingCycle& c, ReadingBook book)
{
    return IsGreatFeastDay(c, book) ? ReadingPeriod::GreatFeast : OrdinaryPeriodOf(c);
}

ReadingPeriod OrdinaryPeriodOf(const ReadingCycle& c)
{
    const bool after_september_6 = c.old_month > 9 || (c.old_month == 9 && c.old_day > 6);
    if (after_september_6 || (c.january_february && c.x < c.publican_dispatch))
        return ReadingPeriod::AutumnWinter;
    if (c.d < c.pascha + 47 && c.x >= c.publican_dispatch)
        return ReadingPeriod::Triodion;
    return ReadingPeriod::Pentecostarion;
}

bool AfterJanuaryWeeks(const ReadingCycle& c) { return c.week_after_pentecost - c.jump + 1 > 33; }

// In January and February, once the count is past the 33rd week, both books
// read day n of the week S counted back from the Publican Sunday: when there
// are weeks to spare (Q ≠ 0), and also when the autumn jump ran the Gospel a
// week ahead (d < 0) with none to spare, where it would read past the 33rd
// week (numbers over 280) and the Apostle with it.
static bool InJanuaryWeeks(const ReadingCycle& c)
{
    return c.january_february && (c.surplus != 0 || c.jump < 0) && AfterJanuaryWeeks(c);
}
static int JanuaryWeekNumber(const ReadingCycle& c) { return 7 * c.week_back + 42 + IsoWeekday(c.x); }

// The jump after the Sunday after the Exaltation, then the January weeks.
// The Sunday of the 28th week keeps its own Gospel (Lk 76) even when the
// Forefathers' Sunday, which reads the same, follows a week or two later:
// the calendars print it so, and the 29th Sunday's Gospel (Lk 85) stays on
// its own Sunday.
int AutumnMovableNumber(const ReadingCycle& c)
{
    const int w = c.january_february ? c.w_previous : c.w;
    int number = 0;
    if (c.x <= c.s15)
        number = w > 168 && c.jump > 0 ? w - 42 - 7 * c.jump : w;
    else
        number = w - 7 * c.jump;
    if (InJanuaryWeeks(c))
        number = JanuaryWeekNumber(c);
    return number;
}

int AutumnApostleNumber(const ReadingCycle& c)
{
    if (InJanuaryWeeks(c))
        return JanuaryWeekNumber(c);
    // The Sunday before the Publican is always that of Zacchaeus, the 32nd,
    // however many weeks after Pentecost it is.
    if (c.january_february && c.isSunday() && c.x + 7 == c.publican_dispatch)
        return 273;
    return c.january_february ? c.w_previous : c.w;
}

int WeekOfMovableNumber(int number) { return (number - 43) / 7; }

std::string MovableFileName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "%.3d.txt", number);
    return name;
}

int EothinonNumber(const ReadingCycle& c)
{
    int n = 0;
    if (c.d > c.pascha && c.w > 52) {
        n = (c.w - 49) / 7 % 11;
    } else if (c.d < c.pascha) {
        n = (c.w_previous - 49) / 7 % 11;
    } else {
        switch (c.w) {
        case 7: n = 1; break;
        case 14: n = 3; break;
        case 21: n = 4; break;
        case 28: n = 7; break;
        case 35: n = 8; break;
        case 42: n = 10; break;
        default: n = 0;
        }
    }
    return n == 0 ? 11 : n;
}

int AutumnSundayWeek(const ReadingCycle& c)
{
    if (AfterJanuaryWeeks(c))
        return c.week_back;
    return c.week_after_pentecost - c.jump;
}

int AutumnMondayWeek(const ReadingCycle& c)
{
    return AfterJanuaryWeeks(c) ? c.week_back : c.week_after_pentecost - c.jump + 1;
}

bool FeastSetsTheOrdinaryReadingAside(const ReadingCycle& c, ReadingBook book)
{
    if (c.isSunday())
        return false;
    const std::string& key = c.key;
    switch (OrdinaryPeriodOf(c)) {
    case ReadingPeriod::Pentecostarion:
        return KeyIn(key, {"июн24", "июн29", "июл08", "июл15", "июл19", "июл20", "авг01", "авг29", "сен01", "авг06",
                           "авг15"}) ||
               FeastReceivedOn(c) == MovedFeast::NativityOfForerunner;
    case ReadingPeriod::AutumnWinter:
        return KeyIn(key, {"сен26", "окт01", "окт22", "ноя08", "дек06", "янв01", "янв05", "сен08", "сен14", "ноя21",
                           "фев02"}) ||
               (book == ReadingBook::Apostle && key == "дек30");
    default:
        return false;
    }
}

std::optional<Date> OrdinaryReadingMovedHere(const ReadingCycle& c, ReadingBook book)
{
    if (c.isSunday() || PeriodOf(c, book) != OrdinaryPeriodOf(c) || FeastSetsTheOrdinaryReadingAside(c, book))
        return std::nullopt;
    const auto gives_here = [&](Date day) {
        const ReadingCycle other = MakeReadingCycle(day);
        return OrdinaryPeriodOf(other) == OrdinaryPeriodOf(c) && FeastSetsTheOrdinaryReadingAside(other, book);
    };
    constexpr int kTuesday = 3;
    if (c.weekday == kTuesday && gives_here(c.x - 1))
        return c.x - 1;
    if (gives_here(c.x + 1))
        return c.x + 1;
    return std::nullopt;
}

MovedFeast FeastReceivedOn(const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const int may25 = OffsetOf(c, 5, 25);
    if (((may25 == 49 || may25 == 48) && from == 46) ||
        ((may25 == 47 || may25 == 50) && c.key == "май26") || (may25 == 56 && c.key == "май30"))
        return MovedFeast::ThirdFinding;
    if (c.key == "июн25" && OffsetOf(c, 6, 24) == 63)
        return MovedFeast::NativityOfForerunner;
    const int feb24 = OffsetOf(c, 2, 24);
    if ((OffsetIn(feb24, {-57, -53, -51, -48}) && c.key == "фев23") || (feb24 == -47 && from == -49) ||
        (OffsetIn(feb24, {-46, -45, -44}) && from == -43))
        return MovedFeast::FirstFinding;
    const int mar9 = OffsetOf(c, 3, 9);
    if ((OffsetIn(mar9, {-47, -46, -45, -44}) && from == -43) || (mar9 == -25 && c.key == "мар08") ||
        (mar9 == -17 && c.key == "мар07") || (mar9 == -15 && c.key == "мар10"))
        return MovedFeast::FortyMartyrs;
    return MovedFeast::None;
}

bool FixedReadingSuppressed(const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const std::string& key = c.key;
    if (key == "май25" && OffsetIn(from, {47, 48, 50, 56}))
        return true;
    if (key == "фев24" && OffsetIn(from, {-57, -53, -51, -48, -47, -46, -45, -44}))
        return true;
    if (key == "мар09" && (OffsetIn(from, {-25, -17, -15}) || (from > -49 && from < -43)))
        return true;
    if (from == 48 && key != "май09")
        return true;
    if (key == "июн21" && from == 63)
        return true;
    if (KeyIn(key, {"апр27", "май01", "май02", "май07", "май10", "май15", "май23", "май27"}) && c.isSunday() &&
        from < 48)
        return true;
    if (KeyIn(key, {"июн03", "июн08", "июн09", "июн10", "июн14", "июн18"}) && (from == 63 || from < 57))
        return true;
    if (KeyIn(key, {"фев03", "фев05"}) && from > -49)
        return true;
    if (key == "фев17" && from > -49 && c.weekday != kSunday && c.weekday != 7)
        return true;
    if (key == "апр23" && from <= 0)
        return true;
    return false;
}

std::string FixedReadingKey(const ReadingCycle& c)
{
    switch (FeastReceivedOn(c)) {
    case MovedFeast::ThirdFinding: return "май25";
    case MovedFeast::NativityOfForerunner: return "июн24";
    case MovedFeast::FirstFinding: return "фев24";
    case MovedFeast::FortyMartyrs: return "мар09";
    case MovedFeast::None: break;
    }
    return FixedReadingSuppressed(c) ? std::string() : c.key;
}

Date ThirdFindingTarget(const ReadingCycle& c)
{
    const int may25 = OffsetOf(c, 5, 25);
    const int shift = may25 == 49 ? -3 : may25 == 48 ? -2 : may25 == 47 || may25 == 50 ? 1 : may25 == 56 ? 5 : 0;
    return c.x + shift;
}

Date TriodionTransferTarget(const ReadingCycle& c)
{
    // Each feast by its own table: in a year where 24 February falls early,
    // 9 March can meet a row of its table too, and the service of 24 February
    // still goes to the day before it.
    const int from = c.fromPascha();
    if (c.key == "фев24") {
        if (OffsetIn(from, {-57, -53, -51, -48}))
            return c.x - 1;
        if (from == -47)
            return c.x - 2;
        if (OffsetIn(from, {-46, -45, -44}))
            return NewStyle(c.pascha - 43);
    }
    if (c.key == "мар09") {
        if (OffsetIn(from, {-47, -46, -45, -44}))
            return NewStyle(c.pascha - 43);
        if (from == -25)
            return c.x - 1;
        if (from == -17)
            return c.x - 2;
        if (from == -15)
            return c.x + 1;
    }
    return c.x;
}

}  // namespace indikt
