#include "year_search.h"

#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/tree_files.h"
#include "lectionary/tropar.h"
#include "texts/data_files.h"
#include "texts/rtf.h"
#include "walks/page_text.h"

#include "calendar/date_texts.h"

#include <QFileInfo>

#include <algorithm>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The plain text of a note file as the notes pane shows it; empty when the
// file is no note the pane can show.
QString NoteText(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxNoteBytes);
    if (!bytes || !LooksLikeRtf(*bytes))
        return {};
    return PlainTextOfRtf(ReadRtf(*bytes).document);
}

// The page of a hymn in a language variant, relative; empty when it has none.
QString HymnPage(const HymnRow& row, int variant)
{
    switch (variant) {
    case 1: return row.slavonic;
    case 2: return row.civil;
    case 3: return row.russian;
    default: {
        const QString folder = row.civil.section('/', 0, -2);
        return folder.isEmpty() ? QString() : folder + (variant == 4 ? "/звук.htm" : "/видео.htm");
    }
    }
}

}  // namespace

QString ScopeCaption(SearchScope scope)
{
    switch (scope) {
    case SearchScope::Menaion: return "Месяцеслове";
    case SearchScope::Lectionary: return "Лекционарии";
    case SearchScope::Troparia: return "Тропарях и кондаках";
    case SearchScope::Notes: return "Личных записях";
    }
    return {};
}

int VariantCount(SearchScope scope)
{
    return scope == SearchScope::Lectionary || scope == SearchScope::Troparia ? 5 : 1;
}

QString VariantText(int variant)
{
    static const char* const kTexts[] = {" на ц-сл. языке ", " на ц-сл. языке в гражданской орфографии ",
                                         " на русском языке ", " на странице Звук ", " на странице Видео "};
    return variant >= 1 && variant <= 5 ? QString::fromUtf8(kTexts[variant - 1]) : QString();
}

PageSource PageSource::Year(QString data_root, SearchScope scope, int year, Date today)
{
    PageSource source;
    source.data_root_ = std::move(data_root);
    source.scope_ = scope;
    source.year_ = year;
    source.first_day_ = FromCivil(year, 1, 1);
    source.today_ = today;
    return source;
}

PageSource PageSource::Notes(QString data_root, Date today)
{
    PageSource source;
    source.data_root_ = std::move(data_root);
    source.scope_ = SearchScope::Notes;
    source.year_ = YearOf(today);
    source.today_ = today;
    source.notes_ = ListNotes(source.data_root_, today);
    return source;
}

int PageSource::unitCount() const
{
    if (scope_ == SearchScope::Notes)
        return static_cast<int>(notes_.notes.size());
    return IsLeapYear(year_) ? 366 : 365;
}

int PageSource::unitOf(Date civil) const
{
    if (scope_ != SearchScope::Notes) {
        const int unit = civil - first_day_;
        return unit >= 0 && unit < unitCount() ? unit : -1;
    }
    for (size_t i = 0; i < notes_.notes.size(); ++i)
        if (CivilDateOfNoteKey(notes_.notes[i].key) == civil)
            return static_cast<int>(i);
    return -1;
}

std::vector<SearchPage> PageSource::pages(int unit) const
{
    if (unit < 0 || unit >= unitCount())
        return {};
    if (scope_ == SearchScope::Notes)
        return notePages(unit);
    return dayPages(first_day_ + unit);
}

std::vector<SearchPage> PageSource::notePages(int unit) const
{
    const ListedNote& note = notes_.notes[static_cast<size_t>(unit)];
    SearchPage page;
    page.address.civil = CivilDateOfNoteKey(note.key);
    page.address.entry = unit;
    page.title = note.file_name;
    page.text = NoteText(NotesFolderPath(data_root_) + "/" + note.file_name);
    return {page};
}

std::vector<SearchPage> PageSource::dayPages(Date civil) const
{
    const TreeFiles files(data_root_);
    std::vector<SearchPage> pages;
    switch (scope_) {
    case SearchScope::Menaion: {
        SearchPage page;
        page.address.civil = civil;
        page.text = PlainTextOfHtml(MesezText(files, civil).html);
        pages.push_back(std::move(page));
        break;
    }
    case SearchScope::Lectionary:
        for (int variant = 1; variant <= 5; ++variant) {
            LectionarySettings settings;
            settings.language = BibleLanguageOfTag(variant);
            SearchPage page;
            page.address = {civil, variant, -1};
            page.text = PlainTextOfHtml(Lexionariy(files, civil, today_, settings).html);
            pages.push_back(std::move(page));
        }
        break;
    case SearchScope::Troparia: {
        const TroparDay day = Tropar(files, civil);
        for (int variant = 1; variant <= 5; ++variant) {
            QStringList seen;  // the audio and video pages belong to a set, not to a hymn
            for (qsizetype entry = 0; entry < day.rows.size(); ++entry) {
                const QString file = HymnPage(day.rows[entry], variant);
                if (file.isEmpty() || seen.contains(file))
                    continue;
                seen << file;
                const QString path = data_root_ + "/" + file;
                if (!QFileInfo(path).isFile())
                    continue;
                SearchPage page;
                page.address = {civil, variant, static_cast<int>(entry)};
                page.title = day.rows[entry].title;
                page.text = PlainTextOfHtml(ReadTextFile(path));
                pages.push_back(std::move(page));
            }
        }
        break;
    }
    case SearchScope::Notes:
        break;
    }
    return pages;
}

