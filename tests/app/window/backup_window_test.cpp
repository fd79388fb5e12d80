// "Резервное копирование" driven as a person drives it: Ctrl+K while a note
// is being edited, the folder typed into the dialog's field, OK pressed, the
// questions answered by a scripted asker; then what the window holds in
// memory is compared with the restored files.

#include "app/dialogs/backup_dialog.h"
#include "app/dialogs/bookmark_dialog.h"
#include "app/panes/note_pane.h"
#include "app/window/main_window.h"

#include "records/notes.h"
#include "texts/cp1251.h"
#include "texts/rtf.h"
#include "texts/rtf_document.h"

#include "file_helpers.h"
#include "scripted_asker.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

QByteArray NoteRtf(const QString& text)
{
    RtfDocument document;
    RtfParagraph paragraph;
    RtfCharFormat format;
    format.font = "Arial";
    format.half_points = 27;
    AppendRtfText(paragraph, text, format);
    document.paragraphs.push_back(paragraph);
    return WriteRtf(document);
}

class BackupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = temp_.filePath("root");
        media_ = temp_.filePath("media");
        ASSERT_TRUE(QDir().mkpath(root_ + "/Записи"));
        ASSERT_TRUE(QDir().mkpath(media_));
        ASSERT_TRUE(WriteBytes(root_ + "/zk.ini", "[Vid]\r\nSostojanie=1\r\n"));
        ASSERT_TRUE(WriteBytes(note(root_), NoteRtf("живая запись")));
        const QDateTime* clock = &now_;
        MainWindowContext context{root_, root_, [clock] { return *clock; }, "", "", StartMode::Saved, false};
        context.backup_safety_folder = temp_.filePath("state");
        window_ = std::make_unique<TForm1>(context, ZkSettings::Load(root_ + "/zk.ini", D(2026, 12, 8)));
        window_->setAsker(&asker_);
        window_->show();
        window_->showPane(DayPane::Notes);
    }

    // Today's note (8 December 2026 is 25 November old style) under `folder`.
    static QString note(const QString& folder) { return folder + "/Записи/ноя252026.rtf"; }
    QTextEdit* editor() const { return window_->findChild<QTextEdit*>("RichEditSapis"); }
    TOKRightDlg* dialog() const { return window_->findChild<TOKRightDlg*>("TOKRightDlg"); }
    template <typename T>
    T* in(const char* name) const { return dialog()->findChild<T*>(name); }

    // "Резервное копирование", Ctrl+K.
    void openDialog()
    {
        QAction* command = window_->findChild<QAction*>("FileKopia");
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->shortcut(), QKeySequence("Ctrl+K"));
        command->trigger();
    }

    // The command, the page, its folder, OK.
    void run(int page, const QString& folder)
    {
        openDialog();
        ASSERT_NE(dialog(), nullptr);
        ASSERT_TRUE(dialog()->isVisible());
        dialog()->showPage(page);
        const char* field = page == TOKRightDlg::kPageCopy ? "EditKop" : page == TOKRightDlg::kPageGet ? "EditVost" : "EditSin";
        in<QLineEdit>(field)->setText(folder);
        in<QPushButton>("OKBtn")->click();
    }

    QTemporaryDir temp_;
    QString root_, media_;
    QDateTime now_ = QDateTime(QDate(2026, 12, 8), QTime(10, 30));
    ScriptedAsker asker_;
    std::unique_ptr<TForm1> window_;
};

