#include "backup/backup_engine.h"

#include "file_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace indikt {
namespace {

namespace fs = std::filesystem;

fs::path P(const QString& text) { return fs::path(text.toStdString()); }

// A data root, a medium and a state folder in one temporary folder.
class BackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        root_ = temp_.filePath("root");
        media_ = temp_.filePath("media");
        state_ = temp_.filePath("state");
        ASSERT_TRUE(QDir().mkpath(root_));
        ASSERT_TRUE(QDir().mkpath(media_));
    }

    void put(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(WriteBytes(path, bytes)) << path.toStdString();
    }
    QString inRoot(const QString& relative) const { return root_ + "/" + relative; }
    QString inMedia(const QString& relative) const { return media_ + "/" + relative; }

    // Modification time as seconds of the system clock.
    static void setTime(const QString& path, std::int64_t seconds)
    {
        const auto system_time = std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
        fs::last_write_time(P(path), std::chrono::file_clock::from_sys(system_time));
    }
    static std::int64_t timeOf(const QString& path)
    {
        const auto system_time = std::chrono::file_clock::to_sys(fs::last_write_time(P(path)));
        return std::chrono::duration_cast<std::chrono::seconds>(system_time.time_since_epoch()).count();
    }

    BackupRequest request(BackupOperation operation, std::vector<BackupComponent> components,
                          ClashRule rule = ClashRule::Delete, const QString& folder = {}) const
    {
        BackupRequest r;
        r.operation = operation;
        r.data_root = root_;
        r.folder = folder.isEmpty() ? media_ : folder;
        r.components = std::move(components);
        r.rule = rule;
        r.safety_root = state_;
        r.now = QDateTime(QDate(2026, 12, 9), QTime(12, 30, 5));
        return r;
    }

    // Names left in a folder by the engine's own staging.
    static QStringList stagingLeft(const QString& folder)
    {
        return QDir(folder).entryList({".indikt-*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir temp_;
    QString root_, media_, state_;
};

const std::vector<BackupComponent> kRecords = {BackupComponent::Notes, BackupComponent::Settings,
                                               BackupComponent::Memo};

TEST_F(BackupTest, EmptyFolderGetsArchiveSubfolderAndASecondCopyReusesIt)
{
    put(inRoot("zk.ini"), "[Vid]\r\n");
    put(inRoot("Записи/мар09.rtf"), "{\\rtf1 a}");

    BackupReport first = RunBackup(request(BackupOperation::Copy, kRecords));
    EXPECT_TRUE(first.success()) << first.message.toStdString();
    EXPECT_EQ(first.message, "Копирование успешно завершено ");
    EXPECT_EQ(first.archive_folder, QFileInfo(media_).canonicalFilePath() + "/Индикт");
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "{\\rtf1 a}");
    EXPECT_EQ(ReadBytes(inMedia("Индикт/zk.ini")), "[Vid]\r\n");

    put(inRoot("Записи/мар10.rtf"), "{\\rtf1 b}");
    BackupReport second = RunBackup(request(BackupOperation::Copy, kRecords));
    EXPECT_TRUE(second.success());
    EXPECT_EQ(second.archive_folder, first.archive_folder);
    EXPECT_FALSE(QFileInfo::exists(inMedia("Индикт/Индикт")));
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар10.rtf")), "{\\rtf1 b}");
    EXPECT_TRUE(stagingLeft(inMedia("Индикт")).isEmpty());
}

TEST_F(BackupTest, GetRestoresRecordsAndKeepsTheReplacedOnesFirst)
{
    put(inMedia("Индикт/Записи/мар09.rtf"), "archived note");
    put(inMedia("Индикт/Памятка.txt"), "archived memo");
    put(inMedia("Индикт/Закладки.txt"), "archived bookmarks");
    put(inMedia("Индикт/zk.ini"), "[Vid]\r\nA=1\r\n");
    put(inRoot("Записи/апр01.rtf"), "live note");
    put(inRoot("Памятка.txt"), "live memo");
    put(inRoot("zk.ini"), "[Vid]\r\nA=2\r\n");

    // The parent the copy was made into is chosen again: its "Индикт" is used.
    BackupReport report = RunBackup(request(BackupOperation::Get, kRecords));
    ASSERT_TRUE(report.success()) << report.message.toStdString();
    EXPECT_EQ(ReadBytes(inRoot("Записи/мар09.rtf")), "archived note");
    EXPECT_FALSE(QFileInfo::exists(inRoot("Записи/апр01.rtf")));  // "Удалить": the folder is replaced
    EXPECT_EQ(ReadBytes(inRoot("Закладки.txt")), "archived bookmarks");
    EXPECT_EQ(ReadBytes(inRoot("zk.ini")), "[Vid]\r\nA=1\r\n");

    const QString safety = state_ + "/before-restore-20261209-123005";
    EXPECT_EQ(report.safety_copy, safety);
    EXPECT_EQ(ReadBytes(safety + "/Записи/апр01.rtf"), "live note");
    EXPECT_EQ(ReadBytes(safety + "/Памятка.txt"), "live memo");
    EXPECT_EQ(ReadBytes(safety + "/zk.ini"), "[Vid]\r\nA=2\r\n");
    EXPECT_TRUE(report.message.startsWith("Копирование успешно завершено "));
    EXPECT_TRUE(report.message.contains(safety));
    EXPECT_TRUE(report.changes.settings && report.changes.memo && report.changes.bookmarks && report.changes.notes);
    EXPECT_FALSE(report.changes.sob);
    EXPECT_TRUE(stagingLeft(root_).isEmpty());
}

TEST_F(BackupTest, GetOfAMissingComponentDeletesNothingOfIt)
{
    put(inMedia("Памятка.txt"), "archived memo");
    put(inRoot("Записи/апр01.rtf"), "live note");
    put(inRoot("Памятка.txt"), "live memo");

    BackupReport report = RunBackup(request(BackupOperation::Get, {BackupComponent::Notes, BackupComponent::Memo}));
    EXPECT_FALSE(report.success());
    const QString archive = QFileInfo(media_).canonicalFilePath();
    EXPECT_EQ(report.missing_messages, QStringList{"В каталоге \"" + archive + "\" папка \"Записи\" не найдена.  "});
    EXPECT_EQ(ReadBytes(inRoot("Записи/апр01.rtf")), "live note");
    EXPECT_EQ(ReadBytes(inRoot("Памятка.txt")), "archived memo");
    EXPECT_TRUE(report.message.contains("Копирование компонентов  \"Записи\" \rне удалось...     "));
    EXPECT_FALSE(report.changes.notes);
    EXPECT_TRUE(report.changes.memo);
}

TEST_F(BackupTest, MissingComponentMessagesOfEveryKind)
{
    // Captions of the messages as the dialog has always shown them.
    struct Case {
        BackupComponent component;
        const char* tail;
    };
    const Case cases[] = {
        {BackupComponent::Bible, "\" папка \"Библия\" не найдена.  "},
        {BackupComponent::Service, "\" папка \"Богослужение\" не найдена.  "},
        {BackupComponent::Lives, "\" папка \"Жития святых\" не найдена.  "},
        {BackupComponent::Icons, "\" папка \"Иконы\" не найден.  "},
        {BackupComponent::Notes, "\" папка \"Записи\" не найдена.  "},
        {BackupComponent::Menaion, "\" папка \"Месяцеслов\" не найдена.  "},
        {BackupComponent::Settings, "\" файл настройки не найден.  "},
        {BackupComponent::Memo, "\" файл \"Памятка\" не найден.  "},
    };
    const QString archive = QFileInfo(media_).canonicalFilePath();
    for (const Case& c : cases) {
        SCOPED_TRACE(ComponentName(c.component).toStdString());
        BackupReport report = RunBackup(request(BackupOperation::Get, {c.component}));
        EXPECT_EQ(report.missing_messages, QStringList{"В каталоге \"" + archive + QString::fromUtf8(c.tail)});
        EXPECT_TRUE(report.message.endsWith("Копирование не удалось "));
    }
}

TEST_F(BackupTest, AFullMediumLeavesTheLastGoodBackup)
{
    put(inMedia("Индикт/Записи/мар09.rtf"), "old backup");
    put(inMedia("Индикт/zk.ini"), "old settings");
    put(inRoot("Записи/мар09.rtf"), QByteArray(64 * 1024, 'n'));
    put(inRoot("zk.ini"), "new settings");

    BackupReport report;
    {
        FileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.isSet());
        report = RunBackup(request(BackupOperation::Copy, {BackupComponent::Notes}, ClashRule::Delete,
                                   inMedia("Индикт")));
    }
    EXPECT_FALSE(report.success());
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "old backup");
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_TRUE(report.failed[0].path.endsWith("мар09.rtf"));
    EXPECT_EQ(report.message.left(22), "Копирование не удалось");
    EXPECT_TRUE(report.message.contains("мар09.rtf"));
    EXPECT_TRUE(stagingLeft(inMedia("Индикт")).isEmpty());
}

