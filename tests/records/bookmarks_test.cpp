// "Закладки.txt": the pairs of date and name, damaged files, and the store
// that writes only a changed list and keeps what it could not read.

#include "calendar/date.h"
#include "file_helpers.h"
#include "records/bookmarks.h"
#include "texts/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const QString kDate = "Дата:         ";
const QString kName = "Имя:          ";

QStringList Names(const BookmarkList& list)
{
    QStringList names;
    for (const Bookmark& b : list.items())
        names << b.name + "=" + QString::number(b.date.serial());
    return names;
}

QString Pair(Date date, const QString& name)
{
    return kDate + QString::asprintf("%02d.%02d.%04d", Fields(date).day, Fields(date).month,
                                     Fields(date).year) +
           "\r\n" + kName + name + "\r\n";
}

TEST(BookmarkList, NamesAreUnique)
{
    BookmarkList list;
    // "Пасха" added on two dates keeps one bookmark with the later date.
    EXPECT_TRUE(list.add("Пасха", D(2024, 5, 5)));
    EXPECT_TRUE(list.add("Рождество", D(2024, 1, 7)));
    EXPECT_TRUE(list.add("Пасха", D(2025, 4, 20)));
    EXPECT_EQ(Names(list), (QStringList{"Пасха=" + QString::number(D(2025, 4, 20).serial()),
                                        "Рождество=" + QString::number(D(2024, 1, 7).serial())}));
    list.remove(0);
    list.remove(5);  // no such bookmark
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(list.indexOf("Рождество"), 0);
    EXPECT_EQ(list.indexOf("Пасха"), -1);
}

TEST(BookmarksFile, DamagedPairsAreSkippedAndCounted)
{
    struct Case { const char* what; QString text; QStringList names; int skipped; };
    const Date a = D(2024, 1, 7), b = D(2025, 4, 20);
    const QString sa = QString::number(a.serial()), sb = QString::number(b.serial());
    const Case cases[] = {
        {"clean", "Закладки от 01.01.2025\r\n\r\n" + Pair(a, "А") + Pair(b, "Б"), {"А=" + sa, "Б=" + sb}, 0},
        {"LF line ends", QString("Закладки\n\n" + Pair(a, "А")).replace("\r\n", "\n"), {"А=" + sa}, 0},
        // One name line lost: the date before it is skipped, the later pair stays right.
        {"a date without its name", kDate + "07.01.2024\r\n" + Pair(b, "Б"), {"Б=" + sb}, 1},
        {"a name without its date", kName + "сирота\r\n" + Pair(b, "Б"), {"Б=" + sb}, 1},
        {"a date at the very end", Pair(a, "А") + kDate + "20.04.2025", {"А=" + sa}, 1},
        {"not a date", kDate + "31.02.2024\r\n" + kName + "А\r\n" + Pair(b, "Б"), {"Б=" + sb}, 1},
        {"before 1752", kDate + "31.12.1751\r\n" + kName + "А\r\n", {}, 1},
        {"an empty name", kDate + "07.01.2024\r\n" + kName + "\r\n", {}, 1},
        {"a short label is another line", "Дата: 07.01.2024\r\n" + Pair(b, "Б"), {"Б=" + sb}, 0},
        {"other lines between", kDate + "07.01.2024\r\nпрочее\r\n" + kName + "А\r\n", {"А=" + sa}, 0},
        {"a name twice: the later date", Pair(a, "А") + Pair(b, "А"), {"А=" + sb}, 0},
    };
    for (const Case& c : cases) {
        const BookmarksReadResult read = ParseBookmarksText(c.text);
        EXPECT_EQ(Names(read.list), c.names) << c.what;
        EXPECT_EQ(read.skipped, c.skipped) << c.what;
        EXPECT_EQ(read.clean(), c.skipped == 0) << c.what;
    }
}

TEST(BookmarksFile, TheFileAfterTwoBookmarks)
{
    BookmarkList list;
    list.add("Пасха", D(2025, 4, 20));
    list.add("Имя с пробелом ", D(1752, 1, 1));
    const QString text = BookmarksFileText(list, D(2025, 12, 9));
    EXPECT_EQ(text, "Закладки от 09.12.2025\r\n"
                    "\r\n"
                    "Дата:         20.04.2025\r\n"
                    "Имя:          Пасха\r\n"
                    "Дата:         01.01.1752\r\n"
                    "Имя:          Имя с пробелом \r\n");
    EXPECT_EQ(ParseBookmarksText(text).list, list);
}

