// The period report in the window, offscreen: the dialog's OK, each
// destination written and opened, the progress window from the eleventh
// day, and a cancel that leaves no file at the chosen name.

#include "app/dialogs/report_dialog.h"
#include "app/window/main_window.h"

#include "lectionary/day_builders.h"
#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

class FileAsker : public Asker {
public:
    QString path;
    QStringList told;
    QStringList questions;
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons) override
    {
        questions << text;
        return QMessageBox::No;
    }
    void tell(QWidget*, const QString&, const QString& text) override { told << text; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return path;
    }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("Месяцеслов/Непереходящие праздники/дек31.txt", "Отдание праздника\r\nсвятителя Иоанна\r\n");
        const QDateTime now(QDate(2026, 12, 9), QTime(10, 0));
        MainWindowContext context{root.path(), root.path(), [now] { return now; }, "", "", StartMode::Saved, false};
        window = std::make_unique<TForm1>(context, ZkSettings::Load(root.path() + "/zk.ini", D(2026, 12, 9)));
        window->setAsker(&asker);
        window->setExternalOpener([this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        });
        window->setTextBuilder(DayPane::Menaion, std::make_unique<MenaionBuilder>(root.path()));
        window->show();
        window->setCurrentDate(D(2025, 6, 1));
    }
    void write(const QString& relative, const QString& text)
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
    // Whether the progress window showed while the report ran.
    bool progressShown(const ReportPeriod& period, int destination)
    {
        bool shown = false;
        QTimer::singleShot(0, window.get(), [this, &shown] { shown = window->findChild<QProgressDialog*>("Export"); });
        ReportData data;
        EXPECT_TRUE(window->runReport(period, data, destination));
        QApplication::processEvents();
        return shown;
    }

    QTemporaryDir root;
    FileAsker asker;
    QStringList opened;
    std::unique_ptr<TForm1> window;
};

TEST_F(ReportWindowTest, TheDialogsOkWantsSomeData)
{
    TPagesPrint dialog;
    auto* ok = dialog.findChild<QPushButton*>("OKBtn");
    EXPECT_TRUE(ok->isEnabled());  // "Церковный календарь" is checked at first
    dialog.findChild<QCheckBox*>("CheckBoxZK")->click();
    EXPECT_FALSE(ok->isEnabled());
    dialog.findChild<QCheckBox*>("CheckBoxTrop")->click();
    EXPECT_TRUE(ok->isEnabled());
    // Old style shows the same days in the Julian calendar: 13 January is 31 December.
    dialog.setDay(QDate(2025, 1, 13));
    dialog.setOldStyle(true);
    EXPECT_EQ(dialog.firstDay(), QDate(2025, 1, 13));
    EXPECT_EQ(dialog.findChild<QDateEdit*>("DateTimePicker1")->text(), "31.12.2024");
}

