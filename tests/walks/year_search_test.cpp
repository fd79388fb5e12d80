// The search of a year over small trees: the Menaion, the troparia in their
// variants and the notes of several years, found as the panes show them.

#include "walks/year_search.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include "lectionary/tree_files.h"
#include "lectionary/tropar.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const Date kToday = D(2026, 12, 9);

class Tree {
public:
    const QString& root() const { return root_; }
    void write(const QString& relative, const QString& text) const
    {
        const QString path = root_ + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
    // A record of the fixed Menaion under an old-style day key.
    void menaion(const QString& key, const QString& text) const
    {
        write("Месяцеслов/Непереходящие праздники/" + key + ".txt", text);
    }
    void note(const QString& name, const QString& text) const
    {
        write("Записи/" + name, "{\\rtf1\\ansi\\ansicpg1251 " + text + "}");
    }
    // Every file with its size and time, to see that a walk changed nothing.
    QStringList snapshot() const
    {
        QStringList files;
        QDirIterator it(root_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            files << info.filePath() + " " + QString::number(info.size()) + " " +
                         QString::number(info.lastModified().toMSecsSinceEpoch());
        }
        files.sort();
        return files;
    }

private:
    QTemporaryDir dir_;
    QString root_ = dir_.path();
};

// Civil 1 January 2025 is 19 December 2024 old style, 14 January is 1
// January, 13 January is 31 December (13 days apart in this century).
void WriteMenaion(const Tree& tree)
{
    tree.menaion("дек19", "Память мученика Вонифатия и редкое слово\r\nвторая строка\r\nтретья\r\n");
    tree.menaion("дек31", "Отдание праздника\r\nсвятителя [Иоанна=x] Богослова\r\n");
    tree.menaion("янв01", "Обрезание Господне\r\nсвятителя Василия Великого, Иоанна Богослова\r\nИоанна\r\n");
    tree.menaion("май08", "Апостола и евангелиста [Иоанна Богослова=мая08]\r\nb\r\nc\r\n");
}

TEST(YearSearch, TheFirstPageOfTheYearIsSearchedFirst)
{
    Tree tree;
    WriteMenaion(tree);
    YearSearch search(PageSource::Year(tree.root(), SearchScope::Menaion, 2025, kToday), {"Редкое слово"});
    ASSERT_EQ(search.findNext(), WalkOutcome::Hit);
    EXPECT_EQ(search.hit().page.address.civil, D(2025, 1, 1));
    EXPECT_EQ(search.progress().pages, 0);  // found on the page being searched: no page finished yet
    EXPECT_EQ(search.progress().units_done, 1);
    EXPECT_EQ(search.findNext(), WalkOutcome::Finished);
    EXPECT_EQ(search.progress().pages, 365);
    EXPECT_EQ(search.progress().hits, 1);
    EXPECT_EQ(search.progress().hit_pages, 1);
}

TEST(YearSearch, StepsFromHitToHitAcrossMarkupAndPages)
{
    Tree tree;
    WriteMenaion(tree);
    YearSearch search(PageSource::Year(tree.root(), SearchScope::Menaion, 2025, kToday), {"иоанна богослова"});
    struct Step { Date day; int occurrence; };
    const Step steps[] = {
        {D(2025, 1, 13), 0},   // a link in the line: "святителя <a>Иоанна</a> Богослова"
        {D(2025, 1, 14), 0},
        {D(2025, 5, 21), 0},   // the whole link's label
    };
    for (const Step& step : steps) {
        ASSERT_EQ(search.findNext(), WalkOutcome::Hit) << step.day.serial();
        EXPECT_EQ(search.hit().page.address.civil, step.day);
        EXPECT_EQ(search.hit().occurrence, step.occurrence);
        const SearchHit& hit = search.hit();
        EXPECT_EQ(hit.page.text.mid(hit.position, 16).toLower(), "иоанна богослова");
    }
    EXPECT_EQ(search.findNext(), WalkOutcome::Finished);

    // Two matches of one page are two steps on the same page.
    YearSearch twice(PageSource::Year(tree.root(), SearchScope::Menaion, 2025, kToday), {"Иоанна", false, true});
    ASSERT_EQ(twice.findNext(), WalkOutcome::Hit);
    ASSERT_EQ(twice.findNext(), WalkOutcome::Hit);
    EXPECT_EQ(twice.hit().page.address.civil, D(2025, 1, 14));
    ASSERT_EQ(twice.findNext(), WalkOutcome::Hit);
    EXPECT_EQ(twice.hit().page.address.civil, D(2025, 1, 14));
    EXPECT_EQ(twice.hit().occurrence, 1);
    const std::optional<SearchHit> again = FindOccurrence(twice.source(), twice.options(), twice.hit().page.address, 1);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->position, twice.hit().position);
    EXPECT_FALSE(FindOccurrence(twice.source(), twice.options(), twice.hit().page.address, 2));
}