TEST_F(BackupWindowTest, CopyThenGetThroughTheDialogReloadsWhatTheWindowHolds)
{
    ASSERT_NE(editor(), nullptr);
    ASSERT_EQ(editor()->toPlainText(), "живая запись");
    ASSERT_TRUE(window_->memoBook().feastEntries().empty());
    ASSERT_TRUE(window_->bookmarkDialog()->store().list().items().empty()) << "the dialog holds the list of now";

    // The defaults: the records on, "Удалить".
    run(TOKRightDlg::kPageCopy, media_);
    ASSERT_EQ(asker_.told, QStringList{"Копирование успешно завершено "});
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(ReadBytes(media_ + "/Индикт/zk.ini"), "[Vid]\r\nSostojanie=1\r\n");
    EXPECT_EQ(ReadBytes(note(media_ + "/Индикт")), NoteRtf("живая запись"));
    EXPECT_EQ(window_->settings().text(kSectionBackup, "EditKop"), media_ + "/");

    // The archive changes elsewhere: other settings, commemorations, the note.
    const QString archive = media_ + "/Индикт";
    ASSERT_TRUE(WriteBytes(archive + "/zk.ini", "[Vid]\r\nSostojanie=0\r\n"));
    {
        QTemporaryDir other;
        MemoBook book(other.path(), [] { return MemoClock{D(2026, 12, 8), 600}; });
        book.open();
        ASSERT_TRUE(book.addGreatFeasts().ok());
        ASSERT_TRUE(WriteBytes(archive + "/Памятка.txt", ReadBytes(book.filePath())));
    }
    ASSERT_TRUE(WriteBytes(note(archive), NoteRtf("запись из архива")));
    ASSERT_TRUE(WriteBytes(archive + "/Закладки.txt",
                           *EncodeCp1251(u"Закладки от 01.12.2026\r\n\r\nДата:         07.01.2027\r\nИмя:          Рождество\r\n")));

    // A note being edited is ended through its question before the dialog opens.
    editor()->setFocus();
    editor()->moveCursor(QTextCursor::End);
    for (const QChar ch : QString(" и правка"))
        QTest::sendKeyEvent(QTest::Click, editor(), ch == u' ' ? Qt::Key_Space : Qt::Key_unknown, QString(ch),
                            Qt::NoModifier);
    ASSERT_TRUE(editor()->document()->isModified());
    asker_.answers = {QMessageBox::Yes};
    asker_.told.clear();
    run(TOKRightDlg::kPageGet, media_);
    ASSERT_EQ(asker_.questions.size(), 1);
    EXPECT_TRUE(asker_.questions[0].startsWith("Сохранить изменения")) << asker_.questions[0].toStdString();
    ASSERT_EQ(asker_.told.size(), 1);
    const QString safety = temp_.filePath("state/before-restore-20261208-103000");
    EXPECT_EQ(asker_.told[0], "Копирование успешно завершено \n\nПрежние записи сохранены в папке \"" + safety + "\"");
    EXPECT_EQ(PlainTextOfRtf(ReadRtf(ReadBytes(note(safety))).document), "живая запись и правка");

    // What the window holds is the restored state.
    EXPECT_FALSE(window_->settings().flag(kSectionVid, "Sostojanie"));
    EXPECT_FALSE(window_->statusBar()->isVisible());
    EXPECT_FALSE(window_->memoBook().feastEntries().empty());
    EXPECT_EQ(editor()->toPlainText(), "запись из архива");
    ASSERT_EQ(window_->bookmarkDialog()->store().list().items().size(), 1u);
    EXPECT_EQ(window_->bookmarkDialog()->store().list().items()[0].name, "Рождество");
    EXPECT_FALSE(editor()->document()->isModified());

    // Closing writes the restored settings back, with the dialog's folder.
    window_->close();
    const ZkSettings saved = ZkSettings::Load(root_ + "/zk.ini", D(2026, 12, 8));
    EXPECT_FALSE(saved.flag(kSectionVid, "Sostojanie"));
    EXPECT_EQ(saved.text(kSectionBackup, "EditVost"), media_ + "/");
    EXPECT_EQ(PlainTextOfRtf(ReadRtf(ReadBytes(note(root_))).document), "запись из архива");
}

