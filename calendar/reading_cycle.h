#pragma once

// Where a day stands in the cycle of readings: the old-style date and its
// distance from Pascha, the four reading periods of the year, the number of
// the movable reading (with the jump of the Gospel cycle in autumn), the
// Sunday matins Gospel, and the transfers of the spring feasts that collide
// with the movable cycle. The readers of the Gospel, the Apostle and the Old
// Testament turn these into file names; nothing here touches a file.
//
// The reference days of the autumn and winter (the Sunday after the
// Exaltation, the Sundays after Theophany, Pentecost, the Publican Sunday)
// are held as civil dates, the days of the old-style year as old-style dates;
// both name true days, so every distance below is the true number of days.

#include "date.h"

#include <optional>
#include <string>

namespace indikt {

enum class ReadingPeriod {
    GreatFeast,     // Palm Sunday, Pascha, Ascension, Pentecost, the fixed great feasts
    AutumnWinter,   // after 6 September to the Sunday of the Publican
    Triodion,       // the Sunday of the Publican to Holy Saturday
    Pentecostarion  // the Monday after Pascha to 6 September
};

struct ReadingCycle {
    Date x;               // the civil date
    OldStyleDate d;       // the same day, old style
    int old_year = 0;     // Y
    int old_month = 0;
    int old_day = 0;
    OldStyleDate pascha;          // P
    OldStyleDate previous_pascha; // P₋
    OldStyleDate next_pascha;     // P₊
    int w = 0;            // days between D and P, without sign
    int w_previous = 0;   // days between D and P₋
    std::string key;      // day key of D, "май25"
    std::string weekday_key;  // "Вс" … of x
    int weekday = 0;      // 1 Sunday … 7 Saturday, of x
    bool january_february = false;

    Date s15;             // Sunday after the Exaltation (civil)
    Date j7;              // Sunday after Theophany (civil)
    Date j25;             // Sunday among 25–31 January (civil)
    Date pentecost;       // PE (civil)
    Date publican_end;    // PUB (civil)
    Date publican_dispatch;  // the Publican Sunday that starts the Triodion (civil)

    int jump = 0;         // d: weeks the Exaltation Sunday lies after the 17th after Pentecost
    int week_after_pentecost = 0;  // R
    int weeks_left = 0;   // k
    int week_back = 0;    // S (after the January table)
    int surplus = 0;      // Q

    int fromPascha() const { return d - pascha; }  // D − P, signed
    bool isSunday() const { return weekday == kSunday; }
};

ReadingCycle MakeReadingCycle(Date x);

// The great feasts that take the day whole. The Gospel counts 2 February
// only before Clean Monday; the Apostle always.
enum class ReadingBook { Gospel, Apostle, OldTestament };
bool IsGreatFeastDay(const ReadingCycle& c, ReadingBook book);
ReadingPeriod PeriodOf(const ReadingCycle& c, ReadingBook book);
// The period of the day as if no great feast fell on it: a feast on a
// Sunday still reads that Sunday's movable reading by it.
ReadingPeriod OrdinaryPeriodOf(const ReadingCycle& c);

// The number of the movable reading of the autumn and winter ("После Пасхи",
// with w₋ in January and February): the jump after the Sunday after the
// Exaltation, then the weeks before the Publican Sunday in January and
// February.
int AutumnMovableNumber(const ReadingCycle& c);
// The Apostle's number in the same period. The Apostle is read by the weeks
// after Pentecost (w, or w₋ in January and February): the Gospel's Lukan jump
// does not move it. Only in the weeks before the Publican Sunday, when both
// books read the week S, does it take the Gospel's number; and the Sunday
// before the Publican reads the 32nd Sunday, that of Zacchaeus.
int AutumnApostleNumber(const ReadingCycle& c);
// The week an autumn Apostle number belongs to, for its Sunday and Monday labels.
int WeekOfMovableNumber(int number);

// "007.txt"
std::string MovableFileName(int number);

// The resurrection Gospel of Sunday matins, 1 to 11.
int EothinonNumber(const ReadingCycle& c);

// The week labels of the autumn Gospel and Apostle: the cycle week shown
// on Sundays (R − d, or S) and Mondays (R − d + 1, or S).
int AutumnSundayWeek(const ReadingCycle& c);
int AutumnMondayWeek(const ReadingCycle& c);
bool AfterJanuaryWeeks(const ReadingCycle& c);  // R − d + 1 > 33

// A feast of the date on a weekday that sets the day's movable reading aside:
// in the summer 24 and 29 June, 8, 15, 19 and 20 July, 1 and 29 August,
// 1 September, and 25 June when it keeps the Nativity of the Forerunner; in
// the autumn and winter 26 September, 1 and 22 October, 8 November,
// 6 December, 1 and 5 January, and for the Apostle 30 December; and the great
// fixed feasts of 6 and 15 August, 8 and 14 September, 21 November and
// 2 February outside the Triodion.
bool FeastSetsTheOrdinaryReadingAside(const ReadingCycle& c, ReadingBook book);

// The day whose ordinary reading, set aside by such a feast, is read today
// along with today's own ("и за субботу"): tomorrow, or yesterday when that
// was a Monday, since a Sunday takes no reading of another day. Only an
// ordinary day of the summer or of the autumn and winter receives one, and
// only from a day of the same reading period.
std::optional<Date> OrdinaryReadingMovedHere(const ReadingCycle& c, ReadingBook book);

// The spring feasts moved by the movable cycle, as the Gospel and Apostle
// readers see them: which feast's fixed reading a day receives, and whether
// the day's own fixed reading is suppressed.
enum class MovedFeast { None, ThirdFinding, NativityOfForerunner, FirstFinding, FortyMartyrs };
MovedFeast FeastReceivedOn(const ReadingCycle& c);
bool FixedReadingSuppressed(const ReadingCycle& c);
// The day key of the fixed file to read today: the received feast's key,
// the day's own key, or empty when suppressed.
std::string FixedReadingKey(const ReadingCycle& c);
// The target day of a moved feast, as a civil date (for the notices); the day
// itself when the feast is not moved.
Date ThirdFindingTarget(const ReadingCycle& c);
Date TriodionTransferTarget(const ReadingCycle& c);

}  // namespace indikt
