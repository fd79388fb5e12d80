// The notes pane driven as a person drives it: typing into the real editor
// offscreen, changing the date, answering the question through a scripted
// asker, and reading the files back.

#include "app/panes/note_pane.h"
#include "app/window/main_window.h"

#include "records/notes.h"

#include "file_helpers.h"
#include "scripted_asker.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <deque>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// A new note's characters: Arial of 18 pixels, 13.5 points.
RtfCharFormat Arial27()
{
    RtfCharFormat format;
    format.font = "Arial";
    format.half_points = 27;
    return format;
}

class NotesWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window = open(); }

    std::unique_ptr<TForm1> open()
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "", "", StartMode::Saved, false};
        auto made = std::make_unique<TForm1>(context, ZkSettings::Load(root.path() + "/zk.ini", D(2026, 12, 8)));
        made->setAsker(&asker);
        made->setExternalOpener([this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        });
        made->notePane()->setRemover([this](const QString& path) {
            trashed << QFileInfo(path).fileName();
            return QFile::remove(path) ? Removal::Trashed : Removal::Failed;
        });
        made->show();
        made->showPane(DayPane::Notes);
        return made;
    }

    NotesEditor* editor() const { return window->findChild<NotesEditor*>("RichEditSapis"); }
    QToolBar* bar() const { return window->findChild<QToolBar*>("ToolBar"); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    QString notes() const { return NotesFolderPath(root.path()); }
    QString file(const QString& name) const { return notes() + "/" + name; }
    QString textOf(const QString& name) const { return PlainTextOfRtf(ReadRtf(ReadBytes(file(name))).document); }
    bool has(const QString& name) const { return QFileInfo::exists(file(name)); }
    void put(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(notes());
        ASSERT_TRUE(WriteBytes(file(name), bytes));
    }
    void putText(const QString& name, const QString& text)
    {
        RtfDocument document;
        RtfParagraph paragraph;
        AppendRtfText(paragraph, text, Arial27());
        document.paragraphs.push_back(paragraph);
        put(name, WriteRtf(document));
    }
    // Key by key, as a keyboard with Cyrillic letters sends them.
    void type(const QString& text)
    {
        editor()->setFocus();
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, editor(), ch == u' ' ? Qt::Key_Space : Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
    bool editing() const { return bar()->isVisibleTo(window.get()); }

    QTemporaryDir root;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 30));  // 25 November old style
    ScriptedAsker asker;
    QStringList opened;
    QStringList trashed;
    std::unique_ptr<TForm1> window;
};

TEST_F(NotesWindowTest, TypedFormattedNoteIsSavedUnderItsDayAndShownAfterARestart)
{
    ASSERT_NE(editor(), nullptr);
    EXPECT_FALSE(editing());
    type("Исповедь ");
    EXPECT_TRUE(editing());
    action("RichEditBold")->trigger();
    type("в субботу");
    EXPECT_TRUE(editor()->document()->isModified());

    asker.answers = {QMessageBox::Yes};
    window->ActionSlDnExecute();
    ASSERT_EQ(asker.questions, QStringList{"Сохранить изменения в Личных записях 08 дек 2026?"});
    EXPECT_EQ(asker.titles, QStringList{"Индикт"});
    EXPECT_EQ(window->currentDate(), D(2026, 12, 9));
    EXPECT_FALSE(editing());
    EXPECT_TRUE(editor()->toPlainText().isEmpty()) << "the next day has no note";
    ASSERT_TRUE(has("ноя252026.rtf"));
    const RtfReadResult saved = ReadRtf(ReadBytes(file("ноя252026.rtf")));
    ASSERT_TRUE(saved.lossless());
    ASSERT_EQ(saved.document.paragraphs.size(), 1u);
    const RtfParagraph& paragraph = saved.document.paragraphs[0];
    EXPECT_EQ(paragraph.alignment, RtfAlignment::Centre);
    ASSERT_EQ(paragraph.runs.size(), 2u);
    EXPECT_EQ(paragraph.runs[0].text, "Исповедь ");
    EXPECT_EQ(paragraph.runs[0].format, Arial27());
    EXPECT_EQ(paragraph.runs[1].text, "в субботу");
    EXPECT_TRUE(paragraph.runs[1].format.bold);

    // Back on the day, and after a restart, the note is there with its bold words.
    window->ActionPrDnExecute();
    EXPECT_EQ(editor()->toPlainText(), "Исповедь в субботу");
    window.reset();
    window = open();
    EXPECT_EQ(editor()->toPlainText(), "Исповедь в субботу");
    QTextCursor cursor(editor()->document());
    cursor.setPosition(12);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(asker.questions.size(), 1) << "nothing changed, nothing asked";
}

