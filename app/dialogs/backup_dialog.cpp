#include "backup_dialog.h"

#include "app/dialogs/busy_cursor.h"
#include "texts/cp1251.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace indikt {

namespace {

constexpr const char* kTitle = "Индикт";

// The component boxes of a page: key part, caption, component.
struct BoxInfo {
    const char* key;
    const char* caption;
    BackupComponent component;
};
constexpr std::array<BoxInfo, 9> kBoxes = {{
    {"All", "Все", BackupComponent::Bible},  // "Все" stands for every component
    {"Beibl", "Библия", BackupComponent::Bible},
    {"Trop", "Богослужение", BackupComponent::Service},
    {"Gitiya", "Жития", BackupComponent::Lives},
    {"Ico", "Иконы", BackupComponent::Icons},
    {"Sap", "Личные записи", BackupComponent::Notes},
    {"Txt", "Месяцеслов", BackupComponent::Menaion},
    {"Nastr", "Настройки", BackupComponent::Settings},
    {"Pam", "Памятка", BackupComponent::Memo},
}};

struct RuleInfo {
    const char* key;
    const char* caption;
    ClashRule rule;
};
const std::vector<RuleInfo>& RulesOf(const QString& kind)
{
    static const std::vector<RuleInfo> copy = {{"RadioButtonDelKop", "Удалить", ClashRule::Delete},
                                               {"RadioButtonSamenaKop", "Заменить одноименные", ClashRule::Replace},
                                               {"RadioButtonDopolnKop", "Спросить", ClashRule::Ask}};
    static const std::vector<RuleInfo> get = {{"RadioButtonDelVost", "Удалить", ClashRule::Delete},
                                              {"RadioButtonSamenaVost", "Заменить одноименные", ClashRule::Replace},
                                              {"RadioButtonDopolnVost", "Спросить", ClashRule::Ask}};
    static const std::vector<RuleInfo> sync = {{"RadioButtonTimeSin", "Заменить устаревшие", ClashRule::Newer},
                                               {"RadioButtonSamenaSin", "Заменить одноименные", ClashRule::Replace}};
    return kind == "Kop" ? copy : kind == "Vost" ? get : sync;
}

// A folder is stored with its trailing separator.
QString WithSeparator(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith('/') ? folder : folder + '/';
}

}  // namespace

