// The day page of the main window: its widgets, the change hub every change
// of date goes through, the date block, the navigation commands and the
// date editors.

#include "main_window.h"

#include "app/dialogs/busy_cursor.h"
#include "app/panes/html_pane.h"
#include "app/panes/language_bar.h"
#include "app/panes/text_viewer.h"
#include "app/panes/tropar_pane.h"
#include "app/window/day_widgets.h"
#include "app/window/month_grid_widget.h"
#include "lectionary/day_builders.h"

#include "calendar/date_navigation.h"
#include "calendar/date_texts.h"
#include "calendar/day_status.h"
#include "calendar/fasts.h"
#include "calendar/feast_placement.h"
#include "calendar/feasts.h"
#include "calendar/month_grid.h"
#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"
#include "calendar/year_menus.h"
#include "lectionary/tropar.h"
#include "texts/html_pages.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }
QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Colours of the settings and the rules are written 0xBBGGRR.
QString CssColour(int bbggrr)
{
    return "color: " + ColourFromSetting(bbggrr).name() + ";";
}

}  // namespace

void TForm1::buildWidgets()
{
    commands_ = std::make_unique<CommandSet>(this);
    commands_->setRunner([this](QAction* action, const std::function<void()>& handler) { runGuarded(action, handler); });

    auto* central = new QWidget(this);
    central->setObjectName("Panel1");
    auto* layout = new QHBoxLayout(central);
    // The calendar side scrolls rather than forcing a tall window.
    auto* left_scroll = new QScrollArea(central);
    left_scroll->setObjectName("ScrollLeft");
    left_scroll->setFrameShape(QFrame::NoFrame);
    left_scroll->setWidgetResizable(true);
    left_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    date_block_ = new QWidget(left_scroll);
    date_block_->setObjectName("PanelLeft");
    buildDateBlock(date_block_);
    left_scroll->setWidget(date_block_);
    left_scroll->setMinimumWidth(kLeftColumnMinimumWidth);
    left_scroll->setMaximumWidth(360);
    layout->addWidget(left_scroll);

    auto* right = new QWidget(central);
    right->setObjectName("PanelRicht");
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    label_right_ = new QLabel(QString::fromUtf8(Info(DayPane::Menaion).caption), right);
    label_right_->setObjectName("LabelRicht");
    label_right_->setStyleSheet("font-weight: bold;");
    right_layout->addWidget(label_right_);
    buildPanes(right);
    right_layout->addWidget(page_list_, 1);
    right->setMinimumWidth(320);  // the day's text stays readable beside the docked viewer
    layout->addWidget(right, 1);
    // The icons of the day sit beside the text when shown.
    panel_ico_ = new QWidget(central);
    panel_ico_->setObjectName("PanelIco");
    panel_ico_->hide();
    layout->addWidget(panel_ico_);
    buildIconPanel();
    setCentralWidget(central);

    // The search of a whole year; its fields come with the search.
    panel_poisk_ = new QDockWidget("Поиск", this);
    panel_poisk_->setObjectName("PanelPoisk");
    addDockWidget(Qt::LeftDockWidgetArea, panel_poisk_);
    panel_poisk_->hide();

    // The free text viewer; its own commands come with the viewer.
    panel_explorer_ = new QDockWidget("Просмотр текстов", this);
    panel_explorer_->setObjectName("PanelExplorer");
    viewer_ = new TextViewer(context_.data_root, *asker_, panel_explorer_);
    viewer_->setObjectName("PanelExplorerView");
    panel_explorer_->setWidget(viewer_);
    connect(viewer_, &TextViewer::linkClicked, this, &TForm1::openOutside);
    connect(viewer_, &TextViewer::zoomChanged, this,
            [this](int percent) { settings_.setNumber(kSectionVid, "ExplorerZoom", percent); });
    wb_print_ = new HtmlPane(context_.data_root, this);
    wb_print_->setObjectName("WBPrint");
    wb_print_->hide();
    addDockWidget(Qt::RightDockWidgetArea, panel_explorer_);
    panel_explorer_->hide();

    // A permanent label: status tips of menus do not erase the day's text.
    status_text_ = new QLabel(this);
    status_text_->setObjectName("StatusText");
    statusBar()->addPermanentWidget(status_text_, 1);
    // In the evening mode the panes show the next day: the status bar says so.
    evening_cue_ = new QLabel(this);
    evening_cue_->setObjectName("LabelEveningTexts");
    evening_cue_->setStyleSheet("color: #800000;");
    evening_cue_->hide();
    statusBar()->addPermanentWidget(evening_cue_);
    // A message of the moment takes the whole line until the day changes.
    connect(statusBar(), &QStatusBar::messageChanged, status_text_,
            [this](const QString& message) { status_text_->setVisible(message.isEmpty()); });

    buildMenus();
    buildToolBar();
    connectCommands();

    // Each pane's context menu offers the command groups of its texts.
    const auto groups = [this](std::initializer_list<const char*> captions) {
        QList<QMenu*> menus;
        for (const char* caption : captions)
            menus << category_menus_.value(QString::fromUtf8(caption));
        return menus;
    };
    static_cast<HtmlPane*>(paneView(DayPane::Menaion))->setContextMenus(groups({"Месяцеслов"}));
    static_cast<HtmlPane*>(paneView(DayPane::Lectionary))
        ->setContextMenus(groups({"Евангельские чтения", "Апостольские чтения", "Паримии", "Лекционарий", "Версия"}));
    tropar_pane_->view()->setContextMenus(groups({"Тропари и кондаки", "Версия"}));
}