TEST_F(BackupTest, AnUnreadableSourceFileLeavesTheLastGoodBackup)
{
    put(inMedia("Индикт/Записи/мар09.rtf"), "old backup");
    put(inRoot("Записи/мар09.rtf"), "small");
    put(inRoot("Записи/мар10.rtf"), QByteArray(4096, 'x'));  // beyond the bound below: not read

    BackupRequest r = request(BackupOperation::Copy, {BackupComponent::Notes}, ClashRule::Delete, inMedia("Индикт"));
    r.max_file_bytes = 1024;
    BackupReport report = RunBackup(r);
    EXPECT_FALSE(report.success());
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_TRUE(report.failed[0].path.endsWith("Записи/мар10.rtf"));
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "old backup");
    EXPECT_FALSE(QFileInfo::exists(inMedia("Индикт/Записи/мар10.rtf")));

    if (geteuid() != 0) {  // root reads any file whatever its mode
        put(inRoot("Записи/мар10.rtf"), "x");
        ASSERT_EQ(chmod(QFile::encodeName(inRoot("Записи/мар10.rtf")).constData(), 0), 0);
        BackupReport denied = RunBackup(request(BackupOperation::Copy, {BackupComponent::Notes}));
        EXPECT_FALSE(denied.success());
        EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "old backup");
    }
}

