#pragma once

// The commemorations book: the three lists of "Памятка.txt" in memory with
// what the dialog does to them (add, edit, delete, switch, sort, import,
// export), and the saves of the file after each change. No widgets here.

#include "records/memo_file.h"
#include "records/memo_sorting.h"

#include <QDateTime>

#include <array>
#include <functional>
#include <optional>

namespace indikt {

// The lists in the order of the dialog's tabs.
enum class MemoList { Jubilees = 0, Feasts = 1, Events = 2 };

struct JubileeInput {
    QString name;
    Date picked;
    bool movable = false;
    bool show_years = true;
};

struct FeastInput {
    QString name;
    Date picked;
    bool movable = false;
    FeastStatus status = FeastStatus::Church;
};

struct EventInput {
    QString name;
    EventPeriod period = EventPeriod::Once;
    int minute = 0;
    Date date;
};

// What an import does to each list that already has rows.
enum class ImportChoice { Add, Replace, Skip };
struct ImportChoices {
    ImportChoice jubilees = ImportChoice::Add;
    ImportChoice feasts = ImportChoice::Add;
    ImportChoice events = ImportChoice::Add;
};

// Why a name cannot be taken, or empty when it can: blank, or holding a
// character that Windows-1251 cannot hold (it would be lost in the file).
QString NameProblem(const QString& name);

inline constexpr int kMemoBackupCount = 3;

// The three-way merge of the lists when the file was changed elsewhere: rows
// of `base` (the lists as last read or written) that the other side removed
// go; rows the other side added are kept after ours; ours stay as they are.
// A row changed on both sides (gone from both, with a row of the same name
// added on each) keeps both versions and is counted in `conflicts`.
struct MemoMerge {
    MemoLists lists;
    int added_elsewhere = 0;
    int removed_elsewhere = 0;
    int conflicts = 0;
};
MemoMerge MergeMemoLists(const MemoLists& base, const MemoLists& ours, const MemoLists& theirs);

class MemoBook {
public:
    // `folder` holds "Памятка.txt"; `now` gives the present moment.
    MemoBook(QString folder, std::function<MemoClock()> now);

    // `OpenPamjatka`: takes the present moment as today and reads the file
    // anew. Edits in progress are given up (their rows are still in the file).
    void open();

    const MemoLists& lists() const { return lists_; }
    const MemoClock& clock() const { return clock_; }
    QString filePath() const;
    // The numbered backups, 1 the newest.
    QString backupPath(int number = 1) const;
    // Where a file that could not be read whole was kept at load; empty when
    // the file was read whole.
    const QString& damagedCopy() const { return damaged_copy_; }

    // What the last load could not read, for the status bar; empty when all was read.
    QString loadMessage() const;
    int damagedOnLoad() const { return damaged_on_load_; }

    // The times of the active events still due today (for the reminders).
    std::vector<int> todayEventTimes() const { return TodayEventTimes(lists_.events, clock_); }

    // Rows as the calendar places them.
    std::vector<FeastEntry> feastEntries() const { return FeastEntries(lists_); }
    std::vector<JubileeEntry> jubileeEntries() const { return JubileeEntries(lists_); }

    // Adding a row puts it on top of its list, unsorted, and saves. When a row
    // of that list is being edited, the new row takes its place. The name is
    // trimmed; a name NameProblem refuses is not added (the error says why).
    WriteResult addJubilee(const JubileeInput& input);
    WriteResult addFeast(const FeastInput& input);
    WriteResult addEvent(const EventInput& input);

    // Editing keeps the row in the list, marked, until the changed row is
    // added; cancelling leaves it as it was.
    void beginEdit(MemoList list, int row);
    std::optional<int> editedRow(MemoList list) const;
    void cancelEdit(MemoList list);
    void cancelEdits();

    // Removes the rows (indices into the list) and saves.
    WriteResult remove(MemoList list, std::vector<int> rows);

    // Switches an event on or off and saves.
    WriteResult setEventActive(int row, bool active);

    void sort(MemoList list, SortOrder order);
    SortOrder sortOrder(MemoList list) const { return orders_[std::size_t(list)]; }
    // `SortOgid`: every list by its waiting, in its current direction.
    void sortByWaiting();

    // Writes "Памятка.txt". The previous file becomes "Памятка.txt.bak1", the
    // older backups move up to "bak3". When another program or another copy
    // changed the file since it was read or written, its version is read and
    // merged with the lists first (MergeMemoLists), and `lastNotice` says so.
    // A damaged file was kept at load (damagedCopy) and is never written over
    // without that copy.
    WriteResult save();
    const QString& lastNotice() const { return last_notice_; }

    // The first start of the program, when there is no "Памятка.txt": the
    // twelve great feasts and Pascha as church feasts, so the calendar marks
    // them from the first day. They are the user's rows like any other.
    WriteResult addGreatFeasts();

    // Writes the lists to another file ("Экспорт").
    WriteResult exportTo(const QString& path) const;

    // Reads a file to import; refuses one that is not the program's own.
    struct ImportFile {
        MemoLists lists;
        QString error;
    };
    ImportFile readImport(const QString& path) const;
    // Merges imported lists as chosen, sorts by waiting and saves.
    WriteResult applyImport(const MemoLists& imported, const ImportChoices& choices);

    // Takes the present moment; when the day has changed, every row is
    // computed anew for the new day (edits in progress are given up).
    void refreshMoment();

private:
    void rotateBackups(const QByteArray& current);
    bool mergeChangesFromElsewhere(const QByteArray& found, QString* error);
    void editedRowRemoved(MemoList list);
    template <typename Row>
    void putOnTop(std::vector<Row>& rows, std::optional<Row>& edited, Row row);

    QString folder_;
    std::function<MemoClock()> now_;
    MemoClock clock_;
    MemoLists lists_;
    std::array<SortOrder, 3> orders_{};
    std::optional<YubRecord> edited_jubilee_;
    std::optional<PrasdRecord> edited_feast_;
    std::optional<SobRecord> edited_event_;
    int damaged_on_load_ = 0;
    QString load_error_;
    QString damaged_copy_;
    QString damaged_copy_error_;  // the damaged file could not be kept: no save may replace it
    MemoLists base_;              // the lists as last read or written
    FileStamp stamp_;             // the file as last read or written
    QString last_notice_;
};

}  // namespace indikt
