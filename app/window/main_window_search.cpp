// The search of a year in the main window: the panel in its floating dock,
// Ctrl+F and Esc, and a hit shown in its pane: the day view goes to the
// hit's day, in the hit's language and contents entry, with the match
// selected. The walk itself changes nothing the window shows.

#include "main_window.h"

#include "app/panes/html_pane.h"
#include "app/panes/note_pane.h"
#include "app/panes/search_panel.h"
#include "app/panes/tropar_pane.h"
#include "lectionary/day_builders.h"
#include "walks/text_match.h"

#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>

namespace indikt {

namespace {

DayPane PaneOfScope(SearchScope scope)
{
    switch (scope) {
    case SearchScope::Menaion: return DayPane::Menaion;
    case SearchScope::Troparia: return DayPane::Troparia;
    case SearchScope::Lectionary: return DayPane::Lectionary;
    case SearchScope::Notes: return DayPane::Notes;
    }
    return DayPane::Menaion;
}

// Selects the occurrence-th match of the text shown and brings it into view.
bool SelectMatch(QTextEdit* view, const MatchOptions& options, int occurrence)
{
    const QString text = view->document()->toPlainText();
    const QList<qsizetype> matches = FindAllMatches(text, options);
    if (occurrence < 0 || occurrence >= matches.size())
        return false;
    QTextCursor cursor(view->document());
    cursor.setPosition(static_cast<int>(matches[occurrence]));
    cursor.setPosition(static_cast<int>(matches[occurrence] + options.text.size()), QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    view->ensureCursorVisible();
    return true;
}

const char* const kHistoryKeys[] = {"FindList1", "FindList2", "FindList3"};

}  // namespace

void TForm1::buildSearchPanel()
{
    SearchPanelHost host;
    host.data_root = context_.data_root;
    host.scopes = [this] {
        std::vector<SearchScope> scopes;
        for (SearchScope scope : {SearchScope::Menaion, SearchScope::Lectionary, SearchScope::Troparia, SearchScope::Notes}) {
            const DayPane pane = PaneOfScope(scope);
            QAction* command = commands_->action(Info(pane).command);
            const bool built = pane == DayPane::Troparia || pane == DayPane::Notes ||
                               builders_[static_cast<size_t>(pane)] != nullptr;
            if (built && command->isVisible() && command->isEnabled())
                scopes.push_back(scope);
        }
        return scopes;
    };
    host.focused = [this]() -> std::optional<SearchScope> {
        switch (PaneOfCaption(rightCaption()).value_or(DayPane::Lives)) {
        case DayPane::Menaion: return SearchScope::Menaion;
        case DayPane::Troparia: return SearchScope::Troparia;
        case DayPane::Lectionary: return SearchScope::Lectionary;
        case DayPane::Notes: return SearchScope::Notes;
        default: return std::nullopt;
        }
    };
    host.current_date = [this] { return current_date_; };
    host.today = [this] { return today(); };
    host.set_walking = [this](bool on) {
        if (!on)
            storeSearchHistory();
        return setBatchWalk(on);
    };
    host.show_hit = [this](SearchScope scope, const PageAddress& address, int occurrence, const MatchOptions& options) {
        return showSearchHit(scope, address, occurrence, options);
    };
    host.go_to = [this](Date date) { return current_date_ == date || setCurrentDate(date); };
    host.status = [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    };
    host.asker = [this]() -> Asker& { return *asker_; };
    search_panel_ = new SearchPanel(std::move(host), panel_poisk_);
    search_panel_->setObjectName("PanelPoiskFields");
    panel_poisk_->setWidget(search_panel_);
    panel_poisk_->setFloating(true);
    QStringList history;
    for (const char* key : kHistoryKeys)
        history << settings_.text(kSectionVid, key);
    search_panel_->setHistory(history);
    connect(search_panel_, &SearchPanel::closed, panel_poisk_, &QDockWidget::hide);

    CommandSet& c = *commands_;
    c.connect("ActionPoisk", [this] { ActionPoiskExecute(); });
    c["ActionPoisk"]->setToolTip("Поиск");
    c["ActionPoisk"]->setStatusTip("Поиск в Церковном календаре");
    // Esc stops a walk between pages.
    c.connect("ActionEsc", [this] {
        search_panel_->cancel();
        cancelReport();
    });
}

void TForm1::ActionPoiskExecute()
{
    if (search_panel_->running())
        return;
    if (panel_poisk_->isHidden()) {
        // Over the lower part of the day page the first time; later where
        // the user left it, moved back onto the screen when it would leave it.
        if (!panel_poisk_->property("placed").toBool()) {
            panel_poisk_->resize(380, 440);
            panel_poisk_->move(page_list_->mapToGlobal(QPoint(std::min(437, page_list_->width() / 3), page_list_->height() / 3)));
            panel_poisk_->setProperty("placed", true);
        }
        if (const QScreen* screen = this->screen()) {
            const QRect free = screen->availableGeometry();
            QRect frame = panel_poisk_->frameGeometry();
            frame.moveRight(std::min(frame.right(), free.right()));
            frame.moveBottom(std::min(frame.bottom(), free.bottom()));
            frame.moveLeft(std::max(frame.left(), free.left()));
            frame.moveTop(std::max(frame.top(), free.top()));
            panel_poisk_->move(frame.topLeft());
        }
        panel_poisk_->show();
    }
    panel_poisk_->raise();
    panel_poisk_->activateWindow();
    search_panel_->open(false);
}

void TForm1::storeSearchHistory()
{
    const QStringList history = search_panel_->history();
    for (int i = 0; i < 3; ++i)
        settings_.setText(kSectionVid, kHistoryKeys[i], i < history.size() ? history[i] : QString());
}

bool TForm1::showSearchHit(SearchScope scope, const PageAddress& address, int occurrence, const MatchOptions& options)
{
    if (!endNoteEdit())
        return false;
    const DayPane pane = PaneOfScope(scope);
    // The language the page was found in becomes the pane's.
    if (scope == SearchScope::Lectionary && address.variant >= 1 && address.variant <= 5)
        SetLanguageTag(settings_, "BeiblJas", address.variant);
    if (scope == SearchScope::Troparia && address.variant >= 1 && address.variant <= 5)
        SetLanguageTag(settings_, "TrJas", address.variant);
    if (PaneOfCaption(rightCaption()) != pane)
        showPane(pane);
    if (!setCurrentDate(address.civil))
        return false;
    if (scope == SearchScope::Lectionary || scope == SearchScope::Troparia)
        updateVersionCommands();
    QTextEdit* view = nullptr;
    switch (pane) {
    case DayPane::Troparia:
        if (address.entry >= 0 && address.entry < tropar_pane_->contents()->count())
            tropar_pane_->contents()->setCurrentRow(address.entry);
        updateTroparMediaCommands();
        view = tropar_pane_->view();
        break;
    case DayPane::Notes: view = note_pane_->editor(); break;
    default: view = qobject_cast<QTextEdit*>(paneView(pane)); break;
    }
    return view && SelectMatch(view, options, occurrence);
}

}  // namespace indikt
