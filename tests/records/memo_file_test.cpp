#include "records/memo_file.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const MemoClock kClock{D(2025, 3, 1), 10 * 60};

// A file as the program writes it: one row of each kind and a movable feast.
const char* const kFile =
    "Данные программы Индикт\r\n"
    "Юбилеи от 01.03.2025\r\n"
    "\r\n"
    "По Пасхе:     \r\n"
    "Дата:         29.02.2000\r\n"
    "Число лет:    да\r\n"
    "Юбилей:       Венчание\r\n"
    "По Пасхе:     -2\r\n"
    "Дата:         21.04.1995\r\n"
    "Число лет:    \r\n"
    "Юбилей:       Память\r\n"
    "\r\n"
    "Праздники от 01.03.2025\r\n"
    "\r\n"
    "Вид:          не переходящий\r\n"
    "Статус:       православный\r\n"
    "От Пасхи:     121\r\n"
    "Празднование: 06.08.2025\r\n"
    "Праздник:     Преображение\r\n"
    "Вид:          переходящий\r\n"
    "Статус:       иной\r\n"
    "От Пасхи:     49\r\n"
    "Празднование: 08.06.2025\r\n"
    "Праздник:     Троица дома\r\n"
    "\r\n"
    "События от 01.03.2025\r\n"
    "\r\n"
    "Действие:     true\r\n"
    "Период:       Ежедневно\r\n"
    "Время:        08:00\r\n"
    "Дата события: 02.03.2025\r\n"
    "Имя события:  Правило\r\n";

QByteArray Cp1251(const char* utf8) { return *EncodeCp1251(QString::fromUtf8(utf8)); }

TEST(MemoFile, ReadsWhatItWritesByteForByte)
{
    const MemoReadResult read = ParseMemoText(QString::fromUtf8(kFile), kClock);
    EXPECT_TRUE(read.ours);
    EXPECT_EQ(read.damaged, 0);
    ASSERT_EQ(read.lists.jubilees.size(), 2u);
    ASSERT_EQ(read.lists.feasts.size(), 2u);
    ASSERT_EQ(read.lists.events.size(), 1u);

    const YubRecord& memory = read.lists.jubilees[1];
    EXPECT_EQ(memory.name, "Память");
    EXPECT_EQ(memory.pascha_offset, -2);
    EXPECT_FALSE(memory.show_years);
    EXPECT_EQ(Fields(memory.occurrence), (CivilFields{2025, 4, 18}));

    const PrasdRecord& transfiguration = read.lists.feasts[0];
    EXPECT_EQ(Fields(transfiguration.occurrence), (CivilFields{2025, 8, 19}));
    EXPECT_EQ(FeastColumns(transfiguration),
              (QStringList{"19.08.2025", "Преображение", "171", "не переходящий", "православный", "121"}));
    EXPECT_EQ(Fields(read.lists.feasts[1].occurrence), (CivilFields{2025, 6, 8}));

    EXPECT_EQ(MemoFileBytes(read.lists, kClock), Cp1251(kFile));
}

TEST(MemoFile, OlderLabelsAndStrippedBlanks)
{
    const char* const older =
        "Данные программы\r\n"
        "Дата:         01.05.1980\r\n"
        "Число лет:\r\n"               // an editor dropped the blanks
        "Юбилеи:       Первый\r\n"
        "Дата:         02.05.1980\r\n"
        "Событие:      Второй\n"        // LF only
        "Празднование: 09.05.2025\r\n"  // no kind and no status: fixed, "иной"
        "Праздник:     Победа\r\n";
    const MemoReadResult read = ParseMemoText(QString::fromUtf8(older), kClock);
    EXPECT_EQ(read.damaged, 0);
    ASSERT_EQ(read.lists.jubilees.size(), 2u);
    EXPECT_EQ(read.lists.jubilees[0].name, "Первый");
    EXPECT_FALSE(read.lists.jubilees[0].show_years);
    EXPECT_EQ(read.lists.jubilees[1].name, "Второй");
    ASSERT_EQ(read.lists.feasts.size(), 1u);
    EXPECT_EQ(read.lists.feasts[0].status, FeastStatus::Other);
    EXPECT_FALSE(read.lists.feasts[0].movable);
    EXPECT_EQ(Fields(read.lists.feasts[0].occurrence), (CivilFields{2025, 5, 9}));
}

