#pragma once

// The archive copy engine: copies chosen components of the data root to an
// archive folder, gets them back, or synchronises both ways. No widgets; the
// dialog and indikt-cli run the same function, the dialog on a worker thread.
//
// What it promises, whatever fails on the way:
// - only what the program owns is ever replaced or removed: the component
//   folders and the named files of a component, never a whole folder;
// - a component is replaced only after its new copy is complete: it is
//   copied into a staging folder beside its place and swapped in;
// - before live records are replaced, a safety copy of them is kept;
// - nothing coming from an archive is a program or a link to elsewhere, and
//   no file gets an execute bit;
// - a record file that differs on both sides of a synchronisation keeps its
//   losing version beside it;
// - every file that failed is reported with its reason.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace indikt {

enum class BackupComponent { Bible, Service, Lives, Icons, Notes, Menaion, Settings, Memo };

inline constexpr BackupComponent kBackupComponents[] = {
    BackupComponent::Bible, BackupComponent::Service, BackupComponent::Lives, BackupComponent::Icons,
    BackupComponent::Notes, BackupComponent::Menaion, BackupComponent::Settings, BackupComponent::Memo,
};

struct ComponentLayout {
    QString folder;       // a component folder, or empty
    QStringList files;    // named files relative to the root, for file components
    QString main_file;    // the file whose absence means "no such component"
};
ComponentLayout LayoutOf(BackupComponent component);

// The name indikt-cli uses: bible, service, lives, icons, notes, menaion,
// settings, memo.
QString ComponentName(BackupComponent component);
std::optional<BackupComponent> ComponentOfName(const QString& name);

enum class BackupOperation { Copy, Get, Sync };

// What to do with what already exists at the destination. Copy and get:
// Delete (the component is replaced whole), Replace (same-named files are
// overwritten) or Ask. Synchronise: Newer (only a newer file overwrites an
// older one) or Replace.
enum class ClashRule { Delete, Replace, Ask, Newer };

enum class ClashAnswer { Replace, Skip, Cancel };

struct BackupRequest {
    BackupOperation operation = BackupOperation::Copy;
    QString data_root;
    QString folder;                          // as the user chose it
    std::vector<BackupComponent> components;
    bool all = false;                        // "Все": every component
    ClashRule rule = ClashRule::Delete;
    QString safety_root;                     // where "before-restore-<time>" folders go
    QDateTime now;                           // names the safety and conflict copies
    qint64 max_file_bytes = 64LL * 1024 * 1024;       // a larger file is not copied
};

struct BackupControl {
    const std::atomic<bool>* cancel = nullptr;
    // Called after each file with the count so far and the file's path.
    std::function<void(int files_done, const QString& path)> progress;
    // Asked at a name clash under ClashRule::Ask; without it, files are kept.
    std::function<ClashAnswer(const QString& path)> ask;
};

enum class ComponentOutcome { Done, Cancelled, Failed };

struct ComponentResult {
    BackupComponent component;
    ComponentOutcome outcome = ComponentOutcome::Done;
};

struct FileProblem {
    QString path;
    QString reason;
};

// Which records of the data root changed, by their content.
struct RecordChanges {
    bool settings = false;    // zk.ini
    bool memo = false;        // "Памятка.txt"
    bool sob = false;         // sob.ini
    bool bookmarks = false;   // "Закладки.txt"
    bool notes = false;       // the notes folder
    bool any() const { return settings || memo || sob || bookmarks || notes; }
};

struct BackupReport {
    // Set when the folders were refused and nothing was done; `message` says
    // why and the folder field should get the focus.
    bool refused = false;
    bool cancelled = false;
    QString archive_folder;
    std::vector<ComponentResult> components;
    QStringList missing_messages;         // components missing in the archive
    std::vector<FileProblem> failed;       // every file that could not be copied
    QStringList skipped;                   // programs and links never restored
    QStringList conflicts;                 // losing versions kept beside a record
    QString safety_copy;                   // the folder of the safety copy, if made
    int files_copied = 0;
    RecordChanges changes;
    QString message;                       // the summary for the user
    bool success() const;
};

BackupReport RunBackup(const BackupRequest& request, const BackupControl& control = {});

// A copy or restore killed midway leaves its staging folder beside the
// components: the old copy of a component whose place is empty is put back,
// and the leftovers of runs whose process is gone are removed. Called at the
// start of every run and by the program at start; returns how many
// components were put back.
int RecoverInterruptedBackups(const QString& folder);

// The checked form of a folder value: canonical, absolute, existing, a folder
// and not "/". Empty with `error` set otherwise. A relative or empty value is
// refused, never resolved against the working folder.
QString CheckedFolder(const QString& value, QString* error);

// True when `folder` already holds an archive: "Богослужение" and
// "Месяцеслов", or "Иконы" and "Записи", or "Пасхалия", or zk.ini, or
// "Памятка.txt".
bool HoldsArchive(const QString& folder);

// The archive folder for a copy or synchronisation into `chosen`: `chosen`
// when it holds an archive, else its subfolder "Индикт".
QString ArchiveFolderOf(const QString& chosen);

// The folder the safety copies go into: $XDG_STATE_HOME/indikt, or
// ~/.local/state/indikt.
QString DefaultSafetyRoot();

// Holds a busy flag for its life; `acquired()` is false when another
// operation already held it.
class BackupBusy {
public:
    explicit BackupBusy(std::atomic<bool>& flag) : flag_(flag), acquired_(!flag.exchange(true)) {}
    ~BackupBusy()
    {
        if (acquired_)
            flag_ = false;
    }
    BackupBusy(const BackupBusy&) = delete;
    BackupBusy& operator=(const BackupBusy&) = delete;
    bool acquired() const { return acquired_; }

private:
    std::atomic<bool>& flag_;
    bool acquired_;
};

}  // namespace indikt