TEST_F(NotesWindowTest, NoDropsTheChangesAndCancelKeepsTheDateAndTheText)
{
    putText("ноя252026.rtf", "было");
    window->ActionRefrechExecute();
    ASSERT_EQ(editor()->toPlainText(), "было");
    editor()->moveCursor(QTextCursor::End);
    type(" и стало");

    // Cancel: the date, the text and its unsaved state stay.
    asker.answers = {QMessageBox::Cancel};
    window->ActionSlDnExecute();
    EXPECT_EQ(window->currentDate(), D(2026, 12, 8));
    EXPECT_EQ(editor()->toPlainText(), "было и стало");
    EXPECT_TRUE(editor()->document()->isModified());
    EXPECT_TRUE(editing());
    EXPECT_EQ(textOf("ноя252026.rtf"), "было");

    // The month grid, the evening switch and the history ask too.
    asker.answers = {QMessageBox::Cancel, QMessageBox::Cancel};
    window->SpButMes2Click();
    action("ActionVezher")->trigger();
    EXPECT_EQ(window->currentDate(), D(2026, 12, 8));
    EXPECT_FALSE(window->eveningMode());
    EXPECT_EQ(asker.questions.size(), 3);

    // No: the changes are dropped and the date changes.
    asker.answers = {QMessageBox::No};
    window->ActionSlDnExecute();
    EXPECT_EQ(window->currentDate(), D(2026, 12, 9));
    EXPECT_EQ(textOf("ноя252026.rtf"), "было");
    window->ActionPrDnExecute();
    EXPECT_EQ(editor()->toPlainText(), "было");
}

TEST_F(NotesWindowTest, TheEveningViewSavesUnderTheNoteItShows)
{
    putText("ноя252026.rtf", "сегодняшняя");
    window->ActionVezherExecute();  // the panes show 9 December, 26 November old style
    EXPECT_TRUE(editor()->toPlainText().isEmpty());
    type("на завтра");
    action("ActionSaveSapis")->trigger();
    EXPECT_TRUE(asker.questions.isEmpty());
    EXPECT_EQ(textOf("ноя262026.rtf"), "на завтра");
    EXPECT_EQ(textOf("ноя252026.rtf"), "сегодняшняя") << "today's note is not written over";
    EXPECT_FALSE(editor()->document()->isModified());

    type("!");
    asker.answers = {QMessageBox::Yes};
    window->ActionUtroExecute();
    EXPECT_EQ(asker.questions, QStringList{"Сохранить изменения в Личных записях 09 дек 2026?"});
    EXPECT_EQ(textOf("ноя262026.rtf"), "на завтра!");
    EXPECT_EQ(editor()->toPlainText(), "сегодняшняя");
}

TEST_F(NotesWindowTest, AFailedWriteSaysSoAndKeepsTheText)
{
    type("ж");
    editor()->insertPlainText(QString(49999, QChar(u'ж')));
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.isSet());
        action("ActionSaveSapis")->trigger();
        ASSERT_EQ(asker.told.size(), 1);
        EXPECT_TRUE(asker.told[0].startsWith("Запись не сохранена.")) << asker.told[0].toStdString();
        EXPECT_EQ(asker.titles.last(), "Индикт");
        EXPECT_TRUE(editor()->document()->isModified());
        // Yes in the question fails the same way: the date stays with the text.
        asker.answers = {QMessageBox::Yes};
        window->ActionSlDnExecute();
        EXPECT_EQ(window->currentDate(), D(2026, 12, 8));
        EXPECT_EQ(asker.told.size(), 2);
    }
    EXPECT_EQ(editor()->toPlainText().size(), 50000);
    EXPECT_FALSE(has("ноя252026.rtf"));
    // With room again the same text is saved.
    action("ActionSaveSapis")->trigger();
    EXPECT_EQ(textOf("ноя252026.rtf").size(), 50000);
}

