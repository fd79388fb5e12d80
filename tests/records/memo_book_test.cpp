#include "records/memo_book.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

class MemoBookTest : public ::testing::Test {
protected:
    MemoBook makeBook()
    {
        return MemoBook(folder.path(), [this] { return now; });
    }
    QString memoPath() const { return folder.filePath("Памятка.txt"); }

    QTemporaryDir folder;
    MemoClock now{D(2025, 3, 1), 10 * 60};
};

TEST_F(MemoBookTest, AddedRowsSurviveARestartByteForByte)
{
    {
        MemoBook book = makeBook();
        book.open();
        ASSERT_TRUE(book.addJubilee({.name = "  Именины Анны ", .picked = D(1990, 12, 22), .movable = false,
                                     .show_years = true}).ok());
        ASSERT_TRUE(book.addFeast({.name = "Престольный", .picked = D(2025, 6, 8), .movable = true,
                                   .status = FeastStatus::Church}).ok());
        ASSERT_TRUE(book.addEvent({.name = "Вечернее правило", .period = EventPeriod::Daily, .minute = 21 * 60,
                                   .date = now.today}).ok());
        EXPECT_EQ(book.lists().jubilees[0].name, "Именины Анны");
        EXPECT_EQ(book.lists().feasts[0].pascha_offset, 49);
    }
    const QByteArray written = ReadBytes(memoPath());
    ASSERT_FALSE(written.isEmpty());
    EXPECT_FALSE(LooksLikeUtf8(written));  // Windows-1251

    MemoBook again = makeBook();
    again.open();
    ASSERT_EQ(again.lists().jubilees.size(), 1u);
    ASSERT_EQ(again.lists().feasts.size(), 1u);
    ASSERT_EQ(again.lists().events.size(), 1u);
    EXPECT_EQ(again.todayEventTimes(), std::vector<int>{21 * 60});
    ASSERT_TRUE(again.save().ok());
    EXPECT_EQ(ReadBytes(memoPath()), written);
}

TEST_F(MemoBookTest, TheFixedChurchFeastKeepsItsOldStyleDate)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addFeast({.name = "Свт. Николая", .picked = D(2025, 12, 19), .movable = false,
                               .status = FeastStatus::Church}).ok());
    EXPECT_TRUE(DecodeCp1251(ReadBytes(memoPath())).contains("Празднование: 06.12.2025\r\n"));
    const std::vector<FeastEntry> entries = book.feastEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(PlaceFeast(entries[0], D(2100, 12, 1)), D(2100, 12, 20));
}

TEST_F(MemoBookTest, NamesTheFileCannotHoldAreRefused)
{
    MemoBook book = makeBook();
    book.open();
    EXPECT_FALSE(book.addJubilee({.name = "   ", .picked = now.today}).ok());
    const WriteResult greek = book.addJubilee({.name = "Ἰωάννης", .picked = now.today});
    EXPECT_TRUE(greek.error.contains("Ἰ"));
    EXPECT_FALSE(book.addEvent({.name = "две\nстроки", .date = now.today}).ok());
    EXPECT_TRUE(book.lists().empty());
    EXPECT_FALSE(QFile::exists(memoPath()));
}

TEST_F(MemoBookTest, EditingKeepsTheRowUntilTheChangeIsAdded)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "Первый", .picked = D(2000, 5, 1)}).ok());
    ASSERT_TRUE(book.addJubilee({.name = "Второй", .picked = D(2000, 6, 1)}).ok());

    book.beginEdit(MemoList::Jubilees, 1);
    EXPECT_EQ(book.editedRow(MemoList::Jubilees), 1);
    // Another change saves while the edit is open: the row is still written.
    ASSERT_TRUE(book.addEvent({.name = "Событие", .period = EventPeriod::Daily, .minute = 0, .date = now.today}).ok());
    EXPECT_TRUE(DecodeCp1251(ReadBytes(memoPath())).contains("Первый"));

    book.cancelEdit(MemoList::Jubilees);
    EXPECT_FALSE(book.editedRow(MemoList::Jubilees).has_value());
    EXPECT_EQ(book.lists().jubilees.size(), 2u);

    book.beginEdit(MemoList::Jubilees, 1);
    ASSERT_TRUE(book.addJubilee({.name = "Первый, исправленный", .picked = D(2000, 5, 2)}).ok());
    ASSERT_EQ(book.lists().jubilees.size(), 2u);
    EXPECT_EQ(book.lists().jubilees[0].name, "Первый, исправленный");
    EXPECT_EQ(book.lists().jubilees[1].name, "Второй");
    EXPECT_FALSE(DecodeCp1251(ReadBytes(memoPath())).contains("Первый\r\n"));
}

