// The notes pane in the main window: its commands, previous and next note,
// and the rule that whatever changes the note shown (a date change, the
// evening switch, a walk over many days, closing) ends its edit first.

#include "main_window.h"

#include "app/panes/note_pane.h"
#include "records/notes.h"

#include <QAction>
#include <QDesktopServices>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace indikt {

namespace {

void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(hint.section('|', 0, 0));
    action->setStatusTip(hint.section('|', -1));
}

}  // namespace

QWidget* TForm1::buildNotePane(QWidget* panel, QWidget** editor)
{
    note_pane_ = new NotePane(
        context_.data_root, [this]() -> Asker& { return *asker_; },
        [this](const QUrl& file) { return external_opener_ ? external_opener_(file) : QDesktopServices::openUrl(file); },
        panel);
    note_editing_ = note_pane_;
    *editor = note_pane_->editor();
    return note_pane_;
}

void TForm1::connectNoteCommands()
{
    CommandSet& c = *commands_;
    // Save and delete act while the notes page is shown; elsewhere their keys do nothing.
    c.connect("ActionSaveSapis", [this] {
        if (notesShown())
            note_pane_->ActionSaveSapisExecute();
    });
    c.connect("ActionDelSap", [this] {
        if (notesShown())
            note_pane_->ActionDelSapExecute();
    });
    c.connect("ActionPredSapis", [this] { PredSapisClick(); });
    c.connect("ActionSledSapis", [this] { SledSapisClick(); });
    // Esc anywhere in the window ends the note's edit, as Esc in the editor does.
    c.connect("ActionEsc", [this] {
        if (note_pane_->isEditing())
            note_pane_->EditSapisESC();
    });
    SetHint(c["ActionSaveSapis"], "Сохранить запись|Сохранить запись на этот день");
    SetHint(c["ActionDelSap"], "Удалить запись|Удалить запись на этот день");
    SetHint(c["ActionPredSapis"], "Предыдущая запись|Перейти к предыдующей записи");
    SetHint(c["ActionSledSapis"], "Следующая запись|Перейти к следующей записи");
    SetHint(c["ActionPanelSapis"], "Личные записи|Личные заметки на каждый день");

    note_pane_->setWindowCommands({c["ActionSaveSapis"], c["ActionDelSap"], c["ActionPredSapis"], c["ActionSledSapis"]});
    connect(note_pane_, &NotePane::status, this, [this](const QString& text) { statusBar()->showMessage(text); });
    connect(note_pane_, &NotePane::leftEditor, this, [this] { centralWidget()->setFocus(); });
}

bool TForm1::notesShown() const { return PaneOfCaption(rightCaption()) == DayPane::Notes; }

void TForm1::showNote(Date date) { note_pane_->SapisText(date); }

bool TForm1::endNoteEdit()
{
    if (batch_walk_ || !note_editing_)
        return true;
    return note_editing_->endEdit() == EditEnd::Proceed;
}

bool TForm1::setBatchWalk(bool on)
{
    if (on && !batch_walk_ && !endNoteEdit())
        return false;
    batch_walk_ = on;
    note_pane_->setEditingRefused(on);
    return true;
}

void TForm1::saveNoteForShutdown()
{
    if (!note_pane_->saveForShutdown())
        qWarning("indikt: the note being edited could not be saved");
}

// The nearest note before or after the one the pane shows (the next day's
// in the evening view); a yearly note counts as a note of this year.
void TForm1::goToNote(std::optional<Date> date, const char* none_text)
{
    if (!date) {
        statusBar()->showMessage(QString::fromUtf8(none_text));
        return;
    }
    beforeNavigation();
    if (!endNoteEdit())
        return;
    if (!notesShown())
        showPane(DayPane::Notes);
    setCurrentDate(*date);
}

void TForm1::PredSapisClick()
{
    if (batch_walk_)
        return;
    const NoteListing listing = ListNotes(context_.data_root, today());
    goToNote(PreviousNoteDate(listing, NoteKeyOfDate(liturgicalDate())), "Более ранних личных записей нет.");
}

void TForm1::SledSapisClick()
{
    if (batch_walk_)
        return;
    const NoteListing listing = ListNotes(context_.data_root, today());
    goToNote(NextNoteDate(listing, NoteKeyOfDate(liturgicalDate())), "Более поздних личных записей нет.");
}

}  // namespace indikt
