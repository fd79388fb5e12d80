// Speed of the texts of the day on a full-size data tree: every builder for
// every day of a year, and a whole change of day with the Menaion or the
// lectionary pane shown. The tree is the generator's (tools/make-bench-tree);
// set INDIKT_BENCH_TREE to use one already written.

#include "app/panes/html_pane.h"
#include "app/window/main_window.h"
#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/readings.h"
#include "lectionary/tropar.h"
#include "texts/data_files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bench_tree.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace indikt;

QString g_tree;  // the data root of the benchmarks, set once in main

void AllBuildersOfEveryDayOfAYear(benchmark::State& state)
{
    const TreeFiles files(g_tree);
    const Date today = FromCivil(2026, 12, 8);
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (Date day = FromCivil(2025, 1, 1); day <= FromCivil(2025, 12, 31); day = day + 1) {
            bytes += Lexionariy(files, day, today, {}).html.size();  // the three readers and the page
            bytes += MesezText(files, day).html.size();
            bytes += Tropar(files, day).rows.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(AllBuildersOfEveryDayOfAYear)->Unit(benchmark::kMillisecond);

// One change of day as the user sees it, the pane laid out.
void DayChange(benchmark::State& state, DayPane pane)
{
    QDateTime now(QDate(2026, 12, 8), QTime(10, 0));
    MainWindowContext context{g_tree, g_tree, [now] { return now; }, "", "", StartMode::Saved, false};
    TForm1 window(context, ZkSettings::Load(g_tree + "/zk.ini", FromCivil(2026, 12, 8)));
    window.resize(1100, 700);
    window.show();
    window.showPane(pane);
    QApplication::processEvents();
    Date day = FromCivil(2025, 1, 1);
    for (auto _ : state) {
        window.setCurrentDate(day);
        QApplication::processEvents();
        day = day + 1;
    }
}
void DayChangeWithTheMenaionPane(benchmark::State& state) { DayChange(state, DayPane::Menaion); }
void DayChangeWithTheLectionaryPane(benchmark::State& state) { DayChange(state, DayPane::Lectionary); }
BENCHMARK(DayChangeWithTheMenaionPane)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(DayChangeWithTheLectionaryPane)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A page of the tree written to do harm, at the size readers still take
// (kMaxDataFileBytes), shown in a pane: the goal is well under a second each.
void HostilePageInAPane(benchmark::State& state)
{
    const qsizetype size = kMaxDataFileBytes - 64;
    const QByteArray pages[] = {
        QByteArray("<b>").repeated(size / 3),
        QByteArray("<b>x</b> ").repeated(size / 9),
        QByteArray("\xe0\xe1\xe2 ").repeated(size / 4),
        QByteArray("<table><tr><td>").repeated(size / 15),
        QByteArray("<p>").repeated(size / 3),
    };
    const QByteArray& page = pages[state.range(0)];
    QTemporaryDir folder;
    QFile file(folder.filePath("page.htm"));
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        state.SkipWithError("the page could not be written");
    file.close();
    HtmlPane pane(folder.path());
    pane.resize(800, 600);
    pane.show();
    for (auto _ : state) {
        pane.clearPage();
        pane.showFile(file.fileName());
        QApplication::processEvents();
    }
}
BENCHMARK(HostilePageInAPane)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return indikt::RunBenchmarksOnTree(argc, argv, g_tree);
}