TEST(BookmarkName, RefusedNamesSayWhy)
{
    EXPECT_EQ(BookmarkNameProblem("Пасха 2025"), QString());
    EXPECT_EQ(BookmarkNameProblem("№ «ёлка» — €"), QString());  // all in Windows-1251
    EXPECT_NE(BookmarkNameProblem("   "), QString());
    EXPECT_NE(BookmarkNameProblem("a\nb"), QString());
    EXPECT_NE(BookmarkNameProblem(QString(kMaxBookmarkNameLength + 1, u'я')), QString());
    const QString chinese = BookmarkNameProblem("праздник 中");
    EXPECT_TRUE(chinese.contains("«中»")) << chinese.toStdString();
    EXPECT_TRUE(chinese.contains("U+4E2D")) << chinese.toStdString();
    const QString emoji = BookmarkNameProblem("день 🙂");
    EXPECT_TRUE(emoji.contains("U+1F642")) << emoji.toStdString();
}

BookmarkList ListOf(std::initializer_list<std::pair<const char*, Date>> items)
{
    BookmarkList list;
    for (const auto& [name, date] : items)
        list.add(QString::fromUtf8(name), date);
    return list;
}

// Both sides began with base = {А, Б, В}; each row is one change on each side.
TEST(BookmarkMerge, NeitherSidesChangeIsLost)
{
    const Date a = D(2025, 1, 7), b = D(2025, 4, 20), c = D(2025, 8, 28), x = D(2026, 1, 1), y = D(2026, 2, 2);
    const BookmarkList base = ListOf({{"А", a}, {"Б", b}, {"В", c}});
    struct Case {
        const char* what;
        BookmarkList ours;
        BookmarkList theirs;
        BookmarkList merged;
    };
    const Case cases[] = {
        {"both add", ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Мой", x}}), ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Их", y}}),
         ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Их", y}, {"Мой", x}})},
        {"we remove, they add", ListOf({{"А", a}, {"В", c}}), ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Их", y}}),
         ListOf({{"А", a}, {"В", c}, {"Их", y}})},
        {"they remove, we add", ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Мой", x}}), ListOf({{"Б", b}}),
         ListOf({{"Б", b}, {"Мой", x}})},
        {"we redate what they removed", ListOf({{"А", x}, {"Б", b}, {"В", c}}), ListOf({{"Б", b}, {"В", c}}),
         ListOf({{"Б", b}, {"В", c}, {"А", x}})},
        {"we remove what they redated", ListOf({{"Б", b}, {"В", c}}), ListOf({{"А", y}, {"Б", b}, {"В", c}}),
         ListOf({{"А", y}, {"Б", b}, {"В", c}})},
        {"both redate: ours", ListOf({{"А", x}, {"Б", b}, {"В", c}}), ListOf({{"А", y}, {"Б", b}, {"В", c}}),
         ListOf({{"А", x}, {"Б", b}, {"В", c}})},
        {"both add one name", ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Н", x}}), ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Н", y}}),
         ListOf({{"А", a}, {"Б", b}, {"В", c}, {"Н", x}})},
    };
    for (const Case& c_ : cases) {
        SCOPED_TRACE(c_.what);
        EXPECT_EQ(Names(MergeBookmarkLists(base, c_.ours, c_.theirs)), Names(c_.merged));
    }
}

class BookmarkStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/Закладки.txt"; }
};

TEST_F(BookmarkStoreTest, WritesOnlyAChangedList)
{
    const QByteArray original = *EncodeCp1251("Закладки от 1/2/25\r\n\r\n" + Pair(D(2024, 1, 7), "А"));
    ASSERT_TRUE(WriteBytes(path(), original));
    BookmarkStore store(path());
    EXPECT_FALSE(store.changed());
    EXPECT_TRUE(store.save(D(2025, 1, 1)).ok());
    EXPECT_EQ(ReadBytes(path()), original);  // untouched: nothing changed

    store.add("Б", D(2025, 4, 20));
    ASSERT_TRUE(store.save(D(2025, 1, 1)).ok());
    EXPECT_FALSE(store.changed());
    EXPECT_EQ(ReadBytes(path()),
              *EncodeCp1251("Закладки от 01.01.2025\r\n\r\n" + Pair(D(2024, 1, 7), "А") + Pair(D(2025, 4, 20), "Б")));
    EXPECT_FALSE(QFile::exists(path() + ".bak"));  // the last read was clean

    // After a restart the bookmarks are there.
    BookmarkStore again(path());
    EXPECT_EQ(again.list(), store.list());
}

