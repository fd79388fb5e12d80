// The lives and prayer-book panes, the "Переход" dialog and the editor of
// tree pages, driven through the window's keys with real files in a
// temporary data root.

#include "app/dialogs/bookmark_dialog.h"
#include "app/dialogs/tree_file_editor.h"
#include "app/panes/html_pane.h"
#include "app/panes/language_bar.h"
#include "app/panes/text_viewer.h"
#include "app/window/main_window.h"
#include "records/bookmarks.h"
#include "texts/cp1251.h"

#include "file_helpers.h"
#include "scripted_asker.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// Key by key, as a keyboard with Cyrillic letters sends them.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, ch == u' ' ? Qt::Key_Space : Qt::Key_unknown, QString(ch),
                            Qt::NoModifier);
}

const QString kMolitv = "Богослужение/Молитвослов/";

class BooksWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page("Жития святых/Святцы/янв06.htm", "Богоявление Господне");
        page("Жития святых/Святцы/янв07.htm", "Собор Иоанна Предтечи");
        page(kMolitv + "Слав/sl.htm", "Молитвы утренние");
        page(kMolitv + "Слав/sl_00.htm", "Часы святой Пасхи");
        page(kMolitv + "Рус/tmr.htm", "Утренние молитвы по-русски");
        window = open();
    }

    void page(const QString& relative, const QString& text)
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(QString("<html><body><p>") + text + "</p></body></html>\r\n")));
    }

    std::unique_ptr<TForm1> open()
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "", "", StartMode::Saved, false};
        auto made = std::make_unique<TForm1>(context, ZkSettings::Load(root.path() + "/zk.ini", D(2025, 1, 19)));
        made->setAsker(&asker);
        made->show();
        QApplication::setActiveWindow(made.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(made.get()));
        return made;
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // A closed dialog leaves no window active offscreen: the keys go to the window as a person's would.
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
    }
    QString shown(DayPane pane) const { return static_cast<HtmlPane*>(window->paneView(pane))->toPlainText(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    bool offered(const char* name) const { return action(name)->isVisible(); }

    // Runs `work` on the "Переход" dialog once it is shown by `key`; the
    // dialog is closed afterwards if `work` left it open.
    void withDialog(int key, Qt::KeyboardModifiers modifiers, const std::function<void(TFrmBookmark*)>& work)
    {
        withDialogOf([&] { press(key, modifiers); }, work);
    }
    void withDialogOf(const std::function<void()>& open, const std::function<void(TFrmBookmark*)>& work)
    {
        bool ran = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* dialog = qobject_cast<TFrmBookmark*>(QApplication::activeModalWidget());
            ran = dialog != nullptr;
            if (!dialog)
                return;
            work(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        open();
        EXPECT_TRUE(ran) << "the dialog was not shown";
    }

    QTemporaryDir root;
    QDateTime now{QDate(2025, 1, 19), QTime(10, 0)};
    ScriptedAsker asker;
    std::unique_ptr<TForm1> window;
};

TEST_F(BooksWindowTest, CtrlGShowsTheLivesOfTheOldStyleDay)
{
    window->setCurrentDate(D(2025, 1, 19));  // 6 January old style
    press(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(window->rightCaption(), "Жития святых");
    EXPECT_TRUE(shown(DayPane::Lives).contains("Богоявление Господне")) << shown(DayPane::Lives).toStdString();
    EXPECT_TRUE(offered("ActionGitiyaOpen"));

    // In the evening the next day's life is shown.
    action("ActionVezher")->trigger();
    EXPECT_TRUE(shown(DayPane::Lives).contains("Собор Иоанна Предтечи")) << shown(DayPane::Lives).toStdString();

    // A day without its page leaves the pane blank and the open command hidden.
    action("ActionUtro")->trigger();
    window->setCurrentDate(D(2025, 1, 22));
    EXPECT_TRUE(shown(DayPane::Lives).trimmed().isEmpty()) << shown(DayPane::Lives).toStdString();
    EXPECT_FALSE(offered("ActionGitiyaOpen"));
}

TEST_F(BooksWindowTest, CtrlYShowsThePrayerBookOfTheSeasonAndLanguage)
{
    window->setCurrentDate(D(2025, 4, 20));  // Pascha
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->rightCaption(), "Молитвослов");
    EXPECT_TRUE(shown(DayPane::PrayerBook).contains("Часы святой Пасхи"));
    LanguageBar* bar = window->prayerBookLanguages();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->button(1)->isChecked());
    EXPECT_TRUE(bar->button(1)->font().underline());
    EXPECT_FALSE(bar->button(3)->font().underline());  // no "tmr_00.htm"
    EXPECT_FALSE(bar->button(4)->font().underline());  // no "sv.htm"
    EXPECT_TRUE(offered("ActionMolitvOpen"));
    EXPECT_FALSE(offered("ActionMolitvDelete"));

    // Russian has only its ordinary page: it is shown on Pascha too.
    QTest::mouseClick(bar->button(3), Qt::LeftButton);
    EXPECT_TRUE(shown(DayPane::PrayerBook).contains("Утренние молитвы по-русски"));
    EXPECT_TRUE(action("ActionRusMolitv")->isChecked());

    // A week after Pascha the Slavonic ordinary page again.
    QTest::mouseClick(bar->button(1), Qt::LeftButton);
    window->setCurrentDate(D(2025, 4, 27));
    EXPECT_TRUE(shown(DayPane::PrayerBook).contains("Молитвы утренние"));

    // Audio without "sv.htm": a blank pane and the command that creates it.
    QTest::mouseClick(bar->button(4), Qt::LeftButton);
    EXPECT_TRUE(shown(DayPane::PrayerBook).trimmed().isEmpty());
    EXPECT_TRUE(offered("ActionMolitvNew"));
    EXPECT_FALSE(offered("ActionMolitvOpen"));
    action("ActionMolitvNew")->trigger();
    const QString sound = root.path() + "/" + kMolitv + "Звук/sv.htm";
    EXPECT_TRUE(QFileInfo::exists(sound));
    EXPECT_TRUE(offered("ActionMolitvOpen"));
    EXPECT_TRUE(offered("ActionMolitvDelete"));
    EXPECT_FALSE(offered("ActionMolitvNew"));
    EXPECT_TRUE(bar->button(4)->font().underline());

    // Delete asks; No keeps the page, Yes removes it.
    asker.answers = {QMessageBox::No, QMessageBox::Yes};
    action("ActionMolitvDelete")->trigger();
    EXPECT_TRUE(QFileInfo::exists(sound));
    action("ActionMolitvDelete")->trigger();
    EXPECT_FALSE(QFileInfo::exists(sound));
    EXPECT_EQ(asker.questions.value(1), "Удалить оглавление звукозаписей Молитвослова?");
    EXPECT_TRUE(offered("ActionMolitvNew"));
}

TEST_F(BooksWindowTest, F4AddsABookmarkThatOutlivesARestart)
{
    window->setCurrentDate(D(2025, 4, 20));
    withDialog(Qt::Key_F4, Qt::NoModifier, [](TFrmBookmark* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Переход");
        EXPECT_EQ(dialog->tabs()->currentIndex(), 0);
        EXPECT_FALSE(dialog->addButton()->isEnabled());
        EXPECT_FALSE(dialog->goButton()->isEnabled());  // no bookmarks yet
        EXPECT_EQ(dialog->dateLabel()->text(), "Вс 20 апр 2025 г.\n(7 апр по ст. ст.)");
        Type(dialog->nameBox(), "Пасха");
        EXPECT_TRUE(dialog->addButton()->isEnabled());
        QTest::keyClick(dialog->nameBox(), Qt::Key_Return);  // adds and closes
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(window->currentDate(), D(2025, 4, 20));
    const BookmarksReadResult saved = ReadBookmarksFile(root.path() + "/Закладки.txt");
    ASSERT_EQ(saved.list.size(), 1);
    EXPECT_EQ(saved.list.items()[0], (Bookmark{"Пасха", D(2025, 4, 20)}));

    // The same name on another day keeps one bookmark with the later date.
    window->setCurrentDate(D(2026, 4, 12));
    withDialog(Qt::Key_F4, Qt::NoModifier, [](TFrmBookmark* dialog) {
        EXPECT_EQ(dialog->bookmarkList()->count(), 1);
        EXPECT_TRUE(dialog->goButton()->isEnabled());  // the first bookmark is selected
        Type(dialog->nameBox(), "Пасха");
        dialog->addButton()->click();
    });
    EXPECT_EQ(ReadBookmarksFile(root.path() + "/Закладки.txt").list.items(),
              (std::vector<Bookmark>{{"Пасха", D(2026, 4, 12)}}));

    // After a restart the bookmark takes the window back to its day.
    window.reset();
    window = open();
    window->setCurrentDate(D(2025, 1, 1));
    withDialog(Qt::Key_F4, Qt::NoModifier, [](TFrmBookmark* dialog) {
        ASSERT_EQ(dialog->bookmarkList()->count(), 1);
        EXPECT_EQ(dialog->bookmarkList()->item(0)->text(), "Пасха");
        QTest::keyClick(dialog->nameBox(), Qt::Key_Return);  // "Перейти"
    });
    EXPECT_EQ(window->currentDate(), D(2026, 4, 12));
}

TEST_F(BooksWindowTest, ANameTheCodePageCannotHoldIsRefusedAtInput)
{
    const QByteArray before = ReadBytes(root.path() + "/Закладки.txt");
    withDialog(Qt::Key_F4, Qt::NoModifier, [](TFrmBookmark* dialog) {
        dialog->nameBox()->setText("Праздник 中");
        dialog->nameBox()->textEdited(dialog->nameBox()->text());
        dialog->addButton()->click();
        EXPECT_TRUE(dialog->isVisible());  // the dialog stays for a better name
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains("«中»")) << asker.told[0].toStdString();
    EXPECT_EQ(ReadBytes(root.path() + "/Закладки.txt"), before);
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/Закладки.txt"));  // Esc wrote nothing
}

TEST_F(BooksWindowTest, CtrlDGoesToAnOldStyleDateAndRemembersTheStyle)
{
    window->setCurrentDate(D(2025, 1, 19));
    withDialog(Qt::Key_D, Qt::ControlModifier, [](TFrmBookmark* dialog) {
        EXPECT_EQ(dialog->tabs()->currentIndex(), 1);
        EXPECT_EQ(dialog->styleBox()->currentText(), "по нов. ст.");
        EXPECT_EQ(dialog->picker()->date(), QDate(2025, 1, 19));
        EXPECT_EQ(dialog->styleLabel()->text(), "06.01.2025 г. по ст. ст.");
        dialog->styleBox()->setCurrentIndex(1);
        EXPECT_EQ(dialog->styleBox()->currentText(), "по  ст.  ст.");
        dialog->picker()->setDate(QDate(2023, 12, 25));
        EXPECT_EQ(dialog->styleLabel()->text(), "Вс 07 янв 2024 г. по нов. ст.");
        EXPECT_EQ(dialog->picker()->displayFormat(), "dd.MM.yyyy г.");
        QTest::keyClick(dialog->picker(), Qt::Key_Return);
    });
    EXPECT_EQ(window->currentDate(), D(2024, 1, 7));
    EXPECT_TRUE(window->settings().flag(kSectionVid, "PerehDataStil"));

    // The next opening starts in the old style, on the old-style date.
    withDialog(Qt::Key_D, Qt::ControlModifier, [](TFrmBookmark* dialog) {
        EXPECT_EQ(dialog->styleBox()->currentIndex(), 1);
        EXPECT_EQ(dialog->picker()->date(), QDate(2023, 12, 25));
        // Past the last old-style day the picker stops at 10.12.3000.
        dialog->picker()->setDate(QDate(3000, 12, 31));
        EXPECT_EQ(dialog->picker()->date(), QDate(3000, 12, 10));
        dialog->styleBox()->setCurrentIndex(0);
        EXPECT_EQ(dialog->picker()->displayFormat(), "ddd dd.MM.yyyy г.");
        dialog->picker()->setDate(QDate(1700, 1, 1));
        EXPECT_EQ(dialog->picker()->date(), QDate(1752, 1, 1));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(window->currentDate(), D(2024, 1, 7));  // Esc moves nowhere
    EXPECT_TRUE(window->settings().flag(kSectionVid, "PerehDataStil"));
}

TEST_F(BooksWindowTest, DoubleClicksOpenTheDialogOnTheirTabs)
{
    struct Case { const char* what; QWidget* widget; int tab; };
    const Case cases[] = {
        {"the status bar", window->statusBar(), 0},
        {"the day label", window->findChild<QLabel*>("LabelDay"), 1},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.widget, nullptr) << c.what;
        int tab = -1;
        withDialogOf([&] { QTest::mouseDClick(c.widget, Qt::LeftButton); },
                     [&](TFrmBookmark* dialog) { tab = dialog->tabs()->currentIndex(); });
        EXPECT_EQ(tab, c.tab) << c.what;
    }
}

TEST_F(BooksWindowTest, TheJulianLeapDayOpensInTheCivilCalendar)
{
    // 13 March 1900 civil is the Julian 29 February, a day the picker's
    // calendar has not: the dialog opens on the civil date instead.
    window->setCurrentDate(D(1900, 3, 13));
    withDialog(Qt::Key_D, Qt::ControlModifier, [](TFrmBookmark* dialog) {
        dialog->styleBox()->setCurrentIndex(1);
        dialog->picker()->setDate(QDate(1900, 2, 28));
        QTest::keyClick(dialog->picker(), Qt::Key_Return);
    });
    EXPECT_EQ(window->currentDate(), D(1900, 3, 12));
    window->setCurrentDate(D(1900, 3, 13));
    withDialog(Qt::Key_D, Qt::ControlModifier, [](TFrmBookmark* dialog) {
        EXPECT_EQ(dialog->styleBox()->currentIndex(), 0);
        EXPECT_EQ(dialog->picker()->date(), QDate(1900, 3, 13));
        EXPECT_EQ(dialog->styleLabel()->text(), "29.02.1900 г. по ст. ст.");
    });
}

TEST_F(BooksWindowTest, TheSourceCommandOpensThePageInTheEditor)
{
    window->setCurrentDate(D(2025, 1, 19));
    press(Qt::Key_G, Qt::ControlModifier);
    action("ActionGitiyaOpen")->trigger();
    auto* editor = window->findChild<TreeFileEditor*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->path().endsWith("Жития святых/Святцы/янв06.htm"));
    EXPECT_TRUE(editor->editor()->toPlainText().contains("Богоявление Господне"));
    // An edit saved shows in the pane.
    editor->editor()->setPlainText("<html><body><p>Крещение Господне</p></body></html>\n");
    ASSERT_TRUE(editor->save());
    EXPECT_TRUE(shown(DayPane::Lives).contains("Крещение Господне"));
    EXPECT_EQ(ReadBytes(editor->path()),
              *EncodeCp1251(u"<html><body><p>Крещение Господне</p></body></html>\r\n"));
    // The same command again brings the same window forward.
    action("ActionGitiyaOpen")->trigger();
    EXPECT_EQ(window->findChildren<TreeFileEditor*>().size(), 1);
}

TEST_F(BooksWindowTest, TheViewerQuickJumpOpensTheIndexPages)
{
    page("Богослужение/Молитвослов/index.htm", "Оглавление Молитвослова");
    window->showViewerDock();
    QComboBox* jump = window->viewer()->quickJump();
    ASSERT_EQ(jump->count(), 6);
    EXPECT_EQ(jump->itemText(5), "Псалтирь");
    window->viewer()->ComboBoxBeiblChange(4);
    EXPECT_TRUE(window->viewer()->browser()->toPlainText().contains("Оглавление Молитвослова"));
    EXPECT_EQ(jump->currentIndex(), 4);
}

class TreeFileEditorTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedAsker asker;
    QString path() const { return dir.path() + "/page.htm"; }
    TreeFileEditor* make()
    {
        auto* editor = new TreeFileEditor(path(), [this]() -> Asker& { return asker; });
        editor->setAttribute(Qt::WA_DeleteOnClose, false);
        return editor;
    }
};

TEST_F(TreeFileEditorTest, AWindows1251FileRoundTripsByteForByte)
{
    struct Case { const char* what; QByteArray bytes; };
    const Case cases[] = {
        {"CR LF with a last line end", *EncodeCp1251(u"<p>Отче наш, Иже еси на небесех!</p>\r\n<p>№ 5 — «ёлка»</p>\r\n")},
        {"CR LF without a last line end", *EncodeCp1251(u"первая\r\n\r\nтретья")},
        {"LF alone", *EncodeCp1251(u"первая\nвторая\n")},
        {"every byte but the line ends", [] {
             QByteArray all;
             for (int b = 1; b < 256; ++b)
                 if (b != '\r' && b != '\n')
                     all += char(b);
             return all + "\r\n";
         }()},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(path(), c.bytes));
        std::unique_ptr<TreeFileEditor> editor(make());
        ASSERT_TRUE(editor->loaded()) << c.what;
        EXPECT_FALSE(editor->isModified()) << c.what;
        // A change and its undoing leave the same text to save.
        editor->editor()->appendPlainText("x");
        editor->editor()->undo();
        ASSERT_TRUE(editor->save()) << c.what;
        EXPECT_EQ(ReadBytes(path()), c.bytes) << c.what;
    }
}

TEST_F(TreeFileEditorTest, RefusesCharactersTheCodePageCannotHold)
{
    const QByteArray original = *EncodeCp1251(u"страница\r\n");
    ASSERT_TRUE(WriteBytes(path(), original));
    std::unique_ptr<TreeFileEditor> editor(make());
    editor->editor()->selectAll();
    editor->editor()->insertPlainText("страница\nвторая 中 строка\n");
    EXPECT_FALSE(editor->save());
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains("«中»")) << asker.told[0].toStdString();
    EXPECT_TRUE(asker.told[0].contains("строке 2")) << asker.told[0].toStdString();
    EXPECT_EQ(ReadBytes(path()), original);
    EXPECT_TRUE(editor->isModified());
}

TEST_F(TreeFileEditorTest, AsksBeforeClosingWithUnsavedChanges)
{
    ASSERT_TRUE(WriteBytes(path(), *EncodeCp1251(u"старое\r\n")));
    std::unique_ptr<TreeFileEditor> editor(make());
    editor->show();
    Type(editor->editor(), "новое ");
    // Cancel keeps the window and the file; Yes saves and closes.
    asker.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(ReadBytes(path()), *EncodeCp1251(u"старое\r\n"));
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(ReadBytes(path()), *EncodeCp1251(u"новое старое\r\n"));
    EXPECT_EQ(asker.questions.size(), 2);
    EXPECT_EQ(asker.questions[0], "Сохранить изменения в файле «page.htm»?");
}

TEST_F(TreeFileEditorTest, AChangeByAnotherProgramIsNotWrittenOverUnasked)
{
    ASSERT_TRUE(WriteBytes(path(), *EncodeCp1251(u"наше\r\n")));
    std::unique_ptr<TreeFileEditor> editor(make());
    ASSERT_TRUE(WriteBytes(path(), *EncodeCp1251(u"чужое, длиннее\r\n")));
    editor->editor()->appendPlainText("ещё");
    asker.answers = {QMessageBox::No, QMessageBox::Yes};
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(ReadBytes(path()), *EncodeCp1251(u"чужое, длиннее\r\n"));
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(ReadBytes(path()), *EncodeCp1251(u"наше\r\n\r\nещё"));  // a paragraph after the last line end
    // Saved by us, the file is ours again: no question the next time.
    editor->editor()->appendPlainText("и ещё");
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(asker.questions.size(), 2);
}

TEST_F(TreeFileEditorTest, AFileThatCannotBeReadIsNeverWrittenOver)
{
    const QByteArray big(kMaxDataFileBytes + 1, 'x');
    ASSERT_TRUE(WriteBytes(path(), big));
    std::unique_ptr<TreeFileEditor> editor(make());
    EXPECT_FALSE(editor->loaded());
    EXPECT_TRUE(editor->editor()->isReadOnly());
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(QFileInfo(path()).size(), big.size());
}

}  // namespace
}  // namespace indikt
