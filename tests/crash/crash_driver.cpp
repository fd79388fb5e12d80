// Saves one kind of the user's files through the program's own save code,
// version after version, for scripts/crash-test, which kills it at random
// moments; and checks afterwards, as a restarted program would read them,
// that the files are whole and lost nothing.
//
//   crash_driver write KIND ROOT          saves versions 1, 2, … for ever,
//                                          printing each number once saved
//   crash_driver seed program ROOT         writes version 1 of zk.ini once
//   crash_driver check KIND ROOT ACKED    exit 0 when every file of the kind
//                                          reads cleanly and holds versions
//                                          1..N without a gap, N = ACKED or
//                                          ACKED + 1 (the save under way)
//
// KIND: settings (zk.ini), rule (the home rule's position in zk.ini), memo
// ("Памятка.txt" and its backups), note (one note per version), bookmarks
// ("Закладки.txt"), backup (a note added, the notes copied to an archive
// and restored from it), program (zk.ini seeded once, then kept by the
// real program, which the harness starts and kills).

#include "backup/backup_engine.h"
#include "calendar/date.h"
#include "records/bookmarks.h"
#include "records/dom_pravilo_settings.h"
#include "records/memo_book.h"
#include "records/notes.h"
#include "settings/zk_settings.h"
#include "texts/data_files.h"
#include "texts/rtf.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <optional>
#include <set>
#include <string>