TEST_F(BackupTest, FoldersThatOverlapTheDataRootOrAreNotAbsoluteAreRefused)
{
    put(inRoot("zk.ini"), "settings");
    ASSERT_TRUE(QDir().mkpath(inRoot("Записи/inner")));
    ASSERT_TRUE(QFile::link(root_, temp_.filePath("root-link")));
    struct Case {
        const char* what;
        QString folder;
        const char* message_start;
    };
    const Case cases[] = {
        {"empty", "", "Найти папку \"\" не удалось  "},
        {"relative", "media", "Найти папку \"media\" не удалось  "},
        {"missing", temp_.filePath("nowhere"), "Найти папку"},
        {"a file", inRoot("zk.ini"), "Найти папку"},
        {"the file system root", "/", "Папка \"/\" не годится"},
        {"the data root", root_, "Папка"},
        {"inside the data root", inRoot("Записи/inner"), "Папка"},
        {"containing the data root", temp_.path(), "Папка"},
        {"a link to the data root", temp_.filePath("root-link"), "Папка"},
    };
    for (const BackupOperation operation : {BackupOperation::Copy, BackupOperation::Get, BackupOperation::Sync}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            BackupRequest r = request(operation, kRecords);
            r.folder = c.folder;
            BackupReport report = RunBackup(r);
            EXPECT_TRUE(report.refused);
            EXPECT_TRUE(report.message.startsWith(QString::fromUtf8(c.message_start))) << report.message.toStdString();
            EXPECT_EQ(report.files_copied, 0);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(inRoot("Записи/inner/Индикт")));
    EXPECT_FALSE(QFileInfo::exists(inRoot("Индикт")));
    EXPECT_FALSE(QFileInfo::exists(temp_.filePath("Индикт")));
    EXPECT_EQ(QDir(inRoot("Записи")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"inner"});
}

