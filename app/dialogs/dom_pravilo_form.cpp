#include "dom_pravilo_form.h"

#include "records/dom_pravilo_settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace indikt {

namespace {

const char* const kWeekdays[7] = {"Воскресенье", "Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота"};

QDate ToQ(Date date)
{
    const CivilFields f = Fields(date);
    return QDate(f.year, f.month, f.day);
}

Date FromQ(const QDate& date) { return FromCivil(date.year(), date.month(), date.day()); }

QString Name(const char* stem, RulePlan plan) { return QString(stem) + PlanInfo(plan).suffix; }

}  // namespace

TDomPraviloForm::TDomPraviloForm(ZkSettings& settings, DomPraviloContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), settings_(settings), context_(std::move(context))
{
    setObjectName("DomPraviloForm");
    setWindowTitle("Домашнее правило");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControlPravilo");
    layout->addWidget(pages_);
    for (const RulePlan plan : kRulePlans)
        widgets(plan).plan = plan;
    buildRuleTab();
    for (const RulePlan plan : kRulePlans)
        buildPlanTab(widgets(plan));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        // Back on the first tab: the rule of today with the tabs' changes.
        if (index == 0) {
            TextPravilo(today());
            emit ruleChanged();
        }
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TDomPraviloForm::helpWanted);

    // `SettingsDownload`: the tabs show the stored plans; the marks stay
    // hidden until the rule is computed.
    for (const RulePlan plan : kRulePlans)
        showPlan(plan);
    resize(600, 420);
}

void TDomPraviloForm::buildRuleTab()
{
    auto* tab = new QWidget(pages_);
    tab->setObjectName("TabSheetPravilo");
    auto* column = new QVBoxLayout(tab);
    // The panels stand 65 pixels apart from 33 down, without gaps.
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(0);
    date_label_ = new QLabel(tab);
    date_label_->setObjectName("LabelDatePravilo");
    date_label_->setStyleSheet("font-weight: bold;");
    date_label_->setFixedHeight(kPanelTop - 8);
    column->addWidget(date_label_);
    for (const RulePlan plan : kRulePlans) {
        PlanWidgets& w = widgets(plan);
        w.panel = new QFrame(tab);
        w.panel->setObjectName(Name("Panel", plan));
        w.panel->setFrameShape(QFrame::StyledPanel);
        w.panel->setFixedHeight(kPanelHeight);
        auto* grid = new QGridLayout(w.panel);
        grid->setContentsMargins(6, 4, 6, 4);
        w.caption = new QLabel(QString(PlanInfo(plan).caption) + ":", w.panel);
        w.caption->setObjectName(Name("LabelName", plan));
        w.caption->setStyleSheet("font-weight: bold;");
        w.portion = new QLabel(w.panel);
        w.portion->setObjectName(Name("Label", plan));
        w.portion->setWordWrap(true);
        w.portion->setTextInteractionFlags(Qt::TextSelectableByMouse);
        w.open = new QPushButton("Читать", w.panel);
        w.open->setObjectName(Name("SpButSee", plan));
        w.open->setToolTip(plan == RulePlan::Psalter ? "Открыть текст кафизмы" : "Открыть текст главы");
        w.read_mark = new QLabel("Прочитано", w.panel);
        w.read_mark->setObjectName(Name("LabelProchitano", plan));
        w.read_mark->setStyleSheet("color: #006400; font-weight: bold;");
        w.read_mark->hide();
        grid->addWidget(w.caption, 0, 0);
        grid->addWidget(w.read_mark, 0, 1, Qt::AlignRight);
        grid->addWidget(w.portion, 1, 0);
        grid->addWidget(w.open, 1, 1, Qt::AlignRight);
        grid->setColumnStretch(0, 1);
        connect(w.open, &QPushButton::clicked, this, [this, plan] { openText(plan); });
        w.menu = new QMenu(w.panel);
        w.menu->setObjectName(Name("PopupMenu", plan));
        w.panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w.panel, &QWidget::customContextMenuRequested, this,
                [this, plan](const QPoint& at) { widgets(plan).menu->popup(widgets(plan).panel->mapToGlobal(at)); });
        w.panel->hide();
        column->addWidget(w.panel);
    }
    column->addStretch(1);
    pages_->addTab(tab, "Правило");
}

