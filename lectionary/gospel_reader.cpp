// The Gospel readings of a day: the Sunday matins Gospel, the matins and
// liturgy readings of the movable cycle, of the date and of the date with its
// weekday, the great feasts, and the notices of the spring transfers.
//
// Where the rules give no order for the pieces (the great feasts, the
// Triodion), the matins come first, then "На литургии " with the day's
// readings; a day with no liturgy reading at all has no liturgy label. Every
// matins reading ends its line, so the liturgy never runs on after it, and
// the liturgy of the summer and of the autumn always says that it is the
// liturgy's, once: a missing file leaves no label behind, and " Рядовое: "
// marks the ordinary reading only after a reading of the feast.

#include "lectionary/readings.h"
#include "lectionary/slot_reader.h"

#include "calendar/date_texts.h"
#include "calendar/reading_cycle.h"

namespace indikt {

namespace {

enum Slot { kMatins = 0, kGreatMovable = 1, kGreatFixed = 2, kMovable = 3, kFixed = 4, kOther = 5 };

const QString kEv = "Богослужение\\Евангелие\\";
const QString kSundayMatins = kEv + "Воскресные\\";
const QString kMatinsAfter = kEv + "Переходящие чтения\\После Пасхи\\Утреня\\";
const QString kMatinsBefore = kEv + "Переходящие чтения\\До Пасхи\\Утреня\\";
const QString kLiturgyAfter = kEv + "Переходящие чтения\\После Пасхи\\Литургия\\";
const QString kLiturgyBefore = kEv + "Переходящие чтения\\До Пасхи\\Литургия\\";
const QString kOtherLiturgy = kEv + "Переходящие чтения\\Иные\\Литургия\\";
const QString kFixedMatins = kEv + "Непереходящие чтения\\Утреня\\";
const QString kFixedLiturgy = kEv + "Непереходящие чтения\\Литургия\\";
const QString kGreatFixedMatins = kEv + "Великие праздники\\Непереходящие чтения\\Утреня\\";
const QString kGreatFixedLiturgy = kEv + "Великие праздники\\Непереходящие чтения\\Литургия\\";

QString GreatMovable(bool before_pascha, bool matins)
{
    return kEv + "Великие праздники\\Переходящие чтения\\" + (before_pascha ? "До Пасхи\\" : "После Пасхи\\") +
           (matins ? "Утреня\\" : "Литургия\\");
}


// "Вт 4 июн (22 май)": the civil weekday and date and the old-style date of a day.
QString TransferCaption(Date target)
{
    return Qs(TextOfDayTheWeekAndMonth1(target)) + " (" + Qs(TextOfMonthAndDay3(OldStyle(target))) + ")";
}

const QString kThirdFindingHere = "На этот день переносится служба Обретению главы Иоанна Предтечи.";
const QString kThirdFindingMoved = "Служба Обретению главы Иоанна Предтечи переносится на ";
const QString kNativityHere = "На этот день переносится служба Рождества Иоанна Предтечи.";
const QString kFortyHere = "На этот день переносится служба 40 мчч.";
const QString kFortyMoved = "Служба 40 мчч. переносится на ";
const QString kNotice = "\r\n\r\n";

// The liturgy part of a day, labelled "На литургии " once; empty when no
// reading of the liturgy was found.
QString AtTheLiturgy(const QString& readings)
{
    const QString text = readings.trimmed();
    if (text.isEmpty() || text.startsWith("На литургии"))
        return text;
    return "На литургии " + text;
}

QString SundayMatins(SlotReader& r, const ReadingCycle& c)
{
    return c.isSunday()
               ? Labelled("На утрени ", r.read(kMatins, kSundayMatins + QString::number(EothinonNumber(c)) + ".txt"), "\r\n")
               : QString();
}

int OffsetOf(const ReadingCycle& c, int month, int day) { return FromOldStyle(c.old_year, month, day) - c.pascha; }

// The period a great feast's day would have without the feast: its own
// movable reading is numbered by it.
QString OrdinaryLiturgyPath(const ReadingCycle& c)
{
    switch (OrdinaryPeriodOf(c)) {
    case ReadingPeriod::Triodion: return kLiturgyBefore + MovableFile(c.w);
    case ReadingPeriod::AutumnWinter: return kLiturgyAfter + MovableFile(AutumnMovableNumber(c));
    default: return kLiturgyAfter + MovableFile(c.w);
    }
}

// The ordinary reading of a day whose feast set it aside, read today along
// with today's own: " И за субботу: " and the reading.
QString MovedHere(const SlotReader& r, const ReadingCycle& c, const QString& own)
{
    const std::optional<Date> from = OrdinaryReadingMovedHere(c, ReadingBook::Gospel);
    if (own.isEmpty() || !from)
        return {};
    return Labelled(AlongForTheDay(*from), r.readAlong(OrdinaryLiturgyPath(MakeReadingCycle(*from))));
}

QString Pentecostarion(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const std::string& key = c.key;
    const QString sunday_matins = SundayMatins(r, c);
    const QString other = Labelled(" ", r.read(kOther, kOtherLiturgy + Qs(key + c.weekday_key) + ".txt"));
    const QString movable_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kMatinsAfter + MovableFile(c.w)), "\r\n");
    const MovedFeast received = FeastReceivedOn(c);
    const bool moved_here = received == MovedFeast::ThirdFinding;
    const bool nativity_here = received == MovedFeast::NativityOfForerunner;
    const bool no_fixed = FixedReadingSuppressed(c);
    QString movable = FeastSetsTheOrdinaryReadingAside(c, ReadingBook::Gospel)
                          ? QString()
                          : r.read(kMovable, kLiturgyAfter + MovableFile(c.w));
    movable += MovedHere(r, c, movable);

