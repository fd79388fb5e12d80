#include "memo_sorting.h"

#include "calendar/date_texts.h"

#include <algorithm>
#include <compare>

namespace indikt {

namespace {

// Values a column that shows nothing, or "-", sorts as.
constexpr int kEmptyNumber = -1000;
constexpr int kNoWaiting = 99999;

std::weak_ordering Texts(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) <=> 0;
}

// The dd.mm.yyyy text as shown, compared as text.
std::weak_ordering DateTexts(Date a, Date b)
{
    return TextOfDayAndMonthAndYear1(a) <=> TextOfDayAndMonthAndYear1(b);
}

// The first key that tells the rows apart decides.
template <typename... Orderings>
std::weak_ordering FirstOf(Orderings... orderings)
{
    std::weak_ordering result = std::weak_ordering::equivalent;
    ((result = (result != 0 ? result : orderings)), ...);
    return result;
}

template <typename Row, typename Compare>
void SortRows(std::vector<Row>& rows, bool ascending, Compare compare)
{
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return ascending ? compare(a, b) < 0 : compare(b, a) < 0;
    });
}

int OffsetKey(const YubRecord& row) { return row.pascha_offset ? *row.pascha_offset : kEmptyNumber; }
int YearsKey(const YubRecord& row) { return row.show_years ? row.years : kEmptyNumber; }
int WaitingKey(const SobRecord& row) { return row.waitingShown() ? row.waiting : kNoWaiting; }

}  // namespace

void SortJubilees(std::vector<YubRecord>& jubilees, SortOrder order)
{
    using namespace jubilee_column;
    const auto compare = [column = order.column](const YubRecord& a, const YubRecord& b) -> std::weak_ordering {
        switch (column) {
        case kDate: return FirstOf(a.stored <=> b.stored, Texts(a.name, b.name));
        case kName: return FirstOf(Texts(a.name, b.name), DateTexts(a.stored, b.stored));
        case kWaiting: return FirstOf(a.waiting <=> b.waiting, a.stored <=> b.stored);
        case kOffset: return FirstOf(OffsetKey(a) <=> OffsetKey(b), a.stored <=> b.stored);
        case kYears: return FirstOf(YearsKey(a) <=> YearsKey(b), a.stored <=> b.stored);
        }
        return std::weak_ordering::equivalent;
    };
    SortRows(jubilees, order.ascending, compare);
}

void SortFeasts(std::vector<PrasdRecord>& feasts, SortOrder order)
{
    using namespace feast_column;
    const auto compare = [column = order.column](const PrasdRecord& a, const PrasdRecord& b) -> std::weak_ordering {
        const auto then_date_and_name = [&] {
            return FirstOf(DateTexts(a.occurrence, b.occurrence), Texts(a.name, b.name));
        };
        switch (column) {
        case kDate: return FirstOf(a.occurrence <=> b.occurrence, Texts(a.name, b.name));
        case kName: return FirstOf(Texts(a.name, b.name), DateTexts(a.occurrence, b.occurrence));
        case kWaiting: return FirstOf(a.waiting <=> b.waiting, then_date_and_name());
        case kOffset: return FirstOf(a.pascha_offset <=> b.pascha_offset, then_date_and_name());
        case kKind: return FirstOf(Texts(KindText(a.movable), KindText(b.movable)), then_date_and_name());
        case kStatus: return FirstOf(Texts(StatusText(a.status), StatusText(b.status)), then_date_and_name());
        }
        return std::weak_ordering::equivalent;
    };
    SortRows(feasts, order.ascending, compare);
}

void SortEvents(std::vector<SobRecord>& events, SortOrder order)
{
    using namespace event_column;
    const auto compare = [column = order.column](const SobRecord& a, const SobRecord& b) -> std::weak_ordering {
        const auto date_text_and_time = [&] {
            return FirstOf(DateTexts(a.occurrence, b.occurrence), a.minute <=> b.minute);
        };
        switch (column) {
        case kPeriod:
            return FirstOf(Texts(PeriodText(a.period), PeriodText(b.period)), date_text_and_time(),
                           Texts(a.name, b.name));
        case kDate: return FirstOf(a.occurrence <=> b.occurrence, a.minute <=> b.minute, Texts(a.name, b.name));
        case kWaiting:
            return FirstOf(WaitingKey(a) <=> WaitingKey(b), date_text_and_time(), Texts(a.name, b.name));
        case kTime: return FirstOf(a.minute <=> b.minute, date_text_and_time());
        case kName: return FirstOf(Texts(a.name, b.name), date_text_and_time());
        }
        return std::weak_ordering::equivalent;
    };
    SortRows(events, order.ascending, compare);
}

}  // namespace indikt
