// Every writer of the user's files on a full disk and on a read-only medium:
// the save fails, the message names the file and says why in Russian, and
// every file of the data root is as it was (no temporary left behind); the
// backup engine leaves the last good archive.

#include "backup/backup_engine.h"
#include "records/bookmarks.h"
#include "records/dom_pravilo_settings.h"
#include "records/memo_book.h"
#include "records/notes.h"
#include "records/sob_settings.h"
#include "settings/zk_settings.h"
#include "texts/data_files.h"
#include "texts/ini_file.h"
#include "texts/rtf.h"
#include "walks/period_report.h"

#include "file_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace indikt {
namespace {

const Date kToday = FromCivil(2026, 12, 9);

// Every file under a folder with its bytes.
QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

RtfDocument NoteOf(const QString& text)
{
    RtfDocument document;
    document.paragraphs.emplace_back();
    AppendRtfText(document.paragraphs.back(), text, RtfCharFormat{});
    return document;
}

QString SaveNoteText(const QString& root, const QString& text)
{
    const StoredNote shown = ReadNote(root, kToday);
    NoteSave save;
    save.key = NoteKeyOfDate(kToday);
    save.content = NoteOf(text);
    save.loaded_path = shown.path;
    save.loaded_stamp = shown.stamp;
    const NoteSaveResult result =
        SaveNote(root, save, [](NoteQuestion, const QString&) { return NoteAnswer::Cancel; }, RemoveToTrash);
    return result.outcome == NoteSaveResult::Outcome::Saved ? QString() : result.message;
}

BackupRequest Backup(const QString& root, const QString& archive, BackupOperation operation)
{
    BackupRequest request;
    request.operation = operation;
    request.data_root = root;
    request.folder = archive;
    request.components = {BackupComponent::Notes, BackupComponent::Memo, BackupComponent::Settings};
    request.rule = ClashRule::Delete;
    request.safety_root = QFileInfo(root).path() + "/safety";
    request.now = QDateTime(QDate(2026, 12, 9), QTime(12, 0));
    return request;
}

QString Problems(const BackupReport& report)
{
    QString text = report.message;
    for (const FileProblem& problem : report.failed)
        text += "\n" + problem.path + ": " + problem.reason;
    return text;
}

// One kind of file: how a save of it is made (the version number makes each
// save differ from the last), and the name its failure message carries.
struct Writer {
    const char* kind;
    const char* file;  // relative to the data root
    std::function<QString(const QString& root, int version)> save;  // empty when saved
};

std::vector<Writer> Writers()
{
    return {
        {"settings", "zk.ini",
         [](const QString& root, int version) {
             ZkSettings settings = ZkSettings::Load(root + "/zk.ini", kToday);
             settings.setText(kSectionPrint, "SavInitialDir", "/отчеты/" + QString::number(version));
             return settings.save(root + "/zk.ini", kToday).error;
         }},
        {"home rule", "zk.ini",
         [](const QString& root, int version) {
             ZkSettings settings = ZkSettings::Load(root + "/zk.ini", kToday);
             WritePlanState(settings, RulePlan::Psalter, PlanState{version, false, kToday});
             return settings.save(root + "/zk.ini", kToday).error;
         }},
        {"Памятка", "Памятка.txt",
         [](const QString& root, int version) {
             MemoBook book(root, [] { return MemoClock{kToday, 600}; });
             book.open();
             JubileeInput jubilee;
             jubilee.name = "Юбилей " + QString::number(version);
             jubilee.picked = kToday - version;
             return book.addJubilee(jubilee).error;
         }},
        {"sob.ini", "sob.ini",
         [](const QString& root, int version) {
             IniReadResult read = ReadIniFile(root + "/sob.ini");
             SobSettings settings;
             settings.feast_messages = version % 2 == 0;
             settings.once_a_day = version % 2 == 1;
             WriteSobSettings(read.file, settings);
             read.file.setValue(u"Windows", u"Проба", QString::number(version));
             return SaveIniFile(read.file, root + "/sob.ini").error;
         }},
        {"note", "Записи",
         [](const QString& root, int version) {
             return SaveNoteText(root, "Заметка дня, версия " + QString::number(version));
         }},
        {"bookmarks", "Закладки.txt",
         [](const QString& root, int version) {
             BookmarkStore store(root + "/Закладки.txt");
             store.add("Закладка " + QString::number(version), kToday - version);
             return store.save(kToday).error;
         }},
        {"report", "отчет.txt",
         [](const QString& root, int version) {
             AtomicFileWriter file(root + "/отчет.txt");
             if (!file.begin())
                 return file.failure();
             ReportData data;
             data.notes = true;
             WriteReport(file, root, MakeReportPeriod(kToday - version, kToday), data, ReportFormat::Text, kToday);
             return file.commit().error;
         }},
    };
}

enum class Trouble { FullDisk, ReadOnly };
void PrintTo(Trouble trouble, std::ostream* out) { *out << (trouble == Trouble::FullDisk ? "full disk" : "read-only"); }

class FullDiskAndReadOnly : public ::testing::TestWithParam<Trouble> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        root = temp.filePath("Данные");
        ASSERT_TRUE(QDir().mkpath(root));
    }
    QTemporaryDir temp;
    QString root;
};

