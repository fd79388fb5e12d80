// Speed of the calendar engine over the whole accepted span, 1752-01-01 to
// 3000-12-31 (456,188 days): every fact that `indikt-cli day` prints, first as
// values, then as the JSON lines themselves.

#include "calendar/date_texts.h"
#include "calendar/fasts.h"
#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"
#include "cli/day_json.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace indikt;

void EveryFieldOfEveryDay(benchmark::State& state)
{
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (Date date = kFirstDate; date <= kLastDate; date = date + 1) {
            const DayFacts facts = MakeDayFacts(date);
            const FastDay fast = Post(date);
            std::string week = Sedmiza(date);
            std::string linked = SedmizaURL(date);
            std::string fast_free = CalendarNePost(date, {});
            std::string key = TextOfMonthAndDay(facts.old_style);
            bytes += week.size() + linked.size() + fast.label.size() + fast.hint.size() + fast_free.size() + key.size();
            bytes += CalendarPost(date, facts.pascha).size();
            for (const DateTextForm& form : DateTextForms())
                bytes += form.text(date).size();
            benchmark::DoNotOptimize(bytes);
        }
    }
    state.SetItemsProcessed(state.iterations() * (kLastDate - kFirstDate + 1));
}
BENCHMARK(EveryFieldOfEveryDay)->Unit(benchmark::kMillisecond);

void DayJsonOfEveryDay(benchmark::State& state)
{
    std::string out;
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (Date date = kFirstDate; date <= kLastDate; date = date + 1) {
            out.clear();
            cli::AppendDayJson(out, date);
            bytes += out.size();
        }
        benchmark::DoNotOptimize(bytes);
        state.counters["bytes"] = static_cast<double>(bytes);
    }
    state.SetItemsProcessed(state.iterations() * (kLastDate - kFirstDate + 1));
}
BENCHMARK(DayJsonOfEveryDay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
