#pragma once

// The period report: for every day of a period, the texts the day page shows
// (the Menaion, the lectionary, the troparia in their three text languages,
// the note of the day) written as a text file or a web page. It calls the
// builders the panes call and writes to a device as it walks, so a long
// period never needs the whole document in memory; it changes nothing the
// window shows and no file but the one it writes.

#include "calendar/date.h"
#include "walks/year_search.h"

#include <QIODevice>
#include <QString>

namespace indikt {

// "Церковный календарь", "Записи", "Лекционарий", "Тропари и кондаки".
struct ReportData {
    bool calendar = true;
    bool notes = false;
    bool lectionary = false;
    bool troparia = false;
    bool any() const { return calendar || notes || lectionary || troparia; }
};

enum class ReportFormat { Html, Text };

// The first and last civil day, in order whichever way they were given.
struct ReportPeriod {
    Date first;
    Date last;
};
ReportPeriod MakeReportPeriod(Date a, Date b);
// Days in the period, both ends counted.
int DayCount(const ReportPeriod& period);

// The heading of a day: weekday, day and month, the old-style day and month,
// and the week of the church year.
QString ReportDayHeading(Date civil);

// Writes the report (a period given the wrong way round is swapped);
// Cancelled when the progress callback said so between
// days (what was written so far is then incomplete: the caller drops it).
// `progress.units_done` counts the days written.
WalkOutcome WriteReport(QIODevice& out, const QString& data_root, const ReportPeriod& period, const ReportData& data,
                        ReportFormat format, Date today, const ProgressCallback& progress = {});

}  // namespace indikt
