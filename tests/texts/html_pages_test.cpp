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

}  // namespace
}  // namespace indikt
