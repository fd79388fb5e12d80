#include "search_panel.h"

#include "calendar/date_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace indikt {

namespace {

constexpr const char* kTitle = "Индикт";
constexpr const char* kFind = "&Найти";
constexpr const char* kFindNext = "&Найти далее";
constexpr const char* kClose = "&Закрыть";
constexpr const char* kCancel = "&Отмена";
constexpr const char* kOldStyle = "по  ст.  ст.";
constexpr const char* kNewStyle = "по нов. ст.";
// Pending input is looked at this often while a walk runs.
constexpr qint64 kEventsEveryMs = 40;
constexpr int kHistorySize = 20;

QString DateText(Date civil, bool old_style)
{
    return QString::fromStdString(old_style ? TextOfDayAndMonthAndYear1(OldStyle(civil))
                                            : TextOfDayAndMonthAndYear1(civil));
}

// "Просмотр Месяцеслова ", "Просмотр в Тропарях и кондаках " …
QString ReviewText(SearchScope scope)
{
    return scope == SearchScope::Menaion ? QString("Просмотр Месяцеслова ") : "Просмотр в " + ScopeCaption(scope) + " ";
}

// "В Месяцеслове текст ", "В Тропарях и кондаках текст ", "В Лекционарии текст ".
QString NotFoundBeginning(SearchScope scope) { return "В " + ScopeCaption(scope) + " текст "; }

}  // namespace

QString NotesLeftEnding(int left)
{
    if (left == 1)
        return " запись.";
    return left >= 2 && left <= 4 ? " записи." : " записей.";
}

QString TimesEnding(int count) { return count >= 2 && count <= 4 ? " раза." : " раз."; }

SearchPanel::SearchPanel(SearchPanelHost host, QWidget* parent) : QWidget(parent), host_(std::move(host))
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    text_ = new QComboBox(this);
    text_->setObjectName("CBPoisk");
    text_->setEditable(true);
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setMinimumContentsLength(20);
    auto* text_label = new QLabel("На&йти:", this);
    text_label->setBuddy(text_);
    grid->addWidget(text_label, 0, 0);
    grid->addWidget(text_, 0, 1);
    where_ = new QComboBox(this);
    where_->setObjectName("CBGde");
    auto* where_label = new QLabel("&Искать в:", this);
    where_label->setBuddy(where_);
    grid->addWidget(where_label, 1, 0);
    grid->addWidget(where_, 1, 1);

    match_case_ = new QCheckBox("Учитывать &регистр", this);
    match_case_->setObjectName("CheckBoxRegistr");
    whole_word_ = new QCheckBox("&Слово целиком", this);
    whole_word_->setObjectName("CheckBoxZeloe");
    layout->addWidget(match_case_);
    layout->addWidget(whole_word_);
    style_ = new QComboBox(this);
    style_->setObjectName("ComboBoxSt");
    style_->addItems({kOldStyle, kNewStyle});
    style_->setCurrentIndex(1);
    style_->setToolTip("Выберете стиль календаря");
    layout->addWidget(style_);

    auto* buttons = new QHBoxLayout;
    find_ = new QPushButton(kFind, this);
    find_->setObjectName("ButtonPoisk");
    find_->setDefault(true);
    find_all_ = new QPushButton("Найти &все", this);
    find_all_->setObjectName("ButtonPoiskAll");
    close_ = new QPushButton(kClose, this);
    close_->setObjectName("ButtonOtmenP");
    buttons->addWidget(find_);
    buttons->addWidget(find_all_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    result_label_ = new QLabel(this);
    result_label_->setObjectName("LabelResult");
    layout->addWidget(result_label_);
    results_ = new QListWidget(this);
    results_->setObjectName("ListBoxResP");
    layout->addWidget(results_, 1);

    connect(text_, &QComboBox::editTextChanged, this, [this] { reset(); });
    connect(where_, &QComboBox::currentIndexChanged, this, [this] { reset(); });
    connect(match_case_, &QCheckBox::toggled, this, [this] { reset(); });
    connect(whole_word_, &QCheckBox::toggled, this, [this] { reset(); });
    // Enter in the text is "&Найти", as the default button of a dialog.
    connect(text_->lineEdit(), &QLineEdit::returnPressed, this, [this] { find(); });
    connect(find_, &QPushButton::clicked, this, [this] { find(); });
    connect(find_all_, &QPushButton::clicked, this, [this] { findAll(); });
    connect(close_, &QPushButton::clicked, this, [this] {
        if (running_)
            cancel();
        else
            close();
    });
    connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { openResult(item); });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { openResult(item); });
    updateButtons();
}

