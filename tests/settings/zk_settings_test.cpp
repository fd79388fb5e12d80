#include "settings/zk_settings.h"
#include "file_helpers.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

const Date kToday = FromCivil(2026, 12, 8);

QByteArray Cp1251(const char* utf8) { return *EncodeCp1251(QString::fromUtf8(utf8)); }

TEST(ZkSettings, NoFileGivesDefaultsAndSavingWritesEveryKey)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ZkSettings settings = ZkSettings::Load(path, kToday);
    EXPECT_FALSE(settings.fileExisted());
    EXPECT_TRUE(settings.loadError().isEmpty());
    EXPECT_EQ(settings.number(kSectionWindows, "Ширина"), 1070);
    EXPECT_EQ(settings.number(kSectionWindows, "Высота"), 502);
    EXPECT_EQ(settings.text(kSectionWindows, "Состояние"), "wsNormal");
    EXPECT_TRUE(settings.flag(kSectionWindows, "Заставка"));
    EXPECT_EQ(settings.date(kSectionWindows, kKeyAutoStartDay), kToday);

    ASSERT_TRUE(settings.save(path, kToday).ok());
    const QByteArray bytes = ReadBytes(path);
    EXPECT_FALSE(LooksLikeUtf8(bytes)) << "written in Windows-1251";
    EXPECT_TRUE(bytes.contains(Cp1251("[Windows]\r\n")));
    EXPECT_TRUE(bytes.contains(Cp1251("\x41втоЗагрузкаДень=08.12.2026\r\n")));
    EXPECT_FALSE(bytes.contains("\n\n")) << "CR LF only";

    const ZkSettings again = ZkSettings::Load(path, kToday);
    for (const SettingDefinition& setting : ZkSchema()) {
        if (setting.key == "AutoSagrIDeskDate")
            continue;
        EXPECT_TRUE(again.file().contains(QString::fromStdString(setting.section), QString::fromStdString(setting.key)))
            << setting.section << '/' << setting.key;
    }
}

TEST(ZkSettings, ReadRulesOfEachKind)
{
    struct Case { const char* line; const char* section; const char* key; int expected; };
    const Case cases[] = {
        {"LargeIco=0", "Vid", "LargeIco", 0},
        {"LargeIco=2", "Vid", "LargeIco", 1},          // any integer other than 0 is true
        {"LargeIco=yes", "Vid", "LargeIco", 1},        // not a number: the default
        {"PanelIcoR=-1", "Vid", "PanelIcoR", 1},
        {"FirstDay=9", "Vid", "FirstDay", 1},          // an index out of range: the default
        {"FirstDay=0", "Vid", "FirstDay", 0},
        {"ExplorerZoom=500", "Vid", "ExplorerZoom", 100},
        {"ExplorerZoom=150", "Vid", "ExplorerZoom", 150},
        {"LeftPanel1=1", "Vid", "LeftPanel1", 3},       // below 3 becomes 3
        {"FontMesLSize=100000", "Vid", "FontMesLSize", 96},
        {"FontMesLSize=abc", "Vid", "FontMesLSize", 14},
        {"FontMesLColor=99999999", "Vid", "FontMesLColor", 0xFFFFFF},
        {"ProgramSvern=99999999999999999999", "Vid", "ProgramSvern", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        QTemporaryDir root;
        const QString path = root.filePath("zk.ini");
        ASSERT_TRUE(WriteBytes(path, Cp1251("[Vid]\r\n") + Cp1251(c.line) + "\r\n"));
        const ZkSettings settings = ZkSettings::Load(path, kToday);
        const bool is_flag = FindSetting(c.section, c.key)->kind == SettingKind::Bool;
        EXPECT_EQ(is_flag ? int(settings.flag(c.section, c.key)) : settings.number(c.section, c.key), c.expected);
    }
}

TEST(ZkSettings, DatesAreReadByPosition)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ASSERT_TRUE(WriteBytes(path, Cp1251("[Windows]\r\n\x41втоЗагрузкаДень=07/12/2026\r\n[Pravilo]\r\nDateEvNSav=31.02.2026\r\n")));
    const ZkSettings settings = ZkSettings::Load(path, kToday);
    EXPECT_EQ(settings.date(kSectionWindows, kKeyAutoStartDay), FromCivil(2026, 12, 7));
    EXPECT_EQ(settings.date(kSectionPravilo, "DateEvNSav"), kToday) << "no such day: today";
}

TEST(ZkSettings, ForeignSectionsCommentsAndUnknownKeysSurviveASave)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    const QByteArray original = Cp1251(
        "; настройки\r\n[Другая]\r\nКлюч=значение\r\n[Windows]\r\nСостояние=wsMaximized\r\nСвой ключ=5\r\n");
    ASSERT_TRUE(WriteBytes(path, original));
    ZkSettings settings = ZkSettings::Load(path, kToday);
    EXPECT_EQ(settings.text(kSectionWindows, "Состояние"), "wsMaximized");
    ASSERT_TRUE(settings.save(path, kToday).ok());
    const QByteArray saved = ReadBytes(path);
    EXPECT_TRUE(saved.startsWith(Cp1251("; настройки\r\n[Другая]\r\nКлюч=значение\r\n[Windows]\r\nСостояние=wsMaximized\r\nСвой ключ=5\r\n")))
        << saved.left(200).toStdString();
}