TEST(YearSearch, FindAllListsEveryPageInEitherStyle)
{
    Tree tree;
    WriteMenaion(tree);
    YearSearch search(PageSource::Year(tree.root(), SearchScope::Menaion, 2025, kToday), {"Иоанна"});
    std::vector<PageResult> results;
    ASSERT_EQ(search.findAll(results), WalkOutcome::Finished);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(search.progress().hits, 4);
    EXPECT_EQ(search.progress().hit_pages, 3);
    struct Entry { const char* civil; const char* old_style; };
    const Entry entries[] = {
        {"13.01.2025 - 1 раз", "31.12.2024 - 1 раз"},   // the year's last day old style, in the civil year's list
        {"14.01.2025 - 2 раза", "01.01.2025 - 2 раза"},
        {"21.05.2025 - 1 раз", "08.05.2025 - 1 раз"},
    };
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(ResultEntryText(SearchScope::Menaion, results[i], false).toStdString(), entries[i].civil);
        EXPECT_EQ(ResultEntryText(SearchScope::Menaion, results[i], true).toStdString(), entries[i].old_style);
    }
    EXPECT_EQ(results[0].address.civil, D(2025, 1, 13));  // what a click opens, whatever the style
    EXPECT_EQ(results[1].excerpt.toStdString(),
              "…ие Господне святителя Василия Великого, Иоанна Богослова Иоанна");  // 40 letters before
}

TEST(YearSearch, CancelledAfterAFewPagesChangesNothing)
{
    Tree tree;
    WriteMenaion(tree);
    tree.note("янв072024.rtf", "Иоанна");
    const QStringList before = tree.snapshot();
    YearSearch search(PageSource::Year(tree.root(), SearchScope::Menaion, 2025, kToday), {"Иоанна"});
    std::vector<PageResult> results;
    const auto cancel_at_three = [](const WalkProgress& progress) { return progress.pages < 3; };
    EXPECT_EQ(search.findAll(results, cancel_at_three), WalkOutcome::Cancelled);
    EXPECT_EQ(search.progress().pages, 3);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(tree.snapshot(), before);

    YearSearch notes(PageSource::Notes(tree.root(), kToday), {"Иоанна"});
    EXPECT_EQ(notes.findNext([](const WalkProgress&) { return false; }), WalkOutcome::Hit);  // the first page needs no wait
    EXPECT_EQ(notes.findNext([](const WalkProgress&) { return false; }), WalkOutcome::Cancelled);
    EXPECT_EQ(tree.snapshot(), before);
}