void TForm1::buildDateBlock(QWidget* owner)
{
    auto* outer = new QVBoxLayout(owner);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(2);
    panel_num_ = new QWidget(owner);
    panel_num_->setObjectName("PanelNum");
    auto* num = new QVBoxLayout(panel_num_);
    num->setContentsMargins(2, 2, 2, 2);
    num->setSpacing(3);
    const auto make_label = [](const char* name, QWidget* parent) {
        auto* label = new ClickableLabel(parent);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignHCenter);
        return label;
    };

    auto* dail = new QWidget(panel_num_);
    dail->setObjectName("PanelDail");
    auto* dail_layout = new QVBoxLayout(dail);
    dail_layout->setSpacing(0);
    label_weekday_ = make_label("LabelWeekday", dail);
    label_weekday_->setToolTip("Выбрать дату");
    label_day_ = make_label("LabelDay", dail);
    label_day_->setStyleSheet("font-size: 30pt; font-weight: bold;");
    label_month_ = make_label("LabelMonth", dail);
    label_year_ = make_label("LabelYear", dail);
    dail_layout->addWidget(label_weekday_);
    dail_layout->addWidget(label_day_);
    dail_layout->addWidget(label_month_);
    dail_layout->addWidget(label_year_);
    num->addWidget(dail);

    panel_st_st_ = new QWidget(panel_num_);
    panel_st_st_->setObjectName("PanelStSt");
    auto* st_layout = new QHBoxLayout(panel_st_st_);
    st_layout->setContentsMargins(0, 0, 0, 0);
    st_layout->setSpacing(0);
    label_den_star_stil_ = make_label("LabelDenStarStil", panel_st_st_);
    label_mes_star_stil_ = make_label("LabelMesStarStil", panel_st_st_);
    st_layout->addWidget(label_den_star_stil_);
    st_layout->addWidget(label_mes_star_stil_);
    // Centred under the date, two pixels left of the centre.
    auto* st_row = new QHBoxLayout;
    st_row->addStretch(1);
    st_row->addWidget(panel_st_st_);
    st_row->addStretch(1);
    st_row->addSpacing(4);
    num->addLayout(st_row);

    label_week_ = new QLabel(panel_num_);
    label_week_->setObjectName("LabelSedmiza");
    label_week_->setWordWrap(true);
    label_week_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Two lines are kept for the week, so a long caption never moves the grid
    // (and its month arrows) under the mouse.
    label_week_->setMinimumHeight(2 * label_week_->fontMetrics().lineSpacing());
    num->addWidget(label_week_);
    label_post_ = new QLabel(panel_num_);
    label_post_->setObjectName("LabelPost");
    label_post_->setAlignment(Qt::AlignHCenter);
    label_post_->setWordWrap(true);
    num->addWidget(label_post_);

    buildCalendarPanel(panel_num_);
    num->addWidget(panel_calendar_);
    label_time_ = make_label("LabelTime", panel_num_);
    label_time_->setToolTip("Сегодня");
    num->addWidget(label_time_);
    rich_edit_jub_pr_ = new QTextEdit(panel_num_);
    rich_edit_jub_pr_->setObjectName("RichEditJubPr");
    rich_edit_jub_pr_->setReadOnly(true);
    rich_edit_jub_pr_->setMaximumHeight(90);
    rich_edit_jub_pr_->hide();
    num->addWidget(rich_edit_jub_pr_);
    // The main picture fills the room the grid leaves when it is collapsed.
    image_ico_indikt_ = new PictureLabel(panel_num_);
    image_ico_indikt_->setObjectName("ImageIcoIndikt");
    image_ico_indikt_->hide();
    num->addWidget(image_ico_indikt_, 1);
    num->addStretch(1);
    label_today_ = make_label("LblSegodn", panel_num_);
    label_today_->setToolTip("Сегодня");
    num->addWidget(label_today_);
    outer->addWidget(panel_num_, 1);
    owner->setMinimumWidth(260);

    // The editors open over their label and close on Enter, Escape or leaving them.
    year_editor_ = new DateEditorSpin(panel_num_);
    year_editor_->setObjectName("SpinEditGod");
    year_editor_->setRange(kFirstEditableYear, kLastEditableYear);
    year_editor_->setToolTip("Выберете год с 1700 по 3000");
    year_editor_->hide();
    old_style_day_editor_ = new DateEditorSpin(panel_num_);
    old_style_day_editor_->setObjectName("SpinEditDenSt");
    old_style_day_editor_->setToolTip("Выберете день старого стиля");
    old_style_day_editor_->hide();
    connect(year_editor_, &DateEditorSpin::closeWanted, year_editor_, &QWidget::hide);
    connect(old_style_day_editor_, &DateEditorSpin::closeWanted, old_style_day_editor_, &QWidget::hide);
    connect(year_editor_, &QSpinBox::valueChanged, this, [this](int year) {
        if (const auto date = InYear(current_date_, year))
            setCurrentDate(*date);
    });
    connect(old_style_day_editor_, &QSpinBox::valueChanged, this, [this](int day) {
        if (day == 0)
            return;
        const auto choice = WithOldStyleDay(OldStyle(current_date_), day);
        if (!choice)
            return;
        if (choice->editor_value != day) {
            const QSignalBlocker blocker(old_style_day_editor_);
            old_style_day_editor_->setValue(choice->editor_value);
        }
        setCurrentDate(choice->date);
    });

    month_menu_ = new QMenu(this);
    month_menu_->setObjectName("PopupMenuMes");
    old_style_month_menu_ = new QMenu(this);
    old_style_month_menu_->setObjectName("PopupMenuMesStarSt");
    for (int month = 1; month <= 12; ++month) {
        const QString name = Qs(MonthName(month));
        month_menu_->addAction(name, this, [this, month] { IsmMes(month); })->setData(month);
        old_style_month_menu_->addAction(name, this, [this, month] { IsmMesStarSt(month); })->setData(month);
    }

    connect(label_month_, &ClickableLabel::clicked, this,
            [this] { month_menu_->popup(label_month_->mapToGlobal(label_month_->rect().bottomLeft())); });
    connect(label_mes_star_stil_, &ClickableLabel::clicked, this, [this] {
        old_style_month_menu_->popup(label_mes_star_stil_->mapToGlobal(label_mes_star_stil_->rect().bottomLeft()));
    });
    connect(label_year_, &ClickableLabel::clicked, this, &TForm1::openYearEditor);
    connect(label_den_star_stil_, &ClickableLabel::clicked, this, &TForm1::openOldStyleDayEditor);
    connect(label_weekday_, &ClickableLabel::clicked, this, [this] { commands_->action("ActionVData")->trigger(); });
    connect(label_today_, &ClickableLabel::clicked, this, [this] { commands_->action("ActionSegodn")->trigger(); });
    connect(label_time_, &ClickableLabel::clicked, this, [this] { commands_->action("ActionSegodn")->trigger(); });
    for (ClickableLabel* label : {label_day_, label_weekday_, label_month_, label_year_, label_den_star_stil_,
                                  label_mes_star_stil_, label_today_})
        connect(label, &ClickableLabel::contextMenuWanted, this, [this](const QPoint& at) { date_menu_->popup(at); });
}

