#include "texts/ini_file.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace indikt {
namespace {

QByteArray Cp1251(const QString& text)
{
    return EncodeCp1251(text).value();
}

// Latin A followed by Cyrillic letters, as the real key is spelt.
const QString kAutoStart = QStringLiteral("A") + QStringLiteral("втоЗагрузка");

TEST(IniFile, KeepsWhatItDoesNotKnowAndAddsInPlace)
{
    const QString before = QStringLiteral(
        "; настройки\r\n"
        "[Windows]\r\n"
        "Состояние=wsMaximized\r\n"
        "Ширина = 1070 \r\n"
        "; не трогать\r\n"
        "\r\n"
        "[ЧужаяПрограмма]\r\n"
        "Ключ=Значение\r\n"
        "строка без знака равенства\r\n"
        "\r\n"
        "[Vid]\r\n"
        "; пусто\r\n"
        "\r\n");
    IniFile ini = IniFile::parse(Cp1251(before));
    EXPECT_EQ(ini.value(u"Windows", u"Ширина"), u"1070");
    ASSERT_TRUE(ini.setValue(u"Windows", u"Состояние", u"wsNormal"));
    ASSERT_TRUE(ini.setValue(u"Windows", u"Высота", u"502"));
    ASSERT_TRUE(ini.setValue(u"Vid", u"Цвет", u"16777215"));
    ASSERT_TRUE(ini.setValue(u"Pravilo", u"PraviloSeeLec", u"1"));
    const QString after = QStringLiteral(
        "; настройки\r\n"
        "[Windows]\r\n"
        "Состояние=wsNormal\r\n"
        "Ширина = 1070 \r\n"
        "Высота=502\r\n"
        "; не трогать\r\n"
        "\r\n"
        "[ЧужаяПрограмма]\r\n"
        "Ключ=Значение\r\n"
        "строка без знака равенства\r\n"
        "\r\n"
        "[Vid]\r\n"
        "; пусто\r\n"
        "Цвет=16777215\r\n"
        "\r\n"
        "[Pravilo]\r\n"
        "PraviloSeeLec=1\r\n");
    EXPECT_EQ(DecodeCp1251(ini.toBytes()), after);
    EXPECT_EQ(ini.sectionNames(), QStringList({"Windows", "ЧужаяПрограмма", "Vid", "Pravilo"}));
    EXPECT_EQ(ini.keyNames(u"Windows"), QStringList({"Состояние", "Ширина", "Высота"}));
}

TEST(IniFile, NamesMatchWithoutRegardToCase)
{
    IniFile ini = IniFile::parse(Cp1251(
        "[Windows]\r\nСостояние=wsNormal\r\n" + kAutoStart + "=1\r\nсостояние=второй\r\n[windows]\r\nX=1\r\n"));
    struct Case { QString section, key; std::optional<QString> value; };
    const Case cases[] = {
        {"windows", "СОСТОЯНИЕ", "wsNormal"},     // the first key of a name counts
        {" Windows ", "состояние", "wsNormal"},
        {"Windows", kAutoStart.toUpper(), "1"},
        {"Windows", QStringLiteral("АвтоЗагрузка"), std::nullopt},  // Cyrillic А: another key
        {"Windows", "X", std::nullopt},           // only the first section of a name counts
        {"Vid", "Состояние", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.section + "/" + c.key).toStdString());
        EXPECT_EQ(ini.value(c.section, c.key), c.value);
    }
    ASSERT_TRUE(ini.setValue(u"WINDOWS", u"состояние", u"wsMaximized"));
    EXPECT_EQ(DecodeCp1251(ini.toBytes()),
              "[Windows]\r\nСостояние=wsMaximized\r\n" + kAutoStart + "=1\r\nсостояние=второй\r\n[windows]\r\nX=1\r\n");
}

TEST(IniFile, ValuesReadBackAsTheyWereSet)
{
    const QString values[] = {
        " Индикт ", "\"в кавычках\"", "'одинарных'", "a=b;c", "", "\"", "C:\\\\путь\\", "wsNormal",
    };
    IniFile ini;
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(ini.setValue(u"Windows", u"Ключ", value));
        const IniFile reread = IniFile::parse(ini.toBytes());
        EXPECT_EQ(reread.value(u"Windows", u"Ключ"), value);
    }
    // Windows removes a pair of enclosing quotes when it reads a value.
    EXPECT_EQ(IniFile::parse("[S]\r\nk= \"x y\" \r\n").value(u"S", u"k"), u"x y");
}

