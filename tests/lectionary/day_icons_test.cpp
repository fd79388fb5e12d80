#include "lectionary/day_icons.h"

#include "file_helpers.h"

#include "calendar/paschalion.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

namespace indikt {
namespace {

const QString kAfter = u"Иконы\\Великие праздники\\Переходящие праздники\\После Пасхи\\"_qs;
const QString kBefore = u"Иконы\\Великие праздники\\Переходящие праздники\\До Пасхи\\"_qs;
const QString kGreatFixed = u"Иконы\\Великие праздники\\Непереходящие праздники\\"_qs;
const QString kMovableBefore = u"Иконы\\Переходящие праздники\\До Пасхи\\"_qs;
const QString kFixed = u"Иконы\\Непереходящие праздники\\"_qs;
const QString kOther = u"Иконы\\Переходящие праздники\\Иные\\"_qs;

// A tree of icon files; each picture gets a caption "caption of <name>"
// unless asked not to.
class IconTree {
public:
    void add(const QString& relative, bool with_caption = true) const
    {
        QString path = dir_.path() + '/' + relative;
        path.replace('\\', '/');
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, "jpeg"));
        if (with_caption) {
            ASSERT_TRUE(WriteBytes(path.chopped(4) + ".txt", ("  caption of " + QFileInfo(path).fileName() + "  \r\nmore")
                                                                 .toLocal8Bit()));
        }
    }
    void add(std::initializer_list<QString> files) const
    {
        for (const QString& file : files)
            add(file);
    }
    QString root() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

DayIcons IconsOf(const IconTree& tree, int year, int month, int day, IconCounters counters = {})
{
    const Date civil = FromCivil(year, month, day);
    return OpenIcon(tree.root(), civil, MakeDayFacts(civil), counters);
}

QStringList Paths(const DayIcons& icons)
{
    QStringList paths;
    for (const IconSlot& slot : icons.filled)
        paths.append(slot.path);
    return paths;
}

TEST(IconNames, LiteralNamesKeepTheirLetters)
{
    // "а_" begins with the Cyrillic а; "iсо.jpg" is a Latin i, then Cyrillic с and о.
    ASSERT_EQ(kLargeIconPrefix.size(), 2);
    EXPECT_EQ(kLargeIconPrefix[0].unicode(), 0x0430);
    EXPECT_EQ(kLargeIconPrefix[1].unicode(), u'_');
    ASSERT_EQ(kDesktopPictureName.size(), 7);
    EXPECT_EQ(kDesktopPictureName[0].unicode(), 0x0069);
    EXPECT_EQ(kDesktopPictureName[1].unicode(), 0x0441);
    EXPECT_EQ(kDesktopPictureName[2].unicode(), 0x043E);
    EXPECT_EQ(kDesktopPictureName.mid(3), ".jpg");
    EXPECT_EQ(kDesktopPicturePath, u"Иконы\\"_qs + kDesktopPictureName);
}

TEST(IconNames, LargeVersionAndCaptionOfAPicture)
{
    EXPECT_EQ(LargeIconPath(u"Иконы\\02Вс.jpg"_qs), u"Иконы\\\u0430_02Вс.jpg"_qs);
    EXPECT_EQ(LargeIconPath(u"/home/u/pic.jpg"_qs), u"/home/u/\u0430_pic.jpg"_qs);
    EXPECT_EQ(LargeIconPath(u"pic.jpg"_qs), u"\u0430_pic.jpg"_qs);
    // The caption drops a leading "а_" and the extension, and keeps the point.
    EXPECT_EQ(PictureCaptionPath(u"/d/Иконы/\u0430_001.jpg"_qs), u"/d/Иконы/001.txt"_qs);
    EXPECT_EQ(PictureCaptionPath(u"/d/pic.large.JPEG"_qs), u"/d/pic.large.txt"_qs);
    EXPECT_EQ(PictureCaptionPath(u"/d/noext"_qs), u"/d/noext.txt"_qs);
    for (const char* name : {"a.jpg", "a.JPG", "a.Jpeg", "a.bmp", "a.gif", "a.ICO"})
        EXPECT_TRUE(IsMainPictureFile(QString::fromLatin1(name))) << name;
    for (const char* name : {"a.png", "a.jpg.txt", "a", "jpg"})
        EXPECT_FALSE(IsMainPictureFile(QString::fromLatin1(name))) << name;
}

TEST(NextRotatingIcon, CountsToFiveThenStartsAgain)
{
    EXPECT_EQ(NextRotatingIcon(0), 1);
    EXPECT_EQ(NextRotatingIcon(4), 5);
    EXPECT_EQ(NextRotatingIcon(5), 0);
    EXPECT_EQ(NextRotatingIcon(999), 0);
    EXPECT_EQ(NextRotatingIcon(-3), 0);
}

// Pascha 2025 is 20 April (new style), 7 April old style (paschalion tables).
TEST(OpenIcon, PaschaShowsTheNextSundayIconThenTheFeast)
{
    IconTree tree;
    tree.add({u"Иконы\\01Вс.jpg"_qs, kAfter + "00.jpg"});
    const DayIcons icons = IconsOf(tree, 2025, 4, 20, {0, 3});
    EXPECT_EQ(Paths(icons), QStringList({u"Иконы\\01Вс.jpg"_qs, kAfter + "00.jpg"}));
    EXPECT_EQ(icons.counters, (IconCounters{1, 3}));
    EXPECT_EQ(icons.filled[1].hint, "caption of 00.jpg");
    EXPECT_EQ(icons.commands, QStringList({"OpenIcoVos", "OpenIcoVelPerehPP"}));
    EXPECT_TRUE(icons.great_feast);
}

// Antipascha 2025: 27 April, d = 7.
TEST(OpenIcon, SundayAfterPaschaShowsThePaschalIconAndNoSundayIcon)
{
    IconTree tree;
    tree.add({u"Иконы\\01Вс.jpg"_qs, kAfter + "00.jpg"});
    const DayIcons icons = IconsOf(tree, 2025, 4, 27, {0, 0});
    EXPECT_EQ(Paths(icons), QStringList({kAfter + "00.jpg"}));
    EXPECT_EQ(icons.counters.sunday, 0);
}

TEST(OpenIcon, SundayIconCounterWrapsAndDefaultsItsHint)
{
    IconTree tree;
    tree.add(u"Иконы\\00Вс.jpg"_qs, false);
    // 9 March 2025 is an ordinary Sunday of Lent (old style 24 February).
    const DayIcons icons = IconsOf(tree, 2025, 3, 9, {5, 0});
    ASSERT_EQ(Paths(icons), QStringList({u"Иконы\\00Вс.jpg"_qs}));
    EXPECT_EQ(icons.filled[0].hint, u"Воскресение Христово"_qs);
    EXPECT_EQ(icons.counters.sunday, 0);
}

TEST(OpenIcon, FeastSundaysShowNoSundayIcon)
{
    IconTree tree;
    tree.add(u"Иконы\\01Вс.jpg"_qs);
    // Civil dates, all Sundays: Palm Sunday 2025 (P - 7), Pentecost 2025
    // (P + 49), old-style 6 August 2018 (19 August), old-style 14 September
    // 2026 (27 September), old-style 25 December 2023 (7 January 2024),
    // old-style 6 January 2020 (19 January).
    const int sundays[][3] = {{2025, 4, 13}, {2025, 6, 8}, {2018, 8, 19}, {2026, 9, 27}, {2024, 1, 7}, {2020, 1, 19}};
    for (const auto& day : sundays) {
        ASSERT_EQ(Weekday(FromCivil(day[0], day[1], day[2])), 1) << day[0] << '-' << day[1] << '-' << day[2];
        const DayIcons icons = IconsOf(tree, day[0], day[1], day[2], {0, 0});
        EXPECT_FALSE(Paths(icons).contains(u"Иконы\\01Вс.jpg"_qs)) << day[0] << '-' << day[1] << '-' << day[2];
        EXPECT_EQ(icons.counters.sunday, 0);
    }
    // The Sunday before Palm Sunday does show it.
    EXPECT_EQ(Paths(IconsOf(tree, 2025, 4, 6, {0, 0})), QStringList({u"Иконы\\01Вс.jpg"_qs}));
}

TEST(OpenIcon, AfterFeastDaysOfTheGreatFixedFeasts)
{
    IconTree tree;
    tree.add({kGreatFixed + u"янв06.jpg"_qs, kGreatFixed + u"авг15.jpg"_qs, kGreatFixed + u"мар25.jpg"_qs,
              kGreatFixed + u"дек25.jpg"_qs});
    // {civil date, expected icon}; old style = civil - 13 days in these years.
    struct Case {
        int y, m, d;
        QString icon;
    };
    const Case cases[] = {
        {2025, 1, 19, kGreatFixed + u"янв06.jpg"_qs},  // old-style 6 January, the feast
        {2025, 1, 23, kGreatFixed + u"янв06.jpg"_qs},  // 10 January
        {2025, 1, 27, kGreatFixed + u"янв06.jpg"_qs},  // 14 January, the leave-taking
        {2025, 1, 28, {}},                              // 15 January
        {2025, 8, 29, kGreatFixed + u"авг15.jpg"_qs},  // 16 August
        {2025, 9, 6, {}},                               // 24 August
        {2025, 1, 8, kGreatFixed + u"дек25.jpg"_qs},   // 26 December 2024
        {2025, 4, 8, kGreatFixed + u"мар25.jpg"_qs},   // 26 March, Pascha on 7 April: before P - 8
        {2024, 4, 8, kGreatFixed + u"мар25.jpg"_qs},   // 26 March, Pascha on 22 April
        {2018, 4, 8, {}},                               // 26 March 2018 is Pascha itself
    };
    for (const Case& c : cases) {
        const QStringList paths = Paths(IconsOf(tree, c.y, c.m, c.d, {0, 0}));
        const bool shown = !c.icon.isEmpty();
        if (shown)
            EXPECT_TRUE(paths.contains(c.icon)) << c.y << '-' << c.m << '-' << c.d << ": " << paths.join(' ').toStdString();
        else
            EXPECT_TRUE(paths.filter(kGreatFixed).isEmpty()) << c.y << '-' << c.m << '-' << c.d;
    }
}

// Pascha 2018: 8 April civil, 26 March old style; from old-style 2 February
// it is 52 days away, so the Meeting stays while Pascha is more than 48 days
// away: old-style 3 (d 51) to 5 February (d 49). In 2024 Pascha is 80 days
// from the Meeting: all of 3 to 9 February.
TEST(OpenIcon, AfterFeastOfTheMeetingShortensAsPaschaComesNearer)
{
    IconTree tree;
    tree.add(kGreatFixed + u"фев02.jpg"_qs);
    const QString meeting = kGreatFixed + u"фев02.jpg"_qs;
    for (int old_day = 3; old_day <= 10; ++old_day) {
        const Date civil2018 = NewStyle(FromOldStyle(2018, 2, old_day));
        const bool shown2018 = !OpenIcon(tree.root(), civil2018, MakeDayFacts(civil2018), {}).filled.empty();
        EXPECT_EQ(shown2018, old_day <= 5) << "2018, old-style February " << old_day;
        const Date civil2024 = NewStyle(FromOldStyle(2024, 2, old_day));
        const DayIcons icons2024 = OpenIcon(tree.root(), civil2024, MakeDayFacts(civil2024), {});
        EXPECT_EQ(Paths(icons2024).contains(meeting), old_day <= 9) << "2024, old-style February " << old_day;
    }
}

TEST(OpenIcon, GreatMovableFeastsAndTheirAfterFeastIcons)
{
    IconTree tree;
    tree.add({kBefore + "07.jpg", kAfter + "39.jpg", kAfter + "49.jpg", kAfter + "26.jpg"});
    // 2025: Pascha 20 April. Palm Sunday d = 7 before; Ascension 29 May (d 39)
    // and the days after it; Pentecost 8 June (d 49) and its week; d = 26
    // has no grouped icon ("32.jpg" is missing) and takes its own.
    EXPECT_TRUE(Paths(IconsOf(tree, 2025, 4, 13)).contains(kBefore + "07.jpg"));
    EXPECT_TRUE(Paths(IconsOf(tree, 2025, 5, 29)).contains(kAfter + "39.jpg"));
    EXPECT_TRUE(Paths(IconsOf(tree, 2025, 6, 5)).contains(kAfter + "39.jpg"));   // d 46
    EXPECT_FALSE(Paths(IconsOf(tree, 2025, 6, 7)).contains(kAfter + "39.jpg"));  // d 48
    EXPECT_TRUE(Paths(IconsOf(tree, 2025, 6, 14)).contains(kAfter + "49.jpg"));  // d 55
    EXPECT_TRUE(Paths(IconsOf(tree, 2025, 5, 16)).contains(kAfter + "26.jpg"));  // d 26
}

TEST(OpenIcon, OtherFeastsByWeekdayAndThirtiethOfMarch)
{
    IconTree tree;
    // 9 March 2025 is a Sunday, old style 24 February.
    tree.add({kOther + u"фев24Вс.jpg"_qs, kOther + u"фев24Пн.jpg"_qs, kOther + u"мар30.jpg"_qs,
              kOther + u"мар30_1.jpg"_qs});
    EXPECT_EQ(Paths(IconsOf(tree, 2025, 3, 9)), QStringList({kOther + u"фев24Вс.jpg"_qs}));
    // Old-style 30 March, 12 April civil: 2024 (Pascha 22 April old style,
    // so before P - 8), 2021 (Pascha 19 April), 2018 (26 March: after it).
    for (const int year : {2024, 2021, 2018}) {
        const Date civil = NewStyle(FromOldStyle(year, 3, 30));
        const QStringList paths = Paths(OpenIcon(tree.root(), civil, MakeDayFacts(civil), {}));
        EXPECT_TRUE(paths.contains(kOther + u"мар30.jpg"_qs) && paths.contains(kOther + u"мар30_1.jpg"_qs)) << year;
    }
    // 2014: Pascha 20 April civil, 7 April old style; 30 March is P - 8,
    // not earlier than P - 8, and not shown.
    const Date civil2014 = NewStyle(FromOldStyle(2014, 3, 30));
    const DayFacts facts2014 = MakeDayFacts(civil2014);
    ASSERT_EQ(facts2014.pascha - facts2014.old_style, 8);
    EXPECT_FALSE(Paths(OpenIcon(tree.root(), civil2014, facts2014, {})).contains(kOther + u"мар30.jpg"_qs));
}

TEST(OpenIcon, CommemorationsFillUpToSixSlots)
{
    IconTree tree;
    // 9 March 2025: Sunday, old style 24 February, 42 days before Pascha.
    tree.add({u"Иконы\\01Вс.jpg"_qs, kMovableBefore + "42.jpg", kMovableBefore + "42_1.jpg",
              kMovableBefore + "42_2.jpg", kMovableBefore + "42_3.jpg", kMovableBefore + "42_4.jpg",
              kMovableBefore + "42_5.jpg", kFixed + u"фев24.jpg"_qs, kFixed + u"фев24_1.jpg"_qs});
    const DayIcons icons = IconsOf(tree, 2025, 3, 9);
    // Six slots are filled before the fixed commemorations: none of them shows.
    EXPECT_EQ(Paths(icons), QStringList({u"Иконы\\01Вс.jpg"_qs, kMovableBefore + "42.jpg", kMovableBefore + "42_1.jpg",
                                         kMovableBefore + "42_2.jpg", kMovableBefore + "42_3.jpg",
                                         kMovableBefore + "42_4.jpg"}));
    EXPECT_EQ(icons.commands, QStringList({"OpenIcoVos", "OpenIcoPerehDP"}));

    // A weekday with fewer: the fixed ones follow in order.
    IconTree weekday;
    weekday.add({kMovableBefore + "41.jpg", kFixed + u"фев25.jpg"_qs, kFixed + u"фев25_1.jpg"_qs,
                 kFixed + u"фев25_3.jpg"_qs});
    EXPECT_EQ(Paths(IconsOf(weekday, 2025, 3, 10)),
              QStringList({kMovableBefore + "41.jpg", kFixed + u"фев25.jpg"_qs, kFixed + u"фев25_1.jpg"_qs,
                           kFixed + u"фев25_3.jpg"_qs}));
    EXPECT_FALSE(IconsOf(weekday, 2025, 3, 10).great_feast);
}

TEST(OpenIcon, FirstMovableCommemorationTakesSlotSixWhenAllAreUsed)
{
    // Old-style 30 March 2018 is 12 April civil, a Thursday, four days after
    // Pascha (26 March old style): the Paschal icon, the great movable feast
    // of d 4, a great fixed icon of the day, the other feast of a Thursday
    // and the two icons of 30 March fill six slots; the day's movable
    // commemoration then replaces the sixth, and its "_1" is not shown.
    IconTree tree;
    const Date civil = FromCivil(2018, 4, 12);
    const DayFacts facts = MakeDayFacts(civil);
    ASSERT_EQ(facts.old_style, FromOldStyle(2018, 3, 30));
    ASSERT_EQ(facts.pascha_distance, 4);
    tree.add({kAfter + "00.jpg", kAfter + "04.jpg", kGreatFixed + u"мар30.jpg"_qs, kOther + u"мар30Чт.jpg"_qs,
              kOther + u"мар30.jpg"_qs, kOther + u"мар30_1.jpg"_qs});
    const QString movable = u"Иконы\\Переходящие праздники\\После Пасхи\\"_qs;
    tree.add({movable + "04.jpg", movable + "04_1.jpg"});
    const DayIcons icons = OpenIcon(tree.root(), civil, facts, {});
    EXPECT_EQ(Paths(icons), QStringList({kAfter + "00.jpg", kAfter + "04.jpg", kGreatFixed + u"мар30.jpg"_qs,
                                         kOther + u"мар30Чт.jpg"_qs, kOther + u"мар30.jpg"_qs, movable + "04.jpg"}));
    EXPECT_TRUE(icons.commands.contains("OpenIcoPerehPP"));
}

TEST(OpenIcon, ADayWithoutIconsShowsTheSaviour)
{
    IconTree tree;
    tree.add(u"Иконы\\03.jpg"_qs, false);
    tree.add(u"Иконы\\01Вс.jpg"_qs);
    // 10 March 2025, a Monday with nothing else.
    const DayIcons icons = IconsOf(tree, 2025, 3, 10, {4, 2});
    ASSERT_EQ(Paths(icons), QStringList({u"Иконы\\03.jpg"_qs}));
    EXPECT_EQ(icons.filled[0].hint, u"Икона Спасителя"_qs);
    EXPECT_EQ(icons.counters, (IconCounters{4, 3}));
    EXPECT_EQ(icons.commands, QStringList({"OpenIcoSpas"}));
    // A Sunday whose rotating icon is missing falls back to the Saviour too,
    // and both counters move.
    const DayIcons sunday = IconsOf(tree, 2025, 3, 9, {4, 2});
    EXPECT_EQ(Paths(sunday), QStringList({u"Иконы\\03.jpg"_qs}));
    EXPECT_EQ(sunday.counters, (IconCounters{5, 3}));
}

TEST(DesktopIconDay, ByTheChoiceOfDays)
{
    // 8 March 2025 a Saturday, 9 March a Sunday, 10 March a Monday.
    const Date saturday = FromCivil(2025, 3, 8), sunday = FromCivil(2025, 3, 9), monday = FromCivil(2025, 3, 10);
    struct Case {
        int den;
        bool saturday, sunday, monday, monday_feast;
    };
    const Case cases[] = {
        {0, false, true, false, false}, {1, true, true, false, false}, {2, false, false, false, true},
        {3, false, true, false, true},  {4, true, true, false, true},  {5, true, true, true, true},
        {-1, false, true, false, true}, {9, false, true, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopIconDay(c.den, saturday, false), c.saturday) << c.den;
        EXPECT_EQ(DesktopIconDay(c.den, sunday, false), c.sunday) << c.den;
        EXPECT_EQ(DesktopIconDay(c.den, monday, false), c.monday) << c.den;
        EXPECT_EQ(DesktopIconDay(c.den, monday, true), c.monday_feast) << c.den;
    }
}

TEST(OpenIcon, FolderOfEveryCommand)
{
    EXPECT_EQ(IconCommandFolder("OpenIcoVos"), u"Иконы"_qs);
    EXPECT_EQ(IconCommandFolder("OpenIcoInoe"), u"Иконы\\Переходящие праздники\\Иные"_qs);
    EXPECT_EQ(IconCommandFolder("OpenIcoVelPerehPP"), u"Иконы\\Великие праздники\\Переходящие праздники\\После Пасхи"_qs);
    EXPECT_EQ(IconCommandFolder("ActionPanelIco"), QString());
}

// The strip of a 283-pixel panel (the default "WidthImagePIco") and of a wide one.
TEST(LayOutIconStrip, HeightByTheNumberOfIcons)
{
    struct Case {
        int width, filled, height;
    };
    const Case cases[] = {
        {283, 1, 106}, {283, 2, 106}, {283, 3, 100}, {283, 4, 75}, {283, 5, 60}, {283, 6, 51},
        {600, 1, 130}, {600, 6, 104}, {0, 1, 12},
    };
    for (const Case& c : cases) {
        const IconStripLayout layout = LayOutIconStrip(c.width, c.filled);
        EXPECT_EQ(layout.height, c.height) << c.width << " " << c.filled;
        ASSERT_EQ(layout.images.size(), static_cast<size_t>(c.filled));
        for (int i = 0; i < c.filled; ++i) {
            const QRect& r = layout.images[static_cast<size_t>(i)];
            EXPECT_EQ(r.width(), c.height);
            EXPECT_EQ(r.height(), c.height - 2);
            EXPECT_EQ(r.left(), i * (c.height - 4)) << "each starts 4 pixels before the previous ends";
            EXPECT_EQ(r.top(), 3) << "centred, then 2 pixels lower";
        }
    }
}

}  // namespace
}  // namespace indikt
