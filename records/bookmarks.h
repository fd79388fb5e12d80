#pragma once

// "Закладки.txt": named days to come back to. The file is a header line, an
// empty line and, for each bookmark in the order it was made, a "Дата:" line
// with the date (dd.mm.yyyy) and then its "Имя:" line, both labels of 14
// characters. Windows-1251, CR LF.

#include "calendar/date.h"
#include "texts/data_files.h"

#include <QString>

#include <optional>
#include <vector>

namespace indikt {

inline constexpr const char* kBookmarksFileName = "Закладки.txt";
inline constexpr const char* kBookmarksBackupSuffix = ".bak";
inline constexpr qsizetype kBookmarkLabelLength = 14;

// A list of hand-made bookmarks stays far below these.
inline constexpr qsizetype kMaxBookmarksFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxBookmarks = 10000;
inline constexpr qsizetype kMaxBookmarkNameLength = 250;

struct Bookmark {
    QString name;
    Date date;
    friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

// Names are unique; the list keeps the order in which they were made.
class BookmarkList {
public:
    const std::vector<Bookmark>& items() const { return items_; }
    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    // The index of the bookmark of that name, or -1.
    int indexOf(const QString& name) const;
    // A new name is appended; an existing one gets the new date. False when
    // the list is full and the name is new.
    bool add(const QString& name, Date date);
    void remove(int index);
    friend bool operator==(const BookmarkList&, const BookmarkList&) = default;

private:
    std::vector<Bookmark> items_;
};

struct BookmarksReadResult {
    BookmarkList list;
    bool exists = false;
    // "Дата:" lines without their "Имя:" line and the other way round, dates
    // that are not dates of the calendar, empty names, and bookmarks past
    // the limit: each is left out and counted here.
    int skipped = 0;
    QString error;  // the file exists but could not be read
    bool clean() const { return skipped == 0 && error.isEmpty(); }
};

BookmarksReadResult ParseBookmarksText(const QString& text);
// A missing file gives an empty list and no error.
BookmarksReadResult ReadBookmarksFile(const QString& path);

// The text of the file; the header carries `today` in the program's own form.
QString BookmarksFileText(const BookmarkList& list, Date today);

// The list after two changes of one list: `ours` and `theirs` both began as
// `base`. Their list is the start; our removals, additions and new dates are
// applied to it, so neither side's change is lost (a bookmark both gave a new
// date keeps ours; one removed on either side stays removed unless the other
// side changed it).
BookmarkList MergeBookmarkLists(const BookmarkList& base, const BookmarkList& ours, const BookmarkList& theirs);

// Why a name cannot be kept: empty, too long, a line break, or a character
// Windows-1251 has no place for (named in the message). Empty when it can.
QString BookmarkNameProblem(const QString& name);

// The bookmarks of a data root as the dialog keeps them: read once, written
// only when they changed. When the last read was not clean, the file as it
// was is kept beside it as "Закладки.txt.bak" before it is written over.
// When the file changed since it was read (another copy of the program, an
// editor), its list is read and merged with ours before the write, and
// lastNotice() says so.
class BookmarkStore {
public:
    explicit BookmarkStore(QString path);
    const QString& path() const { return path_; }
    const BookmarksReadResult& lastRead() const { return read_; }
    const BookmarkList& list() const { return list_; }
    bool changed() const { return !(list_ == read_.list); }

    bool add(const QString& name, Date date) { return list_.add(name, date); }
    void remove(int index) { list_.remove(index); }

    // Reads the file again, dropping changes not saved.
    void reload();
    // Reads the file again when it changed since the last read or write and
    // nothing here waits to be saved.
    void reloadIfChanged();
    // Writes the list when it changed; nothing to do is success.
    WriteResult save(Date today);
    // What the last save merged from elsewhere; empty when nothing.
    const QString& lastNotice() const { return notice_; }

private:
    QString path_;
    BookmarksReadResult read_;
    BookmarkList list_;
    FileStamp stamp_;
    QString notice_;
};

}  // namespace indikt
