// The hymns of a day: the tone, the sets that apply and the table of contents.

#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"
#include "lectionary/tropar.h"
#include "texts/data_files.h"

#include "reading_tree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const QString kHymns = "Богослужение/Тропари и кондаки/";

void AddSet(const ReadingTree& tree, const QString& folder, const QString& contents)
{
    const QString path = tree.root() + "/" + kHymns + folder + "/" + folder.section('/', -1) + ".txt";
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(contents)));
}

TEST(ToneOfWeek, SundaysAfterPentecost)
{
    struct Case { Date sunday; int tone; };
    const Case cases[] = {
        {D(2025, 6, 15), 8},   // All Saints
        {D(2025, 6, 22), 1},   // the first Sunday after it
        {D(2025, 6, 29), 2},
        {D(2025, 8, 10), 8},
        {D(2025, 8, 17), 1},   // the cycle begins again
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToneOfWeek(c.sunday), c.tone) << c.sunday.serial();
    EXPECT_EQ(ToneOfWeek(D(2025, 6, 16)), 0);  // a Monday
    // From the second Sunday after Pentecost to the fifth Sunday of the next
    // Lent the tone advances by one each Sunday, also across the growth of the
    // difference in 2100.
    for (int year : {2024, 2025, 2029, 2037, 2099}) {
        const Date pascha = NewStyle(DatePasha(year));
        for (Date sunday = pascha + 63; sunday + 7 < NewStyle(DatePasha(year + 1)) - 7; sunday = sunday + 7)
            EXPECT_EQ(ToneOfWeek(sunday + 7), ToneOfWeek(sunday) % 8 + 1) << sunday.serial();
    }
}

TEST(Tropar, TheSetsOfADay)
{
    ReadingTree tree;
    for (int tone = 1; tone <= 8; ++tone) {
        AddSet(tree, "Воскресные/" + QString::number(tone), "Тропарь воскресный\r\nКондак воскресный\r\n");
        AddSet(tree, "Воскресные/Великим постом/" + QString::number(tone), "Тропарь постный\r\n");
    }
    AddSet(tree, "Великие праздники/Непереходящие праздники/янв06", "Тропарь Богоявления\r\nКондак Богоявления\r\n");
    AddSet(tree, "Непереходящие праздники/фев29", "Тропарь 29 февраля\r\n");
    AddSet(tree, "Непереходящие праздники/янв21", "Тропарь 21 января\r\n");
    for (int day = 1; day <= 7; ++day)
        AddSet(tree, "Дневные/" + QString::number(day), "Тропарь дня\r\n");
    AddSet(tree, "Переходящие праздники/После Пасхи/10", "");
    const TreeFiles files(tree.root());

    struct Case { const char* name; Date day; QStringList titles; QStringList commands; };
    const Case cases[] = {
        {"a Sunday after Pentecost", D(2025, 6, 29), {"Тропарь воскресный", "Кондак воскресный", "Тропарь дня"},
         {"ActionTrVos", "ActionTrDnja"}},
        {"a Sunday of Lent", D(2025, 3, 16), {"Тропарь постный", "Тропарь дня"}, {"ActionTrVos", "ActionTrDnja"}},
        {"Theophany on a Sunday: no Sunday set, no daily set", D(2025, 1, 19),
         {"Тропарь Богоявления", "Кондак Богоявления"}, {"ActionTrVelNePer"}},
        {"10 January: the afterfeast of Theophany", D(2025, 1, 23), {"Тропарь Богоявления", "Кондак Богоявления"},
         {"ActionTrVelNePer"}},
        {"a weekday with its saint and the daily set", D(2025, 2, 3), {"Тропарь 21 января", "Тропарь дня"},
         {"ActionTrNePer", "ActionTrDnja"}},
        {"28 February of a year that is not a leap year", D(2025, 3, 13), {"Тропарь 29 февраля", "Тропарь дня"},
         {"ActionTrNePer", "ActionTrDnja"}},
        // 1900 and 2100 are leap years of the Julian calendar, though not of the civil one.
        {"29 February 1900 old style", D(1900, 3, 13), {"Тропарь 29 февраля", "Тропарь дня"},
         {"ActionTrNePer", "ActionTrDnja"}},
        {"29 February 2100 old style, a Sunday of Lent", D(2100, 3, 14),
         {"Тропарь постный", "Тропарь 29 февраля", "Тропарь дня"}, {"ActionTrVos", "ActionTrNePer", "ActionTrDnja"}},
        {"28 February 1900 old style is not the last of the month", D(1900, 3, 12), {"Тропарь дня"},
         {"ActionTrDnja"}},
        {"an empty contents file still gives its first row", D(2025, 4, 30), {"", "Тропарь дня"},
         {"ActionTrPer", "ActionTrDnja"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TroparDay day = Tropar(files, c.day);
        QStringList titles;
        for (const HymnRow& row : day.rows)
            titles << row.title;
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(day.found_commands, c.commands);
        EXPECT_EQ(day.sets.size(), 7);
    }
    // Every old-style year shows the hymns of 29 February on exactly one day.
    for (int year = 1899; year <= 2101; ++year) {
        SCOPED_TRACE(year);
        int days = 0;
        for (Date day = NewStyle(FromOldStyle(year, 2, 25)); day <= NewStyle(FromOldStyle(year, 3, 2)); day = day + 1)
            days += Tropar(files, day).sets[4] == kHymns + "Непереходящие праздники/фев29";
        EXPECT_EQ(days, 1);
    }
    const TroparDay sunday = Tropar(files, D(2025, 6, 29));
    EXPECT_EQ(sunday.sets[0], kHymns + "Воскресные/2");
    EXPECT_EQ(sunday.rows[1].russian, kHymns + "Воскресные/2/2_рус.htm");
    EXPECT_TRUE(Tropar(TreeFiles("/nonexistent"), D(2025, 6, 29)).rows.isEmpty());
    EXPECT_NE(MediaPageTemplate(true).indexOf("<title>Видео тропари и кондаки</title>"), -1);
    EXPECT_NE(MediaPageTemplate(false).indexOf("<link href=\"../../../../_css/ru.css\" rel=\"stylesheet\" type=\"text/css\">"), -1);
}

TEST(Tropar, AContentsFileGivesAtMostASetOfRows)
{
    // A contents file of millions of empty lines once took minutes and
    // gigabytes; a long one gives its first entries, an oversized one none.
    struct Case { const char* what; QByteArray contents; qsizetype rows; };
    const Case cases[] = {
        {"a thousand titles", QByteArray("Тропарь\r\n").repeated(1000), kMaxHymnsOfASet},
        {"a title of a megabyte less one", QByteArray(kMaxTextFileBytes - 10, 'x'), 1},
        {"two million empty lines: not read, as an empty file", QByteArray(2'000'000, '\n'), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReadingTree tree;
        AddSet(tree, "Дневные/1", "");
        ASSERT_TRUE(WriteBytes(tree.root() + "/" + kHymns + "Дневные/1/1.txt", c.contents));
        const TroparDay day = Tropar(TreeFiles(tree.root()), D(2025, 6, 30));  // a Monday: the set of day 1
        EXPECT_EQ(day.rows.size(), c.rows);
        for (const HymnRow& row : day.rows)
            EXPECT_LE(row.title.size(), kMaxHymnTitleLength);
    }
}

}  // namespace
}  // namespace indikt
