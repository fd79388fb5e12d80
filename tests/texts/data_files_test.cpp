#include "texts/data_files.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace indikt {
namespace {

QByteArray Cp1251(const QString& text)
{
    return EncodeCp1251(text).value();
}

TEST(DataPath, JoinsTheRootAndATreePath)
{
    EXPECT_EQ(DataPath(u"/opt/Индикт данные/", u"Жития святых\\Святцы\\янв01.htm"),
              u"/opt/Индикт данные/Жития святых/Святцы/янв01.htm");
    EXPECT_EQ(DataPath(u"/opt/data", u"zk.ini"), u"/opt/data/zk.ini");
}

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // A file in a folder whose name holds blanks and Cyrillic letters.
    QString file(const QByteArray& bytes)
    {
        const QString folder = dir.filePath(QStringLiteral("Мои данные"));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/запись %1.txt").arg(++count);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    QTemporaryDir dir;
    int count = 0;
};

TEST_F(DataFiles, SingleLineIsTheFirstLineTrimmed)
{
    struct Case { const char* what; QByteArray bytes; QString line; };
    const Case cases[] = {
        {"Windows-1251", Cp1251("  Рождество Христово \t\r\nвторая\r\n"), "Рождество Христово"},
        {"re-saved as UTF-8", QStringLiteral(" Рождество Христово\nвторая").toUtf8(), "Рождество Христово"},
        {"CR line ends", Cp1251("Сретение\rвторая"), "Сретение"},
        {"no line end", Cp1251("Покров"), "Покров"},
        {"first line blank", Cp1251("\r\nвторая"), ""},
        {"empty", "", ""},
        {"binary", Cp1251("Икона") + QByteArray("\0\x01\x02", 3), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadSingleLine(file(c.bytes)), c.line);
    }
}

TEST_F(DataFiles, RecordHasThreeFieldsAndFoldsTheRestIntoTheThird)
{
    struct Case { const char* what; QByteArray bytes; DataRecord record; };
    const Case cases[] = {
        {"one line", Cp1251("Свт. Николай\r\n"), {"Свт. Николай", "", ""}},
        {"one line without a line end", Cp1251("Свт. Николай"), {"Свт. Николай", "", ""}},
        {"three lines", Cp1251(" a \r\n b \r\n c \r\n"), {"a", "b", "c"}},
        {"further lines, empty ones vanish", Cp1251("a\r\nb\r\nc\r\n\r\n d \r\n  \r\n\r\ne\r\n\r\n"),
         {"a", "b", "c\r\nd\r\ne"}},
        {"LF line ends", Cp1251("a\nb\nc\nd\n"), {"a", "b", "c\r\nd"}},
        {"empty second line", Cp1251("a\r\n\r\nc"), {"a", "", "c"}},
        {"truncated UTF-8", QStringLiteral("Имя\nвторая\nтретья").toUtf8().chopped(1), {"Имя", "вторая", "треть"}},
        {"empty", "", {}},
        {"binary", QByteArray("a\r\n\0b\r\nc", 8), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DataRecord record = ReadRecord(file(c.bytes));
        EXPECT_EQ(record.first, c.record.first);
        EXPECT_EQ(record.second, c.record.second);
        EXPECT_EQ(record.third, c.record.third);
    }
}

TEST_F(DataFiles, WhatCannotBeReadGivesAnEmptyText)
{
    const QString oversized = file(QByteArray(kMaxDataFileBytes + 1, 'a'));
    const QString folder = dir.filePath(QStringLiteral("папка"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString missing = dir.filePath(QStringLiteral("нет.txt"));
    for (const QString& path : {oversized, folder, missing, QString()}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(ReadSingleLine(path), QString());
        EXPECT_EQ(ReadRecord(path), DataRecord{});
        EXPECT_EQ(PagePath(path), QString());
        EXPECT_FALSE(ReadFileBytes(path, kMaxDataFileBytes).has_value());
    }
    EXPECT_FALSE(ReadFileBytes(file("12345"), 4).has_value());
    EXPECT_EQ(ReadFileBytes(file("1234"), 4), QByteArray("1234"));
    // Read in pieces: a file larger than one piece comes whole, and one whose
    // size the system gives as 0 is still read, and still held to the cap.
    const QByteArray large(3 * 1024 * 1024 + 7, 'l');
    EXPECT_EQ(ReadFileBytes(file(large), 4 * 1024 * 1024), large);
    EXPECT_FALSE(ReadFileBytes(file(large), large.size() - 1).has_value());
    const std::optional<QByteArray> status = ReadFileBytes("/proc/self/status", 1024 * 1024);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->startsWith("Name:"));
    EXPECT_FALSE(ReadFileBytes("/proc/self/status", 4).has_value());
}

TEST_F(DataFiles, PagePathIsTheFullPathOfAnExistingPage)
{
    const QString page = file("<html></html>");
    EXPECT_EQ(PagePath(page), page);
}

TEST_F(DataFiles, AtomicWriteReplacesTheFile)
{
    const QString path = file("old");
    ASSERT_TRUE(WriteFileAtomically(path, "new contents").ok());
    EXPECT_EQ(ReadBytes(path), QByteArray("new contents"));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a temporary file was left";
}

TEST_F(DataFiles, FailedWritesSayWhy)
{
    const QString plain_file = file("x");
    const QString folder = dir.filePath(QStringLiteral("папка"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString targets[] = {
        dir.filePath(QStringLiteral("нет такой папки/zk.ini")),
        plain_file + QStringLiteral("/zk.ini"),
        folder,
    };
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        const WriteResult result = WriteFileAtomically(target, "data");
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(target));
    }
    EXPECT_EQ(ReadBytes(plain_file), QByteArray("x"));
}

TEST_F(DataFiles, AWriteThatFailsHalfwayLeavesTheOldFile)
{
    // Large writes go past Qt's buffer; small ones through it, where a short
    // write used to be lost on flush.
    for (const qsizetype size : {qsizetype(64 * 1024), qsizetype(300)}) {
        SCOPED_TRACE(size);
        const QString path = file("old contents");
        {
            FileSizeLimit limit(size / 16);
            ASSERT_TRUE(limit.isSet());
            EXPECT_FALSE(WriteFileAtomically(path, QByteArray(size, 'n')).ok());
        }
        EXPECT_EQ(ReadBytes(path), QByteArray("old contents"));
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), count) << "a temporary file was left";
    }
}

// A file written piece by piece: the old one stays until the commit, and a
// writer given up, or one whose write failed, leaves it and no temporary.
TEST_F(DataFiles, AStreamedWriteTakesThePlaceOfTheFileOnlyWhenCommitted)
{
    enum class End { Commit, Discard, Destroy, FullDisk };
    struct Case { End end; const char* contents_after; bool ok; };
    const Case cases[] = {
        {End::Commit, "part one, part two", true},
        {End::Discard, "old contents", false},
        {End::Destroy, "old contents", false},
        {End::FullDisk, "old contents", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.end));
        const QString path = file("old contents");
        const QString folder = QFileInfo(path).path();
        bool ok = false;
        {
            AtomicFileWriter writer(path);
            ASSERT_TRUE(writer.begin()) << writer.failure().toStdString();
            EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), count + 1);
            if (c.end == End::FullDisk) {
                FileSizeLimit limit(8);
                ASSERT_TRUE(limit.isSet());
                EXPECT_EQ(writer.write(QByteArray(4096, 'n')), -1);
                const WriteResult result = writer.commit();
                EXPECT_TRUE(result.error.contains(path)) << result.error.toStdString();
                ok = result.ok();
            } else {
                writer.write("part one, ");
                writer.write("part two");
                EXPECT_EQ(ReadBytes(path), QByteArray("old contents"));
                if (c.end == End::Commit)
                    ok = writer.commit().ok();
                else if (c.end == End::Discard)
                    writer.discard();
            }
        }
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(ReadBytes(path), QByteArray(c.contents_after));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), count) << "a temporary file was left";
    }
    AtomicFileWriter nowhere(dir.filePath(QStringLiteral("нет такой папки/отчет.txt")));
    EXPECT_FALSE(nowhere.begin());
    EXPECT_TRUE(nowhere.failure().contains(QStringLiteral("нет такой папки"))) << nowhere.failure().toStdString();
    EXPECT_FALSE(nowhere.commit().ok());
}

