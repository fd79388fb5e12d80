#pragma once

// The history of shown dates behind "Назад" and "Вперёд" (Ctrl+Left and
// Ctrl+Right). Every change of date appends the new date to the back list,
// unless it is the last entry already; the list keeps the newest 200. Going
// back moves the date before the last one to the forward list; going forward
// returns it.

#include "date.h"

#include <deque>
#include <optional>

namespace indikt {

class DateHistory {
public:
    static constexpr std::size_t kMaxEntries = 200;

    // A date was shown by any change of date other than back and forward. A
    // date other than the last one leaves the dates ahead behind.
    void visited(Date date);

    bool canGoBack() const { return back_.size() >= 2; }
    bool canGoForward() const { return !forward_.empty(); }

    // The date to show, or nothing when there is no step to take.
    std::optional<Date> back();
    std::optional<Date> forward();

    const std::deque<Date>& backList() const { return back_; }
    const std::deque<Date>& forwardList() const { return forward_; }

private:
    void append(Date date);

    std::deque<Date> back_;
    std::deque<Date> forward_;
};

}  // namespace indikt
