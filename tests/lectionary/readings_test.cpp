// The Gospel, Apostle and Old Testament readers over a tree whose files name themselves.

#include "lectionary/readings.h"

#include "reading_tree.h"

#include <gtest/gtest.h>

#include <memory>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const QString kEv = "Богослужение/Евангелие/";
const QString kAp = "Богослужение/Апостол/";
const QString kPar = "Богослужение/Паримии/";

// The Gospel and Apostle trees complete; the parimii only where a day has them.
const ReadingTree& Tree()
{
    static const std::unique_ptr<ReadingTree> tree = [] {
        auto t = std::make_unique<ReadingTree>();
        for (int n = 1; n <= 11; ++n)
            t->add(kEv + "Воскресные/" + QString::number(n) + ".txt");
        for (const char* part : {"Утреня/", "Литургия/"}) {
            t->addNumbers(kEv + "Переходящие чтения/До Пасхи/" + part, 70);
            t->addNumbers(kEv + "Переходящие чтения/После Пасхи/" + part, 300);
            t->addDayKeys(kEv + "Непереходящие чтения/" + part);
            for (const char* number : {"000", "039", "049"})
                t->add(kEv + "Великие праздники/Переходящие чтения/После Пасхи/" + part + number + ".txt");
            t->add(kEv + "Великие праздники/Переходящие чтения/До Пасхи/" + part + "007.txt");
            for (const char* key : {"янв06", "фев02", "мар25", "авг06", "авг15", "сен08", "сен14", "ноя21", "дек25"})
                t->add(kEv + "Великие праздники/Непереходящие чтения/" + part + QString::fromUtf8(key) + ".txt");
        }
        t->add(kEv + "Переходящие чтения/Иные/Литургия/июл14Вс.txt");
        t->addNumbers(kAp + "Переходящие чтения/До Пасхи/", 70);
        t->addNumbers(kAp + "Переходящие чтения/После Пасхи/", 300);
        t->addDayKeys(kAp + "Непереходящие чтения/");
        for (const char* number : {"000", "039", "049"})
            t->add(kAp + "Великие праздники/Переходящие чтения/После Пасхи/" + number + ".txt");
        t->add(kAp + "Великие праздники/Переходящие чтения/До Пасхи/007.txt");
        for (const char* key : {"фев02", "мар25", "дек25"})
            t->add(kAp + "Великие праздники/Непереходящие чтения/" + QString::fromUtf8(key) + ".txt");
        t->add(kPar + "Переходящие чтения/До Пасхи/048.txt");
        t->add(kPar + "Переходящие чтения/После Пасхи/039.txt");
        for (const char* key : {"фев02", "мар09", "май25", "июн24", "авг06"})
            t->add(kPar + "Непереходящие чтения/" + QString::fromUtf8(key) + ".txt");
        return t;
    }();
    return *tree;
}

QString N(const QString& relative) { return Named(relative); }

// The movable readings, the Sunday matins and a few readings of a date and
// weekday, but no reading of the date: the special days of the autumn meet
// their missing files.
const ReadingTree& TreeWithoutReadingsOfTheDate()
{
    static const std::unique_ptr<ReadingTree> tree = [] {
        auto t = std::make_unique<ReadingTree>();
        for (int n = 1; n <= 11; ++n)
            t->add(kEv + "Воскресные/" + QString::number(n) + ".txt");
        t->addNumbers(kEv + "Переходящие чтения/До Пасхи/Литургия/", 70);
        t->addNumbers(kEv + "Переходящие чтения/После Пасхи/Литургия/", 300);
        t->addNumbers(kAp + "Переходящие чтения/До Пасхи/", 70);
        t->addNumbers(kAp + "Переходящие чтения/После Пасхи/", 300);
        for (const char* key : {"сен17Вс", "янв01Сб", "янв08Вс", "янв11Вс"}) {
            t->add(kEv + "Переходящие чтения/Иные/Литургия/" + QString::fromUtf8(key) + ".txt");
            t->add(kAp + "Переходящие чтения/Иные/" + QString::fromUtf8(key) + ".txt");
        }
        return t;
    }();
    return *tree;
}

