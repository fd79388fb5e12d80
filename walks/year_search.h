#pragma once

// The search of a year: the pages of one scope (the Menaion, the lectionary
// and the troparia of every day of a civil year in their language variants,
// or every note of every year) turned into plain text one at a time and
// searched. It calls the builders the panes call and reads nothing else, so
// a walk changes no day view, language, counter or file. It stops at a hit
// or goes to the end, and can be cancelled between pages.

#include "calendar/date.h"
#include "records/notes.h"
#include "walks/text_match.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace indikt {

// The scope kinds, numbered as the search counts them.
enum class SearchScope { Menaion = 1, Troparia = 2, Notes = 3, Lectionary = 4 };

// The caption of a scope in the list "Искать в:" ("Месяцеслове" …).
QString ScopeCaption(SearchScope scope);
// The language variants a scope's pages come in: 5 for the lectionary and the
// troparia, 1 otherwise.
int VariantCount(SearchScope scope);
// " на ц-сл. языке " … " на странице Видео " for variants 1..5.
QString VariantText(int variant);

// Which page of a walk: enough to show the same page again whatever the
// settings have become since.
struct PageAddress {
    Date civil;             // the day; for a note, the civil date of its key
    int variant = 0;        // 1..5 in the lectionary and the troparia, else 0
    int entry = -1;         // the row of the troparia's contents, a note's place in the listing, else -1
    friend bool operator==(const PageAddress&, const PageAddress&) = default;
};

struct SearchPage {
    PageAddress address;
    QString title;          // the contents entry of a hymn, or the note's file name
    QString text;           // what a reader sees, as plain text
};

// What a walk goes over: units (days, or notes) of one or more pages each.
class PageSource {
public:
    // A year of days of a scope other than the notes; `today` is what the
    // lectionary's rules read.
    static PageSource Year(QString data_root, SearchScope scope, int year, Date today);
    // Every note in the notes folder, each searched in its own file (a
    // one-time note beside a yearly note of its day too).
    static PageSource Notes(QString data_root, Date today);

    SearchScope scope() const { return scope_; }
    int year() const { return year_; }
    int unitCount() const;
    // The pages of a unit in the order they are searched.
    std::vector<SearchPage> pages(int unit) const;
    // The unit a page address belongs to, or -1.
    int unitOf(Date civil) const;

private:
    PageSource() = default;
    std::vector<SearchPage> dayPages(Date civil) const;
    std::vector<SearchPage> notePages(int unit) const;

    QString data_root_;
    SearchScope scope_ = SearchScope::Menaion;
    int year_ = 0;
    Date first_day_;
    Date today_;
    NoteListing notes_;
};

// How far a walk went; what the progress texts are made of.
struct WalkProgress {
    int units_done = 0;
    int units_total = 0;
    int pages = 0;          // pages searched
    int hits = 0;           // matches counted
    int hit_pages = 0;      // pages with a match
};
// Called after every page; returning false cancels the walk there.
using ProgressCallback = std::function<bool(const WalkProgress&)>;

struct SearchHit {
    SearchPage page;
    int occurrence = 0;     // the match's number on its page, from 0
    qsizetype position = 0; // in the page's plain text
};

// One entry of the list of "Найти &все": a page with its matches.
struct PageResult {
    PageAddress address;
    QString title;
    int count = 0;
    qsizetype first = 0;    // the first match in the plain text
    QString excerpt;        // a few words around it
};

enum class WalkOutcome { Hit, Finished, Cancelled };

class YearSearch {
public:
    YearSearch(PageSource source, MatchOptions options);

    const PageSource& source() const { return source_; }
    const MatchOptions& options() const { return options_; }
    const WalkProgress& progress() const { return progress_; }

    // "&Найти" / "&Найти далее": on to the next match, the one after the
    // last hit (within its page first). `hit()` is valid after Hit.
    WalkOutcome findNext(const ProgressCallback& progress = {});
    const SearchHit& hit() const { return hit_; }
    // Whether the walk has not started.
    bool atStart() const { return unit_ == 0 && pages_.empty(); }

    // "Найти &все": every page with a match from here to the end.
    WalkOutcome findAll(std::vector<PageResult>& results, const ProgressCallback& progress = {});

private:
    bool nextPage(const ProgressCallback& progress, bool* cancelled);

    PageSource source_;
    MatchOptions options_;
    WalkProgress progress_;
    int unit_ = 0;                    // the next unit to load
    std::vector<SearchPage> pages_;   // of the unit being searched
    size_t page_ = 0;                 // the page being searched in pages_
    QList<qsizetype> matches_;        // of that page
    int match_ = -1;                  // the last match reported
    SearchHit hit_;
};

// A result opened again: the page of the address and its occurrence-th
// match, when they are still there.
std::optional<SearchHit> FindOccurrence(const PageSource& source, const MatchOptions& options,
                                        const PageAddress& address, int occurrence);

// The text of a result list entry: the date as dd.mm.yyyy, civil or old
// style, the variant and contents entry where the scope has them, and the
// count.
QString ResultEntryText(SearchScope scope, const PageResult& result, bool old_style);

}  // namespace indikt
