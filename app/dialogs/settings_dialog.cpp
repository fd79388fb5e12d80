#include "settings_dialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace indikt {

namespace {

const char* const kClassNames[kCalendarClassChoiceCount] = {
    "Юбилеи", "Православные праздники", "Государственные праздники", "Иные праздники",
    "Воскресные дни", "Сплошные седмицы", "Постные дни",
};

QString CssOf(int bbggrr)
{
    return QString("#%1%2%3")
        .arg(bbggrr & 0xFF, 2, 16, QChar('0'))
        .arg((bbggrr >> 8) & 0xFF, 2, 16, QChar('0'))
        .arg((bbggrr >> 16) & 0xFF, 2, 16, QChar('0'));
}

void SetHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

}  // namespace

QString CalendarClassName(int index)
{
    return index >= 0 && index < kCalendarClassChoiceCount ? QString::fromUtf8(kClassNames[index]) : QString();
}

TPagesDlg::TPagesDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("TPagesDlg");
    setWindowTitle("Параметры");
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName("Param");
    layout->addWidget(pages);
    auto* view = new QWidget(pages);
    auto* misc = new QWidget(pages);
    auto* calendar = new QWidget(pages);
    buildViewPage(view);
    buildMiscPage(misc);
    buildCalendarPage(calendar);
    pages->addTab(view, "Вид");
    pages->addTab(misc, "Разное");
    pages->addTab(calendar, "Календарь");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("ButtonsOkCancel");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
    QPushButton* reset_all = buttons->addButton("Всё по умолчанию", QDialogButtonBox::ResetRole);
    reset_all->setObjectName("ButtonAllDefault");
    SetHint(reset_all, "Вернуться к первоначальным установкам всех параметров программы");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reset_all, &QPushButton::clicked, this, [this] { done(kResetAll); });
    layout->addWidget(buttons);
}

QCheckBox* TPagesDlg::addCheck(QWidget* page, const char* name, const QString& caption, const QString& hint)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(name);
    if (!hint.isEmpty())
        SetHint(box, hint);
    connect(box, &QCheckBox::toggled, this, &TPagesDlg::updateDependents);
    return box;
}

QComboBox* TPagesDlg::addCombo(const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

void TPagesDlg::buildViewPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    status_bar_ = addCheck(page, "CheckBoxSostojanie", "Строку состояния");
    fast_hints_ = addCheck(page, "CheckBoxPost", "Указания о постных днях");
    date_in_caption_ = addCheck(page, "CheckBoxCaptData", "Дату в заголовке");
    splash_ = addCheck(page, "CheckBoxSastavka", "Заставку");
    rule_in_lectionary_ = addCheck(page, "CheckBoxPraviloSeeLec", "Домашнее правило в Лекционарии");
    tool_bar_ = addCheck(page, "CheckBoxInstrSt", "Панель инструментов:");
    menu_top_ = addCheck(page, "CheckBoxMenuTop", "Главное меню сверху");
    large_buttons_ = addCheck(page, "CheckBoxLargeIco", "Крупные кнопки");
    tool_bar_in_calendar_ = addCheck(page, "CheckBoxKnVKalendare", "Поместить в Календаре");
    liturgical_day_ = addCheck(page, "CheckBoxLiturDen", "Литургический день",
                               "После 15.00 показывать следующий литургический день");
    marker_unread_rule_ = addCheck(page, "CheckBoxIcoNeprPravilo", "Непрочитанного правила");
    marker_liturgical_day_ = addCheck(page, "CheckBoxIcoLiturgDen", "Литургического дня");
    under_feasts_ = addCheck(page, "CheckBoxPrPrint", "Праздники");
    under_jubilees_ = addCheck(page, "CheckBoxJubPrint", "Юбилеи");
    under_time_ = addCheck(page, "CheckBoxTimePrint", "Время");

    int row = 0;
    for (QCheckBox* box : {status_bar_, fast_hints_, date_in_caption_, splash_, rule_in_lectionary_})
        layout->addWidget(box, row++, 0, 1, 2);
    layout->addWidget(tool_bar_, row++, 0, 1, 2);
    for (QCheckBox* box : {menu_top_, large_buttons_, tool_bar_in_calendar_})
        layout->addWidget(box, row++, 1);
    layout->addWidget(liturgical_day_, row++, 0, 1, 2);

    int right = 0;
    layout->addWidget(new QLabel("Иконки:", page), right++, 2, 1, 2);
    layout->addWidget(marker_unread_rule_, right++, 3);
    layout->addWidget(marker_liturgical_day_, right++, 3);
    layout->addWidget(new QLabel("Под календарем: ", page), right++, 2, 1, 2);
    for (QCheckBox* box : {under_feasts_, under_jubilees_, under_time_})
        layout->addWidget(box, right++, 3);
    layout->setColumnMinimumWidth(0, 20);
    layout->setColumnMinimumWidth(2, 20);
    layout->setRowStretch(std::max(row, right), 1);
}