// Only the Sunday matins: no liturgy reading at all.
const ReadingTree& TreeOfSundayMatinsOnly()
{
    static const std::unique_ptr<ReadingTree> tree = [] {
        auto t = std::make_unique<ReadingTree>();
        for (int n = 1; n <= 11; ++n)
            t->add(kEv + "Воскресные/" + QString::number(n) + ".txt");
        return t;
    }();
    return *tree;
}

TEST(EvangText, DaysOfThePentecostarion)
{
    const TreeFiles files(Tree().root());
    const QString after = kEv + "Переходящие чтения/После Пасхи/";
    const QString fixed = kEv + "Непереходящие чтения/";
    struct Case { const char* name; Date day; QString text; };
    const Case cases[] = {
        {"Thomas Sunday", D(2025, 4, 27),
         "На утрени " + N(kEv + "Воскресные/1.txt") + "\r\nНа литургии " + N(after + "Литургия/007.txt") + " " +
             N(fixed + "Литургия/апр14.txt")},
        {"a weekday: both matins, then the liturgy", D(2025, 4, 29),
         "На утрени " + N(fixed + "Утреня/апр16.txt") + "\r\nНа утрени " + N(after + "Утреня/009.txt") +
             "\r\nНа литургии " + N(after + "Литургия/009.txt") + " " + N(fixed + "Литургия/апр16.txt")},
        {"24 June on a weekday: no ordinary reading", D(2025, 7, 7),
         "На утрени " + N(fixed + "Утреня/июн24.txt") + "\r\nНа утрени " + N(after + "Утреня/078.txt") +
             "\r\nНа литургии " + N(fixed + "Литургия/июн24.txt")},
        {"2020: the day receiving 25 May", D(2020, 6, 4),
         "На утрени " + N(fixed + "Утреня/май25.txt") + "\r\nНа утрени " + N(after + "Утреня/046.txt") +
             "\r\nНа литургии " + N(after + "Литургия/046.txt") + " " + N(fixed + "Литургия/май25.txt") +
             "\r\n\r\nНа этот день переносится служба Обретению главы Иоанна Предтечи."},
        {"2025: 25 May on the Saturday before Pentecost", D(2025, 6, 7),
         "На утрени " + N(after + "Утреня/048.txt") + "\r\nНа литургии " + N(after + "Литургия/048.txt") +
             "\r\n\r\nСлужба Обретению главы Иоанна Предтечи переносится на Чт 5 июн (23 май)."},
        {"a Sunday with its reading of the date and weekday", D(2025, 7, 27),
         "На утрени " + N(kEv + "Воскресные/" + QString::number(((98 - 49) / 7) % 11) + ".txt") +
             "\r\nНа литургии " + N(after + "Литургия/098.txt") + " " +
             N(kEv + "Переходящие чтения/Иные/Литургия/июл14Вс.txt") + " " + N(fixed + "Литургия/июл14.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EvangText(files, c.day).text.toStdString(), c.text.toStdString());
    }
}

TEST(EvangText, GreatFeastsAndTheirNotices)
{
    const TreeFiles files(Tree().root());
    const QString great = kEv + "Великие праздники/";
    struct Case { const char* name; Date day; QString text; };
    const Case cases[] = {
        {"Pascha", D(2025, 4, 20),
         "На утрени " + N(great + "Переходящие чтения/После Пасхи/Утреня/000.txt") + "\r\nНа литургии " +
             N(great + "Переходящие чтения/После Пасхи/Литургия/000.txt")},
        {"Palm Sunday", D(2025, 4, 13),
         "На утрени " + N(great + "Переходящие чтения/До Пасхи/Утреня/007.txt") + "\r\nНа литургии " +
             N(great + "Переходящие чтения/До Пасхи/Литургия/007.txt")},
        {"2020: Pentecost on 25 May names the day receiving it", D(2020, 6, 7),
         "На утрени " + N(great + "Переходящие чтения/После Пасхи/Утреня/049.txt") + "\r\nНа литургии " +
             N(great + "Переходящие чтения/После Пасхи/Литургия/049.txt") +
             "\r\n\r\nСлужба Обретению главы Иоанна Предтечи переносится на Чт 4 июн (22 май)."},
        {"the Transfiguration", D(2025, 8, 19),
         "На утрени " + N(great + "Непереходящие чтения/Утреня/авг06.txt") + "\r\nНа литургии " +
             N(great + "Непереходящие чтения/Литургия/авг06.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EvangText(files, c.day).text.toStdString(), c.text.toStdString());
    }
    const ReadingText pascha = EvangText(files, D(2025, 4, 20));
    ASSERT_EQ(pascha.addresses.size(), 6);
    EXPECT_EQ(pascha.addresses[0], great + "Переходящие чтения/После Пасхи/Утреня/000.txt");
    EXPECT_EQ(pascha.addresses[1], great + "Переходящие чтения/После Пасхи/Литургия/000.txt");
    EXPECT_EQ(pascha.addresses[4], "");
    EXPECT_EQ(pascha.found_commands, QStringList({"ActionEvUtr", "ActionEvVelPer"}));
}

TEST(EvangText, TheAutumnLabelsNameTheCycleWeek)
{
    const TreeFiles files(Tree().root());
    // 2021, d = -2: a Sunday in October (the 17th after Pentecost) is labelled with the week R + 2.
    const ReadingText sunday = EvangText(files, D(2021, 10, 17));
    EXPECT_NE(sunday.text.indexOf("На литургии недели 19-й: "), -1) << sunday.text.toStdString();
    // The Monday after the Sunday after the Exaltation reads 169, in the 18th week.
    const ReadingText monday = EvangText(files, D(2021, 10, 4));
    EXPECT_NE(monday.text.indexOf("Литургия/169.txt"), -1) << monday.text.toStdString();
    EXPECT_NE(monday.text.indexOf("На литургии рядовые чтения 18-й седмицы: "), -1) << monday.text.toStdString();
    // Before it, a weekday keeps the plain label.
    EXPECT_NE(EvangText(files, D(2021, 9, 29)).text.indexOf("На литургии «"), -1);
}

TEST(EvangText, TriodionTransferNotices)
{
    const TreeFiles files(Tree().root());
    // 2038: 24 February on Clean Tuesday; its service on the Sunday of Forgiveness.
    const QString moved = EvangText(files, D(2038, 3, 9)).text;
    EXPECT_TRUE(moved.endsWith("\r\n\r\nСлужба Обретению главы Иоанна Предтечи переносится на Вс 7 мар (22 фев)."))
        << moved.toStdString();
    EXPECT_EQ(moved.indexOf("фев24.txt"), -1);
    const QString here = EvangText(files, D(2038, 3, 7)).text;
    EXPECT_NE(here.indexOf(kEv + "Непереходящие чтения/Литургия/фев24.txt"), -1) << here.toStdString();
    EXPECT_TRUE(here.endsWith("\r\n\r\nНа этот день переносится служба Обретению главы Иоанна Предтечи."));
    // The Sunday of the Publican and the Saturday before it (2029).
    EXPECT_NE(EvangText(files, D(2029, 1, 28)).text.indexOf("До Пасхи/Литургия/070.txt"), -1);
    EXPECT_NE(EvangText(files, D(2029, 1, 27)).text.indexOf("После Пасхи/Литургия/"), -1);

    // The notice on the feast's own day names the day that receives it.
    struct Case { const char* name; Date day; const char* notice; };
    const Case cases[] = {
        {"2013: 24 February on P - 57 goes to the day before, though 9 March is on P - 44", D(2013, 3, 9),
         "Служба Обретению главы Иоанна Предтечи переносится на Пт 8 мар (23 фев)."},
        {"2002: the same", D(2002, 3, 9), "Служба Обретению главы Иоанна Предтечи переносится на Пт 8 мар (23 фев)."},
        {"2002: 9 March on P - 44 goes to the Saturday", D(2002, 3, 22),
         "Служба 40 мчч. переносится на Сб 23 мар (10 мар)."},
        {"2011: 24 February on Clean Wednesday goes to the Saturday", D(2011, 3, 9),
         "Служба Обретению главы Иоанна Предтечи переносится на Сб 12 мар (27 фев)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = EvangText(files, c.day).text;
        EXPECT_TRUE(text.endsWith("\r\n\r\n" + QString::fromUtf8(c.notice))) << text.toStdString();
    }
}

// The liturgy says once that it is the liturgy's, a missing file leaves no
// label behind, and " Рядовое: " follows a reading of the feast. The days are
// those where the rows of the autumn table met missing files, found by
// scanning every day of 1900–2099.
TEST(EvangText, EveryLabelOnceAndNeverAlone)
{
    const TreeFiles full(Tree().root());
    const TreeFiles sparse(TreeWithoutReadingsOfTheDate().root());
    const TreeFiles matins_only(TreeOfSundayMatinsOnly().root());
    const QString after = kEv + "Переходящие чтения/После Пасхи/Литургия/";
    const QString other = kEv + "Переходящие чтения/Иные/Литургия/";
    const QString fixed = kEv + "Непереходящие чтения/";
    const QString sunday = kEv + "Воскресные/";
    struct Case { const char* name; const TreeFiles& files; Date day; QString text; };
    const Case cases[] = {
        {"13 October on a Sunday, no other reading: not \"На литургии На литургии\"", full, D(2025, 10, 26),
         "На утрени " + N(sunday + "9.txt") + "\r\nНа литургии недели 21-й: " + N(after + "196.txt") + " " +
             N(fixed + "Литургия/окт13.txt")},
        {"13 September without its reading: the ordinary reading alone", sparse, D(1904, 9, 26),
         "На литургии " + N(after + "120.txt") + " И за вторник: " + N(after + "121.txt")},
        {"26 December on a Wednesday without its reading", sparse, D(1902, 1, 8), "На литургии " + N(after + "269.txt")},
        {"13 September with no liturgy reading: no bare label", matins_only, D(1904, 9, 26), ""},
        {"26 December with no liturgy reading", matins_only, D(1902, 1, 8), ""},
        {"1 January on a Saturday without its reading: one space", sparse, D(1900, 1, 13),
         "На литургии " + N(other + "янв01Сб.txt")},
        {"a Sunday with its reading of the date and weekday is labelled", sparse, D(1900, 9, 30),
         "На утрени " + N(sunday + "5.txt") + "\r\nНа литургии " + N(other + "сен17Вс.txt") + " Рядовое: " +
             N(after + "161.txt")},
        {"the Sunday after Theophany in the January weeks: the week's label after it", sparse, D(1917, 1, 21),
         "На утрени " + N(sunday + "10.txt") + "\r\nНа литургии " + N(other + "янв08Вс.txt") + " Недели 31-й: " +
             N(after + "266.txt")},
        {"a saint's Saturday: one space before \" Рядовое: \"", full, D(1901, 2, 2),
         "На утрени " + N(fixed + "Утреня/янв20.txt") + "\r\nНа утрени " +
             N(kEv + "Переходящие чтения/После Пасхи/Утреня/286.txt") + "\r\nНа литургии " +
             N(fixed + "Литургия/янв20.txt") + " Рядовое: " + N(after + "279.txt")},
        {"29 June on a Sunday after All Saints: the liturgy is labelled", full, D(1903, 7, 12),
         "На утрени " + N(sunday + "5.txt") + "\r\nНа литургии " + N(fixed + "Литургия/июн29.txt") +
             " Рядовое: " + N(after + "084.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EvangText(c.files, c.day).text.toStdString(), c.text.toStdString());
    }
}

TEST(Readers, AMissingTreeGivesEmptyTextsAndNoCommands)
{
    const TreeFiles files("/nonexistent/indikt data");
    for (const Date day : {D(2025, 4, 20), D(2025, 10, 12), D(2025, 3, 12), D(2025, 7, 7)}) {
        for (const ReadingText& text : {EvangText(files, day), ApostolText(files, day), ParimiiText(files, day)}) {
            EXPECT_TRUE(text.text.isEmpty()) << text.text.toStdString();
            EXPECT_TRUE(text.found_commands.isEmpty());
            for (const QString& address : text.addresses)
                EXPECT_TRUE(address.isEmpty());
        }
    }
    EXPECT_EQ(EvangText(files, D(2025, 4, 20)).addresses.size(), 6);
    EXPECT_EQ(ApostolText(files, D(2025, 4, 20)).addresses.size(), 5);
    EXPECT_EQ(ParimiiText(files, D(2025, 4, 20)).addresses.size(), 3);
}

TEST(ApostolText, TheApostlesOwnRules)
{
    const TreeFiles files(Tree().root());
    const QString after = kAp + "Переходящие чтения/После Пасхи/";
    const QString fixed = kAp + "Непереходящие чтения/";
    struct Case { const char* name; Date day; QString text; };
    const Case cases[] = {
        {"Thomas Sunday", D(2025, 4, 27), N(after + "007.txt") + " " + N(fixed + "апр14.txt")},
        {"21 May after Pentecost (2010): the two references", D(2010, 6, 3),
         N(after + "060.txt") + " Богородице: [зачало 240, Флп 2:5–11=240]. Равноапостольным: [зачало 200, Гал 1:11–19=200]."},
        {"29 June on a Sunday after All Saints: the feast first", D(2026, 7, 12),
         N(fixed + "июн29.txt") + " Рядовое: " + N(after + "091.txt")},
        {"2 February on Clean Monday is a great feast", D(2010, 2, 15),
         N(kAp + "Великие праздники/Непереходящие чтения/фев02.txt")},
        {"the Nativity", D(2025, 1, 7), N(kAp + "Великие праздники/Непереходящие чтения/дек25.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ApostolText(files, c.day).text.toStdString(), c.text.toStdString());
    }
    EXPECT_EQ(ApostolText(files, D(2010, 6, 3)).addresses[3], fixed + "май21.txt");
}

// Two readings never run together and " Рядовое: " follows a reading of the feast.
TEST(ApostolText, EveryReadingApartAndLabelledOnce)
{
    const TreeFiles sparse(TreeWithoutReadingsOfTheDate().root());
    const QString before = kAp + "Переходящие чтения/До Пасхи/";
    const QString after = kAp + "Переходящие чтения/После Пасхи/";
    const QString other = kAp + "Переходящие чтения/Иные/";
    struct Case { const char* name; Date day; QString text; };
    const Case cases[] = {
        // The Publican Sunday on 11 January old style: as in the Gospel, the
        // Sunday after Theophany first, then the ordinary reading.
        {"2010: the Publican Sunday on the Sunday after Theophany", D(2010, 1, 24),
         N(other + "янв11Вс.txt") + " Рядовое: " + N(before + "070.txt")},
        {"1915: the same", D(1915, 1, 24), N(other + "янв11Вс.txt") + " Рядовое: " + N(before + "070.txt")},
        {"13 September without its reading: the ordinary reading alone", D(1904, 9, 26),
         N(after + "169.txt") + " И за вторник: " + N(after + "170.txt")},
        {"26 December on a Wednesday without its reading", D(1902, 1, 8), N(after + "269.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ApostolText(sparse, c.day).text.toStdString(), c.text.toStdString());
    }
}

// The Apostle keeps to the weeks after Pentecost while the Gospel jumps to
// Luke; the dates are checked against published church calendars.
TEST(ApostolText, TheAutumnApostleDoesNotFollowTheLukanJump)
{
    const TreeFiles files(Tree().root());
    const QString after = kAp + "Переходящие чтения/После Пасхи/";
    const QString liturgy = kEv + "Переходящие чтения/После Пасхи/Литургия/";
    struct Case { const char* name; Date day; const char* apostle; const char* gospel; const char* apostle_label; };
    const Case cases[] = {
        {"2026, d = +1: a Monday", D(2026, 11, 23), "225", "218", "Рядовые чтения 26-й седмицы: "},
        {"2026, d = +1: today's Wednesday", D(2026, 12, 9), "241", "234", ""},
        {"2025, d = -1: a Monday", D(2025, 12, 1), "225", "232", "Рядовые чтения 26-й седмицы: "},
        {"2022, d = -1: a Wednesday", D(2022, 12, 7), "227", "234", ""},
        {"2021, d = -2: a Sunday", D(2021, 10, 17), "168", "182", "Недели 17-й: "},
        // d = -1 and no week to spare: both books read the week counted back
        // from the Publican Sunday, the Gospel of Zacchaeus under its own number.
        {"2026: the Sunday of Zacchaeus, the 34th after Pentecost", D(2026, 1, 25), "273", "273", "Недели 32-й: "},
        {"2023: the Sunday of Zacchaeus, the 34th after Pentecost", D(2023, 1, 29), "273", "273", "Недели 32-й: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString apostle = ApostolText(files, c.day).text;
        EXPECT_NE(apostle.indexOf(QString::fromUtf8(c.apostle_label) + N(after + c.apostle + ".txt")), -1)
            << apostle.toStdString();
        const QString gospel = EvangText(files, c.day).text;
        EXPECT_NE(gospel.indexOf(N(liturgy + c.gospel + ".txt")), -1) << gospel.toStdString();
    }
}

// The ordinary reading of a weekday whose feast sets it aside is read the day
// before, "и за субботу", or, when the feast is on a Monday, the day after
// (чтения-дня.рф, 13 October 2023: Friday's readings "и за субботу", the
// Protection on the Saturday). 2026: Pascha 12 April civil, so 31 July is day
// 110 and the feast of 19 July old style, 1 August, day 111; 21 July (8 July
// old style, the Kazan icon) is a Tuesday. 2024: 1 October old style is
// Monday 14 October.
TEST(Readers, AFeastsOrdinaryReadingIsReadTheDayBefore)
{
    const TreeFiles files(Tree().root());
    const QString gospel = kEv + "Переходящие чтения/После Пасхи/Литургия/";
    const QString apostle = kAp + "Переходящие чтения/После Пасхи/";
    struct Case { const char* name; Date day; QString gospel; QString apostle; };
    const Case cases[] = {
        {"the Friday before a feast on Saturday", D(2026, 7, 31),
         N(gospel + "110.txt") + " И за субботу: " + N(gospel + "111.txt"),
         N(apostle + "110.txt") + " И за субботу: " + N(apostle + "111.txt")},
        {"the Monday before a feast on Tuesday", D(2026, 7, 20),
         N(gospel + "099.txt") + " И за вторник: " + N(gospel + "100.txt"),
         N(apostle + "099.txt") + " И за вторник: " + N(apostle + "100.txt")},
        {"the Tuesday after a feast on Monday", D(2024, 10, 15),
         N(gospel + "184.txt") + " И за понедельник: " + N(gospel + "183.txt"),
         N(apostle + "163.txt") + " И за понедельник: " + N(apostle + "162.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadingText g = EvangText(files, c.day);
        const ReadingText a = ApostolText(files, c.day);
        EXPECT_NE(g.text.indexOf(c.gospel), -1) << g.text.toStdString();
        EXPECT_NE(a.text.indexOf(c.apostle), -1) << a.text.toStdString();
        // The slot keeps the day's own file.
        EXPECT_TRUE(g.addresses[3].endsWith(c.gospel.mid(1, c.gospel.indexOf(".txt") + 3)));
    }
    // The feast's own day reads no ordinary reading, and a Sunday takes none of
    // another day's.
    EXPECT_EQ(EvangText(files, D(2026, 8, 1)).addresses[3], "");
    EXPECT_EQ(EvangText(files, D(2024, 10, 13)).text.indexOf(" И за "), -1);
    EXPECT_EQ(ApostolText(files, D(2024, 10, 14)).addresses[2], "");
}

// January of the years with d = -1 and no week to spare (2023): both books
// label and read the same week, counted back from the Publican Sunday.
TEST(Readers, TheJanuaryWeeksOfBothBooksAgree)
{
    const TreeFiles files(Tree().root());
    const QString gospel = kEv + "Переходящие чтения/После Пасхи/Литургия/";
    const QString apostle = kAp + "Переходящие чтения/После Пасхи/";
    struct Case { Date day; const char* number; const char* label; };
    const Case cases[] = {
        {D(2023, 1, 22), "266", "недели 31-й: "},  // two Sundays before the Publican
        {D(2023, 1, 23), "267", "рядовые чтения 32-й седмицы: "},
        {D(2023, 1, 28), "272", nullptr},
        {D(2023, 1, 29), "273", "недели 32-й: "},  // Zacchaeus
        {D(2023, 2, 4), "279", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const QString number = QString::fromUtf8(c.number) + ".txt";
        const QString g = EvangText(files, c.day).text;
        const QString a = ApostolText(files, c.day).text;
        EXPECT_NE(g.indexOf(N(gospel + number)), -1) << g.toStdString();
        EXPECT_NE(a.indexOf(N(apostle + number)), -1) << a.toStdString();
        if (c.label) {
            const QString label = QString::fromUtf8(c.label);
            EXPECT_NE(g.indexOf(label), -1) << g.toStdString();
            EXPECT_NE(a.indexOf(label.left(1).toUpper() + label.mid(1)), -1) << a.toStdString();
        }
    }
}

TEST(ParimiiText, FeastsTransfersAndEmptyDays)
{
    const TreeFiles files(Tree().root());
    const QString fixed = kPar + "Непереходящие чтения/";
    struct Case { const char* name; Date day; QString text; QStringList addresses; };
    const Case cases[] = {
        {"a weekday of the Pentecostarion without parimii", D(2025, 5, 6), "", {"", "", ""}},
        {"Ascension", D(2025, 5, 29), N(kPar + "Переходящие чтения/После Пасхи/039.txt"),
         {kPar + "Переходящие чтения/После Пасхи/039.txt", "", ""}},
        {"the Meeting on Clean Monday: its parimii, then the notice", D(2010, 2, 15),
         N(fixed + "фев02.txt") + "\r" + N(kPar + "Переходящие чтения/До Пасхи/048.txt") +
             "\r\n\r\nСлужба праздника Сретения Господа нашего Иисуса Христа переносится на неделю Сыропустную. "
             "Службы попразднства и отдания Сретения Господня не совершаются.",
         {kPar + "Переходящие чтения/До Пасхи/048.txt", "", fixed + "фев02.txt"}},
        {"1 February as the Sunday of Cheesefare reads the Meeting", D(2010, 2, 14), N(fixed + "фев02.txt"),
         {"", "", fixed + "фев02.txt"}},
        {"2025: 23 May receiving 25 May", D(2025, 6, 5), N(fixed + "май25.txt"), {"", "", fixed + "май25.txt"}},
        {"2013: 25 June receives the Nativity of the Forerunner", D(2013, 7, 8), N(fixed + "июн24.txt"),
         {"", "", fixed + "июн24.txt"}},
        {"1901: Palm Sunday on 25 March without its parimii: no bare label", D(1901, 4, 7), "", {"", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadingText text = ParimiiText(files, c.day);
        EXPECT_EQ(text.text.toStdString(), c.text.toStdString());
        EXPECT_EQ(text.addresses, c.addresses);
    }
}

}  // namespace
}  // namespace indikt