TEST_F(MemoBookTest, RemovingAndSwitching)
{
    MemoBook book = makeBook();
    book.open();
    for (const char* name : {"А", "Б", "В"})
        ASSERT_TRUE(book.addFeast({.name = name, .picked = D(2025, 5, 1), .movable = false,
                                   .status = FeastStatus::Other}).ok());
    book.beginEdit(MemoList::Feasts, 0);
    ASSERT_TRUE(book.remove(MemoList::Feasts, {0, 2, 2}).ok());
    ASSERT_EQ(book.lists().feasts.size(), 1u);
    EXPECT_EQ(book.lists().feasts[0].name, "Б");
    EXPECT_FALSE(book.editedRow(MemoList::Feasts).has_value());

    ASSERT_TRUE(book.addEvent({.name = "Звонок", .period = EventPeriod::Yearly, .minute = 60, .date = D(2025, 7, 1)}).ok());
    ASSERT_TRUE(book.setEventActive(0, false).ok());
    EXPECT_TRUE(DecodeCp1251(ReadBytes(memoPath())).contains("Действие:     false\r\nПериод:       Ежегодно"));
}

TEST_F(MemoBookTest, SortingByWaitingAndByHeadings)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "б", .picked = D(2000, 3, 10), .movable = false, .show_years = false}).ok());
    ASSERT_TRUE(book.addJubilee({.name = "А", .picked = D(1990, 3, 2), .movable = false, .show_years = true}).ok());
    ASSERT_TRUE(book.addJubilee({.name = "в", .picked = D(1980, 3, 2), .movable = false, .show_years = true}).ok());
    const auto names = [&] {
        QStringList list;
        for (const YubRecord& row : book.lists().jubilees)
            list << row.name;
        return list;
    };
    book.sortByWaiting();  // ties broken by date
    EXPECT_EQ(names(), (QStringList{"в", "А", "б"}));
    book.sort(MemoList::Jubilees, book.sortOrder(MemoList::Jubilees).clicked(jubilee_column::kName));
    EXPECT_EQ(names(), (QStringList{"А", "б", "в"}));  // without regard to case
    book.sort(MemoList::Jubilees, book.sortOrder(MemoList::Jubilees).clicked(jubilee_column::kName));
    EXPECT_EQ(names(), (QStringList{"в", "б", "А"}));
    book.sort(MemoList::Jubilees, book.sortOrder(MemoList::Jubilees).clicked(jubilee_column::kYears));
    EXPECT_EQ(names(), (QStringList{"б", "А", "в"}));  // an empty column sorts first
}

TEST_F(MemoBookTest, ADamagedFileIsKeptAsTheBackup)
{
    const QByteArray damaged = *EncodeCp1251(QString::fromUtf8(
        "Данные программы Индикт\r\nДата:         01.05.1980\r\nЮбилей:       Целый\r\nмусор\r\nДата:         02."));
    ASSERT_TRUE(WriteBytes(memoPath(), damaged));
    MemoBook book = makeBook();
    book.open();
    EXPECT_EQ(book.damagedOnLoad(), 3);
    EXPECT_TRUE(book.loadMessage().contains("Памятка.txt.bad")) << book.loadMessage().toStdString();
    ASSERT_EQ(book.lists().jubilees.size(), 1u);
    EXPECT_EQ(book.damagedCopy(), memoPath() + ".bad");

    // However many saves follow, the damaged file stays where it was kept.
    for (int i = 0; i < kMemoBackupCount + 2; ++i)
        ASSERT_TRUE(book.addJubilee({.name = QString("Новый %1").arg(i), .picked = D(2001, 1, 1 + i)}).ok());
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "И ещё", .picked = D(2003, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(memoPath() + ".bad"), damaged);
    EXPECT_EQ(book.lists().jubilees.size(), 7u);
}

