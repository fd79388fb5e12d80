// The period report over a small tree: the text file's exact layout, the web
// page's escaping of a note, the period in either order, cancel midway.

#include "walks/period_report.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

const Date kToday = D(2026, 12, 9);

class ReportTree {
public:
    ReportTree()
    {
        // Civil 13 January 2025 is 31 December 2024 old style.
        write("Месяцеслов/Непереходящие праздники/дек31.txt", "Отдание праздника\r\nсвятителя [Иоанна=x] Богослова\r\n");
        write("Записи/дек312024.rtf", "{\\rtf1\\ansi\\ansicpg1251 Свеча <за> здравие & мир\\par вторая строка}");
    }
    const QString& root() const { return root_; }
    void write(const QString& relative, const QString& text) const
    {
        const QString path = root_ + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
    // The bytes written, as text with its byte-order mark kept.
    std::string report(const ReportPeriod& period, const ReportData& data, ReportFormat format) const
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_EQ(WriteReport(buffer, root_, period, data, format, kToday), WalkOutcome::Finished);
        return buffer.data().toStdString();
    }

private:
    QTemporaryDir dir_;
    QString root_ = dir_.path();
};

TEST(ReportPeriod, EitherOrderAndBothEndsCounted)
{
    struct Case { Date a, b, first, last; int days; };
    const Case cases[] = {
        {D(2025, 1, 13), D(2025, 1, 13), D(2025, 1, 13), D(2025, 1, 13), 1},
        {D(2025, 1, 23), D(2025, 1, 13), D(2025, 1, 13), D(2025, 1, 23), 11},   // reversed: swapped
        {D(2024, 12, 31), D(2025, 12, 31), D(2024, 12, 31), D(2025, 12, 31), 366},
    };
    for (const Case& c : cases) {
        const ReportPeriod period = MakeReportPeriod(c.a, c.b);
        EXPECT_EQ(period.first, c.first);
        EXPECT_EQ(period.last, c.last);
        EXPECT_EQ(DayCount(period), c.days);
    }
}

TEST(WriteReport, TheTextFileOfOneDay)
{
    const ReportTree tree;
    ReportData data;
    data.notes = true;
    const std::string text = tree.report({D(2025, 1, 13), D(2025, 1, 13)}, data, ReportFormat::Text);
    EXPECT_EQ(text,
              "\xEF\xBB\xBF"
              "Церковный календарь на 13.01.2025\r\n\r\n"
              "\r\n"
              "Понедельник 13 января (31 декабря по ст.ст.) Седмица 30-я по Пятидесятнице. Глас 4-й.\r\n"
              "Седмица 30-я по Пятидесятнице. Глас 4-й.\nОтдание праздника\nсвятителя Иоанна Богослова\r\n"
              "Записи\r\n\r\n"
              "Свеча <за> здравие & мир\nвторая строка\r\n\r\n");
    // A day without a note has no notes block; the lectionary sits between its separators.
    data.calendar = false;
    data.lectionary = true;
    const QString other = QString::fromStdString(tree.report({D(2025, 1, 14), D(2025, 1, 14)}, data, ReportFormat::Text));
    EXPECT_FALSE(other.contains("Записи"));
    EXPECT_TRUE(other.contains("\r\n________________________\r\n\r\n")) << other.toStdString();
}

TEST(WriteReport, TheWebPageEscapesTheNote)
{
    const ReportTree tree;
    ReportData data;
    data.notes = true;
    const QString page = QString::fromStdString(tree.report({D(2025, 1, 14), D(2025, 1, 12)}, data, ReportFormat::Html));
    EXPECT_TRUE(page.contains("<h1>Церковный календарь с 12.01.2025 по 14.01.2025</h1>")) << page.left(3000).toStdString();
    EXPECT_TRUE(page.contains("<p><font color=\"#0000FF\"> Свеча &lt;за&gt; здравие &amp; мир<br>вторая строка</font></p>"))
        << page.toStdString();
    EXPECT_EQ(page.count("<h6>Записи</h6>"), 1);  // only the day with a note
    EXPECT_EQ(page.count("<h2> "), 3);
    // The Menaion's links lead into the data tree from wherever the page is opened.
    EXPECT_TRUE(page.contains("святителя <a href=\"" + tree.root() + "/Жития святых")) << page.toStdString();
    EXPECT_TRUE(page.trimmed().endsWith("</html>"));
}

TEST(WriteReport, CancelledBetweenDays)
{
    const ReportTree tree;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int days = 0;
    const WalkOutcome outcome = WriteReport(buffer, tree.root(), {D(2025, 1, 1), D(2025, 12, 31)}, {},
                                            ReportFormat::Html, kToday, [&days](const WalkProgress& progress) {
                                                days = progress.units_done;
                                                return progress.units_done < 5;
                                            });
    EXPECT_EQ(outcome, WalkOutcome::Cancelled);
    EXPECT_EQ(days, 5);
    EXPECT_EQ(QString::fromUtf8(buffer.data()).count("<h2> "), 5);
}

}  // namespace
}  // namespace indikt
