#include "bookmarks.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"
#include "texts/cp1251.h"
#include "texts/text_transforms.h"

#include <QFile>
#include <QFileInfo>

namespace indikt {

namespace {

const QString& DateLabel()
{
    static const QString label = QStringLiteral("Дата:").leftJustified(kBookmarkLabelLength, u' ');
    return label;
}

const QString& NameLabel()
{
    static const QString label = QStringLiteral("Имя:").leftJustified(kBookmarkLabelLength, u' ');
    return label;
}

std::optional<Date> ReadDate(QStringView value)
{
    const std::optional<Date> date = ParseStoredDate(value.trimmed().toString().toStdString());
    if (!date || !IsAcceptedDate(*date))
        return std::nullopt;
    return date;
}

QString Stored(Date date) { return QString::fromStdString(TextOfDayAndMonthAndYear1(date)); }

}  // namespace

int BookmarkList::indexOf(const QString& name) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].name == name)
            return static_cast<int>(i);
    return -1;
}

bool BookmarkList::add(const QString& name, Date date)
{
    if (const int index = indexOf(name); index >= 0) {
        items_[static_cast<size_t>(index)].date = date;
        return true;
    }
    if (size() >= kMaxBookmarks)
        return false;
    items_.push_back({name, date});
    return true;
}

void BookmarkList::remove(int index)
{
    if (index >= 0 && index < size())
        items_.erase(items_.begin() + index);
}

// A bookmark is a "Дата:" line followed by its "Имя:" line; lines of other
// kinds between them are ignored. A date without its name, or a name without
// its date, is skipped, so one odd line never shifts the later names against
// their dates.
BookmarksReadResult ParseBookmarksText(const QString& text)
{
    BookmarksReadResult result;
    bool date_pending = false;
    std::optional<Date> pending;
    for (const QStringView line : SplitLines(text)) {
        if (line.startsWith(DateLabel())) {
            if (date_pending)
                ++result.skipped;
            date_pending = true;
            pending = ReadDate(line.mid(kBookmarkLabelLength));
        } else if (line.startsWith(NameLabel())) {
            const QString name = line.mid(kBookmarkLabelLength).toString();
            if (!date_pending || !pending || !BookmarkNameProblem(name).isEmpty() ||
                !result.list.add(name, *pending))
                ++result.skipped;
            date_pending = false;
            pending.reset();
        }
    }
    if (date_pending)
        ++result.skipped;
    return result;
}

BookmarksReadResult ReadBookmarksFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    BookmarksReadResult result;
    if (!info.isFile()) {
        result.exists = true;
        result.error = "«" + path + "» не является файлом";
        return result;
    }
    if (info.size() > kMaxBookmarksFileBytes) {
        result.exists = true;
        result.error = "файл «" + path + "» слишком велик";
        return result;
    }
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxBookmarksFileBytes);
    if (!bytes) {
        result.exists = true;
        result.error = "файл «" + path + "» не прочитан";
        return result;
    }
    result = ParseBookmarksText(DecodeFileText(*bytes));
    result.exists = true;
    return result;
}

QString BookmarksFileText(const BookmarkList& list, Date today)
{
    QString text = "Закладки от " + Stored(today) + "\r\n\r\n";
    for (const Bookmark& bookmark : list.items())
        text += DateLabel() + Stored(bookmark.date) + "\r\n" + NameLabel() + bookmark.name + "\r\n";
    return text;
}

QString BookmarkNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return "Имя закладки не может быть пустым.";
    if (name.size() > kMaxBookmarkNameLength)
        return "Имя закладки длиннее " + QString::number(kMaxBookmarkNameLength) + " знаков.";
    for (const QChar c : name)
        if (c == u'\r' || c == u'\n')
            return "Имя закладки должно быть одной строкой.";
    const qsizetype outside = FirstCharOutsideCp1251(name);
    if (outside >= 0) {
        const char32_t code = QStringView(name).mid(outside).toUcs4().value(0);
        const QString shown = QString::fromUcs4(&code, 1);
        return "Знак «" + shown + "» (U+" + QString::number(code, 16).toUpper().rightJustified(4, u'0') +
               ") нельзя сохранить в файле закладок: его нет в кодировке Windows-1251.";
    }
    return {};
}

BookmarkList MergeBookmarkLists(const BookmarkList& base, const BookmarkList& ours, const BookmarkList& theirs)
{
    BookmarkList merged = theirs;
    for (const Bookmark& was : base.items()) {
        const int our_index = ours.indexOf(was.name);
        const int their_index = merged.indexOf(was.name);
        const bool they_changed = their_index >= 0 && merged.items()[std::size_t(their_index)].date != was.date;
        if (our_index < 0 && their_index >= 0 && !they_changed)
            merged.remove(their_index);
    }
    for (const Bookmark& mine : ours.items()) {
        const int base_index = base.indexOf(mine.name);
        const bool ours_changed = base_index < 0 || base.items()[std::size_t(base_index)].date != mine.date;
        if (ours_changed)
            merged.add(mine.name, mine.date);
    }
    return merged;
}

BookmarkStore::BookmarkStore(QString path) : path_(std::move(path)) { reload(); }

void BookmarkStore::reload()
{
    stamp_ = StampOfFile(path_);
    read_ = ReadBookmarksFile(path_);
    list_ = read_.list;
}

void BookmarkStore::reloadIfChanged()
{
    if (!changed() && StampOfFile(path_) != stamp_)
        reload();
}

WriteResult BookmarkStore::save(Date today)
{
    notice_.clear();
    if (!changed())
        return {};
    if (const FileStamp their_stamp = StampOfFile(path_); their_stamp != stamp_) {
        const BookmarksReadResult theirs = ReadBookmarksFile(path_);
        if (!theirs.error.isEmpty())
            return {theirs.error};
        list_ = MergeBookmarkLists(read_.list, list_, theirs.list);
        read_ = theirs;
        stamp_ = their_stamp;
        notice_ = "Файл закладок изменен другой программой или другой копией Индикта: "
                  "его закладки объединены с вашими.";
        if (!changed())
            return {};
    }
    std::optional<QByteArray> bytes = EncodeCp1251(BookmarksFileText(list_, today));
    if (!bytes)
        return {"Закладки не сохранены: в именах есть знаки, которых нет в кодировке Windows-1251."};
    // What was read with faults is kept whole before the list written over it.
    if (read_.exists && !read_.clean()) {
        const std::optional<QByteArray> old = ReadFileBytes(path_, kMaxDamagedCopyBytes);
        if (!old)
            return {"Закладки не сохранены: файл «" + path_ + "» не удалось сохранить как копию."};
        const WriteResult kept = WriteFileAtomically(path_ + kBookmarksBackupSuffix, *old);
        if (!kept.ok())
            return kept;
    }
    const WriteResult written = WriteFileAtomically(path_, *bytes);
    if (written.ok()) {
        read_ = BookmarksReadResult{list_, true, 0, {}};
        stamp_ = StampOfBytes(path_, *bytes);
    }
    return written;
}

}  // namespace indikt
