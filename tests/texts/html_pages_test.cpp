// The page wrappers of the text panes and the decoding of tree pages.

#include "texts/cp1251.h"
#include "texts/html_pages.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

TEST(HtmlPages, WrappersAreTheExactLiterals)
{
    EXPECT_EQ(LectionaryPage("/data", "T").toStdString(),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><link "
              "href=\"/data/Богослужение\\_css\\lz.css\" rel=\"stylesheet\" type=\"text/css\"></head><body><div "
              "align=\"center\"><center><table border=\"0\"><tr><td>T</td></tr></table></center></div></body></html>");
    EXPECT_EQ(MenaionPage("/data/", "T", true).toStdString(),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><link "
              "href=\"/data/Богослужение\\_css\\ms.css\" rel=\"stylesheet\" type=\"text/css\"></head><body "
              "link=\"#FF0000\" vlink=\"#FF0000\" alink=\"#FF0000\"><div class=Section1 align=\"center\"><center>"
              "<table border=\"0\"><tr><td>T</td></tr></table></center></div></body></html>");
    EXPECT_NE(MenaionPage("/data", "T", false).indexOf("<body link=\"##000000\" vlink=\"##000000\" alink=\"##000000\">"), -1);
}

TEST(HtmlPages, TheRootIsEscapedInTheAttribute)
{
    struct Case { const char* root; const char* attribute; };
    const Case cases[] = {
        {"/home/мария/Индикт данные", "/home/мария/Индикт данные/"},
        {"/tmp/a\"b", "/tmp/a&quot;b/"},
        {"/tmp/50%#1?&<>", "/tmp/50%25%231%3F&amp;&lt;&gt;/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AttributePath(QString::fromUtf8(c.root)).toStdString(), c.attribute);
}

TEST(HtmlPages, APageIsDecodedByItsOwnCharset)
{
    const QString text = "Святцы";
    const QByteArray cp = *EncodeCp1251(text);
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"windows-1251 declared", "<meta charset=\"windows-1251\"><p>" + cp},
        {"utf-8 declared", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"><p>" + text.toUtf8()},
        {"no declaration, Windows-1251", "<p>" + cp},
        {"no declaration, UTF-8", "<p>" + text.toUtf8()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(DecodePageText(c.bytes).endsWith(text)) << DecodePageText(c.bytes).toStdString();
    }
}

TEST(HtmlPages, APageBeyondTheLimitsOfLayoutIsCutWithANotice)
{
    const PageLimits limits{.characters = 1000, .tags = 50, .depth = 10, .table_depth = 2, .table_cells = 6};
    const QString notice = QString::fromUtf8(kPageCutNotice);
    struct Case { const char* what; QString html; qsizetype kept; };
    const Case cases[] = {
        {"within every limit", "<html><body><p>Текст <b>жирный</b><br>и<!-- <b><b><b> --> ещё</p></body></html>", -1},
        {"too long", "<p>" + QString(2000, u'ж') + "</p>", 1000},
        {"too many tags", QString("<b>x</b>").repeated(60), 50 * 8},
        {"too deep", QString("<b>").repeated(11) + "x", 10 * 3},
        {"void elements do not nest", QString("<br>").repeated(40) + QString("<img src=a.jpg/>"), -1},
        {"tables in tables", "<table><tr><td><table><tr><td><table><tr><td>x", 30},
        {"too many cells", "<table>" + QString("<tr><td>a</td></tr>").repeated(7) + "</table>", 7 + 6 * 19 + 4},
        {"closing tags bring the depth back", QString("<b>x</b>").repeated(20) + QString("<i>").repeated(9), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BoundedPage page = BoundPageHtml(c.html, limits);
        EXPECT_EQ(page.cut, c.kept >= 0);
        if (c.kept < 0) {
            EXPECT_EQ(page.html, c.html);
        } else {
            EXPECT_EQ(page.html, c.html.left(c.kept) + notice);
        }
    }
    // A cut by length never splits a tag.
    const BoundedPage inside = BoundPageHtml(QString(995, u'a') + "<b class=\"x\">" + QString(10, u'b'), limits);
    EXPECT_EQ(inside.html, QString(995, u'a') + "<b class=\"x\">" + notice);
    // The default limits leave a long page of the tree alone.
    const QString book = "<html><body>" + QString("<p><a name=\"g1\"></a>Стих <b>1</b> текст.</p>").repeated(3000) + "</body></html>";
    EXPECT_FALSE(BoundPageHtml(book).cut);
}

}  // namespace
}  // namespace indikt