TEST_F(DataFiles, AWriteIntoAnUnwritableFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QString path = file("old contents");
    const QString folder = QFileInfo(path).path();
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const WriteResult result = WriteFileAtomically(path, "new");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ReadBytes(path), QByteArray("old contents"));
}

TEST_F(DataFiles, SavesGoOnlyToRegularFiles)
{
    // What stands where the file is to be saved, and whether the save may
    // write there. A link is written through at its target and stays a link.
    const QString folder = dir.filePath(QStringLiteral("корень"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/папка")));
    const QString regular = folder + QStringLiteral("/обычный.txt");
    ASSERT_TRUE(WriteBytes(regular, "old"));
    const QString fifo = folder + QStringLiteral("/канал");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto link = [&](const QString& name, const QString& target) {
        const QString path = folder + u'/' + name;
        EXPECT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
        return path;
    };
    struct Case { const char* what; QString path; bool written; };
    const Case cases[] = {
        {"a regular file", regular, true},
        {"a new file", folder + QStringLiteral("/новый.txt"), true},
        {"a link to a regular file", link(QStringLiteral("ссылка"), regular), true},
        {"a FIFO", fifo, false},
        {"a link to a FIFO", link(QStringLiteral("на канал"), fifo), false},
        {"a folder", folder + QStringLiteral("/папка"), false},
        {"a link to a folder", link(QStringLiteral("на папку"), folder + QStringLiteral("/папка")), false},
        {"a dangling link", link(QStringLiteral("висячая"), folder + QStringLiteral("/нет")), false},
        {"a loop", link(QStringLiteral("петля"), folder + QStringLiteral("/петля")), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WriteResult result = WriteFileAtomically(c.path, "saved");
        EXPECT_EQ(result.ok(), c.written) << result.error.toStdString();
        if (!c.written) {
            EXPECT_TRUE(result.error.contains(c.path));
        }
    }
    EXPECT_EQ(ReadBytes(regular), QByteArray("saved"));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/ссылка")).isSymLink()) << "the link stays a link";
    EXPECT_EQ(QFileInfo(fifo).isFile(), false) << "the FIFO is still a FIFO";
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/нет"))) << "a dangling link created its target";
    // A device is refused before anything is written (not tried for real: the
    // test may run as root).
    QString error;
    EXPECT_TRUE(WritableTarget(link(QStringLiteral("устройство"), "/dev/null"), &error).isEmpty());
    EXPECT_TRUE(WritableTarget("/dev/null", &error).isEmpty());
    EXPECT_TRUE(error.contains("/dev/null"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter("indikt-tmp").size(), 0);
}

TEST_F(DataFiles, ASaveKeepsThePermissionsOfTheFile)
{
    const QString path = file("old");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(DataFiles, AFullDiskIsNamedInRussian)
{
    const QString path = file("old contents");
    FileSizeLimit limit(4);
    ASSERT_TRUE(limit.isSet());
    const WriteResult result = WriteFileAtomically(path, QByteArray(1000, 'n'));
    EXPECT_TRUE(result.error.contains(QStringLiteral("превышен допустимый размер файла"))) << result.error.toStdString();
    EXPECT_FALSE(result.error.contains("Unknown"));
    EXPECT_EQ(SystemErrorText(ENOSPC), QStringLiteral("недостаточно места на диске"));
}

TEST_F(DataFiles, TemporaryFilesOfDeadWritersAreRemoved)
{
    const QString folder = QFileInfo(file("x")).path();
    // 999999999 is above any process number the kernel hands out.
    const QString stale = folder + QStringLiteral("/.zk.ini.999999999.3.indikt-tmp");
    const QString own = folder + QStringLiteral("/.zk.ini.%1.0.indikt-tmp").arg(::getpid());
    const QString other = folder + QStringLiteral("/.zk.ini.tmp");
    for (const QString& path : {stale, own, other})
        ASSERT_TRUE(WriteBytes(path, "half"));
    EXPECT_EQ(RemoveStaleTemporaryFiles(folder), 1);
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(own)) << "a save in progress was removed";
    EXPECT_TRUE(QFileInfo::exists(other));
}

TEST_F(DataFiles, AStampTellsAChangeOfContentOfTheSameSizeAndTime)
{
    const QString path = file("first");
    const FileStamp before = StampOfFile(path);
    const QDateTime time = QFileInfo(path).lastModified();
    ASSERT_TRUE(WriteBytes(path, "other"));
    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(time, QFileDevice::FileModificationTime));
    touched.close();
    const FileStamp after = StampOfFile(path);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modified_ms, before.modified_ms);
    EXPECT_NE(after, before);
    EXPECT_EQ(StampOfFile(path), after);
    EXPECT_FALSE(StampOfFile(path + "нет").exists);
}

TEST_F(DataFiles, DamagedFilesAreKeptUnderNumberedNames)
{
    const QString path = file("x");
    QString error;
    EXPECT_EQ(KeepDamagedCopy(path, "first", &error), path + ".bad");
    EXPECT_EQ(KeepDamagedCopy(path, "first", &error), path + ".bad") << "the same damage is kept once";
    EXPECT_EQ(KeepDamagedCopy(path, "second", &error), path + ".bad2");
    EXPECT_EQ(ReadBytes(path + ".bad"), QByteArray("first"));
    EXPECT_EQ(ReadBytes(path + ".bad2"), QByteArray("second"));
}

}  // namespace
}  // namespace indikt
