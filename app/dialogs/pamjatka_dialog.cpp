#include "pamjatka_dialog.h"

#include "platform/autostart.h"
#include "platform/companion.h"

#include "calendar/paschalion.h"

#include "texts/ini_file.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace indikt {

namespace {

// Day 0 of the calendar, 30 December 1899, as a Julian day number.
constexpr qint64 kJulianDayOfSerialZero = 2415019;

constexpr const char* kTitle = "Памятка";
constexpr const char* kFileFilter = "Текстовые файлы (*.txt);;Все файлы (*)";
const QColor kInactiveColour(128, 128, 128);

QDateEdit* MakeDatePicker(const char* name, const char* format, QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setDisplayFormat(format);
    picker->setCalendarPopup(true);
    picker->setDateRange(ToQDate(kFirstDate), ToQDate(kLastDate));
    return picker;
}

QTreeWidget* MakeList(const char* name, const QStringList& headings, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(headings);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    return list;
}

QComboBox* MakeNameBox(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(260);
    return box;
}

// A name box with its caption above it; the caption's accelerator focuses the box.
QWidget* Labelled(const char* caption, QComboBox* box, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QString::fromUtf8(caption), holder);
    label->setBuddy(box);
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addStretch(1);
    return holder;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QRadioButton* MakeRadio(const char* name, const char* caption, QWidget* parent, QButtonGroup* group)
{
    auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
    radio->setObjectName(name);
    group->addButton(radio);
    return radio;
}

QString CountText(std::size_t count) { return count == 0 ? QString() : "Всего: " + QString::number(count); }

// Rows of the list that are selected, in list order.
std::vector<int> SelectedRows(const QTreeWidget* list)
{
    std::vector<int> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected())
            rows.push_back(i);
    return rows;
}

void FitColumns(QTreeWidget* list)
{
    for (int column = 0; column < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

// The row being edited is shown in italics until the changed row is added.
void MarkEdited(QTreeWidgetItem* item)
{
    for (int column = 0; column < item->columnCount(); ++column) {
        QFont font = item->font(column);
        font.setItalic(true);
        item->setFont(column, font);
        item->setToolTip(column, "Изменяется: исправьте поля и нажмите \"Добавить\"");
    }
}

}  // namespace

QDate ToQDate(Date date) { return QDate::fromJulianDay(date.serial() + kJulianDayOfSerialZero); }
Date FromQDate(const QDate& date) { return Date(int(date.toJulianDay() - kJulianDayOfSerialZero)); }

TPamjatka::TPamjatka(MemoBook& book, PamjatkaContext context, Asker& asker, QWidget* parent)
    : QDialog(parent), book_(book), context_(std::move(context)), asker_(asker)
{
    setObjectName("TPamjatka");
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    layout->addWidget(pages_);
    buildJubilees();
    buildFeasts();
    buildEvents();
    buildSettings();

    auto* bottom = new QHBoxLayout;
    QPushButton* import_button = MakeButton("BitBtnOpen", "Импорт", this);
    QPushButton* export_button = MakeButton("BitBtnSave", "Экспорт", this);
    QPushButton* close_button = MakeButton("BitBtnClose", "Закрыть", this);
    bottom->addWidget(import_button);
    bottom->addWidget(export_button);
    bottom->addStretch(1);
    bottom->addWidget(close_button);
    layout->addLayout(bottom);
    connect(import_button, &QPushButton::clicked, this, &TPamjatka::BitBtnOpenClick);
    connect(export_button, &QPushButton::clicked, this, &TPamjatka::BitBtnSaveClick);
    connect(close_button, &QPushButton::clicked, this, &QDialog::reject);
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (QComboBox* box = nameBoxOf(MemoList(pages_->currentIndex())))
            box->setFocus();
    });
    resize(760, 520);
    readSettings();
}

