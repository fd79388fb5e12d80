// Speed of the year search and the period report on the full-size data tree: "Найти все" over a
// whole year in each scope, the notes of ten years, and the first hit of
// "Найти" on 1 January. The tree is the generator's (tools/make-bench-tree);
// set INDIKT_BENCH_TREE to use one already written.

#include "walks/page_text.h"
#include "walks/period_report.h"
#include "walks/year_search.h"

#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/tree_files.h"

#include <QCoreApplication>
#include <QFile>

#include "bench_tree.h"

#include <benchmark/benchmark.h>


namespace {

using namespace indikt;

QString g_tree;
const Date kToday = FromCivil(2026, 12, 9);

void FindAllInAYear(benchmark::State& state, SearchScope scope, const char* text)
{
    qsizetype pages = 0;
    for (auto _ : state) {
        const PageSource source = scope == SearchScope::Notes ? PageSource::Notes(g_tree, kToday)
                                                              : PageSource::Year(g_tree, scope, 2025, kToday);
        YearSearch search(source, {QString::fromUtf8(text)});
        std::vector<PageResult> results;
        search.findAll(results);
        pages = search.progress().pages;
        benchmark::DoNotOptimize(results.size());
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK_CAPTURE(FindAllInAYear, Menaion, SearchScope::Menaion, "благодать")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAllInAYear, LectionaryFiveVariants, SearchScope::Lectionary, "Евангелие")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAllInAYear, TropariaFiveVariants, SearchScope::Troparia, "благодать")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAllInAYear, NotesOfTenYears, SearchScope::Notes, "благодать")->Unit(benchmark::kMillisecond);

// Where the time of a scope goes: the builders alone, without the plain text.
void MenaionBuilderAlone(benchmark::State& state)
{
    const TreeFiles files(g_tree);
    for (auto _ : state)
        for (Date day = FromCivil(2025, 1, 1); day <= FromCivil(2025, 12, 31); day = day + 1)
            benchmark::DoNotOptimize(MesezText(files, day).html.size());
}
BENCHMARK(MenaionBuilderAlone)->Unit(benchmark::kMillisecond);

void PlainTextOfTheMenaionPages(benchmark::State& state)
{
    const TreeFiles files(g_tree);
    QStringList pages;
    for (Date day = FromCivil(2025, 1, 1); day <= FromCivil(2025, 12, 31); day = day + 1)
        pages << MesezText(files, day).html;
    for (auto _ : state)
        for (const QString& page : pages)
            benchmark::DoNotOptimize(PlainTextOfHtml(page).size());
}
BENCHMARK(PlainTextOfTheMenaionPages)->Unit(benchmark::kMillisecond);

void FirstHitOnTheFirstOfJanuary(benchmark::State& state)
{
    for (auto _ : state) {
        YearSearch search(PageSource::Year(g_tree, SearchScope::Menaion, 2025, kToday), {"Память"});
        benchmark::DoNotOptimize(search.findNext());
    }
}
BENCHMARK(FirstHitOnTheFirstOfJanuary)->Unit(benchmark::kMillisecond);

// The period report of a year with all four data, written to nowhere.
void ReportOfAYear(benchmark::State& state, ReportFormat format)
{
    ReportData all;
    all.notes = all.lectionary = all.troparia = true;
    for (auto _ : state) {
        QFile nowhere("/dev/null");
        nowhere.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(
            WriteReport(nowhere, g_tree, {FromCivil(2025, 1, 1), FromCivil(2025, 12, 31)}, all, format, kToday));
    }
}
BENCHMARK_CAPTURE(ReportOfAYear, Html, ReportFormat::Html)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportOfAYear, Text, ReportFormat::Text)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return indikt::RunBenchmarksOnTree(argc, argv, g_tree);
}