void TPagesDlg::buildMiscPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    autostart_ = addCheck(page, "CheckBoxAutoStart", "При входе в систему");
    autostart_once_ = addCheck(page, "CheckBoxOneDay", "один раз в день");
    start_mode_ = addCombo("ComboBoxSagr", {"максимальном", "оптимальном", "компактном", "в мини-индикте",
                                           "в системном трее"});
    one_copy_ = addCheck(page, "CheckBoxOneCopy", "в одной копии");
    desktop_icons_ = addCheck(page, "CheckBoxIcoDesktop", "Размещать Иконы дня на Рабочем столе");
    desktop_icon_count_ = addCombo("ComboBoxIcoDesktop", {"1", "2", "3", "4"});
    desktop_icon_days_ = addCombo("ComboBoxDenIcoDesktop", {"Воскресенья", "Субботы и Воскресенья", "Праздники",
                                                            "Вс и Праздники", "Сб и Вс и Праздники", "Ежедневно"});
    desktop_icons_liturgical_ = addCheck(page, "CheckBoxLiturgIcoDesktop", "Учитывать Литургический день",
                                         "Иконы на Рабочем столе будут размещаться после 15.00");
    typikon_source_ = addCombo("ComboBoxSBUkas", {});
    link_viewer_ = addCombo("ComboBoxLinks", {"программе", "новом окне просмотра", "броузере по умолчанию"});
    minimise_to_ = addCombo("ComboBoxPrSv", {"панель задач", "мини-индикт", "системный трей"});

    int row = 0;
    layout->addWidget(autostart_, row, 0, 1, 2);
    layout->addWidget(autostart_once_, row++, 2);
    auto* mode_label = new QLabel("В виде:", page);
    mode_label->setBuddy(start_mode_);
    layout->addWidget(mode_label, row, 1);
    layout->addWidget(start_mode_, row++, 2);
    layout->addWidget(one_copy_, row++, 1, 1, 2);
    layout->addWidget(desktop_icons_, row++, 0, 1, 3);
    layout->addWidget(desktop_icon_count_, row, 1);
    layout->addWidget(desktop_icon_days_, row++, 2);
    layout->addWidget(desktop_icons_liturgical_, row++, 1, 1, 2);
    const std::pair<const char*, QComboBox*> lists[] = {
        {"Смотреть Богослужебные указания:", typikon_source_},
        {"Открывать веб ссылки в:", link_viewer_},
        {"Сворачивать программу в:", minimise_to_},
    };
    for (const auto& [caption, combo] : lists) {
        auto* label = new QLabel(QString::fromUtf8(caption), page);
        label->setBuddy(combo);
        layout->addWidget(label, row, 0, 1, 2);
        layout->addWidget(combo, row++, 2);
    }
    layout->setColumnMinimumWidth(0, 20);
    layout->setRowStretch(row, 1);
}

