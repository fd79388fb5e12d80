#include "bookmark_dialog.h"

#include "app/dialogs/asker.h"
#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The picker holds the day by the fields of the calendar chosen.
constexpr int kOldStyleLastDay = 10;  // 10.12.3000, the last old-style day offered

QDate PickerDate(Date civil, bool old_style)
{
    const DayFields fields = old_style ? Fields(OldStyle(civil)) : Fields(civil);
    return QDate(fields.year, fields.month, fields.day);
}

}  // namespace

QString BookmarkDateText(Date date)
{
    return Qs(TextOfDayAndMonthAndYear5(date)) + " г.\n(" + Qs(TextOfMonthAndDay2(OldStyle(date))) + " по ст. ст.)";
}

QString PickedDateText(Date civil, bool old_style)
{
    return old_style ? Qs(TextOfDayAndMonthAndYear8(civil)) + " г. по нов. ст."
                     : Qs(TextOfDayAndMonthAndYear1(OldStyle(civil))) + " г. по ст. ст.";
}

TFrmBookmark::TFrmBookmark(const QString& data_root, std::function<Asker&()> asker, std::function<Date()> today,
                           QWidget* parent)
    : QDialog(parent), asker_(std::move(asker)), today_(std::move(today)),
      store_(QDir(data_root).filePath(QString::fromUtf8(kBookmarksFileName)))
{
    setObjectName("FrmBookmark");
    setWindowTitle("Переход");
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PageControl1");
    layout->addWidget(tabs_);

    auto* bookmarks = new QWidget(tabs_);
    bookmarks->setObjectName("TabSheetBookmark");
    auto* grid = new QGridLayout(bookmarks);
    name_box_ = new QLineEdit(bookmarks);
    name_box_->setObjectName("CBBookmark");
    name_box_->setPlaceholderText("Имя закладки");
    name_box_->setMaxLength(static_cast<int>(kMaxBookmarkNameLength));
    list_ = new QListWidget(bookmarks);
    list_->setObjectName("CBBookmarkList");
    label_data_ = new QLabel(bookmarks);
    label_data_->setObjectName("LabelData");
    label_data_->setToolTip("по старому стилю");
    auto* name_caption = new QLabel("&Имя:", bookmarks);
    name_caption->setBuddy(name_box_);
    add_ = new QPushButton("&Добавить", bookmarks);
    add_->setObjectName("DobBtn");
    add_->setToolTip("Добавить закладку");
    delete_ = new QPushButton("&Удалить", bookmarks);
    delete_->setObjectName("ButtonDel");
    delete_->setToolTip("Удалить закладку");
    grid->addWidget(name_caption, 0, 0);
    grid->addWidget(name_box_, 0, 1);
    grid->addWidget(add_, 0, 2);
    grid->addWidget(list_, 1, 0, 1, 2);
    grid->addWidget(delete_, 1, 2, Qt::AlignTop);
    grid->addWidget(label_data_, 2, 0, 1, 3);
    tabs_->addTab(bookmarks, "Закладки");

    auto* date_tab = new QWidget(tabs_);
    date_tab->setObjectName("TabSheetDate");
    auto* date_layout = new QGridLayout(date_tab);
    picker_ = new QDateEdit(date_tab);
    picker_->setObjectName("DateTimePicker");
    picker_->setToolTip("Выберете дату");
    picker_->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    picker_->setCalendarPopup(true);
    style_ = new QComboBox(date_tab);
    style_->setObjectName("ComboBoxSt");
    style_->setToolTip("Выберете стиль календаря");
    style_->addItems({"по нов. ст.", "по  ст.  ст."});
    label_stil_ = new QLabel(date_tab);
    label_stil_->setObjectName("LabelStil");
    auto* date_caption = new QLabel("Д&ата:", date_tab);
    date_caption->setBuddy(picker_);
    date_layout->addWidget(date_caption, 0, 0);
    date_layout->addWidget(picker_, 0, 1);
    date_layout->addWidget(style_, 0, 2);
    date_layout->addWidget(label_stil_, 1, 0, 1, 3);
    date_layout->setRowStretch(2, 1);
    tabs_->addTab(date_tab, "Выбор даты");

    auto* buttons = new QHBoxLayout;
    go_ = new QPushButton("&Перейти", this);
    go_->setObjectName("ButtonPerehod");
    auto* cancel = new QPushButton("Отмена", this);
    cancel->setObjectName("ButtonCancel");
    for (QPushButton* button : {go_, add_, delete_, cancel})
        button->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(go_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(name_box_, &QLineEdit::textEdited, this, [this] { CBBookmarkChange(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0)
            return;
        selectBookmark(row);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { goClicked(); });
    connect(add_, &QPushButton::clicked, this, &TFrmBookmark::DobBtnClick);
    connect(delete_, &QPushButton::clicked, this, &TFrmBookmark::ButtonDelClick);
    connect(go_, &QPushButton::clicked, this, &TFrmBookmark::goClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(picker_, &QDateEdit::dateChanged, this, [this] { DateTimePickerChange(); });
    connect(style_, &QComboBox::currentIndexChanged, this, [this] { DateTimePickerChange(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { updateGo(); });
    resize(420, 300);
}

bool TFrmBookmark::oldStyle() const { return style_->currentIndex() == 1; }

void TFrmBookmark::prepare(Date current, bool old_style, Tab tab)
{
    current_ = current;
    target_.reset();
    picked_old_style_.reset();
    // The Julian 29 February of 1800, 1900, 2100 … has no place in the
    // picker's calendar: such a day opens in the civil calendar.
    if (old_style && !PickerDate(current, true).isValid())
        old_style = false;
    {
        const QSignalBlocker block_style(style_);
        const QSignalBlocker block_picker(picker_);
        style_->setCurrentIndex(old_style ? 1 : 0);
        picker_->setDateRange(QDate(1752, 1, 1), QDate(3000, 12, 31));
        picker_->setDate(PickerDate(current, old_style));
    }
    DateTimePickerChange();
    // Another copy of the program may have written the list meanwhile.
    store_.reloadIfChanged();
    fillList();
    name_box_->clear();
    if (store_.list().empty())
        DataChange(-1);
    else
        selectBookmark(0);
    add_->setEnabled(false);
    tabs_->setCurrentIndex(static_cast<int>(tab));
    updateGo();
    if (tab == Tab::Bookmarks)
        name_box_->setFocus();
    else
        picker_->setFocus();
}

void TFrmBookmark::fillList()
{
    filling_ = true;
    list_->clear();
    for (const Bookmark& bookmark : store_.list().items())
        list_->addItem(bookmark.name);
    list_->setCurrentRow(-1);
    filling_ = false;
}

void TFrmBookmark::selectBookmark(int index)
{
    filling_ = true;
    list_->setCurrentRow(index);
    filling_ = false;
    DataChange(index);
    delete_->setEnabled(index >= 0);
    updateGo();
}

void TFrmBookmark::DataChange(int index)
{
    const auto& items = store_.list().items();
    const Date date = index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)].date
                                                                            : current_;
    label_data_->setText(BookmarkDateText(date));
}

void TFrmBookmark::CBBookmarkChange()
{
    const QString name = name_box_->text();
    const int index = store_.list().indexOf(name);
    if (index >= 0) {
        selectBookmark(index);
    } else {
        filling_ = true;
        list_->setCurrentRow(-1);
        filling_ = false;
        DataChange(-1);
        delete_->setEnabled(false);
        updateGo();
    }
    add_->setEnabled(!name.trimmed().isEmpty());
}

void TFrmBookmark::updateGo()
{
    go_->setEnabled(tabs_->currentIndex() == static_cast<int>(Tab::Date) || list_->currentRow() >= 0);
}

// The current date under the typed name; the dialog closes without moving.
void TFrmBookmark::DobBtnClick()
{
    const QString name = name_box_->text().trimmed();
    const QString problem = BookmarkNameProblem(name);
    if (!problem.isEmpty()) {
        asker_().tell(this, "Индикт", problem);
        name_box_->setFocus();
        return;
    }
    if (!store_.add(name, current_)) {
        asker_().tell(this, "Индикт", "Закладка не добавлена: их уже " + QString::number(kMaxBookmarks) + ".");
        return;
    }
    fillList();
    name_box_->clear();
    add_->setEnabled(false);
    accept();
}

void TFrmBookmark::ButtonDelClick()
{
    const int index = list_->currentRow();
    if (index < 0)
        return;
    store_.remove(index);
    fillList();
    DataChange(-1);
    add_->setEnabled(false);
    delete_->setEnabled(false);
    updateGo();
    name_box_->setFocus();
}

void TFrmBookmark::goClicked()
{
    if (!go_->isEnabled())
        return;
    if (tabs_->currentIndex() == static_cast<int>(Tab::Date)) {
        const QDate picked = picker_->date();
        const bool old_style = oldStyle();
        const Date civil = old_style ? NewStyle(FromOldStyle(picked.year(), picked.month(), picked.day()))
                                     : FromCivil(picked.year(), picked.month(), picked.day());
        target_ = civil;
        picked_old_style_ = old_style;
    } else {
        const int index = list_->currentRow();
        if (index < 0 || index >= store_.list().size())
            return;
        target_ = store_.list().items()[static_cast<size_t>(index)].date;
    }
    accept();
}

// The picker stays within the days of the calendar; the label shows the
// same day in the other calendar.
void TFrmBookmark::DateTimePickerChange()
{
    const bool old_style = oldStyle();
    const QDate last = old_style ? QDate(3000, 12, kOldStyleLastDay) : QDate(3000, 12, 31);
    {
        const QSignalBlocker block(picker_);
        picker_->setDisplayFormat(old_style ? "dd.MM.yyyy г." : "ddd dd.MM.yyyy г.");
        picker_->setDateRange(QDate(1752, 1, 1), last);
    }
    const QDate picked = picker_->date();
    const Date civil = old_style ? NewStyle(FromOldStyle(picked.year(), picked.month(), picked.day()))
                                 : FromCivil(picked.year(), picked.month(), picked.day());
    label_stil_->setText(PickedDateText(civil, old_style));
}

void TFrmBookmark::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (go_->isEnabled())
            goClicked();
        else if (add_->isEnabled() && tabs_->currentIndex() == static_cast<int>(Tab::Bookmarks))
            DobBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Whatever closes the dialog, a changed list is written; a failed write is
// told, and the list stays in memory for the next try.
void TFrmBookmark::done(int result)
{
    const WriteResult written = store_.save(today_());
    if (!written.ok())
        asker_().tell(this, "Индикт", "Закладки не сохранены: " + written.error);
    else if (!store_.lastNotice().isEmpty())
        asker_().tell(this, "Индикт", store_.lastNotice());
    QDialog::done(result);
}

}  // namespace indikt