TEST(IniFile, LineBreaksInAValueCannotMakeNewLines)
{
    IniFile ini;
    ASSERT_TRUE(ini.setValue(u"Backup", u"Папка", u"/home/a\r\n[Windows]\r\nOneCopy=1\n"));
    const IniFile reread = IniFile::parse(ini.toBytes());
    EXPECT_EQ(reread.sectionNames(), QStringList({"Backup"}));
    EXPECT_EQ(reread.value(u"Backup", u"Папка"), u"/home/a  [Windows]  OneCopy=1 ");
    EXPECT_FALSE(reread.contains(u"Windows", u"OneCopy"));
}

TEST(IniFile, RefusesWhatTheFileCannotHold)
{
    struct Case { const char* what; QString section, key, value; };
    const Case cases[] = {
        {"value outside the code page", "Windows", "Имя", "Straße"},
        {"key outside the code page", "Windows", "ключ→", "1"},
        {"section outside the code page", "Ωmega", "k", "1"},
        {"key with an equals sign", "Windows", "a=b", "1"},
        {"key that reads as a section", "Windows", "[x", "1"},
        {"key that reads as a comment", "Windows", ";x", "1"},
        {"empty key", "Windows", " ", "1"},
        {"section with a bracket", "a]b", "k", "1"},
        {"empty section", "", "k", "1"},
        {"line break in a key", "Windows", "a\nb", "1"},
    };
    const QByteArray bytes = Cp1251("[Windows]\r\nИмя=старое\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IniFile ini = IniFile::parse(bytes);
        EXPECT_FALSE(ini.setValue(c.section, c.key, c.value));
        EXPECT_EQ(ini.toBytes(), bytes);
    }
}

TEST(IniFile, AFileReSavedAsUtf8IsReadAndWrittenBackInWindows1251)
{
    const QString text = "; комментарий\r\n[Windows]\r\n" + kAutoStart + "=1\r\nНомерЗагрузки=3\r\n";
    IniFile ini = IniFile::parse(text.toUtf8());
    EXPECT_EQ(ini.value(u"Windows", kAutoStart), u"1");
    EXPECT_EQ(ini.value(u"Windows", u"НомерЗагрузки"), u"3");
    EXPECT_EQ(ini.toBytes(), Cp1251(text));
}

TEST(IniFile, AUtf8LineTheCodePageCannotHoldKeepsTheFileInUtf8)
{
    const QString text = QStringLiteral("; Grüße\r\n[Windows]\r\nНомерЗагрузки=3\r\n");
    IniFile ini = IniFile::parse(text.toUtf8());
    ASSERT_TRUE(ini.setValue(u"Windows", u"НомерЗагрузки", u"1"));
    const IniFile reread = IniFile::parse(ini.toBytes());
    EXPECT_EQ(reread.value(u"Windows", u"НомерЗагрузки"), u"1");
    EXPECT_EQ(DecodeFileText(ini.toBytes()), QStringLiteral("; Grüße\r\n[Windows]\r\nНомерЗагрузки=1\r\n"));
}

class IniFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.filePath(QStringLiteral("zk.ini")); }
    QTemporaryDir dir;
};

TEST_F(IniFiles, AMissingFileIsEmptyAndNoError)
{
    const IniReadResult read = ReadIniFile(path());
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_TRUE(read.file.isEmpty());
}

TEST_F(IniFiles, SavesAndReadsBack)
{
    IniFile ini;
    ASSERT_TRUE(ini.setValue(u"Windows", kAutoStart, u"1"));
    ASSERT_TRUE(ini.setValue(u"Windows", u"Состояние", u"wsNormal"));
    ASSERT_TRUE(SaveIniFile(ini, path()).ok());
    EXPECT_EQ(ReadBytes(path()), Cp1251("[Windows]\r\n" + kAutoStart + "=1\r\nСостояние=wsNormal\r\n"));
    const IniReadResult read = ReadIniFile(path());
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.file.value(u"Windows", u"Состояние"), u"wsNormal");
}

