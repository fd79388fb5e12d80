// The Apostle readings of a day. They follow the Gospel's periods, numbering
// and transfers; the text carries no "На литургии" labels, only " Рядовое: "
// and the week labels of the autumn mark the ordinary reading.

#include "lectionary/readings.h"
#include "lectionary/slot_reader.h"

#include "calendar/reading_cycle.h"

namespace indikt {

namespace {

enum Slot { kGreatMovable = 0, kGreatFixed = 1, kMovable = 2, kFixed = 3, kOther = 4 };

const QString kAp = "Богослужение\\Апостол\\";
const QString kAfter = kAp + "Переходящие чтения\\После Пасхи\\";
const QString kBefore = kAp + "Переходящие чтения\\До Пасхи\\";
const QString kOtherFolder = kAp + "Переходящие чтения\\Иные\\";
const QString kFixedFolder = kAp + "Непереходящие чтения\\";
const QString kGreatFixedFolder = kAp + "Великие праздники\\Непереходящие чтения\\";

QString GreatMovable(bool before_pascha)
{
    return kAp + "Великие праздники\\Переходящие чтения\\" + (before_pascha ? "До Пасхи\\" : "После Пасхи\\");
}

QString OtherFile(const ReadingCycle& c) { return kOtherFolder + Qs(c.key + c.weekday_key) + ".txt"; }

// The movable reading of the Apostle in the ordinary period of a day.
QString OrdinaryPath(const ReadingCycle& c)
{
    switch (OrdinaryPeriodOf(c)) {
    case ReadingPeriod::Triodion: return kBefore + MovableFile(c.w);
    case ReadingPeriod::AutumnWinter: return kAfter + MovableFile(AutumnApostleNumber(c));
    default: return kAfter + MovableFile(c.w);
    }
}

// The ordinary reading of a day whose feast set it aside, read today along
// with today's own: " И за субботу: " and the reading.
QString MovedHere(const SlotReader& r, const ReadingCycle& c, const QString& own)
{
    const std::optional<Date> from = OrdinaryReadingMovedHere(c, ReadingBook::Apostle);
    if (own.isEmpty() || !from)
        return {};
    return Labelled(AlongForTheDay(*from), r.readAlong(OrdinaryPath(MakeReadingCycle(*from))));
}

QString Pentecostarion(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const std::string& key = c.key;
    const QString other = Labelled(" ", r.read(kOther, OtherFile(c)));
    QString movable = FeastSetsTheOrdinaryReadingAside(c, ReadingBook::Apostle)
                          ? QString()
                          : r.read(kMovable, kAfter + MovableFile(c.w));
    movable += MovedHere(r, c, movable);
    QString fixed;
    if (key == "май21" && c.fromPascha() > 49) {
        fixed = "Богородице: [зачало 240, Флп 2:5–11=240]. Равноапостольным: [зачало 200, Гал 1:11–19=200].";
        r.mark(kFixed, kFixedFolder + "май21.txt");
    } else {
        fixed = r.read(kFixed, kFixedFolder + KeyFile(FixedReadingKey(c)));
    }
    const bool feast_first =
        (KeyIn(key, {"июн18", "июл02", "июл08", "июл15", "июл19", "июл20", "авг01", "авг13", "авг16"}) && !sunday) ||
        (KeyIn(key, {"июн24", "июн29", "авг29"}) && c.fromPascha() > 56);
    if (!fixed.isEmpty() && !movable.isEmpty() && feast_first) {
        QString ordinary = movable;
        ordinary[0] = ordinary[0].toLower();
        return fixed + " Рядовое: " + ordinary + other;
    }
    return Joined(movable + other, fixed);
}

QString GreatFeast(SlotReader& r, const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const bool movable_feast = from == -7 || from == 0 || from == 39 || from == 49;
    const std::string& key = c.key;
    const bool annunciation = key == "мар25";
    QString great_movable = movable_feast ? r.read(kGreatMovable, GreatMovable(c.d < c.pascha) + MovableFile(c.w)) : QString();
    if (annunciation && from == -7)
        great_movable = Labelled("Недели Ваий: ", great_movable);
    const QString great_fixed = r.read(kGreatFixed, kGreatFixedFolder + KeyFile(key));
    QString text = annunciation && from == -7 ? Joined(great_fixed, great_movable) : Joined(great_movable, great_fixed);
    if (c.isSunday() && !movable_feast && KeyIn(key, {"фев02", "мар25", "авг15", "сен08", "ноя21"})) {
        text += Labelled(c.d < c.pascha && c.w == 28 ? " Недели: " : " Рядовое ", r.read(kMovable, OrdinaryPath(c)));
        if (key == "сен08")
            text += Labelled(" ", r.read(kOther, OtherFile(c)));
    }
    if (from == 39 && KeyIn(key, {"апр30", "май08", "май09", "май11", "май21"}))
        text += Labelled(" ", r.read(kFixed, kFixedFolder + KeyFile(key)));
    if (annunciation && from >= -8 && from <= -1)
        text += Labelled(" Рядовое: ", r.read(kMovable, kBefore + MovableFile(c.w)));
    return text;
}

QString AutumnWinter(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const bool saturday = c.weekday == 7;
    const bool monday = c.weekday == 2;
    const std::string& key = c.key;
    QString other = r.read(kOther, OtherFile(c));
    QString other_apart;
    if (!other.isEmpty() &&
        ((KeyIn(key, {"окт08", "окт09", "окт10", "окт11", "окт12", "окт14"}) && sunday) ||
         (KeyIn(key, {"окт15", "окт19", "окт20", "окт21", "окт23", "окт24", "окт25", "янв01"}) && saturday))) {
        other_apart = " " + other;
        other.clear();
    }
    const int number = AutumnApostleNumber(c);
    QString movable;
    if (!FeastSetsTheOrdinaryReadingAside(c, ReadingBook::Apostle))
        movable = r.read(kMovable, kAfter + MovableFile(number));
    movable += MovedHere(r, c, movable);
    QString ordinary = movable;  // labelled where it follows a reading of the feast
    const bool december = c.old_month == 12;
    const bool until_j7 = c.january_february && c.x <= c.j7;
    if (c.surplus != 0 && !other.isEmpty() && c.x != c.j25 && c.x != c.j7 - 1 &&
        ((sunday && december) || key == "дек24" || until_j7 || (KeyIn(key, {"дек26", "дек30"}) && saturday)))
        ordinary.clear();
    if (!movable.isEmpty()) {
        const bool with_other = !other.isEmpty();
        const QString space = with_other ? " " : "";
        QString label = with_other ? " Рядовое: " : "";
        if (c.x > c.s15) {
            if (sunday && (!AfterJanuaryWeeks(c) || c.week_back < 33))
                label = space + "Недели " + QString::number(WeekOfMovableNumber(number)) + "-й: ";
            else if (monday)
                label = space + "Рядовые чтения " + QString::number(WeekOfMovableNumber(number)) + "-й седмицы: ";
        }
        movable = label + movable;
    }
    if ((c.surplus != 0 && !other.isEmpty() && c.x != c.j25 && (december || until_j7)) || (key == "дек21" && sunday)) {
        movable.clear();
        r.forget(kMovable);
    }
    QString fixed = r.read(kFixed, kFixedFolder + KeyFile(key));
    if ((december && c.old_day >= 12 && c.old_day <= 25 && !other.isEmpty() && !KeyIn(key, {"дек13", "дек17", "дек21"})) ||
        (december && c.old_day > 25 && sunday && !other.isEmpty()) || (key == "дек26" && monday)) {
        fixed.clear();
        r.forget(kFixed);
    }
    // The Gospel's combinations of the special days, without the liturgy words.
    if (key == "сен13" && !sunday)
        return FeastAndOrdinary(Joined(fixed, other), ordinary);
    if (key == "янв01" && saturday)
        return fixed + other_apart;
    if (!other_apart.isEmpty())
        return Joined(LeftTrimmed(movable), LeftTrimmed(other_apart) + (fixed.isEmpty() ? "" : " " + fixed));
    if (!other.isEmpty() && saturday)
        return FeastAndOrdinary(Joined(other, fixed), ordinary);
    if (saturday && !fixed.isEmpty())
        return FeastAndOrdinary(fixed, ordinary);
    if (key == "дек26" && (c.weekday == 4 || c.weekday == 5))
        return FeastAndOrdinary(fixed, ordinary);
    return Joined(Joined(other, LeftTrimmed(movable)), fixed);
}

QString Triodion(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const std::string& key = c.key;
    const bool late_january_sunday = sunday && c.old_month == 1 && c.old_day >= 23;
    const QString other = r.read(kOther, OtherFile(c));
    const QString own = c.w <= 70 ? r.read(kMovable, kBefore + MovableFile(c.w)) : QString();
    QString along;  // read after the day's own reading: for the departed, for the Meeting
    const bool excepted = KeyIn(key, {"фев24", "мар09", "мар24", "мар25", "мар26"});
    if ((key == "янв26" && c.w == 64) || (c.weekday == 7 && (c.w == 36 || c.w == 29) && !excepted))
        along += " За упокой: [зачало 270, 1 Фес 4:13–17=270].";
    else if (c.weekday == 7 && c.w == 22 && !excepted)
        along += " За упокой: [зачало 163, 1 Кор 15:47–57=163].";
    if (c.old_month == 2 && c.old_day == 1 && c.w == 49)
        along += " Сретению: [зачало 316, Евр 7:7-17=316].";
    QString fixed;
    // The reading of 11 January moves to 15 February when the Publican Sunday
    // fell on 11 January, as for the Gospel.
    const DayFields publican = Fields(OldStyle(c.publican_dispatch));
    if (key == "фев15" && publican.month == 1 && publican.day == 11)
        fixed = r.read(kFixed, kFixedFolder + "янв11.txt");
    else if (!(key == "янв11" && c.x == c.publican_dispatch))
        fixed = r.read(kFixed, kFixedFolder + KeyFile(FixedReadingKey(c)));
    // As in the Gospel the reading of the date and weekday comes first and the
    // day's own is marked as the ordinary one; on a Sunday late in January the
    // Sunday's own reading leads.
    const QString readings = !other.isEmpty() && !own.isEmpty() && !late_january_sunday
                                 ? other + " Рядовое: " + own + along
                                 : Joined(LeftTrimmed(own + along), other);
    return Joined(readings, fixed).trimmed();
}

}  // namespace

ReadingText ApostolText(const TreeFiles& files, Date civil)
{
    SlotReader reader(files, {"ActionApVelPer", "ActionApVelNePer", "ActionApPer", "ActionApNePer", "ActionApInoe"});
    const ReadingCycle c = MakeReadingCycle(civil);
    QString text;
    switch (PeriodOf(c, ReadingBook::Apostle)) {
    case ReadingPeriod::GreatFeast: text = GreatFeast(reader, c); break;
    case ReadingPeriod::AutumnWinter: text = AutumnWinter(reader, c); break;
    case ReadingPeriod::Triodion: text = Triodion(reader, c); break;
    case ReadingPeriod::Pentecostarion: text = Pentecostarion(reader, c); break;
    }
    return reader.finish(text.trimmed());
}

}  // namespace indikt