    const std::string matins_key = moved_here ? "май25" : no_fixed ? "" : key;
    const QString fixed_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kFixedMatins + KeyFile(matins_key)), "\r\n");
    const std::string liturgy_key = moved_here ? "май25" : nativity_here ? "июн24" : no_fixed ? "" : key;
    QString fixed = r.read(kFixed, kFixedLiturgy + KeyFile(liturgy_key));
    if (!fixed.isEmpty() && !movable.isEmpty())
        fixed = " " + fixed;

    QString liturgy;
    const bool apostles = KeyIn(key, {"июн24", "июн29", "авг29"});
    const bool summer_feasts =
        KeyIn(key, {"июн18", "июл02", "июл08", "июл15", "июл19", "июл20", "авг01", "авг13", "авг16"}) && !sunday;
    if (apostles && !fixed.isEmpty() && !movable.isEmpty())
        liturgy = fixed.trimmed() + other + " Рядовое: " + movable;
    else if (apostles && !fixed.isEmpty())
        liturgy = "На литургии " + fixed;
    else if (summer_feasts && !fixed.isEmpty() && !movable.isEmpty() && !other.isEmpty())
        liturgy = fixed.trimmed() + other + " Рядовое: " + movable;
    else if (summer_feasts && !fixed.isEmpty() && !movable.isEmpty())
        liturgy = "На литургии" + fixed + " Рядовое: " + movable;
    else if (c.weekday == 7 && c.fromPascha() > 56 && !fixed.isEmpty())
        liturgy = "На литургии " + fixed.trimmed() + other + Labelled(" Рядовое: ", movable);
    else if (!(movable + other + fixed).isEmpty())
        liturgy = "На литургии " + movable + other + fixed;

    QString text = sunday_matins + fixed_matins + movable_matins + AtTheLiturgy(liturgy);
    if (moved_here)
        text += kNotice + kThirdFindingHere;
    if (key == "май25" && no_fixed)
        text += kNotice + kThirdFindingMoved + TransferCaption(ThirdFindingTarget(c)) + ".";
    if (nativity_here)
        text += kNotice + kNativityHere;
    return text;
}

