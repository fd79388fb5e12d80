// Speed of the user's records: reading and writing a "Памятка.txt" of 500
// records, and marking their feasts and jubilees on every day of a year, as
// the month grid and the text under the calendar do.

#include "calendar/feast_placement.h"
#include "calendar/paschalion.h"
#include "memo_fixture.h"
#include "records/memo_file.h"

#include <benchmark/benchmark.h>

namespace {

using namespace indikt;

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
            bytes += CalendarPrasd(feasts, day, {}).text.size();
            bytes += CalendarJubil(jubilees, day).size();
            bytes += ListJubPr(feasts, jubilees, day, {}).text.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(FeastsOfEveryDayOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
