#include "report_odf.h"

#include "texts/data_files.h"

#include <QBuffer>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace indikt {

OdfReportResult WriteOdfReport(const QString& path, const QString& data_root, const ReportPeriod& period,
                               const ReportData& data, Date today, const ProgressCallback& progress)
{
    OdfReportResult result;
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    result.outcome = WriteReport(page, data_root, period, data, ReportFormat::Html, today, progress);
    if (result.outcome != WalkOutcome::Finished)
        return result;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(page.data()));
    page.close();
    page.setData(QByteArray());
    // The writer closes its device when done: the package is made in memory
    // and then put in place whole.
    QBuffer package;
    QTextDocumentWriter writer(&package, "odf");
    if (!writer.write(&document)) {
        result.failure = "Документ " + path + " не составлен.";
        return result;
    }
    if (const WriteResult written = WriteFileAtomically(path, package.data()); !written.ok())
        result.failure = written.error;
    return result;
}

}  // namespace indikt
