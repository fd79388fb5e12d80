// The Menaion page of a day over a small tree of records.

#include "lectionary/menaion.h"

#include "reading_tree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

void Write(const ReadingTree& tree, const QString& relative, const QString& text)
{
    const QString path = tree.root() + "/" + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
}

TEST(MesezURL, LinksToTheLivesAndBrokenMarkup)
{
    EXPECT_EQ(MesezURL("Память [Николая= nik ] и прочих"),
              "Память <a href=\"Жития святых\\Святцы\\nik\">Николая</a> и прочих");
    EXPECT_EQ(MesezURLH3("[Николая=nik]"), "<a href=\"Жития святых\\Святцы\\nik\" style=\"color: #008080\">Николая</a>");
    EXPECT_EQ(MesezNoURL("**** [Николая=nik], * святых"), "Николая, святых");
    for (const QString& broken : {QString("[без ключа"), QString("[a=b"), QString("конец ["), QString("[a]")})
        EXPECT_EQ(MesezURL(broken), broken);
}

TEST(UkasTipikon, SignsBecomePicturesLongestFirst)
{
    const QString text = UkasTipikon("****** Рождество. * Вседневная. **** Полиелей.", "/data");
    EXPECT_EQ(text.toStdString(),
              "<img border=\"0\" src=\"/data/Месяцеслов/im/u6.gif\" width=\"14\" height=\"12\" hspace=\"5\" "
              "alt=\"Всенощное бдение\">Рождество. "
              "<img border=\"0\" src=\"/data/Месяцеслов/im/u1.gif\" width=\"11\" height=\"11\" hspace=\"3\" "
              "alt=\"Вседневная служба\">Вседневная. "
              "<img border=\"0\" src=\"/data/Месяцеслов/im/u4.gif\" width=\"15\" height=\"13\" hspace=\"3\" "
              "alt=\"Служба с полиелеем\">Полиелей.");
    EXPECT_EQ(UkasTipikon("без знаков*", "/data"), "без знаков*");
}

TEST(MesezText, RecordsOfTheDay)
{
    ReadingTree tree;
    const QString m = "Месяцеслов/";
    Write(tree, m + "Переходящие праздники/После Пасхи/150.txt", "Сто пятидесятый день\r\nвторая\r\nтретья\r\n");
    Write(tree, m + "Великие праздники/Переходящие праздники/После Пасхи/00.txt", "****** ПАСХА\r\n");
    Write(tree, m + "Непереходящие праздники/фев28в.txt", "Двадцать восьмое високосного\r\nb\r\nc\r\n");
    Write(tree, m + "Непереходящие праздники/янв17.txt", "**** [Антония Великого=янв17.htm#s1]\r\nвторая\r\nтретья\r\nи ещё\r\n");
    const TreeFiles files(tree.root());

    // 150 days after Pascha 2025 (20 April): 17 September.
    const MenaionText day150 = MesezText(files, D(2025, 9, 17));
    EXPECT_EQ(day150.addresses[2], m + "Переходящие праздники/После Пасхи/150.txt");
    EXPECT_EQ(day150.found_commands, QStringList{"ActionMesPer"});
    EXPECT_NE(day150.html.indexOf("<h5>Сто пятидесятый день</h5>"), -1) << day150.html.toStdString();
    EXPECT_FALSE(day150.red_links);

    const MenaionText pascha = MesezText(files, D(2025, 4, 20));
    EXPECT_TRUE(pascha.red_links);
    EXPECT_NE(pascha.html.indexOf("<h1><img border=\"0\""), -1) << pascha.html.toStdString();
    EXPECT_NE(pascha.html.indexOf("ПАСХА</h1>"), -1);
    EXPECT_EQ(pascha.addresses[0], m + "Великие праздники/Переходящие праздники/После Пасхи/00.txt");

    // 28 February old style in a civil leap year (12 March 2024).
    const MenaionText leap = MesezText(files, D(2024, 3, 12));
    EXPECT_EQ(leap.addresses[3], m + "Непереходящие праздники/фев28в.txt");
    Write(tree, m + "Непереходящие праздники/фев28Вт.txt", "С днём недели\r\nb\r\nc\r\n");
    EXPECT_EQ(MesezText(files, D(2024, 3, 12)).addresses[3], m + "Непереходящие праздники/фев28Вт.txt");

    // A record's links, its lines in order, the teal heading of an ordinary day.
    const MenaionText january = MesezText(files, D(2025, 1, 30));
    EXPECT_NE(january.html.indexOf("<h3>"), -1);
    EXPECT_NE(january.html.indexOf("<a href=\"Жития святых\\Святцы\\янв17.htm#s1\">Антония Великого</a></h5>"), -1)
        << january.html.toStdString();
    EXPECT_NE(january.html.indexOf("<p>вторая</p><p>третья<br>и ещё</p>"), -1) << january.html.toStdString();
}

TEST(MesezText, NotesOfTransferredServices)
{
    ReadingTree tree;
    const TreeFiles files(tree.root());
    // 2031: Pascha on 31 March old style, so Meatfare Saturday is 2 February.
    const MenaionText meatfare = MesezText(files, D(2031, 2, 15));
    EXPECT_NE(meatfare.html.indexOf("<b>Cлужба Мясопустной родительской субботы переносится на Сб 8 фев</b>"), -1)
        << meatfare.html.toStdString();
    const MenaionText january26 = MesezText(files, D(2031, 2, 8));
    EXPECT_NE(january26.html.indexOf("На этот день переносится Вселенская родительская (мясопустная) суббота."), -1)
        << january26.html.toStdString();
    // 2025: the Saturday of the third week of Lent is 9 March old style.
    const MenaionText forty = MesezText(files, D(2025, 3, 22));
    EXPECT_NE(forty.html.indexOf("<b>Заупокойная служба в эту субботу отменяется.</b>"), -1) << forty.html.toStdString();
    EXPECT_EQ(forty.html.indexOf("Поминовение усопших"), -1);
    const MenaionText second_saturday = MesezText(files, D(2025, 3, 15));
    EXPECT_NE(second_saturday.html.indexOf("<b>Поминовение усопших.</b>"), -1);
    for (const QString& address : forty.addresses)
        EXPECT_TRUE(address.isEmpty());
}

}  // namespace
}  // namespace indikt
