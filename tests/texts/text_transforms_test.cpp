#include "texts/text_transforms.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

TEST(Replace, ReplacesEveryOccurrence)
{
    struct Case { QString text, find, with, result; };
    const Case cases[] = {
        {"abcabc", "b", "XY", "aXYcaXYc"},
        {"abc", "", "X", "abc"},
        {"", "a", "b", ""},
        {"</p></p>", "</p>", "\n", "\n\n"},
        // A deletion that joins a new occurrence deletes that one too, as a
        // search from the beginning after each replacement would.
        {"<<p>p>", "<p>", "", ""},
        {"aabb", "ab", "", ""},
        {"aab", "ab", "b", "b"},
        // A replacement that holds the pattern is not searched again.
        {"a-a", "a", "aa", "aa-aa"},
        {"xx", "x", "xx", "xxxx"},
        {"<h2><h2>", "<h2>", "<h3>", "<h3><h3>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.find.toStdString());
        EXPECT_EQ(Replace(c.text, c.find, c.with), c.result);
    }
}

TEST(Replace, AReplacementHoldingThePatternEndsOnALongText)
{
    const QString text(100000, u'a');
    EXPECT_EQ(Replace(text, u"a", u"aa"), QString(200000, u'a'));
    EXPECT_EQ(Replace(text, u"aa", u"a"), u"a");  // shrinking is searched again to the end
}

TEST(TextVHTM, InsertsTheDataRootIntoQuotedTreeLinks)
{
    const QString root = QStringLiteral("/home/user/Мои данные/");
    struct Case { const char* what; QString text, result; };
    const Case cases[] = {
        {"lives link", R"(<a href="Жития святых\Святцы\янв01.htm">)",
         R"(<a href="/home/user/Мои данные/Жития святых\Святцы\янв01.htm">)"},
        {"style sheet", R"(<link href="Богослужение\_css\lz.css">)",
         R"(<link href="/home/user/Мои данные/Богослужение\_css\lz.css">)"},
        {"both, twice", R"("Богослужение" "Жития святых" "Богослужение")",
         R"("/home/user/Мои данные/Богослужение" "/home/user/Мои данные/Жития святых" "/home/user/Мои данные/Богослужение")"},
        {"unquoted attribute", R"(<a href=Жития святых\Святцы\янв01.htm>)", R"(<a href=Жития святых\Святцы\янв01.htm>)"},
        {"single quotes", R"(<a href='Жития святых\x.htm'>)", R"(<a href='Жития святых\x.htm'>)"},
        {"folder name in running text", "Богослужение и Жития святых", "Богослужение и Жития святых"},
        {"other folder", R"(<a href="Библия\index.html">)", R"(<a href="Библия\index.html">)"},
        {"quote at the end", "text\"", "text\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextVHTM(c.text, root), c.result);
    }
}

TEST(TextVHTM, ARootWithQuotesOrAmpersandsStaysInsideTheAttribute)
{
    EXPECT_EQ(TextVHTM(u"<a href=\"Богослужение\\a.htm\">", u"/tmp/a\"b&c/"),
              u"<a href=\"/tmp/a&quot;b&amp;c/Богослужение\\a.htm\">");
}

TEST(TextR1, LowersSecondAndFourthLevelHeadings)
{
    EXPECT_EQ(TextR1(u"<h1>a</h1><h2>b</h2><h3>c</h3><h4>d</h4><h5>e</h5>"),
              u"<h1>a</h1><h3>b</h3><h3>c</h3><h5>d</h5><h5>e</h5>");
}

TEST(TextNoHTM, MakesPlainText)
{
    struct Case { const char* what; QString text, result; };
    const Case cases[] = {
        {"paragraph with attributes stays", R"(<p align="center">Текст</p>)", "<p align=\"center\">Текст\n"},
        {"paragraphs", "<p>Один</p><p>Два</p>", "Один\nДва\n"},
        {"headings", "<h1>А</h1><h2>Б</h2><h5>В</h5><h6>Г</h6>", "А\nБ\nВ\n<h6>Г</h6>"},
        {"Typikon signs", "* Святой*мученик", "Святоймученик"},
        {"red letter", R"(<font color="#FF0000">Б</font>лаженны)", "Блаженны"},
        {"red letter in lower case stays", R"(<font color="#ff0000">Б</font>)", R"(<font color="#ff0000">Б)"},
        {"table", "<html><body><table><tr><td>1</td></tr></table></body></html>", "1"},
        {"bold, centre, div", "<center><div><b>Слава</b></div></center>", "Слава"},
        {"anchor", R"(См. <a href="Жития святых\x.htm"> житие </a>.)", "См. житие."},
        {"a deletion joins a tag", "<<b>b>x", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextNoHTM(c.text), c.result);
    }
}

TEST(TextNoLink, ReplacesAnchorsByTheirLabels)
{
    struct Case { const char* what; QString text, result; };
    const Case cases[] = {
        {"two anchors", R"(<a href="1">один</a> и <a class="x" href="2"> два </a>!)", "один и два!"},
        {"other tags stay", R"(<p><a href="1">x</a></p>)", "<p>x</p>"},
        {"blank label", R"([<a href="1">  </a>])", "[]"},
        {"no closing tag", R"(<a href="1">label)", R"(<a href="1">label)"},
        {"unquoted tag end", "<a href=1>y</a>", "<a href=1>y</a>"},
        {"tag end only after the close", R"(<a name=x>y</a> <b class="z">w</b>)", R"(<a name=x>y</a> <b class="z">w</b>)"},
        {"not an anchor", R"(<abbr title="x">y</abbr></a>)", R"(<abbr title="x">y</abbr></a>)"},
        {"tag runs to the first quote-bracket", R"(<a x <a href="2">b</a>)", "b"},
        {"anchor inside a label", R"(<a href="1"><a href="2">x</a></a>)", "x"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextNoLink(c.text), c.result);
    }
}

TEST(TextNoLink, ManyBrokenAnchorsEndQuickly)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += u"<a href=\"x\">";
    EXPECT_EQ(TextNoLink(text), text);
}

TEST(TrimBlanks, RemovesControlCharactersAndBlanksAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(u"\t \r\n Тропарь \x01\n"), u"Тропарь");
    EXPECT_EQ(TrimBlanks(u"\u00A0a\u00A0"), u"\u00A0a\u00A0");  // no-break space is text
    EXPECT_EQ(TrimBlanks(u"   "), u"");
}

}  // namespace
}  // namespace indikt
