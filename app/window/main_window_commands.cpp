// The command table put to work: the menus, the tool bar, the handlers of
// the commands the window runs itself, and the window modes.

#include "main_window.h"

#include "app/dialogs/busy_cursor.h"
#include "app/panes/html_pane.h"
#include "app/panes/pane_fonts.h"
#include "app/panes/text_viewer.h"
#include "app/panes/tropar_pane.h"
#include "app/window/window_geometry.h"
#include "lectionary/day_builders.h"
#include "lectionary/tropar.h"
#include "platform/companion.h"
#include "platform/library_pages.h"
#include "texts/bible_formats.h"
#include "texts/bible_pages.h"
#include "texts/cp1251.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "texts/data_files.h"

#include <exception>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// "О программе": name, version, the date of the data tree, the licence.
QString AboutText(const QString& data_root)
{
    const QString tree_date = ReadSingleLine(data_root + "/version.txt");
    return "<h3>Индикт</h3><p>Версия " + QStringLiteral(INDIKT_VERSION) +
           "</p><p>Православный церковный календарь: дни года по старому и новому стилю, посты, праздники, "
           "чтения и песнопения дня, личные записи и памятка.</p><p>Набор текстов: " +
           (tree_date.isEmpty() ? QString("дата неизвестна") : tree_date.toHtmlEscaped()) +
           "</p><p>Свободная программа: её можно распространять и изменять на условиях GNU General Public "
           "License версии 3 или более поздней.</p>";
}

QString PlainKeys(const std::string& keys)
{
    return QKeySequence(Qs(keys)).toString(QKeySequence::NativeText);
}

}  // namespace

