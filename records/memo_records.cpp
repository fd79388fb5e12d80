#include "memo_records.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <algorithm>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

QString StoredDateText(Date date) { return Qs(TextOfDayAndMonthAndYear1(date)); }

// The Russian word for a count of days after "за N".
QString DaysWord(int count)
{
    const int last_two = count % 100;
    const int last = count % 10;
    if (last_two >= 11 && last_two <= 14)
        return " дней ";
    if (last == 1)
        return " день ";
    if (last >= 2 && last <= 4)
        return " дня ";
    return " дней ";
}

QString MovablePreview(const QString& start, Date picked)
{
    const int offset = OffsetFromPascha(picked);
    if (offset < 0)
        return start + "за " + QString::number(-offset) + DaysWord(-offset) + "до Пасхи";
    if (offset > 0)
        return start + "на " + QString::number(offset) + "-й день после Пасхи";
    return start + "на Пасху";
}

}  // namespace

Date KeptOldStyleDay(Date civil)
{
    const DayFields old = Fields(OldStyle(civil));
    // The civil calendar lacks 29 February of 1900, 2100 ...: that day keeps
    // its month and day with the leap year before.
    const int year = IsValidCivil(old.year, old.month, old.day) ? old.year : old.year - 4;
    return FromCivil(year, old.month, old.day);
}

Date ClampToCalendarRange(Date date)
{
    return date < kFirstDate ? kFirstDate : date > kLastDate ? kLastDate : date;
}

