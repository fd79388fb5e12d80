// "Параметры" and the update check on the real main window offscreen: the
// dialog's controls by their names, the window read back after OK, the files
// in a temporary data root, and the sites played by a local HTTP server.

#include "app/dialogs/settings_dialog.h"
#include "app/window/main_window.h"
#include "app/window/month_grid_widget.h"
#include "platform/update_check.h"

#include "file_helpers.h"
#include "scripted_asker.h"
#include "texts/cp1251.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace indikt {
namespace {

const Date kToday = FromCivil(2026, 12, 8);

struct Fixture {
    QTemporaryDir root;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 30));
    ScriptedAsker asker;
    QList<QUrl> opened;
    bool tray = true;

    QString zkPath() const { return root.path() + "/zk.ini"; }
    QString autostartFolder() const { return root.path() + "/autostart"; }

    std::unique_ptr<TForm1> open()
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "/opt/indikt/indikt",
                                  autostartFolder(), StartMode::Saved, false};
        const bool with_tray = tray;
        context.tray_available = [with_tray] { return with_tray; };
        auto window = std::make_unique<TForm1>(context, ZkSettings::Load(zkPath(), kToday));
        window->setAsker(&asker);
        window->setExternalOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        return window;
    }
    void writeZk(const char* utf8_text) { ASSERT_TRUE(WriteBytes(zkPath(), *EncodeCp1251(QString::fromUtf8(utf8_text)))); }
};

TPagesDlg* OpenDialog(TForm1& window)
{
    window.commands().action("ActionParam")->trigger();
    TPagesDlg* dialog = window.settingsDialog();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog && dialog->isVisible());
    return dialog;
}

template <typename T>
T* Child(QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget* dialog, const char* name, int times = 1)
{
    auto* button = Child<QAbstractButton>(dialog, name);
    for (int i = 0; button && i < times; ++i)
        button->click();
}

void Check(QWidget* dialog, const char* name, bool on) { Child<QCheckBox>(dialog, name)->setChecked(on); }

QString SampleStyle(QWidget* dialog) { return Child<QLabel>(dialog, "MemoPrim")->styleSheet(); }

TEST(SettingsDialog, OpensOnTheStoredSettingsWithEveryIndexInItsList)
{
    Fixture f;
    f.writeZk("[Vid]\r\nSBUkas=3\r\nIcoDesktopNum=7\r\nTipExplorer=2\r\nFirstDay=0\r\nSostojanie=0\r\n"
              "[Windows]\r\nНомерЗагрузки=2\r\n");
    auto window = f.open();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Параметры");
    auto* pages = Child<QTabWidget>(dialog, "Param");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Вид");
    EXPECT_EQ(pages->tabText(1), "Разное");
    EXPECT_EQ(pages->tabText(2), "Календарь");

    // No Typikon file in this root: three entries, and the stored 3 became 0.
    auto* typikon = Child<QComboBox>(dialog, "ComboBoxSBUkas");
    EXPECT_EQ(typikon->count(), 3);
    EXPECT_EQ(typikon->currentIndex(), 0);
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxIcoDesktop")->currentText(), "4");
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxLinks")->currentText(), "броузере по умолчанию");
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxFirstDay")->currentText(), "Вс");
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxSagr")->currentText(), "компактном");
    EXPECT_FALSE(Child<QCheckBox>(dialog, "CheckBoxSostojanie")->isChecked());
    EXPECT_EQ(Child<QCheckBox>(dialog, "CheckBoxLiturDen")->toolTip(), "После 15.00 показывать следующий литургический день");
    EXPECT_EQ(Child<QCheckBox>(dialog, "CheckBoxLiturgIcoDesktop")->toolTip(),
              "Иконы на Рабочем столе будут размещаться после 15.00");
    EXPECT_EQ(Child<QPushButton>(dialog, "ButtonAllDefault")->toolTip(),
              "Вернуться к первоначальным установкам всех параметров программы");

    // With the instructions in the tree the fourth entry is offered and chosen.
    dialog->reject();
    ASSERT_TRUE(QDir(f.root.path()).mkpath("Богослужение/Указания/2011"));
    ASSERT_TRUE(WriteBytes(f.root.path() + "/Богослужение/Указания/2011/apr04.htm", "<html></html>"));
    window = f.open();
    dialog = OpenDialog(*window);
    typikon = Child<QComboBox>(dialog, "ComboBoxSBUkas");
    EXPECT_EQ(typikon->count(), 4);
    EXPECT_EQ(typikon->currentText(), "в программе");
}