void TForm1::buildMenus()
{
    const CommandSet& c = *commands_;
    const auto add = [&c](QMenu* menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (*name)
                menu->addAction(c[name]);
            else
                menu->addSeparator();
        }
    };
    QMenu* file = menuBar()->addMenu("Файл");
    add(file, {"FileKopia", "ActionOtzhet", "ActionExportIcal", "ActionPrint", "", "FileExit"});
    QMenu* edit = menuBar()->addMenu("Правка");
    add(edit, {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditSelectAll"});

    QMenu* day = menuBar()->addMenu("Индикт");
    add(day, {"ActionUtro", "ActionVezher", "", "ActionPrDn", "ActionSlDn", "", "ActionSegodn", "ActionBack",
              "ActionForward", "ActionVData", "ActionBookMark", "ActionRefrech", ""});
    QMenu* show = day->addMenu("Отображать");
    add(show, {"ActionMesez", "ActionBeibl", "ActionTropar", "ActionGitiya", "ActionPanelSapis", "ActionMolitv",
               "ActionPanelIco"});
    QMenu* programs = day->addMenu("Приложения");
    add(programs, {"ActionPash", "ActionSob", "ActionNewPr", "ActionNewJub", "ActionDomPravilo"});
    buildIconMenu(day);
    add(day, {"", "ActionParam"});

    // The jumps, under headings that name the year shown.
    QMenu* feasts = menuBar()->addMenu("Праздники");
    feasts->setObjectName("MenuPrasdniki");
    year_headings_[0] = feasts->addMenu("Праздники");
    QMenu* great = year_headings_[0]->addMenu("Двунадесятые");
    QMenu* other = year_headings_[0]->addMenu("Великие");
    QMenu* civil = year_headings_[0]->addMenu("Государственные");
    year_headings_[1] = feasts->addMenu("Многодневные посты");
    year_headings_[2] = feasts->addMenu("Сплошные седмицы");
    year_headings_[3] = feasts->addMenu("Дни поминовения усопших");
    for (const Command& command : CommandTable()) {
        QMenu* into = command.category == "Двунадесятые"          ? great
                      : command.category == "Великие"              ? other
                      : command.category == "Государственные"      ? civil
                      : command.category == "Многодневные посты"   ? year_headings_[1]
                      : command.category == "Сплошные седмицы"     ? year_headings_[2]
                      : command.category == "Дни особого поминовения усопших" ? year_headings_[3]
                                                                   : nullptr;
        if (into)
            into->addAction(c[command.name]);
    }

    QMenu* library = menuBar()->addMenu("Библиотека");
    library->setObjectName("MenuLibrary");
    QMenu* lives = library->addMenu("Жития святых");
    QMenu* bible = library->addMenu("Библия");
    QMenu* texts = library->addMenu("Тексты");
    QMenu* outside = library->addMenu("Библиотеки в сети");
    for (const Command& command : CommandTable()) {
        QMenu* into = command.category == "Жития святых" ? lives
                      : command.category == "Библия"     ? bible
                      : command.category == "Тексты"     ? texts
                      : command.category == "Kovcheg"    ? outside
                                                         : nullptr;
        if (into)
            into->addAction(c[command.name]);
    }

    // The source files of the texts shown, by kind, with the pane's language;
    // the same menus stand in the context menus of the panes.
    QMenu* sources = menuBar()->addMenu("Тексты дня");
    sources->setObjectName("MenuTextsOfDay");
    for (const char* category : {"Месяцеслов", "Тропари и кондаки", "Евангельские чтения", "Апостольские чтения",
                                 "Паримии", "Лекционарий", "Жития", "Молитвослов", "Версия"}) {
        QMenu* group = sources->addMenu(QString::fromUtf8(category));
        for (const Command& command : CommandTable())
            if (command.category == category)
                group->addAction(c[command.name]);
        category_menus_.insert(QString::fromUtf8(category), group);
    }

    QMenu* view = menuBar()->addMenu("Вид");
    add(view, {"ActionChas", "ActionOptim", "ActionMax", "", "ActionPoisk", "", "ActionMinim", "ActionSistTr", "",
               "ActionPanelMenu", "PInstrStand", "ActionLargeIco", "ActionKnVKalendare", "StrokaSostojania",
               "ActionPageList", "ActionExplorer", "VidMont", "", "ActionFontMesL", "ActionFontMesM"});
    QMenu* buttons = view->addMenu("Настройка");
    for (const ToolBarButton& button : ToolBarButtons())
        buttons->addAction(c[button.choice]);
    QMenu* help = menuBar()->addMenu("Справка");
    add(help, {"HelpContents1", "ActionOpenSeite", "ActionRenameVers", "", "Action2"});

    // Hints of the menus' commands say, for instance, why one is disabled.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setToolTipsVisible(true);

    date_menu_ = new QMenu(this);
    date_menu_->setObjectName("PopupMenuDate");
    add(date_menu_, {"ActionSegodn", "ActionVData", "ActionAddBookMark", "", "ActionNewJub", "ActionNewPr", "",
                     "ActionParam"});
}

void TForm1::buildToolBar()
{
    tool_bar_ = new QToolBar("Панель инструментов", this);
    tool_bar_->setObjectName("ToolBar1");
    tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tool_bar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, tool_bar_);
}

// The buttons of "ToolBar1", the bars and panels as the settings say.
void TForm1::applyPanelSettings()
{
    tool_bar_->clear();
    const std::vector<ToolBarButton>& buttons = ToolBarButtons();
    for (size_t position = 0; position < buttons.size(); ++position) {
        const bool shown = settings_.flag(kSectionToolBar, ToolBarButtonKey(static_cast<int>(position)));
        commands_->action(buttons[position].choice)->setChecked(shown);
        // A command whose work is not in the program yet takes no button; one
        // whose program is missing stands greyed, with its hint saying why.
        if (shown && commands_->action(buttons[position].command)->property(kHandledProperty).toBool())
            tool_bar_->addAction(commands_->action(buttons[position].command));
    }
    const bool large = settings_.flag(kSectionVid, "LargeIco");
    commands_->action("ActionLargeIco")->setChecked(large);
    setToolBarInCalendar(settings_.flag(kSectionVid, "KnVKalendare"));
    // Large buttons: a picture above the caption; small ones: the caption alone.
    tool_bar_->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextOnly);
    tool_bar_->setIconSize(QSize(32, 32));
    tool_bar_->setStyleSheet(large ? "QToolButton { padding: 2px 6px; }" : "QToolButton { padding: 1px 3px; }");
    const bool tool_bar_shown = settings_.flag(kSectionVid, "InstrSt");
    tool_bar_->setVisible(tool_bar_shown);
    commands_->action("PInstrStand")->setChecked(tool_bar_shown);
    commands_->action("StrokaSostojania")->setChecked(settings_.flag(kSectionVid, "Sostojanie"));
    const bool menu_kept = settings_.flag(kSectionVid, "MenuTop");
    menuBar()->setVisible(menu_kept);
    commands_->action("ActionPanelMenu")->setChecked(menu_kept);
}

