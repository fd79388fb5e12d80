// The readings of the bundled data tree, read by the real readers: every
// Sunday of two decades has its Gospel and Apostle, and weekdays give what
// published church calendars printed for those very dates; every day of the
// year has its Menaion record, lives page and icon; every ordinary day finds
// the movable reading file its readers ask for.

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"
#include "calendar/reading_cycle.h"
#include "lectionary/day_icons.h"
#include "texts/data_files.h"
#include "lectionary/menaion.h"
#include "lectionary/readings.h"
#include "reading_tree.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const TreeFiles& Bundled()
{
    static const TreeFiles files(QString::fromUtf8(INDIKT_BUNDLED_DATA));
    return files;
}

// The targets of the reading markup of a text: "lk90", "299".
QStringList Targets(const QString& text)
{
    QStringList targets;
    static const QRegularExpression target("=\\s*([a-z0-9_-]*\\d[a-z0-9_-]*)\\s*\\]");
    for (auto it = target.globalMatch(text); it.hasNext();)
        targets << it.next().captured(1);
    return targets;
}

TEST(BundledTree, EverySundayHasItsLiturgyReadings)
{
    for (Date day = D(2020, 1, 5); day <= D(2040, 12, 31); day = day + 7) {
        const QString gospel = EvangText(Bundled(), day).text;
        const QStringList lines = gospel.split("\r\n", Qt::SkipEmptyParts);
        EXPECT_TRUE(!lines.isEmpty() && !lines.last().startsWith("На утрени")) << TextOfDayAndMonthAndYear1(day) << ": " << gospel.toStdString();
        EXPECT_FALSE(Targets(ApostolText(Bundled(), day).text).isEmpty()) << TextOfDayAndMonthAndYear1(day);
    }
}

// Every target of `expected` (blank-separated; none for nullptr) is read.
void ExpectTargets(const QString& text, const char* expected)
{
    if (!expected)
        return;
    const QStringList targets = Targets(text);
    for (const QString& target : QString::fromUtf8(expected).split(' ', Qt::SkipEmptyParts))
        EXPECT_TRUE(targets.contains(target)) << target.toStdString() << " in " << text.toStdString();
}

TEST(BundledTree, WeekdaysReadWhatTheChurchCalendarsPrinted)
{
    struct Case { Date day; const char* apostle; const char* gospel; };
    const Case cases[] = {
        {D(2026, 12, 9), "299", "lk90"},    // Wednesday of the 28th week; the Gospel of the 27th
        {D(2026, 11, 23), "278", "lk65"},
        {D(2025, 12, 1), "278", "lk86"},    // the same Apostle, a Gospel two weeks on
        {D(2022, 12, 7), "281", "lk90"},
        {D(2022, 12, 20), "297", "lk106"},
        {D(2022, 12, 28), "312", "mk36"},
        {D(2021, 12, 30), "300", "mk39"},
        {D(2022, 1, 13), "326", "mk52"},
        {D(2023, 10, 6), "234", "lk14"},
        {D(2023, 10, 17), "242", "lk27"},
        {D(2023, 10, 30), "255", "lk43"},
        {D(2022, 9, 23), "210", "mk26"},
        {D(2022, 9, 28), "214", "mk29"},
        {D(2022, 12, 24), "218", "lk72"},   // a Saturday
        {D(2024, 2, 29), "69", "mk62"},     // the week after the Publican
        {D(2021, 11, 25), "265", "lk70"},
        {D(2026, 1, 25), "285", "lk94"},    // the Sunday of Zacchaeus
        // d = -1 and no week to spare (2023, 2026): the two weeks before the
        // Publican Sunday read the 32nd and the 33rd week in both books.
        {D(2023, 1, 28), nullptr, "lk84"},   // Saturday of the 32nd week, not Lk 103
        {D(2023, 2, 4), "293", "lk88"},      // Saturday of the 33rd week, not zachalo 295
        {D(2026, 1, 23), "58", nullptr},     // 1 Pet 1:1-2, 10-12 (kyrieeleison.me, 23 January 2026)
        // December with more than four weeks to spare goes on reading the
        // lectionary (hram-vsr.ru, Gospel of the day 2015-2016: Mk 33, 34, 36,
        // 39; the same for 25 December 2023 on).
        {D(2015, 12, 28), nullptr, "mk33"},
        {D(2015, 12, 29), nullptr, "mk34"},
        {D(2015, 12, 30), nullptr, "mk36"},
        {D(2015, 12, 31), nullptr, "mk39"},
        {D(2023, 12, 25), "319", "mk33"},
        {D(2023, 12, 26), "321", "mk34"},
        // The ordinary reading of a feast's day read the day before, "и за
        // субботу" (чтения-дня.рф, 13 October 2023: the Protection on the
        // Saturday) and "и за вторник" (21 September 2021: the Nativity of
        // the Theotokos on the Tuesday).
        {D(2023, 10, 13), "239 164", "lk24 lk19"},
        {D(2021, 9, 20), "195 196", "mk16 mk17"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextOfDayAndMonthAndYear1(c.day));
        ExpectTargets(ApostolText(Bundled(), c.day).text, c.apostle);
        ExpectTargets(EvangText(Bundled(), c.day).text, c.gospel);
    }
}

