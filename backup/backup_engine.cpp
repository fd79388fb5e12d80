#include "backup_engine.h"

#include "texts/data_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

namespace indikt {

namespace fs = std::filesystem;

namespace {

// More files than this under one component is not an archive of ours.
constexpr std::size_t kMaxFilesPerComponent = 500000;

// FAT media keep modification times in steps of two seconds.
constexpr auto kTimeTolerance = std::chrono::seconds(2);

// Lines of a list in the summary; the rest are counted.
constexpr int kMaxListedLines = 20;

const QString kArchiveSubfolder = QStringLiteral("Индикт");
const QString kStagingPrefix = QStringLiteral(".indikt-");

fs::path PathOf(const QString& text) { return fs::path(text.toStdString()); }
QString TextOf(const fs::path& path) { return QString::fromStdString(path.string()); }

QString ErrorText(const std::error_code& error) { return SystemErrorText(error.value()); }

fs::file_type TypeOf(const fs::path& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type();
}

bool Exists(const fs::path& path) { return TypeOf(path) != fs::file_type::not_found && TypeOf(path) != fs::file_type::none; }

// The staging folder of a run names the process, so that a later run can
// tell the leftover of a killed run from the work of one still running.
const QRegularExpression& StagingName()
{
    static const QRegularExpression name(QStringLiteral(R"(^\.indikt-staging-(\d+)-.*$)"));
    return name;
}

bool ProcessIsGone(const QString& pid_text)
{
    bool ok = false;
    const qlonglong pid = pid_text.toLongLong(&ok);
    return ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Everything written to the file system of `folder` reaches the medium.
// Returns 0, or the reason it did not.
int SyncFileSystemOf(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::syncfs(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

// Puts the complete new copy in the place of the old one. Where the file
// system can, both change places in one step, so that a crash at any moment
// leaves one of them at the target; elsewhere the old one is moved aside
// first (a crash between the two moves is mended by
// RecoverInterruptedBackups from the ".old" copy).
std::error_code SwapInto(const fs::path& fresh, const fs::path& target, const fs::path& old)
{
    std::error_code error;
    // After the exchange `fresh` holds the old copy, which goes with the staging folder.
    if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return std::error_code(errno, std::generic_category());
    fs::rename(target, old, error);
    if (error)
        return error;
    fs::rename(fresh, target, error);
    if (error) {
        std::error_code ignored;
        fs::rename(old, target, ignored);
    }
    return error;
}

// True when `inner` is `outer` or lies inside it (both canonical).
bool IsWithin(const fs::path& inner, const fs::path& outer)
{
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

// Programs never come back from an archive: the companions beside the
// program, executables by their first bytes, and scripts by their names.
bool IsProgram(const fs::path& path, const QByteArray& bytes)
{
    static const QStringList companions = {
        QStringLiteral("Events.exe"), QStringLiteral("IcoDesktop.exe"), QStringLiteral("Mini.exe"),
        QStringLiteral("Пасхалия.exe"), QStringLiteral("Events"), QStringLiteral("IcoDesktop"),
        QStringLiteral("Mini"), QStringLiteral("Пасхалия"), QStringLiteral("indikt"),
        QStringLiteral("indikt-events"), QStringLiteral("indikt-cli"),
    };
    static const QStringList program_suffixes = {
        QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"), QStringLiteral("cmd"),
        QStringLiteral("sh"), QStringLiteral("desktop"), QStringLiteral("dll"), QStringLiteral("so"),
    };
    const QString name = TextOf(path.filename());
    if (companions.contains(name))
        return true;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && program_suffixes.contains(name.mid(dot + 1).toLower()))
        return true;
    return bytes.startsWith("\x7f" "ELF") || bytes.startsWith("#!") || bytes.startsWith("MZ");
}

bool IsRecordComponent(BackupComponent component)
{
    return component == BackupComponent::Notes || component == BackupComponent::Settings ||
           component == BackupComponent::Memo;
}

QByteArray ContentHash(const fs::path& path, qint64 max_bytes)
{
    const std::optional<QByteArray> bytes = ReadFileBytes(TextOf(path), max_bytes);
    if (!bytes)
        return Exists(path) ? QByteArray("unreadable") : QByteArray();
    return QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
}

QByteArray FolderHash(const fs::path& folder, qint64 max_bytes)
{
    std::map<std::string, QByteArray> files;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, error);
    for (std::size_t count = 0; !error && it != fs::recursive_directory_iterator() && count < kMaxFilesPerComponent;
         it.increment(error), ++count) {
        if (it->is_regular_file(error) && !it->is_symlink(error))
            files[fs::relative(it->path(), folder, error).string()] = ContentHash(it->path(), max_bytes);
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto& [name, content] : files) {
        hash.addData(QByteArray::fromStdString(name));
        hash.addData(QByteArrayView("\0", 1));
        hash.addData(content);
    }
    return hash.result();
}

struct RecordHashes {
    QByteArray settings, memo, sob, bookmarks, notes;
};

RecordHashes HashRecords(const fs::path& root, qint64 max_bytes)
{
    return {ContentHash(root / "zk.ini", max_bytes), ContentHash(root / "Памятка.txt", max_bytes),
            ContentHash(root / "sob.ini", max_bytes), ContentHash(root / "Закладки.txt", max_bytes),
            FolderHash(root / "Записи", max_bytes)};
}

QString FolderComponentCaption(BackupComponent component)
{
    return LayoutOf(component).folder;
}

QString MissingMessage(BackupComponent component, const QString& folder)
{
    const QString head = QStringLiteral("В каталоге \"") + folder;
    switch (component) {
    case BackupComponent::Icons:
        return head + QStringLiteral("\" папка \"Иконы\" не найден.  ");
    case BackupComponent::Settings:
        return head + QStringLiteral("\" файл настройки не найден.  ");
    case BackupComponent::Memo:
        return head + QStringLiteral("\" файл \"Памятка\" не найден.  ");
    default:
        return head + QStringLiteral("\" папка \"") + FolderComponentCaption(component) + QStringLiteral("\" не найдена.  ");
    }
}

// The name a losing version of a record gets beside it.
fs::path ConflictPath(const fs::path& file, const QDateTime& now)
{
    const QString name = TextOf(file.filename());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    return file.parent_path() /
           PathOf(stem + QStringLiteral(" (расхождение ") + now.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
                  QStringLiteral(")") + suffix);
}

class BackupRun {
public:
    BackupRun(const BackupRequest& request, const BackupControl& control, BackupReport& report)
        : request_(request), control_(control), report_(report),
          stamp_(request.now.toString(QStringLiteral("yyyyMMdd-HHmmss")))
    {
    }

    void run();

private:
    enum class Copied { Yes, Skipped, Failed };

    bool cancelled() const { return control_.cancel && control_.cancel->load(); }
    // Under ClashRule::Ask a file already at `target` is asked about (kept
    // when nobody can be asked); otherwise it is replaced.
    ClashAnswer clashAnswer(const fs::path& target) const
    {
        if (request_.rule != ClashRule::Ask || !Exists(target))
            return ClashAnswer::Replace;
        return control_.ask ? control_.ask(TextOf(target)) : ClashAnswer::Skip;
    }
    void fail(const fs::path& path, const QString& reason) { report_.failed.push_back({TextOf(path), reason}); }

    bool checkFolders();
    std::vector<fs::path> filesUnder(const fs::path& folder, bool* complete);
    // Into a staging folder a file is written plainly (the folder is synced
    // once before it is swapped in); anywhere else through the guarded save.
    enum class Into { Place, Staging };
    Copied copyFile(const fs::path& source, const fs::path& target, bool from_archive, bool target_in_archive,
                    Into into = Into::Place);
    ComponentOutcome copyComponent(BackupComponent component, const fs::path& source_base,
                                   const fs::path& target_base, bool from_archive);
    ComponentOutcome copyFolderStaged(const fs::path& source, const fs::path& target, bool from_archive);
    ComponentOutcome syncComponent(BackupComponent component, const fs::path& source_base,
                                   const fs::path& target_base, bool from_archive);
    Copied syncFile(const fs::path& source, const fs::path& target, bool from_archive, bool record);
    bool presentInArchive(BackupComponent component);
    bool keepSafetyCopy(const std::vector<BackupComponent>& components);
    void summarise();

    const BackupRequest& request_;
    const BackupControl& control_;
    BackupReport& report_;
    const QString stamp_;
    fs::path root_;
    fs::path archive_;
};

bool BackupRun::checkFolders()
{
    QString error;
    const QString root = CheckedFolder(request_.data_root, &error);
    if (root.isEmpty()) {
        report_.message = error;
        return false;
    }
    root_ = PathOf(root);
    const QString chosen = CheckedFolder(request_.folder, &error);
    if (chosen.isEmpty()) {
        report_.message = error;
        return false;
    }
    const auto refuse_overlap = [&](const fs::path& folder) {
        if (IsWithin(folder, root_) || IsWithin(root_, folder)) {
            report_.message = QStringLiteral("Папка \"") + request_.folder +
                              QStringLiteral("\" совпадает с папкой программы, лежит в ней или содержит её.  ");
            return true;
        }
        return false;
    };
    if (refuse_overlap(PathOf(chosen)))
        return false;

    QString archive = chosen;
    if (request_.operation == BackupOperation::Get) {
        const QString inner = QDir(chosen).filePath(kArchiveSubfolder);
        if (!HoldsArchive(chosen) && TypeOf(PathOf(inner)) == fs::file_type::directory)
            archive = inner;
    } else {
        archive = ArchiveFolderOf(chosen);
        std::error_code ec;
        if (archive != chosen && TypeOf(PathOf(archive)) == fs::file_type::not_found &&
            !fs::create_directory(PathOf(archive), ec)) {
            report_.message = QStringLiteral("Создать папку \"") + archive + QStringLiteral("\" не удалось: ") +
                              ErrorText(ec);
            return false;
        }
        if (TypeOf(PathOf(archive)) != fs::file_type::directory) {
            report_.message = QStringLiteral("Найти папку \"") + archive + QStringLiteral("\" не удалось  ");
            return false;
        }
    }
    archive_ = PathOf(archive);
    report_.archive_folder = archive;
    return true;
}

std::vector<fs::path> BackupRun::filesUnder(const fs::path& folder, bool* complete)
{
    std::vector<fs::path> files;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, error);
    if (error) {
        fail(folder, ErrorText(error));
        *complete = false;
        return files;
    }
    for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            break;
        const fs::path& path = it->path();
        if (TextOf(path.filename()).startsWith(kStagingPrefix)) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::file_type type = TypeOf(path);
        if (type == fs::file_type::directory)
            continue;
        if (type != fs::file_type::regular) {
            // Links are never followed, out of an archive or into one.
            report_.skipped.append(TextOf(path));
            continue;
        }
        if (files.size() == kMaxFilesPerComponent) {
            fail(folder, QStringLiteral("слишком много файлов"));
            *complete = false;
            return files;
        }
        files.push_back(path);
    }
    if (error) {
        fail(folder, ErrorText(error));
        *complete = false;
    }
    return files;
}

BackupRun::Copied BackupRun::copyFile(const fs::path& source, const fs::path& target, bool from_archive,
                                      bool target_in_archive, Into into)
{
    const std::optional<QByteArray> bytes = ReadFileBytes(TextOf(source), request_.max_file_bytes);
    if (!bytes) {
        fail(source, QStringLiteral("файл не удалось прочитать"));
        return Copied::Failed;
    }
    if (from_archive && IsProgram(source, *bytes)) {
        report_.skipped.append(TextOf(source));
        return Copied::Skipped;
    }
    std::error_code error;
    // A link planted in an archive is replaced, never written through.
    if (target_in_archive && TypeOf(target) == fs::file_type::symlink && !fs::remove(target, error)) {
        fail(target, ErrorText(error));
        return Copied::Failed;
    }
    fs::create_directories(target.parent_path(), error);
    if (error) {
        fail(target.parent_path(), ErrorText(error));
        return Copied::Failed;
    }
    const WriteResult written =
        into == Into::Staging ? WriteStagedFile(TextOf(target), *bytes) : WriteFileAtomically(TextOf(target), *bytes);
    if (!written.ok()) {
        fail(target, written.error);
        return Copied::Failed;
    }
    const fs::file_time_type time = fs::last_write_time(source, error);
    if (!error)
        fs::last_write_time(target, time, error);
    ++report_.files_copied;
    if (control_.progress)
        control_.progress(report_.files_copied, TextOf(target));
    return Copied::Yes;
}

ComponentOutcome BackupRun::copyFolderStaged(const fs::path& source, const fs::path& target, bool from_archive)
{
    const fs::path staging = target.parent_path() / PathOf(kStagingPrefix + QStringLiteral("staging-") +
                                                          QString::number(::getpid()) + u'-' + stamp_);
    const fs::path fresh = staging / target.filename();
    std::error_code error;
    fs::create_directories(fresh, error);
    const auto discard = [&](ComponentOutcome outcome) {
        std::error_code ignored;
        fs::remove_all(staging, ignored);
        return outcome;
    };
    if (error) {
        fail(fresh, ErrorText(error));
        return discard(ComponentOutcome::Failed);
    }
    bool complete = true;
    const std::vector<fs::path> files = filesUnder(source, &complete);
    if (!complete)
        return discard(ComponentOutcome::Failed);
    for (const fs::path& file : files) {
        if (cancelled())
            return discard(ComponentOutcome::Cancelled);
        if (copyFile(file, fresh / fs::relative(file, source, error), from_archive, true, Into::Staging) ==
            Copied::Failed)
            complete = false;
    }
    if (!complete)
        return discard(ComponentOutcome::Failed);
    if (cancelled())
        return discard(ComponentOutcome::Cancelled);

    // The copy is on the medium before it takes the old one's place.
    if (const int reason = SyncFileSystemOf(staging); reason != 0) {
        fail(fresh, SystemErrorText(reason));
        return discard(ComponentOutcome::Failed);
    }
    // The complete copy takes the old one's place; the old one goes only then.
    const fs::path old = staging / PathOf(TextOf(target.filename()) + QStringLiteral(".old"));
    if (Exists(target)) {
        error = SwapInto(fresh, target, old);
    } else {
        fs::rename(fresh, target, error);
    }
    if (error) {
        fail(target, ErrorText(error));
        return discard(ComponentOutcome::Failed);
    }
    return discard(ComponentOutcome::Done);
}

ComponentOutcome BackupRun::copyComponent(BackupComponent component, const fs::path& source_base,
                                          const fs::path& target_base, bool from_archive)
{
    const bool target_in_archive = !from_archive;
    const ComponentLayout layout = LayoutOf(component);
    std::error_code error;
    if (!layout.folder.isEmpty()) {
        const fs::path source = source_base / PathOf(layout.folder);
        fs::path target = target_base / PathOf(layout.folder);
        const fs::file_type source_type = TypeOf(source);
        if (source_type == fs::file_type::not_found)
            return ComponentOutcome::Done;  // nothing to copy
        if (source_type == fs::file_type::symlink && from_archive) {
            report_.skipped.append(TextOf(source));
            return ComponentOutcome::Failed;
        }
        if (TypeOf(target) == fs::file_type::symlink) {
            if (!target_in_archive) {
                // The user's own link of a live folder: the folder it names is replaced.
                target = fs::canonical(target, error);
                if (error) {
                    fail(target_base / PathOf(layout.folder), ErrorText(error));
                    return ComponentOutcome::Failed;
                }
            } else if (request_.rule != ClashRule::Delete) {
                fail(target, QStringLiteral("в архиве на месте папки ссылка"));
                return ComponentOutcome::Failed;
            }
        }
        if (request_.rule == ClashRule::Delete)
            return copyFolderStaged(source, target, from_archive);

        bool complete = true;
        const std::vector<fs::path> files = filesUnder(source, &complete);
        for (const fs::path& file : files) {
            if (cancelled())
                return ComponentOutcome::Cancelled;
            const fs::path destination = target / fs::relative(file, source, error);
            const ClashAnswer answer = clashAnswer(destination);
            if (answer == ClashAnswer::Cancel)
                return ComponentOutcome::Cancelled;
            if (answer == ClashAnswer::Skip)
                continue;
            if (copyFile(file, destination, from_archive, target_in_archive) == Copied::Failed)
                complete = false;
        }
        return complete ? ComponentOutcome::Done : ComponentOutcome::Failed;
    }

    bool complete = true;
    for (const QString& name : layout.files) {
        if (cancelled())
            return ComponentOutcome::Cancelled;
        const fs::path source = source_base / PathOf(name);
        const fs::path target = target_base / PathOf(name);
        const fs::file_type type = TypeOf(source);
        if (type == fs::file_type::not_found)
            continue;
        if (type != fs::file_type::regular && from_archive) {
            report_.skipped.append(TextOf(source));
            continue;
        }
        const ClashAnswer answer = clashAnswer(target);
        if (answer == ClashAnswer::Cancel)
            return ComponentOutcome::Cancelled;
        if (answer == ClashAnswer::Skip)
            continue;
        if (copyFile(source, target, from_archive, target_in_archive) == Copied::Failed)
            complete = false;
    }
    return complete ? ComponentOutcome::Done : ComponentOutcome::Failed;
}

BackupRun::Copied BackupRun::syncFile(const fs::path& source, const fs::path& target, bool from_archive, bool record)
{
    const bool target_in_archive = !from_archive;
    if (!Exists(target))
        return copyFile(source, target, from_archive, target_in_archive);
    if (TypeOf(target) == fs::file_type::symlink && target_in_archive) {
        return copyFile(source, target, from_archive, target_in_archive);
    }
    const std::optional<QByteArray> source_bytes = ReadFileBytes(TextOf(source), request_.max_file_bytes);
    const std::optional<QByteArray> target_bytes = ReadFileBytes(TextOf(target), request_.max_file_bytes);
    if (!source_bytes) {
        fail(source, QStringLiteral("файл не удалось прочитать"));
        return Copied::Failed;
    }
    if (!target_bytes) {
        fail(target, QStringLiteral("файл не удалось прочитать"));
        return Copied::Failed;
    }
    if (*source_bytes == *target_bytes)
        return Copied::Skipped;
    if (request_.rule == ClashRule::Newer) {
        std::error_code error;
        const fs::file_time_type source_time = fs::last_write_time(source, error);
        const fs::file_time_type target_time = fs::last_write_time(target, error);
        if (error) {
            fail(target, ErrorText(error));
            return Copied::Failed;
        }
        if (source_time <= target_time + kTimeTolerance)
            return Copied::Skipped;
    }
    if (from_archive && IsProgram(source, *source_bytes)) {
        report_.skipped.append(TextOf(source));
        return Copied::Skipped;
    }
    if (record) {
        // The version about to be overwritten stays beside it.
        const fs::path kept = ConflictPath(target, request_.now);
        const WriteResult written = WriteFileAtomically(TextOf(kept), *target_bytes);
        if (!written.ok()) {
            fail(target, written.error);
            return Copied::Failed;
        }
        std::error_code error;
        fs::last_write_time(kept, fs::last_write_time(target, error), error);
        report_.conflicts.append(TextOf(kept));
    }
    return copyFile(source, target, from_archive, target_in_archive);
}

ComponentOutcome BackupRun::syncComponent(BackupComponent component, const fs::path& source_base,
                                          const fs::path& target_base, bool from_archive)
{
    const ComponentLayout layout = LayoutOf(component);
    const bool record = IsRecordComponent(component);
    std::vector<std::pair<fs::path, fs::path>> pairs;
    bool complete = true;
    std::error_code error;
    if (!layout.folder.isEmpty()) {
        const fs::path source = source_base / PathOf(layout.folder);
        fs::path target = target_base / PathOf(layout.folder);
        const fs::file_type source_type = TypeOf(source);
        if (source_type == fs::file_type::not_found)
            return ComponentOutcome::Done;
        if (source_type == fs::file_type::symlink && from_archive) {
            report_.skipped.append(TextOf(source));
            return ComponentOutcome::Failed;
        }
        if (TypeOf(target) == fs::file_type::symlink) {
            if (from_archive) {
                target = fs::canonical(target, error);
                if (error) {
                    fail(target_base / PathOf(layout.folder), ErrorText(error));
                    return ComponentOutcome::Failed;
                }
            } else {
                fail(target, QStringLiteral("в архиве на месте папки ссылка"));
                return ComponentOutcome::Failed;
            }
        }
        for (const fs::path& file : filesUnder(source, &complete))
            pairs.emplace_back(file, target / fs::relative(file, source, error));
    } else {
        for (const QString& name : layout.files) {
            const fs::path source = source_base / PathOf(name);
            const fs::file_type type = TypeOf(source);
            if (type == fs::file_type::not_found)
                continue;
            if (type != fs::file_type::regular) {
                report_.skipped.append(TextOf(source));
                continue;
            }
            pairs.emplace_back(source, target_base / PathOf(name));
        }
    }
    for (const auto& [source, target] : pairs) {
        if (cancelled())
            return ComponentOutcome::Cancelled;
        if (syncFile(source, target, from_archive, record) == Copied::Failed)
            complete = false;
    }
    return complete ? ComponentOutcome::Done : ComponentOutcome::Failed;
}

bool BackupRun::presentInArchive(BackupComponent component)
{
    const ComponentLayout layout = LayoutOf(component);
    if (!layout.folder.isEmpty())
        return TypeOf(archive_ / PathOf(layout.folder)) == fs::file_type::directory;
    return TypeOf(archive_ / PathOf(layout.main_file)) == fs::file_type::regular;
}

bool BackupRun::keepSafetyCopy(const std::vector<BackupComponent>& components)
{
    std::vector<std::pair<fs::path, fs::path>> files;
    for (const BackupComponent component : components) {
        if (!IsRecordComponent(component))
            continue;
        const ComponentLayout layout = LayoutOf(component);
        if (!layout.folder.isEmpty()) {
            fs::path folder = root_ / PathOf(layout.folder);
            if (TypeOf(folder) == fs::file_type::not_found)
                continue;
            bool complete = true;
            for (const fs::path& file : filesUnder(folder, &complete))
                files.emplace_back(file, fs::path(PathOf(layout.folder)) / fs::relative(file, folder));
            if (!complete)
                return false;
        } else {
            for (const QString& name : layout.files) {
                if (Exists(root_ / PathOf(name)))
                    files.emplace_back(root_ / PathOf(name), PathOf(name));
            }
        }
    }
    if (files.empty())
        return true;
    if (request_.safety_root.isEmpty() || !QDir::isAbsolutePath(request_.safety_root)) {
        report_.failed.push_back({request_.safety_root, QStringLiteral("не задана папка для прежних записей")});
        return false;
    }
    const fs::path folder =
        PathOf(request_.safety_root) / PathOf(QStringLiteral("before-restore-") + stamp_);
    for (const auto& [source, relative] : files) {
        const std::optional<QByteArray> bytes = ReadFileBytes(TextOf(source), request_.max_file_bytes);
        if (!bytes) {
            fail(source, QStringLiteral("файл не удалось прочитать"));
            return false;
        }
        std::error_code error;
        const fs::path target = folder / relative;
        fs::create_directories(target.parent_path(), error);
        const WriteResult written = WriteFileAtomically(TextOf(target), *bytes);
        if (!written.ok()) {
            fail(target, written.error);
            return false;
        }
        fs::last_write_time(target, fs::last_write_time(source, error), error);
    }
    report_.safety_copy = TextOf(folder);
    return true;
}

QString ListedLines(const QStringList& lines)
{
    QString text;
    for (int i = 0; i < lines.size() && i < kMaxListedLines; ++i)
        text += QStringLiteral("\n") + lines[i];
    if (lines.size() > kMaxListedLines)
        text += QStringLiteral("\n… и ещё ") + QString::number(lines.size() - kMaxListedLines);
    return text;
}

void BackupRun::summarise()
{
    const bool sync = request_.operation == BackupOperation::Sync;
    if (report_.cancelled) {
        report_.message.clear();
        return;
    }
    const auto failed = [&](BackupComponent component) {
        return std::any_of(report_.components.begin(), report_.components.end(), [&](const ComponentResult& r) {
            return r.component == component && r.outcome == ComponentOutcome::Failed;
        });
    };
    const int failures = static_cast<int>(std::count_if(report_.components.begin(), report_.components.end(),
        [](const ComponentResult& r) { return r.outcome == ComponentOutcome::Failed; }));
    QString message;
    if (request_.all) {
        if (sync)
            message = failures ? QStringLiteral("Синхронизация программы не удалась ")
                               : QStringLiteral("Синхронизация программы успешно завершена ");
        else
            message = failures ? QStringLiteral("Копирование программы не удалось ")
                               : QStringLiteral("Копирование программы успешно завершено ");
    } else if (failures > 0 && failures == static_cast<int>(report_.components.size())) {
        message = sync ? QStringLiteral("Cинхронизация не удалась ") : QStringLiteral("Копирование не удалось ");
    } else if (failures > 0) {
        QString folders;
        for (const BackupComponent component : kBackupComponents) {
            if (!LayoutOf(component).folder.isEmpty() && failed(component))
                folders += QStringLiteral("\"") + LayoutOf(component).folder + QStringLiteral("\" ");
        }
        if (folders.isEmpty())
            message = QStringLiteral("Копирование ");
        else
            message = (sync ? QStringLiteral("Cинхронизация компонентов  ") : QStringLiteral("Копирование компонентов  ")) +
                      folders;
        if (failed(BackupComponent::Settings))
            message += QStringLiteral("\"Настройки программы\" ");
        if (failed(BackupComponent::Memo))
            message += QStringLiteral("\"Памятка\" ");
        message += QStringLiteral("\r") + (sync ? QStringLiteral("не удалась...     ") : QStringLiteral("не удалось...     "));
    } else {
        message = sync ? QStringLiteral("Cинхронизация успешно завершена ")
                       : QStringLiteral("Копирование успешно завершено ");
    }

    for (const QString& missing : report_.missing_messages)
        message = missing + QStringLiteral("\n") + message;
    if (!report_.failed.empty()) {
        QStringList lines;
        for (const FileProblem& problem : report_.failed)
            lines.append(problem.path + QStringLiteral(": ") + problem.reason);
        message += QStringLiteral("\n\nНе скопированы файлы:") + ListedLines(lines);
    }
    if (!report_.conflicts.isEmpty())
        message += QStringLiteral("\n\nЗаписи различались с обеих сторон; прежние версии сохранены рядом:") +
                   ListedLines(report_.conflicts);
    if (!report_.skipped.isEmpty())
        message += QStringLiteral("\n\nПрограммы и ссылки не копируются:") + ListedLines(report_.skipped);
    if (!report_.safety_copy.isEmpty())
        message += QStringLiteral("\n\nПрежние записи сохранены в папке \"") + report_.safety_copy + QStringLiteral("\"");
    report_.message = message;
}

void BackupRun::run()
{
    if (!checkFolders()) {
        report_.refused = true;
        return;
    }
    RecoverInterruptedBackups(TextOf(root_));
    RecoverInterruptedBackups(TextOf(archive_));
    std::vector<BackupComponent> chosen;
    for (const BackupComponent component : kBackupComponents) {
        if (request_.all || std::find(request_.components.begin(), request_.components.end(), component) !=
                                request_.components.end())
            chosen.push_back(component);
    }

    // A restore checks the whole archive before anything of the data root moves.
    std::vector<BackupComponent> work;
    for (const BackupComponent component : chosen) {
        if (request_.operation == BackupOperation::Get && !presentInArchive(component)) {
            report_.missing_messages.append(MissingMessage(component, TextOf(archive_)));
            report_.components.push_back({component, ComponentOutcome::Failed});
        } else {
            work.push_back(component);
        }
    }

    const RecordHashes before = HashRecords(root_, request_.max_file_bytes);
    if (request_.operation != BackupOperation::Copy && !keepSafetyCopy(work)) {
        report_.refused = true;
        report_.message = QStringLiteral("Сохранить прежние записи перед заменой не удалось, ничего не изменено.") +
                          ListedLines([&] {
                              QStringList lines;
                              for (const FileProblem& problem : report_.failed)
                                  lines.append(problem.path + QStringLiteral(": ") + problem.reason);
                              return lines;
                          }());
        return;
    }

    for (const BackupComponent component : work) {
        ComponentOutcome outcome = ComponentOutcome::Cancelled;
        if (!cancelled()) {
            switch (request_.operation) {
            case BackupOperation::Copy:
                outcome = copyComponent(component, root_, archive_, false);
                break;
            case BackupOperation::Get:
                outcome = copyComponent(component, archive_, root_, true);
                break;
            case BackupOperation::Sync:
                outcome = syncComponent(component, root_, archive_, false);
                if (outcome != ComponentOutcome::Cancelled) {
                    const ComponentOutcome back = syncComponent(component, archive_, root_, true);
                    if (back != ComponentOutcome::Done)
                        outcome = back;
                }
                break;
            }
        }
        if (outcome == ComponentOutcome::Cancelled)
            report_.cancelled = true;
        report_.components.push_back({component, outcome});
    }

    const RecordHashes after = HashRecords(root_, request_.max_file_bytes);
    report_.changes = {before.settings != after.settings, before.memo != after.memo, before.sob != after.sob,
                       before.bookmarks != after.bookmarks, before.notes != after.notes};
    // A synchronisation that changed nothing here needs no safety copy.
    if (request_.operation == BackupOperation::Sync && !report_.changes.any() && !report_.safety_copy.isEmpty()) {
        std::error_code ignored;
        fs::remove_all(PathOf(report_.safety_copy), ignored);
        report_.safety_copy.clear();
    }
    summarise();
}

}  // namespace

ComponentLayout LayoutOf(BackupComponent component)
{
    switch (component) {
    case BackupComponent::Bible: return {QStringLiteral("Библия"), {}, {}};
    case BackupComponent::Service: return {QStringLiteral("Богослужение"), {}, {}};
    case BackupComponent::Lives: return {QStringLiteral("Жития святых"), {}, {}};
    case BackupComponent::Icons: return {QStringLiteral("Иконы"), {}, {}};
    case BackupComponent::Notes: return {QStringLiteral("Записи"), {}, {}};
    case BackupComponent::Menaion: return {QStringLiteral("Месяцеслов"), {}, {}};
    case BackupComponent::Settings:
        return {{}, {QStringLiteral("zk.ini"), QStringLiteral("update.ini"), QStringLiteral("Пасхалия/Pashalia.ini")},
                QStringLiteral("zk.ini")};
    case BackupComponent::Memo:
        return {{}, {QStringLiteral("Памятка.txt"), QStringLiteral("sob.ini"), QStringLiteral("Закладки.txt")},
                QStringLiteral("Памятка.txt")};
    }
    return {};
}

QString ComponentName(BackupComponent component)
{
    switch (component) {
    case BackupComponent::Bible: return QStringLiteral("bible");
    case BackupComponent::Service: return QStringLiteral("service");
    case BackupComponent::Lives: return QStringLiteral("lives");
    case BackupComponent::Icons: return QStringLiteral("icons");
    case BackupComponent::Notes: return QStringLiteral("notes");
    case BackupComponent::Menaion: return QStringLiteral("menaion");
    case BackupComponent::Settings: return QStringLiteral("settings");
    case BackupComponent::Memo: return QStringLiteral("memo");
    }
    return {};
}

std::optional<BackupComponent> ComponentOfName(const QString& name)
{
    for (const BackupComponent component : kBackupComponents) {
        if (ComponentName(component) == name)
            return component;
    }
    return std::nullopt;
}

bool BackupReport::success() const
{
    if (refused || cancelled || !failed.empty())
        return false;
    return std::none_of(components.begin(), components.end(),
                        [](const ComponentResult& r) { return r.outcome != ComponentOutcome::Done; });
}

BackupReport RunBackup(const BackupRequest& request, const BackupControl& control)
{
    BackupReport report;
    BackupRun(request, control, report).run();
    return report;
}

int RecoverInterruptedBackups(const QString& folder)
{
    int mended = 0;
    const fs::path base = PathOf(folder);
    std::error_code error;
    fs::directory_iterator it(base, error);
    std::vector<fs::path> leftovers;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const QRegularExpressionMatch match = StagingName().match(TextOf(it->path().filename()));
        if (match.hasMatch() && TypeOf(it->path()) == fs::file_type::directory && ProcessIsGone(match.captured(1)))
            leftovers.push_back(it->path());
    }
    for (const fs::path& staging : leftovers) {
        // An old copy whose place is empty goes back: the run was killed
        // between moving it aside and putting the new one in.
        for (fs::directory_iterator entry(staging, error); !error && entry != fs::directory_iterator();
             entry.increment(error)) {
            const QString name = TextOf(entry->path().filename());
            if (!name.endsWith(QStringLiteral(".old")))
                continue;
            const fs::path place = base / PathOf(name.chopped(4));
            std::error_code moved;
            if (!Exists(place)) {
                fs::rename(entry->path(), place, moved);
                if (!moved)
                    ++mended;
            }
        }
        std::error_code ignored;
        fs::remove_all(staging, ignored);
    }
    return mended;
}