TEST(SettingsDialog, DependentControlsFollowTheirParents)
{
    Fixture f;
    auto window = f.open();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    struct Case { const char* parent; std::vector<const char*> dependents; };
    const Case cases[] = {
        {"CheckBoxInstrSt", {"CheckBoxMenuTop", "CheckBoxLargeIco", "CheckBoxKnVKalendare"}},
        {"CheckBoxAutoStart", {"CheckBoxOneDay"}},
        {"CheckBoxIcoDesktop", {"ComboBoxIcoDesktop", "ComboBoxDenIcoDesktop", "CheckBoxLiturgIcoDesktop"}},
    };
    for (const Case& c : cases) {
        for (const bool on : {true, false, true}) {
            Check(dialog, c.parent, on);
            for (const char* dependent : c.dependents)
                EXPECT_EQ(Child<QWidget>(dialog, dependent)->isEnabled(), on) << c.parent << " → " << dependent;
        }
    }
}

TEST(SettingsDialog, ModesTheDesktopCannotGiveAreOfferedGreyed)
{
    Fixture f;
    f.tray = false;  // and no "Mini" beside the program
    auto window = f.open();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    struct Case { const char* combo; int index; const char* hint; };
    const Case cases[] = {
        {"ComboBoxSagr", kStartModeTray, "На этом рабочем столе нет системного трея"},
        {"ComboBoxSagr", kStartModeMini, "Нет программы «Mini» рядом с программой"},
        {"ComboBoxPrSv", kMinimiseToTray, "На этом рабочем столе нет системного трея"},
        {"ComboBoxPrSv", kMinimiseToMini, "Нет программы «Mini» рядом с программой"},
    };
    for (const Case& c : cases) {
        auto* model = qobject_cast<QStandardItemModel*>(Child<QComboBox>(dialog, c.combo)->model());
        ASSERT_TRUE(model);
        EXPECT_FALSE(model->item(c.index)->isEnabled()) << c.combo << ' ' << c.index;
        EXPECT_EQ(model->item(c.index)->toolTip(), c.hint);
        EXPECT_TRUE(model->item(0)->isEnabled());
    }
}

TEST(SettingsDialog, ColourButtonsStepThroughTheCycle)
{
    Fixture f;
    auto window = f.open();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    // "Юбилеи" is chosen first: background FF00FF, in the cycle.
    EXPECT_EQ(dialog->chosenClass(), 0);
    EXPECT_EQ(Child<QLabel>(dialog, "MemoPrim")->text(), "Юбилеи");
    const QString first = SampleStyle(dialog);
    EXPECT_TRUE(first.contains("background-color: #ff00ff")) << first.toStdString();
    Click(dialog, "ButtonFon");
    EXPECT_NE(SampleStyle(dialog), first);
    Click(dialog, "ButtonFon", 20);
    EXPECT_EQ(SampleStyle(dialog), first) << "twenty-one presses come back";
    EXPECT_EQ(dialog->options().classes[0].background, 0xFF00FF);

    // "Иные праздники": 800080 leaves the table and enters the cycle at 0000FF.
    Click(dialog, "RadioClass3");
    EXPECT_EQ(Child<QLabel>(dialog, "MemoPrim")->text(), "Иные праздники");
    EXPECT_EQ(dialog->options().classes[3].background, 0x800080);
    Click(dialog, "ButtonFon");
    EXPECT_EQ(dialog->options().classes[3].background, 0x0000FF);
    EXPECT_TRUE(SampleStyle(dialog).contains("background-color: #ff0000")) << "0000FF is red in 0x00BBGGRR";
    Click(dialog, "ButtonFont");
    EXPECT_EQ(dialog->options().classes[3].font, 0x000000);  // FFFFFF → 000000

    Click(dialog, "ButtonRamka");
    EXPECT_EQ(dialog->options().frame_colour, 0xFFFF00);  // FF0000 → FFFF00
    EXPECT_TRUE(Child<QWidget>(dialog, "Shape")->styleSheet().contains("#00ffff"));

    Click(dialog, "ButtonDefault");
    EXPECT_EQ(dialog->options().classes[3].background, 0x800080);
    EXPECT_EQ(dialog->options().classes[3].font, 0xFFFFFF);
    EXPECT_EQ(dialog->options().frame_colour, 0xFF0000);
}

