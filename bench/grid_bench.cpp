// Speed of the month grid: 1,000 consecutive months built (every class of day
// present: the feasts and jubilees of a 500-record "Памятка.txt", fasts and
// fast-free weeks) and painted by the grid widget. Divide by 1,000 for the
// time of one month.

#include "app/window/month_grid_widget.h"
#include "calendar/date_navigation.h"
#include "calendar/month_grid.h"
#include "memo_fixture.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

using namespace indikt;

GridColours DefaultColours()
{
    GridColours colours;
    colours.sundays = {true, 0x0000FF, 0xFFFFFF};
    colours.fasts = {true, 0, 0xC0DCC0};
    colours.jubilees = {true, 0x00FFFF, 0xFF00FF};
    colours.feasts = {GridLook{true, 0xFFFFFF, 0x0000FF}, GridLook{true, 0x800000, 0x8080FF},
                      GridLook{true, 0xFFFFFF, 0x800080}};
    colours.fast_free = {true, 0, 0x00FFFF};
    return colours;
}

template <typename Each>
void ForThousandMonths(Each each)
{
    Date month = FromCivil(1950, 1, 15);
    for (int i = 0; i < 1000; ++i) {
        each(month);
        month = *MonthStep(month, +1);
    }
}

void BuildMonthGridOf1000Months(benchmark::State& state)
{
    const MemoLists lists = FiveHundredRecords();
    const std::vector<FeastEntry> feasts = FeastEntries(lists);
    const std::vector<JubileeEntry> jubilees = JubileeEntries(lists);
    const GridColours colours = DefaultColours();
    for (auto _ : state) {
        ForThousandMonths([&](Date month) {
            benchmark::DoNotOptimize(BuildMonthGrid(month, kClock.today, 1, feasts, jubilees, {}, colours).cells[0].hint);
        });
    }
}
BENCHMARK(BuildMonthGridOf1000Months)->Unit(benchmark::kMillisecond);

void BuildAndPaintMonthGridOf1000Months(benchmark::State& state)
{
    const MemoLists lists = FiveHundredRecords();
    const std::vector<FeastEntry> feasts = FeastEntries(lists);
    const std::vector<JubileeEntry> jubilees = JubileeEntries(lists);
    const GridColours colours = DefaultColours();
    MonthGridWidget widget;
    widget.resize(294, 156);
    QImage image(widget.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        ForThousandMonths([&](Date month) {
            widget.setGrid(BuildMonthGrid(month, kClock.today, 1, feasts, jubilees, {}, colours), month);
            widget.render(&image);
        });
    }
}
BENCHMARK(BuildAndPaintMonthGridOf1000Months)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
