#include "app/window/main_window.h"
#include "platform/autostart.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>

#include <gtest/gtest.h>

namespace indikt {
namespace {

struct Fixture {
    QTemporaryDir root;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 30));

    QString zkPath() const { return root.path() + "/zk.ini"; }
    QString autostartFolder() const { return root.path() + "/autostart"; }

    std::unique_ptr<TForm1> open(StartMode mode = StartMode::Saved, bool applies = false, bool tray = false)
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "/opt/indikt/indikt", autostartFolder(), mode, applies};
        context.tray_available = [tray] { return tray; };
        const QDate date = now.date();
        return std::make_unique<TForm1>(context, ZkSettings::Load(zkPath(), FromCivil(date.year(), date.month(), date.day())));
    }
    void writeZk(const char* utf8_text) { ASSERT_TRUE(WriteBytes(zkPath(), *EncodeCp1251(QString::fromUtf8(utf8_text)))); }
};

QString LabelText(const TForm1& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QString("(no label %1)").arg(name);
}

TEST(MainWindow, FreshDataRootOpensWithDefaultsAndSavesACompleteFile)
{
    Fixture f;
    auto window = f.open();
    EXPECT_EQ(window->windowTitle(), " Индикт  ");
    EXPECT_EQ(window->width(), 1070);
    EXPECT_GE(window->height(), 502);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->currentDate(), FromCivil(2026, 12, 8));
    EXPECT_EQ(window->statusText(), "Сегодня Вторник 8 дек 2026 года    10:30");
    EXPECT_EQ(LabelText(*window, "LblSegodn"), "Сегодня: 8.12.2026");
    EXPECT_EQ(LabelText(*window, "LabelPost"), "Рождественский пост");
    EXPECT_TRUE(QFileInfo(f.root.path() + "/Записи").isDir());

    ASSERT_TRUE(window->SaveAll().ok());
    const ZkSettings saved = ZkSettings::Load(f.zkPath(), FromCivil(2026, 12, 8));
    EXPECT_EQ(saved.number(kSectionWindows, "Ширина"), 1070);
    EXPECT_EQ(saved.number(kSectionWindows, "Высота"), window->height());
    EXPECT_EQ(saved.text(kSectionWindows, "Состояние"), "wsNormal");
    EXPECT_TRUE(saved.file().contains(u"Pravilo", u"SpinEditStartPsalm"));
    EXPECT_TRUE(saved.file().contains(u"Backup", u"RadioButtonSamenaSin"));
}

TEST(MainWindow, WithoutAStoredSizeTheDateBlockNeedsNoScrolling)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->setCurrentDate(FromCivil(2027, 1, 7));  // the Nativity, listed under the grid
    QApplication::processEvents();
    auto* column = window->findChild<QScrollArea*>("ScrollLeft");
    ASSERT_NE(column, nullptr);
    EXPECT_FALSE(column->verticalScrollBar()->isVisible())
        << "window " << window->height() << ", column " << column->widget()->sizeHint().height();
}

TEST(MainWindow, TheFirstStartMarksTheGreatFeastsAndALaterOneLeavesTheFile)
{
    Fixture f;
    {
        auto window = f.open();
        ASSERT_EQ(window->memoBook().lists().feasts.size(), 13u);
        QStringList names;
        for (const PrasdRecord& feast : window->memoBook().lists().feasts) {
            EXPECT_EQ(feast.status, FeastStatus::Church);
            names << feast.name;
        }
        EXPECT_TRUE(names.contains("Рождество Христово"));
        EXPECT_TRUE(names.contains("Пасха"));
        EXPECT_TRUE(window->SaveAll().ok());
    }
    // The user deleted the file: a later start (zk.ini exists) does not write it again.
    ASSERT_TRUE(QFile::remove(f.root.path() + "/Памятка.txt"));
    auto again = f.open();
    EXPECT_TRUE(again->memoBook().lists().feasts.empty());
    EXPECT_FALSE(QFileInfo::exists(f.root.path() + "/Памятка.txt"));
}

