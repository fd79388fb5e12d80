// The lives and prayer-book panes' commands and languages, the "Переход"
// dialog of bookmarks and dates, and the editor the source-file commands
// open the pages of the tree in.

#include "main_window.h"

#include "app/dialogs/bookmark_dialog.h"
#include "app/dialogs/tree_file_editor.h"
#include "app/panes/language_bar.h"
#include "app/window/day_widgets.h"
#include "lectionary/day_builders.h"
#include "lectionary/prayer_book.h"
#include "lectionary/tropar.h"
#include "texts/cp1251.h"
#include "texts/data_files.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

namespace indikt {

namespace {

void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(hint.section('|', 0, 0));
    action->setStatusTip(hint.section('|', -1));
}

// Runs `handler` on a double click anywhere on the watched widget.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> handler) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            handler_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

}  // namespace

LanguageBar* TForm1::buildPrayerBookBar(QWidget* panel)
{
    prayer_book_languages_ = new LanguageBar("PanelJasMolitv", "Molitv", kPrayerBookLanguageCommands, panel);
    connect(prayer_book_languages_, &LanguageBar::chosenByUser, this, [this](int tag) {
        commands_->action(kPrayerBookLanguageCommands[static_cast<size_t>(tag - 1)])->trigger();
    });
    return prayer_book_languages_;
}

// The language shown checked and the languages whose page exists underlined.
void TForm1::updatePrayerBookBar(Date date)
{
    const PrayerBookChoice choice = Molitv(context_.data_root, MakeDayFacts(date), LanguageTag(settings_, "MolitvJas"));
    for (int tag = 1; tag <= 5; ++tag)
        prayer_book_languages_->setAvailable(tag, choice.underlined[static_cast<size_t>(tag - 1)]);
    prayer_book_languages_->setChosen(choice.tag);
}

// The commands of the lives and prayer-book pages wait for their builder.
void TForm1::hideBookCommands()
{
    for (const char* name : {"ActionGitiyaOpen", "ActionMolitvOpen", "ActionMolitvNew", "ActionMolitvDelete"}) {
        commands_->action(name)->setVisible(false);
        source_files_.remove(QString::fromUtf8(name));
    }
}

void TForm1::connectBookCommands()
{
    // A restored "Закладки.txt" is read anew: the dialog holding the old
    // list is made again when next opened, so the old list is never saved.
    onRecordsRestored([this](const RecordChanges& changes) {
        if (changes.bookmarks && bookmarks_) {
            bookmarks_->deleteLater();
            bookmarks_ = nullptr;
        }
    });
    CommandSet& c = *commands_;
    for (int i = 0; i < 5; ++i) {
        c.connect(kPrayerBookLanguageCommands[static_cast<size_t>(i)], [this, i] {
            SetLanguageTag(settings_, "MolitvJas", i + 1);
            updateVersionCommands();
            if (PaneOfCaption(rightCaption()) == DayPane::PrayerBook)
                fillShownPane(liturgicalDate());
        });
    }
    c.connect("ActionGitiyaOpen", [this] { openSourceFile("ActionGitiyaOpen"); });
    c.connect("ActionMolitvOpen", [this] { openSourceFile("ActionMolitvOpen"); });
    c.connect("ActionMolitvNew", [this] {
        const QString file = source_files_.value("ActionMolitvNew");
        if (file.isEmpty())
            return;
        const QString path = DataPath(context_.data_root, file);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const WriteResult written =
            WriteFileAtomically(path, *EncodeCp1251(MediaPageTemplate(LanguageTag(settings_, "MolitvJas") == 5)));
        if (!written.ok()) {
            asker_->tell(this, "Индикт", "Оглавление не создано: " + written.error);
            return;
        }
        if (PaneOfCaption(rightCaption()) == DayPane::PrayerBook)
            fillShownPane(liturgicalDate());
    });
    c.connect("ActionMolitvDelete", [this] {
        const QString file = source_files_.value("ActionMolitvDelete");
        if (file.isEmpty())
            return;
        if (asker_->ask(this, "Индикт", PrayerBookDeleteQuestion(LanguageTag(settings_, "MolitvJas")),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
            return;
        const QString path = DataPath(context_.data_root, file);
        if (QFileInfo::exists(path) && !QFile::remove(path))
            asker_->tell(this, "Индикт", "Файл «" + QFileInfo(path).fileName() + "» не удалён.");
        if (PaneOfCaption(rightCaption()) == DayPane::PrayerBook)
            fillShownPane(liturgicalDate());
    });
    SetHint(c["ActionGitiyaOpen"], "Открыть оглавление Жития святых");
    SetHint(c["ActionMolitvOpen"], "Открыть оглавление Молитвослова");

    c.connect("ActionBookMark", [this] { ActionBookMarkExecute(TFrmBookmark::Tab::Bookmarks); });
    c.connect("ActionAddBookMark", [this] { ActionBookMarkExecute(TFrmBookmark::Tab::Bookmarks); });
    c.connect("ActionVData", [this] { ActionBookMarkExecute(TFrmBookmark::Tab::Date); });
    SetHint(c["ActionBookMark"], "Закладки|Запомнить выбранную дату");
    SetHint(c["ActionAddBookMark"], "Добавить закладку|Запомнить выбранную дату");
    SetHint(c["ActionVData"], "Перейти к любой дате");
    statusBar()->installEventFilter(
        new DoubleClickFilter(this, [this] { commands_->action("ActionBookMark")->trigger(); }));
    for (ClickableLabel* label : {label_day_, label_month_})
        label->installEventFilter(new DoubleClickFilter(this, [this] { BookMarkDate(); }));
}

void TForm1::BookMarkDate() { commands_->action("ActionVData")->trigger(); }

TFrmBookmark* TForm1::bookmarkDialog()
{
    if (!bookmarks_)
        bookmarks_ = new TFrmBookmark(
            context_.data_root, [this]() -> Asker& { return *asker_; }, [this] { return today(); }, this);
    return bookmarks_;
}

// "Переход" on a tab; the day chosen is shown, and a date picked on the date
// tab remembers its calendar for the next opening.
void TForm1::ActionBookMarkExecute(TFrmBookmark::Tab tab)
{
    TFrmBookmark* dialog = bookmarkDialog();
    dialog->prepare(current_date_, settings_.flag(kSectionVid, "PerehDataStil"), tab);
    if (dialog->exec() != QDialog::Accepted || !dialog->target())
        return;
    beforeNavigation();
    if (const std::optional<bool> old_style = dialog->pickedOldStyle())
        settings_.setFlag(kSectionVid, "PerehDataStil", *old_style);
    const Date target = *dialog->target();
    setCurrentDate(IsAcceptedDate(target) ? target : current_date_);
}

// A page of the tree in our own editor; one window per file.
void TForm1::openTreeFile(const QString& relative)
{
    const QString path = DataPath(context_.data_root, relative);
    for (TreeFileEditor* open : findChildren<TreeFileEditor*>()) {
        if (open->path() == path) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* editor = new TreeFileEditor(path, [this]() -> Asker& { return *asker_; }, this);
    // The page shown is read again once its file is saved.
    connect(editor, &TreeFileEditor::saved, this, [this] {
        if (!batch_walk_)
            fillShownPane(liturgicalDate());
    });
    editor->show();
}

// Closing the program closes the editors first; false when one of them
// keeps its window (Cancel, or a save that failed).
bool TForm1::closeTreeEditors()
{
    for (TreeFileEditor* editor : findChildren<TreeFileEditor*>())
        if (editor->isVisible() && !editor->close())
            return false;
    return true;
}

}  // namespace indikt
