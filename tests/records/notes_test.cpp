// The notes per date on disk: names from the old-style date, the listing
// and its name rules, previous and next note, loading, and every way a save
// could lose a text (a failed write, a move between names, a note the
// editor did not load, a file changed by another program).

#include "records/notes.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }
OldStyleDate O(int year, int month, int day) { return FromOldStyle(year, month, day); }

RtfDocument Note(const QString& text)
{
    RtfDocument document;
    for (const QString& line : text.split('\n')) {
        RtfParagraph paragraph;
        paragraph.alignment = RtfAlignment::Centre;
        RtfCharFormat format;
        format.font = "Arial";
        format.half_points = 27;
        AppendRtfText(paragraph, line, format);
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

class NotesTest : public ::testing::Test {
protected:
    QString root() const { return folder.path(); }
    QString file(const QString& name) const { return NotesFolderPath(root()) + "/" + name; }
    void put(const QString& name, const QString& text) { put(name, WriteRtf(Note(text))); }
    void put(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(NotesFolderPath(root()));
        ASSERT_TRUE(WriteBytes(file(name), bytes));
    }
    QString textOf(const QString& name) const { return PlainTextOfRtf(ReadRtf(ReadBytes(file(name))).document); }
    bool has(const QString& name) const { return QFileInfo::exists(file(name)); }

    // A save of the note shown for `date`, now holding `text`.
    NoteSaveResult save(Date date, const QString& text, bool yearly, std::optional<StoredNote> shown = {})
    {
        const StoredNote note = shown ? *shown : ReadNote(root(), date);
        NoteSave request;
        request.key = note.key;
        request.yearly = yearly;
        request.content = Note(text);
        request.loaded_path = note.path;
        request.loaded_stamp = note.stamp;
        return SaveNote(root(), request, [this](NoteQuestion question, const QString& name) {
            questions.push_back({question, name});
            if (answers.empty())
                return NoteAnswer::Cancel;
            const NoteAnswer answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }, [this](const QString& path) {
            removed << QFileInfo(path).fileName();
            return QFile::remove(path) ? Removal::Trashed : Removal::Failed;
        });
    }

    QTemporaryDir folder;
    std::vector<NoteAnswer> answers;
    std::vector<std::pair<NoteQuestion, QString>> questions;
    QStringList removed;
};

TEST_F(NotesTest, FileNamesComeFromTheOldStyleDate)
{
    struct Case { Date civil; const char* yearly; const char* dated; };
    const Case cases[] = {
        // Civil 7 January 2024 is 25 December 2023 old style (Plus 13).
        {D(2024, 1, 7), "дек25.rtf", "дек252023.rtf"},
        {D(2025, 3, 22), "мар09.rtf", "мар092025.rtf"},
        {D(2025, 5, 18), "май05.rtf", "май052025.rtf"},
        // The first day shown: Plus 11 in 1752.
        {D(1752, 1, 12), "янв01.rtf", "янв011752.rtf"},
        // The last day shown: Plus 21 in 3000.
        {D(3000, 12, 31), "дек10.rtf", "дек103000.rtf"},
        // The difference grows to 14 only after 29 February 2100 old style.
        {D(2100, 1, 1), "дек19.rtf", "дек192099.rtf"},
        {D(2100, 3, 14), "фев29.rtf", "фев292100.rtf"},
        {D(2100, 3, 15), "мар01.rtf", "мар012100.rtf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dated);
        const NoteFileNames names = NoteFilesOfKey(root(), NoteKeyOfDate(c.civil));
        EXPECT_EQ(names.yearly_rtf, file(c.yearly));
        EXPECT_EQ(names.dated_rtf, file(c.dated));
        EXPECT_EQ(names.yearly_doc, file(QString(c.yearly).replace(".rtf", ".doc")));
        EXPECT_EQ(names.dated_doc, file(QString(c.dated).replace(".rtf", ".doc")));
    }
    // Every key of a shown day leads back to a day whose key it is.
    for (Date day = kFirstDate; day <= kLastDate; day = day + 1) {
        const OldStyleDate key = NoteKeyOfDate(day);
        ASSERT_EQ(NoteKeyOfDate(CivilDateOfNoteKey(key)), key) << YearOf(day);
    }
}

TEST_F(NotesTest, NameRulesOfTheListing)
{
    struct Case { const char* name; std::optional<OldStyleDate> key; bool yearly; };
    const Case cases[] = {
        {"янв07.rtf", O(2026, 1, 7), true},          // 9 letters: yearly, in today's year
        {"янв072024.rtf", O(2024, 1, 7), false},     // 13 letters: one-time
        {"дек252023.rtf", O(2023, 12, 25), false},
        {"абв072024.rtf", O(2024, 12, 7), false},    // unknown month letters count as December
        {"Янв072024.rtf", O(2024, 12, 7), false},    // so do capitals
        {"янвxx2024.rtf", {}, false},                // unreadable day
        {"янв00.rtf", {}, false},
        {"фев302024.rtf", {}, false},
        {"фев29.rtf", {}, false},                    // 2026 has no 29 February
        {"янв7.rtf", {}, false},                     // 8 letters
        {"янв0720245.rtf", {}, false},               // 14 letters
        {"янв07x.rtf", O(2026, 1, 7), false},        // year letters no number: today's year
        {"янв0799.rtf", O(2026, 1, 7), false},
        {"янв07.doc", {}, false},
        // The first and last days shown: 21 December 1751 old style is civil 1 January 1752.
        {"дек211751.rtf", O(1751, 12, 21), false},
        {"дек201751.rtf", {}, false},
        {"янв071752.rtf", O(1752, 1, 7), false},
        {"янв013000.rtf", O(3000, 1, 1), false},
        {"дек103000.rtf", O(3000, 12, 10), false},   // civil 31 December 3000
        {"дек113000.rtf", {}, false},                // would be civil 3001
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<ListedNote> note = ParseNoteFileName(QString::fromUtf8(c.name), 2026);
        ASSERT_EQ(note.has_value(), c.key.has_value());
        if (!note)
            continue;
        EXPECT_EQ(note->key, *c.key);
        EXPECT_EQ(note->yearly, c.yearly);
    }
    EXPECT_EQ(ParseNoteFileName("фев29.rtf", 2028)->key, O(2028, 2, 29));
}

TEST_F(NotesTest, ListingPreviousAndNext)
{
    EXPECT_EQ(ListNotes(root(), D(2026, 6, 1)).examined, 0) << "no folder: nothing examined";
    for (const char* name : {"янв072024.rtf", "мар012025.rtf", "июн15.rtf", "дек252023.rtf", "xx.rtf",
                             "янвxx2024.rtf", "янв07.doc", "заметка.txt", "янв08.RTF"})
        put(QString::fromUtf8(name), QString("текст"));
    QDir().mkpath(file("фев02.rtf"));  // a folder is not a note
    const NoteListing listing = ListNotes(root(), D(2026, 6, 1));
    EXPECT_EQ(listing.examined, 6) << "every *.rtf file, named well or not";
    QStringList names;
    for (const ListedNote& note : listing.notes)
        names << note.file_name;
    EXPECT_EQ(names, QStringList({"дек252023.rtf", "янв072024.rtf", "мар012025.rtf", "июн15.rtf"}));

    // Keys are old style; the yearly note falls in today's year.
    EXPECT_EQ(SpisokSapis(listing, 0, O(2025, 1, 1)), QStringList({"20231225", "20240107", "20250301", "20260615"}));
    EXPECT_EQ(SpisokSapis(listing, 1, O(2024, 1, 7)), QStringList({"20231225"}));
    EXPECT_EQ(SpisokSapis(listing, 2, O(2024, 1, 7)), QStringList({"20250301", "20260615"}));

    struct Step { OldStyleDate shown_key; std::optional<Date> previous; std::optional<Date> next; };
    const Step steps[] = {
        {O(2024, 1, 7), NewStyle(O(2023, 12, 25)), NewStyle(O(2025, 3, 1))},
        {O(2023, 1, 1), {}, D(2024, 1, 7)},   // 25 December 2023 old style is civil 7 January 2024
        // From an earlier year the next note can be this year's yearly note.
        {O(2025, 3, 1), D(2024, 1, 20), D(2026, 6, 28)},
        {O(2026, 6, 15), D(2025, 3, 14), {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(IsoDateText(NewStyle(step.shown_key)));
        EXPECT_EQ(PreviousNoteDate(listing, step.shown_key), step.previous);
        EXPECT_EQ(NextNoteDate(listing, step.shown_key), step.next);
    }
}

TEST_F(NotesTest, LoadOrderHiddenNotesAndWhatIsShownReadOnly)
{
    const Date day = D(2024, 1, 7);  // дек25 / дек252023
    EXPECT_FALSE(ReadNote(root(), day).exists());

    put("дек252023.rtf", QString("разовая"));
    StoredNote note = ReadNote(root(), day);
    EXPECT_EQ(note.path, file("дек252023.rtf"));
    EXPECT_FALSE(note.yearly);
    EXPECT_TRUE(note.editable);
    EXPECT_EQ(PlainTextOfRtf(note.content), "разовая");
    EXPECT_TRUE(note.hidden.isEmpty());

    // A yearly note hides the one-time note of its day.
    put("дек25.rtf", QString("ежегодная"));
    note = ReadNote(root(), day);
    EXPECT_EQ(note.path, file("дек25.rtf"));
    EXPECT_TRUE(note.yearly);
    EXPECT_EQ(note.hidden, QStringList{file("дек252023.rtf")});
    EXPECT_EQ(ReadNote(root(), D(2025, 1, 7)).path, file("дек25.rtf")) << "shown every year";

    // Older ".doc" notes: read when RTF; one beside its ".rtf" is a leftover.
    put("янв01.doc", QString("старая"));
    note = ReadNote(root(), D(2024, 1, 14));
    EXPECT_EQ(note.path, file("янв01.doc"));
    EXPECT_TRUE(note.editable);
    EXPECT_EQ(PlainTextOfRtf(note.content), "старая");
    put("янв02.doc", QByteArray("\xD0\xCF\x11\xE0 a word processor's binary"));
    note = ReadNote(root(), D(2024, 1, 15));
    EXPECT_FALSE(note.editable);
    EXPECT_TRUE(note.notice.contains("не в формате RTF")) << note.notice.toStdString();

    // What a note cannot keep opens read-only, with a notice.
    put("янв03.rtf", QByteArray("{\\rtf1 a{\\pict 00}\\par}"));
    note = ReadNote(root(), D(2024, 1, 16));
    EXPECT_FALSE(note.editable);
    EXPECT_TRUE(note.notice.contains("рисунки"));
    EXPECT_EQ(PlainTextOfRtf(note.content), "a");
    put("янв04.rtf", QByteArray(kMaxNoteBytes + 1, ' '));
    note = ReadNote(root(), D(2024, 1, 17));
    EXPECT_FALSE(note.editable);
    EXPECT_TRUE(note.notice.contains("слишком велика"));
}

TEST_F(NotesTest, LegacyDocBesideItsRtfGoesToTheTrashOnlyWhenRtf)
{
    put("дек252023.rtf", QString("новая"));
    put("дек252023.doc", QString("старая"));
    put("дек25.rtf", QString("ежегодная"));
    put("дек25.doc", QByteArray("not rtf"));
    put("дек26.doc", QString("одна"));
    EXPECT_EQ(ReadNote(root(), D(2024, 1, 7)).hidden, QStringList{file("дек252023.rtf")}) << "leftovers are no notes";
    const QStringList moved = CleanUpLegacyNotes(root(), O(2023, 12, 25), [this](const QString& path) {
        removed << QFileInfo(path).fileName();
        return Removal::Trashed;
    });
    EXPECT_EQ(moved, QStringList{file("дек252023.doc")});
    EXPECT_EQ(removed, QStringList{"дек252023.doc"});
    EXPECT_TRUE(CleanUpLegacyNotes(root(), O(2023, 12, 26), [](const QString&) { return Removal::Trashed; }).isEmpty())
        << "a .doc alone is the note";
}

TEST_F(NotesTest, SavingMovingAndDeleting)
{
    const Date day = D(2024, 1, 7);
    // A new note; the notes folder is made.
    NoteSaveResult result = save(day, "Рождество", false);
    ASSERT_EQ(result.outcome, NoteSaveResult::Outcome::Saved) << result.message.toStdString();
    EXPECT_EQ(result.path, file("дек252023.rtf"));
    EXPECT_EQ(textOf("дек252023.rtf"), "Рождество");
    EXPECT_EQ(result.stamp, StampOfFile(file("дек252023.rtf")));

    // Made yearly: the yearly file is written, then the one-time file goes.
    result = save(day, "Рождество", true);
    ASSERT_EQ(result.outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_TRUE(result.yearly);
    EXPECT_EQ(textOf("дек25.rtf"), "Рождество");
    EXPECT_FALSE(has("дек252023.rtf"));
    EXPECT_EQ(removed, QStringList{"дек252023.rtf"});

    // And back to one-time, under the year of the day shown.
    result = save(D(2026, 1, 7), "Рождество", false);
    ASSERT_EQ(result.outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_TRUE(has("дек252025.rtf"));
    EXPECT_FALSE(has("дек25.rtf"));

    // Blank text deletes the shown note, and only it.
    put("дек25.rtf", QString("ежегодная"));
    put("дек252024.rtf", QString("разовая"));
    removed.clear();
    result = save(D(2025, 1, 7), " \n\t ", true);
    EXPECT_EQ(result.outcome, NoteSaveResult::Outcome::Deleted);
    EXPECT_EQ(removed, QStringList{"дек25.rtf"});
    EXPECT_TRUE(has("дек252024.rtf")) << "the hidden one-time note is not the editor's to delete";
    EXPECT_TRUE(questions.empty());
    // A blank day without a note removes nothing.
    removed.clear();
    EXPECT_EQ(save(D(2025, 2, 7), "  ", false).outcome, NoteSaveResult::Outcome::Deleted);
    EXPECT_TRUE(removed.isEmpty());
}

TEST_F(NotesTest, ANoteTheEditorDidNotLoadIsNeverWrittenOverWithoutAsking)
{
    const Date day = D(2024, 1, 7);
    struct Case { const char* name; NoteAnswer answer; NoteSaveResult::Outcome outcome; const char* dated;
                  bool yearly_left; };
    const Case cases[] = {
        // Unchecking "Ежегодно" on a yearly note whose day has a hidden one-time note:
        {"append", NoteAnswer::Yes, NoteSaveResult::Outcome::Saved, "ежегодная правка\nразовая", false},
        {"keep both", NoteAnswer::No, NoteSaveResult::Outcome::Saved, "разовая", true},
        {"cancel", NoteAnswer::Cancel, NoteSaveResult::Outcome::Cancelled, "разовая", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put("дек25.rtf", QString("ежегодная"));
        put("дек252023.rtf", QString("разовая"));
        questions.clear();
        answers = {c.answer};
        const NoteSaveResult result = save(day, "ежегодная правка", false);
        EXPECT_EQ(result.outcome, c.outcome);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].first, NoteQuestion::NameTaken);
        EXPECT_EQ(questions[0].second, "дек252023.rtf");
        EXPECT_EQ(textOf("дек252023.rtf"), QString::fromUtf8(c.dated));
        EXPECT_EQ(has("дек25.rtf"), c.yearly_left);
        if (c.answer == NoteAnswer::No) {
            EXPECT_TRUE(result.yearly) << "the note stayed yearly";
            EXPECT_EQ(textOf("дек25.rtf"), "ежегодная правка");
        }
        QFile::remove(file("дек25.rtf"));
    }

    // Saving the yearly note keeps the hidden one-time note, without a question.
    put("дек25.rtf", QString("ежегодная"));
    put("дек252023.rtf", QString("разовая"));
    questions.clear();
    EXPECT_EQ(save(day, "ежегодная 2", true).outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_EQ(textOf("дек252023.rtf"), "разовая");
    EXPECT_TRUE(questions.empty());

    // A new note whose file another program made meanwhile: append or cancel.
    const StoredNote empty_day = ReadNote(root(), D(2024, 2, 1));
    put("янв192024.rtf", QString("чужая"));
    questions.clear();
    answers = {NoteAnswer::No};  // not offered: taken as Cancel
    EXPECT_EQ(save(D(2024, 2, 1), "моя", false, empty_day).outcome, NoteSaveResult::Outcome::Cancelled);
    EXPECT_EQ(questions.at(0).first, NoteQuestion::NameTakenNoKeep);
    answers = {NoteAnswer::Yes};
    EXPECT_EQ(save(D(2024, 2, 1), "моя", false, empty_day).outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_EQ(textOf("янв192024.rtf"), "моя\nчужая");

    // One that cannot be read whole cannot be appended: keep both or cancel.
    put("янв20.rtf", QString("ежегодная"));
    put("янв202024.rtf", QByteArray("{\\rtf1 {\\pict 00}картинка\\par}"));
    questions.clear();
    answers = {NoteAnswer::No};
    const NoteSaveResult kept = save(D(2024, 2, 2), "ежегодная", false);
    EXPECT_EQ(kept.outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_EQ(questions.at(0).first, NoteQuestion::NameTakenNoAppend);
    EXPECT_EQ(ReadBytes(file("янв202024.rtf")), QByteArray("{\\rtf1 {\\pict 00}картинка\\par}"));
}

TEST_F(NotesTest, AFileChangedByAnotherProgramIsNotOverwrittenBlindly)
{
    const Date day = D(2024, 1, 7);
    put("дек252023.rtf", QString("моя"));
    const StoredNote shown = ReadNote(root(), day);
    const QByteArray theirs = WriteRtf(Note("их правка, длиннее"));
    put("дек252023.rtf", theirs);

    // Unmodified in the editor: their version is shown.
    NoteSave unmodified{shown.key, false, shown.content, false, shown.path, shown.stamp};
    EXPECT_EQ(SaveNote(root(), unmodified, nullptr, RemoveToTrash).outcome, NoteSaveResult::Outcome::Reload);
    EXPECT_EQ(ReadBytes(file("дек252023.rtf")), theirs);

    // Both changed: asked.
    answers = {NoteAnswer::Cancel};
    EXPECT_EQ(save(day, "моя правка", false, shown).outcome, NoteSaveResult::Outcome::Cancelled);
    answers = {NoteAnswer::No};
    EXPECT_EQ(save(day, "моя правка", false, shown).outcome, NoteSaveResult::Outcome::Reload);
    EXPECT_EQ(ReadBytes(file("дек252023.rtf")), theirs);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].first, NoteQuestion::ChangedElsewhere);

    // Yes: ours is written, theirs is kept beside under a name the listing skips.
    answers = {NoteAnswer::Yes};
    const NoteSaveResult result = save(day, "моя правка", false, shown);
    ASSERT_EQ(result.outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_EQ(textOf("дек252023.rtf"), "моя правка");
    const QStringList aside = QDir(NotesFolderPath(root())).entryList({"дек252023 (другая версия *).rtf"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(ReadBytes(file(aside[0])), theirs);
    EXPECT_EQ(ListNotes(root(), day).notes.size(), 1u);

    // Deleted meanwhile by another program counts as changed.
    const StoredNote again = ReadNote(root(), day);
    QFile::remove(file("дек252023.rtf"));
    NoteSave gone{again.key, false, again.content, false, again.path, again.stamp};
    EXPECT_EQ(SaveNote(root(), gone, nullptr, RemoveToTrash).outcome, NoteSaveResult::Outcome::Reload);
}

TEST_F(NotesTest, AFailedWriteKeepsEveryFileAsItWas)
{
    const Date day = D(2024, 1, 7);
    put("дек252023.rtf", QString("разовая"));
    const QByteArray before = ReadBytes(file("дек252023.rtf"));
    const QString long_text(200000, QChar(u'ж'));
    {
        FileSizeLimit limit(before.size() + 100);
        ASSERT_TRUE(limit.isSet());
        // Made yearly: the new file cannot be written, so the old one stays.
        const NoteSaveResult moved = save(day, long_text, true);
        EXPECT_EQ(moved.outcome, NoteSaveResult::Outcome::Failed);
        EXPECT_FALSE(moved.message.isEmpty());
        EXPECT_TRUE(removed.isEmpty());
        const NoteSaveResult same = save(day, long_text, false);
        EXPECT_EQ(same.outcome, NoteSaveResult::Outcome::Failed);
    }
    EXPECT_EQ(ReadBytes(file("дек252023.rtf")), before);
    EXPECT_FALSE(has("дек25.rtf"));

    // A notes folder that cannot be made is said so.
    QTemporaryDir other;
    ASSERT_TRUE(WriteBytes(other.filePath("Записи"), "a file in the folder's place"));
    NoteSave request{NoteKeyOfDate(day), false, Note("текст"), true, {}, {}};
    const NoteSaveResult failed = SaveNote(other.path(), request, nullptr, RemoveToTrash);
    EXPECT_EQ(failed.outcome, NoteSaveResult::Outcome::Failed);
    EXPECT_TRUE(failed.message.contains("Записи")) << failed.message.toStdString();
}

TEST_F(NotesTest, ALegacyDocIsSavedAsRtfAndThenGoes)
{
    put("янв01.doc", QString("старая"));
    const NoteSaveResult result = save(D(2024, 1, 14), "старая, исправленная", true);
    ASSERT_EQ(result.outcome, NoteSaveResult::Outcome::Saved);
    EXPECT_EQ(textOf("янв01.rtf"), "старая, исправленная");
    EXPECT_FALSE(has("янв01.doc"));
    EXPECT_EQ(removed, QStringList{"янв01.doc"});
}

// The trash of the user's data folder, made when a fresh account has none
// (Qt alone would then put "files" and "info" into the current folder).
TEST_F(NotesTest, RemovingGoesToTheTrash)
{
    QTemporaryDir data_home;
    const QString missing_data_folder = data_home.path() + "/share";
    const QByteArray old_home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", missing_data_folder.toLocal8Bit());
    const QString old_current = QDir::currentPath();
    QDir::setCurrent(folder.path());
    put("янв05.rtf", QString("x"));
    EXPECT_EQ(RemoveToTrash(file("янв05.rtf")), Removal::Trashed);
    EXPECT_FALSE(has("янв05.rtf"));
    const bool same_device = QStorageInfo(folder.path()) == QStorageInfo(data_home.path());
    if (same_device) {
        EXPECT_TRUE(QFileInfo::exists(missing_data_folder + "/Trash/files/янв05.rtf"));
    }
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("files"))) << "nothing in the current folder";
    EXPECT_EQ(RemoveToTrash(file("нет такого.rtf")), Removal::Failed);
    QDir::setCurrent(old_current);
    if (old_home.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old_home);
}

}  // namespace
}  // namespace indikt