namespace indikt {
namespace {

const Date kToday = FromCivil(2026, 12, 9);
const Date kFirstNoteDay = FromCivil(2000, 1, 1);

QString ZkIni(const QString& root) { return root + "/zk.ini"; }
QString Archive(const QString& root) { return root + ".archive"; }

void Acknowledge(int version)
{
    std::printf("%d\n", version);
    std::fflush(stdout);
}

int Fail(const QString& why)
{
    std::fprintf(stderr, "crash_driver: %s\n", why.toUtf8().constData());
    return 1;
}

// The versions 1..N found, or why they are not such a run.
struct Versions {
    int count = 0;
    QString problem;
};

Versions Run(const std::set<int>& found, const QString& what)
{
    Versions versions;
    versions.count = int(found.size());
    if (!found.empty() && (*found.begin() != 1 || *found.rbegin() != versions.count))
        versions.problem = what + ": версии не подряд от 1 (" + QString::number(*found.begin()) + ".." +
                           QString::number(*found.rbegin()) + ", всего " + QString::number(found.size()) + ")";
    return versions;
}

std::optional<int> NumberAfter(const QString& text, const QString& prefix)
{
    if (!text.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int number = text.mid(prefix.size()).toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// --- settings and the home rule: one file, zk.ini ---------------------------

constexpr std::string_view kVersionKey = "SavInitialDir";

Versions SettingsVersions(const QString& root)
{
    const ZkSettings settings = ZkSettings::Load(ZkIni(root), kToday, DamagedFile::Leave);
    if (!settings.fileExisted())
        return {};
    if (!settings.loadError().isEmpty())
        return {0, "zk.ini: " + settings.loadError()};
    const std::optional<int> number = NumberAfter(settings.text(kSectionPrint, kVersionKey), "/версия/");
    if (!number)
        return {0, "zk.ini: нет отметки версии"};
    // Every earlier version is in the file when the last is: one number.
    Versions versions;
    versions.count = *number;
    return versions;
}

bool WriteSettings(const QString& root, int version)
{
    ZkSettings settings = ZkSettings::Load(ZkIni(root), kToday);
    settings.setText(kSectionPrint, kVersionKey, "/версия/" + QString::number(version));
    settings.setNumber(kSectionWindows, "Ширина", 640 + version % 500);
    return settings.save(ZkIni(root), kToday).ok();
}

Versions RuleVersions(const QString& root)
{
    const ZkSettings settings = ZkSettings::Load(ZkIni(root), kToday, DamagedFile::Leave);
    if (!settings.fileExisted())
        return {};
    if (!settings.loadError().isEmpty())
        return {0, "zk.ini: " + settings.loadError()};
    const PlanState state = ReadPlanState(settings, RulePlan::Gospel);
    Versions versions;
    versions.count = state.read_day - kFirstNoteDay;
    if (versions.count < 0)
        versions.problem = "zk.ini: день правила раньше первого";
    return versions;
}

bool WriteRule(const QString& root, int version)
{
    ZkSettings settings = ZkSettings::Load(ZkIni(root), kToday);
    PlanState state;
    state.position = 1 + version % 80;
    state.pending = version % 2 == 0;
    state.read_day = kFirstNoteDay + version;
    WritePlanState(settings, RulePlan::Gospel, state);
    return settings.save(ZkIni(root), kToday).ok();
}

// --- "Памятка.txt" ------------------------------------------------------------

MemoClock Now() { return {kToday, 600}; }

Versions MemoVersions(const QString& root, bool check_backups)
{
    MemoBook book(root, Now);
    book.open();
    if (book.damagedOnLoad() != 0 || !book.damagedCopy().isEmpty())
        return {0, "Памятка.txt: " + book.loadMessage()};
    std::set<int> found;
    for (const YubRecord& record : book.lists().jubilees)
        if (const std::optional<int> number = NumberAfter(record.name, "Юбилей "))
            found.insert(*number);
    Versions versions = Run(found, "Памятка.txt");
    for (int number = 1; check_backups && number <= 3 && versions.problem.isEmpty(); ++number) {
        const QString backup = book.backupPath(number);
        if (!QFileInfo::exists(backup))
            continue;
        const MemoReadResult read = ReadMemoFile(backup, Now());
        if (!read.error.isEmpty() || read.damaged != 0)
            versions.problem = backup + ": прочитан с ошибками";
    }
    return versions;
}

bool WriteMemo(const QString& root, int version)
{
    MemoBook book(root, Now);
    book.open();
    JubileeInput input;
    input.name = "Юбилей " + QString::number(version);
    input.picked = kFirstNoteDay + version;
    return book.addJubilee(input).ok();
}

// --- notes --------------------------------------------------------------------

QString NoteText(int version) { return "Запись " + QString::number(version) + " — текст заметки дня."; }

Versions NoteVersions(const QString& root)
{
    std::set<int> found;
    const NoteListing listing = ListNotes(root, kToday);
    for (const ListedNote& listed : listing.notes) {
        const Date civil = CivilDateOfNoteKey(listed.key);
        const StoredNote note = ReadNote(root, civil);
        const int version = civil - kFirstNoteDay;
        if (!note.editable || PlainTextOfRtf(note.content).trimmed() != NoteText(version))
            return {0, listed.file_name + ": заметка не та или не прочитана (" + note.notice + ")"};
        found.insert(version);
    }
    if (listing.examined != int(listing.notes.size()))
        return {0, "в папке записей лишние файлы"};
    return Run(found, "Записи");
}

bool WriteNote(const QString& root, int version)
{
    NoteSave save;
    save.key = NoteKeyOfDate(kFirstNoteDay + version);
    RtfParagraph paragraph;
    AppendRtfText(paragraph, NoteText(version), RtfCharFormat{});
    save.content.paragraphs.push_back(paragraph);
    const NoteSaveResult result = SaveNote(
        root, save, [](NoteQuestion, const QString&) { return NoteAnswer::Cancel; }, RemoveToTrash);
    return result.outcome == NoteSaveResult::Outcome::Saved;
}

// --- "Закладки.txt" -----------------------------------------------------------

Versions BookmarkVersions(const QString& root)
{
    const BookmarksReadResult read = ReadBookmarksFile(root + "/" + kBookmarksFileName);
    if (!read.clean())
        return {0, "Закладки.txt: " + read.error + " пропущено " + QString::number(read.skipped)};
    std::set<int> found;
    for (const Bookmark& bookmark : read.list.items())
        if (const std::optional<int> number = NumberAfter(bookmark.name, "Закладка "))
            found.insert(*number);
    return Run(found, "Закладки.txt");
}

bool WriteBookmark(const QString& root, int version)
{
    BookmarkStore store(root + "/" + kBookmarksFileName);
    store.add("Закладка " + QString::number(version), kFirstNoteDay + version);
    return store.save(kToday).ok();
}

// --- backup: copy to an archive and restore from it -----------------------------

BackupRequest NotesBackup(const QString& root, BackupOperation operation)
{
    BackupRequest request;
    request.operation = operation;
    request.data_root = root;
    request.folder = Archive(root);
    request.components = {BackupComponent::Notes};
    request.rule = ClashRule::Delete;
    request.safety_root = root + ".safety";
    request.now = QDateTime::currentDateTime();
    return request;
}

Versions BackupVersions(const QString& root)
{
    const Versions live = NoteVersions(root);
    if (!live.problem.isEmpty())
        return live;
    const QString archive = ArchiveFolderOf(Archive(root));
    RecoverInterruptedBackups(archive);
    const Versions archived = NoteVersions(archive);
    if (!archived.problem.isEmpty())
        return {0, "архив: " + archived.problem};
    // The data root is never behind the archive, and at most one note ahead.
    if (live.count < archived.count || live.count > archived.count + 1)
        return {0, "в папке " + QString::number(live.count) + " заметок, в архиве " + QString::number(archived.count)};
    return archived;
}

bool WriteBackup(const QString& root, int version)
{
    // The note of a round killed before its copy is already there.
    if (ReadNote(root, kFirstNoteDay + version).path.isEmpty() && !WriteNote(root, version))
        return false;
    const BackupReport copied = RunBackup(NotesBackup(root, BackupOperation::Copy));
    if (!copied.success()) {
        Fail("копия: " + copied.message);
        return false;
    }
    // The safety copies of the restores are not what this checks.
    QDir(root + ".safety").removeRecursively();
    Acknowledge(version);
    const BackupReport restored = RunBackup(NotesBackup(root, BackupOperation::Get));
    if (!restored.success())
        Fail("восстановление: " + restored.message);
    return restored.success();
}

// --- the kinds ----------------------------------------------------------------

struct Kind {
    const char* name;
    std::function<Versions(const QString&)> versions;
    std::function<bool(const QString&, int)> write;
    bool acknowledges_itself;
};

const Kind* KindNamed(const std::string& name)
{
    static const Kind kinds[] = {
        {"settings", SettingsVersions, WriteSettings, false},
        {"rule", RuleVersions, WriteRule, false},
        {"memo", [](const QString& root) { return MemoVersions(root, true); }, WriteMemo, false},
        {"note", NoteVersions, WriteNote, false},
        {"bookmarks", BookmarkVersions, WriteBookmark, false},
        {"backup", BackupVersions, WriteBackup, true},
        // zk.ini as the real program leaves it when killed or terminated:
        // written once here (version 1), it must still read cleanly and keep
        // that value through every start and end of the program.
        {"program", SettingsVersions, WriteSettings, false},
    };
    for (const Kind& kind : kinds)
        if (name == kind.name)
            return &kind;
    return nullptr;
}

// What a restarted program does first.
void StartAsTheProgramDoes(const QString& root)
{
    RecoverInterruptedBackups(root);
    RemoveStaleTemporaryFiles(root);
    RemoveStaleTemporaryFiles(NotesFolderPath(root));
}

int Write(const Kind& kind, const QString& root)
{
    StartAsTheProgramDoes(root);
    const Versions start = kind.versions(root);
    if (!start.problem.isEmpty())
        return Fail(start.problem);
    for (int version = start.count + 1;; ++version) {
        if (!kind.write(root, version))
            return Fail(QString("версия %1 не сохранена").arg(version));
        if (!kind.acknowledges_itself)
            Acknowledge(version);
    }
}

int Check(const Kind& kind, const QString& root, int acknowledged)
{
    StartAsTheProgramDoes(root);
    const Versions found = kind.versions(root);
    if (!found.problem.isEmpty())
        return Fail(found.problem);
    if (found.count != acknowledged && found.count != acknowledged + 1)
        return Fail(QString("найдено версий %1, сохранено %2").arg(found.count).arg(acknowledged));
    const QRegularExpression temporary(R"(\.indikt-tmp$)");
    for (const QString& folder : {root, NotesFolderPath(root)})
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (temporary.match(name).hasMatch())
                return Fail(folder + "/" + name + ": временный файл остался после запуска");
    std::printf("%d\n", found.count);
    return 0;
}

}  // namespace
}  // namespace indikt

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const bool write = arguments.size() == 4 && arguments[1] == "write";
    if (arguments.size() == 4 && arguments[1] == "seed" && arguments[2] == "program") {
        const QString root = QFileInfo(arguments[3]).absoluteFilePath();
        QDir().mkpath(root);
        return indikt::WriteSettings(root, 1) ? 0 : 1;
    }
    const bool check = arguments.size() == 5 && arguments[1] == "check";
    const indikt::Kind* kind = arguments.size() >= 3 ? indikt::KindNamed(arguments[2].toStdString()) : nullptr;
    if ((!write && !check) || kind == nullptr) {
        std::fprintf(stderr, "usage: crash_driver write KIND ROOT | check KIND ROOT ACKNOWLEDGED\n"
                             "KIND: settings, rule, memo, note, bookmarks, backup, program\n");
        return 2;
    }
    const QString root = QFileInfo(arguments[3]).absoluteFilePath();
    QDir().mkpath(root);
    QDir().mkpath(indikt::Archive(root));
    return write ? indikt::Write(*kind, root) : indikt::Check(*kind, root, arguments[4].toInt());
}