TOKRightDlg::TOKRightDlg(ZkSettings& settings, BackupDialogContext context, Asker& asker, QWidget* parent)
    : QDialog(parent), settings_(settings), context_(std::move(context)), asker_(asker)
{
    setObjectName("TOKRightDlg");
    setWindowTitle("Резервное копирование");
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PageControl");
    tabs_->setUsesScrollButtons(false);  // every page's name in full
    tabs_->addTab(buildPage(pages_[kPageCopy], "Kop", "Копировать из Индикта", "В каталог:",
                            "Выберите папку для Архива Индикта"),
                  "Копировать");
    tabs_->addTab(buildPage(pages_[kPageGet], "Vost", "Копировать в Индикт", "Из каталога:",
                            "Выберите папку с Архивом Индикта"),
                  "Получить");
    tabs_->addTab(buildPage(pages_[kPageSync], "Sin", "Синронизировать с Индиктом", "Каталог:",
                            "Выберите папку для Архива Индикта"),
                  "Синхронизировать");
    layout->addWidget(tabs_);

    progress_ = new QLabel(this);
    progress_->setObjectName("LabelProgress");
    layout->addWidget(progress_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText("ОК");
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    cancel_button_ = buttons_->button(QDialogButtonBox::Cancel);
    cancel_button_->setText("Отмена");
    cancel_button_->setObjectName("CancelBtn");
    connect(buttons_, &QDialogButtonBox::accepted, this, &TOKRightDlg::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &TOKRightDlg::reject);
    layout->addWidget(buttons_);

    progress_timer_.setInterval(100);
    connect(&progress_timer_, &QTimer::timeout, this,
            [this] { progress_->setText("Скопировано файлов: " + QString::number(files_done_.load())); });
    readSettings();
}

QWidget* TOKRightDlg::buildPage(Page& page, const char* kind, const char* group, const char* field,
                                const char* prompt)
{
    page.kind = QString::fromUtf8(kind);
    auto* widget = new QWidget(this);
    auto* layout = new QVBoxLayout(widget);
    auto* box = new QGroupBox(QString::fromUtf8(group), widget);
    auto* box_layout = new QVBoxLayout(box);

    auto* folder_row = new QHBoxLayout;
    auto* label = new QLabel(QString::fromUtf8(field), box);
    page.folder = new QLineEdit(box);
    page.folder->setMinimumWidth(260);
    page.folder->setObjectName("Edit" + page.kind);
    label->setBuddy(page.folder);
    auto* choose = new QToolButton(box);
    choose->setObjectName("Button" + page.kind);
    choose->setText("…");
    choose->setToolTip("Выбор каталога");
    const QString prompt_text = QString::fromUtf8(prompt);
    connect(choose, &QToolButton::clicked, this, [this, &page, prompt_text] { chooseFolder(page, prompt_text); });
    folder_row->addWidget(label);
    folder_row->addWidget(page.folder, 1);
    folder_row->addWidget(choose);
    box_layout->addLayout(folder_row);

    auto* grid = new QGridLayout;
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        page.boxes[i] = new QCheckBox(QString::fromUtf8(kBoxes[i].caption), box);
        page.boxes[i]->setObjectName("CheckBox" + page.kind + kBoxes[i].key);
        grid->addWidget(page.boxes[i], static_cast<int>(i) % 5, static_cast<int>(i) / 5);
    }
    box_layout->addLayout(grid);
    layout->addWidget(box);

    auto* rules = new QGroupBox(page.kind == "Sin" ? "Одноименные файлы" : "Существующие компоненты", widget);
    auto* rules_layout = new QVBoxLayout(rules);
    for (const RuleInfo& rule : RulesOf(page.kind)) {
        auto* radio = new QRadioButton(QString::fromUtf8(rule.caption), rules);
        radio->setObjectName(rule.key);
        rules_layout->addWidget(radio);
        page.rules.push_back(radio);
    }
    layout->addWidget(rules);
    return widget;
}

void TOKRightDlg::readSettings()
{
    for (Page& page : pages_) {
        page.folder->setText(settings_.text(kSectionBackup, ("Edit" + page.kind).toStdString()));
        for (QCheckBox* box : page.boxes)
            box->setChecked(settings_.flag(kSectionBackup, box->objectName().toStdString()));
        bool any = false;
        for (QRadioButton* radio : page.rules) {
            const bool on = !any && settings_.flag(kSectionBackup, radio->objectName().toStdString());
            radio->setChecked(on);
            any = any || on;
        }
        if (!any)
            page.rules.front()->setChecked(true);
    }
}

bool TOKRightDlg::storeSettings()
{
    // Nothing is stored unless everything can be: a folder name the settings
    // file cannot hold would come back as question marks.
    for (Page& page : pages_) {
        if (!EncodeCp1251(page.folder->text())) {
            showPage(static_cast<int>(&page - pages_.data()));
            asker_.tell(this, kTitle,
                        "Имя папки \"" + page.folder->text() +
                            "\" содержит знаки, которые нельзя сохранить в настройках программы. Выберите другую папку.");
            page.folder->setFocus();
            return false;
        }
    }
    for (Page& page : pages_) {
        settings_.setText(kSectionBackup, ("Edit" + page.kind).toStdString(), WithSeparator(page.folder->text()));
        for (QCheckBox* box : page.boxes)
            settings_.setFlag(kSectionBackup, box->objectName().toStdString(), box->isChecked());
        for (QRadioButton* radio : page.rules)
            settings_.setFlag(kSectionBackup, radio->objectName().toStdString(), radio->isChecked());
    }
    return true;
}

