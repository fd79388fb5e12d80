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
    EXPECT_EQ(again.todayEventTimes(), QStringList{"21:00"});
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
    EXPECT_TRUE(book.loadMessage().contains("Памятка.txt.bak"));
    ASSERT_EQ(book.lists().jubilees.size(), 1u);

    ASSERT_TRUE(book.addJubilee({.name = "Новый", .picked = D(2001, 1, 1)}).ok());
    ASSERT_TRUE(book.addJubilee({.name = "Ещё", .picked = D(2002, 1, 1)}).ok());
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "И ещё", .picked = D(2003, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(book.backupPath()), damaged);
    EXPECT_EQ(book.lists().jubilees.size(), 4u);
}

TEST_F(MemoBookTest, EverySaveKeepsThePreviousFileAndNoticesChangesFromElsewhere)
{
    MemoBook book = makeBook();
    book.open();
    ASSERT_TRUE(book.addJubilee({.name = "Первый", .picked = D(2001, 1, 1)}).ok());
    EXPECT_FALSE(QFile::exists(book.backupPath()));
    const QByteArray first = ReadBytes(memoPath());
    ASSERT_TRUE(book.addJubilee({.name = "Второй", .picked = D(2002, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(book.backupPath()), first);
    EXPECT_TRUE(book.lastNotice().isEmpty());

    const QByteArray elsewhere = first + "\r\n";
    ASSERT_TRUE(WriteBytes(memoPath(), elsewhere));
    ASSERT_TRUE(book.addJubilee({.name = "Третий", .picked = D(2003, 1, 1)}).ok());
    EXPECT_EQ(ReadBytes(book.backupPath()), elsewhere);
    EXPECT_FALSE(book.lastNotice().isEmpty());
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