TEST(YearSearch, TropariaInEveryVariantAndEntry)
{
    Tree tree;
    const QString set = "Богослужение/Тропари и кондаки/Дневные/1";
    tree.write(set + "/1.txt", "Тропарь понедельника\r\nКондак понедельника\r\n");
    const Date monday = D(2025, 6, 30);
    const TroparDay day = Tropar(TreeFiles(tree.root()), monday);
    ASSERT_EQ(day.rows.size(), 2);
    tree.write(day.rows[0].slavonic, "<html><body><p>Безплотных чиноначальницы</p></body></html>");
    tree.write(day.rows[1].slavonic, "<p>Архистратизи Божии</p>");
    tree.write(day.rows[1].russian, "<p>Архистратиги <b>Божии</b>, служители</p>");
    tree.write(set + "/звук.htm", "<p>Архистратиги Божии: запись хора</p>");
    YearSearch search(PageSource::Year(tree.root(), SearchScope::Troparia, 2025, kToday), {"Архистрати"});
    std::vector<PageResult> results;
    ASSERT_EQ(search.findAll(results), WalkOutcome::Finished);
    struct Expected { int variant; int entry; const char* entry_text; };
    const Expected expected[] = {
        {1, 1, "30.06.2025 на ц-сл. языке (Кондак понедельника) - 1 раз"},
        {3, 1, "30.06.2025 на русском языке (Кондак понедельника) - 1 раз"},
        {4, 0, "30.06.2025 на странице Звук (Тропарь понедельника) - 1 раз"},  // one page of the set, once
    };
    // The set of the Monday is sung on other Mondays too.
    std::vector<PageResult> of_monday;
    for (const PageResult& result : results) {
        EXPECT_EQ(Weekday(result.address.civil), 2) << result.address.civil.serial();
        if (result.address.civil == monday)
            of_monday.push_back(result);
    }
    ASSERT_EQ(of_monday.size(), std::size(expected));
    for (size_t i = 0; i < of_monday.size(); ++i) {
        EXPECT_EQ(of_monday[i].address, (PageAddress{monday, expected[i].variant, expected[i].entry}));
        EXPECT_EQ(ResultEntryText(SearchScope::Troparia, of_monday[i], false).toStdString(), expected[i].entry_text);
    }
    // Across markup in the Russian page.
    YearSearch split(PageSource::Year(tree.root(), SearchScope::Troparia, 2025, kToday), {"Архистратиги Божии"});
    ASSERT_EQ(split.findNext(), WalkOutcome::Hit);
    EXPECT_EQ(split.hit().page.address.variant, 3);
    EXPECT_EQ(split.hit().page.address.entry, 1);
}

TEST(YearSearch, NotesOfEveryYear)
{
    Tree tree;
    // Old-style names: 25 December 2023 is civil 7 January 2024.
    tree.note("дек252023.rtf", "Рождество с семьей");
    tree.note("дек25.rtf", "Каждый год: Рождество Христово");       // yearly, dated in this year
    tree.note("дек252020.rtf", "Однажды: Рождество в деревне");      // one-time beside the yearly note
    tree.note("мар012019.rtf", "Весна");
    tree.note("фев292000.rtf", "Рождество? нет, високосный день");   // Julian 29 February
    tree.write("Записи/plain.rtf", "не запись");
    YearSearch search(PageSource::Notes(tree.root(), kToday), {"рождество"});
    std::vector<PageResult> results;
    ASSERT_EQ(search.findAll(results), WalkOutcome::Finished);
    EXPECT_EQ(search.progress().pages, 5);
    struct Expected { Date civil; const char* old_style_entry; };
    const Expected expected[] = {
        {D(2000, 3, 13), "29.02.2000 - 1 раз"},
        {D(2021, 1, 7), "25.12.2020 - 1 раз"},
        {D(2024, 1, 7), "25.12.2023 - 1 раз"},
        {D(2027, 1, 7), "25.12.2026 - 1 раз"},
    };
    ASSERT_EQ(results.size(), std::size(expected));
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].address.civil, expected[i].civil);
        EXPECT_EQ(ResultEntryText(SearchScope::Notes, results[i], true).toStdString(), expected[i].old_style_entry);
    }
    EXPECT_EQ(results[1].title, "дек252020.rtf");
    const std::optional<SearchHit> hit = FindOccurrence(search.source(), search.options(), results[1].address, 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->page.text.mid(hit->position), "Рождество в деревне");
}

}  // namespace
}  // namespace indikt
