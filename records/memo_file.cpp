#include "memo_file.h"

#include "calendar/date_texts.h"
#include "texts/cp1251.h"

#include <QFileInfo>

namespace indikt {

namespace {

// A label: the word with its colon, padded with blanks to 14 characters.
QString Label(const char* word)
{
    return QString::fromUtf8(word).leftJustified(kMemoLabelLength, u' ');
}

struct Labels {
    // Jubilees; the name line has two older spellings.
    QString jubilee_offset = Label("По Пасхе:");
    QString jubilee_date = Label("Дата:");
    QString jubilee_years = Label("Число лет:");
    QString jubilee_name = Label("Юбилей:");
    QString jubilee_name_old = Label("Юбилеи:");
    QString jubilee_name_older = Label("Событие:");
    // Feasts.
    QString feast_kind = Label("Вид:");
    QString feast_status = Label("Статус:");
    QString feast_offset = Label("От Пасхи:");
    QString feast_date = Label("Празднование:");
    QString feast_name = Label("Праздник:");
    // Events.
    QString event_active = Label("Действие:");
    QString event_period = Label("Период:");
    QString event_time = Label("Время:");
    QString event_date = Label("Дата события:");
    QString event_name = Label("Имя события:");
};

const Labels& MemoLabels()
{
    static const Labels labels;
    return labels;
}

// Section headings the writer puts between the lists; the reader skips them.
bool IsHeading(const QString& line)
{
    return line.startsWith(QString::fromUtf8(kMemoHeaderMark)) || line.startsWith("Юбилеи от ") ||
           line.startsWith("Праздники от ") || line.startsWith("События от ");
}

QString StoredDateText(Date date) { return QString::fromStdString(TextOfDayAndMonthAndYear1(date)); }

// "Празднование": a church feast's date in the old style, others civil. A
// fixed feast keeps its entered date; a movable one, defined by its offset,
// writes its next occurrence.
Date FeastDateToKeep(const PrasdRecord& feast)
{
    const bool church = feast.status == FeastStatus::Church;
    if (feast.movable)
        return church ? KeptOldStyleDay(feast.occurrence) : feast.occurrence;
    if (church && !feast.stored_is_old_style)
        return KeptOldStyleDay(feast.stored);
    return feast.stored;  // kept as entered: old style for a church feast, civil otherwise
}

// The values of one record read so far; a record is complete at its name line.
struct PendingJubilee {
    bool started = false;
    std::optional<int> offset;
    std::optional<Date> date;
    bool years = false;
};
struct PendingFeast {
    bool started = false;
    bool movable = false;
    FeastStatus status = FeastStatus::Other;
    int offset = 0;
    std::optional<Date> date;
};
struct PendingEvent {
    bool started = false;
    bool active = false;
    EventPeriod period = EventPeriod::Yearly;
    std::optional<int> minute;
    std::optional<Date> date;
};

class MemoParser {
public:
    MemoParser(const MemoClock& clock, bool ours) : ours_(ours), clock_(clock) {}

    void line(const QString& raw)
    {
        if (raw.trimmed().isEmpty())
            return;
        // An editor may have dropped the blanks that end a label with no value.
        const QString line = raw.leftJustified(kMemoLabelLength, u' ');
        const QStringView label = QStringView(line).left(kMemoLabelLength);
        const QString value = line.mid(kMemoLabelLength);
        const Labels& l = MemoLabels();

        if (label == l.jubilee_offset) {
            jubilee_.started = true;
            const QString text = value.trimmed();
            jubilee_.offset = text.isEmpty() ? std::nullopt : offset(text);
        } else if (label == l.jubilee_date) {
            jubilee_.started = true;
            jubilee_.date = date(value);
        } else if (label == l.jubilee_years) {
            jubilee_.started = true;
            jubilee_.years = value.trimmed() == "да";
        } else if (label == l.jubilee_name || label == l.jubilee_name_old || label == l.jubilee_name_older) {
            completeJubilee(value);
        } else if (label == l.feast_kind) {
            feast_.started = true;
            feast_.movable = value.trimmed() == KindText(true);
        } else if (label == l.feast_status) {
            feast_.started = true;
            const std::optional<FeastStatus> status = StatusFromText(value.trimmed());
            if (!status)
                ++result_.damaged;
            feast_.status = status.value_or(FeastStatus::Other);
        } else if (label == l.feast_offset) {
            feast_.started = true;
            feast_.offset = offset(value.trimmed()).value_or(0);
        } else if (label == l.feast_date) {
            feast_.started = true;
            feast_.date = date(value);
        } else if (label == l.feast_name) {
            completeFeast(value);
        } else if (label == l.event_active) {
            event_.started = true;
            event_.active = value.trimmed() == "true";
        } else if (label == l.event_period) {
            event_.started = true;
            event_.period = PeriodFromText(value.trimmed());
        } else if (label == l.event_time) {
            event_.started = true;
            event_.minute = ParseMinute(value);
            if (!event_.minute)
                ++result_.damaged;
        } else if (label == l.event_date) {
            event_.started = true;
            event_.date = date(value);
        } else if (label == l.event_name) {
            completeEvent(value);
        } else if (!IsHeading(raw)) {
            ++result_.damaged;
        }
    }

    MemoReadResult finish()
    {
        // A record cut off before its name line is not loaded.
        result_.damaged += int(jubilee_.started) + int(feast_.started) + int(event_.started);
        result_.ours = ours_;
        return std::move(result_);
    }

private:
    // An offset from Pascha; one that is unreadable or out of range counts as
    // a damaged line and gives nothing.
    std::optional<int> offset(const QString& text)
    {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < -kMaxPaschaOffset || value > kMaxPaschaOffset) {
            ++result_.damaged;
            return std::nullopt;
        }
        return value;
    }