void TDomPraviloForm::buildPlanTab(PlanWidgets& w)
{
    const RulePlan plan = w.plan;
    const RulePlanInfo& info = PlanInfo(plan);
    w.tab = new QWidget(pages_);
    w.tab->setObjectName(Name("TabSheet", plan));
    auto* outer = new QVBoxLayout(w.tab);
    w.on = new QCheckBox(info.check_caption, w.tab);
    w.on->setObjectName(Name("CheckBox", plan));
    outer->addWidget(w.on);

    auto* columns = new QHBoxLayout;
    auto* form = new QGridLayout;
    int row = 0;
    const auto label = [&w](const QString& text) {
        auto* l = new QLabel(text, w.tab);
        w.controls << l;
        return l;
    };

    w.start = new QDateEdit(w.tab);
    w.start->setObjectName(Name("DateTimePicker", plan));
    w.start->setCalendarPopup(true);
    w.start->setDisplayFormat("dd.MM.yyyy");
    w.start->setDateRange(QDate(1752, 1, 1), QDate(3000, 12, 31));
    form->addWidget(label("Начать"), row, 0);
    form->addWidget(w.start, row, 1);
    if (plan == RulePlan::Psalter) {
        auto* with = new QHBoxLayout;
        w.start_kathisma = new QSpinBox(w.tab);
        w.start_kathisma->setObjectName("SpinEditStartPsalm");
        w.start_kathisma->setRange(1, info.units);
        with->addWidget(label("с"));
        with->addWidget(w.start_kathisma);
        with->addWidget(label("каф."));
        with->addStretch(1);
        form->addLayout(with, row, 2);
        w.controls << w.start_kathisma;
    }
    ++row;

    w.per_day = new QSpinBox(w.tab);
    w.per_day->setObjectName(Name("SpinEditPlus", plan));
    w.per_day->setRange(1, kMaxUnitsPerDay);
    w.per_day_unit = label(QString());
    w.per_day_unit->setObjectName(Name("LabelPlus", plan));
    form->addWidget(label("Прочитывать"), row, 0);
    form->addWidget(w.per_day, row, 1);
    form->addWidget(w.per_day_unit, row, 2);
    ++row;

    w.cycles = new QSpinBox(w.tab);
    w.cycles->setObjectName(Name("SpinEditRas", plan));
    w.cycles->setRange(1, kMaxCycles);
    QLabel* cycles_caption = label("Прочитать");
    QLabel* cycles_unit = label(QString());
    cycles_unit->setObjectName(Name("LabelRas", plan));
    w.cycles_labels = {cycles_caption, cycles_unit};
    form->addWidget(cycles_caption, row, 0);
    form->addWidget(w.cycles, row, 1);
    form->addWidget(cycles_unit, row, 2);
    ++row;
    w.always = new QCheckBox("Постоянно", w.tab);
    w.always->setObjectName(Name("CheckBoxVsegda", plan));
    form->addWidget(w.always, row, 1, 1, 2);
    ++row;

    w.version = new QComboBox(w.tab);
    w.version->setObjectName(Name("ComboBoxVers", plan));
    for (int i = 0; i < info.versions; ++i)
        w.version->addItem(VersionItem(plan, i));
    form->addWidget(label("Версия"), row, 0);
    form->addWidget(w.version, row, 1, 1, 2);
    ++row;

    w.automatic = new QRadioButton("автоматически", w.tab);
    w.automatic->setObjectName(Name("RBAutoList", plan));
    w.after_reading = new QRadioButton("после прочтения", w.tab);
    w.after_reading->setObjectName(Name("RBRuzcnList", plan));
    w.after_reading->setToolTip("Листать после перехода по ссылкам на Св. Писание");
    form->addWidget(label("Листать"), row, 0);
    form->addWidget(w.automatic, row, 1);
    form->addWidget(w.after_reading, row, 2);
    form->setColumnStretch(2, 1);
    columns->addLayout(form, 1);

    auto* skip_column = new QVBoxLayout;
    w.skipped_caption = new QLabel("Пропускать", w.tab);
    w.skipped_caption->setObjectName(Name("LabelIskl", plan));
    w.skipped = new QListWidget(w.tab);
    w.skipped->setObjectName(Name("CheckListBoxIskl", plan));
    for (const char* day : kWeekdays) {
        auto* item = new QListWidgetItem(day, w.skipped);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    w.skipped->setFixedWidth(150);
    w.skipped->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clear = new QAction("Снять весь выбор", w.skipped);
    clear->setObjectName(Name("ActionClearIskl", plan));
    w.skipped->addAction(clear);
    connect(clear, &QAction::triggered, this, [this, plan] { clearSkippedDays(plan); });
    skip_column->addWidget(w.skipped_caption);
    skip_column->addWidget(w.skipped);
    columns->addLayout(skip_column);
    outer->addLayout(columns);

    w.finished = new QLabel("Завершено", w.tab);
    w.finished->setObjectName(Name("LabelZaversheno", plan));
    w.finished->setStyleSheet("color: #B00000; font-weight: bold;");
    w.finished->hide();
    outer->addWidget(w.finished);
    outer->addStretch(1);
    w.summary = new QLabel(w.tab);
    w.summary->setObjectName(Name("LabelItogo", plan));
    w.summary->setWordWrap(true);
    w.summary->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(w.summary);

    w.controls << w.start << w.per_day << w.cycles << w.always << w.version << w.automatic << w.after_reading;
    pages_->addTab(w.tab, info.caption);

    connect(w.on, &QCheckBox::toggled, this, [this, plan] { turnedOnOrOff(plan); });
    connect(w.start, &QDateEdit::dateChanged, this, [this, plan] { controlChanged(plan); });
    connect(w.per_day, &QSpinBox::valueChanged, this, [this, plan] { controlChanged(plan); });
    connect(w.cycles, &QSpinBox::valueChanged, this, [this, plan] { controlChanged(plan); });
    connect(w.always, &QCheckBox::toggled, this, [this, plan] { controlChanged(plan); });
    connect(w.version, &QComboBox::currentIndexChanged, this, [this, plan] { controlChanged(plan); });
    connect(w.automatic, &QRadioButton::toggled, this, [this, plan] { controlChanged(plan); });
    if (w.start_kathisma)
        connect(w.start_kathisma, &QSpinBox::valueChanged, this, [this, plan] { controlChanged(plan); });
    connect(w.skipped, &QListWidget::itemChanged, this,
            [this, plan](QListWidgetItem* item) { skippedDayChanged(plan, item); });
}

HomeRule TDomPraviloForm::rule() const { return ReadHomeRule(settings_); }

void TDomPraviloForm::keep(RulePlan plan, const PlanSettings& settings, const PlanState& state)
{
    WritePlanSettings(settings_, plan, settings);
    WritePlanState(settings_, plan, state);
}

void TDomPraviloForm::showPlan(RulePlan plan)
{
    PlanWidgets& w = widgets(plan);
    const PlanSettings p = ReadPlanSettings(settings_, plan);
    filling_ = true;
    w.on->setChecked(p.on);
    w.start->setDate(ToQ(p.start));
    w.per_day->setValue(p.per_day);
    w.cycles->setValue(p.cycles);
    w.always->setChecked(p.always);
    w.version->setCurrentIndex(BoundedVersion(plan, p.version));
    w.automatic->setChecked(p.automatic);
    w.after_reading->setChecked(!p.automatic);
    if (w.start_kathisma)
        w.start_kathisma->setValue(std::max(p.start_index, 1));
    for (int day = 0; day < 7; ++day)
        w.skipped->item(day)->setCheckState(p.skipped[static_cast<size_t>(day)] ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
    updateEnabled(plan);
    updateSummary(plan);
}

void TDomPraviloForm::controlChanged(RulePlan plan)
{
    if (filling_)
        return;
    PlanWidgets& w = widgets(plan);
    PlanSettings p = ReadPlanSettings(settings_, plan);
    p.start = FromQ(w.start->date());
    p.per_day = w.per_day->value();
    p.cycles = w.cycles->value();
    p.always = w.always->isChecked();
    p.version = w.version->currentIndex();
    p.automatic = w.automatic->isChecked();
    if (w.start_kathisma)
        p.start_index = w.start_kathisma->value();
    for (int day = 0; day < 7; ++day)
        p.skipped[static_cast<size_t>(day)] = w.skipped->item(day)->checkState() == Qt::Checked;
    WritePlanSettings(settings_, plan, p);
    updateEnabled(plan);
    updateSummary(plan);
}

void TDomPraviloForm::turnedOnOrOff(RulePlan plan)
{
    if (filling_)
        return;
    PlanSettings p = ReadPlanSettings(settings_, plan);
    PlanState s = ReadPlanState(settings_, plan);
    if (widgets(plan).on->isChecked()) {
        p.on = true;
        p.start = FromQ(widgets(plan).start->date());
    } else {
        TurnOff(p, s, today());
        widgets(plan).finished->hide();
    }
    keep(plan, p, s);
    showPlan(plan);
}

// Checking all seven days unchecks them all: a plan is never all skipped.
void TDomPraviloForm::skippedDayChanged(RulePlan plan, QListWidgetItem*)
{
    if (filling_)
        return;
    QListWidget* list = widgets(plan).skipped;
    bool all = true;
    for (int day = 0; day < 7; ++day)
        all = all && list->item(day)->checkState() == Qt::Checked;
    if (all) {
        clearSkippedDays(plan);
        return;
    }
    controlChanged(plan);
}

void TDomPraviloForm::clearSkippedDays(RulePlan plan)
{
    QListWidget* list = widgets(plan).skipped;
    filling_ = true;
    for (int day = 0; day < 7; ++day)
        list->item(day)->setCheckState(Qt::Unchecked);
    filling_ = false;
    controlChanged(plan);
}

void TDomPraviloForm::updateEnabled(RulePlan plan)
{
    PlanWidgets& w = widgets(plan);
    const bool on = w.on->isChecked();
    for (QWidget* control : w.controls)
        control->setEnabled(on);
    const bool skipping = on && w.automatic->isChecked();
    w.skipped->setEnabled(skipping);
    w.skipped_caption->setEnabled(skipping);
    const bool counted = on && !w.always->isChecked();
    w.cycles->setEnabled(counted);
    for (QLabel* label : w.cycles_labels)
        label->setEnabled(counted);
    w.version->setToolTip(w.version->currentText());
}

void TDomPraviloForm::updateSummary(RulePlan plan)
{
    PlanWidgets& w = widgets(plan);
    const PlanSettings p = ReadPlanSettings(settings_, plan);
    w.summary->setText(PlanSummary(plan, p));
    w.caption->setToolTip(PlanCaptionHint(plan, p));
    w.per_day_unit->setText(UnitsPerDayLabel(plan, p.per_day));
    w.cycles_labels[1]->setText(CyclesLabel(p.cycles));
}

void TDomPraviloForm::TextPravilo(Date date)
{
    HomeRule current = rule();
    day_ = indikt::TextPravilo(current, date, today());
    for (const RulePlan plan : kRulePlans) {
        const PlanStep& step = day_.step(plan);
        if (current.plan(plan).on)
            WritePlanState(settings_, plan, step.state);
        PlanWidgets& w = widgets(plan);
        const bool shown = current.plan(plan).on && !step.portion.text.isEmpty();
        w.portion->setText(step.portion.text);
        w.portion->setToolTip(step.portion.long_text);
        w.read_mark->setVisible(shown && !current.plan(plan).automatic && !step.state.pending);
        w.panel->setVisible(shown);
        w.finished->setVisible(current.plan(plan).on && step.portion.finished);
    }
    layOutPanels();
}

// The visible panels follow each other from the top without gaps (the
// layout skips the hidden ones); the date label stands above them.
void TDomPraviloForm::layOutPanels()
{
    if (QLayout* column = pages_->widget(0)->layout())
        column->activate();
}

void TDomPraviloForm::FormActivate()
{
    const Date now = today();
    date_label_->setText(RuleDateLabel(now));
    for (const RulePlan plan : kRulePlans) {
        PlanSettings p = ReadPlanSettings(settings_, plan);
        if (!p.on && p.start != now) {
            p.start = now;
            WritePlanSettings(settings_, plan, p);
        }
        showPlan(plan);
    }
    TextPravilo(now);
    emit ruleChanged();
}

void TDomPraviloForm::openRule()
{
    pages_->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
    FormActivate();
}

void TDomPraviloForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TDomPraviloForm::done(int result)
{
    TextPravilo(today());
    QDialog::done(result);
    emit ruleChanged();
    emit closed();
}

void TDomPraviloForm::markRead(RulePlan plan)
{
    const PlanSettings p = ReadPlanSettings(settings_, plan);
    if (!p.on)
        return;
    WritePlanState(settings_, plan, MarkedRead(plan, p, ReadPlanState(settings_, plan), today()));
    TextPravilo(today());
    emit ruleChanged();
}

void TDomPraviloForm::IsmGlDomPr(int tag)
{
    if (tag < 1 || tag > 2 * kRulePlanCount)
        return;
    const RulePlan plan = kRulePlans[static_cast<size_t>((tag - 1) / 2)];
    const bool forward = tag % 2 == 1;
    PlanSettings p = ReadPlanSettings(settings_, plan);
    if (!p.on)
        return;
    PlanState s = ReadPlanState(settings_, plan);
    StepUnit(plan, p, s, forward, today());
    keep(plan, p, s);
    showPlan(plan);
    TextPravilo(today());
    emit ruleChanged();
}

void TDomPraviloForm::openText(RulePlan plan)
{
    const PlanSettings p = ReadPlanSettings(settings_, plan);
    const PlanPortion& portion = day_.step(plan).portion;
    if (!p.on || portion.file.isEmpty())
        return;
    const QString relative = VersionFolder(plan, p.version).replace('\\', '/') + portion.file;
    const QString file = relative.section('#', 0, 0);
    const QString path = context_.data_root + "/" + file;
    if (!QFileInfo(path).isFile()) {
        context_.asker().tell(this, "Индикт", "Файл '" + QFileInfo(file).fileName() + "' не найден.  ");
        return;
    }
    QUrl address = QUrl::fromLocalFile(path);
    if (relative.contains('#'))
        address.setFragment(relative.section('#', 1));
    const QString caption = plan == RulePlan::Psalter ? "Псалтирь" : "Библия";
    if (context_.open_text && !context_.open_text(address, caption))
        return;
    PlanState s = ReadPlanState(settings_, plan);
    s.pending = false;
    s.read_day = today();
    WritePlanState(settings_, plan, s);
    TextPravilo(today());
    emit ruleChanged();
}

QString TDomPraviloForm::copyText() const { return RuleCopyText(rule(), day_, context_.today()); }

void TDomPraviloForm::CopyAll()
{
    const QString text = copyText();
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml("<p>" + text.toHtmlEscaped().replace("\n", "<br>\n") + "</p>");
    QApplication::clipboard()->setMimeData(data);
}

void TDomPraviloForm::setPanelActions(RulePlan plan, QList<QAction*> actions, QAction* copy_all)
{
    QMenu* menu = widgets(plan).menu;
    menu->clear();
    menu->addActions(actions);
    menu->addSeparator();
    menu->addAction(copy_all);
}

}  // namespace indikt
