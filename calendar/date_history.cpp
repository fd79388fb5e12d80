#include "date_history.h"

namespace indikt {

void DateHistory::append(Date date)
{
    back_.push_back(date);
    if (back_.size() > kMaxEntries)
        back_.pop_front();
}

void DateHistory::visited(Date date)
{
    if (!back_.empty() && back_.back() == date)
        return;
    append(date);
    forward_.clear();  // a new way leaves the dates ahead behind
}

std::optional<Date> DateHistory::back()
{
    if (!canGoBack())
        return std::nullopt;
    forward_.push_back(back_.back());
    back_.pop_back();
    return back_.back();
}

std::optional<Date> DateHistory::forward()
{
    if (!canGoForward())
        return std::nullopt;
    const Date date = forward_.back();
    forward_.pop_back();
    append(date);
    return date;
}

}  // namespace indikt
