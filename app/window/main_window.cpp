#include "main_window.h"

#include "app/dialogs/pamjatka_dialog.h"
#include "app/panes/text_viewer.h"
#include "app/window/day_widgets.h"
#include "lectionary/day_builders.h"
#include "platform/autostart.h"
#include "platform/companion.h"

#include "calendar/date_texts.h"
#include "calendar/day_status.h"
#include "calendar/fasts.h"
#include "calendar/feast_placement.h"
#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTextBrowser>
#include <QToolBar>

#include <algorithm>
#include <QDockWidget>
#include <QMenuBar>
#include <QTextEdit>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSplashScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The program's icon: a red cross on a warm ground, drawn so that no image
// file is needed.
QIcon ProgramIcon()
{
    QPixmap picture(32, 32);
    picture.fill(QColor(0xF4, 0xEF, 0xE2));
    QPainter painter(&picture);
    painter.fillRect(14, 4, 4, 24, QColor(0x80, 0x20, 0x20));
    painter.fillRect(8, 10, 16, 4, QColor(0x80, 0x20, 0x20));
    painter.fillRect(10, 19, 12, 3, QColor(0x80, 0x20, 0x20));
    return QIcon(picture);
}

QString ClockText(const QTime& time, const char* separator)
{
    return QString::number(time.hour()) + separator + time.toString("mm");
}

}  // namespace

TForm1::TForm1(MainWindowContext context, ZkSettings settings, QWidget* parent)
    : QMainWindow(parent), context_(std::move(context)), settings_(std::move(settings))
{
    setObjectName("TForm1");
    setWindowTitle(kCaption);
    buildWidgets();
    connectNoteCommands();
    connectBookCommands();
    connectBackupCommands();
    buildSearchPanel();
    connectReportCommands();
    connectIcalCommands();
    connectSettingsCommands();
    connectIconCommands();

    timer1_.setObjectName("Timer1");
    connect(&timer1_, &QTimer::timeout, this, [this] { onTimer1(context_.clock()); });
    timer2_.setObjectName("Timer2");
    timer2_.setSingleShot(true);
    timer2_.setInterval(kTimer2IntervalMs);
    connect(&timer2_, &QTimer::timeout, this, &TForm1::deferredStartWork);

    // A data root without zk.ini starts afresh: no automatic start of ours.
    if (!settings_.fileExisted() && !context_.autostart_folder.isEmpty()) {
        QString error;
        if (!RemAutoLoading(context_.autostart_folder, context_.data_root, &error))
            qWarning("indikt: %s", qPrintable(error));
    }
    setWindowIcon(ProgramIcon());

    // The commemorations book lives as long as the window: the calendar marks
    // its feasts and jubilees, and the reminders read today's events.
    memo_book_ = std::make_unique<MemoBook>(context_.data_root, [this] { return memoClock(); });
    memo_book_->open();
    // A first start finds the great feasts marked; the user may delete them.
    if (!settings_.fileExisted() && !QFileInfo::exists(memo_book_->filePath())) {
        if (const WriteResult seeded = memo_book_->addGreatFeasts(); !seeded.ok())
            qWarning("indikt: %s", qPrintable(seeded.error));
    }
    memo_book_->sortByWaiting();
    list_box_mes_sob_ = memo_book_->todayEventTimes();

    // The panes whose texts the program builds.
    setTextBuilder(DayPane::Menaion, std::make_unique<MenaionBuilder>(context_.data_root));
    setTextBuilder(DayPane::Lectionary,
                   std::make_unique<LectionaryBuilder>(context_.data_root, settings_, [this] { return today(); }));
    setTextBuilder(DayPane::Lives, std::make_unique<LivesBuilder>(context_.data_root));
    setTextBuilder(DayPane::PrayerBook, std::make_unique<PrayerBookBuilder>(context_.data_root, settings_));

    ReaderAll();
    if (const QString message = memo_book_->loadMessage(); !message.isEmpty())
        statusBar()->showMessage(message);
    timer1_.start();
    timer2_.start();
}

