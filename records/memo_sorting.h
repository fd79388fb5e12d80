#pragma once

// Sorting the three lists of the commemorations dialog by a column, as a
// click on its heading does. Each column has its key and its tie-breakers;
// texts compare without regard to case.

#include "records/memo_records.h"

#include <vector>

namespace indikt {

// Column indices of each list, as the headings are numbered.
namespace jubilee_column {
inline constexpr int kDate = 0, kName = 1, kWaiting = 2, kOffset = 3, kYears = 4;
}
namespace feast_column {
inline constexpr int kDate = 0, kName = 1, kWaiting = 2, kKind = 3, kStatus = 4, kOffset = 5;
}
namespace event_column {
inline constexpr int kPeriod = 0, kTime = 1, kDate = 2, kName = 3, kWaiting = 4;
}

// The sort state of a list: the column it is sorted by (-1 for none) and the direction.
struct SortOrder {
    int column = -1;
    bool ascending = true;

    // A click on a heading: the same column reverses the direction, another
    // one sorts ascending by it.
    SortOrder clicked(int clicked_column) const
    {
        return clicked_column == column ? SortOrder{column, !ascending} : SortOrder{clicked_column, true};
    }
};

void SortJubilees(std::vector<YubRecord>& jubilees, SortOrder order);
void SortFeasts(std::vector<PrasdRecord>& feasts, SortOrder order);
void SortEvents(std::vector<SobRecord>& events, SortOrder order);

}  // namespace indikt