// Every day of a leap and of a common year shows a fixed Menaion record, a
// page of lives and an icon: its own, or the icon of the great feast of the day.
TEST(BundledTree, EveryDayHasItsMenaionRecordLivesAndIcon)
{
    const QString root = QString::fromUtf8(INDIKT_BUNDLED_DATA) + u'/';
    for (const int year : {2024, 2027}) {
        int days = 0;
        for (Date day = D(year, 1, 1); day <= D(year, 12, 31); day = day + 1) {
            ++days;
            SCOPED_TRACE(TextOfDayAndMonthAndYear1(day));
            const MenaionText menaion = MesezText(Bundled(), day);
            ASSERT_EQ(menaion.addresses.size(), 6);
            EXPECT_FALSE(menaion.addresses[3].isEmpty()) << "no fixed Menaion record";
            const QString key = QString::fromStdString(TextOfMonthAndDay(OldStyle(day)));
            EXPECT_TRUE(QFileInfo(root + "Жития святых/Святцы/" + key + ".htm").isFile()) << "no lives page " << key.toStdString();
            EXPECT_TRUE(QFileInfo(root + "Иконы/Непереходящие праздники/" + key + ".jpg").isFile() ||
                        QFileInfo(root + "Иконы/Великие праздники/Непереходящие праздники/" + key + ".jpg").isFile())
                << "no icon " << key.toStdString();
        }
        EXPECT_EQ(days, year == 2024 ? 366 : 365);
    }
}

// The icon strip of every day shows our own pictures, each with its large
// version and its caption, and the Sunday icons rotate through all six.
TEST(BundledTree, EveryDayShowsItsIconsWithLargeVersions)
{
    const QString root = QString::fromUtf8(INDIKT_BUNDLED_DATA);
    for (const int year : {2024, 2027}) {
        IconCounters counters;
        QSet<QString> sunday_icons;
        for (Date day = D(year, 1, 1); day <= D(year, 12, 31); day = day + 1) {
            SCOPED_TRACE(TextOfDayAndMonthAndYear1(day));
            const DayIcons icons = OpenIcon(root, day, MakeDayFacts(day), counters);
            counters = icons.counters;
            ASSERT_FALSE(icons.filled.empty());
            for (const IconSlot& slot : icons.filled) {
                EXPECT_TRUE(QFileInfo(DataPath(root, LargeIconPath(slot.path))).isFile()) << slot.path.toStdString();
                EXPECT_FALSE(slot.hint.isEmpty()) << slot.path.toStdString();
                if (slot.command == "OpenIcoVos")
                    sunday_icons.insert(slot.path);
            }
        }
        EXPECT_EQ(sunday_icons.size(), 6);
    }
}