void TPamjatka::buildJubilees()
{
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    list_jubilees_ = MakeList("ListView1", {"Дата", "Юбилей", "Ожидание", "От Пасхи", "Число лет"}, page);
    layout->addWidget(list_jubilees_, 1);
    count_jubilees_ = new QLabel(page);
    count_jubilees_->setObjectName("LabelVsegoYub");
    layout->addWidget(count_jubilees_);
    preview_jubilee_ = new QLabel(page);
    preview_jubilee_->setObjectName("LabelNewYub");
    layout->addWidget(preview_jubilee_);

    auto* inputs = new QHBoxLayout;
    picker_jubilee_ = MakeDatePicker("DateTimePicker", "dd.MM.yyyy", page);
    inputs->addWidget(picker_jubilee_);
    auto* kind = new QGroupBox(page);
    kind->setObjectName("RadioGroupVidYub");
    kind->setTitle("Вид");
    auto* kind_layout = new QVBoxLayout(kind);
    auto* kind_group = new QButtonGroup(kind);
    jubilee_fixed_ = MakeRadio("RadioYubFixed", "Не переходящий", kind, kind_group);
    jubilee_movable_ = MakeRadio("RadioYubMovable", "Переходящий", kind, kind_group);
    jubilee_fixed_->setChecked(true);
    kind_layout->addWidget(jubilee_fixed_);
    kind_layout->addWidget(jubilee_movable_);
    inputs->addWidget(kind);
    auto* years = new QGroupBox(page);
    years->setObjectName("RadioGroupNumGodYub");
    years->setTitle("Число лет");
    auto* years_layout = new QVBoxLayout(years);
    auto* years_group = new QButtonGroup(years);
    jubilee_years_shown_ = MakeRadio("RadioYubYears", "Выводить", years, years_group);
    jubilee_years_hidden_ = MakeRadio("RadioYubNoYears", "Не выводить", years, years_group);
    jubilee_years_shown_->setChecked(true);
    years_layout->addWidget(jubilee_years_shown_);
    years_layout->addWidget(jubilee_years_hidden_);
    inputs->addWidget(years);
    name_jubilee_ = MakeNameBox("ComboBoxYub", page);
    inputs->addWidget(Labelled("&Юбилей:", name_jubilee_, page), 1);
    layout->addLayout(inputs);

    auto* buttons = new QHBoxLayout;
    add_jubilee_ = MakeButton("BitBtnNew", "Добавить", page);
    edit_jubilee_ = MakeButton("BitBtnEdit", "Изменить", page);
    delete_jubilee_ = MakeButton("BitBtnDel", "Удалить", page);
    buttons->addWidget(add_jubilee_);
    buttons->addWidget(edit_jubilee_);
    buttons->addWidget(delete_jubilee_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    pages_->addTab(page, "Юбилеи");

    connect(add_jubilee_, &QPushButton::clicked, this, &TPamjatka::BitBtnNewClick);
    connect(edit_jubilee_, &QPushButton::clicked, this, [this] { editRow(MemoList::Jubilees); });
    connect(delete_jubilee_, &QPushButton::clicked, this, [this] { deleteRows(MemoList::Jubilees); });
    connect(picker_jubilee_, &QDateEdit::dateChanged, this, &TPamjatka::updatePreviews);
    connect(jubilee_movable_, &QRadioButton::toggled, this, &TPamjatka::updatePreviews);
}

void TPamjatka::buildFeasts()
{
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    list_feasts_ = MakeList("ListView2", {"Дата", "Праздник", "Ожидание", "Вид", "Статус", "От Пасхи"}, page);
    layout->addWidget(list_feasts_, 1);
    count_feasts_ = new QLabel(page);
    count_feasts_->setObjectName("LabelVsegoPr");
    layout->addWidget(count_feasts_);
    preview_feast_ = new QLabel(page);
    preview_feast_->setObjectName("LabelNewPr");
    layout->addWidget(preview_feast_);

    auto* inputs = new QHBoxLayout;
    picker_feast_ = MakeDatePicker("DateTimePicker1", "dd.MM", page);
    inputs->addWidget(picker_feast_);
    auto* kind = new QGroupBox(page);
    kind->setObjectName("RadioGroupVid");
    kind->setTitle("Вид");
    auto* kind_layout = new QVBoxLayout(kind);
    auto* kind_group = new QButtonGroup(kind);
    feast_fixed_ = MakeRadio("RadioPrFixed", "Не переходящий", kind, kind_group);
    feast_movable_ = MakeRadio("RadioPrMovable", "Переходящий", kind, kind_group);
    feast_fixed_->setChecked(true);
    kind_layout->addWidget(feast_fixed_);
    kind_layout->addWidget(feast_movable_);
    inputs->addWidget(kind);
    auto* status = new QGroupBox(page);
    status->setObjectName("RadioGroupStatus");
    status->setTitle("Статус");
    auto* status_layout = new QVBoxLayout(status);
    auto* status_group = new QButtonGroup(status);
    feast_church_ = MakeRadio("RadioPrChurch", "Правосл-ный", status, status_group);
    feast_civil_ = MakeRadio("RadioPrCivil", "Государ-ный", status, status_group);
    feast_other_ = MakeRadio("RadioPrOther", "Иной", status, status_group);
    feast_church_->setChecked(true);
    status_layout->addWidget(feast_church_);
    status_layout->addWidget(feast_civil_);
    status_layout->addWidget(feast_other_);
    inputs->addWidget(status);
    name_feast_ = MakeNameBox("ComboBoxPr", page);
    inputs->addWidget(Labelled("&Праздник:", name_feast_, page), 1);
    layout->addLayout(inputs);

    auto* buttons = new QHBoxLayout;
    add_feast_ = MakeButton("BitBtnNewPr", "Добавить", page);
    edit_feast_ = MakeButton("BitBtnEditPr", "Изменить", page);
    delete_feast_ = MakeButton("BitBtnDelPr", "Удалить", page);
    buttons->addWidget(add_feast_);
    buttons->addWidget(edit_feast_);
    buttons->addWidget(delete_feast_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    pages_->addTab(page, "Праздники");

    connect(add_feast_, &QPushButton::clicked, this, &TPamjatka::BitBtnNewPrClick);
    connect(edit_feast_, &QPushButton::clicked, this, [this] { editRow(MemoList::Feasts); });
    connect(delete_feast_, &QPushButton::clicked, this, [this] { deleteRows(MemoList::Feasts); });
    connect(picker_feast_, &QDateEdit::dateChanged, this, &TPamjatka::updatePreviews);
    connect(feast_movable_, &QRadioButton::toggled, this, &TPamjatka::updatePreviews);
}

void TPamjatka::buildEvents()
{
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    list_events_ = MakeList("ListViewSob", {"Период", "Время", "Дата", "Событие", "Ожидание"}, page);
    layout->addWidget(list_events_, 1);
    count_events_ = new QLabel(page);
    count_events_->setObjectName("LabelVsegoSob");
    layout->addWidget(count_events_);
    preview_event_ = new QLabel(page);
    preview_event_->setObjectName("LabelNewSob");
    layout->addWidget(preview_event_);

    auto* inputs = new QHBoxLayout;
    period_ = new QComboBox(page);
    period_->setObjectName("ComboBoxSobDl");
    for (const EventPeriod period : {EventPeriod::Once, EventPeriod::Daily, EventPeriod::Monthly, EventPeriod::Yearly})
        period_->addItem(PeriodText(period), int(period));
    inputs->addWidget(period_);
    // A plain field: a time typed over the selected one is taken as typed.
    picker_time_ = new QLineEdit(page);
    picker_time_->setObjectName("DateTimePickerSobVr");
    picker_time_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([01]?[0-9]|2[0-3])(:[0-5]?[0-9]?)?")), picker_time_));
    picker_time_->setMaxLength(5);
    picker_time_->setFixedWidth(picker_time_->fontMetrics().horizontalAdvance("00:000") + 16);
    picker_time_->setToolTip("Время события, чч:мм");
    inputs->addWidget(picker_time_);
    picker_event_ = MakeDatePicker("DateTimePickerSob", "dd.MM.yyyy", page);
    inputs->addWidget(picker_event_);
    name_event_ = MakeNameBox("ComboBoxSob", page);
    inputs->addWidget(Labelled("&Событие:", name_event_, page), 1);
    layout->addLayout(inputs);

    auto* buttons = new QHBoxLayout;
    add_event_ = MakeButton("BitBtnNewSob", "Добавить", page);
    edit_event_ = MakeButton("BitBtnEditSob", "Изменить", page);
    delete_event_ = MakeButton("BitBtnDelSob", "Удалить", page);
    buttons->addWidget(add_event_);
    buttons->addWidget(edit_event_);
    buttons->addWidget(delete_event_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    pages_->addTab(page, "События");

    connect(add_event_, &QPushButton::clicked, this, &TPamjatka::BitBtnNewSobClick);
    connect(edit_event_, &QPushButton::clicked, this, [this] { editRow(MemoList::Events); });
    connect(delete_event_, &QPushButton::clicked, this, [this] { deleteRows(MemoList::Events); });
    connect(period_, &QComboBox::currentIndexChanged, this, &TPamjatka::updatePreviews);
    connect(picker_time_, &QLineEdit::textChanged, this, &TPamjatka::updatePreviews);
    connect(picker_event_, &QDateEdit::dateChanged, this, &TPamjatka::updatePreviews);
    connect(list_events_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!filling_ && column == 0)
            eventItemChanged(list_events_->indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
    });

    // What every list shares: the buttons follow the selection and the name
    // box, the headings sort, Delete deletes.
    for (const MemoList list : {MemoList::Jubilees, MemoList::Feasts, MemoList::Events}) {
        QTreeWidget* view = listOf(list);
        connect(view, &QTreeWidget::itemSelectionChanged, this, &TPamjatka::updateButtons);
        connect(nameBoxOf(list), &QComboBox::editTextChanged, this, &TPamjatka::updateButtons);
        connect(view->header(), &QHeaderView::sectionClicked, this, [this, list](int column) {
            book_.sort(list, book_.sortOrder(list).clicked(column));
            fillAll();
        });
        auto* remove = new QAction(view);
        remove->setShortcut(QKeySequence::Delete);
        remove->setShortcutContext(Qt::WidgetShortcut);
        view->addAction(remove);
        connect(remove, &QAction::triggered, this, [this, list] {
            if (addButtonOf(list) && SelectedRows(listOf(list)).size() > 0)
                deleteRows(list);
        });
        connect(nameBoxOf(list)->lineEdit(), &QLineEdit::returnPressed, addButtonOf(list), &QPushButton::click);
    }
}

void TPamjatka::buildSettings()
{
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    once_a_day_ = new QCheckBox("Один раз в день", page);
    once_a_day_->setObjectName("CheckBoxRasDen");
    once_a_day_->setToolTip("Выводить сообщения только один раз в день");
    with_system_ = new QCheckBox("При входе в систему", page);
    with_system_->setObjectName("CheckBoxWin");
    opening_messages_ = new QCheckBox("При открытии программы", page);
    opening_messages_->setObjectName("CheckBoxSob");
    layout->addWidget(once_a_day_);
    layout->addWidget(with_system_);
    layout->addWidget(opening_messages_);

    const auto days_row = [&](QCheckBox*& box, QSpinBox*& spin, const char* box_name, const char* caption,
                              const char* spin_name) {
        auto* row = new QHBoxLayout;
        box = new QCheckBox(QString::fromUtf8(caption), page);
        box->setObjectName(box_name);
        spin = new QSpinBox(page);
        spin->setObjectName(spin_name);
        spin->setRange(0, kMaxMessageDays);
        spin->setSuffix(" дн.");
        row->addWidget(box);
        row->addWidget(spin);
        row->addStretch(1);
        layout->addLayout(row);
        QCheckBox* own = box;
        connect(spin, &QSpinBox::valueChanged, this, [own](int value) {
            if (value > 0)
                own->setChecked(true);
        });
    };
    days_row(feast_messages_, feast_days_, "CheckBoxZerPrasd", "О предстоящих праздниках за ", "SpinEditPrasd");
    kinds_seen_ = new QListWidget(page);
    kinds_seen_->setObjectName("CheckListBoxPamSee");
    for (const char* caption : {"Православные праздники", "Государственные праздники", "Иные праздники"}) {
        auto* item = new QListWidgetItem(QString::fromUtf8(caption), kinds_seen_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    kinds_seen_->setMaximumHeight(80);
    kinds_seen_->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(kinds_seen_);
    days_row(jubilee_messages_, jubilee_days_, "CheckBoxPredSob", "О предстоящих юбилеях за ", "SpinEditSob");

    auto* message = MakeButton("BitBtnMessage", "Сообщить", page);
    auto* message_row = new QHBoxLayout;
    message_row->addWidget(message);
    message_row->addStretch(1);
    layout->addLayout(message_row);
    layout->addStretch(1);
    pages_->addTab(page, "Настройки");

    const auto set_all = [this](Qt::CheckState state) {
        for (int i = 0; i < kinds_seen_->count(); ++i)
            kinds_seen_->item(i)->setCheckState(state);
    };
    connect(kinds_seen_, &QListWidget::itemChanged, this, [this] {
        bool any = false;
        for (int i = 0; i < kinds_seen_->count(); ++i)
            any = any || kinds_seen_->item(i)->checkState() == Qt::Checked;
        if (!any)
            feast_messages_->setChecked(false);
    });
    connect(feast_messages_, &QCheckBox::toggled, this, [this, set_all](bool on) {
        kinds_seen_->setEnabled(on);
        if (!on)
            return;
        bool any = false;
        for (int i = 0; i < kinds_seen_->count(); ++i)
            any = any || kinds_seen_->item(i)->checkState() == Qt::Checked;
        if (!any)
            set_all(Qt::Checked);
    });
    connect(kinds_seen_, &QListWidget::customContextMenuRequested, this, [this, set_all](const QPoint& point) {
        QMenu menu(kinds_seen_);
        menu.addAction("Выбрать все", [set_all] { set_all(Qt::Checked); });
        menu.addAction("Снять весь выбор", [this, set_all] {
            set_all(Qt::Unchecked);
            feast_messages_->setChecked(false);
        });
        menu.exec(kinds_seen_->viewport()->mapToGlobal(point));
    });
    connect(message, &QPushButton::clicked, this, &TPamjatka::BitBtnMessageClick);
}

QTreeWidget* TPamjatka::listOf(MemoList list) const
{
    switch (list) {
    case MemoList::Jubilees: return list_jubilees_;
    case MemoList::Feasts: return list_feasts_;
    case MemoList::Events: return list_events_;
    }
    return nullptr;
}

QComboBox* TPamjatka::nameBoxOf(MemoList list) const
{
    switch (list) {
    case MemoList::Jubilees: return name_jubilee_;
    case MemoList::Feasts: return name_feast_;
    case MemoList::Events: return name_event_;
    }
    return nullptr;
}

QPushButton* TPamjatka::addButtonOf(MemoList list) const
{
    switch (list) {
    case MemoList::Jubilees: return add_jubilee_;
    case MemoList::Feasts: return add_feast_;
    case MemoList::Events: return add_event_;
    }
    return nullptr;
}

void TPamjatka::OpenPamjatka(Date date, int minute)
{
    for (QDateEdit* picker : {picker_jubilee_, picker_feast_, picker_event_})
        picker->setDate(ToQDate(ClampToCalendarRange(date)));
    picker_time_->setText(MinuteText(minute));
    book_.open();
    book_.sortByWaiting();
    fillAll();
    if (const QString message = book_.loadMessage(); !message.isEmpty())
        emit notice(message);
}

void TPamjatka::showTab(int index)
{
    if (index >= 0 && index < pages_->count())
        pages_->setCurrentIndex(index);
}

void TPamjatka::setOpeningMessages(bool on) { opening_messages_->setChecked(on); }
bool TPamjatka::openingMessages() const { return opening_messages_->isChecked(); }

void TPamjatka::fillAll()
{
    OpenListView1();
    OpenListView2();
    OpenListViewSob();
    updatePreviews();
    updateButtons();
}

void TPamjatka::OpenListView1()
{
    list_jubilees_->clear();
    const std::optional<int> edited = book_.editedRow(MemoList::Jubilees);
    int row = 0;
    for (const YubRecord& jubilee : book_.lists().jubilees) {
        auto* item = new QTreeWidgetItem(list_jubilees_, JubileeColumns(jubilee));
        if (edited == row++)
            MarkEdited(item);
    }
    count_jubilees_->setText(CountText(book_.lists().jubilees.size()));
    FitColumns(list_jubilees_);
}

void TPamjatka::OpenListView2()
{
    list_feasts_->clear();
    const std::optional<int> edited = book_.editedRow(MemoList::Feasts);
    int row = 0;
    for (const PrasdRecord& feast : book_.lists().feasts) {
        auto* item = new QTreeWidgetItem(list_feasts_, FeastColumns(feast));
        if (edited == row++)
            MarkEdited(item);
    }
    count_feasts_->setText(CountText(book_.lists().feasts.size()));
    FitColumns(list_feasts_);
}

void TPamjatka::OpenListViewSob()
{
    filling_ = true;
    list_events_->clear();
    const std::optional<int> edited = book_.editedRow(MemoList::Events);
    int row = 0;
    for (const SobRecord& event : book_.lists().events) {
        auto* item = new QTreeWidgetItem(list_events_, EventColumns(event));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, event.active ? Qt::Checked : Qt::Unchecked);
        if (!event.active)
            for (int column = 0; column < item->columnCount(); ++column)
                item->setForeground(column, kInactiveColour);
        if (edited == row++)
            MarkEdited(item);
    }
    count_events_->setText(CountText(book_.lists().events.size()));
    FitColumns(list_events_);
    filling_ = false;
}

void TPamjatka::updatePreviews()
{
    const MemoClock& clock = book_.clock();
    preview_jubilee_->setText(
        NewJubileePreview(FromQDate(picker_jubilee_->date()), jubilee_movable_->isChecked()));
    preview_feast_->setText(NewFeastPreview(FromQDate(picker_feast_->date()), feast_movable_->isChecked()));
    const std::optional<int> minute = ParseMinute(picker_time_->text());
    preview_event_->setText(minute ? NewEventPreview(EventPeriod(period_->currentData().toInt()),
                                                     FromQDate(picker_event_->date()), *minute, clock)
                                   : QString("Новое событие: введите время в виде чч:мм"));
}

void TPamjatka::updateButtons()
{
    const struct {
        MemoList list;
        QPushButton* edit;
        QPushButton* remove;
    } pages[] = {
        {MemoList::Jubilees, edit_jubilee_, delete_jubilee_},
        {MemoList::Feasts, edit_feast_, delete_feast_},
        {MemoList::Events, edit_event_, delete_event_},
    };
    for (const auto& page : pages) {
        const std::size_t selected = SelectedRows(listOf(page.list)).size();
        page.edit->setEnabled(selected == 1);
        page.remove->setEnabled(selected > 0);
        addButtonOf(page.list)->setEnabled(!nameBoxOf(page.list)->currentText().trimmed().isEmpty());
    }
}

void TPamjatka::rememberName(QComboBox* box, const QString& name)
{
    if (box->findText(name) < 0)
        box->addItem(name);
}

void TPamjatka::afterWrite(const WriteResult& result)
{
    fillAll();
    if (!result.ok()) {
        asker_.tell(this, kTitle, result.error);
        return;
    }
    if (!book_.lastNotice().isEmpty())
        emit notice(book_.lastNotice());
    emit memoSaved();
}

// Adding: the new row goes on top, is selected and shown; the name box is
// emptied and remembers the name.
void TPamjatka::BitBtnNewClick()
{
    const QString name = name_jubilee_->currentText().trimmed();
    if (const QString problem = NameProblem(name); !problem.isEmpty())
        return asker_.tell(this, kTitle, problem);
    const WriteResult result = book_.addJubilee({.name = name,
                                                 .picked = FromQDate(picker_jubilee_->date()),
                                                 .movable = jubilee_movable_->isChecked(),
                                                 .show_years = jubilee_years_shown_->isChecked()});
    rememberName(name_jubilee_, name);
    name_jubilee_->setEditText({});
    afterWrite(result);
    list_jubilees_->setCurrentItem(list_jubilees_->topLevelItem(0));
    list_jubilees_->setFocus();
}

void TPamjatka::BitBtnNewPrClick()
{
    const QString name = name_feast_->currentText().trimmed();
    if (const QString problem = NameProblem(name); !problem.isEmpty())
        return asker_.tell(this, kTitle, problem);
    const FeastStatus status = feast_church_->isChecked()  ? FeastStatus::Church
                               : feast_civil_->isChecked() ? FeastStatus::Civil
                                                           : FeastStatus::Other;
    const WriteResult result = book_.addFeast({.name = name,
                                               .picked = FromQDate(picker_feast_->date()),
                                               .movable = feast_movable_->isChecked(),
                                               .status = status});
    rememberName(name_feast_, name);
    name_feast_->setEditText({});
    afterWrite(result);
    list_feasts_->setCurrentItem(list_feasts_->topLevelItem(0));
    list_feasts_->setFocus();
}

void TPamjatka::BitBtnNewSobClick()
{
    const QString name = name_event_->currentText().trimmed();
    if (const QString problem = NameProblem(name); !problem.isEmpty())
        return asker_.tell(this, kTitle, problem);
    const std::optional<int> minute = ParseMinute(picker_time_->text());
    if (!minute) {
        picker_time_->setFocus();
        return asker_.tell(this, kTitle, "Введите время события в виде чч:мм, например 18:00.");
    }
    const WriteResult result = book_.addEvent({.name = name,
                                               .period = EventPeriod(period_->currentData().toInt()),
                                               .minute = *minute,
                                               .date = FromQDate(picker_event_->date())});
    rememberName(name_event_, name);
    name_event_->setEditText({});
    afterWrite(result);
    list_events_->setCurrentItem(list_events_->topLevelItem(0));
    list_events_->setFocus();
}

void TPamjatka::editRow(MemoList list)
{
    const std::vector<int> rows = SelectedRows(listOf(list));
    if (rows.size() != 1)
        return;
    const std::size_t row = std::size_t(rows.front());
    const MemoLists& lists = book_.lists();
    switch (list) {
    case MemoList::Jubilees: {
        const YubRecord& jubilee = lists.jubilees[row];
        picker_jubilee_->setDate(ToQDate(jubilee.stored));
        name_jubilee_->setEditText(jubilee.name);
        (jubilee.movable() ? jubilee_movable_ : jubilee_fixed_)->setChecked(true);
        (jubilee.show_years ? jubilee_years_shown_ : jubilee_years_hidden_)->setChecked(true);
        break;
    }
    case MemoList::Feasts: {
        const PrasdRecord& feast = lists.feasts[row];
        picker_feast_->setDate(ToQDate(feast.occurrence));
        name_feast_->setEditText(feast.name);
        (feast.movable ? feast_movable_ : feast_fixed_)->setChecked(true);
        (feast.status == FeastStatus::Church  ? feast_church_
         : feast.status == FeastStatus::Civil ? feast_civil_
                                              : feast_other_)
            ->setChecked(true);
        break;
    }
    case MemoList::Events: {
        const SobRecord& event = lists.events[row];
        period_->setCurrentIndex(period_->findData(int(event.period)));
        picker_time_->setText(MinuteText(event.minute));
        picker_event_->setDate(ToQDate(event.stored));
        name_event_->setEditText(event.name);
        break;
    }
    }
    book_.beginEdit(list, int(row));
    fillAll();
    nameBoxOf(list)->setFocus();
}

void TPamjatka::deleteRows(MemoList list)
{
    QTreeWidget* view = listOf(list);
    const std::vector<int> rows = SelectedRows(view);
    if (rows.empty())
        return;
    const bool one = rows.size() == 1;
    const char* question = nullptr;
    switch (list) {
    case MemoList::Jubilees: question = one ? "Удалить выделенный юбилей?" : "Удалить выделенные юбилеи?"; break;
    case MemoList::Feasts: question = one ? "Удалить выделенный праздник?" : "Удалить выделенные праздники?"; break;
    case MemoList::Events: question = one ? "Удалить выделенное событие?" : "Удалить выделенные события?"; break;
    }
    const QMessageBox::StandardButton answer = asker_.ask(
        this, kTitle, QString::fromUtf8(question), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes) {
        view->clearSelection();
        return;
    }
    afterWrite(book_.remove(list, rows));
}

void TPamjatka::eventItemChanged(int row, bool checked)
{
    if (row < 0 || row >= int(book_.lists().events.size()) || book_.lists().events[std::size_t(row)].active == checked)
        return;
    afterWrite(book_.setEventActive(row, checked));
}

void TPamjatka::BitBtnOpenClick()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = asker_.openFileName(this, "Импорт", documents, kFileFilter);
    if (path.isEmpty())
        return;
    const MemoBook::ImportFile file = book_.readImport(path);
    if (!file.error.isEmpty())
        return asker_.tell(this, kTitle, file.error);
    ImportChoices choices;
    if (!book_.lists().empty()) {
        const ImportKinds kinds{!file.lists.jubilees.empty(), !file.lists.feasts.empty(), !file.lists.events.empty()};
        const std::optional<ImportChoices> chosen = asker_.importChoices(this, kinds);
        if (!chosen)
            return;
        choices = *chosen;
    }
    afterWrite(book_.applyImport(file.lists, choices));
}

void TPamjatka::BitBtnSaveClick()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = asker_.saveFileName(this, "Экспорт", documents, kFileFilter, "txt");
    if (path.isEmpty())
        return;
    if (const WriteResult result = book_.exportTo(path); !result.ok())
        asker_.tell(this, kTitle, result.error);
}

void TPamjatka::BitBtnMessageClick()
{
    PamSave(true);
    const QString program = CompanionProgram(context_.program_folder, "Events.exe");
    if (program.isEmpty()) {
        asker_.tell(this, kTitle, "Программа сообщений \"Events\" не найдена рядом с программой.");
        return;
    }
    // The companion reads the same data root as the program.
    if (!QProcess::startDetached(program, {"--data-root", context_.folder, "jp"}))
        asker_.tell(this, kTitle, "Не удалось запустить программу сообщений \"" + program + "\".");
}

QString TPamjatka::sobIniPath() const { return QDir(context_.folder).filePath(kSobIniFileName); }

void TPamjatka::readSettings()
{
    read_settings_ = ReadSobSettings(ReadIniFile(sobIniPath()).file);
    const SobSettings& s = read_settings_;
    once_a_day_->setChecked(s.once_a_day);
    with_system_->setChecked(s.with_system);
    kinds_seen_->item(0)->setCheckState(s.church ? Qt::Checked : Qt::Unchecked);
    kinds_seen_->item(1)->setCheckState(s.civil ? Qt::Checked : Qt::Unchecked);
    kinds_seen_->item(2)->setCheckState(s.other ? Qt::Checked : Qt::Unchecked);
    feast_days_->setValue(s.feast_days);
    jubilee_days_->setValue(s.jubilee_days);
    feast_messages_->setChecked(s.feast_messages);
    jubilee_messages_->setChecked(s.jubilee_messages);
    kinds_seen_->setEnabled(s.feast_messages);
}

void TPamjatka::PamSave(bool for_message)
{
    SobSettings s = read_settings_;
    s.once_a_day = for_message ? false : once_a_day_->isChecked();
    s.with_system = with_system_->isChecked();
    s.feast_messages = feast_messages_->isChecked();
    if (s.feast_messages)
        s.feast_days = feast_days_->value();
    s.jubilee_messages = jubilee_messages_->isChecked();
    if (s.jubilee_messages)
        s.jubilee_days = jubilee_days_->value();
    s.church = kinds_seen_->item(0)->checkState() == Qt::Checked;
    s.civil = kinds_seen_->item(1)->checkState() == Qt::Checked;
    s.other = kinds_seen_->item(2)->checkState() == Qt::Checked;

    // Start with the session: the entry "Памятка" starts the messages program.
    if (!context_.autostart_folder.isEmpty()) {
        QString error;
        const QString program = CompanionProgram(context_.program_folder, "Events.exe");
        bool ok = true;
        if (s.with_system && !program.isEmpty()) {
            AutostartEntry entry{.name = kAutostartPamjatka, .program_path = program, .data_root = context_.folder,
                                 .start_mode = 1, .argument = "jp"};
            ok = WriteAutostartEntry(context_.autostart_folder, entry, &error);
        } else {
            ok = RemoveAutostartEntry(context_.autostart_folder, kAutostartPamjatka, context_.folder, &error);
        }
        if (!ok)
            emit notice("Автозапуск сообщений не изменён: " + error);
    }

    // A file that could not be read is not written over; the dialog goes on
    // either way, and the status bar says what was not stored.
    IniReadResult read = ReadIniFile(sobIniPath());
    if (!read.error.isEmpty()) {
        emit notice("sob.ini: " + read.error);
        return;
    }
    WriteSobSettings(read.file, s);
    const WriteResult saved = SaveIniFile(read.file, sobIniPath());
    if (saved.ok())
        read_settings_ = s;
    else
        emit notice("Настройки сообщений не сохранены: " + saved.error);
}

void TPamjatka::onActivated()
{
    updatePreviews();
    book_.sortByWaiting();
    fillAll();
    readSettings();
    if (QComboBox* box = nameBoxOf(MemoList(pages_->currentIndex())))
        box->setFocus();
}

void TPamjatka::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            onActivated();
        else if (isVisible())
            PamSave(false);
    }
    QDialog::changeEvent(event);
}

void TPamjatka::done(int result)
{
    book_.cancelEdits();
    PamSave(false);
    fillAll();
    QDialog::done(result);
}

}  // namespace indikt