YearSearch::YearSearch(PageSource source, MatchOptions options)
    : source_(std::move(source)), options_(std::move(options))
{
    progress_.units_total = source_.unitCount();
}

// Moves to the next page with its matches found; false at the end or when
// the progress callback cancels after a page.
bool YearSearch::nextPage(const ProgressCallback& progress, bool* cancelled)
{
    *cancelled = false;
    if (!pages_.empty()) {
        ++progress_.pages;
        if (!matches_.isEmpty())
            ++progress_.hit_pages;
        if (progress && !progress(progress_)) {
            *cancelled = true;
            return false;
        }
        ++page_;
    }
    while (page_ >= pages_.size()) {
        if (unit_ >= source_.unitCount()) {
            pages_.clear();
            page_ = 0;
            matches_.clear();
            return false;
        }
        pages_ = source_.pages(unit_);
        page_ = 0;
        progress_.units_done = ++unit_;
        if (pages_.empty() && progress && !progress(progress_)) {
            *cancelled = true;
            return false;
        }
    }
    matches_ = FindAllMatches(pages_[page_].text, options_);
    match_ = -1;
    return true;
}

WalkOutcome YearSearch::findNext(const ProgressCallback& progress)
{
    if (options_.text.isEmpty())
        return WalkOutcome::Finished;
    for (;;) {
        if (!pages_.empty() && match_ + 1 < matches_.size()) {
            ++match_;
            ++progress_.hits;
            hit_.page = pages_[page_];
            hit_.occurrence = match_;
            hit_.position = matches_[match_];
            return WalkOutcome::Hit;
        }
        bool cancelled = false;
        if (!nextPage(progress, &cancelled))
            return cancelled ? WalkOutcome::Cancelled : WalkOutcome::Finished;
    }
}

WalkOutcome YearSearch::findAll(std::vector<PageResult>& results, const ProgressCallback& progress)
{
    if (options_.text.isEmpty())
        return WalkOutcome::Finished;
    for (;;) {
        if (!pages_.empty() && match_ + 1 < matches_.size()) {
            const SearchPage& page = pages_[page_];
            const qsizetype first = matches_[match_ + 1];
            results.push_back({page.address, page.title, static_cast<int>(matches_.size() - match_ - 1), first,
                               ExcerptAround(page.text, first, options_.text.size())});
            progress_.hits += results.back().count;
            match_ = static_cast<int>(matches_.size()) - 1;
        }
        bool cancelled = false;
        if (!nextPage(progress, &cancelled))
            return cancelled ? WalkOutcome::Cancelled : WalkOutcome::Finished;
    }
}

std::optional<SearchHit> FindOccurrence(const PageSource& source, const MatchOptions& options,
                                        const PageAddress& address, int occurrence)
{
    const int unit = source.scope() == SearchScope::Notes ? address.entry : source.unitOf(address.civil);
    for (const SearchPage& page : source.pages(unit)) {
        if (!(page.address == address))
            continue;
        const QList<qsizetype> matches = FindAllMatches(page.text, options);
        if (occurrence < 0 || occurrence >= matches.size())
            return std::nullopt;
        return SearchHit{page, occurrence, matches[occurrence]};
    }
    return std::nullopt;
}

QString ResultEntryText(SearchScope scope, const PageResult& result, bool old_style)
{
    QString text = old_style ? Qs(TextOfDayAndMonthAndYear1(OldStyle(result.address.civil)))
                             : Qs(TextOfDayAndMonthAndYear1(result.address.civil));
    if (result.address.variant > 0)
        text += VariantText(result.address.variant).trimmed().prepend(' ');
    if (scope == SearchScope::Troparia && !result.title.isEmpty())
        text += " (" + result.title + ")";
    const int last_two = result.count % 100;
    const int last = result.count % 10;
    const bool few = last >= 2 && last <= 4 && !(last_two >= 12 && last_two <= 14);
    text += " - " + QString::number(result.count) + (few ? " раза" : " раз");
    return text;
}

}  // namespace indikt