TEST_F(BackupTest, ProgramsAndLinksAreNeverRestored)
{
    put(temp_.filePath("outside/secret.txt"), "outside the archive");
    put(inMedia("Записи/мар09.rtf"), "note");
    put(inMedia("Записи/run.sh"), "echo hi");
    put(inMedia("Записи/мар10.rtf"), QByteArray("\x7f" "ELF\x02\x01", 6));
    put(inMedia("Events.exe"), "MZ");
    put(inMedia("Памятка.txt"), "memo");
    ASSERT_TRUE(QFile::link(temp_.filePath("outside/secret.txt"), inMedia("Записи/мар11.rtf")));
    ASSERT_TRUE(QFile::link(temp_.filePath("outside"), inMedia("Записи/папка")));
    // Files of a FAT medium all look executable; their copies must not be.
    ASSERT_EQ(chmod(QFile::encodeName(inMedia("Записи/мар09.rtf")).constData(), 0755), 0);

    for (const ClashRule rule : {ClashRule::Delete, ClashRule::Replace}) {
        BackupReport report = RunBackup(request(BackupOperation::Get, {BackupComponent::Notes, BackupComponent::Memo}, rule));
        EXPECT_TRUE(report.success()) << report.message.toStdString();
        EXPECT_EQ(QDir(inRoot("Записи")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"мар09.rtf"});
        EXPECT_EQ(report.skipped.size(), 4);
        EXPECT_FALSE(QFileInfo::exists(inRoot("Events.exe")));
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(inRoot("Записи/мар09.rtf")).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0111, 0u);
    }

    // The same through a synchronisation.
    QDir(inRoot("Записи")).removeRecursively();
    BackupReport sync = RunBackup(request(BackupOperation::Sync, {BackupComponent::Notes}, ClashRule::Newer,
                                          media_));
    EXPECT_EQ(QDir(inRoot("Записи")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"мар09.rtf"});
    EXPECT_EQ(ReadBytes(temp_.filePath("outside/secret.txt")), "outside the archive");
}

TEST_F(BackupTest, ALinkPlantedInTheArchiveIsReplacedNotWrittenThrough)
{
    put(temp_.filePath("outside/victim.txt"), "untouched");
    put(inMedia("zk.ini"), "old");
    ASSERT_TRUE(QFile::link(temp_.filePath("outside/victim.txt"), inMedia("Памятка.txt")));
    put(inRoot("Памятка.txt"), "memo");
    BackupReport report = RunBackup(request(BackupOperation::Copy, {BackupComponent::Memo}, ClashRule::Replace));
    EXPECT_TRUE(report.success()) << report.message.toStdString();
    EXPECT_EQ(ReadBytes(temp_.filePath("outside/victim.txt")), "untouched");
    EXPECT_FALSE(QFileInfo(inMedia("Памятка.txt")).isSymLink());
    EXPECT_EQ(ReadBytes(inMedia("Памятка.txt")), "memo");
}