QString GreatFeast(SlotReader& r, const ReadingCycle& c)
{
    const int from = c.fromPascha();
    const bool movable_feast = from == -7 || from == 0 || from == 39 || from == 49;
    const bool before = c.d < c.pascha;
    const std::string& key = c.key;
    const bool annunciation = key == "мар25";
    const QString great_matins = movable_feast ? r.read(kMatins, GreatMovable(before, true) + MovableFile(c.w)) : QString();
    const QString great_liturgy =
        movable_feast ? r.read(kGreatMovable, GreatMovable(before, false) + MovableFile(c.w)) : QString();
    QString fixed_matins;
    if (great_matins.isEmpty() || (annunciation && from == -7))
        fixed_matins = r.read(kMatins, kGreatFixedMatins + KeyFile(key));
    const QString fixed_liturgy = r.read(kGreatFixed, kGreatFixedLiturgy + KeyFile(key));

    QString matins;
    if (annunciation && from == -7)  // Palm Sunday on the Annunciation: its own matins is set aside
        matins = Labelled("На утрени ", fixed_matins);
    else if (!great_matins.isEmpty())
        matins = "На утрени " + great_matins;
    else if (!fixed_matins.isEmpty())
        matins = (annunciation && from == -2 ? "На утрени после 7-го Евангелия: " : "На утрени ") + fixed_matins;

    QString liturgy;
    if (annunciation && from == -7 && !great_liturgy.isEmpty())
        liturgy = Labelled("На литургии ", fixed_liturgy) + (fixed_liturgy.isEmpty() ? "" : " ") + "Недели Ваий: " +
                  great_liturgy;
    else {
        QString readings = great_liturgy;
        if (!fixed_liturgy.isEmpty())
            readings += (readings.isEmpty() ? "" : " ") + fixed_liturgy;
        liturgy = Labelled("На литургии ", readings);
    }
    // Ascension on a feast of the Menaion keeps the day's own reading.
    if (from == 39 && KeyIn(key, {"апр30", "май08", "май09", "май11", "май21"}))
        liturgy += Labelled(" ", r.read(kFixed, kFixedLiturgy + KeyFile(key)));
    // The Annunciation in Holy Week: the day's ordinary readings too.
    if (annunciation && (from == -3 || from == -2 || from == -1)) {
        const QString ordinary = r.read(kMovable, kLiturgyBefore + MovableFile(c.w));
        liturgy += Labelled(QString("\r\n") + (from == -2 ? "" : "На литургии "), ordinary);
        if (from == -1)
            liturgy += Labelled("\r\nНа утрени ", r.read(kMatins, kMatinsBefore + MovableFile(c.w)));
    }
    // A great feast of the date on a Sunday: the Sunday's own reading.
    if (c.isSunday() && !movable_feast && KeyIn(key, {"фев02", "мар25", "авг15", "сен08", "ноя21"})) {
        const QString label = before && c.w == 28 ? " Недели: " : " Рядовое ";
        liturgy += Labelled(label, r.read(kMovable, OrdinaryLiturgyPath(c)));
        if (key == "сен08")
            liturgy += Labelled(" ", r.read(kOther, kOtherLiturgy + Qs(key + c.weekday_key) + ".txt"));
    }
    if (matins.isEmpty())
        return liturgy;
    return liturgy.isEmpty() ? matins : matins + "\r\n" + liturgy;
}

