// The lectionary page: links of the reading markup, the instructions address, the page's sections.

#include "lectionary/lexionariy.h"

#include "reading_tree.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

TEST(LexionarURL, ReferencesBecomeLinksInTheLanguage)
{
    ReadingTree tree;
    const TreeFiles files(tree.root());
    const QString text = "На утрени [от Иоанна, зачало 65, Ин 20:19-31= in65 ] и [Деян 1:1-8=ap1].";
    struct Case { ReadingKind kind; BibleLanguage language; QString html; };
    const Case cases[] = {
        {ReadingKind::Gospel, BibleLanguage::Slavonic,
         "На утрени <a href=\"Богослужение\\Евангелие\\evangelie_slav.htm#in65\">от Иоанна, зачало 65, Ин 20:19-31</a>"
         " и <a href=\"Богослужение\\Евангелие\\evangelie_slav.htm#ap1\">Деян 1:1-8</a>."},
        {ReadingKind::Apostle, BibleLanguage::CivilScript,
         "На утрени <a href=\"Богослужение\\Апостол\\apostol_gragd.htm#in65\">от Иоанна, зачало 65, Ин 20:19-31</a>"
         " и <a href=\"Богослужение\\Апостол\\apostol_gragd.htm#ap1\">Деян 1:1-8</a>."},
        {ReadingKind::OldTestament, BibleLanguage::Russian,
         "На утрени <a href=\"Богослужение\\Паримии\\parimii_rus.htm#in65\">от Иоанна, зачало 65, Ин 20:19-31</a>"
         " и <a href=\"Богослужение\\Паримии\\parimii_rus.htm#ap1\">Деян 1:1-8</a>."},
        {ReadingKind::RulePsalter, BibleLanguage::Russian,
         "На утрени <a href=\"Библия\\psalm\\ps_tmr\\in65\">от Иоанна, зачало 65, Ин 20:19-31</a>"
         " и <a href=\"Библия\\psalm\\ps_tmr\\ap1\">Деян 1:1-8</a>."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LexionarURL(files, text, c.kind, c.language).toStdString(), c.html.toStdString());

    // The Russian book page of the tree is preferred when it exists.
    tree.add("Богослужение/Евангелие/evangelie.htm");
    EXPECT_TRUE(LexionarURL(files, "[x=in1]", ReadingKind::Gospel, BibleLanguage::Russian)
                    .startsWith("<a href=\"Богослужение\\Евангелие\\evangelie.htm#in1\">"));
    // Broken markup is copied as it stands, and the scan ends.
    for (const QString& broken : {QString("[без знака"), QString("[a=b"), QString("текст ["), QString("]=[")})
        EXPECT_EQ(LexionarURL(files, broken, ReadingKind::Gospel, BibleLanguage::Slavonic), broken);
    // Media lists link to a recording of the tree, or to the address as it is.
    tree.add("Богослужение/Медиа/Звук/пасха.mp3");
    EXPECT_EQ(LexionarURL(files, "[Пасха=пасха.mp3] [Вне=https://example.org/a.mp3]", ReadingKind::AudioList,
                          BibleLanguage::Audio)
                  .toStdString(),
              "<a href=\"Богослужение\\Медиа\\Звук\\пасха.mp3\">Пасха</a> <a href=\"https://example.org/a.mp3\">Вне</a>");
}

TEST(BUkasURL, AddressesOfTheInstructions)
{
    ReadingTree tree;
    const TreeFiles files(tree.root());
    const InstructionHosts hosts{"https://a.example", "https://b.example", "https://c.example"};
    const Date today = D(2026, 12, 8);
    struct Case { Date day; int source; QString address; };
    const Case cases[] = {
        {D(2025, 4, 20), 0, "https://a.example/bu/2025-04-20/"},
        {D(2025, 4, 20), 1, "https://b.example/bu1/apr-bu07.html"},
        {D(2025, 1, 5), 1, "https://b.example/bu1/dde-bu23.html"},  // 23 December old style of a past year
        {D(2026, 1, 5), 1, "https://b.example/bu1/dec-bu23.html"},  // this year's January
        {D(2025, 4, 20), 2, "https://c.example/calendar/bu1/apr-2025-bu07.html"},
        {D(2025, 4, 20), 3, files.absolute("Богослужение\\Указания\\2025\\apr20.htm")},
        {D(2006, 4, 23), 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BUkasURL(files, c.day, c.source, today, hosts), c.address);
    EXPECT_EQ(BUkasURL(files, D(2025, 4, 20), 0, today, {}), "");  // no host set
}

TEST(Lexionariy, SectionsOfThePage)
{
    ReadingTree tree;
    const TreeFiles files(tree.root());
    const Date today = D(2026, 12, 8);
    EXPECT_TRUE(Lexionariy(files, D(2025, 5, 6), today, {}).html.isEmpty());

    // 2025: the Saturday before Pentecost holds only the notice of 25 May for the Gospel.
    const LectionaryPage notice = Lexionariy(files, D(2025, 6, 7), today, {});
    EXPECT_TRUE(notice.html.startsWith("<h1>Богослужебные чтения</h1><p>Служба Обретению главы Иоанна Предтечи "
                                       "переносится на Чт 5 июн (23 май).</p>"))
        << notice.html.toStdString();
    EXPECT_EQ(notice.html.indexOf("Евангельские чтения"), -1);

    tree.add("Богослужение/Апостол/Переходящие чтения/После Пасхи/007.txt");
    tree.add("Богослужение/Евангелие/Воскресные/1.txt");
    LectionarySettings settings;
    settings.instructions_source = 3;
    const LectionaryPage thomas = Lexionariy(files, D(2025, 4, 27), today, settings);
    EXPECT_NE(thomas.html.indexOf("<h3>Апостольские чтения</h3><p>"), -1);
    EXPECT_NE(thomas.html.indexOf("<h3>Евангельские чтения</h3><p>На утрени "), -1);
    EXPECT_NE(thomas.html.indexOf("<p style=\"margin-top: 10px\"><a href=\""), -1);
    EXPECT_NE(thomas.html.indexOf(">Богослужебные указания</a></p>"), -1);
    EXPECT_EQ(thomas.files.size(), 2);
    EXPECT_TRUE(thomas.found_commands.contains("ActionEvUtr"));
    EXPECT_TRUE(thomas.found_commands.contains("ActionApPer"));

    // Audio mode without a list: nothing to show.
    settings.language = BibleLanguage::Audio;
    EXPECT_TRUE(Lexionariy(files, D(2025, 4, 27), today, settings).html.isEmpty());
    tree.add("Богослужение/Медиа/Звук/звук.txt");
    EXPECT_FALSE(Lexionariy(files, D(2025, 4, 27), today, settings).html.isEmpty());

    // The home rule's portions come after the readings.
    const auto rule = [](Date) {
        HomeRulePortions portions;
        portions.psalter = "[Кафизма 1=k01.html]";
        return portions;
    };
    settings.language = BibleLanguage::Slavonic;
    const QString with_rule = Lexionariy(files, D(2025, 4, 27), today, settings, rule).html;
    EXPECT_TRUE(with_rule.endsWith("<h2>Домашнее правило</h2><h3>Псалтирь</h3><p><a href=\"Библия\\psalm\\ps_sl\\k01.html\">"
                                   "Кафизма 1</a></p>"))
        << with_rule.toStdString();
}

}  // namespace
}  // namespace indikt