void TOKRightDlg::chooseFolder(Page& page, const QString& prompt)
{
    const QString chosen = asker_.folderName(this, prompt, page.folder->text());
    if (!chosen.isEmpty())
        page.folder->setText(WithSeparator(chosen));
}

void TOKRightDlg::showPage(int page) { tabs_->setCurrentIndex(page); }
int TOKRightDlg::currentPage() const { return tabs_->currentIndex(); }

BackupRequest TOKRightDlg::requestOf(const Page& page) const
{
    BackupRequest request;
    request.operation = page.kind == "Kop" ? BackupOperation::Copy
                        : page.kind == "Vost" ? BackupOperation::Get
                                              : BackupOperation::Sync;
    request.data_root = context_.data_root;
    request.folder = page.folder->text().trimmed();
    request.all = page.boxes[0]->isChecked();
    for (size_t i = 1; i < kBoxes.size(); ++i) {
        if (page.boxes[i]->isChecked())
            request.components.push_back(kBoxes[i].component);
    }
    const std::vector<RuleInfo>& rules = RulesOf(page.kind);
    request.rule = rules.front().rule;
    for (size_t i = 0; i < rules.size(); ++i) {
        if (page.rules[i]->isChecked())
            request.rule = rules[i].rule;
    }
    request.safety_root = context_.safety_root;
    request.now = context_.clock ? context_.clock() : QDateTime::currentDateTime();
    return request;
}

ClashAnswer TOKRightDlg::askClash(const QString& path)
{
    const QMessageBox::StandardButton answer =
        asker_.ask(this, kTitle, "Файл \"" + path + "\" уже есть. Заменить его?",
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return answer == QMessageBox::Yes ? ClashAnswer::Replace
           : answer == QMessageBox::No ? ClashAnswer::Skip
                                       : ClashAnswer::Cancel;
}

void TOKRightDlg::setRunning(bool running)
{
    tabs_->setEnabled(!running);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!running);
    cancel_button_->setText(running ? "Прервать" : "Отмена");
    if (running) {
        progress_->setText("Копирование…");
        progress_timer_.start();
    } else {
        progress_timer_.stop();
        progress_->clear();
    }
}

BackupReport TOKRightDlg::runOnWorker(const BackupRequest& request)
{
    BackupBusy busy(busy_);
    if (!busy.acquired())
        return {};
    BusyCursor cursor;
    cancel_ = false;
    files_done_ = 0;
    setRunning(true);

    BackupControl control;
    control.cancel = &cancel_;
    control.progress = [this](int done, const QString&) { files_done_ = done; };
    // A question at a name clash is put on this thread; the worker waits for it.
    control.ask = [this](const QString& path) {
        ClashAnswer answer = ClashAnswer::Cancel;
        QMetaObject::invokeMethod(this, [&] { answer = askClash(path); }, Qt::BlockingQueuedConnection);
        return answer;
    };
    BackupReport report;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] { report = RunBackup(request, control); }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    setRunning(false);
    return report;
}

void TOKRightDlg::accept()
{
    if (running())
        return;
    Page& page = pages_[static_cast<size_t>(currentPage())];
    if (!EncodeCp1251(page.folder->text())) {
        storeSettings();  // says why and focuses the field
        return;
    }
    last_report_ = runOnWorker(requestOf(page));
    if (last_report_.refused) {
        asker_.tell(this, kTitle, last_report_.message);
        page.folder->setFocus();
        return;
    }
    if (finished_hook_)
        finished_hook_(last_report_);
    if (!last_report_.message.isEmpty()) {
        QString shown = last_report_.message;
        shown.replace("\r", "\n");
        if (last_report_.success())
            asker_.inform(this, kTitle, shown);
        else
            asker_.tell(this, kTitle, shown);
    }
    if (storeSettings())
        QDialog::accept();
}

void TOKRightDlg::reject()
{
    if (running()) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

}  // namespace indikt
