#pragma once

// The main window: it owns the current date and the settings in memory,
// opens in the saved state and size, follows the clock, and writes every
// setting back whenever the program ends.

// moc cannot parse the C++20 library headers these pull in; it needs only the class.
#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "app/dialogs/bookmark_dialog.h"
#include "app/panes/note_editing.h"
#include "app/window/command_table.h"
#include "backup/backup_engine.h"
#include "calendar/date.h"
#include "calendar/date_history.h"
#include "lectionary/day_panes.h"
#include "platform/data_tree_checks.h"
#include "platform/link_router.h"
#include "platform/notifications.h"
#include "platform/wallpaper.h"
#include "lectionary/day_icons.h"
#include "records/memo_book.h"
#include "settings/program_options.h"
#include "settings/start_rules.h"
#include "settings/zk_settings.h"
#include "walks/period_report.h"
#include "walks/year_search.h"
#endif

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QDockWidget;
class QLabel;
class QMenu;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QToolButton;
class QProcess;
class QSplashScreen;
class QSystemTrayIcon;
class QTextEdit;

namespace indikt {

// The language commands of the lectionary, in the order of their tags.
inline constexpr std::array<const char*, 5> kLectionaryLanguageCommands = {
    "ActionSlavBeibl", "ActionGragdBeibl", "ActionRusBeibl", "ActionSvukBeibl", "ActionVideoBeibl"};
// The language commands of the prayer book, in the order of their tags.
inline constexpr std::array<const char*, 5> kPrayerBookLanguageCommands = {
    "ActionSlavMolitv", "ActionGragdMolitv", "ActionRusMolitv", "ActionSvukMolitv", "ActionVideoMolitv"};

class TPamjatka;
class TDomPraviloForm;
class TPagesDlg;
class UpdateCheck;
struct UpdateOutcome;
class ClickableLabel;
class HtmlPane;
class LanguageBar;
class PictureLabel;
class TextViewer;
class TroparPane;
class MonthGridWidget;
class DateEditorSpin;
class NotePane;
class TOKRightDlg;
class SearchPanel;
class TPagesPrint;
class IconStrip;

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
    // Whether the desktop has a system tray; empty asks Qt.
    std::function<bool()> tray_available = {};
    // Starts a companion program on its own; false when it did not start.
    // Empty: QProcess::startDetached.
    std::function<bool(const QString& program, const QStringList& arguments)> start_program = {};
    // Shows a desktop notification; false when no service took it. Empty:
    // the desktop's notification service on the session bus.
    std::function<bool(const Notification& notification)> notify = {};
    // Where safety copies go before a restore; empty: the user's state folder.
    QString backup_safety_folder = {};
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kCaption = " Индикт  ";
    static constexpr int kTimer1IntervalMs = 10000;
    static constexpr int kTimer2IntervalMs = 150;
    static constexpr int kSplashKeptMs = 1500;
    static constexpr int kLeftColumnMinimumWidth = 280;

    TForm1(MainWindowContext context, ZkSettings settings, QWidget* parent = nullptr);
    ~TForm1() override;

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

    // One tick of the periodic timer, at the moment `now` (public for tests):
    // the clock label, the midnight work, the 15:00 switch, the due events.
    void onTimer1(const QDateTime& now);
    // `MessageSob`: the companion shows the coming jubilees and feasts when
    // "PerSoob" asks for them at the start.
    void MessageSob();
    // Whether the 15:00 switch to the evening waits for an edit or a walk to end.
    bool eveningSwitchWaiting() const { return evening_switch_waiting_; }

    // Step 7 of the start, once the window is shown: the compact window or the
    // tray when the start mode asks for them (the mini window comes with the
    // deferred start-up work).
    void ApplyStartMode();

    // The window modes a start mode can ask for.
    void ActionMinimExecute();   // "Компактный"
    void ActionChasExecute();    // "Мини-индикт": the companion program "Mini"
    void ActionSistTrExecute();  // "Поместить в системный трей"
    void SysTrRestore();         // back from the tray
    void applyDataTreePresence();
    void showViewerDock();
    void ActionImportBibleExecute();
    // The size of a first start: room for the whole date block.
    QSize DefaultWindowSize() const;
    void updateEveningCue();
    // Another start of the program asked this copy to come to the front.
    void showFromOutside();
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
    const std::vector<int>& todayEventTimes() const { return list_box_mes_sob_; }