QString AutumnWinter(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const bool saturday = c.weekday == 7;
    const bool monday = c.weekday == 2;
    const std::string& key = c.key;
    const QString sunday_matins = SundayMatins(r, c);

    QString other = r.read(kOther, kOtherLiturgy + Qs(key + c.weekday_key) + ".txt");
    QString other_apart;  // J: kept apart from the ordinary reading
    const QString other_reading = other;  // I without its label
    if (!other.isEmpty()) {
        if ((KeyIn(key, {"окт08", "окт09", "окт10", "окт11", "окт12", "окт14"}) && sunday) ||
            (KeyIn(key, {"окт15", "окт19", "окт20", "окт21", "окт23", "окт24", "окт25", "янв01"}) && saturday)) {
            other_apart = " " + other;
            other.clear();
        } else if (!sunday && !KeyIn(key, {"дек22", "дек23", "дек24", "янв03", "янв04", "янв05"})) {
            other = "На литургии " + other;
        }
    }
    const int w = c.january_february ? c.w_previous : c.w;
    const QString movable_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kMatinsAfter + MovableFile(w)), "\r\n");
    QString movable;
    if (!FeastSetsTheOrdinaryReadingAside(c, ReadingBook::Gospel))
        movable = r.read(kMovable, kLiturgyAfter + MovableFile(AutumnMovableNumber(c)));
    movable += MovedHere(r, c, movable);
    QString ordinary = movable;  // O, labelled where it follows a reading of the feast

    const bool december = c.old_month == 12;
    const bool until_j7 = c.january_february && c.x <= c.j7;
    if (c.surplus != 0 && !other.isEmpty() && c.x != c.j25 && c.x != c.j7 - 1 &&
        ((sunday && december) || key == "дек24" || until_j7 || (KeyIn(key, {"дек26", "дек30"}) && saturday)))
        ordinary.clear();
    // After the Sunday after Theophany the Sunday's own reading leads, before
    // the reading of the date and weekday.
    const bool movable_leads = c.january_february && c.x > c.j7 && sunday && !other.isEmpty();

    if (!movable.isEmpty()) {
        const bool with_other = !other.isEmpty();
        QString label;
        if (c.x > c.s15) {
            const int sunday_week = AutumnSundayWeek(c);
            const int monday_week = AutumnMondayWeek(c);
            if (sunday && (!AfterJanuaryWeeks(c) || c.week_back < 33)) {
                // Behind the other reading the week's label does not say "На литургии" again.
                if (AfterJanuaryWeeks(c) && (!with_other || movable_leads))
                    label = (with_other ? " На литургии недели " : "На литургии недели ") + QString::number(sunday_week) + "-й: ";
                else
                    label = with_other ? " Недели " + QString::number(sunday_week) + "-й: "
                                       : "На литургии недели " + QString::number(sunday_week) + "-й: ";
            } else if (monday) {
                label = (with_other ? " Рядовые чтения " : "На литургии рядовые чтения ") + QString::number(monday_week) +
                        "-й седмицы: ";
            } else {
                label = with_other ? " Рядовое: " : "На литургии ";
            }
        } else {
            label = with_other ? " Рядовое: " : "На литургии ";
        }
        movable = label + movable;
    }
    if ((c.surplus != 0 && !other.isEmpty() && c.x != c.j25 && (december || until_j7)) || (key == "дек21" && sunday)) {
        movable.clear();
        r.forget(kMovable);
    }

    const QString fixed_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kFixedMatins + KeyFile(key)), "\r\n");
    QString fixed = r.read(kFixed, kFixedLiturgy + KeyFile(key));
    if (!fixed.isEmpty()) {
        if (!movable.isEmpty())
            fixed = " " + fixed + " ";
        else if (!ordinary.isEmpty() || !other.isEmpty())
            fixed = " " + fixed;
    }
    if ((december && c.old_day >= 12 && c.old_day <= 25 && !other.isEmpty() && !KeyIn(key, {"дек13", "дек17", "дек21"})) ||
        (december && c.old_day > 25 && sunday && !other.isEmpty()) || (key == "дек26" && monday)) {
        fixed.clear();
        r.forget(kFixed);
    }

    const auto left = LeftTrimmed;
    const auto right = RightTrimmed;
    QString liturgy;
    if (key == "сен13" && !sunday)
        liturgy = FeastAndOrdinary(Joined(fixed.trimmed(), other_reading), ordinary);
    else if (key == "янв01" && saturday)
        liturgy = fixed + other_apart;
    else if (!other_apart.isEmpty())
        liturgy = left(movable) + other_apart + right(fixed);
    else if (key == "окт13" && sunday)
        liturgy = left(movable) + fixed + left(other);
    else if (!other.isEmpty() && saturday)
        liturgy = other + right(fixed) + Labelled(" Рядовое: ", ordinary);
    else if (saturday && !fixed.isEmpty())
        liturgy = FeastAndOrdinary(fixed, ordinary);
    else if (movable_leads && !movable.isEmpty())
        liturgy = left(movable) + " " + other + right(fixed);
    else if (movable.isEmpty() && other.isEmpty())
        liturgy = fixed;
    else if (key == "дек26" && (c.weekday == 4 || c.weekday == 5))
        liturgy = FeastAndOrdinary(fixed, ordinary);
    else
        liturgy = other + movable + right(fixed);
    return sunday_matins + fixed_matins + movable_matins + AtTheLiturgy(liturgy);
}

