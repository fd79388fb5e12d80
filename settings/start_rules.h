#pragma once

// The rules of a program start that need no window: which start mode is in
// force, whether an automatic start ends at once, and which clock events a
// tick of the periodic timer brings. Time is always passed in.

#include "calendar/date.h"

#include <optional>
#include <string>
#include <vector>

namespace indikt {

// How the main window is shown after start (the stored "НомерЗагрузки").
enum class StartMode { Maximised = 0, Saved = 1, Compact = 2, Mini = 3, Tray = 4 };

// The command line: options such as --data-root are not the start argument;
// the first positional argument is.
struct StartArguments {
    std::optional<std::string> start_argument;
    std::optional<std::string> data_root;
    std::optional<Date> date;   // --date YYYY-MM-DD: the day to open on (the reminders' action)
    std::string error;  // non-empty: the command line could not be read
};
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);

// The start argument read as a mode; a text that is not a number of a mode
// counts as mode 1. Without an argument the stored mode holds, clamped to 0..4.
StartMode StartModeInForce(const std::optional<std::string>& start_argument, int stored_mode);

// Modes other than the saved window take effect only when the program was
// started with an argument (by the system) or "ЗагрузкаВсегда" is on.
bool StartModeApplies(bool has_start_argument, bool always_apply);

// An automatic start with "AвтоЗагрузкаОдинРаз" on, on a day the program has
// already been closed once ("AвтоЗагрузкаДень" is today), ends at once.
bool EndsAtOnceAsSecondStartOfTheDay(bool has_start_argument, bool once_a_day, bool autostart,
                                     std::optional<Date> last_save_day, Date today);

// A moment of the local clock, in minutes precision enough for the timer.
struct ClockTime {
    Date day;
    int minute_of_day = 0;  // 0..1439
    friend constexpr auto operator<=>(const ClockTime&, const ClockTime&) = default;
};

struct ClockEvents {
    bool midnight = false;   // the date differs from the last tick's (a new day, or the clock set to another)
    bool afternoon = false;  // 15:00 was passed, the first time in this run
};

// Follows the clock from tick to tick. Events are crossings between two
// ticks, so a machine that slept through 00:00 still gets its midnight work;
// the first tick only sets the starting point, so a start after 15:00 does
// not switch to the next liturgical day by itself.
class ClockWatch {
public:
    static constexpr int kAfternoonMinute = 15 * 60;

    ClockEvents Tick(ClockTime now);

private:
    std::optional<ClockTime> previous_;
    bool afternoon_done_ = false;
};

// `PrSob`: the events of today still to come, as minutes of the day in the
// order the list holds them, at the tick of minute `now_minute`. Entries of
// this minute fire and leave the list; entries of the same hour whose minute
// went by leave it unfired; the rest stay. True when anything fired: the
// events of one minute are announced once, together.
bool PrSob(std::vector<int>& event_minutes, int now_minute);

}  // namespace indikt