    // `ListJubPr` for the current date: the user's feasts and jubilees under the calendar.
    void ListJubPr();

    // Every change of the current date ends in `ZKDataChange`: the day anew,
    // the status line, the history and the caption.
    // False when the note being edited kept the date (Cancel in its question).
    bool setCurrentDate(Date date);
    void ZKDataChange();
    // While a search or a report walks through dates, the hub skips the steps
    // that only serve the person looking at the window, and the notes pane
    // takes no typing. Turning it on ends the note's edit first: false (and
    // no walk) when the user goes on editing.
    bool setBatchWalk(bool on);
    void ActionSlDnExecute();      // "Следующий день"
    void ActionPrDnExecute();      // "Предыдущий день"
    void ActionSegodnExecute();    // "Сегодня" (F8)
    void ActionBackExecute();      // "Назад" (Ctrl+Left)
    void ActionForwardExecute();   // "Вперед" (Ctrl+Right)
    void ActionRefrechExecute();   // "Обновить" (F5)
    // Set after the desktop picture was changed: the next refresh is skipped.
    void skipNextRefresh() { skip_next_refresh_ = true; }
    const DateHistory& history() const { return history_; }

    // The jumps of the feasts and fasts menus, by the command's tag.
    void ActionPrasdnikiExecute(int kind);
    void ActionGosPrasdnikiExecute(int kind);
    void PostAndSploschClick(int kind);

    // The month buttons, the month menus and the date editors.
    void SpButMes1Click();         // a month back
    void SpButMes2Click();         // a month on
    void IsmMes(int month);        // the civil month menu
    void IsmMesStarSt(int month);  // the old-style month menu
    void openYearEditor();         // `SpinEditGod`
    void openOldStyleDayEditor();  // `SpinEditDenSt`
    void closeDateEditors();
    QMenu* dateMenu() const { return date_menu_; }
    QMenu* monthMenu() const { return month_menu_; }
    QMenu* oldStyleMonthMenu() const { return old_style_month_menu_; }

    // The date block of `date`, and the year menus when its civil year is new.
    void Vid(Date date);

    // The month grid: filled for the current date's month, a click moves the
    // day page, F7 collapses and expands it ("Calendar").
    void CalendarVid();
    void CalendarFirstDayWeek();
    void E1d1Click(int cell_index);
    void ButtonSvernClick();
    void CalendarSvernutExecute();
    bool calendarCollapsed() const;

    // The liturgical-day modes: the texts of the date itself, or of the next day.
    void ActionUtroExecute();      // "С утра"
    void ActionVezherExecute();    // "C вечера"
    // The day whose texts the panes show.
    Date liturgicalDate() const;

    // The text panes: the one shown is named by `LabelRicht`; only it is filled.
    void showPane(DayPane pane);
    QString rightCaption() const;
    void setTextBuilder(DayPane pane, std::unique_ptr<DayTextBuilder> builder);
    void setNoteEditing(NoteEditing* editing) { note_editing_ = editing; }

    // The notes pane. Whatever changes the note shown ends its edit first
    // through this: false when the user chose to go on editing.
    bool endNoteEdit();
    NotePane* notePane() const { return note_pane_; }
    void PredSapisClick();   // "Предыдущая запись"
    void SledSapisClick();   // "Следующая запись"
    // SIGTERM, the session's end: the note is saved as "Yes" would save it.
    void saveNoteForShutdown();
    QWidget* paneView(DayPane pane) const { return pane_views_[static_cast<size_t>(pane)]; }

    // The search of a year (Ctrl+F): the panel, and a hit shown in its pane
    // with the match selected; false when the day view could not go there.
    void ActionPoiskExecute();
    SearchPanel* searchPanel() const { return search_panel_; }

    // The period report (Ctrl+O): the dialog, then the walk into the
    // destination (0 web page, 1 ODF document, 2 text file, 3 clipboard);
    // false when nothing was passed (cancelled, or a failure the user was told of).
    void ActionOtzhetExecute();
    bool runReport(const ReportPeriod& period, const ReportData& data, int destination);
    bool reportRunning() const { return report_running_; }
    void cancelReport() { report_cancel_ = true; }
    bool showSearchHit(SearchScope scope, const PageAddress& address, int occurrence, const MatchOptions& options);

    // Built pages into their panes; nothing happens while the pane is hidden.
    void TextToWebBrowser(const QString& text);
    void TextToMesWebBrowser(const QString& text, bool red_links);
    void PrintToMesWebBrowser(const QString& html);