// The month grid with its header (month, year, "г." and the month buttons)
// and the weekday headings, and the buttons that collapse and expand it.
void TForm1::buildCalendarPanel(QWidget* owner)
{
    panel_calendar_ = new QWidget(owner);
    panel_calendar_->setObjectName("PanelCalendar");
    auto* layout = new QVBoxLayout(panel_calendar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* header = new QWidget(panel_calendar_);
    header->setObjectName("Panel2");
    auto* header_layout = new QHBoxLayout(header);
    header_layout->setContentsMargins(0, 0, 0, 0);
    header_layout->setSpacing(2);
    month_back_ = new QToolButton(header);
    month_back_->setObjectName("SpButMes1");
    month_back_->setArrowType(Qt::LeftArrow);
    month_back_->setToolTip("Предыдущий месяц");
    month_on_ = new QToolButton(header);
    month_on_->setObjectName("SpButMes2");
    month_on_->setArrowType(Qt::RightArrow);
    month_on_->setToolTip("Следующий месяц");
    label_mes_ = new ClickableLabel(header);
    label_mes_->setObjectName("LabelMes");
    label_mes_->setStyleSheet("font-weight: bold;");
    label_god_ = new ClickableLabel(header);
    label_god_->setObjectName("LabelGod");
    label_god_->setStyleSheet("font-weight: bold;");
    auto* label_g = new QLabel("г.", header);
    label_g->setObjectName("LabelG");
    header_layout->addWidget(month_back_);
    header_layout->addStretch(1);
    header_layout->addWidget(label_mes_);
    header_layout->addWidget(label_god_);
    header_layout->addWidget(label_g);
    header_layout->addStretch(1);
    header_layout->addWidget(month_on_);
    layout->addWidget(header);

    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    const char* const names[kGridColumns] = {"LabelPn", "LabelVt", "LabelSr", "LabelZht", "LabelPt", "LabelSb", "LabelVs"};
    for (int column = 0; column < kGridColumns; ++column) {
        auto* label = new QLabel(panel_calendar_);
        label->setObjectName(names[column]);
        label->setAlignment(Qt::AlignCenter);
        headings->addWidget(label, 1);
        weekday_headings_[static_cast<size_t>(column)] = label;
    }
    layout->addLayout(headings);
    panel_mes_ = new MonthGridWidget(panel_calendar_);
    layout->addWidget(panel_mes_);

    connect(month_back_, &QToolButton::clicked, this, &TForm1::SpButMes1Click);
    connect(month_on_, &QToolButton::clicked, this, &TForm1::SpButMes2Click);
    connect(label_mes_, &ClickableLabel::clicked, this,
            [this] { month_menu_->popup(label_mes_->mapToGlobal(label_mes_->rect().bottomLeft())); });
    connect(label_god_, &ClickableLabel::clicked, this, &TForm1::openYearEditor);
    connect(panel_mes_, &MonthGridWidget::cellClicked, this, &TForm1::E1d1Click);
    connect(panel_mes_, &MonthGridWidget::cellMenuWanted, this,
            [this](int, const QPoint& at) { date_menu_->popup(at); });
    connect(panel_mes_, &MonthGridWidget::stepWanted, this, [this](MonthGridWidget::Step step, int count) {
        const CivilFields shown = Fields(current_date_);
        switch (step) {
        case MonthGridWidget::Step::Days: {
            const Date target = current_date_ + count;
            setJumpTarget(target < kFirstDate || target > kLastDate ? current_date_ : target);
            break;
        }
        case MonthGridWidget::Step::Months: setJumpTarget(MonthStep(current_date_, count)); break;
        case MonthGridWidget::Step::MonthStart: setJumpTarget(FromCivil(shown.year, shown.month, 1)); break;
        case MonthGridWidget::Step::MonthEnd:
            setJumpTarget(FromCivil(shown.year, shown.month, DaysInMonth(shown.year, shown.month)));
            break;
        }
    });

    image_knopka_sv_ = new QToolButton(owner);
    image_knopka_sv_->setObjectName("ImageKnopkaSv");
    image_knopka_sv_->setToolTip("Свернуть календарь (F7)");
    image_knopka_rasv_ = new QToolButton(owner);
    image_knopka_rasv_->setObjectName("ImageKnopkaRasv");
    image_knopka_rasv_->setToolTip("Развернуть календарь (F7)");
    image_knopka_rasv_->setArrowType(Qt::DownArrow);
    connect(image_knopka_sv_, &QToolButton::clicked, this, &TForm1::ButtonSvernClick);
    connect(image_knopka_rasv_, &QToolButton::clicked, this, &TForm1::ButtonSvernClick);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(image_knopka_sv_);
    row->addWidget(image_knopka_rasv_);
    static_cast<QBoxLayout*>(owner->layout())->addLayout(row);
}

void TForm1::CalendarVid()
{
    const MonthGrid grid =
        BuildMonthGrid(current_date_, today(), settings_.number(kSectionVid, "FirstDay"), memo_book_->feastEntries(),
                       memo_book_->jubileeEntries(), FeastDisplaySwitches(settings_).statuses, GridColoursOf(settings_));
    label_god_->setText(QString::number(grid.year));
    label_mes_->setText(Qs(MonthName(grid.month)));
    CalendarFirstDayWeek();
    panel_mes_->setGrid(grid, current_date_);
}

void TForm1::CalendarFirstDayWeek()
{
    const auto headings = WeekdayHeadings(settings_.number(kSectionVid, "FirstDay"));
    for (size_t column = 0; column < headings.size(); ++column)
        weekday_headings_[column]->setText(Qs(headings[column]));
}

void TForm1::E1d1Click(int index)
{
    if (index < 0 || index >= kGridCells)
        return;
    const GridCell& cell = panel_mes_->grid().cells[static_cast<size_t>(index)];
    setJumpTarget(GridClickDate(current_date_, cell.row, cell.other_month, cell.text));
}

bool TForm1::calendarCollapsed() const { return settings_.flag(kSectionVid, "Calendar"); }

void TForm1::ButtonSvernClick()
{
    settings_.setFlag(kSectionVid, "Calendar", !calendarCollapsed());
    CalendarSvernutExecute();
}

// Collapsed, the month and year labels and the main picture take the grid's
// place; expanded, the grid is filled and shown.
void TForm1::CalendarSvernutExecute()
{
    const bool collapsed = calendarCollapsed();
    Vid(current_date_);
    image_knopka_rasv_->setVisible(collapsed);
    image_knopka_sv_->setVisible(!collapsed);
    panel_calendar_->setVisible(!collapsed);
    label_month_->setVisible(collapsed);
    label_year_->setVisible(collapsed);
    OpenImageIndikt();
    if (!collapsed)
        CalendarVid();
    panel_num_->setFocus();
}

void TForm1::buildPanes(QWidget* owner)
{
    page_list_ = new QTabWidget(owner);
    page_list_->setObjectName("PageList");
    page_list_->tabBar()->hide();  // the commands switch the pages
    for (const DayPaneInfo& info : DayPanes()) {
        auto* panel = new QWidget(page_list_);
        panel->setObjectName(info.panel);
        auto* panel_layout = new QVBoxLayout(panel);
        panel_layout->setContentsMargins(0, 0, 0, 0);
        QWidget* view = nullptr;
        QWidget* holder = nullptr;  // what the page holds, when more than the view
        if (info.pane == DayPane::Notes) {
            holder = buildNotePane(panel, &view);
        } else {
            HtmlPane* pane = nullptr;
            if (info.pane == DayPane::Troparia) {
                tropar_pane_ = new TroparPane(context_.data_root, panel);
                pane = tropar_pane_->view();
                holder = tropar_pane_;
                connect(tropar_pane_, &TroparPane::languageChosen, this, [this](int tag) {
                    SetLanguageTag(settings_, "TrJas", tag);
                    updateVersionCommands();
                    updateTroparMediaCommands();
                });
                connect(tropar_pane_, &TroparPane::status, this,
                        [this](const QString& text) { statusBar()->showMessage(text); });
            } else {
                pane = new HtmlPane(context_.data_root, panel);
                if (info.pane == DayPane::Lectionary) {
                    lectionary_languages_ = new LanguageBar("PanelJasBeibl", "Beibl", kLectionaryLanguageCommands, panel);
                    connect(lectionary_languages_, &LanguageBar::chosenByUser, this, [this](int tag) {
                        commands_->action(kLectionaryLanguageCommands[static_cast<size_t>(tag - 1)])->trigger();
                    });
                    panel_layout->addWidget(lectionary_languages_);
                }
                if (info.pane == DayPane::PrayerBook)
                    panel_layout->addWidget(buildPrayerBookBar(panel));
            }
            const LinkPane link_pane = info.pane == DayPane::Menaion      ? LinkPane::Menaion
                                       : info.pane == DayPane::Troparia   ? LinkPane::Troparia
                                       : info.pane == DayPane::Lectionary ? LinkPane::Lectionary
                                       : info.pane == DayPane::PrayerBook ? LinkPane::PrayerBook
                                                                          : LinkPane::Lives;
            connect(pane, &HtmlPane::linkClicked, this,
                    [this, link_pane](const QUrl& address) { routeLink(link_pane, address); });
            view = pane;
        }
        view->setObjectName(info.view);
        panel_layout->addWidget(holder ? holder : view);
        pane_views_[static_cast<size_t>(info.pane)] = view;
        page_list_->addTab(panel, QString::fromUtf8(info.caption));
    }
    connect(page_list_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < kDayPaneCount && PaneOfCaption(rightCaption()) != DayPanes()[index].pane)
            showPane(DayPanes()[index].pane);
    });
}