// The whole data root on a read-only medium: the note and the settings say
// why they were not saved, and the window goes on working.
TEST_F(NotesWindowTest, OnAReadOnlyMediumEverySaveSaysWhyAndTheWindowGoesOn)
{
    type("в дорогу");
    {
        ReadOnlyFolder read_only(root.path());
        if (!read_only.isSet())
            GTEST_SKIP() << "no read-only mount here (root without CAP_SYS_ADMIN)";
        action("ActionSaveSapis")->trigger();
        ASSERT_EQ(asker.told.size(), 1);
        EXPECT_TRUE(asker.told[0].startsWith("Запись не сохранена.")) << asker.told[0].toStdString();
        EXPECT_TRUE(asker.told[0].contains(read_only.isMount() ? "только для чтения" : "нет прав на запись"))
            << asker.told[0].toStdString();
        EXPECT_TRUE(editor()->document()->isModified());

        // Giving the text up moves on to the next day.
        asker.answers = {QMessageBox::No};
        window->ActionSlDnExecute();
        EXPECT_EQ(window->currentDate(), D(2026, 12, 9));

        // Closing cannot save the settings: the window stays, and says why.
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Настройки не сохранены: "))
            << window->statusBar()->currentMessage().toStdString();
        EXPECT_TRUE(window->statusBar()->currentMessage().contains("zk.ini"));
    }
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/zk.ini"));
    EXPECT_FALSE(has("ноя252026.rtf"));
}

// Two copies of the program on one data root ("OneCopy" off) write the note
// of one day: the second is asked, and neither text is lost.
TEST_F(NotesWindowTest, TwoCopiesWritingOneDayLoseNeitherText)
{
    const std::unique_ptr<TForm1> second = open();
    NotesEditor* other = second->findChild<NotesEditor*>("RichEditSapis");
    ASSERT_NE(other, nullptr);
    const auto type_into = [](NotesEditor* into, const QString& text) {
        into->setFocus();
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, into, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    };
    QStringList all_texts;
    const auto every_text = [&] {
        all_texts.clear();
        for (const QString& name : QDir(notes()).entryList({"*.rtf"}, QDir::Files))
            all_texts << textOf(name);
        return all_texts.join("|");
    };

    // A new note in both: the second save appends the first one's text.
    type("первая");
    type_into(other, "вторая");
    window->findChild<QAction*>("ActionSaveSapis")->trigger();
    asker.answers = {QMessageBox::Yes};
    second->findChild<QAction*>("ActionSaveSapis")->trigger();
    ASSERT_EQ(asker.questions.size(), 1);
    EXPECT_TRUE(asker.questions[0].startsWith("На этот день уже есть запись")) << asker.questions[0].toStdString();
    EXPECT_TRUE(every_text().contains("первая")) << all_texts.join("|").toStdString();
    EXPECT_TRUE(every_text().contains("вторая"));

    // Both change the note they show: the second save keeps the first's
    // version beside its own.
    window->ActionSlDnExecute();
    window->ActionPrDnExecute();
    type(" ещё");
    type_into(other, " и ещё");
    window->findChild<QAction*>("ActionSaveSapis")->trigger();
    asker.answers = {QMessageBox::Yes};
    second->findChild<QAction*>("ActionSaveSapis")->trigger();
    ASSERT_EQ(asker.questions.size(), 2);
    const QString texts = every_text();
    EXPECT_TRUE(texts.contains(" ещё")) << texts.toStdString();
    EXPECT_TRUE(texts.contains(" и ещё")) << texts.toStdString();
}

