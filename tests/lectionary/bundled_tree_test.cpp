// The readings of the bundled data tree, read by the real readers: every
// Sunday of two decades has its Gospel and Apostle, and weekdays give what
// published church calendars printed for those very dates.

#include "calendar/date_texts.h"
#include "lectionary/readings.h"

#include <QRegularExpression>

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
    static const QRegularExpression target("=\\s*([a-z]*\\d+)\\s*\\]");
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

}  // namespace
}  // namespace indikt