    // Dates are kept within the calendar's range; an unreadable one is the
    // day before today.
    Date date(const QString& value)
    {
        const std::optional<Date> parsed = ParseStoredDate(value.trimmed().toStdString());
        if (!parsed) {
            ++result_.damaged;
            return clock_.today - 1;
        }
        return ClampToCalendarRange(*parsed);
    }

    Date dateOrFallback(const std::optional<Date>& read)
    {
        if (read)
            return *read;
        ++result_.damaged;
        return clock_.today - 1;
    }

    void completeJubilee(const QString& name)
    {
        YubRecord jubilee;
        jubilee.name = name;
        jubilee.stored = dateOrFallback(jubilee_.date);
        jubilee.pascha_offset = jubilee_.offset;
        jubilee.show_years = jubilee_.years;
        ComputeJubilee(jubilee, clock_);
        result_.lists.jubilees.push_back(std::move(jubilee));
        jubilee_ = {};
    }

    void completeFeast(const QString& name)
    {
        // A movable feast is defined by its offset; its date line may be absent.
        const Date stored = feast_.movable && !feast_.date ? clock_.today : dateOrFallback(feast_.date);
        result_.lists.feasts.push_back(
            MakeFeast(name, feast_.movable, feast_.status, feast_.offset, stored, ours_, clock_));
        feast_ = {};
    }

    void completeEvent(const QString& name)
    {
        SobRecord event;
        event.name = name;
        event.active = event_.active;
        event.period = event_.period;
        event.minute = event_.minute.value_or(clock_.minute);
        event.stored = dateOrFallback(event_.date);
        ComputeEvent(event, clock_);
        result_.lists.events.push_back(std::move(event));
        event_ = {};
    }

    bool ours_;
    MemoClock clock_;
    MemoReadResult result_;
    PendingJubilee jubilee_;
    PendingFeast feast_;
    PendingEvent event_;
};

}  // namespace

std::vector<FeastEntry> FeastEntries(const MemoLists& lists)
{
    std::vector<FeastEntry> entries;
    entries.reserve(lists.feasts.size());
    for (const PrasdRecord& feast : lists.feasts)
        entries.push_back(ToFeastEntry(feast));
    return entries;
}

std::vector<JubileeEntry> JubileeEntries(const MemoLists& lists)
{
    std::vector<JubileeEntry> entries;
    entries.reserve(lists.jubilees.size());
    for (const YubRecord& jubilee : lists.jubilees)
        entries.push_back(ToJubileeEntry(jubilee));
    return entries;
}

MemoReadResult ParseMemoText(const QString& text, const MemoClock& clock)
{
    MemoParser parser(clock, text.startsWith(QString::fromUtf8(kMemoHeaderMark)));
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        parser.line(line.toString());
    }
    MemoReadResult result = parser.finish();
    result.exists = true;
    return result;
}

MemoReadResult ReadMemoFile(const QString& path, const MemoClock& clock)
{
    if (!QFileInfo::exists(path))
        return {};
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxMemoFileBytes);
    if (!bytes || bytes->contains('\0')) {
        MemoReadResult result;
        result.exists = true;
        result.error = "Не удалось прочитать файл \"" + path + "\".";
        return result;
    }
    return ParseMemoText(DecodeFileText(*bytes), clock);
}

QString MemoFileText(const MemoLists& lists, const MemoClock& clock)
{
    const Labels& l = MemoLabels();
    const QString today = StoredDateText(clock.today);
    QStringList lines;
    lines << QString::fromUtf8(kMemoHeader) << "Юбилеи от " + today << QString();
    for (const YubRecord& jubilee : lists.jubilees) {
        lines << l.jubilee_offset + (jubilee.pascha_offset ? QString::number(*jubilee.pascha_offset) : QString())
              << l.jubilee_date + StoredDateText(jubilee.stored)
              << l.jubilee_years + (jubilee.show_years ? QString("да") : QString())
              << l.jubilee_name + jubilee.name;
    }
    lines << QString() << "Праздники от " + today << QString();
    for (const PrasdRecord& feast : lists.feasts) {
        const Date kept = FeastDateToKeep(feast);
        lines << l.feast_kind + KindText(feast.movable) << l.feast_status + StatusText(feast.status)
              << l.feast_offset + QString::number(feast.pascha_offset) << l.feast_date + StoredDateText(kept)
              << l.feast_name + feast.name;
    }
    lines << QString() << "События от " + today << QString();
    for (const SobRecord& event : lists.events) {
        const bool past_once = event.period == EventPeriod::Once &&
                               (event.stored < clock.today ||
                                (event.stored == clock.today && EventTimeHasPassed(event.minute, clock)));
        lines << l.event_active + ((event.active && !past_once) ? "true" : "false")
              << l.event_period + PeriodText(event.period) << l.event_time + MinuteText(event.minute)
              << l.event_date + StoredDateText(event.stored) << l.event_name + event.name;
    }
    return lines.join("\r\n") + "\r\n";
}

QByteArray MemoFileBytes(const MemoLists& lists, const MemoClock& clock)
{
    return EncodeFileText(MemoFileText(lists, clock));
}

std::vector<int> TodayEventTimes(const std::vector<SobRecord>& events, const MemoClock& clock)
{
    std::vector<int> times;
    for (const SobRecord& event : events)
        if (event.active && event.occurrence == clock.today && !EventTimeHasPassed(event.minute, clock))
            times.push_back(event.minute);
    return times;
}

}  // namespace indikt
