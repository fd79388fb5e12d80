// "Резервное копирование" (Ctrl+K) in the main window, and the reload of
// every in-memory copy of the user's records after a restore or a
// synchronisation changed them, so that nothing stale is shown or written
// back at close.

#include "main_window.h"

#include "app/dialogs/backup_dialog.h"

#include <QFileInfo>
#include <QStatusBar>

namespace indikt {

void TForm1::connectBackupCommands()
{
    commands_->connect("FileKopia", [this] { FileKopiaExecute(); });
    commands_->action("FileKopia")->setToolTip("Архивное копирование текстов программы");
    commands_->action("FileKopia")->setStatusTip("Архивное копирование текстов программы");
}

TOKRightDlg* TForm1::backupDialog()
{
    if (!backup_dialog_) {
        const QString safety =
            context_.backup_safety_folder.isEmpty() ? DefaultSafetyRoot() : context_.backup_safety_folder;
        backup_dialog_ = new TOKRightDlg(settings_, {context_.data_root, safety, context_.clock}, *asker_, this);
        backup_dialog_->setFinishedHook([this](const BackupReport& report) { afterBackup(report); });
    }
    return backup_dialog_;
}

void TForm1::FileKopiaExecute()
{
    // A note being edited is saved or dropped first, so that no edit of a
    // note a restore replaces is written back over it later.
    if (!endNoteEdit())
        return;
    backupDialog()->open();
}

void TForm1::onRecordsRestored(std::function<void(const RecordChanges&)> reload)
{
    restore_reloads_.push_back(std::move(reload));
}

void TForm1::afterBackup(const BackupReport& report)
{
    reloadAfterRestore(report.changes);
    // A commemorations file that differed on both sides kept its losing
    // version; its entries may be added to the one in use.
    for (const QString& kept : report.conflicts) {
        const QFileInfo file(kept);
        if (!file.fileName().startsWith("Памятка (") || !file.fileName().endsWith(".txt"))
            continue;
        const QMessageBox::StandardButton answer = asker_->ask(
            backup_dialog_, "Индикт",
            "Файл \"Памятка.txt\" различался в программе и в архиве; прежняя версия сохранена как \"" + kept +
                "\".\nДобавить её записи в Памятку?",
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            continue;
        const MemoBook::ImportFile imported = memo_book_->readImport(kept);
        if (!imported.error.isEmpty()) {
            asker_->tell(backup_dialog_, "Индикт", imported.error);
            continue;
        }
        const WriteResult written = memo_book_->applyImport(imported.lists, ImportChoices{});
        if (!written.ok())
            asker_->tell(backup_dialog_, "Индикт", written.error);
        memoChanged();
    }
}

void TForm1::reloadAfterRestore(const RecordChanges& changes)
{
    if (!changes.any())
        return;
    if (changes.settings) {
        settings_ = ZkSettings::Load(zkIniPath(), today());
        ReaderAll();
    }
    if (changes.memo || changes.sob) {
        memo_book_->open();
        memo_book_->sortByWaiting();
        if (const QString message = memo_book_->loadMessage(); !message.isEmpty())
            statusBar()->showMessage(message);
        memoChanged();
    }
    for (const auto& reload : restore_reloads_)
        reload(changes);
    // The grid's feast classes, the note shown and the day anew.
    ZKDataChange();
}

}  // namespace indikt
