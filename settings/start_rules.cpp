#include "start_rules.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <charconv>

namespace indikt {

StartArguments ParseStartArguments(const std::vector<std::string>& arguments)
{
    StartArguments result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--data-root") {
            if (i + 1 == arguments.size()) {
                result.error = "--data-root needs a folder";
                return result;
            }
            result.data_root = arguments[++i];
        } else if (argument.starts_with("--data-root=")) {
            result.data_root = argument.substr(std::string("--data-root=").size());
        } else if (argument == "--date") {
            const std::optional<Date> date =
                i + 1 < arguments.size() ? ParseIsoDate(arguments[i + 1]) : std::optional<Date>();
            if (!date || *date < kFirstDate || *date > kLastDate) {
                result.error = "--date needs a date YYYY-MM-DD from 1752-01-01 to 3000-12-31";
                return result;
            }
            result.date = *date;
            ++i;
        } else if (argument.starts_with("--")) {
            result.error = "unknown option " + argument;
            return result;
        } else if (!result.start_argument) {
            result.start_argument = argument;
        }
    }
    return result;
}

StartMode StartModeInForce(const std::optional<std::string>& start_argument, int stored_mode)
{
    int mode = stored_mode;
    if (start_argument) {
        const std::string& text = *start_argument;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mode);
        if (error != std::errc() || end != text.data() + text.size())
            mode = static_cast<int>(StartMode::Saved);
    }
    if (mode < 0 || mode > 4)
        mode = static_cast<int>(StartMode::Saved);
    return static_cast<StartMode>(mode);
}

bool StartModeApplies(bool has_start_argument, bool always_apply) { return has_start_argument || always_apply; }

bool EndsAtOnceAsSecondStartOfTheDay(bool has_start_argument, bool once_a_day, bool autostart,
                                     std::optional<Date> last_save_day, Date today)
{
    return has_start_argument && once_a_day && autostart && last_save_day == today;
}

ClockEvents ClockWatch::Tick(ClockTime now)
{
    ClockEvents events;
    if (previous_ && now.day < previous_->day)
        events.midnight = true;  // a clock set back to an earlier day: that day is today now
    if (previous_ && now > *previous_) {
        const ClockTime before = *previous_;
        events.midnight = now.day != before.day;
        // Was some 15:00 in (before, now]? Either on the day of `before`, or on
        // a later day up to and including today.
        const ClockTime first_after = before.minute_of_day < kAfternoonMinute
                                          ? ClockTime{before.day, kAfternoonMinute}
                                          : ClockTime{before.day + 1, kAfternoonMinute};
        if (!afternoon_done_ && first_after <= now) {
            events.afternoon = true;
            afternoon_done_ = true;
        }
    }
    previous_ = now;
    return events;
}

bool PrSob(std::vector<int>& event_minutes, int now_minute)
{
    const int hour = now_minute / 60;
    bool fired = false;
    std::size_t i = 0;
    while (i < event_minutes.size()) {
        const int event = event_minutes[i];
        if (event == now_minute) {
            fired = true;
            event_minutes.erase(event_minutes.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (event / 60 == hour && event < now_minute) {
            event_minutes.erase(event_minutes.begin() + static_cast<std::ptrdiff_t>(i));  // its minute went by
        } else {
            ++i;
        }
    }
    return fired;
}

}  // namespace indikt
