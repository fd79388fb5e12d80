#include "note_pane.h"

#include "calendar/date_texts.h"
#include "texts/rtf_document.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace indikt {

namespace {

bool IsOwnFormatKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::ControlModifier && (key->key() == Qt::Key_I || key->key() == Qt::Key_U);
}

// A hint written "tool tip|status line".
void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(hint.section('|', 0, 0));
    action->setStatusTip(hint.section('|', -1));
}

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The questions of a save put to nobody: both texts are always kept.
NoteAnswer KeepEverything(NoteQuestion question, const QString&)
{
    switch (question) {
    case NoteQuestion::NameTaken: return NoteAnswer::No;          // both notes kept
    case NoteQuestion::NameTakenNoKeep: return NoteAnswer::Yes;   // the other text appended
    case NoteQuestion::NameTakenNoAppend: return NoteAnswer::No;
    case NoteQuestion::ChangedElsewhere: return NoteAnswer::Yes;  // the other version kept aside
    }
    return NoteAnswer::Cancel;
}

}  // namespace

// ---- The editor --------------------------------------------------------------------

bool NotesEditor::event(QEvent* event)
{
    // Accepting the override makes the key a key press here instead of a
    // window shortcut.
    if (event->type() == QEvent::ShortcutOverride && !isReadOnly() &&
        IsOwnFormatKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTextEdit::event(event);
}

void NotesEditor::keyPressEvent(QKeyEvent* event)
{
    if (!isReadOnly()) {
        // A key that begins the edit of a note another program changed meanwhile
        // finds the new version shown; it is not typed into a text the user never saw.
        const int revision = document()->revision();
        emit editingWanted();
        if (document()->revision() != revision)
            return;
    }
    if (!isReadOnly() && IsOwnFormatKey(event)) {
        QTextCharFormat format;
        if (event->key() == Qt::Key_I)
            format.setFontItalic(!currentCharFormat().fontItalic());
        else
            format.setFontUnderline(!currentCharFormat().fontUnderline());
        mergeCurrentCharFormat(format);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void NotesEditor::mousePressEvent(QMouseEvent* event)
{
    if (!isReadOnly())
        emit editingWanted();
    QTextEdit::mousePressEvent(event);
}

// The focus coming back with the window (after a question, from another
// program) does not begin an edit; a click, a key or Tab does.
void NotesEditor::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    if (!isReadOnly() && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit editingWanted();
}

void NotesEditor::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source)
        return;
    QTextCursor cursor = textCursor();
    if (source->hasHtml()) {
        QTextDocument pasted;
        pasted.setDefaultFont(document()->defaultFont());
        pasted.setDefaultTextOption(document()->defaultTextOption());
        pasted.setHtml(source->html());
        InsertRtfDocument(cursor, RtfOfDocument(pasted));
    } else if (source->hasText()) {
        const RtfCharFormat format;
        // Pasted text takes the formatting at the cursor.
        cursor.beginEditBlock();
        const QStringList lines = source->text().split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            RtfParagraph paragraph;
            AppendRtfText(paragraph, lines[i], format);
            for (const RtfRun& run : paragraph.runs)
                cursor.insertText(run.text);
        }
        cursor.endEditBlock();
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

// ---- The pane ----------------------------------------------------------------------

NotePane::NotePane(QString data_root, std::function<Asker&()> asker, std::function<bool(const QUrl&)> opener,
                   QWidget* parent)
    : QWidget(parent), data_root_(std::move(data_root)), asker_(std::move(asker)), opener_(std::move(opener))
{
    setObjectName("NotePane");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tool_bar_ = new QToolBar("Правка записи", this);
    tool_bar_->setObjectName("ToolBar");
    tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tool_bar_->hide();
    layout->addWidget(tool_bar_);

    // The notice of a note that is shown but cannot be changed here.
    notice_panel_ = new QWidget(this);
    notice_panel_->setObjectName("PanelSapisNotice");
    notice_panel_->setStyleSheet("#PanelSapisNotice { background: #fff4d6; }");
    auto* notice_layout = new QHBoxLayout(notice_panel_);
    notice_layout->setContentsMargins(6, 4, 6, 4);
    notice_ = new QLabel(notice_panel_);
    notice_->setObjectName("LabelSapisNotice");
    notice_->setWordWrap(true);
    notice_layout->addWidget(notice_, 1);
    auto* open_button = new QToolButton(notice_panel_);
    open_button->setObjectName("ButtonOpenSapis");
    notice_layout->addWidget(open_button);
    notice_panel_->hide();
    layout->addWidget(notice_panel_);

    editor_ = new NotesEditor(this);
    editor_->setAcceptRichText(true);
    editor_->setFont(NoteDefaultFont());
    SetNoteDefaults(*editor_->document());
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(editor_, 1);

    buildActions();
    open_button->setDefaultAction(edit_sapas_);
    connect(editor_, &NotesEditor::editingWanted, this, &NotePane::EditSapisEnter);
    connect(editor_, &QTextEdit::currentCharFormatChanged, this, [this] { updateFormatActions(); });
    connect(editor_, &QTextEdit::cursorPositionChanged, this, [this] { updateFormatActions(); });
    connect(editor_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { context_menu_->popup(editor_->viewport()->mapToGlobal(at)); });
    applyAccess();
}

void NotePane::buildActions()
{
    const auto make = [this](const char* name, const QString& caption, const QString& hint, bool checkable = false) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setCheckable(checkable);
        SetHint(action, hint);
        return action;
    };
    povtor_god_ = make("PovtorGod", "Ежегодно", "Показывать ежегодно|Воспроизводить текущую запись каждый год", true);
    edit_sapas_ = make("ActionEditSapas", "Открыть в редакторе",
                       "Открыть в редакторе|Открыть файл личных записей на текущий день в текстовом редакторе");
    font_ = make("FontEdit1", "Шрифт", "Шрифт|Шрифт выделенного текста");
    bold_ = make("RichEditBold", "Ж", "Полужирный|Полужирный шрифт", true);
    italic_ = make("RichEditItalic", "К", "Курсив (Ctrl+I)|Курсив", true);
    underline_ = make("RichEditUnderline", "Ч", "Подчёркнутый (Ctrl+U)|Подчёркнутый шрифт", true);
    align_left_ = make("RichEditAlignLeft", "Влево", "По левому краю|Выровнять абзац по левому краю", true);
    align_centre_ = make("RichEditAlignCenter", "По центру", "По центру|Выровнять абзац по центру", true);
    align_right_ = make("RichEditAlignRight", "Вправо", "По правому краю|Выровнять абзац по правому краю", true);
    undo_ = make("EditUndo1", "Отменить", "Отменить (Ctrl+Z)|Отменить последнее изменение");
    cut_ = make("EditCut1", "Вырезать", "Вырезать (Ctrl+X)|Вырезать выделенный текст");
    copy_ = make("EditCopy1", "Копировать", "Копировать (Ctrl+C)|Копировать выделенный текст");
    paste_ = make("EditPaste1", "Вставить", "Вставить (Ctrl+V)|Вставить текст из буфера обмена");
    select_all_ = make("EditSelectAll1", "Выделить все", "Выделить все (Ctrl+A)|Выделить весь текст записи");
    QFont bold_font = bold_->font();
    bold_font.setBold(true);
    bold_->setFont(bold_font);
    QFont italic_font = italic_->font();
    italic_font.setItalic(true);
    italic_->setFont(italic_font);
    QFont underline_font = underline_->font();
    underline_font.setUnderline(true);
    underline_->setFont(underline_font);
    alignment_ = new QActionGroup(this);
    for (QAction* action : {align_left_, align_centre_, align_right_})
        alignment_->addAction(action);

    connect(povtor_god_, &QAction::triggered, this, [this] { PovtorGodExecute(); });
    connect(edit_sapas_, &QAction::triggered, this, [this] { ActionEditSapasExecute(); });
    connect(font_, &QAction::triggered, this, [this] { chooseFont(); });
    connect(bold_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        editor_->mergeCurrentCharFormat(format);
    });
    connect(italic_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        editor_->mergeCurrentCharFormat(format);
    });
    connect(underline_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        editor_->mergeCurrentCharFormat(format);
    });
    connect(align_left_, &QAction::triggered, this, [this] { editor_->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); });
    connect(align_centre_, &QAction::triggered, this, [this] { editor_->setAlignment(Qt::AlignHCenter); });
    connect(align_right_, &QAction::triggered, this, [this] { editor_->setAlignment(Qt::AlignRight | Qt::AlignAbsolute); });
    connect(undo_, &QAction::triggered, editor_, &QTextEdit::undo);
    connect(cut_, &QAction::triggered, editor_, &QTextEdit::cut);
    connect(copy_, &QAction::triggered, editor_, &QTextEdit::copy);
    connect(paste_, &QAction::triggered, editor_, &QTextEdit::paste);
    connect(select_all_, &QAction::triggered, editor_, &QTextEdit::selectAll);
    connect(editor_, &QTextEdit::undoAvailable, undo_, &QAction::setEnabled);
    connect(editor_, &QTextEdit::copyAvailable, copy_, &QAction::setEnabled);
    connect(editor_, &QTextEdit::copyAvailable, this, [this](bool yes) { cut_->setEnabled(yes && !editor_->isReadOnly()); });
    undo_->setEnabled(false);
    cut_->setEnabled(false);
    copy_->setEnabled(false);

    context_menu_ = new QMenu(this);
    context_menu_->setObjectName("PopupMenu1");
    setWindowCommands({});
}