TEST_F(MemoBookTest, EverySaveKeepsThePreviousFileAndNoticesChangesFromElsewhere)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "Первый", .picked = D(2001, 1, 1)}).ok());
    EXPECT_FALSE(QFile::exists(book.backupPath()));
    QList<QByteArray> versions{ReadBytes(memoPath())};
    for (const char* name : {"Второй", "Третий", "Четвёртый"}) {
        ASSERT_TRUE(book.addJubilee({.name = name, .picked = D(2002, 1, 1)}).ok());
        versions.prepend(ReadBytes(memoPath()));
    }
    // The newest backup is the file before the last save; three are kept.
    for (int number = 1; number <= kMemoBackupCount; ++number)
        EXPECT_EQ(ReadBytes(book.backupPath(number)), versions[number]) << number;
    EXPECT_FALSE(QFile::exists(book.backupPath(kMemoBackupCount + 1)));
    EXPECT_TRUE(book.lastNotice().isEmpty());

    const QByteArray elsewhere = versions.front() + "\r\n";
    ASSERT_TRUE(WriteBytes(memoPath(), elsewhere));
    ASSERT_TRUE(book.addJubilee({.name = "Пятый", .picked = D(2003, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(book.backupPath()), elsewhere);
    EXPECT_FALSE(book.lastNotice().isEmpty());
}

TEST_F(MemoBookTest, TwoWritersOfOneFileLoseNothing)
{
    // Two books over one folder, as two running copies or another program:
    // each adds, removes and changes rows; every save merges the other's work.
    MemoBook first = makeBook();
    first.open();
    ASSERT_TRUE(first.addJubilee({.name = "Общий", .picked = D(2000, 5, 5)}).ok());
    ASSERT_TRUE(first.addJubilee({.name = "Удаляемый", .picked = D(2000, 6, 6)}).ok());
    ASSERT_TRUE(first.addEvent({.name = "Спорный", .period = EventPeriod::Daily, .minute = 600, .date = now.today}).ok());
    MemoBook second = makeBook();
    second.open();

    ASSERT_TRUE(second.addFeast({.name = "Второй праздник", .picked = D(2025, 5, 9), .movable = false,
                                 .status = FeastStatus::Civil}).ok());
    ASSERT_TRUE(second.remove(MemoList::Jubilees, {0}).ok());  // "Удаляемый", the newest on top
    // The same event edited on both sides.
    second.beginEdit(MemoList::Events, 0);
    ASSERT_TRUE(second.addEvent({.name = "Спорный", .period = EventPeriod::Daily, .minute = 700, .date = now.today}).ok());
    first.beginEdit(MemoList::Events, 0);
    ASSERT_TRUE(first.addEvent({.name = "Спорный", .period = EventPeriod::Daily, .minute = 800, .date = now.today}).ok());
    EXPECT_TRUE(first.lastNotice().contains("объединены")) << first.lastNotice().toStdString();
    EXPECT_TRUE(first.lastNotice().contains("сохранены обе версии")) << first.lastNotice().toStdString();
    ASSERT_TRUE(first.addJubilee({.name = "Первого", .picked = D(2001, 1, 1)}).ok());
    ASSERT_TRUE(second.addJubilee({.name = "Второго", .picked = D(2002, 2, 2)}).ok());

    MemoBook reader = makeBook();
    reader.open();
    QStringList jubilees, feasts, events;
    for (const YubRecord& row : reader.lists().jubilees)
        jubilees << row.name;
    for (const PrasdRecord& row : reader.lists().feasts)
        feasts << row.name;
    for (const SobRecord& row : reader.lists().events)
        events << row.name + " " + MinuteText(row.minute);
    jubilees.sort();
    events.sort();
    EXPECT_EQ(jubilees, (QStringList{"Второго", "Общий", "Первого"}));
    EXPECT_EQ(feasts, QStringList{"Второй праздник"});
    EXPECT_EQ(events, (QStringList{"Спорный 11:40", "Спорный 13:20"}));
}

TEST_F(MemoBookTest, NoSaveReplacesADamagedFileThatCouldNotBeKept)
{
    const QByteArray damaged = *EncodeCp1251(u"Данные программы Индикт\r\nкаракули\r\n");
    ASSERT_TRUE(WriteBytes(memoPath(), damaged));
    // Every name a copy could take is a folder.
    for (const QString suffix : {".bad", ".bad2", ".bad3", ".bad4", ".bad5", ".bad6", ".bad7", ".bad8", ".bad9"})
        ASSERT_TRUE(QDir().mkpath(memoPath() + suffix));
    MemoBook book = makeBook();
    book.open();
    EXPECT_TRUE(book.loadMessage().contains("не будут записаны")) << book.loadMessage().toStdString();
    EXPECT_FALSE(book.addJubilee({.name = "Новый", .picked = D(2001, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(memoPath()), damaged);
}

TEST_F(MemoBookTest, RepeatingDatesAreKeptAsEntered)
{
    // Saved on days when the entered day does not occur, the file still holds it.
    now = {D(2025, 4, 2), 10 * 60};
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addEvent({.name = "Тридцать первое", .period = EventPeriod::Monthly, .minute = 600,
                               .date = D(2025, 3, 31)}).ok());
    ASSERT_TRUE(book.addEvent({.name = "Високосный", .period = EventPeriod::Yearly, .minute = 600,
                               .date = D(2024, 2, 29)}).ok());
    ASSERT_TRUE(book.addFeast({.name = "Касьян", .picked = D(2028, 3, 13), .movable = false,
                               .status = FeastStatus::Church}).ok());  // 29 February 2028 old style
    EXPECT_EQ(book.lists().events[0].occurrence, D(2026, 2, 28));
    for (const Date day : {D(2025, 4, 30), D(2026, 3, 1), D(2027, 3, 15)}) {
        now.today = day;
        ASSERT_TRUE(book.save().ok());
        book.open();
    }
    const QString text = DecodeFileText(ReadBytes(memoPath()));
    EXPECT_TRUE(text.contains("Дата события: 31.03.2025")) << text.toStdString();
    EXPECT_TRUE(text.contains("Дата события: 29.02.2024")) << text.toStdString();
    EXPECT_TRUE(text.contains("Празднование: 29.02.2028")) << text.toStdString();
    ASSERT_EQ(book.lists().events.size(), 2u);
    EXPECT_EQ(book.lists().events[1].occurrence, D(2027, 3, 31));
}

TEST_F(MemoBookTest, AFailedSaveLeavesTheFileWhole)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "Первый", .picked = D(2001, 1, 1)}).ok());
    const QByteArray before = ReadBytes(memoPath());
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.isSet());
        EXPECT_FALSE(book.addJubilee({.name = "Второй", .picked = D(2002, 1, 1)}).ok());
    }
    EXPECT_EQ(ReadBytes(memoPath()), before);
}