// Every weekday of Great Lent reads the prophecy of the Sixth Hour and the two
// readings of Vespers, and so do Holy Monday and Tuesday (the Lenten Triodion).
TEST(BundledTree, EveryWeekdayOfLentHasItsOldTestamentReadings)
{
    int weekdays = 0;
    for (Date day = D(2020, 1, 1); day <= D(2040, 12, 31); day = day + 1) {
        const ReadingCycle c = MakeReadingCycle(day);
        const int from = c.fromPascha();
        const bool weekday = c.weekday >= 2 && c.weekday <= 6;
        if (!weekday || from < -48 || from > -5 || (from > -9 && from < -6))
            continue;
        ++weekdays;
        SCOPED_TRACE(TextOfDayAndMonthAndYear1(day));
        const ReadingText parimii = ParimiiText(Bundled(), day);
        EXPECT_TRUE(parimii.text.contains("На 6-м часе: [")) << parimii.text.toStdString();
        EXPECT_TRUE(parimii.text.contains("На вечерне: [")) << parimii.text.toStdString();
        EXPECT_GE(Targets(parimii.text).size(), 3);
    }
    EXPECT_EQ(weekdays, 21 * (6 * 5 + 2));
}

// The movable files the readers ask for, found by reading every day against a
// tree that holds every movable file under its own name.
const ReadingTree& MovableProbe()
{
    static const ReadingTree tree = [] {
        ReadingTree probe;
        for (const char* folder : {"Богослужение/Евангелие/Переходящие чтения/До Пасхи/Литургия/",
                                   "Богослужение/Евангелие/Переходящие чтения/После Пасхи/Литургия/",
                                   "Богослужение/Апостол/Переходящие чтения/До Пасхи/",
                                   "Богослужение/Апостол/Переходящие чтения/После Пасхи/"})
            probe.addNumbers(QString::fromUtf8(folder), 366);
        return probe;
    }();
    return tree;
}

// Days that have no liturgy, and so no Gospel or Apostle of their own: the
// weekdays of Great Lent up to Lazarus Saturday (the Presanctified Liturgy has
// no New Testament reading, Holy Monday to Wednesday only a Gospel), the
// Wednesday and Friday of Cheesefare week, and Good Friday.
bool WithoutLiturgyReading(Date day, bool apostle)
{
    const ReadingCycle c = MakeReadingCycle(day);
    const int from = c.fromPascha();
    const bool weekday = c.weekday >= 2 && c.weekday <= 6;
    if (from == -53 || from == -51 || from == -2)
        return true;
    if (weekday && from >= -48 && from <= -9)
        return true;
    return apostle && from >= -6 && from <= -4;
}

TEST(BundledTree, EveryOrdinaryDayFindsItsMovableReading)
{
    // Apostle 293 is asked only on a Sunday that has a date-bound reading of
    // its own (23.01.2038), for which no calendar prints an ordinary reading.
    const QSet<QString> pending = {"Богослужение/Апостол/Переходящие чтения/После Пасхи/293.txt"};
    const TreeFiles probe(MovableProbe().root());
    QSet<QString> missing;
    int asked = 0;
    for (Date day = D(2020, 1, 1); day <= D(2040, 12, 31); day = day + 1) {
        const struct { ReadingText text; int slot; bool apostle; } books[] = {
            {EvangText(probe, day), 3, false}, {ApostolText(probe, day), 2, true}};
        for (const auto& book : books) {
            const QString& file = book.text.addresses[book.slot];
            if (file.isEmpty() || pending.contains(file) || WithoutLiturgyReading(day, book.apostle))
                continue;
            // A Sunday or Saturday bound to a date reads its own readings instead.
            const ReadingText bundled = book.apostle ? ApostolText(Bundled(), day) : EvangText(Bundled(), day);
            if (!bundled.addresses[book.slot + 2].isEmpty())
                continue;
            ++asked;
            if (!Bundled().exists(file) && !missing.contains(file)) {
                missing.insert(file);
                ADD_FAILURE() << TextOfDayAndMonthAndYear1(day) << ": " << file.toStdString() << " is missing";
            }
        }
    }
    // 7671 days of two books, less the weekdays of Lent and the other days without a liturgy.
    EXPECT_GT(asked, 12000);
}

}  // namespace
}  // namespace indikt