QString MinuteText(int minute)
{
    return QString("%1:%2").arg(minute / 60, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'));
}

std::optional<int> ParseMinute(QStringView text)
{
    const QList<QStringView> parts = text.trimmed().split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QStringView part = parts[i];
        if (part.isEmpty() || part.size() > 2)
            return std::nullopt;
        for (const QChar c : part)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        fields[i] = part.toInt();
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    return fields[0] * 60 + fields[1];
}

QString KindText(bool movable) { return movable ? "переходящий" : "не переходящий"; }

QString StatusText(FeastStatus status)
{
    switch (status) {
    case FeastStatus::Church: return "православный";
    case FeastStatus::Civil: return "государственный";
    case FeastStatus::Other: return "иной";
    }
    return "иной";
}

QString PeriodText(EventPeriod period)
{
    switch (period) {
    case EventPeriod::Once: return "Однократно";
    case EventPeriod::Daily: return "Ежедневно";
    case EventPeriod::Monthly: return "Ежемесячно";
    case EventPeriod::Yearly: return "Ежегодно";
    }
    return "Ежегодно";
}

EventPeriod PeriodFromText(QStringView text)
{
    for (const EventPeriod period : {EventPeriod::Once, EventPeriod::Daily, EventPeriod::Monthly})
        if (text == PeriodText(period))
            return period;
    return EventPeriod::Yearly;
}

std::optional<FeastStatus> StatusFromText(QStringView text)
{
    for (const FeastStatus status : {FeastStatus::Church, FeastStatus::Civil, FeastStatus::Other})
        if (text == StatusText(status))
            return status;
    return std::nullopt;
}

int OffsetFromPascha(Date civil)
{
    const OldStyleDate old_style = OldStyle(civil);
    return old_style - DatePasha(YearOf(old_style));
}

void ComputeJubilee(YubRecord& jubilee, const MemoClock& clock)
{
    const Date today = clock.today;
    const int year = YearOf(today);
    Date occurrence;
    if (jubilee.movable()) {
        occurrence = NewStyle(DatePasha(year)) + *jubilee.pascha_offset;
        if (occurrence < today)
            occurrence = NewStyle(DatePasha(year + 1)) + *jubilee.pascha_offset;
    } else {
        occurrence = SameDayInYear(jubilee.stored, year);
        if (occurrence < today)
            occurrence = SameDayInYear(jubilee.stored, year + 1);
    }
    jubilee.occurrence = occurrence;
    jubilee.waiting = DaysBetween(occurrence, today);
    jubilee.years = year - YearOf(jubilee.stored) + (YearOf(occurrence) == year ? 0 : 1);
}

PrasdRecord MakeFeast(QString name, bool movable, FeastStatus status, int pascha_offset, Date stored,
                      bool stored_is_old_style, const MemoClock& clock)
{
    PrasdRecord feast;
    feast.name = std::move(name);
    feast.movable = movable;
    feast.status = status;
    feast.stored = stored;
    feast.stored_is_old_style = !movable && status == FeastStatus::Church && stored_is_old_style;
    const Date today = clock.today;
    const int year = YearOf(today);

    if (movable) {
        feast.occurrence = NewStyle(DatePasha(year)) + pascha_offset;
        if (feast.occurrence < today)
            feast.occurrence = NewStyle(DatePasha(year + 1)) + pascha_offset;
        feast.pascha_offset = pascha_offset;
    } else {
        const bool old_style = status == FeastStatus::Church && stored_is_old_style;
        const CivilFields kept = Fields(stored);
        // The kept day in a year: for an old-style feast the civil day its
        // old-style day and month fall on in that old-style year.
        const auto in_year = [&](int y) {
            return old_style
                       ? NewStyle(FromOldStyle(y, kept.month, std::min(kept.day, DaysInJulianMonth(y, kept.month))))
                       : SameDayInYear(stored, y);
        };
        int chosen_year = year;
        if (old_style) {
            // Late-December old-style feasts fall in early January: in the
            // first days of January they are looked for in this January.
            const int difference = CalendarDifference(today);
            const CivilFields now = Fields(today);
            if (now.month == 1 && now.day < difference + 1 && kept.month == 12 && kept.day > 31 - difference)
                chosen_year = year - 1;
        }
        feast.occurrence = in_year(chosen_year);
        int pascha_year = year;
        if (feast.occurrence < today) {
            // The following occurrence is the one of the year after the year
            // chosen (for the January case above, this year's December).
            feast.occurrence = in_year(chosen_year + 1);
            pascha_year = chosen_year + 1;
        }
        feast.pascha_offset = OldStyle(feast.occurrence) - DatePasha(pascha_year);
    }
    feast.waiting = DaysBetween(feast.occurrence, today);
    return feast;
}

bool EventTimeHasPassed(int event_minute, const MemoClock& clock) { return clock.minute >= event_minute; }

void ComputeEvent(SobRecord& event, const MemoClock& clock)
{
    const Date today = clock.today;
    const CivilFields now = Fields(today);
    const bool passed = EventTimeHasPassed(event.minute, clock);
    const auto gone = [&](Date date) { return date < today || (date == today && passed); };
    const auto day_in_month = [](int year, int month, int day) {
        return FromCivil(year, month, std::min(day, DaysInMonth(year, month)));
    };

    switch (event.period) {
    case EventPeriod::Once:
        event.occurrence = event.stored;
        if (gone(event.stored))
            event.active = false;
        break;
    case EventPeriod::Yearly:
        event.occurrence = SameDayInYear(event.stored, now.year);
        if (gone(event.occurrence))
            event.occurrence = SameDayInYear(event.stored, now.year + 1);
        break;
    case EventPeriod::Monthly: {
        const int day = Fields(event.stored).day;
        event.occurrence = day_in_month(now.year, now.month, day);
        if (gone(event.occurrence))
            event.occurrence = now.month == 12 ? day_in_month(now.year + 1, 1, day)
                                               : day_in_month(now.year, now.month + 1, day);
        break;
    }
    case EventPeriod::Daily:
        event.occurrence = passed ? today + 1 : today;
        break;
    }
    event.waiting = DaysBetween(event.occurrence, today);
}

QStringList JubileeColumns(const YubRecord& jubilee)
{
    return {StoredDateText(jubilee.stored), jubilee.name, QString::number(jubilee.waiting),
            jubilee.pascha_offset ? QString::number(*jubilee.pascha_offset) : QString(),
            jubilee.show_years ? QString::number(jubilee.years) : QString()};
}

QStringList FeastColumns(const PrasdRecord& feast)
{
    return {StoredDateText(feast.occurrence), feast.name,           QString::number(feast.waiting),
            KindText(feast.movable),          StatusText(feast.status), QString::number(feast.pascha_offset)};
}

QStringList EventColumns(const SobRecord& event)
{
    return {PeriodText(event.period), MinuteText(event.minute), StoredDateText(event.occurrence), event.name,
            event.waitingShown() ? QString::number(event.waiting) : QString("-")};
}

FeastEntry ToFeastEntry(const PrasdRecord& feast)
{
    return {.name = feast.name.toStdString(),
            .date = feast.occurrence,
            .movable = feast.movable,
            .status = feast.status,
            .pascha_offset = feast.pascha_offset};
}

JubileeEntry ToJubileeEntry(const YubRecord& jubilee)
{
    return {.name = jubilee.name.toStdString(),
            .stored = jubilee.stored,
            .pascha_offset = jubilee.movable() ? jubilee.pascha_offset : std::nullopt,
            .show_years = jubilee.show_years};
}

QString NewJubileePreview(Date picked, bool movable)
{
    if (movable)
        return MovablePreview("Новый юбилей: ", picked);
    return "Новый юбилей: " + Qs(TextOfDayAndMonthAndYear6(picked)) + " г.";
}

QString NewFeastPreview(Date picked, bool movable)
{
    if (movable)
        return MovablePreview("Новый праздник: ", picked);
    return "Новый праздник: " + Qs(TextOfMonthAndDay2(picked)) + " (" + Qs(TextOfMonthAndDay2(OldStyle(picked))) +
           " по ст. ст.)";
}

QString NewEventPreview(EventPeriod period, Date date, int minute, const MemoClock& clock)
{
    const QString time = " " + MinuteText(minute);
    SobRecord event{.name = {}, .active = true, .period = period, .minute = minute, .stored = date,
                    .occurrence = date, .waiting = 0};
    ComputeEvent(event, clock);
    switch (period) {
    case EventPeriod::Once:
        return "Новое событие:" + Qs(TextOfDayAndMonthAndYear6(date)) + " г. " + "в" + time;
    case EventPeriod::Yearly:
        return "Новое событие: Ежегодно" + Qs(TextOfMonthAndDay2(event.occurrence)) + "в" + time;
    case EventPeriod::Monthly:
        return "Новое событие:" + QString(" ") + QString::number(Fields(event.occurrence).day) +
               "-го числа каждого месяца в" + time;
    case EventPeriod::Daily:
        return "Новое событие: Ежедневно в" + time;
    }
    return {};
}

}  // namespace indikt