TEST(MainWindow, StoredStateAndSize)
{
    struct Case { const char* zk; StartMode mode; bool applies; bool maximised; int width; };
    const Case cases[] = {
        {"[Windows]\r\nСостояние=wsNormal\r\nШирина=900\r\nВысота=600\r\n", StartMode::Saved, false, false, 900},
        {"[Windows]\r\nСостояние=wsMaximized\r\n", StartMode::Saved, false, true, 1070},
        {"[Windows]\r\nСостояние=что-то\r\n", StartMode::Saved, false, true, 1070},
        {"[Windows]\r\nСостояние=wsNormal\r\n", StartMode::Maximised, true, true, 1070},
        {"[Windows]\r\nСостояние=wsNormal\r\n", StartMode::Maximised, false, false, 1070},
        {"[Windows]\r\nШирина=-5\r\nВысота=999999\r\n", StartMode::Saved, false, false, 230},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zk);
        Fixture f;
        f.writeZk(c.zk);
        auto window = f.open(c.mode, c.applies);
        EXPECT_EQ(window->windowState().testFlag(Qt::WindowMaximized), c.maximised);
        if (!c.maximised) {
            EXPECT_EQ(window->width(), c.width);
        }
    }
}

TEST(MainWindow, BrightWeekStatus)
{
    Fixture f;
    f.now = QDateTime(QDate(2025, 4, 22), QTime(9, 5));
    auto window = f.open();
    EXPECT_EQ(window->statusText(), " Христос воскресе!  Сегодня: Вторник 22 апр 2025 г.");
}

TEST(MainWindow, EveningModeFromTheClock)
{
    {
        SCOPED_TRACE("a start after 15:00 with LiturDen shows the next day");
        Fixture f;
        f.writeZk("[Vid]\r\nLiturDen=1\r\n");
        f.now = QDateTime(QDate(2026, 12, 8), QTime(16, 0));
        EXPECT_TRUE(f.open()->eveningMode());
    }
    {
        SCOPED_TRACE("without LiturDen it does not, but the first 15:00 of the run does");
        Fixture f;
        f.now = QDateTime(QDate(2026, 12, 8), QTime(14, 59, 55));
        auto window = f.open();
        EXPECT_FALSE(window->eveningMode());
        window->onTimer1(f.now);
        EXPECT_FALSE(window->eveningMode());
        window->onTimer1(QDateTime(QDate(2026, 12, 8), QTime(15, 0, 5)));
        EXPECT_TRUE(window->eveningMode());
        // The panes show the next day; the date block keeps the date itself.
        EXPECT_EQ(window->liturgicalDate(), FromCivil(2026, 12, 9));
        EXPECT_EQ(LabelText(*window, "LabelDay"), "8");
    }
}

TEST(MainWindow, CloseSavesAndAFailedSaveKeepsTheWindowOpen)
{
    Fixture f;
    {
        auto window = f.open();
        window->show();
        window->resize(800, 450);
        EXPECT_TRUE(window->close());
    }
    const ZkSettings saved = ZkSettings::Load(f.zkPath(), FromCivil(2026, 12, 8));
    EXPECT_EQ(saved.number(kSectionWindows, "Ширина"), 800);
    EXPECT_EQ(saved.number(kSectionWindows, "Высота"), 450);

    ASSERT_TRUE(QFile::remove(f.zkPath()));
    ASSERT_TRUE(QDir().mkpath(f.zkPath() + "/blocked"));  // nothing can be saved there
    auto window = f.open();
    window->show();
    EXPECT_FALSE(window->close()) << "the first close is refused and the user told";
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Настройки не сохранены"));
    EXPECT_TRUE(window->close()) << "a second close ends without the settings";
}