// The tool bar sits above the window, or at the top of the calendar side.
void TForm1::setToolBarInCalendar(bool in_calendar)
{
    commands_->action("ActionKnVKalendare")->setChecked(in_calendar);
    const bool shown = tool_bar_->isVisibleTo(this) || !isVisible();
    if (in_calendar && tool_bar_->parentWidget() != date_block_) {
        removeToolBar(tool_bar_);
        tool_bar_->setParent(date_block_);
        static_cast<QBoxLayout*>(date_block_->layout())->insertWidget(0, tool_bar_);
        tool_bar_->setOrientation(Qt::Horizontal);
    } else if (!in_calendar && tool_bar_->parentWidget() == date_block_) {
        date_block_->layout()->removeWidget(tool_bar_);
        addToolBar(Qt::TopToolBarArea, tool_bar_);
    }
    tool_bar_->setVisible(shown);
}

// A command that fails leaves the window usable: the busy cursor is taken
// back, a failed mode switch loses its check mark, the window stays visible
// and the status bar says what failed. The note being edited was saved by
// the change hub before anything else.
void TForm1::runGuarded(QAction* action, const std::function<void()>& handler)
{
    const int cursors_before = QGuiApplication::overrideCursor() ? 1 : 0;
    try {
        handler();
        return;
    } catch (const std::exception& error) {
        while (QGuiApplication::overrideCursor() && cursors_before == 0)
            QGuiApplication::restoreOverrideCursor();
        if (action->isCheckable() && action->actionGroup() == nullptr)
            action->setChecked(false);
        if (!isVisible() && !tray_ && !mini_)
            show();
        statusBar()->showMessage("Команда «" + action->text() + "» не выполнена: " + QString::fromLocal8Bit(error.what()));
    }
}

