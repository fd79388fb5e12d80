#pragma once

// The main window: it owns the current date and the settings in memory,
// opens in the saved state and size, follows the clock, and writes every
// setting back whenever the program ends.

// moc cannot parse the C++20 library headers these pull in; it needs only the class.
#ifndef Q_MOC_RUN
#include "app/asker.h"
#include "app/data_tree_checks.h"
#include "app/start_rules.h"
#include "app/zk_settings.h"
#include "calendar/date.h"
#include "calendar/date_history.h"
#include "records/memo_book.h"
#endif

#include <QDateTime>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;
class QProcess;
class QSplashScreen;
class QSystemTrayIcon;
class QTextEdit;

namespace indikt {

class TPamjatka;

// What the window needs from its start, injected so tests can set any moment
// and any data root.
struct MainWindowContext {
    QString data_root;                      // absolute, without a trailing separator
    QString program_folder;                 // where companion programs live
    std::function<QDateTime()> clock;       // the local time now
    QString program_path;                   // the program file, for the autostart entry
    QString autostart_folder;               // where autostart entries live (see AutostartFolder)
    StartMode start_mode = StartMode::Saved;
    bool start_mode_applies = false;        // started with an argument, or "ЗагрузкаВсегда"
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kCaption = " Индикт  ";
    static constexpr int kTimer1IntervalMs = 10000;
    static constexpr int kTimer2IntervalMs = 150;
    static constexpr int kSplashKeptMs = 1500;

    TForm1(MainWindowContext context, ZkSettings settings, QWidget* parent = nullptr);

    // The splash the start shows; the deferred work closes it.
    void setSplash(QSplashScreen* splash) { splash_ = splash; }

    // Reads every setting into the window (first read and re-read).
    void ReaderAll();

    // Writes every setting to zk.ini in one atomic save.
    WriteResult SaveAll();

    // Ends the program from outside (SIGTERM, the session ending): saves,
    // then closes whatever the save says.
    void closeForShutdown();

    Date currentDate() const { return current_date_; }
    bool eveningMode() const { return evening_mode_; }
    const ZkSettings& settings() const { return settings_; }
    const DataTreePresence& dataTree() const { return data_tree_; }
    // The picture of the main panel ("ImPanFl"), absolute, or empty.
    const QString& mainPicture() const { return main_picture_; }
    QString zkIniPath() const;
    QString statusText() const;

    // One tick of the periodic timer, at the moment `now` (public for tests).
    void onTimer1(const QDateTime& now);

    // Step 7 of the start, once the window is shown: the compact window or the
    // tray when the start mode asks for them (the mini window comes with the
    // deferred start-up work).
    void ApplyStartMode();

    // The window modes a start mode can ask for.
    void ActionMinimExecute();   // "Компактный"
    void ActionChasExecute();    // "Мини-индикт": the companion program "Mini"
    void ActionSistTrExecute();  // "Поместить в системный трей"
    void SysTrRestore();         // back from the tray
    bool inTray() const { return tray_ != nullptr; }

    // On activation: when the date changed while the program ran, today's
    // labels and the day are shown again.
    void FormActivate();

    // Questions to the user go through this; tests set a scripted one before
    // the first dialog opens.
    void setAsker(Asker* asker) { asker_ = asker; }

    // "Памятка" (Ctrl+U) with today's date, and the calendar's "Добавить
    // праздник" / "Добавить юбилей" with the current date on their tab.
    void ActionSobExecute();
    void ActionNewPrExecute();
    void ActionNewJubExecute();
    TPamjatka* pamjatka() const { return pamjatka_; }
    const MemoBook& memoBook() const { return *memo_book_; }
    // `ListBoxMesSob`: the times of today's events still to come.
    const QStringList& todayEventTimes() const { return list_box_mes_sob_; }

    // `ListJubPr` for the current date: the user's feasts and jubilees under the calendar.
    void ListJubPr();

    // Every change of the current date ends in `ZKDataChange`: the day anew,
    // the status line, the history and the caption.
    void setCurrentDate(Date date);
    void ZKDataChange();
    void ActionSlDnExecute();      // "Следующий день"
    void ActionPrDnExecute();      // "Предыдущий день"
    void ActionSegodnExecute();    // "Сегодня" (F8)
    void ActionBackExecute();      // "Назад" (Ctrl+Left)
    void ActionForwardExecute();   // "Вперед" (Ctrl+Right)
    void ActionRefrechExecute();   // "Обновить" (F5)
    const DateHistory& history() const { return history_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Date today() const;
    void buildWidgets();
    void applyWindowState();
    void showDay();
    void updateToday();
    void deferredStartWork();
    void FreeAutoPam();
    QString ResolveMainPicture(const QString& stored) const;
    MemoClock memoClock() const;
    void openPamjatka(Date date, int tab);
    void memoChanged();
    void updateHistoryActions();
    void showFromHistory(std::optional<Date> date);
    void saveOrSay();

    MainWindowContext context_;
    ZkSettings settings_;
    Date current_date_;  // invalid (0) until the first read of the settings
    bool first_read_done_ = false;
    bool evening_mode_ = false;
    bool close_without_saving_ = false;
    ClockWatch clock_watch_;
    DataTreePresence data_tree_;
    QString main_picture_;

    QTimer timer1_;
    QTimer timer2_;
    QSplashScreen* splash_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;   // owned by the window while in the tray
    QProcess* mini_ = nullptr;          // the running mini window program
    bool mini_started_before_ = false;

    QLabel* label_date_ = nullptr;
    QLabel* label_old_style_ = nullptr;
    QLabel* label_week_ = nullptr;
    QLabel* label_post_ = nullptr;
    QLabel* label_today_ = nullptr;
    QLabel* label_time_ = nullptr;
    QLabel* label_right_ = nullptr;
    QLabel* status_text_ = nullptr;
    QTextEdit* rich_edit_jub_pr_ = nullptr;

    std::unique_ptr<MemoBook> memo_book_;
    QStringList list_box_mes_sob_;
    DialogAsker dialog_asker_;
    Asker* asker_ = &dialog_asker_;
    TPamjatka* pamjatka_ = nullptr;  // made when first opened, owned by the window
    DateHistory history_;
    bool navigating_history_ = false;
    QAction* action_back_ = nullptr;
    QAction* action_forward_ = nullptr;
};

}  // namespace indikt