TEST(SettingsDialog, CancelLeavesTheGridAndTheSettingsAsTheyWere)
{
    Fixture f;
    auto window = f.open();
    window->show();
    auto* grid = window->findChild<MonthGridWidget*>();
    ASSERT_TRUE(grid);
    const MonthGrid before = grid->grid();
    const std::string headings_before = before.headings[0];
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    for (int i = 0; i < 7; ++i) {
        Click(dialog, QString("RadioClass%1").arg(i).toUtf8().constData());
        Click(dialog, "ButtonFon", 3);
        Click(dialog, "ButtonFont", 2);
    }
    Click(dialog, "ButtonRamka");
    Child<QComboBox>(dialog, "ComboBoxFirstDay")->setCurrentIndex(0);
    Check(dialog, "CheckBoxSostojanie", false);
    Click(dialog, "CancelBtn");
    EXPECT_FALSE(dialog->isVisible());
    for (size_t i = 0; i < before.cells.size(); ++i) {
        EXPECT_EQ(grid->grid().cells[i].background, before.cells[i].background) << i;
        EXPECT_EQ(grid->grid().cells[i].font, before.cells[i].font) << i;
        EXPECT_EQ(grid->grid().cells[i].frame, before.cells[i].frame) << i;
    }
    EXPECT_EQ(grid->grid().headings[0], headings_before);
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_EQ(ReadProgramOptions(window->settings(), 3), ReadProgramOptions(ZkSettings(kToday), 3));
    EXPECT_FALSE(QFileInfo::exists(f.zkPath())) << "Cancel writes nothing";
    EXPECT_TRUE(f.asker.told.isEmpty());

    // Opened again, the dialog shows the stored colours, not the abandoned ones.
    dialog = OpenDialog(*window);
    EXPECT_EQ(dialog->options().classes, ReadProgramOptions(ZkSettings(kToday), 3).classes);
}

TEST(SettingsDialog, OkAppliesEachSettingToTheWindowAndItSurvivesARestart)
{
    Fixture f;
    auto window = f.open();
    window->show();
    QApplication::processEvents();
    auto* grid = window->findChild<MonthGridWidget*>();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->grid().headings[0], "Пн");
    ASSERT_TRUE(window->statusBar()->isVisible());
    ASSERT_TRUE(window->findChild<QLabel*>("LabelPost")->isVisible());
    ASSERT_TRUE(window->menuBar()->isVisible());
    ASSERT_TRUE(window->findChild<QLabel*>("LabelTime")->isVisible());

    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    Check(dialog, "CheckBoxSostojanie", false);
    Check(dialog, "CheckBoxPost", false);
    Check(dialog, "CheckBoxCaptData", true);
    Check(dialog, "CheckBoxMenuTop", false);
    Check(dialog, "CheckBoxLargeIco", false);
    Check(dialog, "CheckBoxTimePrint", false);
    Check(dialog, "CheckBoxSastavka", false);
    Child<QComboBox>(dialog, "ComboBoxFirstDay")->setCurrentIndex(0);  // "Вс"
    Child<QComboBox>(dialog, "ComboBoxLinks")->setCurrentIndex(2);
    Click(dialog, "RadioClass4");  // Sundays: background FFFFFF → 000000
    Click(dialog, "ButtonFon");
    Click(dialog, "ButtonRamka");  // FF0000 → FFFF00
    auto* shown = Child<QListWidget>(dialog, "CheckListBoxKalSee");
    shown->item(6)->setCheckState(Qt::Unchecked);  // "Постные дни"
    Click(dialog, "OKBtn");
    QApplication::processEvents();

    EXPECT_TRUE(f.asker.told.isEmpty()) << f.asker.told.join("\n").toStdString();
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_FALSE(window->findChild<QLabel*>("LabelPost")->isVisible());
    EXPECT_TRUE(window->windowTitle().startsWith(" Индикт  -  Вторник 8 дек 2026")) << window->windowTitle().toStdString();
    EXPECT_FALSE(window->menuBar()->isVisible());
    EXPECT_EQ(window->findChild<QToolBar*>("ToolBar1")->toolButtonStyle(), Qt::ToolButtonTextOnly);
    EXPECT_FALSE(window->findChild<QLabel*>("LabelTime")->isVisible());
    EXPECT_EQ(grid->grid().headings[0], "Вс");
    EXPECT_EQ(window->findChild<QLabel*>("LabelPn")->text(), "Вс");
    bool sunday_painted = false;
    bool fast_painted = false;
    for (const GridCell& cell : grid->grid().cells) {
        if (cell.other_month)
            continue;
        sunday_painted = sunday_painted || (Weekday(cell.date) == kSunday && cell.background == 0x000000);
        fast_painted = fast_painted || cell.background == 0xC0DCC0;
    }
    EXPECT_TRUE(sunday_painted) << "the Sundays of December take the new background";
    EXPECT_FALSE(fast_painted) << "the fast days are no longer marked";
    EXPECT_EQ(grid->grid().cells[static_cast<size_t>(grid->currentIndex())].frame, 0xFFFF00);

    // Saved at once: a new start reads the same.
    const ProgramOptions applied = ReadProgramOptions(window->settings(), 3);
    window.reset();
    auto again = f.open();
    EXPECT_EQ(ReadProgramOptions(again->settings(), 3), applied);
    EXPECT_FALSE(applied.splash);
    EXPECT_EQ(applied.link_viewer, 2);
    EXPECT_FALSE(again->statusBar()->isVisibleTo(again.get()));
}