TEST_F(NotesWindowTest, YearlyAndOneTimeAndTheHiddenOneTimeNote)
{
    type("Рождество");
    action("ActionSaveSapis")->trigger();
    ASSERT_TRUE(has("ноя252026.rtf"));
    QAction* yearly = action("PovtorGod");
    ASSERT_NE(yearly, nullptr);
    EXPECT_EQ(yearly->text(), "Ежегодно");
    yearly->trigger();
    EXPECT_TRUE(yearly->isChecked());
    EXPECT_TRUE(has("ноя25.rtf"));
    EXPECT_FALSE(has("ноя252026.rtf"));
    EXPECT_EQ(trashed, QStringList{"ноя252026.rtf"});

    // Next year the yearly note is shown and hides a one-time note of that day.
    putText("ноя252027.rtf", "разовая");
    window->setCurrentDate(D(2027, 12, 8));
    EXPECT_EQ(editor()->toPlainText(), "Рождество");
    EXPECT_TRUE(yearly->isChecked());
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("ноя252027.rtf"))
        << window->statusBar()->currentMessage().toStdString();
    auto* day_line = window->findChild<QLabel*>("StatusText");
    ASSERT_NE(day_line, nullptr);
    EXPECT_FALSE(day_line->isVisibleTo(window.get())) << "the message takes the status line";

    // Made one-time there: asked, and "Нет" keeps both notes as they were.
    editor()->setFocus();
    asker.answers = {QMessageBox::No};
    yearly->trigger();
    ASSERT_EQ(asker.questions.size(), 1);
    EXPECT_TRUE(asker.questions[0].contains("ноя252027.rtf"));
    EXPECT_TRUE(yearly->isChecked());
    EXPECT_EQ(textOf("ноя25.rtf"), "Рождество");
    EXPECT_EQ(textOf("ноя252027.rtf"), "разовая");
    // "Да" appends the hidden note's text and makes one one-time note of both.
    asker.answers = {QMessageBox::Yes};
    yearly->trigger();
    EXPECT_FALSE(yearly->isChecked());
    EXPECT_EQ(textOf("ноя252027.rtf"), "Рождество\nразовая");
    EXPECT_FALSE(has("ноя25.rtf"));
    EXPECT_EQ(editor()->toPlainText(), "Рождество\nразовая");
    // The next day gives the line back to the day's text.
    window->ActionSlDnExecute();
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(day_line->isVisibleTo(window.get()));
}

