#include "cli/cli.h"
#include "cli/json.h"

#include "texts/cp1251.h"

#include "file_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace indikt::cli {
namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result RunTool(std::vector<std::string> arguments, Date clock_today = FromCivil(2025, 6, 1))
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(arguments, clock_today, out, err);
    return {code, out.str(), err.str()};
}

void ExpectContains(const std::string& text, const std::string& piece)
{
    EXPECT_NE(text.find(piece), std::string::npos) << "missing " << piece << "\nin " << text;
}

TEST(CliDay, TheStatusLineOfTheDay)
{
    const Result result = RunTool({"day", "2012-01-09"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    ExpectContains(result.out, "\"status\":\"Понедельник 9 янв 2012 г. (27 дек по ст. ст.). "
                               "От Паcхи 2011 г. - 260 дней. До Паcхи 2012 г. - 97 дней. \"");
}

TEST(CliDay, PaschaOf2025)
{
    const Result result = RunTool({"day", "2025-04-20"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_TRUE(result.err.empty());
    ASSERT_FALSE(result.out.empty());
    EXPECT_EQ(result.out.front(), '{');
    EXPECT_EQ(result.out.back(), '\n');
    EXPECT_EQ(result.out.find('\n'), result.out.size() - 1) << "one object on one line";
    for (const char* piece : {
             R"("date":"2025-04-20")", R"("old_style":"2025-04-07")", R"("weekday":1)", R"("plus":13)",
             R"("pascha":"2025-04-20")", R"("pascha_old_style":"2025-04-07")", R"("pascha_distance":0)", R"("from_pascha":0)", R"("sedmiza":"Пасха.")",
             R"("sedmiza_url":"[Святая Пасха=sinaksar.htm#s23].")", R"("post":"Сплошная седмица")",
             R"("post_hint":"Пасхальная седмица (Светлая) - сплошная")", R"("grid_post":"")", R"("grid_nepost":"")",
             R"("day_key":"апр07")", R"("texts":{"TextOfMonthAndDay":"апр20")",
             R"("TextOfDayAndMonthAndYear9":"20250420"}})"}) {
        ExpectContains(result.out, piece);
    }
}

// The Julian 29 February 2100 has a day of its own, and the days before it
// keep the difference 13 (date arithmetic).
TEST(CliDay, TheOldStyleDateIsTheJulianDate)
{
    struct Case { const char* date; std::vector<const char*> pieces; };
    const Case cases[] = {
        {"2100-01-07", {R"("old_style":"2099-12-25")", R"("plus":13)", R"("day_key":"дек25")"}},
        {"2100-03-14", {R"("old_style":"2100-02-29")", R"("plus":13)", R"("day_key":"фев29")"}},
        {"2100-03-15", {R"("old_style":"2100-03-01")", R"("plus":14)"}},
        {"1800-01-01", {R"("old_style":"1799-12-21")", R"("plus":11)", R"("day_key":"дек21")"}},
        {"2100-05-02", {R"("pascha":"2100-05-02")", R"("pascha_old_style":"2100-04-18")"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        const Result result = RunTool({"day", c.date});
        ASSERT_EQ(result.code, kExitOk) << result.err;
        for (const char* piece : c.pieces)
            ExpectContains(result.out, piece);
    }
}

TEST(CliDay, HintLineBreaksAreEscaped)
{
    const Result result = RunTool({"day", "2025-10-08"});  // a plain Wednesday
    ASSERT_EQ(result.code, kExitOk);
    ExpectContains(result.out, R"("post":"Постный день")");
    ExpectContains(result.out, R"("post_hint":"Пост установлен\nв воспоминание предания)");
    ExpectContains(result.out, R"("from_pascha":171)");
    ExpectContains(result.out, R"("grid_post":"постный день")");
}

TEST(CliDay, BeforePaschaTheDistanceHasNoSign)
{
    const Result result = RunTool({"day", "2025-04-13"});
    ASSERT_EQ(result.code, kExitOk);
    ExpectContains(result.out, R"("pascha_distance":7,"from_pascha":-7)");
    ExpectContains(result.out, R"("post_hint":"Разрешается рыба")");
}

TEST(CliRange, OneLinePerDayAcrossTheYearBoundary)
{
    const Result result = RunTool({"range", "2024-12-30", "2025-01-02"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    std::istringstream lines(result.out);
    std::vector<std::string> dates;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line.rfind(R"({"date":")", 0), 0u) << line;
        dates.push_back(line.substr(9, 10));
    }
    EXPECT_EQ(dates, (std::vector<std::string>{"2024-12-30", "2024-12-31", "2025-01-01", "2025-01-02"}));
}

// Counts lines and checks that each is one object, without keeping the
// gigabyte that the whole span prints.
class LineCounter : public std::streambuf {
public:
    std::size_t lines = 0;
    bool every_line_is_an_object = true;

protected:
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof())
            Take(traits_type::to_char_type(c));
        return c;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        for (std::streamsize i = 0; i < count; ++i)
            Take(text[i]);
        return count;
    }

private:
    void Take(char c)
    {
        if (at_line_start_ && c != '{')
            every_line_is_an_object = false;
        at_line_start_ = c == '\n';
        lines += at_line_start_;
    }
    bool at_line_start_ = true;
};

TEST(CliRange, TheWholeSpanHasEveryDay)
{
    LineCounter counter;
    std::ostream out(&counter);
    std::ostringstream err;
    ASSERT_EQ(RunCli({"range", "1752-01-01", "3000-12-31"}, FromCivil(2025, 6, 1), out, err), kExitOk) << err.str();
    EXPECT_EQ(counter.lines, 456188u);
    EXPECT_TRUE(counter.every_line_is_an_object);
}

TEST(CliJumps, TargetsFromADayOf2025)
{
    const Result result = RunTool({"jumps", "2025-09-01", "--today", "2025-09-01"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    for (const char* piece : {
             R"({"post":{"1":"2025-03-03",)", R"("17":"2025-11-01"})", R"("feasts":{"1":"2025-05-21",)",
             R"("22":"2025-01-07")", R"("30":"2025-07-21"})", R"("civil":{"1":"2025-01-01",)", R"("16":"2025-12-12"})",
             R"("lent_saturdays":{"11":true,"12":false,"13":true}})"}) {
        ExpectContains(result.out, piece);
    }
}

TEST(CliJumps, TheDemetriusSaturdayIsThatOfTheShownYear)
{
    // Shown 2149 (difference 14), where 1 and 8 November are Saturdays: 19..25
    // October old style is 2..8 November, whatever today's date.
    const Result with_2025 = RunTool({"--today", "2025-06-01", "jumps", "2149-03-01"});
    const Result with_clock_2149 = RunTool({"jumps", "2149-03-01"}, FromCivil(2149, 6, 1));
    ASSERT_EQ(with_2025.code, kExitOk);
    ASSERT_EQ(with_clock_2149.code, kExitOk);
    ExpectContains(with_2025.out, R"("17":"2149-11-08")");
    ExpectContains(with_clock_2149.out, R"("17":"2149-11-08")");
    // 2023: 22 October old style (the Kazan icon) is a Saturday; the memorial
    // Saturday is the one before, 28 October civil.
    ExpectContains(RunTool({"jumps", "2023-06-01"}).out, R"("17":"2023-10-28")");
    const Result lent = RunTool({"jumps", "1901-06-01"});
    ExpectContains(lent.out, R"("lent_saturdays":{"11":false,"12":true,"13":true})");
}

TEST(CliErrors, BadArgumentsExitWithTwoAndAMessage)
{
    struct Case { std::vector<std::string> arguments; const char* message; };
    const Case cases[] = {
        {{}, "no command given"},
        {{"week", "2025-01-01"}, "unknown command 'week'"},
        {{"day"}, "day takes one date"},
        {{"day", "2025-01-01", "2025-01-02"}, "day takes one date"},
        {{"day", "2025-02-30"}, "'2025-02-30' is not a date"},
        {{"day", "25-01-01"}, "is not a date"},
        {{"day", "2025-1-01"}, "is not a date"},
        {{"day", "+025-01-01"}, "is not a date"},
        {{"day", "1751-12-31"}, "outside the accepted range"},
        {{"day", "3001-01-01"}, "outside the accepted range"},
        {{"range", "2025-01-02", "2025-01-01"}, "earlier than FROM"},
        {{"range", "2025-01-02"}, "range takes two dates"},
        {{"jumps", "2025-01-01", "--today"}, "--today needs a date"},
        {{"jumps", "2025-01-01", "--today", "1700-01-01"}, "outside the accepted range"},
        {{"day", "2025-01-01", "--verbose"}, "unknown option --verbose"},
    };
    for (const Case& c : cases) {
        const Result result = RunTool(c.arguments);
        EXPECT_EQ(result.code, kExitBadArgument) << c.message;
        EXPECT_TRUE(result.out.empty()) << c.message;
        ExpectContains(result.err, c.message);
    }
}

TEST(CliErrors, AFailedWriteIsReported)
{
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"day", "2025-01-01"}, FromCivil(2025, 6, 1), out, err), kExitOutputFailed);
    ExpectContains(err.str(), "could not be written");
}

TEST(CliHelp, PrintsUsage)
{
    const Result result = RunTool({"--help"});
    EXPECT_EQ(result.code, kExitOk);
    ExpectContains(result.out, "usage: indikt-cli day");
}

TEST(CliHelp, EveryCommandHasItsOwnHelp)
{
    struct Case { const char* command; std::vector<std::string> pieces; std::string absent; };
    const Case cases[] = {
        {"day", {"usage: indikt-cli day YYYY-MM-DD", "prints the calendar facts"}, "indikt-cli range"},
        {"range", {"usage: indikt-cli range FROM TO", "every day from FROM to TO"}, "indikt-cli day "},
        {"readings", {"usage: indikt-cli readings", "Old Testament readings"}, "menaion prints"},
        {"search", {"usage: indikt-cli search TEXT", "[--data-root DIR] [--today YYYY-MM-DD]", "--word whole words"}, "report"},
        {"report", {"usage: indikt-cli report FROM TO", "-o FILE", "web\n       page"}, "search prints"},
        {"notes", {"usage: indikt-cli notes", "the dates of every note"}, "usage: indikt-cli note YYYY"},
        {"note", {"usage: indikt-cli note YYYY-MM-DD", "note of that day"}, "usage: indikt-cli notes"},
        {"rule", {"usage: indikt-cli rule", "home prayer rule"}, "tropar"},
        {"icons", {"usage: indikt-cli icons", "icon strip"}, "options"},
        {"backup", {"backup"}, "usage: indikt-cli day"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const Result result = RunTool({c.command, "--help"});
        EXPECT_EQ(result.code, kExitOk) << result.err;
        for (const std::string& piece : c.pieces)
            ExpectContains(result.out, piece);
        EXPECT_EQ(result.out.find(c.absent), std::string::npos) << result.out;
    }
    const Result unknown = RunTool({"nonsense", "--help"});
    EXPECT_EQ(unknown.code, kExitBadArgument);
    ExpectContains(unknown.err, "unknown command 'nonsense'");
}


// A data root with a user's file: the Nativity (old style), a civil holiday on
// the same day, a jubilee and a movable feast.
class CliFeasts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        const QString memo = QString::fromUtf8(
            "Данные программы Индикт\r\n"
            "Дата:         07.01.1990\r\n"
            "Число лет:    да\r\n"
            "Юбилей:       День рождения\r\n"
            "Вид:          не переходящий\r\n"
            "Статус:       православный\r\n"
            "Празднование: 25.12.2024\r\n"
            "Праздник:     Рождество\r\n"
            "Вид:          не переходящий\r\n"
            "Статус:       государственный\r\n"
            "Празднование: 07.01.2025\r\n"
            "Праздник:     Каникулы\r\n"
            "Вид:          переходящий\r\n"
            "Статус:       православный\r\n"
            "От Пасхи:     0\r\n"
            "Праздник:     Пасха\r\n");
        ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"), *EncodeCp1251(memo)));
    }
    Result feasts(const char* date, std::vector<std::string> more = {})
    {
        std::vector<std::string> arguments = {"feasts", date, "--data-root", root.path().toStdString(), "--today",
                                              "2025-01-03"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunTool(arguments);
    }
    QTemporaryDir root;
};

TEST_F(CliFeasts, TheFeastsOfADay)
{
    struct Case {
        const char* date;
        const char* json;
    };
    const Case cases[] = {
        {"2025-01-07",
         R"j({"feasts":"Рождество, Каникулы","class":1,"jubilees":"День рождения (35 лет)",)j"
         R"j("under_calendar":"Рождество\nКаникулы\nДень рождения (35 лет)\n","warnings":[]})j"
         "\n"},
        {"2026-01-07",
         R"j({"feasts":"Рождество, Каникулы","class":1,"jubilees":"День рождения (36 лет)",)j"
         R"j("under_calendar":"Рождество\nКаникулы\nДень рождения (36 лет)\n","warnings":[]})j"
         "\n"},
        {"2025-04-20", R"j({"feasts":"Пасха","class":1,"jubilees":"","under_calendar":"Пасха\n","warnings":[]})j" "\n"},
        {"2025-04-21", R"j({"feasts":"","class":0,"jubilees":"","under_calendar":"","warnings":[]})j" "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        const Result result = feasts(c.date);
        ASSERT_EQ(result.code, kExitOk) << result.err;
        EXPECT_EQ(result.out, c.json);
    }
}

TEST_F(CliFeasts, TheDisplaySwitchesOfZkIni)
{
    ASSERT_TRUE(WriteBytes(root.filePath("zk.ini"), "[Vid]\r\nJubPrint=0\r\n[Calendar]\r\nSeePrasd1=0\r\n"));
    const Result result = feasts("2025-01-07");
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_EQ(result.out, R"j({"feasts":"Каникулы","class":2,"jubilees":"День рождения (35 лет)",)j"
                          R"j("under_calendar":"Каникулы\n","warnings":[]})j"
                          "\n");
}

TEST(CliFeastsWithoutData, AnEmptyDataRootHasNoFeasts)
{
    QTemporaryDir root;
    const Result result = RunTool({"feasts", "2025-01-07", "--data-root", root.path().toStdString()});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_EQ(result.out, R"j({"feasts":"","class":0,"jubilees":"","under_calendar":"","warnings":[]})j" "\n");
    EXPECT_EQ(RunTool({"feasts", "2025-01-07", "--data-root"}).code, kExitBadArgument);
}

TEST_F(CliFeasts, WhatCouldNotBeReadIsSaidAndTheRestAnswered)
{
    QByteArray memo = ReadBytes(root.filePath("Памятка.txt"));
    memo += *EncodeCp1251(u"каракули\r\nПо Пасхе:     2147483647\r\nДата:         01.01.2000\r\nЮбилей:       Х\r\n");
    ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"), memo));
    ASSERT_TRUE(WriteBytes(root.filePath("zk.ini"), QByteArray("[Vid]\r\nJub\0Print=0\r\n", 20)));
    const Result result = feasts("2025-01-07");
    ASSERT_EQ(result.code, kExitOk) << result.err;
    ExpectContains(result.out, R"j("feasts":"Рождество, Каникулы")j");
    ExpectContains(result.out, R"j("warnings":["В файле \"Памятка.txt\" не прочитано строк и записей: 2.",)j");
    ExpectContains(result.err, "indikt-cli: warning: В файле \"Памятка.txt\"");
    ExpectContains(result.err, "zk.ini");
    EXPECT_FALSE(QFileInfo::exists(root.filePath("zk.ini.bad"))) << "the tool changed the data root";
}

TEST(CliDataRoot, AMissingOrUnusableDataRootIsAnError)
{
    QTemporaryDir temp;
    const std::string file = temp.filePath("файл").toStdString();
    ASSERT_TRUE(WriteBytes(QString::fromStdString(file), "x"));
    for (const char* command : {"feasts", "readings", "menaion", "tropar", "rule"}) {
        SCOPED_TRACE(command);
        for (const std::string& root : {temp.filePath("нет").toStdString(), file}) {
            const Result result = RunTool({command, "2025-01-07", "--data-root", root});
            EXPECT_EQ(result.code, kExitBadArgument);
            EXPECT_TRUE(result.out.empty());
            ExpectContains(result.err, "data root '" + root + "'");
        }
    }
    EXPECT_EQ(RunTool({"range", "2025-01-07", "2025-01-08", "--readings", "--data-root", file}).code, kExitBadArgument);
    EXPECT_EQ(RunTool({"day", "2025-01-07", "--data-root", file}).code, kExitOk) << "day reads no data root";

    // A folder without the tree answers no texts: refused for the texts,
    // still a data root for the user's own files.
    const std::string empty = temp.path().toStdString();
    for (const char* command : {"readings", "menaion", "tropar"}) {
        SCOPED_TRACE(command);
        const Result result = RunTool({command, "2025-01-07", "--data-root", empty});
        EXPECT_EQ(result.code, kExitBadArgument);
        ExpectContains(result.err, "holds no data tree");
    }
    EXPECT_EQ(RunTool({"range", "2025-01-07", "2025-01-08", "--readings", "--data-root", empty}).code, kExitBadArgument);
    EXPECT_EQ(RunTool({"feasts", "2025-01-07", "--data-root", empty}).code, kExitOk);
    EXPECT_EQ(RunTool({"notes", "--data-root", empty}).code, kExitOk);
}

TEST(CliJson, LineEndsInTextsAreNewlines)
{
    std::string out;
    AppendJsonString(out, "a\r\nb\rc\nd\ne\r\r");
    EXPECT_EQ(out, R"("a\nb\nc\nd\ne\n\n")");
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

// A small tree whose reading files hold their own names.
struct ReadingsRoot {
    QTemporaryDir root;
    void add(const QString& relative, const QString& text) const
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text + "\r\n")));
    }
};

TEST(CliReadings, TheReadingsOfADayWithTheirFiles)
{
    ReadingsRoot tree;
    tree.add("Богослужение/Евангелие/Воскресные/1.txt", "[от Иоанна, зачало 65, Ин 20:19-31=in65]");
    tree.add("Богослужение/Апостол/Переходящие чтения/После Пасхи/007.txt", "[Деяния, зачало 14, Деян 5:12-20=ap14]");
    const std::string root = tree.root.path().toStdString();
    const Result thomas = RunTool({"readings", "2025-04-27", "--data-root", root});
    EXPECT_EQ(thomas.code, 0) << thomas.err;
    EXPECT_EQ(thomas.out,
              R"({"gospel":{"text":"На утрени [от Иоанна, зачало 65, Ин 20:19-31=in65]\n","files":)"
              R"(["Богослужение/Евангелие/Воскресные/1.txt","","","","",""]},)"
              R"("apostle":{"text":"[Деяния, зачало 14, Деян 5:12-20=ap14]","files":)"
              R"(["","","Богослужение/Апостол/Переходящие чтения/После Пасхи/007.txt","",""]},)"
              R"("parimii":{"text":"","files":["","",""]}})"
              "\n");

    const Result range = RunTool({"range", "2025-04-26", "2025-04-28", "--readings", "--data-root", root});
    EXPECT_EQ(range.code, 0) << range.err;
    EXPECT_EQ(std::count(range.out.begin(), range.out.end(), '\n'), 3);
    ExpectContains(range.out, R"("files":["Богослужение/Евангелие/Воскресные/1.txt")");

    // A data root that is not there is an error, not a day without readings.
    const Result missing = RunTool({"readings", "2025-04-27", "--data-root", "/nonexistent"});
    EXPECT_EQ(missing.code, kExitBadArgument);
    EXPECT_TRUE(missing.out.empty());
    ExpectContains(missing.err, "data root '/nonexistent' does not exist");
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

TEST(CliMenaion, ThePageItsTextAndItsRecords)
{
    ReadingsRoot tree;
    tree.add("Месяцеслов/Непереходящие праздники/янв17.txt",
             "**** [Преподобного Антония Великого=янв17.htm#s1].\r\nВторая строка.\r\nТретья строка.");
    const Result day = RunTool({"menaion", "2025-01-30", "--data-root", tree.root.path().toStdString()});
    EXPECT_EQ(day.code, 0) << day.err;
    ExpectContains(day.out, R"(<a href=\"Жития святых\\Святцы\\янв17.htm#s1\">Преподобного Антония Великого</a>)");
    ExpectContains(day.out, R"(alt=\"Служба с полиелеем\">)");
    ExpectContains(day.out, R"("text":"Седмица 32-я по Пятидесятнице. Глас 6-й.\nПреподобного Антония Великого.\n)");
    ExpectContains(day.out, R"("files":["Месяцеслов/Непереходящие праздники/янв17.txt"]})");
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

TEST(CliTropar, TheHymnsOfADayInCivilScript)
{
    ReadingsRoot tree;
    const std::string set = "Богослужение/Тропари и кондаки/Великие праздники/Переходящие праздники/После Пасхи/00/";
    tree.add(QString::fromStdString(set + "00.txt"), "Тропарь Пасхи\r\nКондак Пасхи");
    tree.add(QString::fromStdString(set + "1_гражд.htm"), "<html><body><p>Христос воскресе из мертвых</p></body></html>");
    const Result pascha = RunTool({"tropar", "2025-04-20", "--data-root", tree.root.path().toStdString()});
    EXPECT_EQ(pascha.code, 0) << pascha.err;
    ExpectContains(pascha.out, R"("html":"<h4>Тропарь Пасхи</h4><p>Христос воскресе из мертвых</p><h4>Кондак Пасхи</h4>")");
    ExpectContains(pascha.out, R"("files":[")" + set + R"(1_гражд.htm"]})");
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

// `indikt-cli rule`: each plan that is on with its portion of the date, in
// the version it chose; zk.ini is never written, whatever it holds.
TEST(CliRule, ThePortionsOfADayLeaveZkIniAlone)
{
    ReadingsRoot tree;
    tree.add("zk.ini", "[Pravilo]\r\n"
                       "CheckBoxEvNSav=1\r\nDateEvNSav=01.06.2025\r\nVersiyaEvNSav=2\r\n"
                       "CheckBoxPsalm=1\r\nDatePsalm=01.06.2025\r\nRBAutoListPsalm=0\r\nStopPsalm=0\r\n"
                       "PoslGlavPsalm=4\r\nDateStopPsalm=01.06.2025\r\nSpinEditPlusPsalm=0\r\n"
                       "CheckBoxApNSav=0\r\n");
    const QString zk = tree.root.path() + "/zk.ini";
    const QByteArray before = ReadBytes(zk);
    const std::string root = tree.root.path().toStdString();

    const Result day = RunTool({"rule", "2025-06-03", "--data-root", root, "--today", "2025-06-03"});
    EXPECT_EQ(day.code, 0) << day.err;
    EXPECT_EQ(day.out.find('\n'), day.out.size() - 1);
    ExpectContains(day.out, R"({"date":"2025-06-03","plans":[{"plan":"EvNSav","caption":"Евангелие",)"
                            R"("portion":"Мф, глава 3.","long":"Евангелие от Матфея, глава 3",)"
                            R"("link":"Библия/b_snd/b_snd51.html#g3","markup":"[Мф, глава 3=51.html#g3].",)"
                            R"("finished":false,"skipped":false,"read":false,)");
    // The Psalter was read on 1 June and moves on by one (0 units a day read as 1).
    ExpectContains(day.out, R"({"plan":"Psalm","caption":"Псалтирь","portion":"Кафизма 5 (Пс 32-36).")");
    ExpectContains(day.out, R"("link":"Библия/psalm/ps_sl/psalm05.html")");
    EXPECT_EQ(day.out.find("ApNSav"), std::string::npos) << "a plan that is off is not listed";
    ExpectContains(day.out, R"("warnings":[]})");

    // Before the start and after the end.
    const Result before_start = RunTool({"rule", "2025-05-31", "--data-root", root, "--today", "2025-06-03"});
    ExpectContains(before_start.out, R"("portion":"","long":"","link":"","markup":"")");
    const Result finished = RunTool({"rule", "2025-09-01", "--data-root", root, "--today", "2025-06-03"});
    ExpectContains(finished.out, R"("finished":true)");

    // Many days in a row move nothing.
    for (int day_of_june = 1; day_of_june <= 30; ++day_of_june)
        RunTool({"rule", "2025-06-" + std::string(day_of_june < 10 ? "0" : "") + std::to_string(day_of_june),
                 "--data-root", root});
    EXPECT_EQ(ReadBytes(zk), before);
    EXPECT_EQ(QDir(tree.root.path()).entryList(QDir::Files), QStringList{"zk.ini"});
}

// Notes as the pane shows them: the note of civil 7 January 2025 is kept
// under 25 December 2024 old style; a yearly note is dated in today's year.
TEST(CliNotes, TheNoteOfADayAndTheListOfNotes)
{
    QTemporaryDir root;
    const QString notes = root.path() + "/Записи/";
    ASSERT_TRUE(QDir().mkpath(notes));
    ASSERT_TRUE(WriteBytes(notes + "дек252024.rtf",
                           "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\pard\\qc\\f0\\fs28 "
                           "\\'d0\\'ee\\'e6\\'e4\\'e5\\'f1\\'f2\\'e2\\'ee {\\b \\'d5\\'f0\\'e8\\'f1\\'f2\\'ee\\'e2\\'ee}\\par"
                           " \\'ef\\'f0\\'e0\\'e7\\'e4\\'ed\\'e8\\'ea\\par}"));
    ASSERT_TRUE(WriteBytes(notes + "янв19.rtf", "{\\rtf1 yearly\\par}"));
    ASSERT_TRUE(WriteBytes(notes + "янв192025.rtf", "{\\rtf1 hidden\\par}"));
    ASSERT_TRUE(WriteBytes(notes + "мар01.doc", "not rtf"));
    ASSERT_TRUE(WriteBytes(notes + "заметки.rtf", "{\\rtf1 x}"));
    const std::string data_root = root.path().toStdString();

    const Result note = RunTool({"note", "2025-01-07", "--data-root", data_root});
    ASSERT_EQ(note.code, kExitOk) << note.err;
    EXPECT_EQ(note.out,
              R"({"date":"2025-01-07","old_style":"2024-12-25","file":"Записи/дек252024.rtf","yearly":false,)"
              R"("editable":true,"notice":"","hidden":[],"text":"Рождество Христово\nпраздник","html":)"
              R"("<p style=\"text-align:center\"><span style=\"font-family:'Arial';font-size:14pt;\">Рождество </span>)"
              R"(<span style=\"font-family:'Arial';font-size:14pt;font-weight:bold;\">Христово</span></p>\n)"
              R"(<p style=\"text-align:center\"><span style=\"font-family:'Arial';font-size:14pt;\">праздник</span></p>\n"})"
              "\n");
    const Result yearly = RunTool({"note", "2025-02-01", "--data-root", data_root});
    ExpectContains(yearly.out, R"("file":"Записи/янв19.rtf","yearly":true,)");
    ExpectContains(yearly.out, R"("hidden":["Записи/янв192025.rtf"],"text":"yearly")");
    const Result doc = RunTool({"note", "2025-03-14", "--data-root", data_root});
    ExpectContains(doc.out, R"("file":"Записи/мар01.doc","yearly":true,"editable":false,)");
    const Result none = RunTool({"note", "2025-06-01", "--data-root", data_root});
    ExpectContains(none.out, R"("file":"","yearly":false,"editable":true,"notice":"","hidden":[],"text":"","html":"")");

    const Result list = RunTool({"notes", "--data-root", data_root, "--today", "2026-05-01"});
    ASSERT_EQ(list.code, kExitOk) << list.err;
    EXPECT_EQ(list.out, R"({"examined":4,"notes":[)"
                        R"({"old_style":"2024-12-25","civil":"2025-01-07","yearly":false,"file":"Записи/дек252024.rtf"},)"
                        R"({"old_style":"2025-01-19","civil":"2025-02-01","yearly":false,"file":"Записи/янв192025.rtf"},)"
                        R"({"old_style":"2026-01-19","civil":"2026-02-01","yearly":true,"file":"Записи/янв19.rtf"}]})"
                        "\n");
    // The files are as they were.
    EXPECT_TRUE(QFileInfo::exists(notes + "мар01.doc"));

    EXPECT_EQ(RunTool({"notes", "2025-01-01", "--data-root", data_root}).code, kExitBadArgument);
    EXPECT_EQ(RunTool({"note", "--data-root", data_root}).code, kExitBadArgument);
    EXPECT_EQ(RunTool({"notes", "--data-root", data_root + "/missing"}).code, kExitBadArgument);
}

TEST(CliOptions, TheSettingsTheDialogShowsForAZkIni)
{
    QTemporaryDir root;
    const std::string data_root = root.path().toStdString();
    // Stored indices out of their lists come into them: "SBUkas" 3 without the
    // Typikon file is 0, "IcoDesktopNum" 7 is the last entry "4".
    ASSERT_TRUE(WriteBytes(root.filePath("zk.ini"),
                           "[Windows]\r\nUpdateHost1=example.org\r\n[Vid]\r\nSBUkas=3\r\nIcoDesktopNum=7\r\n"
                           "Sostojanie=0\r\nFirstDay=0\r\n[Calendar]\r\nColorVos=0\r\nSeePost=0\r\n"));
    const QByteArray before = ReadBytes(root.filePath("zk.ini"));
    const Result result = RunTool({"options", "--data-root", data_root});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    ExpectContains(result.out, R"({"status_bar":false,"fast_hints":true,)");
    ExpectContains(result.out, R"("desktop_icon_count":4,)");
    ExpectContains(result.out, R"("typikon_source":0,)");
    ExpectContains(result.out, R"("first_day":0,)");
    ExpectContains(result.out, R"({"name":"Воскресные дни","shown":true,"font":255,"background":0})");
    ExpectContains(result.out, R"({"name":"Постные дни","shown":false,"font":0,"background":12639424})");
    ExpectContains(result.out, R"("frame_colour":16711680,"typikon_choices":3,)");
    ExpectContains(result.out, R"("update_sites":{"primary":"example.org","fallback":""},"version":)");
    EXPECT_EQ(ReadBytes(root.filePath("zk.ini")), before) << "nothing written";

    EXPECT_EQ(RunTool({"options", "2025-01-01", "--data-root", data_root}).code, kExitBadArgument);
    EXPECT_EQ(RunTool({"options", "--data-root", data_root + "/missing"}).code, kExitBadArgument);
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

class CliBooks : public ::testing::Test {
protected:
    QTemporaryDir root;
    std::string rootPath() const { return root.path().toStdString(); }
    void write(const QString& relative, const QString& text)
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
};

TEST_F(CliBooks, TheLivesPageOfADay)
{
    write("Жития святых/Святцы/янв06.htm", "<html><body><h1>Богоявление</h1><p>Крещение Господне</p></body></html>");
    const Result found = RunTool({"lives", "2025-01-19", "--data-root", rootPath()});
    ASSERT_EQ(found.code, kExitOk) << found.err;
    ExpectContains(found.out, R"("page":"Жития святых\\Святцы\\янв06.htm")");
    ExpectContains(found.out, "Крещение Господне");
    const Result missing = RunTool({"lives", "2025-01-20", "--data-root", rootPath()});
    ASSERT_EQ(missing.code, kExitOk) << missing.err;
    ExpectContains(missing.out, R"("wanted":"Жития святых\\Святцы\\янв07.htm","page":null,"text":"")");
}

TEST_F(CliBooks, ThePrayerBookOfASeasonAndLanguage)
{
    write("Богослужение/Молитвослов/Слав/sl.htm", "<p>Молитвы утренния</p>");
    write("Богослужение/Молитвослов/Слав/sl_00.htm", "<p>Часы Пасхи</p>");
    struct Case { std::vector<std::string> extra; std::string date; std::vector<std::string> pieces; };
    const Case cases[] = {
        {{}, "2025-04-20", {R"("language":1)", R"("season":"bright_week")", R"("page":"Богослужение\\Молитвослов\\Слав\\sl_00.htm")", "Часы Пасхи"}},
        {{}, "2025-05-29", {R"("season":"to_pentecost")", R"("page":"Богослужение\\Молитвослов\\Слав\\sl.htm")"}},
        {{"--language", "4"}, "2025-04-20", {R"("language":4)", R"("wanted":"Богослужение\\Молитвослов\\Звук\\sv.htm")", R"("page":null)", R"("underlined":[true,false,false,false,false])"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"prayerbook", c.date, "--data-root", rootPath()};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        const Result result = RunTool(arguments);
        ASSERT_EQ(result.code, kExitOk) << result.err;
        for (const std::string& piece : c.pieces)
            ExpectContains(result.out, piece);
    }
    for (const char* bad : {"0", "6", "x", "12"})
        EXPECT_EQ(RunTool({"prayerbook", "2025-04-20", "--language", bad, "--data-root", rootPath()}).code,
                  kExitBadArgument) << bad;
}

TEST_F(CliBooks, TheBookmarksAndWhatWasSkipped)
{
    write("Закладки.txt", "Закладки от 01.01.2025\r\n\n"
                          "Дата:         20.04.2025\r\nИмя:          Пасха\r\n"
                          "Дата:         07.01.2024\r\n");
    const Result result = RunTool({"bookmarks", "--data-root", rootPath()});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    ExpectContains(result.out, R"("bookmarks":[{"name":"Пасха","date":"2025-04-20","old_style":"07.04.2025"}])");
    ExpectContains(result.out, R"("skipped":1)");
    ExpectContains(result.err, "warning");
    EXPECT_EQ(RunTool({"bookmarks", "2025-01-01", "--data-root", rootPath()}).code, kExitBadArgument);
}

// `search` over a small tree: one line a page, the same pages the panel lists.
TEST(CliSearch, OneLineAPageWithItsDatesAndAnExcerpt)
{
    QTemporaryDir root;
    const QString folder = root.path() + "/Месяцеслов/Непереходящие праздники";
    QDir().mkpath(folder);
    // Civil 13 and 14 January 2025 are 31 December 2024 and 1 January 2025 old style.
    ASSERT_TRUE(WriteBytes(folder + "/дек31.txt", *EncodeCp1251(u"Отдание праздника\r\nсвятителя [Иоанна=x] Богослова\r\n")));
    ASSERT_TRUE(WriteBytes(folder + "/янв01.txt", *EncodeCp1251(u"Обрезание\r\nиоанна богослова (и Василия)\r\n")));
    const std::string data_root = root.path().toStdString();

    const Result all = RunTool({"search", "Иоанна Богослова", "--scope", "menaion", "--year", "2025", "--data-root", data_root});
    ASSERT_EQ(all.code, kExitOk) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 2);
    ExpectContains(all.out, "{\"civil\":\"2025-01-13\",\"old_style\":\"2024-12-31\",\"variant\":0,\"entry\":-1,"
                            "\"title\":\"\",\"count\":1,\"excerpt\":\"");
    ExpectContains(all.out, "\"civil\":\"2025-01-14\",\"old_style\":\"2025-01-01\"");
    ExpectContains(all.out, "Отдание праздника святителя Иоанна Богослова\"}");  // across the link

    const Result with_case = RunTool({"search", "Иоанна Богослова", "--scope", "menaion", "--case", "--year", "2025",
                                      "--data-root", data_root});
    EXPECT_EQ(std::count(with_case.out.begin(), with_case.out.end(), '\n'), 1);
    const Result literal = RunTool({"search", "(и", "--scope", "menaion", "--year", "2025", "--data-root", data_root});
    ExpectContains(literal.out, "\"civil\":\"2025-01-14\"");
    const Result word = RunTool({"search", "Василия", "--scope", "menaion", "--word", "--year", "2025", "--data-root", data_root});
    ExpectContains(word.out, "\"count\":1");
    const Result other_year = RunTool({"search", "Иоанна", "--scope", "menaion", "--data-root", data_root},
                                      FromCivil(2031, 5, 1));
    ExpectContains(other_year.out, "\"civil\":\"2031-01-13\"");  // today's year by default

    struct Bad { std::vector<std::string> arguments; const char* message; };
    const Bad bad[] = {
        {{"search", "слово", "--data-root", data_root}, "search needs --scope"},
        {{"search", "слово", "--scope", "everything", "--data-root", data_root}, "search needs --scope"},
        {{"search", "--scope", "notes", "--data-root", data_root}, "search takes one text"},
        {{"search", "слово", "--scope", "notes", "--year", "1700", "--data-root", data_root}, "is not a year"},
        {{"search", "слово", "--scope", "notes", "--year", "20x5", "--data-root", data_root}, "is not a year"},
    };
    for (const Bad& c : bad) {
        const Result result = RunTool(c.arguments);
        EXPECT_EQ(result.code, kExitBadArgument) << c.message;
        ExpectContains(result.err, c.message);
    }
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

// `report`: the period in old style, each end with its own year's difference.
TEST(CliReport, AnOldStylePeriodAcrossTheJulianLeapDayOf2100)
{
    QTemporaryDir root;
    const QString file = root.path() + "/отчет.txt";
    // Julian 28 February 2100 is civil 13 March (13 days apart); the Julian 29
    // February makes it 14: Julian 1 March is civil 15 March.
    const Result result = RunTool({"report", "2100-03-01", "2100-02-28", "--old-style", "--data", "menaion",
                                   "--format", "txt", "-o", file.toStdString(), "--data-root", root.path().toStdString()});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    const QString text = QString::fromUtf8(ReadBytes(file));
    EXPECT_TRUE(text.startsWith("Церковный календарь с 13.03.2100 по 15.03.2100\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Воскресенье 14 марта (29 февраля по ст.ст.)")) << text.toStdString();
    EXPECT_EQ(text.count(" по ст.ст.) "), 3);

    struct Bad { std::vector<std::string> arguments; const char* message; };
    const std::string data_root = root.path().toStdString();
    const Bad bad[] = {
        {{"report", "2025-01-01", "2025-01-02", "--data", "menaion", "--format", "pdf", "-o", file.toStdString(),
          "--data-root", data_root}, "--format html, odt or txt"},
        {{"report", "2025-01-01", "2025-01-02", "--data", "psalter", "--format", "txt", "-o", file.toStdString(),
          "--data-root", data_root}, "--data takes"},
        {{"report", "2025-01-01", "2025-01-02", "--data", "menaion", "--format", "txt", "--data-root", data_root},
         "needs -o FILE"},
        {{"report", "2025-02-29", "2025-03-01", "--old-style", "--data", "menaion", "--format", "txt", "-o",
          file.toStdString(), "--data-root", data_root}, "not an old-style date"},
    };
    for (const Bad& c : bad) {
        const Result bad_result = RunTool(c.arguments);
        EXPECT_EQ(bad_result.code, kExitBadArgument) << c.message;
        ExpectContains(bad_result.err, c.message);
    }
}


// The three file formats, and a file that cannot be written: the old file
// stays, the message names it, the exit code says the output failed.
TEST(CliReport, WritesAWebPageAnOdfDocumentOrAText)
{
    QTemporaryDir root;
    const std::string data_root = root.path().toStdString();
    struct Case { const char* format; const char* name; QByteArray start; };
    const Case cases[] = {
        {"html", "/отчет.htm", "<html>"},
        {"txt", "/отчет.txt", "\xEF\xBB\xBF\xD0\xA6"},  // a byte-order mark, then "Ц"
        {"odt", "/отчет.odt", "PK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const QString file = root.path() + QString::fromUtf8(c.name);
        const Result result = RunTool({"report", "2025-01-14", "2025-01-13", "--data", "menaion,notes", "--format",
                                       c.format, "-o", file.toStdString(), "--data-root", data_root});
        ASSERT_EQ(result.code, kExitOk) << result.err;
        const QByteArray bytes = ReadBytes(file);
        EXPECT_TRUE(bytes.startsWith(c.start)) << bytes.left(40).toStdString();
        const QString text = std::string_view(c.format) == "odt" ? OdfContentXml(file) : QString::fromUtf8(bytes);
        EXPECT_TRUE(text.contains(u"Понедельник 13 января (31 декабря по ст.ст.)"_qs)) << text.left(600).toStdString();
        EXPECT_TRUE(text.contains(u"Вторник 14 января (1 января по ст.ст.)"_qs));
    }

    const QString kept = root.path() + "/папка";
    ASSERT_TRUE(QDir().mkpath(kept));
    for (const QString& target : {root.path() + "/нет/отчет.odt", root.path() + "/нет/отчет.txt", kept}) {
        SCOPED_TRACE(target.toStdString());
        const Result result = RunTool({"report", "2025-01-13", "2025-01-13", "--data", "menaion", "--format",
                                       target.endsWith(".odt") ? "odt" : "txt", "-o", target.toStdString(),
                                       "--data-root", data_root});
        EXPECT_EQ(result.code, kExitOutputFailed);
        ExpectContains(result.err, "Не удалось сохранить файл");
        ExpectContains(result.err, target.toStdString());
    }
    EXPECT_TRUE(QFileInfo(kept).isDir());
}

}  // namespace
}  // namespace indikt::cli

namespace indikt::cli {
namespace {

// 9 March 2025 is a Sunday of Lent (old style 24 February): the Sunday icon
// after the counter zk.ini holds, and the day's commemoration.
TEST(CliIcons, TheIconsOfADayLeaveTheCountersAlone)
{
    QTemporaryDir root;
    const QString icons = root.path() + u"/Иконы"_qs;
    ASSERT_TRUE(QDir().mkpath(icons + u"/Непереходящие праздники"_qs));
    for (const QString& name : {u"00Вс.jpg"_qs, u"\u0430_00Вс.jpg"_qs, u"Непереходящие праздники/фев24.jpg"_qs})
        ASSERT_TRUE(WriteBytes(icons + '/' + name, "jpeg"));
    ASSERT_TRUE(WriteBytes(icons + u"/Непереходящие праздники/фев24.txt"_qs,
                           *EncodeCp1251(u"Обретение главы Иоанна Предтечи\r\n"_qs)));
    const QByteArray ini = "[Vid]\r\nNumIcoVoskresenie=5\r\nNumIcoSpas=2\r\n";
    ASSERT_TRUE(WriteBytes(root.path() + "/zk.ini", ini));
    for (int run = 0; run < 2; ++run) {
        const Result day = RunTool({"icons", "2025-03-09", "--data-root", root.path().toStdString()});
        EXPECT_EQ(day.code, 0) << day.err;
        EXPECT_EQ(day.out,
                  R"({"slots":[{"path":"Иконы/00Вс.jpg","hint":"Воскресение Христово","large":"Иконы/а_00Вс.jpg","command":"OpenIcoVos"},)"
                  R"({"path":"Иконы/Непереходящие праздники/фев24.jpg","hint":"Обретение главы Иоанна Предтечи","large":"","command":"OpenIcoNepereh"}],)"
                  R"("great_feast":false,"warnings":[]})"
                  "\n");
    }
    EXPECT_EQ(ReadBytes(root.path() + "/zk.ini"), ini);
    EXPECT_EQ(RunTool({"icons", "--data-root", root.path().toStdString()}).code, 2);
}

}  // namespace
}  // namespace indikt::cli