TEST_F(BackupWindowTest, ARefusedFolderKeepsTheDialogOpenWithItsFieldFocused)
{
    struct Case {
        const char* what;
        QString folder;
    };
    const Case cases[] = {
        {"the data root", root_},
        {"inside the data root", root_ + "/Записи"},
        {"a relative folder", "media"},
        {"a folder the settings file cannot hold", media_ + "/\u263A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        asker_.told.clear();
        run(TOKRightDlg::kPageCopy, c.folder);
        ASSERT_EQ(asker_.told.size(), 1);
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_EQ(dialog()->focusWidget(), in<QLineEdit>("EditKop"));
        dialog()->reject();
    }
    EXPECT_FALSE(QFileInfo::exists(root_ + "/Индикт"));
    EXPECT_FALSE(QFileInfo::exists(root_ + "/Записи/Индикт"));
    EXPECT_EQ(window_->settings().text(kSectionBackup, "EditKop"), "");
}

TEST_F(BackupWindowTest, TheFolderChooserFillsTheFieldWithItsPrompt)
{
    asker_.chosen_folder = media_;
    openDialog();
    ASSERT_NE(dialog(), nullptr);
    dialog()->showPage(TOKRightDlg::kPageGet);
    in<QAbstractButton>("ButtonVost")->click();
    EXPECT_EQ(asker_.questions.back(), "Выберите папку с Архивом Индикта");
    EXPECT_EQ(in<QLineEdit>("EditVost")->text(), media_ + "/");
    // The options read from zk.ini: the defaults here.
    EXPECT_TRUE(in<QCheckBox>("CheckBoxVostSap")->isChecked());
    EXPECT_FALSE(in<QCheckBox>("CheckBoxVostBeibl")->isChecked());
    EXPECT_TRUE(in<QRadioButton>("RadioButtonDelVost")->isChecked());
    EXPECT_TRUE(in<QRadioButton>("RadioButtonTimeSin")->isChecked());
    dialog()->reject();
}

TEST_F(BackupWindowTest, NameClashesAreAskedFromTheWorkerAndCancelSaysNothing)
{
    ASSERT_TRUE(QDir().mkpath(media_ + "/Индикт/Записи"));
    ASSERT_TRUE(WriteBytes(note(media_ + "/Индикт"), "old"));
    openDialog();
    dialog()->showPage(TOKRightDlg::kPageCopy);
    in<QRadioButton>("RadioButtonDopolnKop")->setChecked(true);  // "Спросить"
    in<QCheckBox>("CheckBoxKopNastr")->setChecked(false);
    in<QCheckBox>("CheckBoxKopPam")->setChecked(false);
    in<QLineEdit>("EditKop")->setText(media_);

    asker_.answers = {QMessageBox::No};
    in<QPushButton>("OKBtn")->click();
    ASSERT_EQ(asker_.questions.size(), 1);
    EXPECT_EQ(asker_.questions[0],
              "Файл \"" + QFileInfo(note(media_ + "/Индикт")).canonicalFilePath() + "\" уже есть. Заменить его?");
    EXPECT_EQ(asker_.told, QStringList{"Копирование успешно завершено "});
    EXPECT_EQ(ReadBytes(note(media_ + "/Индикт")), "old");
    EXPECT_TRUE(window_->settings().flag(kSectionBackup, "RadioButtonDopolnKop"));
    EXPECT_FALSE(window_->settings().flag(kSectionBackup, "RadioButtonDelKop"));

    // Cancel in the question ends the copy without a summary.
    asker_.told.clear();
    asker_.answers = {QMessageBox::Cancel};
    openDialog();
    EXPECT_TRUE(in<QRadioButton>("RadioButtonDopolnKop")->isChecked());
    in<QPushButton>("OKBtn")->click();
    EXPECT_EQ(asker_.questions.size(), 2);
    EXPECT_TRUE(asker_.told.isEmpty());
    EXPECT_TRUE(dialog()->lastReport().cancelled);
    EXPECT_EQ(ReadBytes(note(media_ + "/Индикт")), "old");
}

TEST_F(BackupWindowTest, ASyncThatReplacedTheCommemorationsOffersToAddTheOldEntries)
{
    const std::int64_t t = 1'780'000'000;
    const auto set_time = [](const QString& path, std::int64_t seconds) {
        std::filesystem::last_write_time(
            std::filesystem::path(path.toStdString()),
            std::chrono::file_clock::from_sys(std::chrono::system_clock::time_point(std::chrono::seconds(seconds))));
    };
    // Here: one jubilee of the user's; in the archive, newer: the great feasts.
    {
        MemoBook here(root_, [] { return MemoClock{D(2026, 12, 8), 600}; });
        here.open();
        ASSERT_TRUE(here.addJubilee({"Именины Анны", D(2026, 12, 22)}).ok());
        QTemporaryDir other;
        MemoBook there(other.path(), [] { return MemoClock{D(2026, 12, 8), 600}; });
        there.open();
        ASSERT_TRUE(there.addGreatFeasts().ok());
        ASSERT_TRUE(QDir().mkpath(media_ + "/Индикт"));
        ASSERT_TRUE(WriteBytes(media_ + "/Индикт/Памятка.txt", ReadBytes(there.filePath())));
    }
    set_time(root_ + "/Памятка.txt", t);
    set_time(media_ + "/Индикт/Памятка.txt", t + 600);
    window_->reloadAfterRestore({.memo = true});
    ASSERT_EQ(window_->memoBook().jubileeEntries().size(), 1u);

    openDialog();
    dialog()->showPage(TOKRightDlg::kPageSync);
    in<QLineEdit>("EditSin")->setText(media_ + "/Индикт");
    asker_.answers = {QMessageBox::Yes};
    in<QPushButton>("OKBtn")->click();
    ASSERT_EQ(asker_.questions.size(), 1);
    EXPECT_TRUE(asker_.questions[0].contains("Добавить её записи в Памятку?"));
    ASSERT_EQ(asker_.told.size(), 1);
    EXPECT_TRUE(asker_.told[0].startsWith("Cинхронизация успешно завершена "));
    EXPECT_TRUE(asker_.told[0].contains("Памятка (расхождение"));
    EXPECT_EQ(window_->memoBook().jubileeEntries().size(), 1u) << "the old entry added back";
    EXPECT_FALSE(window_->memoBook().feastEntries().empty());
    EXPECT_TRUE(QFileInfo::exists(root_ + "/Памятка (расхождение 2026-12-08 10-30-00).txt"));
}

}  // namespace
}  // namespace indikt