    // Every click on a link of a text pane ends here.
    void routeLink(LinkPane pane, const QUrl& address);
    // The library commands, by tag.
    void OpenUrlTextBogosl(int tag);
    TextViewer* viewer() const { return viewer_; }
    TroparPane* troparPane() const { return tropar_pane_; }
    QString viewerCaption() const;
    // Tests replace the desktop's opener; the home rule sets the hook that
    // marks a followed Bible link as read.
    void setExternalOpener(std::function<bool(const QUrl&)> opener) { external_opener_ = std::move(opener); }
    void setReadingMarkHook(std::function<void(ReadingMark)> hook) { reading_mark_hook_ = std::move(hook); }

    // The home prayer rule: its window (Ctrl+R), previous/next of a plan by
    // the command's tag, the start-up step, and the icon of an unread portion.
    void ActionDomPraviloExecute();
    void IsmGlDomPrExecute(int tag);
    void InfoPraviloExecute();
    TDomPraviloForm* domPravilo() const { return dom_pravilo_; }
    // Today's portions as the start-up step computed them ("Евангелие: Мф, глава 1.").
    const QStringList& rulePortionTexts() const { return rule_portion_texts_; }

    // The window modes.
    void ActionMaxExecute();       // "Во весь экран"
    void ActionOptimExecute();     // "Оптимальный"
    void ActionPashExecute();      // "Пасхалия": the companion program of the data root
    void HelpContents1Execute();   // "Справка"

    const CommandSet& commands() const { return *commands_; }