TEST_F(NotesWindowTest, ClosingWithAnUnsavedEdit)
{
    type("не потерять");
    asker.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(editor()->toPlainText(), "не потерять");
    asker.answers = {QMessageBox::Yes};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(textOf("ноя252026.rtf"), "не потерять");

    // The session's end: saved as "Да" would, without a question.
    window = open();
    editor()->moveCursor(QTextCursor::End);
    type(", и это");
    asker.questions.clear();
    window->saveNoteForShutdown();
    EXPECT_TRUE(asker.questions.isEmpty());
    EXPECT_EQ(textOf("ноя252026.rtf"), "не потерять, и это");

    // SIGTERM: the same, and the program ends.
    type(" и то");
    QTimer::singleShot(0, window.get(), [this] { window->closeForShutdown(); });
    bool timed_out = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [&timed_out] {
        timed_out = true;
        QCoreApplication::quit();
    });
    guard.start(3000);
    QCoreApplication::exec();
    EXPECT_FALSE(timed_out);
    EXPECT_TRUE(asker.questions.isEmpty());
    EXPECT_EQ(textOf("ноя252026.rtf"), "не потерять, и это и то");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(NotesWindowTest, ANoteThatCannotBeReadWholeIsOnlyShown)
{
    const QByteArray picture_note("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'c8\\'ea\\'ee\\'ed\\'e0{\\pict\\pngblip 89504e47}\\par}");
    put("ноя252026.rtf", picture_note);
    window->ActionRefrechExecute();
    EXPECT_EQ(editor()->toPlainText(), "Икона");
    EXPECT_TRUE(editor()->isReadOnly());
    auto* notice = window->findChild<QLabel*>("LabelSapisNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisibleTo(window.get()));
    EXPECT_TRUE(notice->text().contains("рисунки"));
    type("x");
    action("ActionDelSap")->trigger();
    action("ActionSaveSapis")->trigger();
    window->ActionSlDnExecute();
    window->ActionPrDnExecute();
    EXPECT_EQ(ReadBytes(file("ноя252026.rtf")), picture_note) << "never rewritten or deleted";
    EXPECT_TRUE(asker.questions.isEmpty());
    action("ActionEditSapas")->trigger();
    EXPECT_EQ(opened, QStringList{file("ноя252026.rtf")});

    // A ".doc" that is no RTF: a notice, and the file stays.
    put("ноя26.doc", "\xD0\xCF\x11\xE0 binary");
    window->ActionSlDnExecute();
    EXPECT_TRUE(notice->text().contains("не в формате RTF"));
    EXPECT_TRUE(editor()->toPlainText().isEmpty());
    action("ActionDelSap")->trigger();
    window->ActionSlDnExecute();
    EXPECT_TRUE(has("ноя26.doc"));
    EXPECT_FALSE(notice->isVisibleTo(window.get()));
}

TEST_F(NotesWindowTest, AFileChangedByAnotherProgramWhileShown)
{
    putText("ноя252026.rtf", "моя");
    window->ActionRefrechExecute();
    // Changed while only shown: a click into the editor shows the new version.
    putText("ноя252026.rtf", "исправлено в другой программе");
    QTest::mouseClick(editor()->viewport(), Qt::LeftButton);
    EXPECT_EQ(editor()->toPlainText(), "исправлено в другой программе");
    EXPECT_TRUE(editing());
    // A key that begins the edit shows it too, and is not typed into it.
    action("ActionEsc")->trigger();
    EXPECT_FALSE(editing());
    putText("ноя252026.rtf", "третья версия");
    type("x");
    EXPECT_EQ(editor()->toPlainText(), "третья версия");
    EXPECT_TRUE(editing());

    // Changed on both sides: asked at the save.
    editor()->moveCursor(QTextCursor::End);
    type("!");
    putText("ноя252026.rtf", "и ещё раз");
    asker.answers = {QMessageBox::Cancel};
    action("ActionSaveSapis")->trigger();
    ASSERT_EQ(asker.questions.size(), 1);
    EXPECT_TRUE(asker.questions[0].contains("изменена другой программой"));
    EXPECT_EQ(textOf("ноя252026.rtf"), "и ещё раз");
    asker.answers = {QMessageBox::Yes};
    action("ActionSaveSapis")->trigger();
    EXPECT_EQ(textOf("ноя252026.rtf"), "третья версия!");
    EXPECT_EQ(QDir(notes()).entryList({"ноя252026 (другая версия *"}).size(), 1);
}

TEST_F(NotesWindowTest, DeletingMovesToTheTrashAndResetsTheFormatting)
{
    putText("ноя252026.rtf", "удалить");
    window->ActionRefrechExecute();
    editor()->setFocus();
    action("ActionDelSap")->trigger();
    EXPECT_EQ(trashed, QStringList{"ноя252026.rtf"});
    EXPECT_FALSE(has("ноя252026.rtf"));
    EXPECT_TRUE(editor()->toPlainText().isEmpty());
    EXPECT_FALSE(editing());
    EXPECT_EQ(editor()->document()->defaultFont().pointSize(), 14);

    // Emptied by hand and saved: the same.
    putText("ноя252026.rtf", "и это");
    window->ActionRefrechExecute();
    editor()->setFocus();
    editor()->selectAll();
    QTest::keyClick(editor(), Qt::Key_Delete);
    action("ActionSaveSapis")->trigger();
    EXPECT_FALSE(has("ноя252026.rtf"));
    EXPECT_EQ(trashed.size(), 2);
}

TEST_F(NotesWindowTest, AMissingNotesFolderIsMadeAtTheSave)
{
    ASSERT_TRUE(QDir(notes()).removeRecursively());
    type("первая запись");
    action("ActionSaveSapis")->trigger();
    EXPECT_EQ(textOf("ноя252026.rtf"), "первая запись");
    EXPECT_TRUE(asker.told.isEmpty());
    // One that cannot be made is said.
    window->setCurrentDate(D(2026, 12, 9));
    ASSERT_TRUE(QDir(notes()).removeRecursively());
    ASSERT_TRUE(WriteBytes(notes(), "a file in the folder's place"));
    type(" и вторая");
    action("ActionSaveSapis")->trigger();
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains("Записи"));
    EXPECT_TRUE(editor()->document()->isModified());
}

TEST_F(NotesWindowTest, NothingIsTypedWhileAWalkRuns)
{
    type("до обхода");
    asker.answers = {QMessageBox::Yes};
    ASSERT_TRUE(window->setBatchWalk(true)) << "the edit ends first";
    EXPECT_EQ(textOf("ноя252026.rtf"), "до обхода");
    EXPECT_TRUE(editor()->isReadOnly());
    type("x");
    EXPECT_EQ(editor()->toPlainText(), "до обхода");
    window->setCurrentDate(D(2026, 12, 9));  // a walk shows another day
    window->setBatchWalk(false);
    EXPECT_FALSE(editor()->isReadOnly());
    window->setCurrentDate(D(2026, 12, 8));
    EXPECT_EQ(editor()->toPlainText(), "до обхода");
}