TEST(SettingsDialog, ASettingThatFailsIsListedAndTheOthersAreStillApplied)
{
    Fixture f;
    // The autostart folder cannot be made: a file stands in its place.
    ASSERT_TRUE(WriteBytes(f.autostartFolder(), "not a folder"));
    auto window = f.open();
    window->show();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    Check(dialog, "CheckBoxAutoStart", true);
    Check(dialog, "CheckBoxSostojanie", false);
    Child<QComboBox>(dialog, "ComboBoxFirstDay")->setCurrentIndex(3);
    Click(dialog, "OKBtn");

    ASSERT_EQ(f.asker.told.size(), 1);
    EXPECT_TRUE(f.asker.told[0].startsWith("Не все параметры применены:\nПри входе в систему: ")) << f.asker.told[0].toStdString();
    EXPECT_FALSE(window->settings().flag(kSectionWindows, kKeyAutoStart)) << "not reported as on";
    EXPECT_FALSE(window->statusBar()->isVisible()) << "the later settings were applied all the same";
    EXPECT_EQ(window->findChild<MonthGridWidget*>()->grid().headings[0], "Ср");
}

TEST(SettingsDialog, EverythingToDefaultsKeepsTheOldFileAsBackup)
{
    Fixture f;
    f.writeZk("[Vid]\r\nSostojanie=0\r\nFirstDay=0\r\n[Pravilo]\r\nPoslGlavEvNSav=17\r\n[Backup]\r\nEditKop=/media/usb\r\n");
    auto window = f.open();
    window->show();
    ASSERT_FALSE(window->statusBar()->isVisible());

    // "No" changes nothing.
    TPagesDlg* dialog = OpenDialog(*window);
    f.asker.answers = {QMessageBox::No};
    Click(dialog, "ButtonAllDefault");
    ASSERT_EQ(f.asker.questions.size(), 1);
    EXPECT_TRUE(f.asker.questions[0].contains("zk.ini.bak"));
    EXPECT_TRUE(f.asker.questions[0].contains("домашнего правила"));
    EXPECT_FALSE(QFileInfo::exists(f.zkPath() + ".bak"));
    EXPECT_FALSE(window->statusBar()->isVisible());

    dialog = OpenDialog(*window);
    f.asker.answers = {QMessageBox::Yes};
    Click(dialog, "ButtonAllDefault");
    EXPECT_FALSE(dialog->isVisible());
    const ZkSettings backup = ZkSettings::Load(f.zkPath() + ".bak", kToday, DamagedFile::Leave);
    EXPECT_EQ(backup.number(kSectionPravilo, "PoslGlavEvNSav"), 17);
    EXPECT_EQ(backup.text(kSectionBackup, "EditKop"), "/media/usb");
    EXPECT_FALSE(backup.flag(kSectionVid, "Sostojanie"));
    const ZkSettings reset = ZkSettings::Load(f.zkPath(), kToday, DamagedFile::Leave);
    EXPECT_EQ(reset.number(kSectionPravilo, "PoslGlavEvNSav"), 0);
    EXPECT_EQ(reset.text(kSectionBackup, "EditKop"), "");
    EXPECT_EQ(ReadProgramOptions(reset, 3), ReadProgramOptions(ZkSettings(kToday), 3));
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_EQ(window->findChild<MonthGridWidget*>()->grid().headings[0], "Пн");
    EXPECT_EQ(window->rightCaption(), "Месяцеслов");
    EXPECT_TRUE(f.asker.told.isEmpty()) << f.asker.told.join("\n").toStdString();

    // Undone from the backup: the old file back in its place.
    ASSERT_TRUE(QFile::remove(f.zkPath()));
    ASSERT_TRUE(QFile::rename(f.zkPath() + ".bak", f.zkPath()));
    window.reset();
    window = f.open();
    EXPECT_EQ(window->settings().number(kSectionPravilo, "PoslGlavEvNSav"), 17);
    EXPECT_FALSE(window->statusBar()->isVisibleTo(window.get()));
}