void SearchPanel::open(bool old_style)
{
    if (running_)
        return;
    const std::optional<SearchScope> chosen = scope();
    const std::optional<SearchScope> focused = host_.focused();
    {
        const QSignalBlocker blocker(where_);
        where_->clear();
        for (SearchScope scope : host_.scopes())
            where_->addItem(ScopeCaption(scope), static_cast<int>(scope));
        const std::optional<SearchScope> wanted = focused ? focused : chosen;
        const int index = wanted ? where_->findData(static_cast<int>(*wanted)) : -1;
        where_->setCurrentIndex(index >= 0 ? index : 0);
    }
    if (!opened_)
        style_->setCurrentIndex(old_style ? 0 : 1);
    opened_ = true;
    if (scope() != chosen)
        reset();
    updateButtons();
    text_->setFocus();
    text_->lineEdit()->selectAll();
}

std::optional<SearchScope> SearchPanel::scope() const
{
    if (where_->currentIndex() < 0)
        return std::nullopt;
    return static_cast<SearchScope>(where_->currentData().toInt());
}

MatchOptions SearchPanel::options() const
{
    return {text_->currentText(), match_case_->isChecked(), whole_word_->isChecked()};
}

QString SearchPanel::quoted() const { return "\"" + text_->currentText() + "\""; }

void SearchPanel::updateButtons()
{
    const bool can = !running_ && where_->count() > 0;
    find_->setEnabled(can);
    find_all_->setEnabled(can);
    close_->setText(running_ ? kCancel : kClose);
    for (QWidget* input : {static_cast<QWidget*>(text_), static_cast<QWidget*>(where_),
                           static_cast<QWidget*>(match_case_), static_cast<QWidget*>(whole_word_)})
        input->setEnabled(!running_);
}

void SearchPanel::reset()
{
    if (running_)
        return;
    search_.reset();
    start_date_.reset();
    found_hits_ = 0;
    result_pages_ = 0;
    find_->setText(kFind);
    results_->clear();
    result_label_->clear();
    if (const std::optional<SearchScope> s = scope())
        host_.status("Поиск текста \"" + text_->currentText() + "\" в " + ScopeCaption(*s));
}

void SearchPanel::close()
{
    if (running_)
        return;
    {
        const QSignalBlocker blocker(text_);
        text_->setEditText({});
    }
    reset();
    host_.status({});
    hide();
    emit closed();
}

QStringList SearchPanel::history() const
{
    QStringList texts;
    for (int i = 0; i < text_->count(); ++i)
        texts << text_->itemText(i);
    return texts;
}

void SearchPanel::setHistory(const QStringList& texts)
{
    const QSignalBlocker blocker(text_);
    const QString shown = text_->currentText();
    text_->clear();
    for (const QString& text : texts)
        if (!text.isEmpty() && text_->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
            text_->addItem(text);
    text_->setEditText(shown);
}

void SearchPanel::rememberText()
{
    const QString text = text_->currentText();
    if (text_->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    const QSignalBlocker blocker(text_);
    text_->insertItem(0, text);
    while (text_->count() > kHistorySize)
        text_->removeItem(text_->count() - 1);
    text_->setEditText(text);
}

void SearchPanel::tell(const QString& text) { host_.asker().tell(this, kTitle, text); }

bool SearchPanel::startWalk()
{
    if (!host_.set_walking(true))
        return false;
    running_ = true;
    cancel_ = false;
    last_events_ms_ = 0;  // input is looked at after the first page already
    updateButtons();
    close_->setFocus();
    return true;
}

void SearchPanel::endWalk()
{
    running_ = false;
    cancel_ = false;
    host_.set_walking(false);
    updateButtons();
}

void SearchPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && running_) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SearchPanel::cancel()
{
    if (running_)
        cancel_ = true;
}

QString SearchPanel::stepStatus(const WalkProgress& progress) const
{
    const int left = progress.units_total - progress.units_done;
    if (search_scope_ == SearchScope::Notes)
        return "Поиск в Личных записях текста " + quoted() +
               (left == 0 ? QString(".") : ". Осталось просмотреть " + QString::number(left) + NotesLeftEnding(left)) +
               " Нажмите Esc для отмены...";
    const int percent = progress.units_total ? progress.units_done * 100 / progress.units_total : 100;
    return "Просмотрено " + QString::number(percent) + "% (" + QString::number(progress.pages) +
           " стр.), найдено " + QString::number(progress.hits) + " на " + QString::number(progress.hit_pages) +
           " стр. Осталось просмотреть " + QString::number(left) + " дн. Нажмите Esc для отмены...";
}

// After every page: now and then the counts are shown and pending input runs
// (Esc, "&Отмена"); false stops the walk.
bool SearchPanel::progress(const WalkProgress& progress)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - last_events_ms_ >= kEventsEveryMs) {
        last_events_ms_ = now;
        host_.status(stepStatus(progress));
        if (search_scope_ != SearchScope::Notes) {
            const int percent = progress.units_total ? progress.units_done * 100 / progress.units_total : 100;
            result_label_->setText(QString::number(percent) + "% " + QString::number(progress.hits) + " раз.\n" +
                                   QString::number(progress.hit_pages) + " из " + QString::number(progress.pages) +
                                   " стр.");
        }
        QCoreApplication::processEvents();
    }
    return !cancel_;
}

