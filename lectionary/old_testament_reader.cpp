// The Old Testament readings (parimii) of the vespers of a day: one rule for
// the whole year, with its own transfer days (the eves of the Gospel's
// targets) and its own suppressions.
//
// Where the rules leave a choice: the Great Vespers piece of the Annunciation
// is shown on 25 March itself; the reading of the eve of 25 March replaces the
// fixed reading of 24 March on the Lenten days named; a transferred reading
// goes into the fixed slot when it is free, else into the other slot, and is
// otherwise only appended to the text — the three slots never shift.

#include "lectionary/readings.h"
#include "lectionary/slot_reader.h"

#include "calendar/reading_cycle.h"

namespace indikt {

namespace {

enum Slot { kMovable = 0, kOther = 1, kFixed = 2 };

const QString kPar = "Богослужение\\Паримии\\";
const QString kBefore = kPar + "Переходящие чтения\\До Пасхи\\";
const QString kAfter = kPar + "Переходящие чтения\\После Пасхи\\";
const QString kOtherFolder = kPar + "Переходящие чтения\\Иные\\";
const QString kFixedFolder = kPar + "Непереходящие чтения\\";

const QString kMeetingMoved =
    "Служба праздника Сретения Господа нашего Иисуса Христа переносится на неделю Сыропустную. Службы попразднства и "
    "отдания Сретения Господня не совершаются.";

bool In(int value, std::initializer_list<int> values)
{
    for (const int v : values)
        if (value == v)
            return true;
    return false;
}

bool ReceivesFirstFinding(const ReadingCycle& c)
{
    if (c.isSunday())
        return false;
    const int from = c.fromPascha();
    if (c.key == "фев23")
        return In(from, {-58, -54, -52, -49, -37, -30}) || (from > -43 && from < -37) || (from > -36 && from < -30) ||
               from > -29;
    if (c.key == "фев22")
        return from == -49;
    return KeyIn(c.key, {"фев24", "фев25", "фев26"}) && from == -44;
}

bool ReceivesThirdFinding(const ReadingCycle& c)
{
    const int from = c.fromPascha();
    return (KeyIn(c.key, {"май22", "май23"}) && from == 46) || (c.key == "май26" && (from == 51 || from == 48)) ||
           (c.key == "май30" && from == 61);
}

bool ReceivesFortyMartyrs(const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const std::string& key = c.key;
    return (key == "мар12" && from == -44) || (key == "мар11" && from == -44) ||
           (key == "мар10" && (from == -44 || from == -14)) || (key == "мар09" && from == -44 && !c.isSunday()) ||
           (key == "мар07" && from == -27) || (key == "мар06" && from == -20);
}

bool Suppressed(const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const std::string& key = c.key;
    const bool sunday = c.isSunday();
    return (from == 48 && key != "май09") ||
           (from == 39 && !KeyIn(key, {"май08", "май09", "май11", "май21", "апр30"})) ||
           (from == 50 && key != "май11") || from == -53 || from == -51 ||
           (KeyIn(key, {"май02", "май10", "май15", "май23", "май27"}) && sunday && from < 48) ||
           (KeyIn(key, {"июн09", "июн10", "июн14", "июн18"}) && (from == 63 || from < 57)) ||
           (key == "июн24" && from == 63) ||
           (key == "мар08" && (sunday || (from > -49 && from < -43) || In(from, {-25, -17, -15})));
}

}  // namespace

ReadingText ParimiiText(const TreeFiles& files, Date civil)
{
    SlotReader r(files, {"ActionParPer", "ActionParInoe", "ActionParNePer"});
    const ReadingCycle c = MakeReadingCycle(civil);
    const int from = c.fromPascha();
    const std::string& key = c.key;
    const bool sunday = c.isSunday();
    const bool suppressed = Suppressed(c);

    QString movable = r.read(kMovable, (c.d <= c.pascha ? kBefore : kAfter) + Qs(MovableFileName(c.w)));
    QString other = r.read(kOther, kOtherFolder + Qs(key + c.weekday_key) + ".txt");

    QString vespers;  // A
    std::string fixed_key;
    if (c.old_month == 2 && c.old_day == 1 && c.w == 49)
        fixed_key = "фев02";
    else if (ReceivesFortyMartyrs(c) || (key == "мар08" && !sunday && !suppressed))
        fixed_key = "мар09";
    else if (suppressed)
        fixed_key.clear();
    else if (key == "мар25")
        fixed_key = "мар25";
    else if (key == "мар24" && In(from, {-30, -23, -16, -9, -2, -1}))
        fixed_key.clear();  // the eve of the Annunciation reads its own pair below
    else if (FeastReceivedOn(c) == MovedFeast::NativityOfForerunner)
        fixed_key = "июн24";
    // Lent has no fixed parimii on weekdays, except the Forty Martyrs on a
    // Monday and the Meeting on Clean Monday, whose service is read first.
    else if (from >= -48 && from < 0 && !sunday && !(key == "мар09" && c.weekday == 2) && key != "фев02")
        fixed_key.clear();
    else
        fixed_key = key;
    QString fixed = fixed_key.empty() ? QString() : r.read(kFixed, kFixedFolder + Qs(fixed_key) + ".txt");

    if (key == "мар25" && In(from, {-27, -20, -13, -6})) {
        const QString eve = files.reading(kFixedFolder + "мар24.txt");
        if (!eve.isEmpty())
            vespers = "На Великой вечерне " + eve + " ";
    }
    if (key == "мар24" && In(from, {-30, -23, -16, -9, -2, -1}))
        other += r.read(kOther, kOtherFolder + "мар25Вс.txt");
    if (key == "мар25" && from == 0)
        other.clear();

    // A feast moved to this day is read in addition.
    const QString moved_file = ReceivesFirstFinding(c) ? "фев24.txt" : ReceivesThirdFinding(c) ? "май25.txt" : QString();
    QString moved;
    if (!moved_file.isEmpty() && files.exists(kFixedFolder + moved_file)) {
        moved = files.reading(kFixedFolder + moved_file);
        const ReadingText so_far = r.finish({});
        if (so_far.addresses[kFixed].isEmpty())
            r.mark(kFixed, kFixedFolder + moved_file);
        else if (so_far.addresses[kOther].isEmpty())
            r.mark(kOther, kFixedFolder + moved_file);
    }
    fixed = fixed.isEmpty() ? moved : moved.isEmpty() ? fixed : fixed + " " + moved;

    if (from == 49) {
        fixed.clear();
        r.forget(kFixed);
    }
    if (!fixed.isEmpty() && (!movable.isEmpty() || !other.isEmpty()))
        fixed = " " + fixed;

    QString text;
    if ((key == "мар09" || key == "фев24") && c.weekday == 2 && !movable.isEmpty() && !fixed.isEmpty())
        text = fixed + "\r" + vespers + movable + other;
    else if (key == "фев02" && from == -48)
        text = fixed + "\r" + vespers + movable + other + "\r\n\r\n" + kMeetingMoved;
    else if (key == "мар25" && from == -7)
        text = other + Labelled(" Недели Ваий: ", movable) + vespers + fixed;
    else
        text = vespers + movable + other + fixed;
    return r.finish(text.trimmed());
}

}  // namespace indikt
