// Reading Bibles in OSIS, USFX and Zefania XML: the samples in bible_samples/
// were written for these tests (Synodal text of 1876); each exercises the
// shapes its format takes in files found online.

#include "texts/bible_formats.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

QByteArray Sample(const char* name)
{
    return ReadBytes(QString::fromUtf8(INDIKT_BIBLE_SAMPLES) + u'/' + QString::fromUtf8(name));
}

const BibleBookText* FindBook(const Bible& bible, int number)
{
    for (const BibleBookText& book : bible.books)
        if (book.number == number)
            return &book;
    return nullptr;
}

// The text of one verse, or "(missing)".
QString Verse(const Bible& bible, int book_number, int chapter_number, int verse_number)
{
    if (const BibleBookText* book = FindBook(bible, book_number))
        for (const BibleChapter& chapter : book->chapters)
            if (chapter.number == chapter_number)
                for (const BibleVerse& verse : chapter.verses)
                    if (verse.number == verse_number)
                        return verse.text;
    return QStringLiteral("(missing)");
}

std::vector<int> BookNumbers(const Bible& bible)
{
    std::vector<int> numbers;
    for (const BibleBookText& book : bible.books)
        numbers.push_back(book.number);
    return numbers;
}

TEST(TreeBookNumberOfCode, NamesInEveryFormat)
{
    struct Case { const char* code; int number; };
    // The tree's numbers: the home rule's book files (Gen 01 … 3 Ezra 50, Matthew 51 … Revelation 77).
    const Case cases[] = {
        {"Gen", 1}, {"GEN", 1}, {"gen", 1}, {"1Sam", 9}, {"1SA", 9}, {"2Kgs", 12}, {"1Esd", 17}, {"1ES", 17},
        {"Tob", 18}, {"Ps", 22}, {"PSA", 22}, {"Pss", 22}, {"Sir", 27}, {"EpJer", 31}, {"LJE", 31}, {"Bar", 32},
        {"Mal", 46}, {"3Macc", 49}, {"2Esd", 50}, {"Matt", 51}, {"MRK", 52}, {"JHN", 54}, {"Acts", 55},
        {"Jas", 56}, {"1PE", 57}, {"Jude", 62}, {"Rom", 63}, {"PHP", 68}, {"1Thess", 70}, {"PHM", 75},
        {"Heb", 76}, {"REV", 77}, {"1En", 0}, {"", 0}, {"XXA", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TreeBookNumberOfCode(QString::fromUtf8(c.code)), c.number) << c.code;
}

TEST(TreeBibleBooks, CoverEveryBookFileOnce)
{
    ASSERT_EQ(TreeBibleBooks().size(), 77u);
    int old_testament_chapters = 0;
    for (const BibleBookInfo& book : TreeBibleBooks())
        if (book.number <= 50 && book.number != 22)
            old_testament_chapters += book.chapters;
    // The home rule's Old Testament plan counts 950 chapters without the Psalter.
    EXPECT_EQ(old_testament_chapters, 950);
    EXPECT_EQ(TreeBibleBook(54)->chapters, 21);
    EXPECT_FALSE(TreeBibleBook(0));
    EXPECT_FALSE(TreeBibleBook(78));
}

TEST(ParseBible, Osis)
{
    const BibleParse parse = ParseBible(Sample("sample.osis.xml"));
    ASSERT_TRUE(parse.bible) << parse.error.toStdString();
    const Bible& bible = *parse.bible;
    EXPECT_EQ(bible.format, BibleFormat::Osis);
    EXPECT_EQ(bible.title, "Синодальный перевод (образец)");
    EXPECT_EQ(BookNumbers(bible), (std::vector<int>{1, 22, 51}));
    EXPECT_EQ(bible.skipped_books, QStringList{"1En"});
    // Container verses; the note is not text.
    EXPECT_EQ(Verse(bible, 1, 1, 1), "В начале сотворил Бог небо и землю.");
    EXPECT_EQ(Verse(bible, 1, 1, 2), "Земля же была безвидна и пуста, и тьма над бездною, и Дух Божий носился над водою.");
    // The canonical title of the psalm is a heading, not verse 1.
    EXPECT_EQ(Verse(bible, 22, 1, 1), "Блажен муж, который не ходит на совет нечестивых");
    // Milestone verses run from sID to eID; a line break is a blank; section titles stay out.
    EXPECT_EQ(Verse(bible, 51, 1, 1), "Родословие Иисуса Христа, Сына Давидова, Сына Авраамова.");
    EXPECT_EQ(Verse(bible, 51, 1, 2), "Авраам родил Исаака; Исаак родил Иакова;");
    EXPECT_EQ(Verse(bible, 51, 2, 1), "Когда же Иисус родился в Вифлееме Иудейском");
}

TEST(ParseBible, Usfx)
{
    const BibleParse parse = ParseBible(Sample("sample.usfx.xml"));
    ASSERT_TRUE(parse.bible) << parse.error.toStdString();
    const Bible& bible = *parse.bible;
    EXPECT_EQ(bible.format, BibleFormat::Usfx);
    EXPECT_EQ(BookNumbers(bible), (std::vector<int>{18, 54}));
    EXPECT_EQ(bible.skipped_books, QStringList{"XXA"});
    EXPECT_EQ(Verse(bible, 54, 1, 1), "В начале было Слово, и Слово было у Бога, и Слово было Бог.");
    EXPECT_EQ(Verse(bible, 54, 1, 2), "Оно было в начале у Бога.");  // the footnote stays out
    // No <ve/>: the verse ends at the next chapter; the cross-reference stays out.
    EXPECT_EQ(Verse(bible, 54, 1, 3), "Все чрез Него начало быть, и без Него ничто не начало быть, что начало быть.");
    // It also ends at the next verse; "2-3" is verse 2.
    EXPECT_EQ(Verse(bible, 54, 2, 1), "На третий день был брак в Кане Галилейской,");
    EXPECT_EQ(Verse(bible, 54, 2, 2), "Был также зван Иисус и ученики Его на брак.");
    EXPECT_EQ(Verse(bible, 18, 1, 1), "Книга словес Товита.");
}

TEST(ParseBible, Zefania)
{
    const BibleParse parse = ParseBible(Sample("sample.zefania.xml"));
    ASSERT_TRUE(parse.bible) << parse.error.toStdString();
    const Bible& bible = *parse.bible;
    EXPECT_EQ(bible.format, BibleFormat::Zefania);
    EXPECT_EQ(bible.title, "Образец Зефании");
    // Zefania's 19 is the Psalter, 40 Matthew; an unnumbered deuterocanonical book by its name.
    EXPECT_EQ(BookNumbers(bible), (std::vector<int>{18, 22, 51}));
    EXPECT_EQ(Verse(bible, 22, 50, 3),
              "Помилуй меня, Боже, по великой милости Твоей, и по множеству щедрот Твоих изгладь беззакония мои.");
    EXPECT_EQ(Verse(bible, 22, 151, 1), "Мал бех в братии моей.");
    EXPECT_EQ(Verse(bible, 51, 5, 3), "Блаженны нищие духом, ибо их есть Царство Небесное.");
    // Verse 0 and chapter 900 are outside the caps.
    EXPECT_EQ(Verse(bible, 51, 5, 0), "(missing)");
    ASSERT_NE(FindBook(bible, 51), nullptr);
    EXPECT_EQ(FindBook(bible, 51)->chapters.size(), 1u);
}

TEST(ParseBible, RefusesWhatIsNotABible)
{
    struct Case { const char* what; QByteArray bytes; const char* error_part; };
    const Case cases[] = {
        {"empty", "", "пуст"},
        {"not XML", "This is plain text, not a Bible.", "XML"},
        {"broken XML", "<osis><osisText><verse osisID=\"Gen.1.1\">text</osisText>", "XML"},
        {"another XML", "<html><body><p>Gen 1:1</p></body></html>", "<html>"},
        {"no known book", "<usfx><book id=\"XXA\"><c id=\"1\"/><v id=\"1\"/>text<ve/></book></usfx>", "ни одного стиха"},
        {"verses without text", "<XMLBIBLE><BIBLEBOOK bnumber=\"1\"><CHAPTER cnumber=\"1\"><VERS vnumber=\"1\"> </VERS>"
                                "</CHAPTER></BIBLEBOOK></XMLBIBLE>",
         "ни одного стиха"},
    };
    for (const Case& c : cases) {
        const BibleParse parse = ParseBible(c.bytes);
        EXPECT_FALSE(parse.bible) << c.what;
        EXPECT_TRUE(parse.error.contains(QString::fromUtf8(c.error_part))) << c.what << ": " << parse.error.toStdString();
    }
}

TEST(ParseBible, BoundsTheWorkOfOneFile)
{
    // Larger than the cap: refused before reading.
    const BibleParse huge = ParseBible(QByteArray(kMaxBibleFileBytes + 1, ' '));
    EXPECT_FALSE(huge.bible);
    EXPECT_TRUE(huge.error.contains("МБ"));

    // More verses than any Bible has.
    QByteArray many = "<usfx>";
    for (const char* book : {"GEN", "EXO", "LEV"}) {
        many += QByteArray("<book id=\"") + book + "\">";
        for (int chapter = 1; chapter <= kMaxBibleChapter; ++chapter) {
            many += "<c id=\"" + QByteArray::number(chapter) + "\"/>";
            for (int verse = 1; verse <= kMaxBibleVerse; ++verse)
                many += "<v id=\"" + QByteArray::number(verse) + "\"/>x";
        }
        many += "</book>";
    }
    many += "</usfx>";
    const BibleParse too_many = ParseBible(many);
    EXPECT_FALSE(too_many.bible);
    EXPECT_TRUE(too_many.error.contains(QString::number(kMaxBibleVerses))) << too_many.error.toStdString();

    // A verse that never ends swallows the book: refused, not kept.
    QByteArray endless = "<osis><osisText><verse sID=\"Gen.1.1\" osisID=\"Gen.1.1\"/>";
    endless += QByteArray(kMaxBibleVerseChars + 10, 'a');
    endless += "</osisText></osis>";
    const BibleParse too_long = ParseBible(endless);
    EXPECT_FALSE(too_long.bible);
    EXPECT_TRUE(too_long.error.contains("Быт") || too_long.error.contains("Gen 1:1")) << too_long.error.toStdString();

    // Entities that would expand without end are refused by the XML reader.
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE osis [<!ENTITY a \"aaaaaaaaaa\">";
    for (char e = 'b'; e <= 'k'; ++e)
        laughs += QByteArray("<!ENTITY ") + e + " \"" + QByteArray(10, '&').replace("&", QByteArray("&") + char(e - 1) + ";") + "\">";
    laughs += "]><osis><verse osisID=\"Gen.1.1\">&k;</verse></osis>";
    const BibleParse expanded = ParseBible(laughs);
    EXPECT_FALSE(expanded.bible);
}

}  // namespace
}  // namespace indikt