// The panes are deleted after the members they report to: stop listening first.
TForm1::~TForm1()
{
    page_list_->disconnect(this);
}

QString TForm1::rightCaption() const { return label_right_->text(); }

void TForm1::setTextBuilder(DayPane pane, std::unique_ptr<DayTextBuilder> builder)
{
    builders_[static_cast<size_t>(pane)] = std::move(builder);
}

Date TForm1::liturgicalDate() const { return evening_mode_ ? NextDay(current_date_) : current_date_; }

// The page of a pane, filled for the liturgical day.
void TForm1::showPane(DayPane pane)
{
    const BusyCursor busy;
    const DayPaneInfo& info = Info(pane);
    label_right_->setText(QString::fromUtf8(info.caption));
    page_list_->setCurrentIndex(static_cast<int>(pane));
    fillShownPane(liturgicalDate());
    updateVersionCommands();
}

// Only the pane named by `LabelRicht` is filled; a pane without its
// builder stays empty.
void TForm1::fillShownPane(Date date)
{
    const std::optional<DayPane> pane = PaneOfCaption(rightCaption());
    if (!pane)
        return;
    const size_t index = static_cast<size_t>(*pane);
    QWidget* view = pane_views_[index];
    DayTextBuilder* builder = builders_[index].get();
    if (*pane == DayPane::Notes) {
        showNote(date);
        return;
    }
    if (*pane == DayPane::Troparia && !builder) {
        fillTroparia(date);
        return;
    }
    if (!builder) {
        static_cast<QTextEdit*>(view)->clear();
        return;
    }
    PaneText text;
    // A text that cannot be built leaves its pane empty and says why; the
    // rest of the page is still shown.
    try {
        text = builder->build({date, MakeDayFacts(date), evening_mode_ && date != current_date_});
    } catch (const std::exception& error) {
        statusBar()->showMessage(rightCaption() + ": текст не построен: " + QString::fromLocal8Bit(error.what()));
        static_cast<QTextEdit*>(view)->clear();
        return;
    }
    if (*pane == DayPane::PrayerBook || *pane == DayPane::Lives)
        hideBookCommands();
    if (*pane == DayPane::PrayerBook)
        updatePrayerBookBar(date);
    switch (*pane) {
    case DayPane::Menaion: TextToMesWebBrowser(text.html, text.red_links); break;
    case DayPane::Lectionary: TextToWebBrowser(text.html); break;
    case DayPane::Notes: static_cast<QTextEdit*>(view)->setHtml(text.html); break;
    default: {
        auto* html_pane = static_cast<HtmlPane*>(view);
        if (text.file.isEmpty() || !html_pane->showFile(text.file))
            html_pane->showPage(text.html);
    }
    }
    showFoundCommands(text.found_commands, text.found_files);
}

