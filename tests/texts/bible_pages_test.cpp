// Writing the chapter pages of an imported Bible into a data tree in a
// temporary folder, and refusing what Windows-1251 cannot hold.

#include "texts/bible_pages.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

QByteArray Sample(const char* name)
{
    return ReadBytes(QString::fromUtf8(INDIKT_BIBLE_SAMPLES) + u'/' + QString::fromUtf8(name));
}

Bible Parsed(const char* name)
{
    BibleParse parse = ParseBible(Sample(name));
    EXPECT_TRUE(parse.bible) << name << ": " << parse.error.toStdString();
    return parse.bible ? *parse.bible : Bible{};
}

QString Page(const QTemporaryDir& dir, const QString& relative)
{
    return DecodeCp1251(ReadBytes(dir.path() + u'/' + relative));
}

TEST(KathismaOfPsalm, FollowsThePsalterByKathismata)
{
    // The kathismata of the home rule: 1 (Пс 1-8) … 17 (Пс 118) … 20 (Пс 143-150), and 151 after it.
    const std::pair<int, int> cases[] = {{1, 1},   {8, 1},    {9, 2},    {50, 7},  {90, 12}, {117, 16}, {118, 17},
                                         {119, 18}, {133, 18}, {134, 19}, {143, 20}, {150, 20}, {151, 20}, {0, 0},
                                         {152, 0}};
    for (const auto& [psalm, kathisma] : cases)
        EXPECT_EQ(KathismaOfPsalm(psalm), kathisma) << psalm;
}

TEST(WriteBiblePages, WritesBookAndPsalterPagesWithTheirAnchors)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BibleImportResult result = WriteBiblePages(Parsed("sample.osis.xml"), dir.path(), {});
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.books, 3);
    EXPECT_EQ(result.verses, 6);
    EXPECT_TRUE(result.written.contains("Библия/b_snd/b_snd51.html"));
    EXPECT_TRUE(result.written.contains("Библия/psalm/ps_snd/psalm20.html"));

    const QByteArray bytes = ReadBytes(dir.path() + "/Библия/b_snd/b_snd51.html");
    EXPECT_FALSE(LooksLikeUtf8(bytes));  // Windows-1251
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const QString matthew = DecodeCp1251(bytes);
    EXPECT_TRUE(matthew.contains("charset=windows-1251"));
    EXPECT_TRUE(matthew.contains("<h1>Евангелие от Матфея</h1>"));
    // Every chapter of the book has its anchor, also those the file lacks.
    EXPECT_TRUE(matthew.contains("<h2><a name=\"g1\"></a>Глава 1</h2>"));
    EXPECT_TRUE(matthew.contains("<a name=\"g28\"></a>"));
    EXPECT_TRUE(matthew.contains("<p><sup>2</sup> Авраам родил Исаака; Исаак родил Иакова;</p>"));
    EXPECT_TRUE(matthew.contains("Этой главы нет в загруженном файле."));
    EXPECT_TRUE(matthew.contains("Синодальный перевод (образец)"));

    const QString first_kathisma = Page(dir, "Библия/psalm/ps_snd/psalm01.html");
    EXPECT_TRUE(first_kathisma.contains("<a name=\"p1\"></a>Псалом 1"));
    EXPECT_TRUE(first_kathisma.contains("<a name=\"p8\"></a>"));
    EXPECT_TRUE(first_kathisma.contains("Блажен муж"));
    EXPECT_TRUE(Page(dir, "Библия/psalm/ps_snd/psalm20.html").contains("<a name=\"p151\"></a>"));

    const QString contents = Page(dir, "Библия/b_snd/b_snd.html");
    EXPECT_TRUE(contents.contains("<a href=\"b_snd01.html\">Первая книга Моисеева. Бытие</a>"));
}

TEST(WriteBiblePages, ChosenFoldersAndTitle)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BibleImportOptions options;
    options.version_folder = "b_sgr";
    options.psalter_folder = "ps_sgr";
    options.title = "Мой перевод & <образец>";
    const BibleImportResult result = WriteBiblePages(Parsed("sample.zefania.xml"), dir.path(), options);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Библия/b_sgr/b_sgr51.html"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Библия/b_sgr/b_sgr18.html"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/Библия/b_snd"));
    const QString kathisma7 = Page(dir, "Библия/psalm/ps_sgr/psalm07.html");
    EXPECT_TRUE(kathisma7.contains("<a name=\"p50\"></a>"));
    EXPECT_TRUE(kathisma7.contains("Помилуй меня, Боже"));
    EXPECT_TRUE(kathisma7.contains("Мой перевод &amp; &lt;образец&gt;"));

    // Without a Psalter folder the psalms stay in the book file only.
    QTemporaryDir second;
    options.psalter_folder.clear();
    ASSERT_TRUE(WriteBiblePages(Parsed("sample.zefania.xml"), second.path(), options).ok());
    EXPECT_TRUE(QFileInfo::exists(second.path() + "/Библия/b_sgr/b_sgr22.html"));
    EXPECT_FALSE(QFileInfo::exists(second.path() + "/Библия/psalm"));
}

TEST(WriteBiblePages, RefusesBeforeWritingAnything)
{
    struct Case { const char* what; const char* sample; BibleImportOptions options; bool make_root; const char* error_part; };
    BibleImportOptions unknown_version;
    unknown_version.version_folder = "b_xyz";
    BibleImportOptions unknown_psalter;
    unknown_psalter.psalter_folder = "../ps";
    BibleImportOptions unfit_title;
    unfit_title.title = "Библия ѿ";
    const Case cases[] = {
        {"Church Slavonic letters", "slavonic.usfx.xml", {}, true, "Мф 1:1"},
        {"title outside the code page", "sample.usfx.xml", unfit_title, true, "название перевода"},
        {"unknown version folder", "sample.usfx.xml", unknown_version, true, "b_xyz"},
        {"unknown Psalter folder", "sample.usfx.xml", unknown_psalter, true, "../ps"},
        {"no data root", "sample.usfx.xml", {}, false, "не найдена"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString root = c.make_root ? dir.path() : dir.path() + "/missing";
        const BibleImportResult result = WriteBiblePages(Parsed(c.sample), root, c.options);
        EXPECT_FALSE(result.ok()) << c.what;
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.error_part))) << c.what << ": " << result.error.toStdString();
        EXPECT_TRUE(result.written.isEmpty()) << c.what;
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/Библия")) << c.what;
    }
}

TEST(WriteBiblePages, ReportsAPageThatCannotBeWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder where the book page should go cannot be replaced by a file.
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/Библия/b_snd/b_snd54.html"));
    const BibleImportResult result = WriteBiblePages(Parsed("sample.usfx.xml"), dir.path(), {});
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains("b_snd54.html")) << result.error.toStdString();
    EXPECT_FALSE(result.written.contains("Библия/b_snd/b_snd54.html"));
}

}  // namespace
}  // namespace indikt
