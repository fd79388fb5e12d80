// "Экспорт в календарь (iCalendar)…": the fasts, feasts, holidays and the
// user's commemorations of the civil year shown, for a desktop calendar.

#include "app/window/main_window.h"
#include "texts/data_files.h"
#include "walks/ical_export.h"

#include <QDir>
#include <QStandardPaths>
#include <QStatusBar>

namespace indikt {

void TForm1::connectIcalCommands()
{
    commands_->connect("ActionExportIcal", [this] { ActionExportIcalExecute(); });
    commands_->action("ActionExportIcal")->setStatusTip(
        "Посты, праздники и памятные даты года для календаря рабочего стола");
}

void TForm1::ActionExportIcalExecute()
{
    const int year = Fields(current_date_).year;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(documents).filePath(QString("Индикт %1.ics").arg(year));
    const QString path = asker_->saveFileName(this, "Экспорт в календарь", suggested,
                                              "Календарь iCalendar (*.ics);;Все файлы (*)", "ics");
    if (path.isEmpty())
        return;
    const IcalExport exported = ExportIcal(context_.data_root, FromCivil(year, 1, 1), FromCivil(year, 12, 31),
                                           IcalParts{}, today());
    if (const WriteResult written = WriteFileAtomically(path, exported.text); !written.ok()) {
        asker_->tell(this, "Экспорт в календарь", written.error);
        return;
    }
    QString message = QString("Записано событий: %1 в файл \"%2\".").arg(exported.events).arg(path);
    if (!exported.problem.isEmpty())
        message += " " + exported.problem;
    statusBar()->showMessage(message);
}

}  // namespace indikt