void TForm1::TextToWebBrowser(const QString& text)
{
    if (PaneOfCaption(rightCaption()) != DayPane::Lectionary)
        return;
    auto* pane = static_cast<HtmlPane*>(paneView(DayPane::Lectionary));
    // A day with nothing to read shows an empty pane, not an empty page.
    if (text.isEmpty())
        pane->clearPage();
    else
        pane->showPage(LectionaryPage(context_.data_root, text));
}

void TForm1::TextToMesWebBrowser(const QString& text, bool red_links)
{
    if (PaneOfCaption(rightCaption()) != DayPane::Menaion)
        return;
    auto* pane = static_cast<HtmlPane*>(paneView(DayPane::Menaion));
    pane->setLinkColour(red_links ? HtmlPane::LinkColour::Red : HtmlPane::LinkColour::Black);
    pane->showPage(MenaionPage(context_.data_root, text, red_links));
}

void TForm1::PrintToMesWebBrowser(const QString& html)
{
    if (PaneOfCaption(rightCaption()) == DayPane::Menaion)
        static_cast<HtmlPane*>(paneView(DayPane::Menaion))->showPage(html);
}

// The hymns of the day in the troparia pane; the commands of the sets found.
void TForm1::fillTroparia(Date date)
{
    TroparDay day = Tropar(TreeFiles(context_.data_root), date);
    showFoundCommands(day.found_commands, day.found_files);
    tropar_pane_->showDay(std::move(day), LanguageTag(settings_, "TrJas"));
    updateTroparMediaCommands();
}

