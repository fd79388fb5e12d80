// The plain text of a page and the matching of the search's two options.

#include "walks/page_text.h"
#include "walks/text_match.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

TEST(PlainTextOfHtml, WhatAReaderSees)
{
    struct Case { const char* html; const char* plain; };
    const Case cases[] = {
        {"Иоанна <b>Богослова</b>", "Иоанна Богослова"},
        {"Иоан<i>на</i>", "Иоанна"},                              // a word split inside
        {"<p>Первый</p><p>второй</p>", "Первый\nвторой"},
        {"строка<br>другая", "строка\nдругая"},
        {"<h4>Тропарь</h4>\r\n  глас   1-й", "Тропарь\nглас 1-й"},
        {"<html><head><title>Заголовок</title><style>p {color: red}</style></head><body>Текст</body></html>",
         "Текст"},
        {"a&amp;b &lt;c&gt; &quot;d&quot; &#1072;&#x431;", "a&b <c> \"d\" аб"},
        {"&unknown; &#0; & alone", "&unknown; &#0; & alone"},       // what is no reference stays
        {"до<!-- скрыто -->после", "допосле"},
        {"a < b и c<d", "a < b и c<d"},                             // '<' that opens no tag
        {"<a href=\"x\">ссылка</a>.", "ссылка."},
        {"<script>var x = '<b>';</script>видно", "видно"},
        {"<table><tr><td>a</td><td>b</td></tr></table>", "a b"},
        {"<p>незакрытый <b", "незакрытый <b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainTextOfHtml(QString::fromUtf8(c.html)).toStdString(), c.plain) << c.html;
}

TEST(FindMatch, CaseWholeWordAndLiteralText)
{
    struct Case { const char* plain; const char* text; bool match_case; bool whole_word; qsizetype at; };
    const Case cases[] = {
        {"Память Иоанна Богослова", "богослова", false, false, 14},
        {"Память Иоанна Богослова", "богослова", true, false, -1},
        {"Память Иоанна Богослова", "Богослова", true, false, 14},
        {"ёлка", "елка", false, false, -1},                       // ё and е are different letters
        {"Ёлка", "ёлка", false, false, 0},                        // but Ё and ё are one
        {"святителя святого свят", "свят", false, true, 18},      // whole word on Cyrillic
        {"святителя", "свят", false, false, 0},
        {"Свят, свят", "свят", true, true, 6},
        {"(Мф. 5:1)", "(Мф.", false, false, 0},                   // no regular expressions
        {"a+b", "+", false, false, 1},
        {"путь\\файл", "\\", false, false, 4},
        {"1+1 и 11", "1", false, true, 0},
        {"x_свят свят", "свят", false, true, 7},                  // '_' belongs to a word
        {"", "а", false, false, -1},
        {"текст", "", false, false, -1},
    };
    for (const Case& c : cases) {
        const MatchOptions options{QString::fromUtf8(c.text), c.match_case, c.whole_word};
        EXPECT_EQ(FindMatch(QString::fromUtf8(c.plain), options), c.at) << c.plain << " / " << c.text;
    }
}

TEST(FindAllMatches, NeitherOverlappingNorEndless)
{
    EXPECT_EQ(FindAllMatches(u"аааа", {"аа", false, false}), (QList<qsizetype>{0, 2}));
    EXPECT_EQ(FindAllMatches(u"Бог, бог и Богом", {"бог", false, true}), (QList<qsizetype>{0, 5}));
    EXPECT_EQ(FindAllMatches(u"Бог, бог и Богом", {"бог", true, false}), (QList<qsizetype>{5}));
}

TEST(ExcerptAround, OneLineAroundTheMatch)
{
    const QString plain = "начало\nсередина с искомым словом\nконец";
    const qsizetype at = plain.indexOf("искомым");
    EXPECT_EQ(ExcerptAround(plain, at, 7, 5).toStdString(), "…на с искомым слов…");
    EXPECT_EQ(ExcerptAround(plain, 0, 6, 100).toStdString(), "начало середина с искомым словом конец");
}

}  // namespace
}  // namespace indikt
