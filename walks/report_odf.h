#pragma once

// The period report as an ODF text document: the web page of the report laid
// into a QTextDocument and written by Qt's ODF writer. Needs a running
// QGuiApplication (the window has one; indikt-cli starts an offscreen one).

#include "walks/period_report.h"

#include <QString>

namespace indikt {

struct OdfReportResult {
    WalkOutcome outcome = WalkOutcome::Finished;
    // Empty unless the document could not be made or written; names the file.
    QString failure;
};

// Walks the period like WriteReport and puts the document at `path` whole
// (atomically through the guarded writer); a cancelled walk or a failure
// leaves whatever was at `path` before untouched.
OdfReportResult WriteOdfReport(const QString& path, const QString& data_root, const ReportPeriod& period,
                               const ReportData& data, Date today, const ProgressCallback& progress = {});

}  // namespace indikt
