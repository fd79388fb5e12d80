#pragma once

// The notes pane (`PanelSapis`): the user's rich-text note of the day shown
// in `RichEditSapis`, with the editing tool bar `ToolBar` shown only while
// a note is edited. It reads and writes notes only through the note store
// (records/notes.h) and puts every question through the asker.

#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "app/panes/note_editing.h"
#include "records/notes.h"
#endif

#include <QTextEdit>
#include <QUrl>
#include <QWidget>

#include <functional>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace indikt {

// The editor of the notes pane. It claims its editing keys (italic Ctrl+I,
// underline Ctrl+U beside the usual undo, cut, copy, paste and select all)
// while it has the focus; elsewhere in the window the same keys run the
// window's commands. What is pasted or dropped keeps only what a note can
// hold, so what is shown is what is saved.
class NotesEditor : public QTextEdit {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

signals:
    // The user reached into the editor: a click, a key, the focus given to it.
    void editingWanted();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The window's commands the pane shows in its tool bar and context menu.
struct NoteWindowCommands {
    QAction* save = nullptr;       // `ActionSaveSapis`
    QAction* remove = nullptr;     // `ActionDelSap`
    QAction* previous = nullptr;   // `ActionPredSapis`
    QAction* next = nullptr;       // `ActionSledSapis`
};

class NotePane : public QWidget, public NoteEditing {
    Q_OBJECT
public:
    // `asker` gives the asker of the moment (tests replace it); `today`
    // today's date; `opener` opens a file with the desktop's application.
    NotePane(QString data_root, std::function<Asker&()> asker, std::function<bool(const QUrl&)> opener,
             QWidget* parent = nullptr);

    NotesEditor* editor() const { return editor_; }
    QToolBar* toolBar() const { return tool_bar_; }
    void setWindowCommands(const NoteWindowCommands& commands);
    // Tests put a remover that records what went; the default uses the trash.
    void setRemover(NoteRemover remover) { remover_ = std::move(remover); }

    // `SapisText`: shows the note of a civil date (the liturgical day). The
    // note being edited for that same date is kept as it is.
    void SapisText(Date date);
    const StoredNote& shownNote() const { return shown_; }

    // `EditSapisEnter`: the tool bar shows and typing is taken.
    void EditSapisEnter();
    // `ActionSaveSapisExecute`: false when nothing was saved (a failure the
    // user was told of, or a question cancelled); the text is then kept.
    bool ActionSaveSapisExecute();
    // `ActionDelSapExecute`: the note is emptied and saved, so it goes.
    void ActionDelSapExecute();
    // `PovtorGodExecute`: the note becomes yearly or one-time and is saved.
    void PovtorGodExecute();
    // `EditSapisESC`: ends the edit (asking when there are changes).
    void EditSapisESC();
    // `ActionEditSapasExecute`: the note's file in the desktop's editor.
    void ActionEditSapasExecute();

    // NoteEditing: `RichEditSapisExit`.
    bool isEditing() const override { return editing_; }
    EditEnd endEdit() override;
    bool isModified() const;

    // While a walk over many days runs, nothing can be typed.
    void setEditingRefused(bool refused);
    // On SIGTERM or the session's end: the changes are saved as "Yes" would
    // save them, keeping every other text there is. False when the save failed.
    bool saveForShutdown();

    QAction* povtorGod() const { return povtor_god_; }
    QAction* editSapas() const { return edit_sapas_; }
    QMenu* contextMenu() const { return context_menu_; }

signals:
    void status(const QString& text);
    // Editing ended by Esc: the window takes the focus back.
    void leftEditor();

private:
    void buildActions();
    void showNote(const StoredNote& note);
    void stopEditing();
    void applyAccess();
    void updateFormatActions();
    void chooseFont();
    void resetFormattingAfterEmptied();
    void reportHidden();
    bool save(const NoteQuestions& ask, bool shutting_down = false);
    NoteAnswer askAbout(NoteQuestion question, const QString& file_name);
    Asker& asker() const { return asker_(); }

    QString data_root_;
    std::function<Asker&()> asker_;
    std::function<bool(const QUrl&)> opener_;
    NoteRemover remover_ = RemoveToTrash;
    StoredNote shown_;
    bool editing_ = false;
    bool refused_ = false;
    bool asking_ = false;   // a question is open: nothing else may end the edit meanwhile

    QWidget* notice_panel_ = nullptr;
    QLabel* notice_ = nullptr;
    QToolBar* tool_bar_ = nullptr;
    NotesEditor* editor_ = nullptr;
    QMenu* context_menu_ = nullptr;
    NoteWindowCommands commands_;
    QAction* povtor_god_ = nullptr;
    QAction* edit_sapas_ = nullptr;
    QAction* font_ = nullptr;
    QAction* bold_ = nullptr;
    QAction* italic_ = nullptr;
    QAction* underline_ = nullptr;
    QAction* align_left_ = nullptr;
    QAction* align_centre_ = nullptr;
    QAction* align_right_ = nullptr;
    QActionGroup* alignment_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* select_all_ = nullptr;
};

}  // namespace indikt
