// What the reminders companion shows for a data root at a moment: the coming
// jubilees and feasts within the days "sob.ini" allows, once a day when it
// asks for that, and the events due at the minute.
#include "events/reminders.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

MemoClock At(int day, int hour, int minute) { return {FromCivil(2026, 12, day), hour * 60 + minute}; }

// 8 December 2026 is a Tuesday.
constexpr const char* kMemo =
    "Данные программы Индикт\r\n"
    "Число лет:    да\r\nДата:         10.12.1976\r\nЮбилей:       Иван\r\n"
    "Число лет:    нет\r\nДата:         01.06.1990\r\nЮбилей:       Мария\r\n"
    "Статус:       государственный\r\nПразднование: 12.12.2026\r\nПраздник:     День Конституции\r\n"
    "Статус:       иной\r\nПразднование: 11.12.2026\r\nПраздник:     Именины\r\n"
    "Действие:     true\r\nПериод:       Однократно\r\nВремя:        10:00\r\nДата события: 08.12.2026\r\nИмя события:  Звонок\r\n"
    "Действие:     true\r\nПериод:       Ежедневно\r\nВремя:        10:00\r\nДата события: 01.12.2026\r\nИмя события:  Молитва\r\n"
    "Действие:     false\r\nПериод:       Ежедневно\r\nВремя:        10:00\r\nДата события: 01.12.2026\r\nИмя события:  Выключено\r\n";

class RemindersTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"), *EncodeCp1251(QString::fromUtf8(kMemo)))); }
    void writeSob(const char* text) { ASSERT_TRUE(WriteBytes(root.filePath("sob.ini"), QByteArray(text))); }
    std::vector<ReminderMessage> show(ReminderKind kind, const MemoClock& now)
    {
        const ReminderRun run = RemindersToShow(kind, root.path(), now, state.path() + "/indikt");
        EXPECT_TRUE(run.problem.isEmpty()) << run.problem.toStdString();
        return run.messages;
    }

    QTemporaryDir root;
    QTemporaryDir state;
};

TEST_F(RemindersTest, ComingJubileesAndFeastsWithinTheDaysOfSobIni)
{
    const ReminderMessage jubilees{"Предстоящие юбилеи", {"Чт 10 дек 2026 г., через 2 дня: Иван (50 лет)"},
                                   FromCivil(2026, 12, 10)};
    const ReminderMessage all_feasts{"Предстоящие праздники",
                                     {"Пт 11 дек 2026 г., через 3 дня: Именины",
                                      "Сб 12 дек 2026 г., через 4 дня: День Конституции"},
                                     FromCivil(2026, 12, 11)};
    const ReminderMessage civil_feasts{"Предстоящие праздники", {"Сб 12 дек 2026 г., через 4 дня: День Конституции"},
                                       FromCivil(2026, 12, 12)};
    struct Case { const char* why; const char* sob; std::vector<ReminderMessage> expected; };
    const Case cases[] = {
        {"no sob.ini: seven days of both", "", {jubilees, all_feasts}},
        {"one day of jubilees, other feasts not shown",
         "[Windows]\r\nAutoSagrRasPam=0\r\n[Vid]\r\nMessageSbDni=1\r\nMesSeePrasd3=0\r\n", {civil_feasts}},
        {"jubilees off, three days of feasts", "[Windows]\r\nAutoSagrRasPam=0\r\n[Vid]\r\nMessageSb=0\r\nMessagePrDni=3\r\n",
         {{"Предстоящие праздники", {"Пт 11 дек 2026 г., через 3 дня: Именины"}, FromCivil(2026, 12, 11)}}},
        {"feasts off, days beyond what a message may hold are held to 99",
         "[Windows]\r\nAutoSagrRasPam=0\r\n[Vid]\r\nMessagePr=0\r\nMessageSbDni=100000\r\n",
         {{"Предстоящие юбилеи",
           {"Чт 10 дек 2026 г., через 2 дня: Иван (50 лет)"},
           FromCivil(2026, 12, 10)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        writeSob(c.sob);
        EXPECT_EQ(show(ReminderKind::Coming, At(8, 9, 0)), c.expected);
    }
}

TEST_F(RemindersTest, OnceADayWhenSobIniAsks)
{
    writeSob("[Windows]\r\nAutoSagrRasPam=1\r\n");
    EXPECT_EQ(show(ReminderKind::Coming, At(8, 9, 0)).size(), 2u);
    EXPECT_TRUE(show(ReminderKind::Coming, At(8, 18, 0)).empty()) << "the second start of the day shows nothing";
    EXPECT_EQ(show(ReminderKind::Coming, At(9, 9, 0)).size(), 2u) << "the next day shows them again";

    writeSob("[Windows]\r\nAutoSagrRasPam=0\r\n");
    EXPECT_EQ(show(ReminderKind::Coming, At(9, 9, 1)).size(), 2u);
    EXPECT_EQ(show(ReminderKind::Coming, At(9, 9, 2)).size(), 2u) << "every start when once a day is off";
}

TEST_F(RemindersTest, TheEventsDueAtTheMinute)
{
    const std::vector<ReminderMessage> at_ten = show(ReminderKind::Due, At(8, 10, 0));
    ASSERT_EQ(at_ten.size(), 1u);
    EXPECT_EQ(at_ten.front(),
              (ReminderMessage{"События Вт 8 дек 2026 г.", {"10:00 — Звонок", "10:00 — Молитва"}, FromCivil(2026, 12, 8)}));
    EXPECT_EQ(MessageText(at_ten.front()), "События Вт 8 дек 2026 г.:\n10:00 — Звонок\n10:00 — Молитва");
    EXPECT_TRUE(show(ReminderKind::Due, At(8, 10, 1)).empty());
    const std::vector<ReminderMessage> next_day = show(ReminderKind::Due, At(9, 10, 0));
    ASSERT_EQ(next_day.size(), 1u);
    EXPECT_EQ(next_day.front().lines, QStringList{"10:00 — Молитва"}) << "the one-time event was on the 8th only";
}

TEST(Reminders, ArgumentsAndTheStateFolder)
{
    EXPECT_EQ(ReminderKindOfArgument("jp"), ReminderKind::Coming);
    EXPECT_EQ(ReminderKindOfArgument("s"), ReminderKind::Due);
    EXPECT_EQ(ReminderKindOfArgument("S"), std::nullopt);
    EXPECT_EQ(ReminderKindOfArgument(""), std::nullopt);
    EXPECT_EQ(ReminderStateFolder("/run/state", "/home/u"), "/run/state/indikt");
    EXPECT_EQ(ReminderStateFolder("", "/home/u"), "/home/u/.local/state/indikt");
    EXPECT_EQ(ReminderStateFolder("relative", "/home/u"), "/home/u/.local/state/indikt") << "XDG: a relative path is ignored";
}

}  // namespace
}  // namespace indikt