void SearchPanel::addResult(const PageResult& result, int occurrence)
{
    const bool old_style = style_->currentIndex() == 0;
    // A note's entry is its date, one a match; a page's the date, where and how often.
    auto* item = new QListWidgetItem(search_scope_ == SearchScope::Notes
                                         ? DateText(result.address.civil, old_style)
                                         : ResultEntryText(search_scope_, result, old_style),
                                     results_);
    item->setData(kCivilRole, result.address.civil.serial());
    item->setData(kVariantRole, result.address.variant);
    item->setData(kEntryRole, result.address.entry);
    item->setData(kOccurrenceRole, occurrence);
    item->setToolTip(result.excerpt);
    if (search_scope_ == SearchScope::Notes)
        result_label_->setText(QString::number(results_->count()) + "\nв " + QString::number(result_pages_) + " зап.");
}

// A fresh search of the scope chosen: false (and said) when there is
// nothing to search.
bool SearchPanel::startSearch()
{
    search_scope_ = *scope();
    if (search_scope_ == SearchScope::Notes) {
        PageSource notes = PageSource::Notes(host_.data_root, host_.today());
        if (notes.unitCount() == 0) {
            host_.status("Личных записей в Индикте не найдено");
            tell("Личных записей в Индикте не найдено.");
            return false;
        }
        search_ = std::make_unique<YearSearch>(std::move(notes), options());
    } else {
        search_ = std::make_unique<YearSearch>(
            PageSource::Year(host_.data_root, search_scope_, YearOf(host_.current_date()), host_.today()), options());
    }
    results_->clear();
    result_label_->clear();
    found_hits_ = 0;
    result_pages_ = 0;
    start_date_ = host_.current_date();
    rememberText();
    switch (search_scope_) {
    case SearchScope::Notes: host_.status("Поиск в Личных записях " + quoted()); break;
    case SearchScope::Lectionary: host_.status("Поиск в Богослужебных чтениях " + quoted()); break;
    default: host_.status("Поиск в " + ScopeCaption(search_scope_) + " текста " + quoted()); break;
    }
    return true;
}