TEST(MemoFile, WithoutTheHeaderChurchDatesAreCivil)
{
    const char* const foreign =
        "Статус:       православный\r\n"
        "Празднование: 19.08.2020\r\n"
        "Праздник:     Преображение\r\n";
    const MemoReadResult read = ParseMemoText(QString::fromUtf8(foreign), kClock);
    EXPECT_FALSE(read.ours);
    ASSERT_EQ(read.lists.feasts.size(), 1u);
    EXPECT_EQ(Fields(read.lists.feasts[0].occurrence), (CivilFields{2025, 8, 19}));
}

TEST(MemoFile, DamageIsCountedAndTheRestLoads)
{
    struct Case {
        const char* what;
        const char* text;
        std::size_t jubilees;
        std::size_t events;
        int damaged;
    };
    const Case cases[] = {
        {"a stray line", "Данные программы\r\nчто-то не то\r\nДата:         01.05.1980\r\nЮбилей:       А\r\n", 1, 0, 1},
        {"an unreadable date takes the day before today",
         "Данные программы\r\nДата:         1.5.1980\r\nЮбилей:       А\r\n", 1, 0, 1},
        {"an unreadable offset", "Данные программы\r\nПо Пасхе:     abc\r\nДата:         01.05.1980\r\nЮбилей:       А\r\n",
         1, 0, 1},
        {"an unreadable time",
         "Данные программы\r\nПериод:       Ежедневно\r\nВремя:        25:00\r\nДата события: 01.03.2025\r\n"
         "Имя события:  Б\r\n",
         0, 1, 1},
        {"a record cut off", "Данные программы\r\nДата:         01.05.1980\r\nЮбилей:       А\r\nДата:         02.0", 1,
         0, 2},
        {"binary noise", "Данные программы\r\n\x01\x02\x03\r\nДата:", 0, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MemoReadResult read = ParseMemoText(QString::fromUtf8(c.text), kClock);
        EXPECT_EQ(read.lists.jubilees.size(), c.jubilees);
        EXPECT_EQ(read.lists.events.size(), c.events);
        EXPECT_EQ(read.damaged, c.damaged);
    }
    const MemoReadResult fallback =
        ParseMemoText(QString::fromUtf8("Данные программы\r\nДата:         xx.05.1980\r\nЮбилей:       А\r\n"), kClock);
    ASSERT_EQ(fallback.lists.jubilees.size(), 1u);
    EXPECT_EQ(fallback.lists.jubilees[0].stored, kClock.today - 1);
}

TEST(MemoFile, OffsetsFromPaschaBeyondTheirRangeAreDamage)
{
    // Numbers a hostile or broken file may hold; none may reach the date
    // arithmetic (the sanitizer build stops at an overflow).
    struct Case { const char* line; int damaged; bool movable; };
    const Case cases[] = {
        {"По Пасхе:     2147483647", 1, false},
        {"По Пасхе:     -2147483648", 1, false},
        {"По Пасхе:     -401", 1, false},
        {"По Пасхе:     -400", 0, true},
        {"По Пасхе:     399", 0, true},
        {"По Пасхе:     400", 0, false},
        {"По Пасхе:     99999999999999", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const QString text = QString::fromUtf8("Данные программы Индикт\r\n") + QString::fromUtf8(c.line) +
                             "\r\nДата:         01.05.1980\r\nЮбилей:       Юбилей\r\n";
        const MemoReadResult read = ParseMemoText(text, kClock);
        EXPECT_EQ(read.damaged, c.damaged);
        ASSERT_EQ(read.lists.jubilees.size(), 1u);
        EXPECT_EQ(read.lists.jubilees[0].movable(), c.movable);
    }
    for (const char* offset : {"2147483647", "-2147483648", "401"}) {
        SCOPED_TRACE(offset);
        const QString text = QString::fromUtf8("Данные программы Индикт\r\nВид:          переходящий\r\n"
                                               "Статус:       иной\r\nОт Пасхи:     ") + offset +
                             "\r\nПразднование: 01.05.2025\r\nПраздник:     П\r\n";
        const MemoReadResult read = ParseMemoText(text, kClock);
        EXPECT_EQ(read.damaged, 1);
        ASSERT_EQ(read.lists.feasts.size(), 1u);
        EXPECT_EQ(read.lists.feasts[0].pascha_offset, 0);
    }
}

TEST(MemoFile, DatesAreKeptInTheCalendarRange)
{
    const MemoReadResult read = ParseMemoText(
        QString::fromUtf8("Данные программы\r\nДата:         01.05.1600\r\nЮбилей:       А\r\n"
                          "Дата:         01.05.3500\r\nЮбилей:       Б\r\n"),
        kClock);
    ASSERT_EQ(read.lists.jubilees.size(), 2u);
    EXPECT_EQ(Fields(read.lists.jubilees[0].stored), (CivilFields{1752, 1, 1}));
    EXPECT_EQ(Fields(read.lists.jubilees[1].stored), (CivilFields{3000, 12, 31}));
}

TEST(MemoFile, PastOneTimeEventsAreWrittenInactive)
{
    MemoLists lists;
    for (const int hour : {9, 11}) {
        SobRecord event{.name = QString::number(hour), .active = true, .period = EventPeriod::Once,
                        .minute = hour * 60, .stored = kClock.today, .occurrence = kClock.today, .waiting = 0};
        lists.events.push_back(event);
    }
    const QString text = MemoFileText(lists, kClock);  // at 10:00
    EXPECT_TRUE(text.contains("Действие:     false\r\nПериод:       Однократно\r\nВремя:        09:00"));
    EXPECT_TRUE(text.contains("Действие:     true\r\nПериод:       Однократно\r\nВремя:        11:00"));
    EXPECT_EQ(TodayEventTimes(lists.events, kClock), std::vector<int>{11 * 60});
}

TEST(MemoFile, NamesTheCodePageLacksAreKeptAsUtf8)
{
    MemoLists lists;
    lists.jubilees.push_back({.name = "Ἰωάννης", .stored = D(2000, 1, 1), .pascha_offset = {}, .show_years = false, .occurrence = {}, .waiting = 0, .years = 0});
    const QByteArray bytes = MemoFileBytes(lists, kClock);
    EXPECT_TRUE(LooksLikeUtf8(bytes));
    const MemoReadResult read = ParseMemoText(DecodeFileText(bytes), kClock);
    ASSERT_EQ(read.lists.jubilees.size(), 1u);
    EXPECT_EQ(read.lists.jubilees[0].name, "Ἰωάννης");
}

TEST(MemoFile, ReadingFiles)
{
    QTemporaryDir folder;
    const MemoReadResult missing = ReadMemoFile(folder.filePath("нет.txt"), kClock);
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.error.isEmpty());

    const QString binary = folder.filePath("binary.txt");
    ASSERT_TRUE(WriteBytes(binary, QByteArray("Данные\0программы", 23)));
    EXPECT_FALSE(ReadMemoFile(binary, kClock).error.isEmpty());

    const QString ours = folder.filePath("Памятка.txt");
    ASSERT_TRUE(WriteBytes(ours, Cp1251(kFile)));
    const MemoReadResult read = ReadMemoFile(ours, kClock);
    EXPECT_TRUE(read.exists && read.ours);
    EXPECT_EQ(read.lists.jubilees.size(), 2u);
}

}  // namespace
}  // namespace indikt
