#pragma once

// The user's notes per date ("Записи"): one RTF file per note in the notes
// folder of the data root, named by the old-style date of its day. A yearly
// note is named by day and month ("янв07.rtf") and shows every year; a
// one-time note by day, month and year ("янв072024.rtf"). Older notes named
// ".doc" are read, never written.
//
// Plain functions over a data root: the editor, the search, the period
// report and indikt-cli read notes through them. Reading, listing and the
// neighbours change no file; only SaveNote, RemoveNote and
// CleanUpLegacyNotes do.

#include "calendar/date.h"
#include "texts/data_files.h"
#include "texts/rtf.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace indikt {

inline constexpr const char* kNotesFolderName = "Записи";

// A note larger than this is not read: it is shown as a notice and never
// written over. Text alone never comes near it; pictures may.
inline constexpr qsizetype kMaxNoteBytes = 8 * 1024 * 1024;

QString NotesFolderPath(const QString& data_root);

// The old-style date a civil date's note is kept under.
OldStyleDate NoteKeyOfDate(Date civil_date);
// The civil date whose note key is `key`: the same day.
Date CivilDateOfNoteKey(OldStyleDate key);

// The four names of a day's note, full paths.
struct NoteFileNames {
    QString yearly_rtf;
    QString dated_rtf;
    QString yearly_doc;
    QString dated_doc;
};
NoteFileNames NoteFilesOfKey(const QString& data_root, OldStyleDate key);
// Whether the path is one of the yearly names.
bool IsYearlyNoteFile(const QString& path);

// The note of a civil date as found on disk.
struct StoredNote {
    Date date;                 // the civil date asked for
    OldStyleDate key;          // its old-style key
    QString path;              // the file shown, empty when the day has none
    bool yearly = false;       // the file shown is a yearly note
    FileStamp stamp;           // of `path` as it was read
    RtfDocument content;
    // False when the file was not read whole (not RTF, too large,
    // unreadable, or holding what a note cannot keep): it is shown, never
    // written over or deleted by the program.
    bool editable = true;
    QString notice;            // why it is not editable, for the user
    QStringList hidden;        // other notes of the day that the shown one hides
    bool exists() const { return !path.isEmpty(); }
};

// Loads in the order yearly.rtf, dated.rtf, yearly.doc, dated.doc: a yearly
// note hides a one-time note of the same day. A ".doc" is read when it is
// RTF; a ".doc" beside an ".rtf" of the same name is not a note of its own
// (CleanUpLegacyNotes).
StoredNote ReadNote(const QString& data_root, Date civil_date);

// A note file named by the listing rules, dated by its name.
struct ListedNote {
    OldStyleDate key;          // a yearly note in today's (old-style) year
    bool yearly = false;
    QString file_name;
};

// Every "*.rtf" of the notes folder whose name is 9 to 13 characters long
// and gives a date: month by the first three letters ("янв" … "ноя", any
// other three letters December), day by letters 4-5, year by letters 6-9
// (today's year for a 9-letter yearly name, or when they are no number).
// Notes that fall outside the days the calendar shows are left out.
struct NoteListing {
    int examined = 0;          // every "*.rtf" file looked at
    std::vector<ListedNote> notes;  // by date
};
NoteListing ListNotes(const QString& data_root, Date today);
std::optional<ListedNote> ParseNoteFileName(const QString& file_name, int today_year);

// `SpisokSapis`: the dates of the listing as texts yyyymmdd in order;
// mode 0 all, 1 those before `shown_key`, 2 those after it.
QStringList SpisokSapis(const NoteListing& listing, int mode, OldStyleDate shown_key);

// The civil date of the nearest note before or after the note key shown;
// nothing when there is none.
std::optional<Date> PreviousNoteDate(const NoteListing& listing, OldStyleDate shown_key);
std::optional<Date> NextNoteDate(const NoteListing& listing, OldStyleDate shown_key);

// How a note file went away.
enum class Removal { Trashed, Deleted, Failed };
// Moves a file to the desktop's trash, or deletes it where there is none.
using NoteRemover = std::function<Removal(const QString& path)>;
Removal RemoveToTrash(const QString& path);

// A ".doc" beside an ".rtf" of the same name is a copy left by an old save:
// when it is RTF it goes to the trash (never when it is not RTF, and never
// deleted outright). Returns the files moved.
QStringList CleanUpLegacyNotes(const QString& data_root, OldStyleDate key, const NoteRemover& remover);

// ---- Saving --------------------------------------------------------------

// What the editor holds when it saves.
struct NoteSave {
    OldStyleDate key;          // the shown note's key, whatever the current date
    bool yearly = false;       // `PovtorGod` now
    RtfDocument content;       // blank text deletes the note
    bool modified = true;      // the text was changed since it was loaded
    QString loaded_path;       // StoredNote::path of what the editor shows
    FileStamp loaded_stamp;
};

// The questions a save may have to put before it writes.
enum class NoteQuestion {
    // The file the note goes to holds a note the editor did not load.
    // Yes: append its text to this note; No: keep both, this note staying
    // where it was; Cancel.
    NameTaken,
    // As NameTaken for a new note, which has no other name to stay under:
    // Yes or Cancel.
    NameTakenNoKeep,
    // As NameTaken when the other file cannot be read whole to be appended:
    // No or Cancel.
    NameTakenNoAppend,
    // Another program changed the shown file since it was read.
    // Yes: write this text (the other version goes to the trash);
    // No: show the other version, dropping these changes; Cancel.
    ChangedElsewhere,
};
enum class NoteAnswer { Yes, No, Cancel };
using NoteQuestions = std::function<NoteAnswer(NoteQuestion question, const QString& file_name)>;

struct NoteSaveResult {
    enum class Outcome {
        Saved,       // `path` holds the note
        Deleted,     // blank text: the shown file is gone
        Reload,      // nothing written: show the file as it is now
        Cancelled,   // nothing written: keep editing
        Failed,      // nothing written: `message` says why
    };
    Outcome outcome = Outcome::Failed;
    QString path;
    FileStamp stamp;
    bool yearly = false;
    QString message;           // for the status bar, or the failure
};

// Writes the note under its key: the new file atomically first, and only
// then the other name it was shown under goes (to the trash). Blank text
// removes the shown file and nothing else. A file the editor did not load
// is never written over or removed without a question, nor is a shown file
// that another program changed meanwhile. A missing notes folder is made.
NoteSaveResult SaveNote(const QString& data_root, const NoteSave& save, const NoteQuestions& ask,
                        const NoteRemover& remover);

}  // namespace indikt