// The tool bar in the order save, delete, yearly | font, bold, italic,
// underline, three alignments, undo, cut, copy, paste; the context menu
// undo, cut, copy, paste, select all, open in editor, save, delete,
// previous and next note.
void NotePane::setWindowCommands(const NoteWindowCommands& commands)
{
    commands_ = commands;
    tool_bar_->clear();
    for (QAction* action : {commands.save, commands.remove})
        if (action)
            tool_bar_->addAction(action);
    tool_bar_->addAction(povtor_god_);
    tool_bar_->addSeparator();
    for (QAction* action : {font_, bold_, italic_, underline_, align_left_, align_centre_, align_right_, undo_, cut_,
                            copy_, paste_})
        tool_bar_->addAction(action);

    context_menu_->clear();
    for (QAction* action : {undo_, cut_, copy_, paste_, select_all_})
        context_menu_->addAction(action);
    context_menu_->addSeparator();
    context_menu_->addAction(edit_sapas_);
    for (QAction* action : {commands.save, commands.remove})
        if (action)
            context_menu_->addAction(action);
    context_menu_->addSeparator();
    for (QAction* action : {commands.previous, commands.next})
        if (action)
            context_menu_->addAction(action);
}

void NotePane::SapisText(Date date)
{
    // The note being edited stays as it is; the window ends an edit before
    // it shows another day.
    if (editing_ && date == shown_.date)
        return;
    if (!refused_)
        CleanUpLegacyNotes(data_root_, NoteKeyOfDate(date), remover_);
    showNote(ReadNote(data_root_, date));
}

