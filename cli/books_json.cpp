#include "books_json.h"

#include "json.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"
#include "lectionary/prayer_book.h"
#include "records/bookmarks.h"
#include "texts/data_files.h"
#include "texts/text_transforms.h"

#include <QDir>

namespace indikt::cli {

namespace {

void AppendPageFields(std::string& out, const QString& page, const QString& data_root)
{
    AppendJsonKey(out, "page");
    if (page.isEmpty())
        out += "null";
    else
        AppendJsonString(out, page.toStdString());
    AppendJsonKey(out, "text");
    const QString html = page.isEmpty() ? QString() : ReadTextFile(DataPath(data_root, page), kMaxDataFileBytes);
    AppendJsonString(out, TextNoHTM(html).trimmed().toStdString());
}

const char* SeasonName(PrayerBookSeason season)
{
    switch (season) {
    case PrayerBookSeason::BrightWeek: return "bright_week";
    case PrayerBookSeason::ToAscension: return "to_ascension";
    case PrayerBookSeason::ToPentecost: return "to_pentecost";
    case PrayerBookSeason::Ordinary: break;
    }
    return "ordinary";
}

}  // namespace

void AppendLivesJson(std::string& out, Date date, const QString& data_root)
{
    out += '{';
    AppendJsonKey(out, "date", true);
    AppendJsonString(out, IsoDateText(date));
    AppendJsonKey(out, "wanted");
    AppendJsonString(out, LivesPage(date).toStdString());
    AppendPageFields(out, Gitiya(data_root, date), data_root);
    out += "}\n";
}

void AppendPrayerBookJson(std::string& out, Date date, const QString& data_root, int language)
{
    const DayFacts facts = MakeDayFacts(date);
    const PrayerBookChoice choice = Molitv(data_root, facts, language);
    out += '{';
    AppendJsonKey(out, "date", true);
    AppendJsonString(out, IsoDateText(date));
    AppendJsonKey(out, "language");
    AppendJsonInt(out, choice.tag);
    AppendJsonKey(out, "season");
    AppendJsonString(out, SeasonName(SeasonOfPrayerBook(facts)));
    AppendJsonKey(out, "wanted");
    AppendJsonString(out, choice.wanted.toStdString());
    AppendJsonKey(out, "underlined");
    out += '[';
    for (size_t i = 0; i < choice.underlined.size(); ++i)
        out += std::string(i ? "," : "") + (choice.underlined[i] ? "true" : "false");
    out += ']';
    AppendPageFields(out, choice.page, data_root);
    out += "}\n";
}

void AppendBookmarksJson(std::string& out, const QString& data_root, std::vector<std::string>& warnings)
{
    const QString path = QDir(data_root).filePath(QString::fromUtf8(kBookmarksFileName));
    const BookmarksReadResult read = ReadBookmarksFile(path);
    if (!read.error.isEmpty())
        warnings.push_back(read.error.toStdString());
    if (read.skipped > 0)
        warnings.push_back(QString("%1: %2 incomplete or unreadable bookmark(s) skipped").arg(path).arg(read.skipped).toStdString());
    out += '{';
    AppendJsonKey(out, "file", true);
    AppendJsonString(out, path.toStdString());
    AppendJsonKey(out, "exists");
    out += read.exists ? "true" : "false";
    AppendJsonKey(out, "skipped");
    AppendJsonInt(out, read.skipped);
    AppendJsonKey(out, "bookmarks");
    out += '[';
    bool first = true;
    for (const Bookmark& bookmark : read.list.items()) {
        if (!first)
            out += ',';
        first = false;
        out += '{';
        AppendJsonKey(out, "name", true);
        AppendJsonString(out, bookmark.name.toStdString());
        AppendJsonKey(out, "date");
        AppendJsonString(out, IsoDateText(bookmark.date));
        AppendJsonKey(out, "old_style");
        AppendJsonString(out, TextOfDayAndMonthAndYear1(OldStyle(bookmark.date)));
        out += '}';
    }
    out += "]";
    AppendJsonKey(out, "warnings");
    AppendJsonStringArray(out, warnings);
    out += "}\n";
}

}  // namespace indikt::cli