TEST_F(BackupTest, SyncWithNewerNeverOverwritesANewerFileEitherWay)
{
    const std::int64_t t = 1'780'000'000;
    struct Case {
        const char* name;
        std::int64_t root_time, archive_time;
        const char* root_after;
        const char* archive_after;
    };
    // root content "R", archive content "A"
    const Case cases[] = {
        {"Записи/root-newer.rtf", t + 100, t, "R", "R"},
        {"Записи/archive-newer.rtf", t, t + 100, "A", "A"},
        {"Записи/within-tolerance.rtf", t + 1, t, "R", "A"},  // FAT's two seconds: neither wins
        {"Записи/same-time.rtf", t, t, "R", "A"},
    };
    for (const Case& c : cases) {
        put(inRoot(c.name), "R");
        put(inMedia(QString("Индикт/") + c.name), "A");
        setTime(inRoot(c.name), c.root_time);
        setTime(inMedia(QString("Индикт/") + c.name), c.archive_time);
    }
    put(inRoot("Записи/only-root.rtf"), "new here");
    setTime(inRoot("Записи/only-root.rtf"), t - 5000);
    put(inMedia("Индикт/Записи/only-archive.rtf"), "new there");
    setTime(inMedia("Индикт/Записи/only-archive.rtf"), t - 7000);

    BackupReport report = RunBackup(request(BackupOperation::Sync, {BackupComponent::Notes}, ClashRule::Newer));
    EXPECT_TRUE(report.success()) << report.message.toStdString();
    EXPECT_TRUE(report.message.startsWith("Cинхронизация успешно завершена "));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBytes(inRoot(c.name)), c.root_after);
        EXPECT_EQ(ReadBytes(inMedia(QString("Индикт/") + c.name)), c.archive_after);
    }
    // Copies carry the source's time, so the next run finds nothing to do.
    EXPECT_EQ(timeOf(inMedia("Индикт/Записи/only-root.rtf")), t - 5000);
    EXPECT_EQ(timeOf(inRoot("Записи/only-archive.rtf")), t - 7000);
    EXPECT_EQ(timeOf(inMedia("Индикт/Записи/root-newer.rtf")), t + 100);
    // Each overwritten note left its losing version beside it.
    EXPECT_EQ(report.conflicts.size(), 2);
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/root-newer (расхождение 2026-12-09 12-30-05).rtf")), "A");
    EXPECT_EQ(ReadBytes(inRoot("Записи/archive-newer (расхождение 2026-12-09 12-30-05).rtf")), "R");
    EXPECT_TRUE(report.changes.notes);

    // The kept versions travel to the other side too; after that, nothing is left to do.
    BackupReport again = RunBackup(request(BackupOperation::Sync, {BackupComponent::Notes}, ClashRule::Newer));
    EXPECT_TRUE(again.conflicts.isEmpty());
    EXPECT_FALSE(again.changes.any());
    EXPECT_TRUE(again.safety_copy.isEmpty());
    BackupReport third = RunBackup(request(BackupOperation::Sync, {BackupComponent::Notes}, ClashRule::Newer));
    EXPECT_EQ(third.files_copied, 0);
    EXPECT_TRUE(third.success());
}

TEST_F(BackupTest, SyncKeepsTheLosingVersionOfEveryRecordFile)
{
    const std::int64_t t = 1'780'000'000;
    const char* records[] = {"Памятка.txt", "Закладки.txt", "zk.ini", "sob.ini"};
    for (const char* name : records) {
        put(inRoot(name), QByteArray("live ") + name);
        put(inMedia(QString("Индикт/") + name), QByteArray("other ") + name);
        setTime(inRoot(name), t);
        setTime(inMedia(QString("Индикт/") + name), t + 60);
    }
    BackupReport report = RunBackup(
        request(BackupOperation::Sync, {BackupComponent::Memo, BackupComponent::Settings}, ClashRule::Newer));
    EXPECT_TRUE(report.success()) << report.message.toStdString();
    EXPECT_EQ(report.conflicts.size(), 4);
    EXPECT_TRUE(report.message.contains("прежние версии сохранены рядом"));
    EXPECT_EQ(ReadBytes(inRoot("Памятка.txt")), "other Памятка.txt");
    EXPECT_EQ(ReadBytes(inRoot("Памятка (расхождение 2026-12-09 12-30-05).txt")), "live Памятка.txt");
    EXPECT_EQ(ReadBytes(inRoot("zk (расхождение 2026-12-09 12-30-05).ini")), "live zk.ini");
    EXPECT_TRUE(report.changes.memo && report.changes.settings && report.changes.sob && report.changes.bookmarks);
    EXPECT_EQ(ReadBytes(report.safety_copy + "/Закладки.txt"), "live Закладки.txt");
}