TEST_F(ReportWindowTest, ATextFileOfOneDayWrittenAndOpened)
{
    asker.path = root.path() + "/отчет.txt";
    EXPECT_FALSE(progressShown({D(2025, 1, 13), D(2025, 1, 13)}, 2));
    const QByteArray bytes = ReadBytes(asker.path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" + QString("Церковный календарь на 13.01.2025\r\n").toUtf8()));
    EXPECT_TRUE(bytes.contains(QString("святителя Иоанна").toUtf8()));
    EXPECT_EQ(opened, QStringList{asker.path});
    EXPECT_EQ(window->statusBar()->currentMessage(), "Передача данных успешно завершена...");
    EXPECT_EQ(window->currentDate(), D(2025, 6, 1));
    EXPECT_EQ(window->settings().text(kSectionPrint, "SavInitialDir"), root.path());
}

TEST_F(ReportWindowTest, TheProgressWindowFromTheEleventhDay)
{
    asker.path = root.path() + "/отчет.htm";
    EXPECT_FALSE(progressShown({D(2025, 1, 1), D(2025, 1, 11)}, 0));  // 10 days apart
    EXPECT_TRUE(progressShown({D(2025, 1, 1), D(2025, 1, 12)}, 0));   // 11 days apart
    EXPECT_TRUE(ReadBytes(asker.path).contains("<h1>"));
}

TEST_F(ReportWindowTest, CancelLeavesNoFile)
{
    asker.path = root.path() + "/отчет.htm";
    QTimer::singleShot(0, window.get(), [this] { window->findChild<QAction*>("ActionEsc")->trigger(); });
    ReportData data;
    EXPECT_FALSE(window->runReport({D(2025, 1, 1), D(2025, 3, 1)}, data, 0));
    EXPECT_FALSE(QFileInfo::exists(asker.path));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(window->statusBar()->currentMessage(), "Процесс передачи данных отменен...");
    EXPECT_FALSE(window->reportRunning());
    EXPECT_TRUE(window->findChild<QAction*>("ActionOtzhet")->isEnabled());
}

TEST_F(ReportWindowTest, AnOdfDocumentAndTheClipboard)
{
    asker.path = root.path() + "/отчет.odt";
    ReportData data;
    ASSERT_TRUE(window->runReport({D(2025, 1, 13), D(2025, 1, 14)}, data, 1));
    EXPECT_TRUE(ReadBytes(asker.path).startsWith("PK"));  // a zip package
    const QString content = OdfContentXml(asker.path);
    EXPECT_TRUE(content.contains("Понедельник 13 января (31 декабря по ст.ст.)")) << content.left(2000).toStdString();
    EXPECT_TRUE(content.contains("Вторник 14 января (1 января по ст.ст.)"));
    EXPECT_EQ(opened, QStringList{asker.path});

    ASSERT_TRUE(window->runReport({D(2025, 1, 13), D(2025, 1, 13)}, data, 3));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->html().contains("<h1>Церковный календарь на 13.01.2025</h1>"));
    EXPECT_TRUE(copied->text().contains("святителя Иоанна"));
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].startsWith("Передача данных в буфер обмена успешно завершена."));
}

TEST_F(ReportWindowTest, MoreThanAYearIsAskedAbout)
{
    asker.path = root.path() + "/отчет.htm";
    ReportData data;
    ASSERT_TRUE(window->runReport({D(2025, 1, 1), D(2025, 12, 31)}, data, 0));  // a year: no question
    EXPECT_TRUE(asker.questions.isEmpty());
    QFile::remove(asker.path);
    EXPECT_FALSE(window->runReport({D(2025, 1, 1), D(2026, 1, 2)}, data, 0));    // longer than any year; "No"
    ASSERT_EQ(asker.questions.size(), 1);
    EXPECT_TRUE(asker.questions[0].contains("367 дн."));
    EXPECT_FALSE(QFileInfo::exists(asker.path));
}

TEST_F(ReportWindowTest, AnUnwritableFolderIsSaid)
{
    asker.path = root.path() + "/нет такой папки/отчет.txt";
    ReportData data;
    EXPECT_FALSE(window->runReport({D(2025, 1, 13), D(2025, 1, 13)}, data, 2));
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains(asker.path));
    EXPECT_EQ(window->statusBar()->currentMessage(), "К сожалению, передача данных не удалась...");
    EXPECT_FALSE(window->reportRunning());
    // The next report is not offered the folder that failed.
    EXPECT_NE(window->settings().text(kSectionPrint, "SavInitialDir"), root.path() + "/нет такой папки");
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

// "Экспорт в календарь (iCalendar)…" from the Файл menu: the year shown, written
// whole where the user chose; a folder that cannot be written is said.
TEST_F(ReportWindowTest, TheYearShownAsAnICalendarFile)
{
    QAction* command = window->findChild<QAction*>("ActionExportIcal");
    ASSERT_NE(command, nullptr);
    asker.path = root.path() + "/год.ics";
    command->trigger();
    const QByteArray text = ReadBytes(asker.path);
    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\n")) << text.left(40).toStdString();
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20250420")) << "Pascha 2025, the year shown";
    EXPECT_FALSE(text.contains("DTSTART;VALUE=DATE:2026"));
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Записано событий: "))
        << window->statusBar()->currentMessage().toStdString();

    asker.path = root.path() + "/нет/год.ics";
    command->trigger();
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(asker.path));
}

}  // namespace
}  // namespace indikt