void TForm1::connectCommands()
{
    CommandSet& c = *commands_;
    c.connect("ActionUtro", [this] { ActionUtroExecute(); });
    c.connect("ActionVezher", [this] { ActionVezherExecute(); });
    c.connect("ActionPrDn", [this] { ActionPrDnExecute(); });
    c.connect("ActionSlDn", [this] { ActionSlDnExecute(); });
    c.connect("ActionSegodn", [this] { ActionSegodnExecute(); });
    c.connect("ActionBack", [this] { ActionBackExecute(); });
    c.connect("ActionForward", [this] { ActionForwardExecute(); });
    c.connect("ActionRefrech", [this] { ActionRefrechExecute(); });
    c["ActionBack"]->setEnabled(false);
    c["ActionForward"]->setEnabled(false);

    for (const DayPaneInfo& info : DayPanes()) {
        const DayPane pane = info.pane;
        c.connect(info.command, [this, pane] { showPane(pane); });
    }
    c.connect("ActionExplorer", [this] {
        if (commands_->action("ActionExplorer")->isChecked())
            showViewerDock();
        else
            panel_explorer_->hide();
    });
    connect(panel_explorer_, &QDockWidget::visibilityChanged, c["ActionExplorer"], &QAction::setChecked);
    c.connect("ActionPageList", [this] { page_list_->tabBar()->setVisible(commands_->action("ActionPageList")->isChecked()); });

    c.connect("ActionPanelMenu", [this] { menuBar()->setVisible(commands_->action("ActionPanelMenu")->isChecked()); });
    c.connect("PInstrStand", [this] {
        const bool shown = commands_->action("PInstrStand")->isChecked();
        settings_.setFlag(kSectionVid, "InstrSt", shown);
        tool_bar_->setVisible(shown);
    });
    c.connect("ActionLargeIco", [this] {
        settings_.setFlag(kSectionVid, "LargeIco", commands_->action("ActionLargeIco")->isChecked());
        applyPanelSettings();
    });
    c.connect("ActionKnVKalendare", [this] {
        const bool in_calendar = commands_->action("ActionKnVKalendare")->isChecked();
        settings_.setFlag(kSectionVid, "KnVKalendare", in_calendar);
        setToolBarInCalendar(in_calendar);
    });
    c.connect("StrokaSostojania", [this] {
        const bool shown = commands_->action("StrokaSostojania")->isChecked();
        settings_.setFlag(kSectionVid, "Sostojanie", shown);
        statusBar()->setVisible(shown);
    });
    const std::vector<ToolBarButton>& buttons = ToolBarButtons();
    for (size_t position = 0; position < buttons.size(); ++position) {
        const std::string key = ToolBarButtonKey(static_cast<int>(position));
        const std::string_view choice = buttons[position].choice;
        c.connect(choice, [this, key, choice] {
            settings_.setFlag(kSectionToolBar, key, commands_->action(choice)->isChecked());
            applyPanelSettings();
        });
    }

    for (const Command& command : CommandTable()) {
        if (command.name.starts_with("ActionDvPr"))
            c.connectTagged(command.name, [this](int tag) { ActionPrasdnikiExecute(tag); });
        else if (command.name.starts_with("ActionGosPr"))
            c.connectTagged(command.name, [this](int tag) { ActionGosPrasdnikiExecute(tag); });
        else if (command.name.starts_with("ActionPost"))
            c.connectTagged(command.name, [this](int tag) { PostAndSploschClick(tag); });
    }

    c.connect("VidMont", [this] { ButtonSvernClick(); });
    // The media list of the lectionary: a sample to edit, opened, deleted.
    c.connect("ActionLexNewMedia", [this] {
        const QString file = source_files_.value("ActionLexNewMedia");
        if (file.isEmpty())
            return;
        const bool video = file.contains("Видео");
        const QString sample = video ? "[Пример видеозаписи=https://example.org/video/liturgy.mp4]\r\n"
                                     : "[Пример звукозаписи=https://example.org/audio/liturgy.mp3]\r\n";
        QDir().mkpath(QFileInfo(context_.data_root + "/" + file).absolutePath());
        const WriteResult written = WriteFileAtomically(context_.data_root + "/" + file, *EncodeCp1251(sample));
        if (!written.ok()) {
            asker_->tell(this, "Индикт", "Произошла ошибка программы " + written.error);
            return;
        }
        ClearPravka();
        fillShownPane(liturgicalDate());
    });
    c.connect("ActionLexOpenMedia", [this] { openSourceFile("ActionLexOpenMedia"); });
    c.connect("ActionLexDeleteMedia", [this] {
        const QString file = source_files_.value("ActionLexDeleteMedia");
        if (file.isEmpty())
            return;
        const QString question = file.contains("Видео") ? "Удалить оглавление видеозаписей Лекционария?"
                                                        : "Удалить оглавление звукозаписей Лекционария?";
        if (asker_->ask(this, "Индикт", question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) !=
            QMessageBox::Yes)
            return;
        QFile::remove(context_.data_root + "/" + file);
        ClearPravka();
        fillShownPane(liturgicalDate());
    });

    // The two fonts of the Menaion, kept in zk.ini; the page itself takes
    // its look from its style sheet.
    for (const char* which : {"L", "M"}) {
        const std::string prefix = std::string("FontMes") + which;
        c.connect("ActionFont" + std::string("Mes") + which, [this, prefix] {
            const QString title = commands_->action("ActionFont" + prefix.substr(4))->text();
            const std::optional<QFont> chosen = asker_->font(this, title, StoredFont(settings_, prefix));
            if (!chosen)
                return;
            StoreFont(settings_, prefix, *chosen);
            if (PaneOfCaption(rightCaption()) == DayPane::Menaion)
                fillShownPane(liturgicalDate());
        });
    }

    // The source files of the shown texts, opened by the desktop.
    for (const Command& command : CommandTable())
        if ((command.category == "Месяцеслов" && !command.name.starts_with("ActionFont")) || command.category == "Евангельские чтения" ||
            command.category == "Апостольские чтения" || command.category == "Паримии" ||
            (command.category == "Тропари и кондаки" && !QString::fromStdString(command.name).contains("Media")))
            c.connect(command.name, [this, name = QString::fromStdString(command.name)] { openSourceFile(name); });

    // The languages of the troparia; the media pages of a hymn set.
    const char* const tropar_languages[] = {"ActionSlavTr", "ActionGragdTr", "ActionRusTr", "ActionSvukTr",
                                            "ActionVideoTr"};
    for (int i = 0; i < 5; ++i) {
        c.connect(tropar_languages[i], [this, i] {
            SetLanguageTag(settings_, "TrJas", i + 1);
            tropar_pane_->setLanguage(i + 1);
            updateVersionCommands();
            updateTroparMediaCommands();
        });
    }
    c.connect("ActionTrNewMedia", [this] {
        const QString page = tropar_pane_->mediaPage();
        if (page.isEmpty())
            return;
        const std::optional<QByteArray> bytes = EncodeCp1251(MediaPageTemplate(tropar_pane_->language() == 5));
        const WriteResult written = WriteFileAtomically(context_.data_root + "/" + page, *bytes);
        if (!written.ok()) {
            asker_->tell(this, "Индикт", "Произошла ошибка программы " + written.error);
            return;
        }
        openTreeFile(page);
        tropar_pane_->showSelected();
        updateTroparMediaCommands();
    });
    c.connect("ActionTrOpenMedia", [this] {
        if (const QString page = tropar_pane_->mediaPage(); !page.isEmpty())
            openTreeFile(page);
    });
    c.connect("ActionTrDeleteMedia", [this] {
        const QString page = tropar_pane_->mediaPage();
        if (page.isEmpty())
            return;
        const QString question = tropar_pane_->language() == 5 ? "Удалить оглавление видеозаписей Тропарей и кондаков?"
                                                              : "Удалить оглавление звукозаписей Тропарей и кондаков?";
        if (asker_->ask(this, "Индикт", question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) !=
            QMessageBox::Yes)
            return;
        QFile::remove(context_.data_root + "/" + page);
        tropar_pane_->showSelected();
        updateTroparMediaCommands();
    });

    // The language of the lectionary: one of five, the page rebuilt.
    for (int i = 0; i < 5; ++i) {
        c.connect(kLectionaryLanguageCommands[static_cast<size_t>(i)], [this, i] {
            SetLanguageTag(settings_, "BeiblJas", i + 1);
            updateVersionCommands();
            fillShownPane(liturgicalDate());
        });
    }
    c.connect("ActionMax", [this] { ActionMaxExecute(); });
    c.connect("ActionOptim", [this] { ActionOptimExecute(); });
    c.connect("ActionMinim", [this] { ActionMinimExecute(); });
    c.connect("ActionChas", [this] {
        ActionChasExecute();
        commands_->action("ActionChas")->setChecked(mini_ != nullptr);
    });
    c.connect("ActionSistTr", [this] { ActionSistTrExecute(); });
    c.connect("ActionPash", [this] { ActionPashExecute(); });
    c.connect("ActionSob", [this] { ActionSobExecute(); });
    c.connect("ActionNewPr", [this] { ActionNewPrExecute(); });
    c.connect("ActionNewJub", [this] { ActionNewJubExecute(); });
    c.connect("HelpContents1", [this] { HelpContents1Execute(); });
    c.connect("Action2", [this] { asker_->about(this, "О программе", AboutText(context_.data_root)); });
    c.connect("FileExit", [this] { close(); });
    c.connect("ActionImportBible", [this] { ActionImportBibleExecute(); });
    connectHomeRule();

    // The library: pages of the tree, and of the outside libraries once their host is set.
    for (int tag = 0; tag < kLibraryPageCount; ++tag) {
        const LibraryPage& page = *LibraryPageOfTag(tag);
        const QString host = page.host == 0 ? QString("-")
                                            : settings_.text(kSectionVid, page.host == 1 ? "LibraryHost1" : "LibraryHost2");
        if (!host.isEmpty())
            c.connectTagged(page.command, [this](int tag) { OpenUrlTextBogosl(tag); });
    }

    // The editing commands act on the editor with the focus.
    const auto on_focus = [this](const char* method) {
        return [this, method] {
            if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
                QMetaObject::invokeMethod(focus, method);
        };
    };
    c.connect("EditUndo", on_focus("undo"));
    c.connect("EditCut", on_focus("cut"));
    c.connect("EditCopy", on_focus("copy"));
    c.connect("EditPaste", on_focus("paste"));
    c.connect("EditSelectAll", on_focus("selectAll"));
}