QString Triodion(SlotReader& r, const ReadingCycle& c)
{
    const bool sunday = c.isSunday();
    const std::string& key = c.key;
    const int from = c.fromPascha();
    const bool meeting_on_forgiveness = c.old_month == 2 && c.old_day == 1 && c.w == 49;

    QString sunday_matins;
    if (sunday && meeting_on_forgiveness)
        sunday_matins = Labelled("На утрени ", r.read(kMatins, kGreatFixedMatins + "фев02.txt"), "\r\n");
    else
        sunday_matins = SundayMatins(r, c);
    const QString other = r.read(kOther, kOtherLiturgy + Qs(key + c.weekday_key) + ".txt");
    const QString movable_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kMatinsBefore + MovableFile(c.w)), "\r\n");
    QString movable = r.read(kMovable, kLiturgyBefore + MovableFile(c.w));
    const bool late_january_sunday = sunday && c.old_month == 1 && c.old_day >= 23;
    if (!movable.isEmpty()) {
        if (late_january_sunday && !other.isEmpty())
            movable = "На литургии " + movable;
        else if (!other.isEmpty())
            movable = " Рядовое: " + movable;
        else if (c.w != 2 || !(c.d < c.pascha))
            movable = "На литургии " + movable;
    }
    if ((key == "янв26" && c.w == 64) ||
        (c.weekday == 7 && (c.w == 36 || c.w == 29 || c.w == 22) &&
         !KeyIn(key, {"фев24", "мар09", "мар24", "мар25", "мар26"})))
        movable += " За упокой: [от Иоанна, зачало 16, Ин 5:24-30=in16].";

    std::string fixed_key = FixedReadingKey(c);
    // Wednesday and Friday before Lent, the Saturday before the Last Judgement,
    // and 8 February in Lent have no reading of the date.
    if (from == -53 || from == -51 || from == -57 || (key == "фев08" && from > -49))
        fixed_key.clear();
    const bool publican_on_january_11 = key == "янв11" && c.x == c.publican_dispatch;
    if (publican_on_january_11)
        fixed_key.clear();
    const QString fixed_matins =
        sunday ? QString() : Labelled("На утрени ", r.read(kMatins, kFixedMatins + KeyFile(fixed_key)), "\r\n");
    QString fixed;
    if (sunday && meeting_on_forgiveness) {
        fixed = r.read(kFixed, kGreatFixedLiturgy + "фев02.txt");
    } else if (key == "фев15" && Fields(OldStyle(c.publican_dispatch)).month == 1 &&
               Fields(OldStyle(c.publican_dispatch)).day == 11) {
        fixed = r.read(kFixed, kFixedLiturgy + "янв11.txt");
    } else {
        fixed = r.read(kFixed, kFixedLiturgy + KeyFile(fixed_key));
    }

    QString liturgy;
    if (!other.isEmpty() && !late_january_sunday)
        liturgy = "На литургии " + other + movable;
    else
        liturgy = movable.isEmpty() ? Labelled("На литургии ", other) : movable + Labelled(" ", other);
    if (!fixed.isEmpty())
        liturgy = liturgy.isEmpty() ? "На литургии " + fixed : liturgy + " " + fixed;

    QString text = sunday_matins + fixed_matins + movable_matins + liturgy;
    const MovedFeast received = FeastReceivedOn(c);
    const int feb24 = OffsetOf(c, 2, 24);
    const int mar9 = OffsetOf(c, 3, 9);
    const QString target = TransferCaption(TriodionTransferTarget(c));
    if (received == MovedFeast::FirstFinding)
        text += kNotice + kThirdFindingHere;
    if (key == "фев24" && (feb24 == -57 || feb24 == -53 || feb24 == -51 || feb24 == -48 || (feb24 >= -47 && feb24 <= -44)))
        text += kNotice + kThirdFindingMoved + target + ".";
    if (received == MovedFeast::FortyMartyrs)
        text += kNotice + kFortyHere;
    if (key == "мар09" && ((mar9 >= -47 && mar9 <= -44) || mar9 == -25 || mar9 == -17 || mar9 == -15))
        text += kNotice + kFortyMoved + target + ".";
    return text;
}

}  // namespace

ReadingText EvangText(const TreeFiles& files, Date civil)
{
    SlotReader reader(files, {"ActionEvUtr", "ActionEvVelPer", "ActionEvVelNePer", "ActionEvPer", "ActionEvNePer",
                              "ActionEvInoe"});
    const ReadingCycle c = MakeReadingCycle(civil);
    QString text;
    switch (PeriodOf(c, ReadingBook::Gospel)) {
    case ReadingPeriod::GreatFeast: {
        text = GreatFeast(reader, c);
        const int may25 = OffsetOf(c, 5, 25);
        if (c.key == "май25" && (may25 == 49 || may25 == 50))
            text += kNotice + kThirdFindingMoved + TransferCaption(ThirdFindingTarget(c)) + ".";
        break;
    }
    case ReadingPeriod::AutumnWinter: text = AutumnWinter(reader, c); break;
    case ReadingPeriod::Triodion: text = Triodion(reader, c); break;
    case ReadingPeriod::Pentecostarion: text = Pentecostarion(reader, c); break;
    }
    return reader.finish(text);
}

}  // namespace indikt