void NotePane::showNote(const StoredNote& note)
{
    shown_ = note;
    QTextDocument* document = editor_->document();
    document->setUndoRedoEnabled(false);
    if (shown_.exists())
        SetDocumentContent(*document, shown_.content);
    else
        document->clear();
    document->setUndoRedoEnabled(true);
    editor_->moveCursor(QTextCursor::Start);
    document->setModified(false);
    povtor_god_->setChecked(shown_.yearly);
    edit_sapas_->setEnabled(shown_.exists());
    if (!shown_.editable)
        stopEditing();
    applyAccess();
    reportHidden();
}

void NotePane::reportHidden()
{
    if (shown_.hidden.isEmpty())
        return;
    QStringList names;
    for (const QString& path : shown_.hidden)
        names << "«" + QFileInfo(path).fileName() + "»";
    const QString what = shown_.yearly ? "ежегодная запись скрывает разовую запись этого дня: "
                                       : "показанная запись скрывает другую запись этого дня: ";
    emit status("Личные записи: " + what + names.join(", ") + ". Она не изменяется и не удаляется.");
}

void NotePane::applyAccess()
{
    const bool writable = shown_.editable && !refused_;
    editor_->setReadOnly(!writable);
    editor_->setPlaceholderText(writable ? "Щёлкните здесь, чтобы написать запись на этот день." : QString());
    notice_->setText(shown_.notice);
    notice_panel_->setVisible(!shown_.notice.isEmpty());
    for (QAction* action : {povtor_god_, font_, bold_, italic_, underline_, align_left_, align_centre_, align_right_,
                            paste_})
        action->setEnabled(writable);
}

void NotePane::setEditingRefused(bool refused)
{
    refused_ = refused;
    if (refused)
        stopEditing();
    applyAccess();
}

bool NotePane::isModified() const { return editor_->document()->isModified(); }

void NotePane::EditSapisEnter()
{
    if (editing_ || refused_ || !shown_.editable)
        return;
    // Another program changed the file while it was only shown: its version first.
    if (shown_.exists() && !isModified() && StampOfFile(shown_.path) != shown_.stamp) {
        const int position = editor_->textCursor().position();
        showNote(ReadNote(data_root_, shown_.date));
        QTextCursor cursor = editor_->textCursor();
        cursor.setPosition(std::min(position, editor_->document()->characterCount() - 1));
        editor_->setTextCursor(cursor);
        emit status("Запись изменена другой программой; показана её новая версия.");
        if (!shown_.editable)
            return;
    }
    editing_ = true;
    tool_bar_->show();
    updateFormatActions();
}

