// The checker of the data tree: each case writes a small tree with good and
// bad files and lists the problems it must find, by path and a part of the text.

#include "tools/tree_check.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace indikt {
namespace {

QByteArray Cp1251(const char* utf8)
{
    return EncodeCp1251(QString::fromUtf8(utf8)).value();
}

const QByteArray kRecord = Cp1251("Память святого\r\nКраткое слово\r\nЖитие\r\nещё строка\r\n");
const QByteArray kText = Cp1251("Строка\r\n");
const QByteArray kPicture = QByteArray("\xFF\xD8\xFF\xE0") + " not a whole picture, but it begins as one";
const QByteArray kNote("{\\rtf1\\ansi Note\\par\n}");

QByteArray Html(const char* body)
{
    return Cp1251("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>\r\n"
                  "<body>") + Cp1251(body) + Cp1251("</body></html>\r\n");
}

struct TreeFile {
    const char* path;
    QByteArray bytes;
};

struct ExpectedProblem {
    const char* path;
    const char* text_part;
};

struct TreeCase {
    const char* name;
    std::vector<TreeFile> files;
    std::vector<ExpectedProblem> problems;
};

const std::vector<TreeCase>& Cases()
{
    static const std::vector<TreeCase> cases = {
        {"fixed Menaion records are named by day key, day key + weekday or фев28в",
         {{"Месяцеслов/Непереходящие праздники/янв06.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/июл13Вс.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/фев28в.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/фев29.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/янв32.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/мар9.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/июл13Вх.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/фев30.txt", kRecord},
          {"Месяцеслов/Непереходящие праздники/Условие/июл13Вс.txt", kRecord}},
         {{"Месяцеслов/Непереходящие праздники/янв32.txt", "not a day key"},
          {"Месяцеслов/Непереходящие праздники/мар9.txt", "not a day key"},
          {"Месяцеслов/Непереходящие праздники/июл13Вх.txt", "not a day key"},
          {"Месяцеслов/Непереходящие праздники/фев30.txt", "not a day key"},
          {"Месяцеслов/Непереходящие праздники/Условие/июл13Вс.txt", "not a day key with"}}},

        {"movable numbers have exactly two digits in the Menaion and three in the readings",
         {{"Месяцеслов/Переходящие праздники/После Пасхи/00.txt", kRecord},
          {"Месяцеслов/Переходящие праздники/После Пасхи/150.txt", kRecord},
          {"Месяцеслов/Переходящие праздники/После Пасхи/7.txt", kRecord},
          {"Месяцеслов/Переходящие праздники/После Пасхи/007.txt", kRecord},
          {"Месяцеслов/Переходящие праздники/После Пасхи/367.txt", kRecord},
          {"Богослужение/Апостол/Переходящие чтения/До Пасхи/007.txt", kText},
          {"Богослужение/Апостол/Переходящие чтения/До Пасхи/07.txt", kText},
          {"Богослужение/Апостол/Переходящие чтения/До Пасхи/1000.txt", kText},
          {"Богослужение/Евангелие/Воскресные/11.txt", kText},
          {"Богослужение/Евангелие/Воскресные/12.txt", kText},
          {"Богослужение/Евангелие/Воскресные/01.txt", kText}},
         {{"Месяцеслов/Переходящие праздники/После Пасхи/7.txt", "\"%.2d\""},
          {"Месяцеслов/Переходящие праздники/После Пасхи/007.txt", "\"%.2d\""},
          {"Месяцеслов/Переходящие праздники/После Пасхи/367.txt", "\"%.2d\""},
          {"Богослужение/Апостол/Переходящие чтения/До Пасхи/07.txt", "\"%.3d\""},
          {"Богослужение/Апостол/Переходящие чтения/До Пасхи/1000.txt", "\"%.3d\""},
          {"Богослужение/Евангелие/Воскресные/12.txt", "1 to 11"},
          {"Богослужение/Евангелие/Воскресные/01.txt", "1 to 11"}}},

        {"folders and files outside the tree's layout",
         {{"README.md", "about the tree\n"},
          {"Памятка.txt", kText},
          {"notes.txt", kText},
          {"Месяцесло/янв06.txt", kRecord},
          {"Месяцеслов/янв06.txt", kRecord},
          {"Богослужение/Указания/2025/jan01.htm", Html("")},
          {"Богослужение/Указания/2025/jan32.htm", Html("")},
          {"Богослужение/Указания/25/jan01.htm", Html("")},
          {"Богослужение/Молитвослов/Слав/любая страница.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв32/янв32.txt", kText}},
         {{"notes.txt", "not a file of this folder"},
          {"Месяцесло", "folder is not part of the data tree"},
          {"Месяцеслов/янв06.txt", "no file belongs in this folder"},
          {"Богослужение/Указания/2025/jan32.htm", "English month"},
          {"Богослужение/Указания/25", "folder is not part of the data tree"},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв32", "folder is not part of the data tree"}}},

        {"hymn sets hold their contents file and numbered pages in three languages",
         {{"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/янв06.txt", Cp1251("Тропарь\r\nКондак\r\n")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/1_слав.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/2_рус.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/звук.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/3_гражд.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/0_слав.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/1_eng.htm", Html("")},
          {"Богослужение/Тропари и кондаки/Воскресные/Великим постом/8/8.txt", kText},
          {"Богослужение/Тропари и кондаки/Воскресные/9/9.txt", kText},
          {"Богослужение/Тропари и кондаки/Дневные/3/1_слав.htm", Html("")}},
         {{"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/3_гражд.htm", "no title line"},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/0_слав.htm", "not a file of a hymn set"},
          {"Богослужение/Тропари и кондаки/Непереходящие праздники/янв06/1_eng.htm", "not a file of a hymn set"},
          {"Богослужение/Тропари и кондаки/Воскресные/9", "folder is not part of the data tree"},
          {"Богослужение/Тропари и кондаки/Дневные/3", "contents file 3.txt"}}},

        {"icons, their large versions and captions; notes; books of the Bible",
         {{"Иконы/Непереходящие праздники/янв06.jpg", kPicture},
          {"Иконы/Непереходящие праздники/а_янв06.jpg", kPicture},
          {"Иконы/Непереходящие праздники/янв06.txt", kText},
          {"Иконы/Непереходящие праздники/янв06_5.jpg", kPicture},
          {"Иконы/Непереходящие праздники/янв06_6.jpg", kPicture},
          {"Иконы/Непереходящие праздники/а_янв06.txt", kText},
          {"Иконы/Непереходящие праздники/янв07.jpg", kText},
          {"Иконы/Переходящие праздники/Иные/июл13Вс.jpg", kPicture},
          {"Иконы/Переходящие праздники/Иные/мар30_1.jpg", kPicture},
          {"Иконы/Переходящие праздники/Иные/июл13.jpg", kPicture},
          {"Иконы/Переходящие праздники/После Пасхи/07_2.jpg", kPicture},
          {"Иконы/Переходящие праздники/После Пасхи/7.jpg", kPicture},
          {"Иконы/00Вс.jpg", kPicture},
          {"Иконы/iсо.jpg", kPicture},
          {"Иконы/06Вс.jpg", kPicture},
          {"Записи/янв07.rtf", kNote},
          {"Записи/янв072024.rtf", kNote},
          {"Записи/фев29.doc", kNote},
          {"Записи/янв7.rtf", kNote},
          {"Записи/янв07.txt", kText},
          {"Библия/b_slv/b_slv01.html", Html("")},
          {"Библия/b_slv/b_slv77.html", Html("")},
          {"Библия/b_slv/b_slv78.html", Html("")},
          {"Библия/b_slv/b_snd01.html", Html("")},
          {"Библия/psalm/ps_tmr/psalm20.html", Html("")},
          {"Библия/psalm/ps_tmr/psalm21.html", Html("")}},
         {{"Иконы/Непереходящие праздники/янв06_6.jpg", "not an icon name"},
          {"Иконы/Непереходящие праздники/а_янв06.txt", "not an icon name"},
          {"Иконы/Непереходящие праздники/янв07.jpg", "not a JPEG"},
          {"Иконы/06Вс.jpg", "not an icon name"},
          {"Иконы/Переходящие праздники/Иные/июл13.jpg", "not an icon name"},
          {"Иконы/Переходящие праздники/После Пасхи/7.jpg", "not an icon name"},
          {"Записи/янв7.rtf", "not a note name"},
          {"Записи/янв07.txt", "not a note name"},
          {"Библия/b_slv/b_slv78.html", "01 to 77"},
          {"Библия/b_slv/b_snd01.html", "begins with \"b_slv\""},
          {"Библия/psalm/ps_tmr/psalm21.html", "psalm20.html"}}},

        {"text files are Windows-1251 with CR LF line ends; HTML declares its charset",
         {{"Богослужение/Евангелие/Воскресные/1.txt", Cp1251("Чтение\r\nдальше\r\n")},
          {"Богослужение/Евангелие/Воскресные/2.txt", Cp1251("Чтение\r\nдальше\nконец\r\n")},
          {"Богослужение/Евангелие/Воскресные/3.txt", Cp1251("Чтение\rдальше\r\n")},
          {"Богослужение/Евангелие/Воскресные/4.txt", QByteArray("Чтение\r\n")},
          {"Богослужение/Евангелие/Воскресные/5.txt", Cp1251("Чтение") + '\x98' + "\r\n"},
          {"Богослужение/Евангелие/Воскресные/6.txt", QByteArray("abc\0def\r\n", 9)},
          {"Богослужение/index.html", Cp1251("<html><body>Оглавление</body></html>\r\n")},
          {"Записи/янв08.rtf", QByteArray("{\\rtf1 bare\nline ends are RTF's own}")},
          {"Богослужение/_css/ms.css", QByteArray("body { }\n")}},
         {{"Богослужение/Евангелие/Воскресные/2.txt", "line 2 ends with a bare LF"},
          {"Богослужение/Евангелие/Воскресные/3.txt", "line 1 ends with a bare CR"},
          {"Богослужение/Евангелие/Воскресные/4.txt", "is UTF-8"},
          {"Богослужение/Евангелие/Воскресные/5.txt", "byte 0x98 at offset 6"},
          {"Богослужение/Евангелие/Воскресные/6.txt", "NUL byte"},
          {"Богослужение/index.html", "charset=windows-1251"},
          {"Богослужение/_css/ms.css", "line 1 ends with a bare LF"}}},

        {"Menaion records have their three fields; great-feast files their title line",
         {{"Месяцеслов/Переходящие праздники/Иные/июл13Вс.txt", kRecord},
          {"Месяцеслов/Переходящие праздники/Иные/июл14Вс.txt", Cp1251("Только заглавие\r\n")},
          {"Месяцеслов/Переходящие праздники/Иные/июл15Вс.txt", Cp1251("\r\nВторая\r\n\r\n\r\nТретья\r\n")},
          {"Месяцеслов/Переходящие праздники/До Пасхи/Условие/49.txt", Cp1251("Заглавие\r\n\r\nТекст\r\n")},
          {"Месяцеслов/Великие праздники/Непереходящие праздники/янв06.txt", Cp1251("Богоявление\r\n")},
          {"Месяцеслов/Великие праздники/Непереходящие праздники/янв07.txt", Cp1251("  \r\nтекст\r\n")}},
         {{"Месяцеслов/Переходящие праздники/Иные/июл14Вс.txt", "field 2"},
          {"Месяцеслов/Переходящие праздники/Иные/июл14Вс.txt", "field 3"},
          {"Месяцеслов/Переходящие праздники/Иные/июл15Вс.txt", "field 1"},
          {"Месяцеслов/Переходящие праздники/До Пасхи/Условие/49.txt", "field 2"},
          {"Месяцеслов/Великие праздники/Непереходящие праздники/янв07.txt", "title line is empty"}}},

        {"reading links point at anchors of every page of their book",
         {{"Богослужение/Евангелие/evangelie_slav.htm", Html("<a name=\"in16\"></a><a id='mf1'></a><a name=lk3>")},
          {"Богослужение/Евангелие/evangelie_rus.htm", Html("<a name=\"in16\"></a><A NAME=\"mf1\"></a>")},
          {"Богослужение/Евангелие/Воскресные/1.txt", Cp1251("[от Иоанна, зачало 16, Ин 5:24-30=in16].\r\n")},
          {"Богослужение/Евангелие/Воскресные/2.txt", Cp1251("[от Матфея=mf1 ] и [от Луки=lk3].\r\n")},
          {"Богослужение/Евангелие/Воскресные/3.txt", Cp1251("[от Марка=mk9].\r\n")},
          {"Богослужение/Евангелие/Воскресные/4.txt", Cp1251("Чтение [без цели.\r\n")},
          {"Богослужение/Апостол/Непереходящие чтения/янв06.txt", Cp1251("[зачало 270, 1 Фес 4:13-17=270].\r\n")}},
         {{"Богослужение/Евангелие/Воскресные/2.txt", "no anchor \"lk3\" in Богослужение/Евангелие/evangelie_rus.htm"},
          {"Богослужение/Евангелие/Воскресные/3.txt", "no anchor \"mk9\" in Богослужение/Евангелие/evangelie_slav.htm"},
          {"Богослужение/Евангелие/Воскресные/3.txt", "no anchor \"mk9\" in Богослужение/Евангелие/evangelie_rus.htm"},
          {"Богослужение/Евангелие/Воскресные/4.txt", "is not [title=target]"},
          {"Богослужение/Апостол/Непереходящие чтения/янв06.txt", "none of the pages"}}},

        {"Menaion links name pages of the lives and their anchors",
         {{"Жития святых/Святцы/янв06.htm", Html("<h2><a name=\"s1\"></a>Житие</h2>")},
          {"Месяцеслов/Непереходящие праздники/янв06.txt",
           Cp1251("Память [Иоанна=янв06.htm#s1] и [Петра= янв06.htm ]\r\nВторая\r\nТретья\r\n")},
          {"Месяцеслов/Непереходящие праздники/янв07.txt", Cp1251("Память [Иоанна=янв07.htm]\r\nВторая\r\nТретья\r\n")},
          {"Месяцеслов/Непереходящие праздники/янв08.txt", Cp1251("Память [Иоанна=янв06.htm#s2]\r\nВторая\r\nТретья\r\n")}},
         {{"Месяцеслов/Непереходящие праздники/янв07.txt", "the page Жития святых/Святцы/янв07.htm does not exist"},
          {"Месяцеслов/Непереходящие праздники/янв08.txt", "no anchor \"s2\""}}},

        {"links of the tree's pages name its files and their anchors",
         {{"Библия/b_snd/b_snd51.html", Html("<h2><a name=\"g1\"></a>Глава 1</h2><a href=\"#g1\">1</a> <a href='#g2'>2</a>")},
          {"Богослужение/_css/lz.css", Cp1251("body { }\r\n")},
          {"Богослужение/Евангелие/evangelie_rus.htm",
           Html("<link href=\"../_css/lz.css\" rel=\"stylesheet\"><a name=\"mf1\"></a>"
                "<a href=\"../../Библия/b_snd/b_snd51.html#g1\">Мф 1:1-25</a>"
                "<a href=\"..\\..\\Библия\\b_snd\\b_snd51.html\">книга</a>"
                "<a href=\"../../Библия/b_snd/b_snd51.html#g3\">Мф 3</a>"
                "<a href=\"../../Библия/b_snd/b_snd52.html#g1\">Мк 1</a>"
                "<a href=\"http://example.org/x.html#y\">снаружи</a><a href=\"mailto:a@b\">почта</a>"
                "<img src=\"../../Иконы/нет.jpg\"><a href=\"../../../вне.htm\">вне</a>")}},
         {{"Библия/b_snd/b_snd51.html", "link \"#g2\": no anchor \"g2\" in Библия/b_snd/b_snd51.html"},
          {"Богослужение/Евангелие/evangelie_rus.htm", "no anchor \"g3\" in Библия/b_snd/b_snd51.html"},
          {"Богослужение/Евангелие/evangelie_rus.htm", "the file Библия/b_snd/b_snd52.html does not exist"},
          {"Богослужение/Евангелие/evangelie_rus.htm", "the file Иконы/нет.jpg does not exist"},
          {"Богослужение/Евангелие/evangelie_rus.htm", "\"../../../вне.htm\" leaves the data tree"}}},
    };
    return cases;
}

void PrintTo(const TreeCase& tree_case, std::ostream* out)
{
    *out << tree_case.name;
}

class TreeCheckTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(TreeCheckTest, FindsExactlyTheListedProblems)
{
    const TreeCase& tree_case = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (const TreeFile& file : tree_case.files) {
        const QString path = root.filePath(QString::fromUtf8(file.path));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(file.bytes), file.bytes.size());
    }

    const std::vector<TreeProblem> found = CheckTree(root.path());

    std::vector<bool> matched(found.size(), false);
    for (const ExpectedProblem& expected : tree_case.problems) {
        int matches = 0;
        for (size_t i = 0; i < found.size(); ++i) {
            if (found[i].path == QString::fromUtf8(expected.path) && found[i].text.contains(QString::fromUtf8(expected.text_part))) {
                ++matches;
                matched[i] = true;
            }
        }
        EXPECT_EQ(matches, 1) << "expected once: " << expected.path << ": " << expected.text_part;
    }
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_TRUE(matched[i]) << "not expected: " << found[i].path.toStdString() << ": " << found[i].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeCheckTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TreeCase>& info) { return "case" + std::to_string(info.index); });

TEST(TreeCheck, MissingRootIsOneProblem)
{
    QTemporaryDir parent;
    const std::vector<TreeProblem> found = CheckTree(parent.filePath("absent"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, ".");
}

TEST(TreeCheck, ProblemsAreSortedByPath)
{
    QTemporaryDir root;
    for (const char* name : {"b.txt", "a.txt", "c.txt"}) {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const std::vector<TreeProblem> found = CheckTree(root.path());
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].path, "a.txt");
    EXPECT_EQ(found[2].path, "c.txt");
}

}  // namespace
}  // namespace indikt