// In the audio and video languages: create a media page of the selected
// hymn's set, or open and delete the one there is.
void TForm1::updateTroparMediaCommands()
{
    const QString page = tropar_pane_->mediaPage();
    const bool exists = !page.isEmpty() && QFileInfo(context_.data_root + "/" + page).isFile();
    const bool video = tropar_pane_->language() == 5;
    const QString kind = video ? "видеозаписей" : "звукозаписей";
    commands_->action("ActionTrNewMedia")->setText("Создать оглавление " + kind);
    commands_->action("ActionTrOpenMedia")->setText("Открыть оглавление " + kind);
    commands_->action("ActionTrDeleteMedia")->setText("Удалить оглавление " + kind);
    commands_->action("ActionTrNewMedia")->setVisible(!page.isEmpty() && !exists);
    commands_->action("ActionTrOpenMedia")->setVisible(exists);
    commands_->action("ActionTrDeleteMedia")->setVisible(exists);
}

// A builder found these files: their commands are shown and open them.
void TForm1::showFoundCommands(const QStringList& commands, const QStringList& files)
{
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const std::string name = commands[i].toStdString();
        if (!FindCommand(name))
            continue;
        commands_->action(name)->setVisible(true);
        source_files_[commands[i]] = i < files.size() ? files[i] : QString();
    }
}

void TForm1::openSourceFile(const QString& command)
{
    const QString file = source_files_.value(command);
    if (!file.isEmpty())
        openTreeFile(file);
}

// The source-file commands of the shown texts are hidden until a builder
// finds their file again.
void TForm1::ClearPravka()
{
    for (const Command& command : CommandTable())
        if ((command.category == "Месяцеслов" && !command.name.starts_with("ActionFont")) ||
            command.category == "Тропари и кондаки" || command.category == "Лекционарий" ||
            command.category == "Евангельские чтения" || command.category == "Апостольские чтения" ||
            command.category == "Паримии" || command.category == "Жития" || command.category == "Молитвослов")
            commands_->action(command.name)->setVisible(false);
}

// The five language commands of the pane shown: the lectionary's, the
// troparia's or the prayer book's; none for the other panes.
void TForm1::updateVersionCommands()
{
    const std::optional<DayPane> pane = PaneOfCaption(rightCaption());
    const char* shown = pane == DayPane::Lectionary ? "Beibl"
                        : pane == DayPane::Troparia ? "Tr"
                        : pane == DayPane::PrayerBook ? "Molitv"
                                                      : "";
    const int chosen = pane == DayPane::Lectionary ? LanguageTag(settings_, "BeiblJas")
                       : pane == DayPane::Troparia ? LanguageTag(settings_, "TrJas")
                                                   : LanguageTag(settings_, "MolitvJas");
    if (lectionary_languages_)
        lectionary_languages_->setChosen(LanguageTag(settings_, "BeiblJas"));
    const QString media = LanguageTag(settings_, "BeiblJas") == 5 ? "видеозаписей" : "звукозаписей";
    commands_->action("ActionLexNewMedia")->setText("Создать оглавление " + media);
    commands_->action("ActionLexOpenMedia")->setText("Открыть оглавление " + media);
    commands_->action("ActionLexDeleteMedia")->setText("Удалить оглавление " + media);
    int position = 0;
    for (const Command& command : CommandTable()) {
        if (command.category != "Версия")
            continue;
        const bool of_pane = *shown && command.name.ends_with(shown);
        QAction* action = commands_->action(command.name);
        action->setVisible(of_pane);
        if (of_pane)
            action->setChecked(++position == chosen);
    }
}

void TForm1::showDay()
{
    ClearPravka();
    fillShownPane(liturgicalDate());
    if (!batch_walk_ && panel_ico_->isVisibleTo(this))
        OpenIcon(liturgicalDate());
    Vid(current_date_);
    if (!calendarCollapsed())
        CalendarVid();
    commands_->action("ActionUtro")->setChecked(!evening_mode_);
    commands_->action("ActionVezher")->setChecked(evening_mode_);
    updateEveningCue();
}

void TForm1::Vid(Date date)
{
    if (!memo_book_)
        return;
    const DayFacts facts = MakeDayFacts(date);
    const CivilFields old = Fields(facts.old_style);
    const CivilFields civil = Fields(date);
    label_den_star_stil_->setText(QString::number(old.day));
    label_mes_star_stil_->setText(" " + Qs(MonthNameGenitive(old.month)) + " по ст. ст.");
    label_day_->setText(QString::number(civil.day));
    label_weekday_->setText(Qs(TextOfDayTheWeek0(date)));
    label_year_->setText(QString::number(civil.year));
    label_month_->setText(Qs(TextOfMonth(date)).toLower());
    label_week_->setText(Qs(Sedmiza(date)));
    if (settings_.flag(kSectionVid, "Post")) {
        const FastDay fast = Post(date);
        label_post_->setText(fast.label.empty() ? Qs(kNoFastLabel) : Qs(fast.label));
        label_post_->setToolTip(Qs(fast.hint).section('|', 0, 0).replace("\n\r", "\n"));
    }
    updateTodayLabel();

    const FeastSwitches statuses = FeastDisplaySwitches(settings_).statuses;
    const bool jubilee = !CalendarJubil(memo_book_->jubileeEntries(), date).empty();
    const GridFeastText feast = CalendarPrasd(memo_book_->feastEntries(), date, statuses);
    const DateColourSwitches switches{settings_.flag(kSectionCalendar, "SeeJubil"),
                                      settings_.flag(kSectionCalendar, "SeeVos"), statuses.church, statuses.civil,
                                      statuses.other};
    const QString colour =
        CssColour(DateColour(jubilee, !feast.text.empty(), feast.day_class, Weekday(date) == kSunday, switches));
    for (QLabel* label : std::initializer_list<QLabel*>{label_day_, label_weekday_, label_month_, label_year_,
                                                        label_time_, label_den_star_stil_, label_mes_star_stil_})
        label->setStyleSheet(label == label_day_ ? "font-size: 30pt; font-weight: bold; " + colour : colour);
    image_knopka_sv_->setText(QString::number(Fields(today()).day));
    ListJubPr();
    updateYearMenus(date);
}