QString TForm1::viewerCaption() const { return panel_explorer_->windowTitle(); }

// Local pages open in the viewer pane, or in a viewer window when
// "TipExplorer" is 1, or in the browser otherwise; outside pages always in
// the browser. A missing page of the tree is said so.
void TForm1::OpenUrlTextBogosl(int tag)
{
    const LibraryPage* page = LibraryPageOfTag(tag);
    if (!page)
        return;
    const int tip = settings_.number(kSectionVid, "TipExplorer");
    if (page->host != 0) {
        QString host = settings_.text(kSectionVid, page->host == 1 ? "LibraryHost1" : "LibraryHost2").trimmed();
        while (host.endsWith('/'))
            host.chop(1);
        if (!host.isEmpty())
            openOutside(BrowserUrl(host + QString::fromUtf8(page->path)));
        return;
    }
    const QString path = DataPath(context_.data_root + "/", QString::fromUtf8(page->path));
    if (!QFileInfo(path).isFile()) {
        asker_->tell(this, "Индикт", "Файл '" + QFileInfo(path).fileName() + "' не найден.  ");
        return;
    }
    const QUrl address = QUrl::fromLocalFile(path);
    if (tip == 0)
        openInViewer(address, QString::fromUtf8(page->viewer_caption));
    else if (tip == 1)
        openViewerWindow(address);
    else
        openOutside(address);
}