// The start modes that change the window apply only when the program was
// started with an argument or "ЗагрузкаВсегда" is on; the mini window waits
// for the deferred start-up work.
void TForm1::ApplyStartMode()
{
    if (!context_.start_mode_applies)
        return;
    if (context_.start_mode == StartMode::Compact)
        ActionMinimExecute();
    else if (context_.start_mode == StartMode::Tray)
        ActionSistTrExecute();
}

void TForm1::saveOrSay()
{
    const WriteResult result = SaveAll();
    if (!result.ok())
        statusBar()->showMessage("Настройки не сохранены: " + result.error);
}

void TForm1::ActionMinimExecute()
{
    saveOrSay();
    panel_poisk_->hide();
    settings_.setFlag(kSectionVid, "LargeIco", false);
    settings_.setFlag(kSectionVid, "KnVKalendare", true);
    applyPanelSettings();
    viewer_->setZoom(settings_.number(kSectionVid, "ExplorerZoom"));
    menuBar()->hide();
    commands_->action("ActionPanelMenu")->setChecked(false);
    statusBar()->hide();
    setWindowState(Qt::WindowNoState);
    resize(678, 414);
    showPane(DayPane::Menaion);
}

void TForm1::ActionChasExecute()
{
    const QString program = CompanionProgram(context_.program_folder, QStringLiteral("Mini.exe"));
    if (program.isEmpty() || mini_)
        return;  // without the companion program the command does nothing
    saveOrSay();
    hide();
    mini_ = new QProcess(this);
    connect(mini_, &QProcess::finished, this, [this] {
        mini_->deleteLater();
        mini_ = nullptr;
        commands_->action("ActionChas")->setChecked(false);
        showNormal();
        raise();
        activateWindow();
    });
    connect(mini_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        mini_->deleteLater();
        mini_ = nullptr;
        commands_->action("ActionChas")->setChecked(false);
        showNormal();
    });
    QStringList arguments;
    if (mini_started_before_)
        arguments << QStringLiteral("1");
    mini_started_before_ = true;
    mini_->start(program, arguments);
}

void TForm1::ActionSistTrExecute()
{
    if (tray_)
        return;
    saveOrSay();
    // A desktop without a tray would hide the program for good: minimise instead.
    const bool available = context_.tray_available ? context_.tray_available() : QSystemTrayIcon::isSystemTrayAvailable();
    if (!available) {
        showMinimized();
        if (!tray_missing_said_)
            statusBar()->showMessage("На этом рабочем столе нет системного трея: окно свёрнуто на панель задач.");
        tray_missing_said_ = true;
        return;
    }
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setObjectName("TrayIcon");
    tray_->setToolTip(" Индикт ");
    // A single click is all that some trays send; a double click restores too.
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            SysTrRestore();
    });
    auto* menu = new QMenu(this);
    menu->setObjectName("TrayMenu");
    QAction* restore = menu->addAction("Развернуть");
    restore->setObjectName("TrayRestore");
    connect(restore, &QAction::triggered, this, &TForm1::SysTrRestore);
    menu->addAction(commands_->action("FileExit"));
    connect(tray_, &QObject::destroyed, menu, &QObject::deleteLater);
    tray_->setContextMenu(menu);
    tray_->show();
    panel_explorer_->hide();
    hide();
}

void TForm1::SysTrRestore()
{
    if (tray_) {
        tray_->hide();
        tray_->deleteLater();
        tray_ = nullptr;
    }
    showNormal();
    raise();
    activateWindow();
    // The Menaion pane is filled when it was left empty.
    if (PaneOfCaption(rightCaption()) == DayPane::Menaion && qobject_cast<QTextBrowser*>(paneView(DayPane::Menaion)) &&
        qobject_cast<QTextBrowser*>(paneView(DayPane::Menaion))->document()->isEmpty())
        fillShownPane(liturgicalDate());
}

