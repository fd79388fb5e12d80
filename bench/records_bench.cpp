// Speed of the user's records: reading and writing a "Памятка.txt" of 500
// records, and marking their feasts and jubilees on every day of a year, as
// the month grid and the text under the calendar do.

#include "calendar/feast_placement.h"
#include "calendar/paschalion.h"
#include "records/memo_file.h"

#include <benchmark/benchmark.h>

namespace {

using namespace indikt;

const MemoClock kClock{FromCivil(2026, 12, 8), 12 * 60};

// 200 jubilees, 200 feasts of every kind and status, 100 events.
MemoLists FiveHundredRecords()
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

void ReadMemoFileOf500Records(benchmark::State& state)
{
    const QString text = MemoFileText(FiveHundredRecords(), kClock);
    for (auto _ : state) {
        const MemoReadResult read = ParseMemoText(text, kClock);
        benchmark::DoNotOptimize(read.lists.feasts.size());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(ReadMemoFileOf500Records)->Unit(benchmark::kMillisecond);

void WriteMemoFileOf500Records(benchmark::State& state)
{
    const MemoLists lists = FiveHundredRecords();
    for (auto _ : state)
        benchmark::DoNotOptimize(MemoFileBytes(lists, kClock).size());
}
BENCHMARK(WriteMemoFileOf500Records)->Unit(benchmark::kMillisecond);

void FeastsOfEveryDayOfAYear(benchmark::State& state)
{
    const MemoLists lists = FiveHundredRecords();
    const std::vector<FeastEntry> feasts = FeastEntries(lists);
    const std::vector<JubileeEntry> jubilees = JubileeEntries(lists);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (Date day = FromCivil(2027, 1, 1); day <= FromCivil(2027, 12, 31); day = day + 1) {
            bytes += CalendarPrasd(feasts, day, kClock.today, {}).text.size();
            bytes += CalendarJubil(jubilees, day).size();
            bytes += ListJubPr(feasts, jubilees, day, kClock.today, {}).text.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(FeastsOfEveryDayOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