// The captions of the jump commands say where each falls in the year shown.
void TForm1::updateYearMenus(Date date)
{
    const int year = YearOf(date);
    if (year == year_cache_)
        return;
    const YearMenus menus = BuildYearMenus(year);
    const auto set_captions = [this](const char* stem, int width, const std::vector<std::string>& captions) {
        for (size_t i = 0; i < captions.size(); ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "%s%0*zu", stem, width, i + 1);
            commands_->action(name)->setText(Qs(captions[i]));
        }
    };
    set_captions("ActionDvPr", 3, menus.church_feasts);
    set_captions("ActionGosPr", 3, menus.civil_holidays);
    set_captions("ActionPost", 0, menus.periods);
    for (size_t i = 0; i < year_headings_.size(); ++i)
        if (year_headings_[i])
            year_headings_[i]->setTitle(Qs(menus.headings[i]));
    year_cache_ = year;
}

// "Сегодня: " and today's date; where the fast label leaves too little room,
// only the date.
void TForm1::updateTodayLabel()
{
    const QString date_text = Qs(TextOfDayAndMonthAndYear(today()));
    const QString full = "Сегодня: " + date_text;
    const int room = panel_num_->width() - 20;
    const bool narrow = panel_num_->isVisible() &&
                        room < label_post_->fontMetrics().horizontalAdvance(label_post_->text()) +
                                   label_today_->fontMetrics().horizontalAdvance(full);
    label_today_->setText(narrow ? date_text : full);
}

void TForm1::ListJubPr()
{
    if (!memo_book_)
        return;
    const UnderCalendarSwitches switches = FeastDisplaySwitches(settings_);
    const UnderCalendarText under = indikt::ListJubPr(memo_book_->feastEntries(), memo_book_->jubileeEntries(),
                                                      current_date_, switches);
    if (under.unchanged)
        return;
    // Red on a church feast, light red otherwise.
    const bool church = under.day_class == kChurchFeastClass && switches.statuses.church;
    rich_edit_jub_pr_->setStyleSheet(CssColour(church ? kDateRed : kDateLightRed));
    QString text = Qs(under.text).replace("\n\r", "\n");
    if (text.endsWith('\n'))
        text.chop(1);
    rich_edit_jub_pr_->setPlainText(text);
    rich_edit_jub_pr_->setToolTip(Qs(under.hint));
    rich_edit_jub_pr_->setVisible(under.visible);
}

bool TForm1::setCurrentDate(Date date)
{
    if (!endNoteEdit())
        return false;
    current_date_ = std::clamp(date, kFirstEditableDate, kLastEditableDate);
    ZKDataChange();
    return true;
}

void TForm1::ZKDataChange()
{
    const BusyCursor busy;
    // The note being edited is saved under its own date first; Cancel keeps it.
    if (!endNoteEdit())
        return;
    if (!batch_walk_)
        statusBar()->clearMessage();
    // A change of date returns to the texts of the date itself.
    if (!batch_walk_)
        evening_mode_ = false;
    showDay();
    if (batch_walk_)
        return;
    if (settings_.flag(kSectionVid, "Sostojanie"))
        status_text_->setText(Qs(DayStatusText(current_date_)));
    if (!navigating_history_)
        history_.visited(current_date_);
    updateHistoryActions();
    // The day view's caption form: the program's name and the long date.
    if (settings_.flag(kSectionVid, "CaptData") && !mini_)
        setWindowTitle(QString(kCaption) + "-  " + Qs(LongDateText(current_date_)));
    const QString hint = Qs(LongDateText(current_date_) + OldStylePiece(current_date_));
    for (QLabel* label : {static_cast<QLabel*>(label_weekday_), static_cast<QLabel*>(label_year_),
                          static_cast<QLabel*>(label_month_), static_cast<QLabel*>(label_day_)})
        label->setToolTip(hint);
    const QString old_hint = Qs(TextOfMonthAndDay2(MakeDayFacts(current_date_).old_style)) + " по старому стилю";
    label_den_star_stil_->setToolTip(old_hint);
    label_mes_star_stil_->setToolTip(old_hint);
}

void TForm1::updateHistoryActions()
{
    commands_->action("ActionBack")->setEnabled(history_.canGoBack());
    commands_->action("ActionForward")->setEnabled(history_.canGoForward());
}

