#include "ical_export.h"

#include "calendar/fasts.h"
#include "calendar/feasts.h"
#include "lectionary/menaion.h"
#include "lectionary/readings.h"
#include "lectionary/tree_files.h"
#include "records/memo_file.h"
#include "records/memo_messages.h"
#include "walks/page_text.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>

#include <libical/ical.h>

#include <cstdlib>
#include <memory>

namespace indikt {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

QByteArray Utf8(const QString& text) { return text.toUtf8(); }
QByteArray Utf8(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

icaltimetype DayOf(Date date)
{
    const CivilFields f = Fields(date);
    icaltimetype time = icaltime_null_date();
    time.year = f.year;
    time.month = f.month;
    time.day = f.day;
    return time;
}

// A floating local time: the event rings at that hour wherever the user is.
icaltimetype MomentOf(Date date, int minute)
{
    const CivilFields f = Fields(date);
    icaltimetype time = icaltime_null_time();
    time.year = f.year;
    time.month = f.month;
    time.day = f.day;
    time.hour = minute / 60;
    time.minute = minute % 60;
    return time;
}

QString DayKey(Date date)
{
    const CivilFields f = Fields(date);
    return QString::asprintf("%04d%02d%02d", f.year, f.month, f.day);
}

// The same thing on the same day always has the same UID.
QByteArray Uid(const char* kind, Date date, const QString& what)
{
    const QByteArray hash = QCryptographicHash::hash(what.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QByteArray(kind) + "-" + DayKey(date).toLatin1() + "-" + hash + "@indikt";
}

class Calendar {
public:
    explicit Calendar(Date stamp) : calendar_(icalcomponent_new(ICAL_VCALENDAR_COMPONENT))
    {
        icalcomponent_add_property(calendar_.get(), icalproperty_new_prodid("-//Indikt//Church calendar//RU"));
        icalcomponent_add_property(calendar_.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(calendar_.get(), icalproperty_new_calscale("GREGORIAN"));
        stamp_ = DayOf(stamp);
        stamp_.is_date = 0;
        stamp_.zone = icaltimezone_get_utc_timezone();
    }

    // An all-day event over `days` days from `first`.
    icalcomponent* allDay(const QByteArray& uid, Date first, int days, const QString& summary, const char* category)
    {
        icalcomponent* event = add(uid, summary, category);
        icalcomponent_add_property(event, icalproperty_new_dtstart(DayOf(first)));
        icalcomponent_add_property(event, icalproperty_new_dtend(DayOf(first + days)));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        return event;
    }

    icalcomponent* add(const QByteArray& uid, const QString& summary, const char* category)
    {
        icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        icalcomponent_add_property(event, icalproperty_new_uid(uid.constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp_));
        icalcomponent_add_property(event, icalproperty_new_summary(Utf8(summary).constData()));
        icalcomponent_add_property(event, icalproperty_new_categories(category));
        icalcomponent_add_component(calendar_.get(), event);
        ++events_;
        return event;
    }

    int events() const { return events_; }

    QByteArray text() const
    {
        char* text = icalcomponent_as_ical_string_r(calendar_.get());
        QByteArray bytes(text);
        std::free(text);
        return bytes;
    }

private:
    Component calendar_;
    icaltimetype stamp_{};
    int events_ = 0;
};

void Describe(icalcomponent* event, const QString& text)
{
    if (!text.isEmpty())
        icalcomponent_add_property(event, icalproperty_new_description(Utf8(text).constData()));
}

// The fasts of many days and the fast-free weeks are one span each, though
// a day inside may say more of itself ("Разрешается рыба" on a feast in the
// Nativity fast): a gap of a couple of days between two stretches of the
// same period is the period's own. The days' other labels are events of
// their own days.
void AddFasts(Calendar& calendar, Date from, Date to)
{
    static const QStringList kPeriods = {"Рождественский пост", "Великий пост", "Петров пост", "Успенский пост",
                                         "Сплошная седмица"};
    constexpr int kAbsorbedGap = 2;
    std::vector<QString> labels;
    for (Date day = from; day <= to; day = day + 1)
        labels.push_back(QString::fromUtf8(Utf8(Post(day).label)));
    const int count = static_cast<int>(labels.size());
    for (const QString& period : kPeriods) {
        int start = -1;
        int last = -1;
        const auto close = [&] {
            if (start >= 0)
                calendar.allDay(Uid("fast", from + start, period), from + start, last - start + 1, period, "Пост");
            start = -1;
        };
        for (int i = 0; i < count; ++i) {
            if (labels[static_cast<size_t>(i)] != period)
                continue;
            if (start >= 0 && i - last - 1 > kAbsorbedGap)
                close();
            if (start < 0)
                start = i;
            last = i;
        }
        close();
    }
    for (int i = 0; i < count;) {
        const QString& label = labels[static_cast<size_t>(i)];
        int end = i + 1;
        while (end < count && labels[static_cast<size_t>(end)] == label)
            ++end;
        if (!label.isEmpty() && !kPeriods.contains(label))
            calendar.allDay(Uid("fast-day", from + i, label), from + i, end - i, label, "Пост");
        i = end;
    }
}

QString Caption(std::string_view prefix)
{
    QString caption = QString::fromUtf8(prefix.data(), static_cast<qsizetype>(prefix.size())).trimmed();
    if (caption.endsWith(u'-'))
        caption.chop(1);
    return caption.trimmed();
}

// "[от Матфея, зачало 2, Мф 1:18-25=mf2]" as a reader reads it.
QString ReadingLines(const TreeFiles& files, Date day)
{
    static const QRegularExpression link(QStringLiteral("\\[([^\\]=]*)=[^\\]]*\\]"));
    QStringList lines;
    for (const ReadingText& reading : {EvangText(files, day), ApostolText(files, day), ParimiiText(files, day)}) {
        QString text = reading.text;
        text.replace(link, QStringLiteral("\\1"));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!text.trimmed().isEmpty())
            lines << text.trimmed();
    }
    return lines.join('\n');
}

void AddCommemorations(Calendar& calendar, const QString& data_root, Date from, Date to, QString* problem)
{
    const QString path = QDir(data_root).filePath(QString::fromUtf8(kMemoFileName));
    if (!QFileInfo::exists(path))
        return;
    for (int year = Fields(from).year; year <= Fields(to).year; ++year) {
        const MemoReadResult memo = ReadMemoFile(path, MemoClock{FromCivil(year, 1, 1), 0});
        if (!memo.error.isEmpty())
            *problem = memo.error;
        for (const YubRecord& jubilee : memo.lists.jubilees) {
            if (jubilee.occurrence < from || jubilee.occurrence > to || Fields(jubilee.occurrence).year != year)
                continue;
            const QString summary =
                jubilee.show_years ? jubilee.name + " (" + YearsText(jubilee.years) + ")" : jubilee.name;
            calendar.allDay(Uid("jubilee", jubilee.occurrence, jubilee.name), jubilee.occurrence, 1, summary,
                            "Юбилей");
        }
        for (const PrasdRecord& feast : memo.lists.feasts) {
            if (feast.occurrence < from || feast.occurrence > to || Fields(feast.occurrence).year != year)
                continue;
            calendar.allDay(Uid("memo-feast", feast.occurrence, feast.name), feast.occurrence, 1, feast.name,
                            "Праздник");
        }
        if (year != Fields(from).year)
            continue;
        // Events once, from the day they were entered, with their repetition.
        for (const SobRecord& event : memo.lists.events) {
            if (!event.active && event.period == EventPeriod::Once)
                continue;
            icalcomponent* item = calendar.add(
                Uid("event", event.stored, event.name + QString::number(event.minute)), event.name, "Событие");
            icalcomponent_add_property(item, icalproperty_new_dtstart(MomentOf(event.stored, event.minute)));
            if (event.period != EventPeriod::Once) {
                icalrecurrencetype rule;
                icalrecurrencetype_clear(&rule);
                rule.freq = event.period == EventPeriod::Daily     ? ICAL_DAILY_RECURRENCE
                            : event.period == EventPeriod::Monthly ? ICAL_MONTHLY_RECURRENCE
                                                                   : ICAL_YEARLY_RECURRENCE;
                icalcomponent_add_property(item, icalproperty_new_rrule(rule));
            }
            icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icaltriggertype trigger;
            trigger.time = icaltime_null_time();
            trigger.duration = icaldurationtype_null_duration();
            icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
            icalcomponent_add_property(alarm, icalproperty_new_description(Utf8(event.name).constData()));
            icalcomponent_add_component(item, alarm);
        }
    }
}

}  // namespace

bool ParseIcalParts(const QString& list, IcalParts* parts)
{
    IcalParts chosen{false, false, false, false, false, false};
    for (const QString& word : list.split(',', Qt::SkipEmptyParts)) {
        const QString w = word.trimmed();
        if (w == "fasts") chosen.fasts = true;
        else if (w == "feasts") chosen.feasts = true;
        else if (w == "holidays") chosen.holidays = true;
        else if (w == "commemorations") chosen.commemorations = true;
        else if (w == "readings") chosen.readings = true;
        else if (w == "saints") chosen.saints = true;
        else return false;
    }
    *parts = chosen;
    return true;
}

IcalExport ExportIcal(const QString& data_root, Date from, Date to, const IcalParts& parts, Date stamp)
{
    IcalExport result;
    if (to < from)
        std::swap(from, to);
    Calendar calendar(stamp);
    if (parts.fasts)
        AddFasts(calendar, from, to);
    for (int year = Fields(from).year; year <= Fields(to).year; ++year) {
        const Date in_year = FromCivil(year, 6, 1);
        if (parts.feasts) {
            for (const ChurchFeast& feast : ChurchFeasts()) {
                const std::optional<Date> day = PerPrasdniki(feast.kind, in_year);
                if (day && *day >= from && *day <= to && Fields(*day).year == year)
                    calendar.allDay(Uid("feast", *day, Caption(feast.prefix)), *day, 1, Caption(feast.prefix),
                                    "Праздник");
            }
        }
        if (parts.holidays) {
            for (const CivilHoliday& holiday : CivilHolidays()) {
                const std::optional<Date> day = PerGosPrasdniki(holiday.kind, in_year);
                if (day && *day >= from && *day <= to)
                    calendar.allDay(Uid("holiday", *day, Caption(holiday.prefix)), *day, 1, Caption(holiday.prefix),
                                    "Государственный праздник");
            }
        }
    }
    if (parts.commemorations)
        AddCommemorations(calendar, data_root, from, to, &result.problem);
    if (parts.saints || parts.readings) {
        const TreeFiles files(data_root);
        for (Date day = from; day <= to; day = day + 1) {
            QStringList description;
            const QString summary = parts.saints && parts.readings ? "Святые и чтения дня"
                                    : parts.saints                 ? "Святые дня"
                                                                   : "Чтения дня";
            if (parts.saints) {
                const QString saints = PlainTextOfHtml(MesezText(files, day).html).trimmed();
                if (!saints.isEmpty())
                    description << saints;
            }
            if (parts.readings) {
                const QString readings = ReadingLines(files, day);
                if (!readings.isEmpty())
                    description << readings;
            }
            if (description.isEmpty())
                continue;
            Describe(calendar.allDay(Uid("day", day, "day"), day, 1, summary, "День"), description.join("\n\n"));
        }
    }
    result.text = calendar.text();
    result.events = calendar.events();
    return result;
}

}  // namespace indikt
