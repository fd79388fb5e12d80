#pragma once

// The search panel (`PanelPoisk`): the text with its history, the scopes of
// the panes there are, the two options, the style of the result dates, the
// find buttons and the result list. It walks a year (or every note) through
// the search library and never touches a pane itself: the window shows a hit
// when the panel asks it to.

#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "walks/year_search.h"
#endif

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace indikt {

// What the panel needs of the window.
struct SearchPanelHost {
    QString data_root;
    std::function<std::vector<SearchScope>()> scopes;       // of the panes shown, in list order
    std::function<std::optional<SearchScope>()> focused;    // the pane with the focus
    std::function<Date()> current_date;                     // the day view's date
    std::function<Date()> today;
    // A walk begins (true) or ends (false); false when the note being
    // edited stays open, and then nothing walks.
    std::function<bool(bool on)> set_walking;
    // The day view goes to the page and selects the match; false when the
    // date could not change (the note being edited kept it).
    std::function<bool(SearchScope scope, const PageAddress& address, int occurrence, const MatchOptions& options)>
        show_hit;
    std::function<bool(Date date)> go_to;                   // back to the day shown before
    std::function<void(const QString& text)> status;
    std::function<Asker&()> asker;
};

class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(SearchPanelHost host, QWidget* parent = nullptr);

    // The panel opens: the scopes anew, the focused pane's scope chosen; the
    // first time, the style of the dates is the day view's.
    void open(bool old_style);
    // `CBPoiskChange`: a new text, scope or option starts the search anew.
    void reset();
    // `ButtonPoiskClick`, `ButtonPoiskAllClick`, `ListBoxResPClick`.
    void find();
    void findAll();
    void openResult(QListWidgetItem* item);
    // Esc or "&Отмена" while a walk runs.
    void cancel();
    bool running() const { return running_; }
    // "&Закрыть": hidden, the text, the results and the counts cleared.
    void close();

    QStringList history() const;
    void setHistory(const QStringList& texts);

    // Item data of a result: the page it opens, whatever the style shown.
    static constexpr int kCivilRole = Qt::UserRole;
    static constexpr int kVariantRole = Qt::UserRole + 1;
    static constexpr int kEntryRole = Qt::UserRole + 2;
    static constexpr int kOccurrenceRole = Qt::UserRole + 3;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<SearchScope> scope() const;
    MatchOptions options() const;
    bool startSearch();
    bool startWalk();
    void endWalk();
    bool progress(const WalkProgress& progress);
    void addResult(const PageResult& result, int occurrence);
    void rememberText();
    void finished(bool cancelled);
    void updateButtons();
    QString quoted() const;
    QString stepStatus(const WalkProgress& progress) const;
    void tell(const QString& text);

    SearchPanelHost host_;
    std::unique_ptr<YearSearch> search_;
    SearchScope search_scope_ = SearchScope::Menaion;
    std::optional<Date> start_date_;     // the day shown before the search moved the view
    bool running_ = false;
    bool cancel_ = false;
    bool opened_ = false;
    qint64 last_events_ms_ = 0;
    int found_hits_ = 0;
    int result_pages_ = 0;

    QComboBox* text_ = nullptr;          // `CBPoisk`
    QComboBox* where_ = nullptr;         // `CBGde`
    QCheckBox* match_case_ = nullptr;    // `CheckBoxRegistr`
    QCheckBox* whole_word_ = nullptr;    // `CheckBoxZeloe`
    QComboBox* style_ = nullptr;         // `ComboBoxSt`
    QPushButton* find_ = nullptr;        // `ButtonPoisk`
    QPushButton* find_all_ = nullptr;    // `ButtonPoiskAll`
    QPushButton* close_ = nullptr;       // `ButtonOtmenP`
    QLabel* result_label_ = nullptr;     // `LabelResult`
    QListWidget* results_ = nullptr;     // `ListBoxResP`
};

// The endings the notes search writes: " запись." for 1, " записи." for 2
// to 4, " записей." for 5 and more; " раза." for 2 to 4, else " раз.".
QString NotesLeftEnding(int left);
QString TimesEnding(int count);

}  // namespace indikt