TEST_F(NotesWindowTest, PreviousAndNextNote)
{
    putText("ноя012026.rtf", "ноябрьская");     // civil 14 November 2026
    putText("янв07.rtf", "ежегодная");          // civil 20 January of this year
    putText("дек252026.rtf", "рождественская");  // civil 7 January 2027
    window->showPane(DayPane::Menaion);
    struct Step { const char* command; Date date; const char* text; };
    const Step steps[] = {
        {"ActionPredSapis", D(2026, 11, 14), "ноябрьская"},
        {"ActionPredSapis", D(2026, 1, 20), "ежегодная"},    // a yearly note counts in this year
        {"ActionPredSapis", D(2026, 1, 20), "ежегодная"},    // none earlier: the date stays
        {"ActionSledSapis", D(2026, 11, 14), "ноябрьская"},
        {"ActionSledSapis", D(2027, 1, 7), "рождественская"},
        {"ActionSledSapis", D(2027, 1, 7), "рождественская"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        action(step.command)->trigger();
        EXPECT_EQ(window->currentDate(), step.date);
        EXPECT_EQ(window->rightCaption(), "Личные записи") << "the notes page is shown";
        EXPECT_EQ(editor()->toPlainText(), QString::fromUtf8(step.text));
    }
    EXPECT_EQ(window->statusBar()->currentMessage(), "Более поздних личных записей нет.");

    // Stepping away from an edited note asks first.
    editor()->moveCursor(QTextCursor::End);
    type("!");
    asker.answers = {QMessageBox::Yes};
    action("ActionPredSapis")->trigger();
    EXPECT_EQ(asker.questions.size(), 1);
    EXPECT_EQ(textOf("дек252026.rtf"), "рождественская!");
    EXPECT_EQ(window->currentDate(), D(2026, 11, 14));
}

TEST_F(NotesWindowTest, TheEditingBarAndTheContextMenu)
{
    QStringList bar_actions;
    for (QAction* item : bar()->actions())
        bar_actions << (item->isSeparator() ? "|" : item->objectName());
    EXPECT_EQ(bar_actions, QStringList({"ActionSaveSapis", "ActionDelSap", "PovtorGod", "|", "FontEdit1", "RichEditBold",
                                        "RichEditItalic", "RichEditUnderline", "RichEditAlignLeft", "RichEditAlignCenter",
                                        "RichEditAlignRight", "EditUndo1", "EditCut1", "EditCopy1", "EditPaste1"}));
    QStringList menu;
    for (QAction* item : window->notePane()->contextMenu()->actions())
        if (!item->isSeparator())
            menu << item->text();
    EXPECT_EQ(menu, QStringList({"Отменить", "Вырезать", "Копировать", "Вставить", "Выделить все", "Открыть в редакторе",
                                 "Сохранить запись", "Удалить запись", "Предыдущая запись", "Следующая запись"}));
    EXPECT_EQ(action("PovtorGod")->toolTip(), "Показывать ежегодно");
    EXPECT_EQ(action("PovtorGod")->statusTip(), "Воспроизводить текущую запись каждый год");
    EXPECT_EQ(action("ActionSaveSapis")->statusTip(), "Сохранить запись на этот день");

    // Alignment and pasted rich text keep only what a note holds.
    type("абзац");
    action("RichEditAlignRight")->trigger();
    auto* mime = new QMimeData;
    mime->setHtml("<p><b>жирный</b> <img src=\"x.png\"> текст</p>");
    QApplication::clipboard()->setMimeData(mime);
    editor()->moveCursor(QTextCursor::End);
    action("EditPaste1")->trigger();
    action("ActionSaveSapis")->trigger();
    const RtfDocument saved = ReadRtf(ReadBytes(file("ноя252026.rtf"))).document;
    ASSERT_FALSE(saved.paragraphs.empty());
    EXPECT_EQ(saved.paragraphs[0].alignment, RtfAlignment::Right);
    EXPECT_EQ(PlainTextOfRtf(saved), "абзацжирный  текст");
    EXPECT_TRUE(saved.paragraphs[0].runs.size() >= 2);

    // Esc ends the edit; Ctrl+I in the editor is italic, not the icons pane.
    action("ActionEsc")->trigger();
    EXPECT_FALSE(editing());
}

}  // namespace
}  // namespace indikt