TEST_F(BackupTest, AStrayMemoAmongDocumentsLosesNoDocument)
{
    const QString documents = temp_.filePath("Документы");
    put(documents + "/Памятка.txt", "someone else's memo");
    put(documents + "/Письмо.odt", "letter");
    put(documents + "/Фото/лето.jpg", "photo");
    put(documents + "/readme.txt", "text");
    put(inRoot("Памятка.txt"), "memo");
    put(inRoot("Записи/мар09.rtf"), "note");

    for (const ClashRule rule : {ClashRule::Delete, ClashRule::Replace}) {
        BackupRequest r = request(BackupOperation::Copy, {}, rule, documents);
        r.all = true;
        BackupReport report = RunBackup(r);
        EXPECT_TRUE(report.success()) << report.message.toStdString();
        EXPECT_EQ(report.message, "Копирование программы успешно завершено ");
        EXPECT_EQ(report.archive_folder, QFileInfo(documents).canonicalFilePath());
        EXPECT_EQ(ReadBytes(documents + "/Письмо.odt"), "letter");
        EXPECT_EQ(ReadBytes(documents + "/Фото/лето.jpg"), "photo");
        EXPECT_EQ(ReadBytes(documents + "/readme.txt"), "text");
        EXPECT_EQ(ReadBytes(documents + "/Памятка.txt"), "memo");
        EXPECT_EQ(ReadBytes(documents + "/Записи/мар09.rtf"), "note");
    }
    // And a restore of everything takes back only what is ours.
    BackupRequest r = request(BackupOperation::Get, {}, ClashRule::Delete, documents);
    r.all = true;
    RunBackup(r);
    EXPECT_FALSE(QFileInfo::exists(inRoot("Письмо.odt")));
    EXPECT_FALSE(QFileInfo::exists(inRoot("readme.txt")));
    EXPECT_FALSE(QFileInfo::exists(inRoot("Фото")));
}

TEST_F(BackupTest, CancelMidwayLeavesNothingHalfSwapped)
{
    for (int i = 0; i < 20; ++i) {
        put(inRoot(QString("Записи/note%1.rtf").arg(i)), "new");
        put(inMedia(QString("Индикт/Записи/note%1.rtf").arg(i)), "old");
    }
    std::atomic<bool> cancel = false;
    BackupControl control;
    control.cancel = &cancel;
    control.progress = [&](int done, const QString&) {
        if (done == 7)
            cancel = true;
    };
    BackupReport report = RunBackup(request(BackupOperation::Copy, kRecords), control);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(report.success());
    EXPECT_TRUE(report.message.isEmpty());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ReadBytes(inMedia(QString("Индикт/Записи/note%1.rtf").arg(i))), "old") << i;
    EXPECT_TRUE(stagingLeft(inMedia("Индикт")).isEmpty());

    // A get cancelled midway leaves the live notes whole as well.
    cancel = false;
    report = RunBackup(request(BackupOperation::Get, {BackupComponent::Notes}), control);
    EXPECT_TRUE(report.cancelled);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ReadBytes(inRoot(QString("Записи/note%1.rtf").arg(i))), "new") << i;
    EXPECT_FALSE(report.changes.notes);
    EXPECT_TRUE(stagingLeft(root_).isEmpty());
}

TEST_F(BackupTest, IdenticalSettingsDoNotCountAsChanged)
{
    put(inRoot("zk.ini"), "[Vid]\r\nA=1\r\n");
    put(inMedia("zk.ini"), "[Vid]\r\nA=1\r\n");
    BackupReport same = RunBackup(request(BackupOperation::Get, {BackupComponent::Settings}));
    EXPECT_TRUE(same.success());
    EXPECT_FALSE(same.changes.any());

    put(inMedia("zk.ini"), "[Vid]\r\nA=2\r\n");
    BackupReport other = RunBackup(request(BackupOperation::Get, {BackupComponent::Settings}));
    EXPECT_TRUE(other.changes.settings);
    EXPECT_FALSE(other.changes.memo);
}

TEST_F(BackupTest, NothingToCopyIsSuccess)
{
    ASSERT_TRUE(QDir().mkpath(inRoot("Записи")));
    for (const BackupOperation operation : {BackupOperation::Copy, BackupOperation::Sync}) {
        BackupReport report = RunBackup(request(operation, kRecords,
                                                operation == BackupOperation::Sync ? ClashRule::Newer : ClashRule::Delete));
        EXPECT_TRUE(report.success());
        EXPECT_FALSE(report.cancelled);
        EXPECT_EQ(report.files_copied, 0);
        EXPECT_TRUE(report.message.startsWith(operation == BackupOperation::Sync ? "Cинхронизация успешно завершена "
                                                                                  : "Копирование успешно завершено "));
    }
}