    // "Переход": the bookmarks (F4, the status bar's double click) or the
    // date tab (Ctrl+D, a double click on the date labels).
    void ActionBookMarkExecute(TFrmBookmark::Tab tab);
    void BookMarkDate();
    TFrmBookmark* bookmarkDialog();
    // A page of the data tree (relative path) in the program's own editor.
    void openTreeFile(const QString& relative);
    LanguageBar* prayerBookLanguages() const { return prayer_book_languages_; }
    // "Резервное копирование" (Ctrl+K): ends the note's edit, then opens the dialog.
    void FileKopiaExecute();
    TOKRightDlg* backupDialog();
    // Whatever keeps a copy of the user's records in memory joins the reload
    // after a restore or a synchronisation changed them.
    void onRecordsRestored(std::function<void(const RecordChanges&)> reload);
    void reloadAfterRestore(const RecordChanges& changes);
    // "Экспорт в календарь (iCalendar)…": the civil year shown, as a file for a
    // desktop calendar.
    void ActionExportIcalExecute();
    // "Параметры" (F6): the dialog on a working copy; OK applies what changed.
    void ActionParamExecute();
    TPagesDlg* settingsDialog() const { return settings_dialog_; }
    // Applies each setting that differs between `before` and `after` (already
    // stored), one by one; what could not be applied is listed.
    QStringList applyOptions(const ProgramOptions& before, const ProgramOptions& after);
    // "Всё по умолчанию": after the user agrees, the settings file is kept as
    // "zk.ini.bak" and every setting takes its default.
    void resetAllSettings();
    // "Проверить обновление программы" and "Посетить сайт программы".
    void ActionRenameVersExecute();
    void ActionOpenSeiteExecute();
    UpdateCheck* updateCheck() const { return update_check_; }
    // The icons of the day (main_window_icons.cpp): the strip and the large
    // view, the desktop picture, the collapsed view's picture.
    void OpenIcon(Date date);
    void ImageLargeSee();
    void selectIcon(int slot);
    int selectedIcon() const { return selected_icon_; }
    const DayIcons& dayIcons() const { return day_icons_; }
    void ActionPanelIcoExecute();
    void ActionPrIcoExecute();
    void ActionSlIcoExecute();
    void ChangeActiveWallpaper(const QString& path);
    void PicImageJpeg(int count);
    void OpenImageIndikt();
    void ActionAddImageExecute();
    // Once a day, when "IcoDesktop" is on: the icons of the day on the desktop.
    void IcoDeskExe();
    void setIcoDesktop(bool on);
    // Tests give the desktop a fake runner and their own folders.
    void setWallpaperService(std::unique_ptr<WallpaperService> service) { wallpaper_ = std::move(service); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Date today() const;
    void buildWidgets();
    void applyWindowState();
    void buildDateBlock(QWidget* owner);
    void buildPanes(QWidget* owner);
    void buildCalendarPanel(QWidget* owner);
    void buildMenus();
    void buildToolBar();
    void connectCommands();
    void connectHomeRule();
    void updateImagePravilo();
    void runGuarded(QAction* action, const std::function<void()>& handler);
    void showDay();
    void fillShownPane(Date date);
    void ClearPravka();
    void fillTroparia(Date date);
    void showFoundCommands(const QStringList& commands, const QStringList& files);
    void openSourceFile(const QString& command);
    void updateTroparMediaCommands();
    QWidget* buildNotePane(QWidget* panel, QWidget** editor);
    void connectNoteCommands();
    void connectBookCommands();
    LanguageBar* buildPrayerBookBar(QWidget* panel);
    void updatePrayerBookBar(Date date);
    void hideBookCommands();
    bool closeTreeEditors();
    void connectBackupCommands();
    void afterBackup(const BackupReport& report);
    void buildSearchPanel();
    void storeSearchHistory();
    void connectReportCommands();
    void connectIcalCommands();
    void connectSettingsCommands();
    void settingsDialogClosed(int result);
    void updateCheckFinished(const UpdateOutcome& outcome);
    void updateUpdateCommands();
    bool trayAvailable() const;
    void applyCaption();
    void followMinimiseSetting();
    void showNote(Date date);
    bool notesShown() const;
    void goToNote(std::optional<Date> date, const char* none_text);
    void updateYearMenus(Date date);
    void updateVersionCommands();
    void applyPanelSettings();
    void setToolBarInCalendar(bool in_calendar);
    void beforeNavigation();
    void setJumpTarget(std::optional<Date> date);
    void updateToday();
    void updateTodayLabel();
    void deferredStartWork();
    void MidnightWork();
    void updateClockLabel(const QTime& time);
    void switchToEveningWhenFree();
    void announceDueEvents(const MemoClock& now);
    bool startCompanion(const QString& windows_name, const QStringList& arguments);
    bool notify(const Notification& notification);
    void FreeAutoPam();
    QString ResolveMainPicture(const QString& stored) const;
    MemoClock memoClock() const;
    void openPamjatka(Date date, int tab);
    void memoChanged();
    void updateHistoryActions();
    void showFromHistory(std::optional<Date> date);
    void saveOrSay();
    void openOutside(const QUrl& address);
    void openInViewer(const QUrl& address, const QString& caption);
    void openViewerWindow(const QUrl& address);
    void buildIconPanel();
    void buildIconMenu(QMenu* menu);
    void connectIconCommands();
    void showIconMenu(const QPoint& global);
    void showMainPictureMenu(const QPoint& global);
    WallpaperService& wallpaper();
    QString composeAndSetWallpaper(const std::vector<IconSlot>& icons, int count);

    MainWindowContext context_;
    ZkSettings settings_;
    Date current_date_;  // invalid (0) until the first read of the settings
    bool first_read_done_ = false;
    bool evening_mode_ = false;
    bool close_without_saving_ = false;
    ClockWatch clock_watch_;
    bool evening_switch_waiting_ = false;  // 15:00 came while a note was edited or a walk ran
    DesktopNotifier* notifier_ = nullptr;   // made when first needed
    DataTreePresence data_tree_;
    QString main_picture_;

    QTimer timer1_;
    QTimer timer2_;
    QSplashScreen* splash_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;   // owned by the window while in the tray
    bool tray_missing_said_ = false;    // "no tray here" is said once a run
    QProcess* mini_ = nullptr;          // the running mini window program
    bool mini_started_before_ = false;

    std::unique_ptr<CommandSet> commands_;
    QWidget* panel_num_ = nullptr;
    QWidget* panel_st_st_ = nullptr;
    ClickableLabel* label_den_star_stil_ = nullptr;
    ClickableLabel* label_mes_star_stil_ = nullptr;
    ClickableLabel* label_day_ = nullptr;
    ClickableLabel* label_weekday_ = nullptr;
    ClickableLabel* label_year_ = nullptr;
    ClickableLabel* label_month_ = nullptr;
    QLabel* label_week_ = nullptr;
    QLabel* label_post_ = nullptr;
    ClickableLabel* label_today_ = nullptr;
    ClickableLabel* label_time_ = nullptr;
    QLabel* label_right_ = nullptr;
    QWidget* panel_calendar_ = nullptr;
    ClickableLabel* label_mes_ = nullptr;
    ClickableLabel* label_god_ = nullptr;
    std::array<QLabel*, 7> weekday_headings_{};
    MonthGridWidget* panel_mes_ = nullptr;
    QToolButton* image_knopka_sv_ = nullptr;
    QToolButton* image_knopka_rasv_ = nullptr;
    PictureLabel* image_ico_indikt_ = nullptr;
    QToolButton* month_back_ = nullptr;
    QToolButton* month_on_ = nullptr;
    DateEditorSpin* year_editor_ = nullptr;
    DateEditorSpin* old_style_day_editor_ = nullptr;
    QMenu* date_menu_ = nullptr;
    QMenu* month_menu_ = nullptr;
    QMenu* old_style_month_menu_ = nullptr;
    std::array<QMenu*, 4> year_headings_{};
    int year_cache_ = 0;
    QTabWidget* page_list_ = nullptr;
    std::array<QWidget*, kDayPaneCount> pane_views_{};
    std::array<std::unique_ptr<DayTextBuilder>, kDayPaneCount> builders_;
    NoteEditing* note_editing_ = nullptr;
    NotePane* note_pane_ = nullptr;
    QWidget* panel_ico_ = nullptr;
    QDockWidget* panel_poisk_ = nullptr;
    SearchPanel* search_panel_ = nullptr;
    TPagesPrint* report_dialog_ = nullptr;
    bool report_running_ = false;
    bool report_cancel_ = false;
    QDockWidget* panel_explorer_ = nullptr;
    TextViewer* viewer_ = nullptr;
    TroparPane* tropar_pane_ = nullptr;
    LanguageBar* lectionary_languages_ = nullptr;  // `PanelJasBeibl`
    QLabel* evening_cue_ = nullptr;                // "Тексты следующего дня" in the status bar
    QHash<QString, QMenu*> category_menus_;         // the command groups of "Тексты дня", by caption
    HtmlPane* wb_print_ = nullptr;   // the hidden pane pages are printed from
    std::function<bool(const QUrl&)> external_opener_;
    std::function<void(ReadingMark)> reading_mark_hook_;
    QToolBar* tool_bar_ = nullptr;
    QWidget* date_block_ = nullptr;
    Date shown_today_;  // the day the "today" labels were written for
    QHash<QString, QString> source_files_;  // command → the file of the shown text it opens
    bool batch_walk_ = false;
    bool skip_next_refresh_ = false;
    QLabel* status_text_ = nullptr;
    QTextEdit* rich_edit_jub_pr_ = nullptr;

    std::unique_ptr<MemoBook> memo_book_;
    std::vector<int> list_box_mes_sob_;  // minutes of the day
    DialogAsker dialog_asker_;
    Asker* asker_ = &dialog_asker_;
    TPamjatka* pamjatka_ = nullptr;  // made when first opened, owned by the window
    TFrmBookmark* bookmarks_ = nullptr;  // made when first opened, owned by the window
    LanguageBar* prayer_book_languages_ = nullptr;  // `PanelJasMolitv`
    TDomPraviloForm* dom_pravilo_ = nullptr;  // made with the window, owned by it
    QToolButton* image_pravilo_ = nullptr;    // `ImagePravilo`
    QStringList rule_portion_texts_;
    TPagesDlg* settings_dialog_ = nullptr;  // made when first opened, owned by the window
    UpdateCheck* update_check_ = nullptr;
    int update_site_ = -1;  // the site that answered the last update check: 0, 1, or none
    DateHistory history_;
    bool navigating_history_ = false;
    TOKRightDlg* backup_dialog_ = nullptr;  // made when first opened, owned by the window
    std::vector<std::function<void(const RecordChanges&)>> restore_reloads_;

    IconStrip* icon_strip_ = nullptr;
    QWidget* panel_ico_see_ = nullptr;
    PictureLabel* image_large_ = nullptr;
    QLabel* label_ico_large_ = nullptr;
    QMenu* icon_menu_ = nullptr;
    DayIcons day_icons_;
    int selected_icon_ = 1;
    QString large_picture_;   // the file the large view shows
    QString picture_folder_;  // where the collapsed view's picture was last chosen
    std::unique_ptr<ProcessRunner> wallpaper_runner_;
    std::unique_ptr<WallpaperService> wallpaper_;
};

}  // namespace indikt