TEST(ZkSettings, Utf8FileIsReadAndWrittenBackInCp1251)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ASSERT_TRUE(WriteBytes(path, QString::fromUtf8("[Vid]\r\nFontMesLName=Шрифт\r\n").toUtf8()));
    ZkSettings settings = ZkSettings::Load(path, kToday);
    EXPECT_EQ(settings.text(kSectionVid, "FontMesLName"), "Шрифт");
    ASSERT_TRUE(settings.save(path, kToday).ok());
    EXPECT_TRUE(ReadBytes(path).contains(Cp1251("FontMesLName=Шрифт\r\n")));
}

TEST(ZkSettings, ColourRepairWhenTheThreeBackgroundsAreBlack)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ASSERT_TRUE(WriteBytes(path, "[Calendar]\r\nColorPrasd1=0\r\nColorJubil=0\r\nColorVos=0\r\nColorVD=1\r\n"));
    ZkSettings settings = ZkSettings::Load(path, kToday);
    EXPECT_TRUE(settings.repairCalendarColours());
    EXPECT_EQ(settings.colour(kSectionCalendar, "ColorJubil"), 0xF0CAA6);
    EXPECT_EQ(settings.colour(kSectionCalendar, "ColorFontPrasd2"), 0xFFFFFF);
    EXPECT_EQ(settings.colour(kSectionCalendar, "ColorVD"), 0x808000);
    EXPECT_FALSE(settings.repairCalendarColours()) << "repaired colours are not black";

    ZkSettings defaults(kToday);
    EXPECT_FALSE(defaults.repairCalendarColours());
    EXPECT_EQ(defaults.colour(kSectionCalendar, "ColorJubil"), 0xFF00FF);
}

TEST(ZkSettings, SwitchedOffReadingIsWrittenAtRest)
{
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ASSERT_TRUE(WriteBytes(path, "[Pravilo]\r\nCheckBoxPsalm=0\r\nIsklPsalm3=1\r\nSpinEditRasPsalm=5\r\nSpinEditStartPsalm=7\r\n"
                                 "CheckBoxEvNSav=1\r\nIsklEvNSav3=1\r\nSpinEditRasEvNSav=5\r\n"));
    ZkSettings settings = ZkSettings::Load(path, kToday);
    ASSERT_TRUE(settings.save(path, kToday).ok());
    const ZkSettings saved = ZkSettings::Load(path, kToday);
    EXPECT_FALSE(saved.flag(kSectionPravilo, "IsklPsalm3"));
    EXPECT_EQ(saved.number(kSectionPravilo, "SpinEditRasPsalm"), 1);
    EXPECT_EQ(saved.number(kSectionPravilo, "SpinEditStartPsalm"), 1);
    EXPECT_TRUE(saved.flag(kSectionPravilo, "IsklEvNSav3")) << "a reading that is on keeps its values";
    EXPECT_EQ(saved.number(kSectionPravilo, "SpinEditRasEvNSav"), 5);
}

TEST(ZkSettings, BrokenFilesGiveDefaults)
{
    struct Case { const char* why; QByteArray bytes; };
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) & 0xFF);
    const Case cases[] = {
        {"binary garbage", garbage},
        {"50 MB of text", QByteArray(50 * 1024 * 1024, 'x')},
        {"an empty file", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        QTemporaryDir root;
        const QString path = root.filePath("zk.ini");
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        const ZkSettings settings = ZkSettings::Load(path, kToday);
        EXPECT_EQ(settings.number(kSectionWindows, "Ширина"), 1070);
        EXPECT_TRUE(settings.flag(kSectionVid, "Post"));
    }
}

TEST(ZkSettings, FailedSaveIsReported)
{
    // A folder standing where the file should be: no save can replace it,
    // whoever runs the test.
    QTemporaryDir root;
    const QString path = root.filePath("zk.ini");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    ZkSettings settings = ZkSettings::Load(path, kToday);
    const WriteResult result = settings.save(path, kToday);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QDir(path + "/inside").exists());
}

TEST(ZkSettings, ValuesTheCodePageCannotHoldAreRefused)
{
    ZkSettings settings(kToday);
    EXPECT_FALSE(settings.setText(kSectionVid, "FontMesLName", QString::fromUtf8("Шрифт ✓")));
    EXPECT_EQ(settings.text(kSectionVid, "FontMesLName"), "Times New Roman");
    EXPECT_TRUE(settings.setText(kSectionVid, "FontMesLName", "Liberation\r\nSerif"));
    EXPECT_FALSE(settings.text(kSectionVid, "FontMesLName").contains('\n'));
}

}  // namespace
}  // namespace indikt
