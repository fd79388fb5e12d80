#pragma once

// The rows of the commemorations dialog: jubilees, the user's feasts and
// timed events, each with the columns computed for the present moment (the
// next occurrence and the days until it).

#include "calendar/date.h"
#include "calendar/feast_placement.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace indikt {

// The present moment the columns are computed for.
struct MemoClock {
    Date today;
    int minute = 0;  // minute of the day, 0..1439
};

inline constexpr int kMinutesPerDay = 24 * 60;

// The form in which a fixed church feast keeps its old-style day: a date
// whose year, month and day are the old-style ones of the civil date.
Date KeptOldStyleDay(Date civil);

// Dates read from the file or picked are kept within the calendar's range.
Date ClampToCalendarRange(Date date);

// "hh:mm".
QString MinuteText(int minute);
// "hh:mm", "h:mm" or "hh:mm:ss" to the minute of the day; nothing otherwise.
std::optional<int> ParseMinute(QStringView text);

// A movable jubilee's offset from this value on is ignored: it is treated as fixed.
inline constexpr int kFirstIgnoredJubileeOffset = 400;
// Offsets from Pascha read from the file lie within this distance; a value
// beyond it is a damaged line (it would run the date arithmetic off its range).
inline constexpr int kMaxPaschaOffset = 400;

struct YubRecord {
    QString name;
    Date stored;                       // "Дата": the date it commemorates
    std::optional<int> pascha_offset;  // "От Пасхи", as stored
    bool show_years = false;           // "Число лет" shown
    // Computed for the moment (ComputeJubilee).
    Date occurrence;
    int waiting = 0;
    int years = 0;

    bool movable() const { return pascha_offset && *pascha_offset < kFirstIgnoredJubileeOffset; }
    friend bool operator==(const YubRecord&, const YubRecord&) = default;
};

struct PrasdRecord {
    QString name;
    bool movable = false;
    FeastStatus status = FeastStatus::Other;
    // The date as entered and kept in the file: for a fixed church feast
    // read from the program's own file an old-style date, otherwise civil.
    // Only its day and month count; the next occurrence is computed from it
    // and never written in its place, so 29 February stays 29 February.
    Date stored;
    bool stored_is_old_style = false;
    // Computed (MakeFeast): the civil date of the next occurrence ("Дата"),
    // the days until it, and its offset from Pascha ("От Пасхи"; for a movable
    // feast the offset it is defined by).
    Date occurrence;
    int waiting = 0;
    int pascha_offset = 0;

    friend bool operator==(const PrasdRecord&, const PrasdRecord&) = default;
};

enum class EventPeriod { Once, Daily, Monthly, Yearly };

struct SobRecord {
    QString name;
    bool active = true;
    EventPeriod period = EventPeriod::Once;
    int minute = 0;   // "Время", to the minute
    Date stored;      // the date entered
    // Computed (ComputeEvent): "Дата" (the date itself for a one-time event,
    // else the next occurrence) and the days until it.
    Date occurrence;
    int waiting = 0;

    // An inactive one-time event shows "-" for its waiting.
    bool waitingShown() const { return active || period != EventPeriod::Once; }
    friend bool operator==(const SobRecord&, const SobRecord&) = default;
};

// Texts as the file and the columns write them.
QString KindText(bool movable);  // "переходящий" / "не переходящий"
QString StatusText(FeastStatus status);  // "православный", "государственный", "иной"
QString PeriodText(EventPeriod period);  // "Однократно", "Ежедневно", "Ежемесячно", "Ежегодно"
// Any text other than the first three periods counts as "Ежегодно".
EventPeriod PeriodFromText(QStringView text);
// Nothing for a text that is none of the three statuses.
std::optional<FeastStatus> StatusFromText(QStringView text);

// The signed days from Pascha of a civil date: its old-style date against
// Pascha of that old-style date's year.
int OffsetFromPascha(Date civil);

// Next occurrence, waiting and years of a jubilee.
void ComputeJubilee(YubRecord& jubilee, const MemoClock& clock);

// A feast with its computed columns. `stored` is the date as kept: for a
// fixed church feast the old-style date when `stored_is_old_style`, otherwise
// (and for every other status) a civil date. A movable feast is defined by
// `pascha_offset` alone.
PrasdRecord MakeFeast(QString name, bool movable, FeastStatus status, int pascha_offset, Date stored,
                      bool stored_is_old_style, const MemoClock& clock);

// Whether the moment has reached an event's minute on its day.
bool EventTimeHasPassed(int event_minute, const MemoClock& clock);

// Next occurrence and waiting of an event; a one-time event that is past is
// switched off.
void ComputeEvent(SobRecord& event, const MemoClock& clock);

// The columns of each list, in their order.
QStringList JubileeColumns(const YubRecord& jubilee);
QStringList FeastColumns(const PrasdRecord& feast);
QStringList EventColumns(const SobRecord& event);  // without the check box

// The rows as the calendar places them.
FeastEntry ToFeastEntry(const PrasdRecord& feast);
JubileeEntry ToJubileeEntry(const YubRecord& jubilee);

// The preview labels above the inputs of a new row.
QString NewJubileePreview(Date picked, bool movable);
QString NewFeastPreview(Date picked, bool movable);
QString NewEventPreview(EventPeriod period, Date date, int minute, const MemoClock& clock);

}  // namespace indikt