TEST_F(BackupTest, ReplaceAndAskKeepOtherFilesOfTheArchive)
{
    put(inMedia("Индикт/Записи/old.rtf"), "only in the archive");
    put(inMedia("Индикт/Записи/мар09.rtf"), "archived");
    put(inRoot("Записи/мар09.rtf"), "live");
    put(inRoot("Записи/мар10.rtf"), "live 10");

    QStringList asked;
    BackupControl control;
    control.ask = [&](const QString& path) {
        asked.append(QFileInfo(path).fileName());
        return ClashAnswer::Skip;
    };
    BackupReport report = RunBackup(request(BackupOperation::Copy, {BackupComponent::Notes}, ClashRule::Ask), control);
    EXPECT_TRUE(report.success());
    EXPECT_EQ(asked, QStringList{"мар09.rtf"});
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "archived");
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар10.rtf")), "live 10");

    report = RunBackup(request(BackupOperation::Copy, {BackupComponent::Notes}, ClashRule::Replace));
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/мар09.rtf")), "live");
    EXPECT_EQ(ReadBytes(inMedia("Индикт/Записи/old.rtf")), "only in the archive");

    control.ask = [](const QString&) { return ClashAnswer::Cancel; };
    report = RunBackup(request(BackupOperation::Copy, {BackupComponent::Notes}, ClashRule::Ask), control);
    EXPECT_TRUE(report.cancelled);
}

TEST_F(BackupTest, ASafetyCopyThatCannotBeWrittenStopsTheRestore)
{
    put(inMedia("Памятка.txt"), "archived memo");
    put(inRoot("Памятка.txt"), "live memo");
    put(state_, "a file where the state folder should be");
    BackupReport report = RunBackup(request(BackupOperation::Get, {BackupComponent::Memo}));
    EXPECT_TRUE(report.refused);
    EXPECT_TRUE(report.message.startsWith("Сохранить прежние записи перед заменой не удалось"));
    EXPECT_EQ(ReadBytes(inRoot("Памятка.txt")), "live memo");
}

TEST(BackupBusyTest, OnlyOneOperationHoldsTheFlag)
{
    std::atomic<bool> flag = false;
    {
        BackupBusy first(flag);
        EXPECT_TRUE(first.acquired());
        BackupBusy second(flag);
        EXPECT_FALSE(second.acquired());
    }
    EXPECT_FALSE(flag.load());
    BackupBusy again(flag);
    EXPECT_TRUE(again.acquired());
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

// What a copy or restore killed at each step leaves, and what the next start
// makes of it: the old copy of a component whose place is empty comes back,
// a complete swap keeps the new copy, and the work of a live run is left.
TEST_F(BackupTest, ARunKilledMidwayIsMendedAtTheNextStart)
{
    const QString dead = ".indikt-staging-999999999-20261209-123005";
    const QString live = ".indikt-staging-" + QString::number(::getpid()) + "-20261209-123005";
    struct Case {
        const char* moment;
        QString staging;
        bool place_filled;     // "Записи" exists (the swap happened)
        bool old_aside;        // "Записи.old" in the staging folder
        const char* notes_after;
        bool staging_left;
        int mended;
    };
    const Case cases[] = {
        {"while copying", dead, true, false, "old", false, 0},
        {"between the two moves", dead, false, true, "old", false, 1},
        {"after the swap", dead, true, true, "new", false, 0},
        {"a run still going", live, false, true, "", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        QDir(root_).removeRecursively();
        const QString staging = inRoot(c.staging);
        put(staging + "/Записи/апр01.rtf", "half");
        if (c.old_aside)
            put(staging + "/Записи.old/апр01.rtf", "old");
        if (c.place_filled)
            put(inRoot("Записи/апр01.rtf"), c.old_aside ? "new" : "old");
        EXPECT_EQ(RecoverInterruptedBackups(root_), c.mended);
        EXPECT_EQ(ReadBytes(inRoot("Записи/апр01.rtf")), QByteArray(c.notes_after));
        EXPECT_EQ(QFileInfo::exists(staging), c.staging_left);
    }
}

}  // namespace
}  // namespace indikt