void TPagesDlg::buildCalendarPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    auto* shown_label = new QLabel("Отображать:", page);
    classes_shown_ = new QListWidget(page);
    classes_shown_->setObjectName("CheckListBoxKalSee");
    shown_label->setBuddy(classes_shown_);
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        auto* item = new QListWidgetItem(CalendarClassName(i), classes_shown_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    classes_shown_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const auto& [caption, state] : {std::pair{"Выбрать все", Qt::Checked}, std::pair{"Снять весь выбор", Qt::Unchecked}}) {
        auto* action = new QAction(QString::fromUtf8(caption), classes_shown_);
        action->setObjectName(state == Qt::Checked ? "SelectAll" : "SelectNone");
        connect(action, &QAction::triggered, this, [this, state = state] {
            for (int i = 0; i < classes_shown_->count(); ++i)
                classes_shown_->item(i)->setCheckState(state);
        });
        classes_shown_->addAction(action);
    }

    auto* looks = new QGroupBox(" Оформление    ", page);
    looks->setObjectName("RadioGroupOform");
    auto* looks_layout = new QGridLayout(looks);
    class_choice_ = new QButtonGroup(this);
    for (int i = 0; i < kCalendarClassChoiceCount; ++i) {
        auto* radio = new QRadioButton(CalendarClassName(i), looks);
        radio->setObjectName(QString("RadioClass%1").arg(i));
        class_choice_->addButton(radio, i);
        looks_layout->addWidget(radio, i, 0);
    }
    class_choice_->button(0)->setChecked(true);
    connect(class_choice_, &QButtonGroup::idClicked, this, &TPagesDlg::showSample);
    sample_ = new QLabel(looks);
    sample_->setObjectName("MemoPrim");
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(170, 40);
    sample_->setFrameShape(QFrame::Box);
    looks_layout->addWidget(sample_, 0, 1, 2, 2);
    const std::tuple<const char*, const char*, void (TPagesDlg::*)()> buttons[] = {
        {"ButtonFont", "Шрифт", &TPagesDlg::stepFontColour},
        {"ButtonFon", "Фон", &TPagesDlg::stepBackgroundColour},
        {"ButtonDefault", "По умолчанию", &TPagesDlg::resetColours},
        {"ButtonRamka", "Рамка выбранного дня", &TPagesDlg::stepFrameColour},
    };
    int row = 2;
    for (const auto& [name, caption, step] : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(caption), looks);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, step);
        looks_layout->addWidget(button, row++, 1, 1, 2);
    }
    frame_sample_ = new QFrame(looks);
    frame_sample_->setObjectName("Shape");
    frame_sample_->setFixedSize(40, 28);
    looks_layout->addWidget(frame_sample_, row - 1, 3);

    first_day_ = addCombo("ComboBoxFirstDay", {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"});
    auto* first_day_label = new QLabel("Первый день недели: ", page);
    first_day_label->setBuddy(first_day_);

    layout->addWidget(shown_label, 0, 0);
    layout->addWidget(classes_shown_, 1, 0);
    layout->addWidget(looks, 0, 1, 2, 1);
    auto* first_day_row = new QHBoxLayout;
    first_day_row->addWidget(first_day_label);
    first_day_row->addWidget(first_day_);
    first_day_row->addStretch(1);
    layout->addLayout(first_day_row, 2, 0, 1, 2);
}

// A choice the desktop cannot give stands greyed, its hint saying why.
void TPagesDlg::offerChoice(QComboBox* combo, int index, bool available, const QString& why)
{
    auto* model = qobject_cast<QStandardItemModel*>(combo->model());
    if (!model || !model->item(index))
        return;
    model->item(index)->setEnabled(available);
    model->item(index)->setToolTip(available ? QString() : why);
}

void TPagesDlg::load(const ProgramOptions& options, const SettingsDialogContext& context)
{
    working_ = options;
    const std::pair<QCheckBox*, bool> checks[] = {
        {status_bar_, options.status_bar}, {fast_hints_, options.fast_hints},
        {date_in_caption_, options.date_in_caption}, {splash_, options.splash},
        {rule_in_lectionary_, options.rule_in_lectionary}, {tool_bar_, options.tool_bar},
        {menu_top_, options.menu_top}, {large_buttons_, options.large_buttons},
        {tool_bar_in_calendar_, options.tool_bar_in_calendar}, {liturgical_day_, options.liturgical_day},
        {marker_unread_rule_, options.marker_unread_rule}, {marker_liturgical_day_, options.marker_liturgical_day},
        {under_feasts_, options.under_feasts}, {under_jubilees_, options.under_jubilees},
        {under_time_, options.under_time}, {autostart_, options.autostart},
        {autostart_once_, options.autostart_once_a_day}, {one_copy_, options.one_copy},
        {desktop_icons_, options.desktop_icons}, {desktop_icons_liturgical_, options.desktop_icons_liturgical},
    };
    for (const auto& [box, on] : checks)
        box->setChecked(on);

    typikon_source_->clear();
    for (int site = 0; site < 3; ++site) {
        const QString host = site < context.typikon_sites.size() ? context.typikon_sites[site].trimmed() : QString();
        typikon_source_->addItem(host.isEmpty() ? QString("сайт %1 (адрес не задан)").arg(site + 1) : host);
    }
    if (context.typikon_choices > 3)
        typikon_source_->addItem("в программе");

    const QString no_tray = "На этом рабочем столе нет системного трея";
    const QString no_mini = "Нет программы «Mini» рядом с программой";
    offerChoice(start_mode_, kStartModeTray, context.tray_available, no_tray);
    offerChoice(minimise_to_, kMinimiseToTray, context.tray_available, no_tray);
    offerChoice(start_mode_, kStartModeMini, context.mini_available, no_mini);
    offerChoice(minimise_to_, kMinimiseToMini, context.mini_available, no_mini);

    start_mode_->setCurrentIndex(IndexInList(options.start_mode, start_mode_->count(), 1));
    desktop_icon_count_->setCurrentIndex(IndexInList(options.desktop_icon_count - 1, desktop_icon_count_->count(), 2));
    desktop_icon_days_->setCurrentIndex(IndexInList(options.desktop_icon_days, desktop_icon_days_->count(), 3));
    typikon_source_->setCurrentIndex(IndexInList(options.typikon_source, typikon_source_->count(), 0));
    link_viewer_->setCurrentIndex(IndexInList(options.link_viewer, link_viewer_->count(), 0));
    minimise_to_->setCurrentIndex(IndexInList(options.minimise_to, minimise_to_->count(), 1));
    first_day_->setCurrentIndex(IndexInList(options.first_day, first_day_->count(), 1));
    for (int i = 0; i < kCalendarClassChoiceCount; ++i)
        classes_shown_->item(i)->setCheckState(options.classes[static_cast<size_t>(i)].shown ? Qt::Checked : Qt::Unchecked);
    updateDependents();
    showSample();
}

ProgramOptions TPagesDlg::options() const
{
    ProgramOptions options = working_;
    options.status_bar = status_bar_->isChecked();
    options.fast_hints = fast_hints_->isChecked();
    options.date_in_caption = date_in_caption_->isChecked();
    options.splash = splash_->isChecked();
    options.rule_in_lectionary = rule_in_lectionary_->isChecked();
    options.tool_bar = tool_bar_->isChecked();
    options.menu_top = menu_top_->isChecked();
    options.large_buttons = large_buttons_->isChecked();
    options.tool_bar_in_calendar = tool_bar_in_calendar_->isChecked();
    options.liturgical_day = liturgical_day_->isChecked();
    options.marker_unread_rule = marker_unread_rule_->isChecked();
    options.marker_liturgical_day = marker_liturgical_day_->isChecked();
    options.under_feasts = under_feasts_->isChecked();
    options.under_jubilees = under_jubilees_->isChecked();
    options.under_time = under_time_->isChecked();
    options.autostart = autostart_->isChecked();
    options.autostart_once_a_day = autostart_once_->isChecked();
    options.start_mode = start_mode_->currentIndex();
    options.one_copy = one_copy_->isChecked();
    options.desktop_icons = desktop_icons_->isChecked();
    options.desktop_icon_count = desktop_icon_count_->currentIndex() + 1;
    options.desktop_icon_days = desktop_icon_days_->currentIndex();
    options.desktop_icons_liturgical = desktop_icons_liturgical_->isChecked();
    options.typikon_source = typikon_source_->currentIndex();
    options.link_viewer = link_viewer_->currentIndex();
    options.minimise_to = minimise_to_->currentIndex();
    for (int i = 0; i < kCalendarClassChoiceCount; ++i)
        options.classes[static_cast<size_t>(i)].shown = classes_shown_->item(i)->checkState() == Qt::Checked;
    options.first_day = first_day_->currentIndex();
    return options;
}

// A control that refines another is enabled only while that one is on.
void TPagesDlg::updateDependents()
{
    for (QWidget* dependent : std::initializer_list<QWidget*>{menu_top_, large_buttons_, tool_bar_in_calendar_})
        dependent->setEnabled(tool_bar_->isChecked());
    autostart_once_->setEnabled(autostart_->isChecked());
    for (QWidget* dependent :
         std::initializer_list<QWidget*>{desktop_icon_count_, desktop_icon_days_, desktop_icons_liturgical_})
        dependent->setEnabled(desktop_icons_->isChecked());
}

int TPagesDlg::chosenClass() const { return std::max(0, class_choice_->checkedId()); }

void TPagesDlg::showSample()
{
    const ClassLook& look = working_.classes[static_cast<size_t>(chosenClass())];
    sample_->setText(CalendarClassName(chosenClass()));
    sample_->setStyleSheet("QLabel { color: " + CssOf(look.font) + "; background-color: " + CssOf(look.background) + "; }");
    frame_sample_->setStyleSheet("QFrame { border: 3px solid " + CssOf(working_.frame_colour) + "; background: white; }");
}

void TPagesDlg::stepFontColour()
{
    int& colour = working_.classes[static_cast<size_t>(chosenClass())].font;
    colour = NextCalendarColour(colour);
    showSample();
}

void TPagesDlg::stepBackgroundColour()
{
    int& colour = working_.classes[static_cast<size_t>(chosenClass())].background;
    colour = NextCalendarColour(colour);
    showSample();
}

void TPagesDlg::stepFrameColour()
{
    working_.frame_colour = NextCalendarColour(working_.frame_colour);
    showSample();
}

void TPagesDlg::resetColours()
{
    ResetCalendarColours(working_);
    showSample();
}

}  // namespace indikt