TEST_F(MemoBookTest, ImportRefusesForeignFilesAndMergesAsChosen)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "Свой", .picked = D(2001, 1, 1)}).ok());
    ASSERT_TRUE(book.addFeast({.name = "Свой праздник", .picked = D(2025, 5, 1), .movable = false,
                               .status = FeastStatus::Other}).ok());
    const QByteArray before = ReadBytes(memoPath());

    const QString foreign = folder.filePath("чужой.txt");
    ASSERT_TRUE(WriteBytes(foreign, *EncodeCp1251(u"Дата:         01.05.1980\r\nЮбилей:       Чужой\r\n")));
    const MemoBook::ImportFile refused = book.readImport(foreign);
    EXPECT_TRUE(refused.error.contains("Данные программы"));
    EXPECT_TRUE(refused.lists.empty());
    EXPECT_TRUE(book.readImport(folder.filePath("нет.txt")).error.contains("не найден"));
    EXPECT_EQ(ReadBytes(memoPath()), before);

    MemoLists other;
    other.jubilees.push_back({.name = "Из файла", .stored = D(1999, 1, 1), .pascha_offset = {}, .show_years = false, .occurrence = {}, .waiting = 0, .years = 0});
    other.feasts.push_back(MakeFeast("Из файла", false, FeastStatus::Civil, 0, D(2025, 5, 2), true, book.clock()));
    const QString exported = folder.filePath("export.txt");
    {
        MemoBook source(folder.path() + "/source", [this] { return now; });
        QDir().mkpath(folder.path() + "/source");
        ASSERT_TRUE(source.applyImport(other, {}).ok());
        ASSERT_TRUE(source.exportTo(exported).ok());
    }
    const MemoBook::ImportFile ours = book.readImport(exported);
    ASSERT_TRUE(ours.error.isEmpty()) << ours.error.toStdString();
    ASSERT_TRUE(book.applyImport(ours.lists, {.jubilees = ImportChoice::Add, .feasts = ImportChoice::Replace,
                                              .events = ImportChoice::Skip}).ok());
    ASSERT_EQ(book.lists().jubilees.size(), 2u);
    ASSERT_EQ(book.lists().feasts.size(), 1u);
    EXPECT_EQ(book.lists().feasts[0].name, "Из файла");
}

TEST_F(MemoBookTest, ANewDayRecomputesTheColumns)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addEvent({.name = "Раз", .period = EventPeriod::Once, .minute = 9 * 60, .date = D(2025, 3, 2)}).ok());
    EXPECT_EQ(book.lists().events[0].waiting, 1);
    now = {D(2025, 3, 2), 9 * 60 + 30};
    ASSERT_TRUE(book.save().ok());
    EXPECT_FALSE(book.lists().events[0].active);
    EXPECT_TRUE(DecodeCp1251(ReadBytes(memoPath())).contains("События от 02.03.2025"));
}

}  // namespace
}  // namespace indikt
