#pragma once

// The commemorations book the benchmarks work on: 200 jubilees, 200 feasts of
// every kind and status and 100 events, as a busy user's "Памятка.txt" holds.

#include "records/memo_file.h"
#include "records/memo_records.h"

namespace indikt {

inline const MemoClock kClock{FromCivil(2026, 12, 8), 12 * 60};

inline MemoLists FiveHundredRecords()
{
    MemoLists lists;
    for (int i = 0; i < 200; ++i) {
        YubRecord jubilee;
        jubilee.name = "Юбилей раба Божия " + QString::number(i);
        jubilee.stored = FromCivil(1950 + i % 70, 1 + i % 12, 1 + i % 28);
        if (i % 5 == 0)
            jubilee.pascha_offset = i % 60 - 30;
        jubilee.show_years = i % 2 == 0;
        ComputeJubilee(jubilee, kClock);
        lists.jubilees.push_back(jubilee);
    }
    for (int i = 0; i < 200; ++i) {
        const FeastStatus status = FeastStatus(i % 3);
        lists.feasts.push_back(MakeFeast("Праздник " + QString::number(i), i % 4 == 0, status, i % 100 - 50,
                                         FromCivil(2026, 1 + i % 12, 1 + i % 28), true, kClock));
    }
    for (int i = 0; i < 100; ++i) {
        SobRecord event{.name = "Событие " + QString::number(i), .active = true, .period = EventPeriod(i % 4),
                        .minute = (i * 37) % kMinutesPerDay, .stored = FromCivil(2027, 1 + i % 12, 1 + i % 28),
                        .occurrence = {}, .waiting = 0};
        ComputeEvent(event, kClock);
        lists.events.push_back(event);
    }
    return lists;
}

}  // namespace indikt
