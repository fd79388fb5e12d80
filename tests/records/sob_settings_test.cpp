#include "records/sob_settings.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

IniFile Parse(const char* text) { return IniFile::parse(QByteArray(text)); }

TEST(SobSettings, ReadingRules)
{
    struct Case {
        const char* what;
        const char* file;
        SobSettings expected;
    };
    const Case cases[] = {
        {"no file: the defaults", "", {}},
        {"flags are numbers other than 0",
         "[Windows]\r\nAutoSagrRasPam=0\r\nOpWin=5\r\n[Vid]\r\nMesSeePrasd2=0\r\nMesSeePrasd3=yes\r\n",
         {.once_a_day = false, .with_system = true, .civil = false}},
        {"days are held to 0..99", "[Vid]\r\nMessagePrDni=150\r\nMessageSbDni=-3\r\n",
         {.feast_days = 99, .jubilee_days = 0}},
        {"days are read only when their messages are on",
         "[Vid]\r\nMessagePr=0\r\nMessagePrDni=3\r\nMessageSb=1\r\nMessageSbDni=12\r\n",
         {.feast_messages = false, .feast_days = 7, .jubilee_days = 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadSobSettings(Parse(c.file)), c.expected);
    }
}

TEST(SobSettings, WritesEveryKeyAndKeepsTheRest)
{
    IniFile file = Parse("[Other]\r\nKeep=1\r\n");
    const SobSettings settings{.once_a_day = false, .with_system = true, .feast_messages = true, .feast_days = 3,
                               .jubilee_messages = false, .jubilee_days = 14, .church = true, .civil = false,
                               .other = true};
    WriteSobSettings(file, settings);
    EXPECT_EQ(file.value(u"Other", u"Keep"), "1");
    EXPECT_EQ(file.value(u"Windows", u"AutoSagrRasPam"), "0");
    EXPECT_EQ(file.value(u"Vid", u"MessageSbDni"), "14");
    SobSettings expected = settings;
    expected.jubilee_days = SobSettings{}.jubilee_days;  // not read while its messages are off
    EXPECT_EQ(ReadSobSettings(IniFile::parse(file.toBytes())), expected);
}

}  // namespace
}  // namespace indikt
