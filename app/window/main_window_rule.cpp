// The home prayer rule in the main window: its window and command, the
// previous/next commands of the plans, the icon of an unread portion, the
// start-up step, and the followed Bible link that marks a plan read.

#include "main_window.h"

#include "app/dialogs/dom_pravilo_form.h"
#include "app/window/day_widgets.h"
#include "app/window/tool_icons.h"
#include "records/dom_pravilo_settings.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace indikt {

namespace {

// The plan a followed Bible link reads.
std::optional<RulePlan> PlanOfMark(ReadingMark mark)
{
    switch (mark) {
    case ReadingMark::Gospel: return RulePlan::Gospel;
    case ReadingMark::Apostle: return RulePlan::Apostle;
    case ReadingMark::Psalter: return RulePlan::Psalter;
    case ReadingMark::OldTestament: return RulePlan::OldTestament;
    case ReadingMark::None: break;
    }
    return std::nullopt;
}

// The next and previous commands of each plan, in the order of their tags.
const char* const kStepCommands[kRulePlanCount][2] = {
    {"ActionSlGlEvNSav", "ActionPrGlEvNSav"},
    {"ActionSlGlApNSav", "ActionPrGlApNSav"},
    {"ActionSlGlPsalm", "ActionPrGlPsalm"},
    {"ActionSlGlVSav", "ActionPrGlVSav"},
};

}  // namespace

void TForm1::connectHomeRule()
{
    DomPraviloContext context;
    context.data_root = context_.data_root;
    context.today = [this] { return today(); };
    context.asker = [this]() -> Asker& { return *asker_; };
    // A text of the rule opens where "TipExplorer" says: the viewer pane
    // with its caption, a viewer window, or the browser.
    context.open_text = [this](const QUrl& address, const QString& caption) {
        switch (settings_.number(kSectionVid, "TipExplorer")) {
        case 0: openInViewer(address, caption); break;
        case 1: openViewerWindow(address); break;
        default: openOutside(address); break;
        }
        return true;
    };
    dom_pravilo_ = new TDomPraviloForm(settings_, std::move(context), this);
    // Restored settings bring the plans' own positions: the window shows them.
    onRecordsRestored([this](const RecordChanges& changes) {
        if (!changes.settings)
            return;
        if (dom_pravilo_->isVisible())
            dom_pravilo_->FormActivate();
        updateImagePravilo();
    });

    CommandSet& c = *commands_;
    QAction* open = c["ActionDomPravilo"];
    open->setStatusTip("Домашнее правило - напоминание о чтении Священного Писания");
    open->setToolTip("Домашнее правило");
    c.connect("ActionDomPravilo", [this] { ActionDomPraviloExecute(); });
    for (int i = 0; i < kRulePlanCount; ++i)
        for (const char* name : kStepCommands[i])
            c.connectTagged(name, [this](int tag) { IsmGlDomPrExecute(tag); });
    QAction* copy_all = c["ActionDomPrCopyAll"];
    copy_all->setStatusTip("Скопировать весь текст Домашнего правила");
    c.connect("ActionDomPrCopyAll", [this] { dom_pravilo_->CopyAll(); });
    for (const RulePlan plan : kRulePlans) {
        const auto& names = kStepCommands[static_cast<size_t>(plan)];
        dom_pravilo_->setPanelActions(plan, {c[names[0]], c[names[1]]}, copy_all);
    }

    connect(dom_pravilo_, &TDomPraviloForm::ruleChanged, this, &TForm1::updateImagePravilo);
    connect(dom_pravilo_, &TDomPraviloForm::helpWanted, this, &TForm1::HelpContents1Execute);
    // Closed: the lectionary shows the rule as it now stands.
    connect(dom_pravilo_, &TDomPraviloForm::closed, this, [this] {
        if (settings_.flag(kSectionPravilo, "PraviloSeeLec") && PaneOfCaption(rightCaption()) == DayPane::Lectionary)
            fillShownPane(liturgicalDate());
    });
    setReadingMarkHook([this](ReadingMark mark) {
        if (const std::optional<RulePlan> plan = PlanOfMark(mark))
            dom_pravilo_->markRead(*plan);
    });

    // `ImagePravilo`, above today's date: a click opens the rule.
    image_pravilo_ = new QToolButton(panel_num_);
    image_pravilo_->setObjectName("ImagePravilo");
    image_pravilo_->setIcon(ToolIcon("ActionDomPravilo"));
    image_pravilo_->setIconSize(QSize(28, 28));
    image_pravilo_->setAutoRaise(true);
    image_pravilo_->setToolTip("Непрочитанное домашнее правило (Ctrl+R)");
    image_pravilo_->hide();
    connect(image_pravilo_, &QToolButton::clicked, this, &TForm1::ActionDomPraviloExecute);
    if (auto* column = qobject_cast<QBoxLayout*>(panel_num_->layout())) {
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(image_pravilo_);
        row->addStretch(1);
        const int at = column->indexOf(label_today_);
        column->insertLayout(at < 0 ? column->count() : at, row);
    }
}

void TForm1::ActionDomPraviloExecute() { dom_pravilo_->openRule(); }

void TForm1::IsmGlDomPrExecute(int tag)
{
    dom_pravilo_->IsmGlDomPr(tag);
    // The lectionary shows the shifted portions.
    if (settings_.flag(kSectionPravilo, "PraviloSeeLec") && PaneOfCaption(rightCaption()) == DayPane::Lectionary)
        fillShownPane(liturgicalDate());
}

// The start-up step: today's portions are computed (and the plans that page
// after reading move on to the day's portion).
void TForm1::InfoPraviloExecute()
{
    dom_pravilo_->TextPravilo(today());
    rule_portion_texts_.clear();
    const HomeRule rule = ReadHomeRule(settings_);
    for (const RulePlan plan : kRulePlans) {
        const QString& text = dom_pravilo_->ruleDay().step(plan).portion.text;
        if (rule.plan(plan).on && !text.isEmpty())
            rule_portion_texts_ << QString(PlanInfo(plan).caption) + ": " + text;
    }
    updateImagePravilo();
}

// Shown while a plan that pages after reading has today's portion unread and
// "Непрочитанного правила" is on. Computed without keeping anything.
void TForm1::updateImagePravilo()
{
    if (!image_pravilo_)
        return;
    const HomeRule rule = ReadHomeRule(settings_);
    const bool unread = settings_.flag(kSectionVid, "IcoNeprPravilo") &&
                        HasUnreadPortion(rule, indikt::TextPravilo(rule, today(), today()));
    image_pravilo_->setVisible(unread);
}

}  // namespace indikt