QString CheckedFolder(const QString& value, QString* error)
{
    const QString missing = QStringLiteral("Найти папку \"") + value + QStringLiteral("\" не удалось  ");
    if (value.isEmpty() || !QDir::isAbsolutePath(value)) {
        *error = missing;
        return {};
    }
    std::error_code code;
    const fs::path canonical = fs::canonical(PathOf(value), code);
    if (code || !fs::is_directory(canonical, code)) {
        *error = missing;
        return {};
    }
    if (canonical == canonical.root_path()) {
        *error = QStringLiteral("Папка \"") + value + QStringLiteral("\" не годится: это корень файловой системы.  ");
        return {};
    }
    return TextOf(canonical);
}

bool HoldsArchive(const QString& folder)
{
    const fs::path base = PathOf(folder);
    const auto folder_at = [&](const char* name) { return TypeOf(base / name) == fs::file_type::directory; };
    const auto file_at = [&](const char* name) { return TypeOf(base / name) == fs::file_type::regular; };
    return (folder_at("Богослужение") && folder_at("Месяцеслов")) || (folder_at("Иконы") && folder_at("Записи")) ||
           folder_at("Пасхалия") || file_at("zk.ini") || file_at("Памятка.txt");
}

QString ArchiveFolderOf(const QString& chosen)
{
    return HoldsArchive(chosen) ? chosen : QDir(chosen).filePath(kArchiveSubfolder);
}

QString DefaultSafetyRoot()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/indikt");
}

}  // namespace indikt