void TForm1::routeLink(LinkPane pane, const QUrl& address)
{
    const LinkRoute route = RouteLink(pane, address, context_.data_root, settings_.number(kSectionVid, "TipExplorer"));
    // A Bible link marks the home rule's plan read only when its text is there to read.
    if (route.mark != ReadingMark::None && reading_mark_hook_ && QFileInfo(route.address.toLocalFile()).isFile())
        reading_mark_hook_(route.mark);
    switch (route.target) {
    case LinkTarget::Ignore: break;
    case LinkTarget::Viewer: openInViewer(route.address, route.caption); break;
    case LinkTarget::ViewerWindow: openViewerWindow(route.address); break;
    case LinkTarget::Browser: openOutside(route.address); break;
    }
}

void TForm1::openInViewer(const QUrl& address, const QString& caption)
{
    if (!caption.isEmpty())
        panel_explorer_->setWindowTitle(caption);
    showViewerDock();
    if (!viewer_->open(address))
        statusBar()->showMessage("Файл '" + QFileInfo(address.toLocalFile()).fileName() + "' не найден.  ");
}

// A viewer window of its own, closed and deleted with its close button.
void TForm1::openViewerWindow(const QUrl& address)
{
    auto* window = new QWidget(this, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName("ViewerWindow");
    window->setWindowTitle("Просмотр текстов");
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewer = new TextViewer(context_.data_root, *asker_, window);
    viewer->setZoom(settings_.number(kSectionVid, "ExplorerZoom"));
    layout->addWidget(viewer);
    connect(viewer, &TextViewer::linkClicked, this, &TForm1::openOutside);
    window->resize(settings_.number(kSectionVid, "WFrmSee"), settings_.number(kSectionVid, "HFrmSee"));
    if (!viewer->open(address)) {
        window->deleteLater();
        statusBar()->showMessage("Файл '" + QFileInfo(address.toLocalFile()).fileName() + "' не найден.  ");
        return;
    }
    window->show();
}

// Web and mail addresses and viewable files of the data root go to the
// desktop's opener; nothing else leaves the program.
void TForm1::openOutside(const QUrl& address)
{
    if (!IsSafeToOpenExternally(address, context_.data_root)) {
        statusBar()->showMessage("Адрес не открыт: " + address.toDisplayString());
        return;
    }
    const bool opened = external_opener_ ? external_opener_(address) : QDesktopServices::openUrl(address);
    if (!opened)
        statusBar()->showMessage("Не удалось открыть " + address.toDisplayString());
}

void TForm1::ActionMaxExecute()
{
    if (statusBar()->isHidden())
        statusBar()->show();
    showMaximized();
}

void TForm1::ActionOptimExecute()
{
    showNormal();
    setWindowState(Qt::WindowNoState);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    OptimalWindowInput input;
    input.screen = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    input.window = frameGeometry();
    input.day_page_left = centralWidget()->x();
    if (tool_bar_->isVisible() && tool_bar_->parentWidget() != date_block_)
        input.extra_height += tool_bar_->height();
    if (menuBar()->isVisible())
        input.extra_height += menuBar()->height();
    if (statusBar()->isVisible())
        input.extra_height += statusBar()->height();
    const QRect place = OptimalWindowGeometry(input);
    resize(place.size());
    move(place.topLeft());
}

void TForm1::ActionPashExecute()
{
    const QString program = CompanionProgram(context_.data_root, QStringLiteral("Пасхалия\\Пасхалия.exe"));
    if (program.isEmpty())
        return;  // without the program the command does nothing
    if (!QProcess::startDetached(program, {}, QFileInfo(program).absolutePath()))
        statusBar()->showMessage("Не удалось запустить " + program);
}

// The help file of the program folder opens in the desktop's viewer; without
// it the viewer pane shows the commands and their keys.
// A Bible in OSIS, USFX or Zefania XML becomes the chapter pages of the
// version folder the user chooses, which the readings then open.
void TForm1::ActionImportBibleExecute()
{
    const QString file = asker_->openFileName(this, "Импорт Библии", QDir::homePath(),
                                              "Библия в XML (*.xml *.osis *.usfx *.zxml);;Все файлы (*)");
    if (file.isEmpty())
        return;
    const QStringList folders = BibleVersionFolders();
    QStringList names;
    for (const QString& folder : folders)
        names << BibleVersionName(folder) + " (" + folder + ")";
    const std::optional<int> chosen =
        asker_->choose(this, "Импорт Библии", "В какой перевод записать главы?", names, 0);
    if (!chosen || *chosen < 0 || *chosen >= folders.size())
        return;
    const std::optional<QByteArray> bytes = ReadFileBytes(file, kMaxBibleFileBytes);
    if (!bytes) {
        asker_->tell(this, "Индикт", "Файл \"" + file + "\" не удалось прочитать.");
        return;
    }
    const BusyCursor busy;
    const BibleParse parse = ParseBible(*bytes);
    if (!parse.bible) {
        asker_->tell(this, "Индикт", parse.error);
        return;
    }
    BibleImportOptions options;
    options.version_folder = folders[*chosen];
    options.psalter_folder = DefaultPsalterFolder(options.version_folder);
    const BibleImportResult result = WriteBiblePages(*parse.bible, context_.data_root, options);
    if (!result.ok()) {
        asker_->tell(this, "Индикт", result.error);
        return;
    }
    asker_->tell(this, "Индикт",
                 QString("Библия загружена: книг %1, глав %2, стихов %3.").arg(result.books).arg(result.chapters).arg(result.verses));
}

// The docked viewer takes two fifths of the window, so the day's text keeps
// a readable width beside it.
void TForm1::showViewerDock()
{
    const bool was_hidden = panel_explorer_->isHidden();
    panel_explorer_->show();
    if (was_hidden && !panel_explorer_->isFloating())
        resizeDocks({panel_explorer_}, {width() * 2 / 5}, Qt::Horizontal);
}

void TForm1::HelpContents1Execute()
{
    const QString help_file = context_.program_folder + "/Help.chm";
    if (QFileInfo(help_file).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(help_file)))
        return;
    QString html = "<html><body><h2>Индикт</h2><p>Команды программы и их клавиши.</p><table cellpadding=\"3\">";
    std::string category;
    for (const Command& command : CommandTable()) {
        if (command.shortcut.empty())
            continue;
        html += "<tr><td>" + Qs(command.caption).toHtmlEscaped() + "</td><td><b>" +
                PlainKeys(command.shortcut).toHtmlEscaped() + "</b></td></tr>";
    }
    html += "</table></body></html>";
    viewer_->showPage(html);
    panel_explorer_->setWindowTitle("Справка");
    showViewerDock();
}

}  // namespace indikt
