// The period report in the main window (Ctrl+O): the dialog, the file, the
// walk with its progress window, and the four destinations. The walk calls
// the builders only, so the day view, the pane languages and the rest stay
// as they were; every outcome ends with the buttons usable again.

#include "main_window.h"

#include "app/dialogs/report_dialog.h"
#include "texts/data_files.h"
#include "walks/period_report.h"
#include "walks/report_odf.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>
#include <QUrl>

namespace indikt {

namespace {

constexpr const char* kTitle = "Индикт";
// A period longer than this many days after the first shows its progress.
constexpr int kQuietDays = 10;

Date DateOf(QDate day) { return FromCivil(day.year(), day.month(), day.day()); }

struct DestinationText {
    const char* progress;
    const char* filter;
    const char* suffix;
};
const DestinationText kDestinations[] = {
    {"Передача данных в HTML", "Веб-страница (*.htm *.html);;Все файлы (*)", "htm"},
    {"Передача данных в документ ODF", "Документ ODF (*.odt);;Все файлы (*)", "odt"},
    {"Передача данных в текстовый файл", "Текстовые файлы (*.txt);;Все файлы (*)", "txt"},
    {"Передача данных в буфер обмена", "", ""},
};

}  // namespace

void TForm1::connectReportCommands()
{
    commands_->connect("ActionOtzhet", [this] { ActionOtzhetExecute(); });
    commands_->action("ActionOtzhet")->setToolTip("Отчет");
    commands_->action("ActionOtzhet")->setStatusTip("Передать тексты индикта в текстовый редактор");
}

void TForm1::ActionOtzhetExecute()
{
    if (report_running_)
        return;
    if (!report_dialog_)
        report_dialog_ = new TPagesPrint(this);
    const CivilFields day_fields = Fields(current_date_);
    report_dialog_->setDay(QDate(day_fields.year, day_fields.month, day_fields.day));
    if (report_dialog_->exec() != QDialog::Accepted)
        return;
    ReportData data;
    data.calendar = report_dialog_->calendar();
    data.notes = report_dialog_->notes();
    data.lectionary = report_dialog_->lectionary();
    data.troparia = report_dialog_->troparia();
    const ReportPeriod period = MakeReportPeriod(DateOf(report_dialog_->firstDay()), DateOf(report_dialog_->lastDay()));
    runReport(period, data, report_dialog_->destination());
}

bool TForm1::runReport(const ReportPeriod& period, const ReportData& data, int destination)
{
    if (report_running_ || !data.any() || destination < 0 || destination > 3)
        return false;
    const DestinationText& texts = kDestinations[destination];
    if (DayCount(period) > 366 &&
        asker_->ask(this, kTitle,
                    "Отчет за " + QString::number(DayCount(period)) +
                        " дн. займет много места и времени. Продолжить?",
                    QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    QString path;
    if (destination != 3) {
        QString folder = settings_.text(kSectionPrint, "SavInitialDir");
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
        path = asker_->saveFileName(this, "Сохранить отчет", folder, texts.filter, texts.suffix);
        if (path.isEmpty())
            return false;
    }
    if (!setBatchWalk(true))
        return false;
    report_running_ = true;
    report_cancel_ = false;
    commands_->action("ActionOtzhet")->setEnabled(false);

    std::unique_ptr<QProgressDialog> progress;
    if (period.last - period.first > kQuietDays) {
        progress = std::make_unique<QProgressDialog>(texts.progress, "Отмена", 0, DayCount(period), this);
        progress->setObjectName("Export");
        progress->setWindowTitle("Экспорт");
        progress->setMinimumDuration(0);
        connect(progress.get(), &QProgressDialog::canceled, this, [this] { report_cancel_ = true; });
        progress->show();
    }
    const auto on_day = [&](const WalkProgress& done) {
        const int percent = std::min(99, done.units_done * 100 / std::max(1, done.units_total));
        statusBar()->showMessage("Идет передача данных. Просмотрено " + QString::number(percent) + "% - " +
                                 QString::number(done.pages) + " стр.");
        if (progress)
            progress->setValue(done.units_done);
        QApplication::processEvents();
        return !report_cancel_;
    };

    const ReportFormat format = destination == 2 ? ReportFormat::Text : ReportFormat::Html;
    QString failure;
    WalkOutcome outcome = WalkOutcome::Finished;
    if (destination == 0 || destination == 2) {
        // Streamed into a hidden file, which takes the place of the chosen one
        // whole only at the end.
        AtomicFileWriter file(path);
        if (!file.begin()) {
            failure = "Создать файл в указанном каталоге не удалось.\nПопробуйте в другом каталоге...\n" + file.failure();
        } else {
            outcome = WriteReport(file, context_.data_root, period, data, format, today(), on_day);
            if (outcome == WalkOutcome::Finished) {
                if (const WriteResult written = file.commit(); !written.ok())
                    failure = written.error;
            } else {
                file.discard();
            }
        }
    } else if (destination == 1) {
        const OdfReportResult written = WriteOdfReport(path, context_.data_root, period, data, today(), on_day);
        outcome = written.outcome;
        failure = written.failure;
    } else {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        outcome = WriteReport(buffer, context_.data_root, period, data, format, today(), on_day);
        if (outcome == WalkOutcome::Finished) {
            QTextDocument document;
            document.setHtml(QString::fromUtf8(buffer.data()));
            auto* mime = new QMimeData;
            mime->setHtml(QString::fromUtf8(buffer.data()));
            mime->setText(document.toPlainText());
            QGuiApplication::clipboard()->setMimeData(mime);
            if (QGuiApplication::clipboard()->text().isEmpty())
                failure = "Буфер обмена остался пуст: отчет в него не передан.";
        }
    }
    if (progress)
        progress->close();
    report_running_ = false;
    commands_->action("ActionOtzhet")->setEnabled(true);
    setBatchWalk(false);

    if (!failure.isEmpty()) {
        statusBar()->showMessage("К сожалению, передача данных не удалась...");
        asker_->tell(this, kTitle, failure);
        return false;
    }
    if (outcome != WalkOutcome::Finished) {
        statusBar()->showMessage("Процесс передачи данных отменен...");
        return false;
    }
    statusBar()->showMessage("Передача данных успешно завершена...");
    // The next report is offered the folder of the last one that was written.
    if (destination != 3)
        settings_.setText(kSectionPrint, "SavInitialDir", QFileInfo(path).absolutePath());
    if (destination == 3)
        asker_->tell(this, kTitle,
                     "Передача данных в буфер обмена успешно завершена. Отчет останется в буфере, пока программа "
                     "открыта, или дольше, если его хранит менеджер буфера обмена.");
    else
        external_opener_ ? external_opener_(QUrl::fromLocalFile(path)) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return true;
}

}  // namespace indikt
