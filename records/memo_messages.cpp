#include "memo_messages.h"

#include "calendar/date_texts.h"

#include <algorithm>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// "сегодня", "завтра", "через 5 дней".
QString WhenText(int waiting)
{
    if (waiting == 0)
        return "сегодня";
    if (waiting == 1)
        return "завтра";
    const int last_two = waiting % 100;
    const int last = waiting % 10;
    const char* days = last_two >= 11 && last_two <= 14 ? "дней" : last == 1 ? "день" : last >= 2 && last <= 4 ? "дня" : "дней";
    return "через " + QString::number(waiting) + " " + days;
}

bool FeastShown(const PrasdRecord& feast, const SobSettings& settings)
{
    switch (feast.status) {
    case FeastStatus::Church: return settings.church;
    case FeastStatus::Civil: return settings.civil;
    case FeastStatus::Other: return settings.other;
    }
    return false;
}

template <typename Row>
std::vector<const Row*> Within(const std::vector<Row>& rows, int days, auto&& shown)
{
    std::vector<const Row*> chosen;
    for (const Row& row : rows)
        if (row.waiting >= 0 && row.waiting <= days && shown(row))
            chosen.push_back(&row);
    std::stable_sort(chosen.begin(), chosen.end(), [](const Row* a, const Row* b) { return a->waiting < b->waiting; });
    return chosen;
}

}  // namespace

QString YearsText(int years)
{
    const int last_two = years % 100;
    const int last = years % 10;
    const char* word = last_two >= 11 && last_two <= 14 ? "лет" : last == 1 ? "год" : last >= 2 && last <= 4 ? "года" : "лет";
    return QString::number(years) + " " + word;
}

std::vector<ReminderMessage> ComingMessages(const MemoLists& lists, const SobSettings& settings)
{
    std::vector<ReminderMessage> messages;
    if (settings.jubilee_messages) {
        const auto jubilees = Within(lists.jubilees, settings.jubilee_days, [](const YubRecord&) { return true; });
        if (!jubilees.empty()) {
            ReminderMessage message{"Предстоящие юбилеи", {}, jubilees.front()->occurrence};
            for (const YubRecord* jubilee : jubilees)
                message.lines << Qs(TextOfDayAndMonthAndYear5(jubilee->occurrence)) + " г., " + WhenText(jubilee->waiting) +
                                     ": " + jubilee->name + (jubilee->show_years ? " (" + YearsText(jubilee->years) + ")" : "");
            messages.push_back(std::move(message));
        }
    }
    if (settings.feast_messages) {
        const auto feasts =
            Within(lists.feasts, settings.feast_days, [&](const PrasdRecord& feast) { return FeastShown(feast, settings); });
        if (!feasts.empty()) {
            ReminderMessage message{"Предстоящие праздники", {}, feasts.front()->occurrence};
            for (const PrasdRecord* feast : feasts)
                message.lines << Qs(TextOfDayAndMonthAndYear5(feast->occurrence)) + " г., " + WhenText(feast->waiting) +
                                     ": " + feast->name;
            messages.push_back(std::move(message));
        }
    }
    return messages;
}

std::vector<SobRecord> DueEvents(const std::vector<SobRecord>& events, const MemoClock& clock)
{
    std::vector<SobRecord> due;
    for (const SobRecord& event : events)
        if (event.active && event.occurrence == clock.today && event.minute == clock.minute)
            due.push_back(event);
    return due;
}

ReminderMessage DueEventsMessage(const std::vector<SobRecord>& due, const MemoClock& clock)
{
    ReminderMessage message{"События " + Qs(TextOfDayAndMonthAndYear5(clock.today)) + " г.", {}, clock.today};
    for (const SobRecord& event : due)
        message.lines << MinuteText(event.minute) + " — " + event.name;
    return message;
}

QString MessageText(const ReminderMessage& message)
{
    return message.heading + ":\n" + message.lines.join('\n');
}

}  // namespace indikt
