#include "day_status.h"

#include "date_texts.h"
#include "paschalion.h"

namespace indikt {

namespace {

// The word after a count of days, with its full stop and blank.
const char* DaysWord(int count)
{
    const int last_two = count % 100;
    if (last_two >= 11 && last_two <= 15)
        return " дней. ";
    switch (count % 10) {
    case 1: return " день. ";
    case 2:
    case 3:
    case 4: return " дня. ";
    default: return " дней. ";
    }
}

std::string PaschaPiece(Date current)
{
    const DayFacts facts = MakeDayFacts(current);
    if (facts.pascha_distance == 0)
        return ". Святая Пасха Христова.";
    const int year = YearOf(facts.old_style);
    int since_year = year;
    int since = facts.pascha_distance;
    int to_year = year + 1;
    int to = DaysBetween(DatePasha(year + 1), facts.old_style);
    if (facts.old_style < facts.pascha) {
        since_year = year - 1;
        since = DaysBetween(facts.old_style, DatePasha(year - 1));
        to_year = year;
        to = facts.pascha_distance;
    }
    return ". От Паcхи " + std::to_string(since_year) + " г. - " + std::to_string(since) + DaysWord(since) +
           "До Паcхи " + std::to_string(to_year) + " г. - " + std::to_string(to) + DaysWord(to);
}

}  // namespace

std::string LongDateText(Date current) { return TextOfDayAndMonthAndYear3(current) + " г. "; }

std::string OldStylePiece(Date current)
{
    return "(" + TextOfMonthAndDay2(MakeDayFacts(current).old_style) + " по ст. ст.)";
}

std::string DayStatusText(Date current) { return LongDateText(current) + OldStylePiece(current) + PaschaPiece(current); }

}  // namespace indikt
