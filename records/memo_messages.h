#pragma once

// What the reminders say: the coming jubilees and feasts within the days the
// settings of "sob.ini" allow, and the events due at a minute. Plain
// functions of the lists, the settings and the moment, shared by the events
// companion and the main window.

#include "records/memo_file.h"
#include "records/sob_settings.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace indikt {

// One message: a heading and its lines, and the day the program should open
// on when the user asks for it (the nearest day of the group).
struct ReminderMessage {
    QString heading;
    QStringList lines;
    Date open_date;
    friend bool operator==(const ReminderMessage&, const ReminderMessage&) = default;
};

// The jubilees, then the feasts, that fall within their days of the moment
// the lists were computed for (0 days: today only), nearest first; a group
// with nothing in it is left out.
std::vector<ReminderMessage> ComingMessages(const MemoLists& lists, const SobSettings& settings);

// The active events whose minute is the moment's, on its day.
std::vector<SobRecord> DueEvents(const std::vector<SobRecord>& events, const MemoClock& clock);

// The message of events due at the moment; empty lines when there are none.
ReminderMessage DueEventsMessage(const std::vector<SobRecord>& due, const MemoClock& clock);

// "5 лет", "21 год", "3 года".
QString YearsText(int years);

// The whole text of a message as a notification shows it.
QString MessageText(const ReminderMessage& message);

}  // namespace indikt
