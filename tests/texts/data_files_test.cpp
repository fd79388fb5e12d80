#include "texts/data_files.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files).size(), 1) << "a temporary file was left";
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
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files).size(), count) << "a temporary file was left";
    }
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

}  // namespace
}  // namespace indikt