void TForm1::showFromOutside()
{
    // From the tray the tray state is cleared, so the tray command works again.
    if (tray_)
        SysTrRestore();
    else if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

QString TForm1::zkIniPath() const { return context_.data_root + "/zk.ini"; }

Date TForm1::today() const
{
    const QDate date = context_.clock().date();
    return FromCivil(date.year(), date.month(), date.day());
}

void TForm1::ReaderAll()
{
    // Step 2: the start-up keys again, and the start mode in force.
    timer1_.setInterval(kTimer1IntervalMs);
    applyWindowState();
    data_tree_ = CheckDataTree(context_.data_root);
    applyDataTreePresence();
    main_picture_ = ResolveMainPicture(settings_.text(kSectionVid, "ImPanFl"));
    settings_.repairCalendarColours();
    statusBar()->setVisible(settings_.flag(kSectionVid, "Sostojanie"));
    label_post_->setVisible(settings_.flag(kSectionVid, "Post"));
    applyPanelSettings();
    // Without a stored size the window makes room for the whole date block
    // (with the feasts of a day listed), so nothing of it has to be scrolled
    // to; a size the user left is kept.
    if (!settings_.file().contains(u"Windows", u"Высота") && !isMaximized())
        resize(std::max(width(), DefaultWindowSize().width()), std::max(height(), DefaultWindowSize().height()));

    if (!first_read_done_) {
        current_date_ = today();
        history_.visited(current_date_);  // the first date shown is the first step back
        first_read_done_ = true;
        const QTime now = context_.clock().time();
        if (now.hour() >= 15 && settings_.flag(kSectionVid, "LiturDen"))
            evening_mode_ = true;
    }
    updateToday();
    CalendarSvernutExecute();
    showDay();
    updateImagePravilo();
    // The caption of the settings: the short date when "CaptData" is on. A
    // change of date later writes the day view's long form instead.
    setWindowTitle(settings_.flag(kSectionVid, "CaptData")
                       ? QString(kCaption) + "-  " + Qs(TextOfDayAndMonthAndYear5(current_date_)) + " г."
                       : QString(kCaption));
    if (!settings_.loadError().isEmpty())
        statusBar()->showMessage("zk.ini: " + settings_.loadError());
    else if (!data_tree_.error.isEmpty())
        statusBar()->showMessage(data_tree_.error);
}

// The panes whose folder the tree lacks are not offered, and a command whose
// program is missing is offered disabled with a hint that says what is missing.
void TForm1::applyDataTreePresence()
{
    const std::pair<DayPane, bool> panes[] = {
        {DayPane::Lectionary, data_tree_.lectionary},
        {DayPane::Troparia, data_tree_.troparia},
        {DayPane::PrayerBook, data_tree_.prayer_book},
        {DayPane::Lives, data_tree_.lives},
    };
    for (const auto& [pane, present] : panes) {
        commands_->action(Info(pane).command)->setVisible(present);
        if (!present && PaneOfCaption(rightCaption()) == pane)
            label_right_->setText(QString::fromUtf8(Info(DayPane::Menaion).caption));
    }
    commands_->action("ActionPanelIco")->setVisible(data_tree_.icons);

    const auto unavailable = [this](const char* command, bool present, const QString& why) {
        QAction* action = commands_->action(command);
        action->setEnabled(present);
        const QString hint = present ? action->text() : action->text() + ": " + why;
        action->setToolTip(hint);
        action->setStatusTip(hint);
    };
    unavailable("ActionPash", data_tree_.paschalion,
                "нет программы «Пасхалия» (Пасхалия/Пасхалия в папке данных)");
    unavailable("ActionChas", !CompanionProgram(context_.program_folder, QStringLiteral("Mini.exe")).isEmpty(),
                "нет программы «Mini» рядом с программой");
}

// "ImPanFl" names a picture by its full path or relative to the data root
// (backslashes as the tree writes them); a name that finds no file is dropped.
QString TForm1::ResolveMainPicture(const QString& stored) const
{
    if (stored.isEmpty())
        return {};
    QString path = stored;
    path.replace('\\', '/');
    if (QDir::isAbsolutePath(path) && QFileInfo(path).isFile())
        return QDir::cleanPath(path);
    const QString inside = QDir::cleanPath(context_.data_root + "/" + path);
    return QFileInfo(inside).isFile() ? inside : QString();
}

void TForm1::applyWindowState()
{
    const int width = settings_.number(kSectionWindows, "Ширина");
    const int client_height = settings_.number(kSectionWindows, "Высота");
    // The client height is the whole window inside its frame, status bar included.
    resize(width, client_height);
    const bool maximised = (context_.start_mode_applies && context_.start_mode == StartMode::Maximised) ||
                           settings_.text(kSectionWindows, "Состояние") != "wsNormal";
    setWindowState(maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

QSize TForm1::DefaultWindowSize() const
{
    // The feast list is hidden until a day has one; its room is counted. The
    // column's wrapped labels are measured at the column's narrowest width.
    const int feasts = rich_edit_jub_pr_->isHidden() ? rich_edit_jub_pr_->maximumHeight() : 0;
    date_block_->ensurePolished();
    QLayout* column = date_block_->layout();
    column->activate();
    const int block = column->hasHeightForWidth() ? column->totalHeightForWidth(kLeftColumnMinimumWidth - 20)
                                                  : column->totalSizeHint().height();
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    const bool bar_on_top = tool_bar_->parentWidget() == this && !tool_bar_->isHidden();
    int height = block + feasts + margins.top() + margins.bottom() + menuBar()->sizeHint().height() +
                 statusBar()->sizeHint().height() + (bar_on_top ? tool_bar_->sizeHint().height() : 0) + 8;
    if (const QScreen* screen = this->screen())
        height = std::min(height, screen->availableGeometry().height() - 40);
    return {1070, height};
}

QString TForm1::statusText() const { return status_text_->text(); }

void TForm1::updateToday()
{
    const Date now = today();
    shown_today_ = now;
    updateTodayLabel();
    const QString long_form = Qs(TextOfDayAndMonthAndYear3(now));
    const QString menu_caption = "Сегодня: " + long_form + " г.";
    QString status = "Сегодня " + long_form + " года    " + ClockText(context_.clock().time(), ":");
    if (IsBrightWeek(MakeDayFacts(current_date_)))
        status = " Христос воскресе!  " + menu_caption;
    status_text_->setText(status);
    updateClockLabel(context_.clock().time());
    label_time_->setVisible(settings_.flag(kSectionVid, "TimePrint"));
}

void TForm1::updateClockLabel(const QTime& time)
{
    if (settings_.flag(kSectionVid, "TimePrint"))
        label_time_->setText(ClockText(time, " : "));
}

MemoClock TForm1::memoClock() const
{
    const QDateTime now = context_.clock();
    return {FromCivil(now.date().year(), now.date().month(), now.date().day()),
            now.time().hour() * 60 + now.time().minute()};
}

void TForm1::openPamjatka(Date date, int tab)
{
    if (!pamjatka_) {
        pamjatka_ = new TPamjatka(*memo_book_, {context_.data_root, context_.program_folder, context_.autostart_folder},
                                  *asker_, this);
        connect(pamjatka_, &TPamjatka::memoSaved, this, &TForm1::memoChanged);
        connect(pamjatka_, &TPamjatka::notice, this, [this](const QString& text) { statusBar()->showMessage(text); });
        connect(pamjatka_, &QDialog::finished, this, [this] {
            settings_.setFlag(kSectionVid, "PerSoob", pamjatka_->openingMessages());
            memoChanged();
        });
    }
    const MemoClock now = memoClock();
    pamjatka_->OpenPamjatka(date, now.minute);
    pamjatka_->showTab(tab);
    pamjatka_->setOpeningMessages(settings_.flag(kSectionVid, "PerSoob"));
    pamjatka_->open();
}

void TForm1::ActionSobExecute() { openPamjatka(today(), -1); }  // on the tab last shown
void TForm1::ActionNewPrExecute() { openPamjatka(current_date_, TPamjatka::kTabFeasts); }
void TForm1::ActionNewJubExecute() { openPamjatka(current_date_, TPamjatka::kTabJubilees); }

// After the file was written: today's event times and the day anew.
void TForm1::memoChanged()
{
    list_box_mes_sob_ = memo_book_->todayEventTimes();
    Vid(current_date_);
}

void TForm1::FormActivate()
{
    if (!first_read_done_)
        return;
    if (shown_today_ != today()) {
        updateToday();
        showDay();
        updateImagePravilo();
    }
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        followMinimiseSetting();
}

void TForm1::deferredStartWork()
{
    IcoDeskExe();
    showDay();
    InfoPraviloExecute();
    MessageSob();
    if (context_.start_mode_applies && context_.start_mode == StartMode::Mini)
        ActionChasExecute();
    if (splash_) {
        QTimer::singleShot(kSplashKeptMs, splash_, [this] {
            if (splash_)
                splash_->close();
            splash_ = nullptr;
        });
    }
}

WriteResult TForm1::SaveAll()
{
    const bool maximised = isMaximized() && height() > 70;
    settings_.setText(kSectionWindows, "Состояние", maximised ? "wsMaximized" : "wsNormal");
    const QRect normal = maximised ? normalGeometry() : geometry();
    settings_.setNumber(kSectionWindows, "Ширина", normal.width() > 229 ? normal.width() : centralWidget()->width() + 20);
    settings_.setNumber(kSectionWindows, "Высота", normal.height() > 69 ? normal.height() : normal.width() / 22 * 10);
    // A picture inside the data root is stored relative to it, the way the tree writes paths.
    QString picture = main_picture_;
    if (picture.startsWith(context_.data_root + "/"))
        picture = picture.mid(context_.data_root.size() + 1).replace('/', '\\');
    settings_.setText(kSectionVid, "ImPanFl", picture);
    const WriteResult result = settings_.save(zkIniPath(), today());
    FreeAutoPam();
    return result;
}

// Writes or removes the autostart entry as "AвтоЗагрузка" says. Its failure
// does not stop the program from ending; it is reported on the terminal.
void TForm1::FreeAutoPam()
{
    if (context_.autostart_folder.isEmpty() || context_.program_path.isEmpty())
        return;
    QString error;
    const QString name = QString::fromUtf8(kAutostartMain);
    const bool ok = settings_.flag(kSectionWindows, kKeyAutoStart)
                        ? WriteAutostartEntry(context_.autostart_folder,
                                              {name, context_.program_path, context_.data_root,
                                               settings_.number(kSectionWindows, "НомерЗагрузки"), {}},
                                              &error)
                        : RemoveAutostartEntry(context_.autostart_folder, name, context_.data_root, &error);
    if (!ok)
        qWarning("indikt: autostart entry: %s", qPrintable(error));
}

void TForm1::closeForShutdown()
{
    saveNoteForShutdown();
    const WriteResult result = SaveAll();
    if (!result.ok())
        qWarning("indikt: the settings could not be saved: %s", qPrintable(result.error));
    close_without_saving_ = true;  // already saved, or failed to: close whatever the save said
    close();
    // A window hidden in the tray or behind the mini window is not the "last
    // window closed", so end the event loop explicitly.
    QCoreApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (close_without_saving_) {
        event->accept();
        return;
    }
    // Cancel in the note's question, or in an editor's, keeps the window open.
    if (!endNoteEdit() || !closeTreeEditors()) {
        event->ignore();
        return;
    }
    const WriteResult result = SaveAll();
    if (result.ok()) {
        event->accept();
        return;
    }
    // The user is told, and the window stays open; a second close ends the
    // program without the settings.
    close_without_saving_ = true;
    statusBar()->showMessage("Настройки не сохранены: " + result.error + ". Закройте окно ещё раз, чтобы выйти без сохранения.");
    event->ignore();
}

}  // namespace indikt