// Every navigation command first closes the date editors, and hides the
// main menu when it is not kept on top.
void TForm1::beforeNavigation()
{
    closeDateEditors();
    if (!settings_.flag(kSectionVid, "MenuTop"))
        menuBar()->hide();
}

void TForm1::closeDateEditors()
{
    year_editor_->hide();
    old_style_day_editor_->hide();
}

void TForm1::setJumpTarget(std::optional<Date> date)
{
    beforeNavigation();
    if (date)
        setCurrentDate(*date);
}

// The day limits keep the date unchanged at the ends; the page is rebuilt anyway.
void TForm1::ActionSlDnExecute() { setJumpTarget(current_date_ < kLastDate ? current_date_ + 1 : current_date_); }
void TForm1::ActionPrDnExecute() { setJumpTarget(current_date_ > kFirstDate ? current_date_ - 1 : current_date_); }
void TForm1::ActionSegodnExecute() { setJumpTarget(today()); }

void TForm1::ActionRefrechExecute()
{
    if (skip_next_refresh_) {
        skip_next_refresh_ = false;
        return;
    }
    ZKDataChange();
}

void TForm1::ActionBackExecute()
{
    beforeNavigation();
    if (endNoteEdit())
        showFromHistory(history_.back());
}

void TForm1::ActionForwardExecute()
{
    beforeNavigation();
    if (endNoteEdit())
        showFromHistory(history_.forward());
}

// A step through the history shows its date without adding it again.
void TForm1::showFromHistory(std::optional<Date> date)
{
    if (!date)
        return;
    navigating_history_ = true;
    setCurrentDate(*date);
    navigating_history_ = false;
}

void TForm1::ActionPrasdnikiExecute(int kind) { setJumpTarget(PerPrasdniki(kind, current_date_)); }
void TForm1::ActionGosPrasdnikiExecute(int kind) { setJumpTarget(PerGosPrasdniki(kind, current_date_)); }
void TForm1::PostAndSploschClick(int kind) { setJumpTarget(PerPost(kind, current_date_)); }

void TForm1::SpButMes1Click() { setJumpTarget(MonthStep(current_date_, -1)); }
void TForm1::SpButMes2Click() { setJumpTarget(MonthStep(current_date_, +1)); }
void TForm1::IsmMes(int month) { setJumpTarget(InCivilMonth(current_date_, month)); }
void TForm1::IsmMesStarSt(int month) { setJumpTarget(InOldStyleMonth(current_date_, month)); }

void TForm1::openYearEditor()
{
    closeDateEditors();
    {
        const QSignalBlocker blocker(year_editor_);
        year_editor_->setValue(YearOf(current_date_));
    }
    // Over the year of the grid's header, or over the date block's year when the grid is collapsed.
    QLabel* anchor = calendarCollapsed() ? static_cast<QLabel*>(label_year_) : static_cast<QLabel*>(label_god_);
    const QPoint centre = anchor->mapTo(panel_num_, anchor->rect().center());
    year_editor_->setGeometry(QRect(centre.x() - 45, centre.y() - anchor->height() / 2 - 2, 90, anchor->height() + 4));
    year_editor_->show();
    year_editor_->raise();
    year_editor_->setFocus();
    year_editor_->selectAll();
}

// The editor works on the shown date's old-style day, also in the evening mode.
void TForm1::openOldStyleDayEditor()
{
    closeDateEditors();
    const OldStyleDate old_style = OldStyle(current_date_);
    {
        const QSignalBlocker blocker(old_style_day_editor_);
        old_style_day_editor_->setRange(1, OldStyleDayMaximum(old_style));
        old_style_day_editor_->setValue(Fields(old_style).day);
    }
    old_style_day_editor_->setGeometry(
        QRect(label_den_star_stil_->mapTo(panel_num_, QPoint(0, 0)), QSize(60, label_den_star_stil_->height() + 4)));
    old_style_day_editor_->show();
    old_style_day_editor_->raise();
    old_style_day_editor_->setFocus();
    old_style_day_editor_->selectAll();
}

void TForm1::ActionVezherExecute()
{
    // The note being edited is of the day shown until now: its edit ends first.
    if (!evening_mode_ && endNoteEdit()) {
        evening_mode_ = true;
        // The date block keeps the current date; the panes show the next day.
        ClearPravka();
        fillShownPane(liturgicalDate());
        if (panel_ico_->isVisibleTo(this))
            OpenIcon(liturgicalDate());
    }
    commands_->action("ActionUtro")->setChecked(!evening_mode_);
    commands_->action("ActionVezher")->setChecked(evening_mode_);
    updateEveningCue();
}

void TForm1::updateEveningCue()
{
    // The marker of the liturgical day, unless the settings turn it off.
    evening_cue_->setVisible(evening_mode_ && settings_.flag(kSectionVid, "IcoLiturgDen"));
    if (evening_mode_)
        evening_cue_->setText("Тексты следующего дня: " + Qs(TextOfDayAndMonthAndYear5(liturgicalDate())) + " г.");
}

void TForm1::ActionUtroExecute()
{
    if (evening_mode_)
        ZKDataChange();
    commands_->action("ActionUtro")->setChecked(!evening_mode_);
    commands_->action("ActionVezher")->setChecked(evening_mode_);
    updateEveningCue();
}

}  // namespace indikt