void SearchPanel::find()
{
    if (running_ || !scope() || text_->currentText().isEmpty() || !isVisible())
        return;
    if (!search_ && !startSearch())
        return;
    if (!startWalk())
        return;
    const WalkOutcome outcome = search_->findNext([this](const WalkProgress& p) { return progress(p); });
    endWalk();
    if (outcome != WalkOutcome::Hit) {
        finished(outcome == WalkOutcome::Cancelled);
        return;
    }
    const SearchHit& hit = search_->hit();
    ++found_hits_;
    if (hit.occurrence == 0)
        ++result_pages_;
    find_->setText(kFindNext);
    const bool old_style = style_->currentIndex() == 0;
    const QString date = DateText(hit.page.address.civil, old_style);
    if (search_scope_ == SearchScope::Notes)
        addResult({hit.page.address, hit.page.title, 1, hit.position,
                   ExcerptAround(hit.page.text, hit.position, text_->currentText().size())},
                  hit.occurrence);
    host_.show_hit(search_scope_, hit.page.address, hit.occurrence, options());
    const WalkProgress& p = search_->progress();
    if (search_scope_ == SearchScope::Notes) {
        const int left = p.units_total - p.units_done;
        host_.status("В Личных записях " + quoted() + " найден " + date +
                     (left == 0 ? QString(".")
                                : ". Осталось просмотреть " + QString::number(left) + NotesLeftEnding(left)));
        return;
    }
    QString where = date;
    if (hit.page.address.variant > 0)
        where += " " + VariantText(hit.page.address.variant).trimmed();
    if (!hit.page.title.isEmpty())
        where += " (" + hit.page.title + ")";
    host_.status(NotFoundBeginning(search_scope_) + quoted() + " найден " + where);
    result_label_->setText(QString::number(found_hits_) + " раз.\n" + QString::number(result_pages_) + " стр.");
}

void SearchPanel::findAll()
{
    if (running_ || !scope() || text_->currentText().isEmpty() || !isVisible())
        return;
    if (find_->text() == kFindNext || search_)
        reset();
    if (!startSearch())
        return;
    if (!startWalk())
        return;
    std::vector<PageResult> found;
    const auto flush = [this, &found] {
        for (const PageResult& result : found) {
            ++result_pages_;
            found_hits_ += result.count;
            // Every match of a note is an entry of its own.
            const int entries = search_scope_ == SearchScope::Notes ? result.count : 1;
            for (int occurrence = 0; occurrence < entries; ++occurrence)
                addResult(result, occurrence);
        }
        found.clear();
    };
    const WalkOutcome outcome = search_->findAll(found, [this, &flush](const WalkProgress& p) {
        flush();
        return progress(p);
    });
    flush();
    endWalk();
    finished(outcome == WalkOutcome::Cancelled);
}

// The end of a walk, run through or cancelled.
void SearchPanel::finished(bool cancelled)
{
    const SearchScope scope = search_scope_;
    const int hits = found_hits_;
    const int pages = result_pages_;
    const std::optional<Date> back = start_date_;
    search_.reset();
    start_date_.reset();
    find_->setText(kFind);
    if (scope == SearchScope::Notes) {
        const int count = results_->count();
        if (count > 0) {
            if (!cancelled) {
                results_->setCurrentRow(0);
                openResult(results_->item(0));
            }
            host_.status("В Личных записях " + quoted() + " найден " + QString::number(count) + TimesEnding(count));
            if (!cancelled)
                tell("Просмотр в Личных записях завершен.");
        } else {
            if (back)
                host_.go_to(*back);
            host_.status(cancelled ? "В Личных записях " + quoted() + " не найден"
                                   : "В Личных записях " + quoted() + " не найден. Попробуйте задать другие условия поиска");
            if (!cancelled)
                tell("Просмотр в Личных записях завершен. Искомый текст не найден.");
        }
        return;
    }
    if (back)
        host_.go_to(*back);
    if (hits > 0) {
        host_.status("Найдено совпадений " + QString::number(hits) + " на " + QString::number(pages) + " стр.");
        result_label_->setText(QString::number(hits) + " раз.\n" + QString::number(pages) + " стр.");
        if (!cancelled)
            tell(ReviewText(scope) + "завершен.");
    } else {
        host_.status(NotFoundBeginning(scope) + quoted() + " не найден. Попробуйте задать другие условия поиска");
        result_label_->setText("не найден");
        if (!cancelled)
            tell(ReviewText(scope) + "завершен. Искомый текст не найден.");
    }
}

// A result opens the page it was found on: the civil date, variant, entry
// and match kept with it, whatever the style of the list shows.
void SearchPanel::openResult(QListWidgetItem* item)
{
    if (running_ || results_->count() == 0)
        return;
    if (!item)
        item = results_->currentItem() ? results_->currentItem() : results_->item(results_->count() - 1);
    const PageAddress address{Date(item->data(kCivilRole).toInt()), item->data(kVariantRole).toInt(),
                              item->data(kEntryRole).toInt()};
    host_.show_hit(search_scope_, address, item->data(kOccurrenceRole).toInt(), options());
}

}  // namespace indikt