TEST(MainWindow, ActivationAfterMidnightShowsTheNewToday)
{
    Fixture f;
    f.now = QDateTime(QDate(2026, 12, 8), QTime(23, 59));
    auto window = f.open();
    EXPECT_EQ(LabelText(*window, "LblSegodn"), "Сегодня: 8.12.2026");
    f.now = QDateTime(QDate(2026, 12, 9), QTime(0, 1));
    window->FormActivate();
    EXPECT_EQ(LabelText(*window, "LblSegodn"), "Сегодня: 9.12.2026");
    EXPECT_EQ(window->statusText(), "Сегодня Среда 9 дек 2026 года    0:01");
}

TEST(MainWindow, MidnightTickRebuildsTheStatusLine)
{
    Fixture f;
    f.now = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 55));
    auto window = f.open();
    window->onTimer1(f.now);
    f.now = QDateTime(QDate(2026, 12, 9), QTime(0, 0, 5));
    window->onTimer1(f.now);
    EXPECT_EQ(LabelText(*window, "LblSegodn"), "Сегодня: 9.12.2026");
    EXPECT_EQ(window->statusText(), "Сегодня Среда 9 дек 2026 года    0:00");
}

TEST(MainWindow, TheTrayGivesTheWindowBackOnAClickAndTheMenu)
{
    Fixture f;
    auto window = f.open(StartMode::Saved, false, true);
    window->show();
    struct Case { const char* what; std::function<void(QSystemTrayIcon&)> restore; };
    const Case cases[] = {
        {"a single click", [](QSystemTrayIcon& tray) { emit tray.activated(QSystemTrayIcon::Trigger); }},
        {"a double click", [](QSystemTrayIcon& tray) { emit tray.activated(QSystemTrayIcon::DoubleClick); }},
        {"the menu's Развернуть", [](QSystemTrayIcon& tray) {
             ASSERT_NE(tray.contextMenu(), nullptr);
             ASSERT_EQ(tray.contextMenu()->actions().size(), 2);
             EXPECT_EQ(tray.contextMenu()->actions()[0]->text(), "Развернуть");
             EXPECT_EQ(tray.contextMenu()->actions()[1]->text(), "Выход");
             tray.contextMenu()->actions()[0]->trigger();
         }},
        {"another start of the program", [&window](QSystemTrayIcon&) { window->showFromOutside(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->findChild<QAction*>("ActionSistTr")->trigger();
        ASSERT_TRUE(window->inTray());
        EXPECT_FALSE(window->isVisible());
        auto* tray = window->findChild<QSystemTrayIcon*>("TrayIcon");
        ASSERT_NE(tray, nullptr);
        c.restore(*tray);
        EXPECT_FALSE(window->inTray()) << "the tray command must work again";
        EXPECT_TRUE(window->isVisible());
        QApplication::processEvents();
    }
}

TEST(MainWindow, WithoutATrayTheWindowIsMinimisedAndThatIsSaidOnce)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->findChild<QAction*>("ActionSistTr")->trigger();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("нет системного трея"));
    window->showNormal();
    window->statusBar()->clearMessage();
    window->findChild<QAction*>("ActionSistTr")->trigger();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST(MainWindow, StartModesThatChangeTheWindow)
{
    {
        SCOPED_TRACE("tray on a desktop without one: minimised, never lost");
        Fixture f;
        f.writeZk("[Windows]\r\nНомерЗагрузки=4\r\n");
        auto window = f.open(StartMode::Tray, true);
        window->show();
        window->ApplyStartMode();
        EXPECT_FALSE(window->inTray());
        EXPECT_TRUE(window->isMinimized());
        EXPECT_TRUE(QFile::exists(f.zkPath() )) << "the settings are saved first";
    }
    {
        SCOPED_TRACE("compact");
        Fixture f;
        auto window = f.open(StartMode::Compact, true);
        window->show();
        window->ApplyStartMode();
        EXPECT_EQ(window->size(), QSize(678, 414));
        EXPECT_FALSE(window->statusBar()->isVisible());
    }
    {
        SCOPED_TRACE("a start mode typed in the settings alone does not apply");
        Fixture f;
        f.writeZk("[Windows]\r\nШирина=1070\r\nВысота=502\r\n");
        auto window = f.open(StartMode::Compact, false);
        window->show();
        window->ApplyStartMode();
        EXPECT_EQ(window->size(), QSize(1070, 502));
    }
}

TEST(MainWindow, MiniWindowRunsTheCompanionAndComesBack)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->ActionChasExecute();
    EXPECT_TRUE(window->isVisible()) << "without the companion program nothing happens";

    const QString mini = f.root.path() + "/Mini";
    {
        QFile script(mini);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$#\" >> \"$(dirname \"$0\")/mini-runs\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    for (int run = 0; run < 2; ++run) {
        window->findChild<QAction*>("ActionChas")->setChecked(true);
        window->ActionChasExecute();
        EXPECT_FALSE(window->isVisible()) << "hidden while the mini window runs";
        QElapsedTimer timer;
        timer.start();
        while (!window->isVisible() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_TRUE(window->isVisible()) << "shown again when it ends";
        EXPECT_FALSE(window->findChild<QAction*>("ActionChas")->isChecked()) << "and its check mark goes";
    }
    QFile runs(f.root.path() + "/mini-runs");
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(runs.readAll(), QByteArray("0\n1\n")) << "\"1\" is passed from the second start on";
}

TEST(MainWindow, MainPicturePathIsResolvedAndStoredRelative)
{
    struct Case { const char* stored; const char* picture; const char* saved; };
    const Case cases[] = {
        {"Иконы\\001.jpg", "Иконы/001.jpg", "Иконы\\001.jpg"},
        {"Иконы\\нет.jpg", "", ""},                 // no such file: the setting becomes empty
        {"@ROOT@/Иконы/001.jpg", "Иконы/001.jpg", "Иконы\\001.jpg"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Fixture f;
        ASSERT_TRUE(QDir().mkpath(f.root.path() + "/Иконы"));
        QFile picture(f.root.path() + "/Иконы/001.jpg");
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.close();
        const QString stored = QString::fromUtf8(c.stored).replace("@ROOT@", f.root.path());
        f.writeZk(("[Vid]\r\nImPanFl=" + stored + "\r\n").toUtf8().constData());
        auto window = f.open();
        const QString expected = *c.picture ? f.root.path() + "/" + QString::fromUtf8(c.picture) : QString();
        EXPECT_EQ(window->mainPicture(), expected);
        ASSERT_TRUE(window->SaveAll().ok());
        EXPECT_EQ(ZkSettings::Load(f.zkPath(), FromCivil(2026, 12, 8)).text(kSectionVid, "ImPanFl"), QString::fromUtf8(c.saved));
    }
}

TEST(MainWindow, ShutdownEndsTheEventLoopAlsoWithTheWindowHidden)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->hide();  // as in the tray or behind the mini window
    bool timed_out = false;
    QTimer::singleShot(0, window.get(), [&] { window->closeForShutdown(); });
    QTimer::singleShot(3000, qApp, [&] {
        timed_out = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_FALSE(timed_out) << "the program must end on SIGTERM whatever its window shows";
    EXPECT_TRUE(QFile::exists(f.zkPath()));
}

TEST(MainWindow, SavingWritesOrRemovesTheAutostartEntry)
{
    Fixture f;
    f.writeZk("[Windows]\r\n\x41втоЗагрузка=1\r\nНомерЗагрузки=3\r\n");
    const QString entry = f.autostartFolder() + "/" + AutostartFileName(QString::fromUtf8(kAutostartMain));
    {
        auto window = f.open();
        ASSERT_TRUE(window->SaveAll().ok());
    }
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains("\"/opt/indikt/indikt\" --data-root \"" + f.root.path() + "\" 3\n"));
    file.close();

    f.writeZk("[Windows]\r\n\x41втоЗагрузка=0\r\n");
    {
        auto window = f.open();
        ASSERT_TRUE(window->SaveAll().ok());
    }
    EXPECT_FALSE(QFile::exists(entry));
}

TEST(MainWindow, AFreshDataRootRemovesItsOldAutostartEntries)
{
    Fixture f;
    QString error;
    ASSERT_TRUE(WriteAutostartEntry(f.autostartFolder(), {QString::fromUtf8(kAutostartPamjatka), "/p", f.root.path(), 1, {}}, &error));
    const QString entry = f.autostartFolder() + "/" + AutostartFileName(QString::fromUtf8(kAutostartPamjatka));
    ASSERT_TRUE(QFile::exists(entry));
    auto window = f.open();  // no zk.ini in the data root
    EXPECT_FALSE(QFile::exists(entry));
}

TEST(MainWindow, NavigationRunsEveryDateThroughTheHub)
{
    Fixture f;
    auto window = f.open();
    const auto trigger = [&](const char* name) {
        auto* action = window->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    window->setCurrentDate(FromCivil(2025, 12, 31));
    trigger("ActionSlDn");
    EXPECT_EQ(window->currentDate(), FromCivil(2026, 1, 1));
    EXPECT_EQ(LabelText(*window, "LabelWeekday"), "Четверг");
    EXPECT_EQ(LabelText(*window, "LabelDay"), "1");
    EXPECT_TRUE(window->statusText().startsWith("Четверг 1 янв 2026 г. (19 дек по ст. ст.). От Паcхи 2025 г. - "))
        << window->statusText().toStdString();

    window->setCurrentDate(FromCivil(2012, 1, 9));
    EXPECT_EQ(window->statusText(),
              "Понедельник 9 янв 2012 г. (27 дек по ст. ст.). От Паcхи 2011 г. - 260 дней. До Паcхи 2012 г. - 97 дней. ");

    struct Edge { Date from; const char* command; };
    const Edge edges[] = {{FromCivil(3000, 12, 31), "ActionSlDn"}, {FromCivil(1752, 1, 1), "ActionPrDn"}};
    for (const Edge& edge : edges) {
        SCOPED_TRACE(edge.command);
        window->setCurrentDate(edge.from);
        trigger(edge.command);
        EXPECT_EQ(window->currentDate(), edge.from);
    }

    trigger("ActionSegodn");
    EXPECT_EQ(window->currentDate(), FromCivil(2026, 12, 8));
    EXPECT_EQ(window->findChild<QAction*>("ActionSegodn")->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(window->findChild<QAction*>("ActionBack")->shortcut(), QKeySequence("Ctrl+Left"));
    EXPECT_EQ(window->findChild<QAction*>("ActionRefrech")->shortcut(), QKeySequence(Qt::Key_F5));
}

TEST(MainWindow, BackAndForwardWalkTheHistory)
{
    Fixture f;
    auto window = f.open();
    auto* back = window->findChild<QAction*>("ActionBack");
    auto* forward = window->findChild<QAction*>("ActionForward");
    ASSERT_TRUE(back && forward);
    EXPECT_FALSE(back->isEnabled());
    const Date start = window->currentDate();
    const Date b = FromCivil(2026, 1, 2), c = FromCivil(2026, 1, 3);
    window->setCurrentDate(b);
    window->setCurrentDate(c);
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    back->trigger();
    EXPECT_EQ(window->currentDate(), b);
    EXPECT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(window->currentDate(), c);
    back->trigger();
    back->trigger();
    EXPECT_EQ(window->currentDate(), start);
    EXPECT_FALSE(back->isEnabled());

    for (int i = 0; i < 205; ++i)
        window->ActionSlDnExecute();
    EXPECT_EQ(window->history().backList().size(), DateHistory::kMaxEntries);
    EXPECT_FALSE(forward->isEnabled());
}

}  // namespace
}  // namespace indikt
