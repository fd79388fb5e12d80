#pragma once

// "Домашнее правило": the window of the home prayer rule. Its first tab
// shows today's portion of every plan that is on, with a button that opens
// the text and the mark "Прочитано"; a tab per plan holds its settings. The
// settings and positions live in the program's zk.ini in memory (saved with
// it); the window keeps a new position only at its own moments: activation,
// the return to the first tab, previous/next, an opened text, a followed
// Bible link, closing and the program's start.

#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "records/dom_pravilo.h"
#include "settings/zk_settings.h"
#endif

#include <QDialog>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QUrl;

namespace indikt {

struct DomPraviloContext {
    QString data_root;                       // absolute, without a trailing separator
    std::function<Date()> today;             // the clock's date
    std::function<Asker&()> asker;           // the window's questions go through this
    // Opens a text as "TipExplorer" says, with the viewer's caption; false
    // when it could not be opened.
    std::function<bool(const QUrl&, const QString& caption)> open_text;
};

class TDomPraviloForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPanelTop = 33;
    static constexpr int kPanelHeight = 65;

    TDomPraviloForm(ZkSettings& settings, DomPraviloContext context, QWidget* parent = nullptr);

    // `ActionDomPravilo` and the icon: shown on its first tab, on top, not modal.
    void openRule();

    // `TextPravilo`: the plans computed for `date` and their panels laid out;
    // the new positions are kept.
    void TextPravilo(Date date);
    const RuleDay& ruleDay() const { return day_; }

    // A plan counts as read today (a followed Bible link), then the rule is
    // computed anew.
    void markRead(RulePlan plan);
    // `IsmGlDomPr`: tags 1..8, next and previous of each plan in turn.
    void IsmGlDomPr(int tag);
    // `SpButSeeEvNSavClick` and its namesakes: the current unit's text.
    void openText(RulePlan plan);
    // `CopyAll`: the rule of the day on the clipboard.
    void CopyAll();
    QString copyText() const;

    // The commands a plan's panel offers in its context menu: its next and
    // previous unit, and "Копировать все".
    void setPanelActions(RulePlan plan, QList<QAction*> actions, QAction* copy_all);

    // `FormActivate`: the date label, the start dates of plans that are off,
    // the tabs' states and summaries, and the rule of today.
    void FormActivate();

signals:
    // Positions were kept: the main window's rule information is refreshed.
    void ruleChanged();
    // The window was closed: the lectionary may show the rule anew.
    void closed();
    void helpWanted();

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    struct PlanWidgets {
        RulePlan plan{};
        // The first tab.
        QFrame* panel = nullptr;
        QLabel* caption = nullptr;
        QLabel* portion = nullptr;
        QPushButton* open = nullptr;
        QLabel* read_mark = nullptr;
        QMenu* menu = nullptr;
        // The plan's tab.
        QWidget* tab = nullptr;
        QCheckBox* on = nullptr;
        QDateEdit* start = nullptr;
        QSpinBox* start_kathisma = nullptr;  // the Psalter only
        QSpinBox* per_day = nullptr;
        QLabel* per_day_unit = nullptr;
        QSpinBox* cycles = nullptr;
        QList<QLabel*> cycles_labels;
        QCheckBox* always = nullptr;
        QComboBox* version = nullptr;
        QListWidget* skipped = nullptr;
        QLabel* skipped_caption = nullptr;
        QRadioButton* automatic = nullptr;
        QRadioButton* after_reading = nullptr;
        QLabel* summary = nullptr;
        QLabel* finished = nullptr;
        QList<QWidget*> controls;  // enabled while the plan is on
    };

    void buildRuleTab();
    void buildPlanTab(PlanWidgets& w);
    PlanWidgets& widgets(RulePlan plan) { return plans_[static_cast<size_t>(plan)]; }

    HomeRule rule() const;
    void keep(RulePlan plan, const PlanSettings& settings, const PlanState& state);
    // The tab's controls into the settings, and the tab refreshed.
    void controlChanged(RulePlan plan);
    void turnedOnOrOff(RulePlan plan);
    void skippedDayChanged(RulePlan plan, QListWidgetItem* item);
    void clearSkippedDays(RulePlan plan);
    // The controls of a tab from the settings.
    void showPlan(RulePlan plan);
    void updateEnabled(RulePlan plan);
    void updateSummary(RulePlan plan);
    void layOutPanels();
    Date today() const { return context_.today(); }

    ZkSettings& settings_;
    DomPraviloContext context_;
    QTabWidget* pages_ = nullptr;
    QLabel* date_label_ = nullptr;
    std::array<PlanWidgets, kRulePlanCount> plans_{};
    RuleDay day_;
    bool filling_ = false;  // the controls are being set from the settings
};

}  // namespace indikt