TEST_P(FullDiskAndReadOnly, EverySaveFailsVisiblyAndLeavesTheOldFile)
{
    const Trouble trouble = GetParam();
    // The first version of every file, written while all was well.
    for (const Writer& writer : Writers())
        ASSERT_EQ(writer.save(root, 1), QString()) << writer.kind;

    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.kind);
        const QMap<QString, QByteArray> before = Snapshot(root);
        QString error;
        bool unsupported = false;
        if (trouble == Trouble::FullDisk) {
            FileSizeLimit limit(64);
            ASSERT_TRUE(limit.isSet());
            error = writer.save(root, 1000);
        } else {
            ReadOnlyFolder read_only(root);
            if (!read_only.isSet())
                GTEST_SKIP() << "no read-only mount here (root without CAP_SYS_ADMIN)";
            unsupported = !read_only.isMount();
            error = writer.save(root, 1000);
        }
        EXPECT_FALSE(error.isEmpty()) << "a failed save was reported as done";
        EXPECT_TRUE(error.contains(writer.file)) << error.toStdString();
        const char* reason = trouble == Trouble::FullDisk ? "превышен допустимый размер файла"
                             : unsupported                ? "нет прав на запись"
                                                          : "только для чтения";
        EXPECT_TRUE(error.contains(QString::fromUtf8(reason))) << error.toStdString();
        EXPECT_EQ(Snapshot(root), before) << "a file changed or a temporary was left";
        // And once the trouble is gone, the same save goes through.
        EXPECT_EQ(writer.save(root, 2), QString());
    }
}

// The archive of the last good copy stays whole when the next copy cannot be
// written, and a restore that cannot write leaves the data root as it was.
TEST_P(FullDiskAndReadOnly, TheBackupEngineKeepsTheLastGoodArchive)
{
    const Trouble trouble = GetParam();
    const QString archive = temp.filePath("Архив");
    ASSERT_TRUE(QDir().mkpath(archive));
    for (const Writer& writer : Writers())
        ASSERT_EQ(writer.save(root, 1), QString()) << writer.kind;
    const BackupReport first = RunBackup(Backup(root, archive, BackupOperation::Copy));
    ASSERT_TRUE(first.success()) << Problems(first).toStdString();
    const QMap<QString, QByteArray> good_archive = Snapshot(archive);
    ASSERT_FALSE(good_archive.isEmpty());

    // A bigger note than the limit allows, then the copy and the restore.
    ASSERT_EQ(SaveNoteText(root, QString(4000, u'ж')), QString());
    const QMap<QString, QByteArray> live = Snapshot(root);
    for (const BackupOperation operation : {BackupOperation::Copy, BackupOperation::Get}) {
        SCOPED_TRACE(operation == BackupOperation::Copy ? "copy" : "restore");
        const QString target = operation == BackupOperation::Copy ? archive : root;
        BackupReport report;
        if (trouble == Trouble::FullDisk) {
            FileSizeLimit limit(1024);
            ASSERT_TRUE(limit.isSet());
            report = RunBackup(Backup(root, archive, operation));
        } else {
            ReadOnlyFolder read_only(target);
            if (!read_only.isSet())
                GTEST_SKIP() << "no read-only mount here (root without CAP_SYS_ADMIN)";
            report = RunBackup(Backup(root, archive, operation));
        }
        EXPECT_FALSE(report.success());
        EXPECT_FALSE(Problems(report).isEmpty());
        EXPECT_EQ(Snapshot(archive), good_archive);
        EXPECT_EQ(Snapshot(root), live);
        QDir(temp.filePath("safety")).removeRecursively();
    }
}

INSTANTIATE_TEST_SUITE_P(Troubles, FullDiskAndReadOnly, ::testing::Values(Trouble::FullDisk, Trouble::ReadOnly),
                         [](const auto& info) { return info.param == Trouble::FullDisk ? "FullDisk" : "ReadOnly"; });

}  // namespace
}  // namespace indikt