TEST_F(IniFiles, ADamagedFileIsReadAsFarAsItCanBeAndKept)
{
    // A NUL byte spoils its own line only; a file over the cap is read up to
    // it. Either way the file as found is kept as ".bad" before any save.
    QByteArray with_nul = Cp1251("[Windows]\r\nНомерЗагрузки=3\r\nOne");
    with_nul += QByteArray("Co\0py=1\r\n", 9);
    with_nul += Cp1251("[Pravilo]\r\nEvangelie=12\r\n");
    QByteArray oversize = Cp1251("[Windows]\r\nНомерЗагрузки=3\r\n");
    oversize += QByteArray(2 * kMaxIniFileBytes, '=');
    QRandomGenerator random(7);
    QByteArray binary(64 * 1024, Qt::Uninitialized);
    for (char& byte : binary)
        byte = char(random.bounded(256));
    binary.prepend(Cp1251("[Windows]\r\nНомерЗагрузки=3\r\n"));

    struct Case { const char* what; QByteArray bytes; const char* also_read; };
    const Case cases[] = {
        {"a NUL byte in one line", with_nul, "Evangelie"},
        {"over the cap", oversize, nullptr},
        {"binary after a good start", binary, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path() + ".bad");
        ASSERT_TRUE(WriteBytes(path(), c.bytes));
        const IniReadResult read = ReadIniFile(path());
        EXPECT_TRUE(read.damaged);
        EXPECT_TRUE(read.error.contains("zk.ini.bad")) << read.error.toStdString();
        EXPECT_EQ(read.file.value(u"Windows", u"НомерЗагрузки"), u"3");
        if (c.also_read) {
            EXPECT_EQ(read.file.value(u"Pravilo", QString::fromUtf8(c.also_read)), u"12");
        }
        EXPECT_EQ(read.kept_copy, path() + ".bad");
        EXPECT_EQ(ReadBytes(path() + ".bad"), c.bytes);
    }
}

TEST_F(IniFiles, WhatIsNotAFileIsNotRead)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    const IniReadResult fifo = ReadIniFile(path());
    EXPECT_FALSE(fifo.error.isEmpty());
    EXPECT_TRUE(fifo.file.isEmpty());
    QFile::remove(path());
    ASSERT_TRUE(QFile::link(path() + "-нет", path()));
    EXPECT_FALSE(ReadIniFile(path()).error.isEmpty()) << "a dangling link is not an absent file";
}

TEST_F(IniFiles, TextGarbageIsKeptByteForByte)
{
    QRandomGenerator random(11);
    QByteArray bytes(256 * 1024, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(1, 256));
    // Only the line ends change on writing: every line ends in CR LF.
    bytes.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    if (!bytes.endsWith("\r\n"))
        bytes += "\r\n";
    ASSERT_TRUE(WriteBytes(path(), bytes));
    IniReadResult read = ReadIniFile(path());
    ASSERT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.file.toBytes(), bytes);
    ASSERT_TRUE(read.file.setValue(u"Windows", u"OneCopy", u"1"));
    EXPECT_EQ(IniFile::parse(read.file.toBytes()).value(u"Windows", u"OneCopy"), u"1");
}

TEST_F(IniFiles, AFailedSaveLeavesTheOldFile)
{
    const QByteArray old = Cp1251("[Windows]\r\nНомерЗагрузки=3\r\n");
    ASSERT_TRUE(WriteBytes(path(), old));
    IniFile ini = ReadIniFile(path()).file;
    ASSERT_TRUE(ini.setValue(u"Windows", u"Длинный", QString(64 * 1024, u'x')));
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.isSet());
        const WriteResult result = SaveIniFile(ini, path());
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_EQ(ReadBytes(path()), old);
}

TEST_F(IniFiles, SavingIntoAnUnwritableFolderFails)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QByteArray old = Cp1251("[Windows]\r\nНомерЗагрузки=3\r\n");
    ASSERT_TRUE(WriteBytes(path(), old));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const WriteResult result = SaveIniFile(IniFile(), path());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ReadBytes(path()), old);
}

}  // namespace
}  // namespace indikt
