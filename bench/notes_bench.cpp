// Speed of the notes per date on the benchmark tree's ten years of daily
// notes (tools/make-bench-tree; set INDIKT_BENCH_TREE to use one already
// written): the listing the previous/next commands and the search go
// through (goal: under 20 ms), and one note loaded (goal: under 2 ms) as
// read, as put into the editor's document, and as the pane shows it.

#include "app/panes/note_pane.h"
#include "records/notes.h"
#include "texts/rtf_document.h"

#include <QApplication>
#include <QTextDocument>

#include "bench_tree.h"

#include <benchmark/benchmark.h>


namespace {

using namespace indikt;

QString g_tree;  // the data root of the benchmarks, set once in main
const Date kToday = FromCivil(2026, 12, 8);

void ListingTenYearsOfNotes(benchmark::State& state)
{
    std::size_t notes = 0;
    for (auto _ : state) {
        const NoteListing listing = ListNotes(g_tree, kToday);
        notes = listing.notes.size();
        benchmark::DoNotOptimize(PreviousNoteDate(listing, NoteKeyOfDate(kToday)));
    }
    state.counters["notes"] = static_cast<double>(notes);
}
BENCHMARK(ListingTenYearsOfNotes)->Unit(benchmark::kMillisecond);

// The days of 2020, one after another.
Date DayOf(std::int64_t iteration) { return FromCivil(2020, 1, 14) + static_cast<int>(iteration % 365); }

void ReadingOneNote(benchmark::State& state)
{
    std::int64_t i = 0;
    for (auto _ : state) {
        const StoredNote note = ReadNote(g_tree, DayOf(i++));
        if (!note.exists())
            state.SkipWithError("a day without its note");
        benchmark::DoNotOptimize(note.content.paragraphs.size());
    }
}
BENCHMARK(ReadingOneNote)->Unit(benchmark::kMicrosecond);

void LoadingOneNoteIntoTheEditorsDocument(benchmark::State& state)
{
    QTextDocument document;
    SetNoteDefaults(document);
    std::int64_t i = 0;
    for (auto _ : state) {
        const StoredNote note = ReadNote(g_tree, DayOf(i++));
        SetDocumentContent(document, note.content);
        benchmark::DoNotOptimize(document.characterCount());
    }
}
BENCHMARK(LoadingOneNoteIntoTheEditorsDocument)->Unit(benchmark::kMicrosecond);

class NoAsker : public Asker {
public:
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Cancel;
    }
    void tell(QWidget*, const QString&, const QString&) override {}
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

void ShowingOneNoteInThePane(benchmark::State& state)
{
    NoAsker asker;
    NotePane pane(g_tree, [&asker]() -> Asker& { return asker; }, nullptr);
    pane.resize(600, 400);
    pane.show();
    QApplication::processEvents();
    std::int64_t i = 0;
    for (auto _ : state) {
        pane.SapisText(DayOf(i++));
        QApplication::processEvents();
    }
}
BENCHMARK(ShowingOneNoteInThePane)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return indikt::RunBenchmarksOnTree(argc, argv, g_tree);
}