void NotePane::stopEditing()
{
    editing_ = false;
    tool_bar_->hide();
}

EditEnd NotePane::endEdit()
{
    if (!editing_)
        return EditEnd::Proceed;
    if (asking_)
        return EditEnd::Cancelled;  // the question already open decides
    if (isModified() && shown_.editable) {
        const QString text = "Сохранить изменения в Личных записях " + Qs(TextOfDayAndMonthAndYear4(shown_.date)) + "?";
        asking_ = true;
        const QMessageBox::StandardButton answer =
            asker().ask(this, "Индикт", text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        asking_ = false;
        if (answer == QMessageBox::Yes) {
            if (!ActionSaveSapisExecute())
                return EditEnd::Cancelled;  // the text stays in the editor, still unsaved
        } else if (answer == QMessageBox::No) {
            showNote(ReadNote(data_root_, shown_.date));  // the changes are dropped
        } else {
            editor_->setFocus();
            editor_->document()->setModified(true);
            return EditEnd::Cancelled;
        }
    }
    stopEditing();
    return EditEnd::Proceed;
}

void NotePane::EditSapisESC()
{
    if (refused_ || endEdit() == EditEnd::Cancelled)
        return;
    stopEditing();
    emit leftEditor();
}

NoteAnswer NotePane::askAbout(NoteQuestion question, const QString& file_name)
{
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const QString other = "На этот день уже есть запись «" + file_name + "», которую программа не показывала.";
    switch (question) {
    case NoteQuestion::NameTaken:
        text = other + "\n\nДа — добавить её текст к этой записи;\nНет — оставить обе записи (эта останется "
                       "там, где была);\nОтмена — вернуться к правке.";
        break;
    case NoteQuestion::NameTakenNoKeep:
        text = other + "\n\nДа — добавить её текст к этой записи;\nОтмена — вернуться к правке.";
        buttons = QMessageBox::Yes | QMessageBox::Cancel;
        break;
    case NoteQuestion::NameTakenNoAppend:
        text = other + " Прочитать её целиком программа не может.\n\nНет — оставить обе записи (эта останется "
                       "там, где была);\nОтмена — вернуться к правке.";
        buttons = QMessageBox::No | QMessageBox::Cancel;
        break;
    case NoteQuestion::ChangedElsewhere:
        text = "Запись «" + file_name + "» изменена другой программой, пока была открыта здесь.\n\nДа — сохранить "
               "ваш текст (версия другой программы останется рядом копией);\nНет — показать версию другой "
               "программы (ваши изменения пропадут);\nОтмена — вернуться к правке.";
        break;
    }
    asking_ = true;
    const QMessageBox::StandardButton answer = asker().ask(this, "Индикт", text, buttons);
    asking_ = false;
    if (answer == QMessageBox::Yes && buttons.testFlag(QMessageBox::Yes))
        return NoteAnswer::Yes;
    if (answer == QMessageBox::No && buttons.testFlag(QMessageBox::No))
        return NoteAnswer::No;
    return NoteAnswer::Cancel;
}

bool NotePane::ActionSaveSapisExecute()
{
    return save([this](NoteQuestion question, const QString& file) { return askAbout(question, file); });
}

bool NotePane::saveForShutdown()
{
    if (!editing_ || !isModified() || !shown_.editable)
        return true;
    return save(KeepEverything, true);  // also while a question is open: nobody will answer it
}

bool NotePane::save(const NoteQuestions& ask, bool shutting_down)
{
    if (refused_ || (asking_ && !shutting_down))
        return false;
    if (!shown_.editable) {
        emit status("Эта запись открыта только для чтения: " + shown_.notice);
        return false;
    }
    NoteSave request;
    request.key = shown_.key;
    request.yearly = povtor_god_->isChecked();
    request.content = RtfOfDocument(*editor_->document());
    request.modified = isModified();
    request.loaded_path = shown_.path;
    request.loaded_stamp = shown_.stamp;
    const NoteSaveResult result = SaveNote(data_root_, request, ask, remover_);
    using Outcome = NoteSaveResult::Outcome;
    switch (result.outcome) {
    case Outcome::Saved: {
        // The editor keeps its text, cursor and undo history; only what is
        // known of the file changes, unless text was appended to it.
        StoredNote fresh = ReadNote(data_root_, shown_.date);
        const bool appended = fresh.path == result.path && !(fresh.content == request.content);
        if (fresh.path == result.path) {
            if (appended) {
                showNote(fresh);
            } else {
                shown_ = std::move(fresh);
                editor_->document()->setModified(false);
            }
        } else {
            shown_.path = result.path;
            shown_.stamp = result.stamp;
            shown_.yearly = result.yearly;
            shown_.hidden = fresh.hidden;
            editor_->document()->setModified(false);
        }
        povtor_god_->setChecked(shown_.yearly);
        edit_sapas_->setEnabled(true);
        emit status("Запись сохранена: «" + QFileInfo(result.path).fileName() + "». " + result.message);
        return true;
    }
    case Outcome::Deleted:
        stopEditing();
        showNote(ReadNote(data_root_, shown_.date));
        if (!shown_.exists())
            resetFormattingAfterEmptied();
        emit status("Запись удалена. " + result.message);
        emit leftEditor();
        return true;
    case Outcome::Reload:
        showNote(ReadNote(data_root_, shown_.date));
        if (!result.message.isEmpty())
            emit status(result.message);
        return true;
    case Outcome::Cancelled:
        povtor_god_->setChecked(shown_.yearly);
        return false;
    case Outcome::Failed:
        editor_->document()->setModified(true);
        asker().tell(this, "Индикт", "Запись не сохранена. " + result.message);
        return false;
    }
    return false;
}

void NotePane::ActionDelSapExecute()
{
    if (refused_ || !shown_.editable || asking_)
        return;
    if (!shown_.exists() && editor_->document()->isEmpty())
        return;
    editor_->clear();
    save([this](NoteQuestion question, const QString& file) { return askAbout(question, file); });
}

void NotePane::PovtorGodExecute()
{
    // The action toggled its own check; the note moves with it.
    if (refused_ || !shown_.editable) {
        povtor_god_->setChecked(shown_.yearly);
        return;
    }
    if (!shown_.exists() && IsBlankRtf(RtfOfDocument(*editor_->document())))
        return;  // nothing to move yet: the next save writes the note as checked
    save([this](NoteQuestion question, const QString& file) { return askAbout(question, file); });
}

void NotePane::ActionEditSapasExecute()
{
    if (!shown_.exists()) {
        emit status("На этот день личной записи нет.");
        return;
    }
    // The outside editor gets the file as saved.
    if (isModified() && endEdit() == EditEnd::Cancelled)
        return;
    if (!QFileInfo::exists(shown_.path) || !opener_ || !opener_(QUrl::fromLocalFile(shown_.path)))
        emit status("Не удалось открыть «" + QFileInfo(shown_.path).fileName() + "» в редакторе.");
}

// After a note is emptied the editor writes plain 14-point text in the
// window's text colour.
void NotePane::resetFormattingAfterEmptied()
{
    QFont font(QString::fromUtf8(kNoteFontFamily));
    font.setPointSize(kEmptiedNotePoints);
    editor_->setFont(font);
    editor_->document()->setDefaultFont(font);
    editor_->setCurrentCharFormat(QTextCharFormat());
    editor_->setTextColor(editor_->palette().color(QPalette::Text));
    editor_->document()->setModified(false);
}

void NotePane::updateFormatActions()
{
    const QTextCharFormat format = editor_->currentCharFormat();
    const QFont base = editor_->document()->defaultFont();
    bold_->setChecked(format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold : base.bold());
    italic_->setChecked(format.fontItalic());
    underline_->setChecked(format.fontUnderline());
    // A paragraph without its own alignment takes the document's (centred).
    const QTextBlockFormat block = editor_->textCursor().blockFormat();
    const Qt::Alignment alignment = (block.hasProperty(QTextFormat::BlockAlignment)
                                         ? block.alignment()
                                         : editor_->document()->defaultTextOption().alignment()) &
                                    Qt::AlignHorizontal_Mask;
    align_centre_->setChecked(alignment & Qt::AlignHCenter);
    align_right_->setChecked((alignment & Qt::AlignRight) != 0);
    align_left_->setChecked(!(alignment & (Qt::AlignHCenter | Qt::AlignRight | Qt::AlignJustify)));
}

// The font dialog starts from the selection's font and gives its choice to the selection.
void NotePane::chooseFont()
{
    if (editor_->isReadOnly())
        return;
    const QFont current = editor_->currentCharFormat().font().resolve(editor_->document()->defaultFont());
    const std::optional<QFont> chosen = asker().font(this, "Шрифт", current);
    if (!chosen)
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{chosen->family()});
    format.setFontPointSize(chosen->pointSizeF() > 0 ? chosen->pointSizeF() : chosen->pixelSize() * 0.75);
    format.setFontWeight(chosen->bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chosen->italic());
    format.setFontUnderline(chosen->underline());
    format.setFontStrikeOut(chosen->strikeOut());
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

}  // namespace indikt