TEST_F(BookmarkStoreTest, ADamagedFileIsKeptBeforeItIsWrittenOver)
{
    const QByteArray damaged = *EncodeCp1251(kDate + "07.01.2024\r\n" + Pair(D(2025, 4, 20), "Б"));
    ASSERT_TRUE(WriteBytes(path(), damaged));
    BookmarkStore store(path());
    EXPECT_EQ(store.lastRead().skipped, 1);
    store.add("В", D(2025, 1, 1));
    ASSERT_TRUE(store.save(D(2025, 1, 1)).ok());
    EXPECT_EQ(ReadBytes(path() + ".bak"), damaged);
    EXPECT_EQ(ReadBookmarksFile(path()).list.size(), 2);
}

TEST_F(BookmarkStoreTest, AFileThatDidNotLoadIsNeverEmptied)
{
    // A folder in the file's place cannot be read: the list is empty, and
    // closing without a change writes nothing.
    ASSERT_TRUE(QDir().mkpath(path()));
    BookmarkStore store(path());
    EXPECT_FALSE(store.lastRead().error.isEmpty());
    EXPECT_TRUE(store.list().empty());
    EXPECT_TRUE(store.save(D(2025, 1, 1)).ok());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    // A change cannot be saved over it, and the failure is reported.
    store.add("А", D(2025, 1, 1));
    EXPECT_FALSE(store.save(D(2025, 1, 1)).ok());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(store.changed());
}

TEST_F(BookmarkStoreTest, AFailedWriteIsReportedAndTheOldFileStays)
{
    const QByteArray original = *EncodeCp1251(Pair(D(2024, 1, 7), "А"));
    ASSERT_TRUE(WriteBytes(path(), original));
    BookmarkStore store(path());
    for (int i = 0; i < 200; ++i)
        store.add("Закладка " + QString::number(i), D(2025, 1, 1));
    {
        const FileSizeLimit limit(64);
        EXPECT_FALSE(store.save(D(2025, 1, 1)).ok());
    }
    EXPECT_EQ(ReadBytes(path()), original);
    EXPECT_TRUE(store.changed());
}

TEST_F(BookmarkStoreTest, AnOversizedFileIsNotRead)
{
    QByteArray big(kMaxBookmarksFileBytes + 1, 'x');
    ASSERT_TRUE(WriteBytes(path(), big));
    const BookmarksReadResult read = ReadBookmarksFile(path());
    EXPECT_TRUE(read.exists);
    EXPECT_FALSE(read.error.isEmpty());
    EXPECT_TRUE(read.list.empty());
}

// Two copies of the program on one data root: each dialog read the list, each
// changes it and saves; the second save merges and says so.
TEST_F(BookmarkStoreTest, TwoCopiesOnOneFileLoseNothing)
{
    ASSERT_TRUE(WriteBytes(path(), *EncodeCp1251("Закладки от 01.01.2025\r\n\r\n" + Pair(D(2024, 1, 7), "А") +
                                                  Pair(D(2024, 2, 1), "Б"))));
    BookmarkStore first(path());
    BookmarkStore second(path());
    first.add("Первая копия", D(2025, 5, 1));
    first.remove(first.list().indexOf("А"));
    second.add("Вторая копия", D(2025, 6, 1));
    ASSERT_TRUE(first.save(D(2025, 1, 2)).ok());
    EXPECT_TRUE(first.lastNotice().isEmpty());
    ASSERT_TRUE(second.save(D(2025, 1, 3)).ok());
    EXPECT_FALSE(second.lastNotice().isEmpty());
    EXPECT_EQ(Names(BookmarkStore(path()).list()),
              Names(ListOf({{"Б", D(2024, 2, 1)}, {"Первая копия", D(2025, 5, 1)}, {"Вторая копия", D(2025, 6, 1)}})));

    // The first copy's dialog, opened again, reads what the second wrote.
    first.reloadIfChanged();
    EXPECT_EQ(first.list(), BookmarkStore(path()).list());
    // And a store with nothing new does not write over a changed file.
    ASSERT_TRUE(WriteBytes(path(), *EncodeCp1251("Закладки от 01.01.2025\r\n\r\n" + Pair(D(2024, 3, 3), "В"))));
    EXPECT_TRUE(second.save(D(2025, 1, 4)).ok());
    EXPECT_EQ(Names(BookmarkStore(path()).list()), Names(ListOf({{"В", D(2024, 3, 3)}})));
}

}  // namespace
}  // namespace indikt