TEST(SettingsDialog, EachSwitchOfTheViewPageActsOnTheWindow)
{
    // Each check box turned off, and what the window shows then.
    struct Case {
        const char* check_box;
        std::function<bool(TForm1&)> shown;  // what the switch shows, read from the window
    };
    const Case cases[] = {
        {"CheckBoxInstrSt", [](TForm1& w) { return w.findChild<QToolBar*>("ToolBar1")->isVisible(); }},
        {"CheckBoxKnVKalendare",
         [](TForm1& w) { return w.findChild<QToolBar*>("ToolBar1")->parentWidget() == w.findChild<QWidget*>("PanelLeft"); }},
        {"CheckBoxIcoLiturgDen", [](TForm1& w) { return w.findChild<QLabel*>("LabelEveningTexts")->isVisible(); }},
        {"CheckBoxPrPrint", [](TForm1& w) { return w.findChild<QWidget*>("RichEditJubPr")->isVisible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check_box);
        Fixture f;
        f.now = QDateTime(QDate(2027, 1, 7), QTime(16, 0));  // the Nativity, listed under the calendar
        auto window = f.open();
        window->show();
        window->ActionVezherExecute();  // the texts of the next day, with their marker
        QApplication::processEvents();
        ASSERT_TRUE(c.shown(*window));
        TPagesDlg* dialog = OpenDialog(*window);
        ASSERT_TRUE(dialog);
        Check(dialog, c.check_box, false);
        Click(dialog, "OKBtn");
        QApplication::processEvents();
        EXPECT_FALSE(c.shown(*window));
        EXPECT_TRUE(f.asker.told.isEmpty()) << f.asker.told.join("\n").toStdString();
    }
}

TEST(SettingsDialog, MinimisingGoesWhereTheSettingSays)
{
    Fixture f;
    auto window = f.open();
    window->show();
    TPagesDlg* dialog = OpenDialog(*window);
    ASSERT_TRUE(dialog);
    Child<QComboBox>(dialog, "ComboBoxPrSv")->setCurrentIndex(kMinimiseToTray);
    Click(dialog, "OKBtn");
    window->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(window->inTray());
    window->SysTrRestore();

    // To the task bar: the window stays a minimised window.
    dialog = OpenDialog(*window);
    Child<QComboBox>(dialog, "ComboBoxPrSv")->setCurrentIndex(0);
    Click(dialog, "OKBtn");
    window->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(window->inTray());
}

// A site played by a server on 127.0.0.1: one canned answer per connection,
// or none at all.
class Site {
public:
    explicit Site(QByteArray response, bool answers = true) : response_(std::move(response)), answers_(answers)
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (answers_ && request_.contains("\r\n\r\n")) {
                        socket->write(response_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString address() const { return QString("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    QByteArray response_;
    bool answers_;
    QByteArray request_;
};

QByteArray Http(int status, const QByteArray& body)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

QString DeadAddress()
{
    QTcpServer server;
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
    return QString("http://127.0.0.1:%1").arg(server.serverPort());  // closed when it goes
}

void RunUpdateCheck(TForm1& window)
{
    QAction* check = window.commands().action("ActionRenameVers");
    ASSERT_TRUE(check->isEnabled());
    window.updateCheck()->setTransferTimeout(500);
    QSignalSpy done(window.updateCheck(), &UpdateCheck::finished);
    check->trigger();
    EXPECT_FALSE(check->isEnabled()) << "not twice at once";
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(check->isEnabled());
}

TEST(UpdateCheckCommand, WithoutASiteBothCommandsStandGreyedAndSayWhy)
{
    Fixture f;
    auto window = f.open();
    for (const char* name : {"ActionRenameVers", "ActionOpenSeite"}) {
        QAction* action = window->commands().action(name);
        EXPECT_FALSE(action->isEnabled()) << name;
        EXPECT_TRUE(action->toolTip().contains("адрес сайта программы не задан")) << name;
    }
}

TEST(UpdateCheckCommand, TheAnswersAsTheUserSeesThem)
{
    const QString newer_site_text = "На сайте '%1' имеется новая версия программы.";
    struct Case {
        const char* what;
        QByteArray primary;     // empty: nobody listens there
        QByteArray fallback;
        bool primary_stalls;
        QStringList told;       // exactly these messages
        bool asked;             // the question of a newer version
        const char* status;
    };
    const QString own = QString::number(ProgramVersionNumber());
    const QString newer = QString::number(ProgramVersionNumber() + 1);
    const QString failed = "Не удалось проверить обновление...  \nПроверьте соединение с интернетом.  ";
    const QString latest = "У вас установлена самая последняя версия программы.";
    const Case cases[] = {
        {"newer", Http(200, "[version]\r\nindvr=" + newer.toUtf8() + "\r\n"), {}, false, {}, true, nullptr},
        {"same", Http(200, "[version]\r\nindvr=" + own.toUtf8() + "\r\n"), {}, false, {latest}, false, "У вас установлена самая последняя версия программы."},
        {"no key", Http(200, "[version]\r\n"), {}, false, {latest}, false, "У вас установлена самая последняя версия программы."},
        {"404 then nothing", Http(404, "<html>Not Found</html>"), {}, false, {failed}, false, "Не удалось проверить обновление."},
        {"empty body", Http(200, ""), {}, false, {failed}, false, "Не удалось проверить обновление."},
        {"stalled then fallback", {}, Http(200, "[version]\r\nindvr=1\r\n"), true, {latest}, false, "У вас установлена самая последняя версия программы."},
        {"primary down, fallback up", {}, Http(200, "[version]\r\nindvr=" + own.toUtf8() + "\r\n"), false, {latest}, false, "У вас установлена самая последняя версия программы."},
        {"both down", {}, {}, false, {failed}, false, "Не удалось проверить обновление."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        std::unique_ptr<Site> primary;
        std::unique_ptr<Site> fallback;
        if (!c.primary.isEmpty() || c.primary_stalls)
            primary = std::make_unique<Site>(c.primary, !c.primary_stalls);
        if (!c.fallback.isEmpty())
            fallback = std::make_unique<Site>(c.fallback);
        const QString primary_address = primary ? primary->address() : DeadAddress();
        const QString fallback_address = fallback ? fallback->address() : DeadAddress();
        f.writeZk(("[Windows]\r\nUpdateHost1=" + primary_address + "\r\nUpdateHost2=" + fallback_address + "\r\n")
                      .toUtf8()
                      .constData());
        auto window = f.open();
        f.asker.answers = {QMessageBox::Yes};
        RunUpdateCheck(*window);
        EXPECT_EQ(f.asker.told, c.told);
        for (const QString& title : f.asker.titles)
            EXPECT_EQ(title, "Индикт");
        if (c.asked) {
            const QString text = newer_site_text.arg(primary_address);
            ASSERT_EQ(f.asker.questions, QStringList{text + "\nОткрыть страницу программы в интернете?"});
            EXPECT_EQ(window->statusBar()->currentMessage(), text);
            EXPECT_EQ(f.opened, QList<QUrl>{QUrl(primary_address + "/calendar.htm")}) << "Yes opens the page";
        } else {
            EXPECT_TRUE(f.asker.questions.isEmpty());
            EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8(c.status));
            EXPECT_TRUE(f.opened.isEmpty());
        }
        const bool answered = c.told.isEmpty() || c.told[0] != failed;
        EXPECT_EQ(QFileInfo::exists(f.root.path() + "/update.ini"), answered);

        // "Посетить сайт программы": the site that answered.
        f.opened.clear();
        window->commands().action("ActionOpenSeite")->trigger();
        const QString visited = answered && !fallback ? primary_address : answered ? fallback_address : primary_address;
        EXPECT_EQ(f.opened, QList<QUrl>{QUrl(visited + "/calendar.htm")});
    }
}

}  // namespace
}  // namespace indikt
