// The day page driven as a person would: commands, shortcuts, the date
// editors and menus, and the panes filled through their builders.

#include "app/panes/note_pane.h"
#include "app/window/day_widgets.h"
#include "app/window/main_window.h"
#include "app/window/month_grid_widget.h"
#include "app/window/window_geometry.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QDir>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <stdexcept>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

struct Fixture {
    QTemporaryDir root;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 30));

    std::unique_ptr<TForm1> open()
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "", "", StartMode::Saved, false};
        return std::make_unique<TForm1>(context, ZkSettings::Load(root.path() + "/zk.ini", D(2026, 12, 8)));
    }
    void writeZk(const char* utf8_text)
    {
        ASSERT_TRUE(WriteBytes(root.path() + "/zk.ini", *EncodeCp1251(QString::fromUtf8(utf8_text))));
    }
    // The folders whose panes the window offers only when they exist.
    void makePaneFolders() const
    {
        for (const char* folder : {"Богослужение/Апостол", "Богослужение/Тропари и кондаки", "Богослужение/Молитвослов",
                                   "Жития святых", "Иконы"})
            QDir().mkpath(root.path() + "/" + QString::fromUtf8(folder));
    }
};

QString Text(const TForm1& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QString("(no label %1)").arg(name);
}

QAction* Action(const TForm1& window, const char* name)
{
    auto* action = window.findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
}

// Records every day a pane was filled for, and says which source commands it found.
class RecordingBuilder : public DayTextBuilder {
public:
    explicit RecordingBuilder(std::vector<Date>* days, QStringList found = {}) : days_(days), found_(std::move(found)) {}
    PaneText build(const DayRequest& request) override
    {
        days_->push_back(request.date);
        EXPECT_EQ(request.facts.old_style, OldStyle(request.date));
        PaneText text;
        text.html = "<p>day " + QString::number(request.date.serial()) + "</p>";
        text.found_commands = found_;
        return text;
    }

private:
    std::vector<Date>* days_;
    QStringList found_;
};

class ThrowingBuilder : public DayTextBuilder {
public:
    PaneText build(const DayRequest&) override { throw std::runtime_error("файл повреждён"); }
};

// A note being edited: each end of its edit is counted and answered as the
// test says (Cancel: the user goes on editing).
class RecordingNote : public NoteEditing {
public:
    bool editing = false;
    EditEnd answer = EditEnd::Proceed;
    int ends = 0;
    bool isEditing() const override { return editing; }
    EditEnd endEdit() override
    {
        if (!editing)
            return EditEnd::Proceed;
        ++ends;
        if (answer == EditEnd::Proceed)
            editing = false;
        return answer;
    }
};

TEST(DayPage, TheDateBlockOfADay)
{
    Fixture f;
    auto window = f.open();
    struct Case { Date date; const char* old_day; const char* old_month; const char* day; const char* weekday;
                  const char* month; const char* post; const char* colour; };
    const Case cases[] = {
        // A Thursday in the Nativity fast, 19 December old style: teal.
        {D(2026, 1, 1), "19", " декабря по ст. ст.", "1", "Четверг", "январь", "Рождественский пост", "#008080"},
        // A Sunday: red.
        {D(2026, 1, 4), "22", " декабря по ст. ст.", "4", "Воскресенье", "январь", "Рождественский пост", "#ff0000"},
        // The Nativity on a Tuesday opens the Svyatki; the colour of feasts comes from the memo book,
        // which the first start fills with the great feasts: red.
        {D(2025, 1, 7), "25", " декабря по ст. ст.", "7", "Вторник", "январь", "Сплошная седмица", "#ff0000"},
        {D(2025, 6, 12), "30", " мая по ст. ст.", "12", "Четверг", "июнь", "Сплошная седмица", "#008080"},
        {D(2025, 6, 20), "7", " июня по ст. ст.", "20", "Пятница", "июнь", "Петров пост", "#008080"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        window->setCurrentDate(c.date);
        EXPECT_EQ(Text(*window, "LabelDenStarStil"), c.old_day);
        EXPECT_EQ(Text(*window, "LabelMesStarStil"), c.old_month);
        EXPECT_EQ(Text(*window, "LabelDay"), c.day);
        EXPECT_EQ(Text(*window, "LabelWeekday"), c.weekday);
        EXPECT_EQ(Text(*window, "LabelMonth"), c.month);
        EXPECT_EQ(Text(*window, "LabelYear"), QString::number(YearOf(c.date)));
        EXPECT_EQ(Text(*window, "LabelPost"), c.post);
        EXPECT_TRUE(window->findChild<QLabel*>("LabelWeekday")->styleSheet().contains(c.colour))
            << window->findChild<QLabel*>("LabelWeekday")->styleSheet().toStdString();
    }
    window->setCurrentDate(D(2012, 1, 9));
    EXPECT_EQ(window->findChild<QLabel*>("LabelYear")->toolTip(), "Понедельник 9 янв 2012 г. (27 дек по ст. ст.)");
    EXPECT_EQ(window->findChild<QLabel*>("LabelDenStarStil")->toolTip(), "27 дек по старому стилю");
}

TEST(DayPage, YearMenusFollowTheCivilYearAndTheirCommandsJump)
{
    Fixture f;
    auto window = f.open();
    window->setCurrentDate(D(2025, 3, 1));
    EXPECT_EQ(Action(*window, "ActionDvPr012")->text(), "ПАСХА - Вс 20 апр (7 апр)");
    auto* feasts = window->findChild<QMenu*>("MenuPrasdniki");
    ASSERT_NE(feasts, nullptr);
    QStringList headings;
    for (QAction* item : feasts->actions())
        headings << item->text();
    EXPECT_EQ(headings, QStringList({"Праздники в 2025 г.", "Многодневные посты в 2025 г.", "Сплошные седмицы в 2025 г.",
                                     "Дни поминовения усопших в 2025 г."}));

    Action(*window, "ActionDvPr012")->trigger();
    EXPECT_EQ(window->currentDate(), D(2025, 4, 20));
    Action(*window, "ActionPost1")->trigger();  // Great Lent of that year
    EXPECT_EQ(window->currentDate(), D(2025, 3, 3));
    Action(*window, "ActionGosPr007")->trigger();
    EXPECT_EQ(window->currentDate(), D(2025, 5, 9));

    EXPECT_EQ(Action(*window, "ActionDvPr022")->text(), "РОЖДЕСТВО ХРИСТОВО - Вт 7 янв (25 дек)");
    EXPECT_EQ(Action(*window, "ActionDvPr022")->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_EQ(Action(*window, "ActionDvPr012")->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(Action(*window, "ActionPost1")->text(), "Великий пост с Пн 3 мар (18 фев) до Вс 20 апр (7 апр) - 48 дн.");

    window->setCurrentDate(D(2026, 2, 1));
    EXPECT_EQ(Action(*window, "ActionDvPr012")->text(), "ПАСХА - Вс 12 апр (30 мар)");
    EXPECT_EQ(feasts->actions().first()->text(), "Праздники в 2026 г.");
}

TEST(DayPage, MonthButtonsMenusAndEditors)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->setCurrentDate(D(2024, 1, 31));
    window->findChild<QToolButton*>("SpButMes2")->click();
    EXPECT_EQ(window->currentDate(), D(2024, 2, 29));
    window->findChild<QToolButton*>("SpButMes1")->click();
    EXPECT_EQ(window->currentDate(), D(2024, 1, 29));

    // The civil month menu, the old-style one (29 January 2024 is 16 January old style).
    window->monthMenu()->actions().at(4)->trigger();
    EXPECT_EQ(window->currentDate(), D(2024, 5, 29));
    window->setCurrentDate(D(2024, 1, 29));
    window->oldStyleMonthMenu()->actions().at(2)->trigger();
    EXPECT_EQ(window->currentDate(), D(2024, 3, 16) + 13);

    // The year editor opens on a click of the year and applies a typed year.
    window->setCurrentDate(D(2024, 2, 29));
    QTest::mouseClick(window->findChild<QLabel*>("LabelYear"), Qt::LeftButton);
    auto* year = window->findChild<QSpinBox*>("SpinEditGod");
    ASSERT_TRUE(year->isVisible());
    EXPECT_EQ(year->value(), 2024);
    year->selectAll();
    QTest::keyClicks(year, "2023");
    EXPECT_EQ(window->currentDate(), D(2023, 2, 28));
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_FALSE(year->isVisible());
    EXPECT_EQ(Text(*window, "LabelYear"), "2023");

    // The old-style day editor, also in the evening mode, works from the shown date.
    window->setCurrentDate(D(2025, 9, 14));  // 1 September old style
    window->ActionVezherExecute();
    QTest::mouseClick(window->findChild<QLabel*>("LabelDenStarStil"), Qt::LeftButton);
    auto* day = window->findChild<QSpinBox*>("SpinEditDenSt");
    ASSERT_TRUE(day->isVisible());
    EXPECT_EQ(day->value(), 1);
    EXPECT_EQ(day->maximum(), 30);
    day->setValue(8);
    EXPECT_EQ(window->currentDate(), D(2025, 9, 21));
    EXPECT_FALSE(window->eveningMode());
    // Any navigation closes the editor.
    window->ActionSlDnExecute();
    EXPECT_FALSE(day->isVisible());

    // The years 1700-3000 are reachable through the editor.
    QTest::mouseClick(window->findChild<QLabel*>("LabelYear"), Qt::LeftButton);
    year->setValue(1700);
    EXPECT_EQ(YearOf(window->currentDate()), 1700);
    EXPECT_EQ(Text(*window, "LabelYear"), "1700");
}

TEST(DayPage, OnlyTheShownPaneIsFilledForTheLiturgicalDay)
{
    Fixture f;
    auto window = f.open();
    std::vector<Date> menaion, lectionary;
    window->setTextBuilder(DayPane::Menaion, std::make_unique<RecordingBuilder>(&menaion, QStringList{"ActionMesNePer"}));
    window->setTextBuilder(DayPane::Lectionary, std::make_unique<RecordingBuilder>(&lectionary));
    EXPECT_EQ(window->rightCaption(), "Месяцеслов");

    window->setCurrentDate(D(2025, 4, 19));
    ASSERT_FALSE(menaion.empty());
    EXPECT_EQ(menaion.back(), D(2025, 4, 19));
    EXPECT_TRUE(lectionary.empty());
    EXPECT_TRUE(Action(*window, "ActionMesNePer")->isVisible());
    EXPECT_FALSE(Action(*window, "ActionMesPer")->isVisible());

    // "C вечера" fills the pane for the next day; the date block stays.
    window->ActionVezherExecute();
    EXPECT_EQ(menaion.back(), D(2025, 4, 20));
    EXPECT_EQ(Text(*window, "LabelDay"), "19");
    EXPECT_TRUE(Action(*window, "ActionVezher")->isChecked());
    EXPECT_FALSE(Action(*window, "ActionUtro")->isChecked());
    auto* cue = window->findChild<QLabel*>("LabelEveningTexts");
    ASSERT_NE(cue, nullptr);
    EXPECT_FALSE(cue->isHidden());
    EXPECT_EQ(cue->text(), "Тексты следующего дня: Вс 20 апр 2025 г.");
    window->ActionUtroExecute();
    EXPECT_TRUE(cue->isHidden());
    EXPECT_EQ(menaion.back(), D(2025, 4, 19));
    window->ActionVezherExecute();
    window->ActionUtroExecute();
    EXPECT_EQ(menaion.back(), D(2025, 4, 19));
    EXPECT_FALSE(window->eveningMode());

    // Switching the pane fills the new one and changes the caption.
    Action(*window, "ActionBeibl")->trigger();
    EXPECT_EQ(window->rightCaption(), "Лекционарий");
    ASSERT_EQ(lectionary.size(), 1u);
    EXPECT_EQ(lectionary.back(), D(2025, 4, 19));
    EXPECT_TRUE(Action(*window, "ActionRusBeibl")->isVisible());
    EXPECT_FALSE(Action(*window, "ActionRusTr")->isVisible());
    const size_t menaion_fills = menaion.size();
    window->ActionSlDnExecute();
    EXPECT_EQ(menaion.size(), menaion_fills);  // hidden panes are not filled
    EXPECT_EQ(lectionary.back(), D(2025, 4, 20));
    EXPECT_TRUE(qobject_cast<QTextBrowser*>(window->paneView(DayPane::Lectionary))->toPlainText().contains("day"));
    // The source commands of the Menaion were hidden by the change.
    EXPECT_FALSE(Action(*window, "ActionMesNePer")->isVisible());

    for (const char* caption : {"Месяцеслов", "Тропари и кондаки", "Лекционарий", "Личные записи", "Молитвослов",
                                "Жития святых"}) {
        const std::optional<DayPane> pane = PaneOfCaption(caption);
        ASSERT_TRUE(pane) << caption;
        window->showPane(*pane);
        EXPECT_EQ(window->rightCaption(), caption);
    }
}

TEST(DayPage, TheNotesPaneTakesTypingAndShowsItsEditingBar)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->showPane(DayPane::Notes);
    auto* editor = qobject_cast<QTextEdit*>(window->paneView(DayPane::Notes));
    ASSERT_NE(editor, nullptr);
    auto* bar = window->findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisibleTo(window.get())) << "the editing bar shows only while a note is edited";
    editor->setFocus();
    QTest::keyClicks(editor, "note");
    EXPECT_EQ(editor->toPlainText(), "note");
    EXPECT_FALSE(editor->isReadOnly());
    EXPECT_TRUE(bar->isVisibleTo(window.get()));
    EXPECT_TRUE(editor->document()->isModified());
}

TEST(DayPage, TheMonthGridTakesTheKeyboard)
{
    Fixture f;
    auto window = f.open();
    window->show();
    auto* grid = window->findChild<MonthGridWidget*>("PanelMes");
    ASSERT_NE(grid, nullptr);
    window->setCurrentDate(D(2025, 1, 30));
    grid->setFocus();
    struct Case { Qt::Key key; Date after; };
    const Case cases[] = {
        {Qt::Key_Right, D(2025, 1, 31)}, {Qt::Key_Right, D(2025, 2, 1)},  {Qt::Key_Down, D(2025, 2, 8)},
        {Qt::Key_Up, D(2025, 2, 1)},     {Qt::Key_Left, D(2025, 1, 31)},   {Qt::Key_PageDown, D(2025, 2, 28)},
        {Qt::Key_PageUp, D(2025, 1, 28)}, {Qt::Key_End, D(2025, 1, 31)},   {Qt::Key_Home, D(2025, 1, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        QTest::keyClick(grid, c.key);
        EXPECT_EQ(window->currentDate(), c.after);
        EXPECT_EQ(grid->grid().cells[static_cast<size_t>(grid->currentIndex())].date, c.after);
    }
    EXPECT_TRUE(grid->focusPolicy() & Qt::TabFocus);
}

TEST(DayPage, TheMonthArrowsStayWhereTheyAreAllYear)
{
    // Repeated clicks on an arrow must find it in the same place, whatever the
    // week's caption of the day shown (one line or two).
    Fixture f;
    auto window = f.open();
    window->show();
    auto* back = window->findChild<QToolButton*>("SpButMes1");
    ASSERT_NE(back, nullptr);
    QSet<int> places;
    for (Date day = D(2025, 1, 1); day <= D(2025, 12, 31); day = day + 1) {
        window->setCurrentDate(day);
        QApplication::processEvents();
        places.insert(back->mapTo(window.get(), QPoint(0, 0)).y());
    }
    EXPECT_EQ(places.size(), 1) << "the arrows moved between " << places.size() << " places";
}

TEST(DayPage, CaptionForms)
{
    Fixture f;
    f.writeZk("[Vid]\r\nCaptData=1\r\n");
    auto window = f.open();
    EXPECT_EQ(window->windowTitle(), " Индикт  -  Вт 8 дек 2026 г.");
    window->setCurrentDate(D(2012, 1, 9));
    EXPECT_EQ(window->windowTitle(), " Индикт  -  Понедельник 9 янв 2012 г. ");
}

TEST(DayPage, WithoutMenuTopNavigationHidesTheMainMenu)
{
    Fixture f;
    f.writeZk("[Vid]\r\nMenuTop=0\r\n");
    auto window = f.open();
    window->show();
    EXPECT_FALSE(window->menuBar()->isVisible());
    Action(*window, "ActionPanelMenu")->trigger();  // F2 shows it
    EXPECT_TRUE(window->menuBar()->isVisible());
    Action(*window, "ActionSlDn")->trigger();
    EXPECT_FALSE(window->menuBar()->isVisible());
    // The date pop-up menu offers today, the date dialog, a bookmark, a jubilee, a feast and the settings.
    QStringList items;
    for (QAction* item : window->dateMenu()->actions())
        if (!item->isSeparator())
            items << item->objectName();
    EXPECT_EQ(items, QStringList({"ActionSegodn", "ActionVData", "ActionAddBookMark", "ActionNewJub", "ActionNewPr",
                                  "ActionParam"}));
}

TEST(DayPage, TheNoteBeingEditedEndsBeforeTheDateChangesAndCancelKeepsTheDate)
{
    Fixture f;
    auto window = f.open();
    RecordingNote note;
    window->setNoteEditing(&note);
    window->setCurrentDate(D(2025, 5, 1));
    EXPECT_EQ(note.ends, 0) << "nothing edited, nothing asked";

    note.editing = true;
    window->ActionSlDnExecute();
    EXPECT_EQ(note.ends, 1);
    EXPECT_EQ(window->currentDate(), D(2025, 5, 2));

    // Cancel keeps the date, whichever way the change came.
    note.editing = true;
    note.answer = EditEnd::Cancelled;
    window->ActionSlDnExecute();
    window->ActionPrDnExecute();
    window->ActionBackExecute();
    EXPECT_FALSE(window->setCurrentDate(D(2030, 1, 1)));
    window->SpButMes2Click();
    window->ActionPrasdnikiExecute(12);
    EXPECT_EQ(note.ends, 7);
    EXPECT_EQ(window->currentDate(), D(2025, 5, 2));
    EXPECT_EQ(window->history().backList().size(), 3u) << "a cancelled step leaves the history alone";
    // The evening switch keeps the morning when the note's edit goes on.
    window->ActionVezherExecute();
    EXPECT_FALSE(window->eveningMode());
    EXPECT_FALSE(Action(*window, "ActionVezher")->isChecked());
    // A walk over many days does not start.
    EXPECT_FALSE(window->setBatchWalk(true));
    note.answer = EditEnd::Proceed;
    EXPECT_TRUE(window->setBatchWalk(true));
    window->setBatchWalk(false);
}

TEST(DayPage, AFailingTextLeavesTheWindowUsable)
{
    Fixture f;
    auto window = f.open();
    window->show();
    window->setTextBuilder(DayPane::Menaion, std::make_unique<ThrowingBuilder>());
    Action(*window, "ActionSlDn")->trigger();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("файл повреждён"));
    EXPECT_EQ(Text(*window, "LabelDay"), "9");  // the rest of the page is shown
    EXPECT_TRUE(qobject_cast<QTextBrowser*>(window->paneView(DayPane::Menaion))->toPlainText().isEmpty());
}

TEST(DayPage, BatchWalkSkipsTheStepsForThePerson)
{
    Fixture f;
    auto window = f.open();
    window->setCurrentDate(D(2025, 1, 10));
    const QString status = window->statusText();
    const size_t entries = window->history().backList().size();
    window->setBatchWalk(true);
    window->setCurrentDate(D(2025, 2, 10));
    window->setBatchWalk(false);
    EXPECT_EQ(window->statusText(), status);
    EXPECT_EQ(window->history().backList().size(), entries);
    EXPECT_EQ(Text(*window, "LabelDay"), "10");
    EXPECT_EQ(Text(*window, "LabelMonth"), "февраль");
}

// Counts the shortcut events an action receives without running it.
class ShortcutSpy : public QObject {
public:
    QStringList hits;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut) {
            hits << object->objectName() + (static_cast<QShortcutEvent*>(event)->isAmbiguous() ? " (ambiguous)" : "");
            return true;
        }
        return false;
    }
};

TEST(DayPage, EveryShortcutReachesItsOneCommandWhereverTheFocusIs)
{
    Fixture f;
    f.makePaneFolders();
    auto window = f.open();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ShortcutSpy spy;
    for (const Command& command : CommandTable()) {
        QAction* action = Action(*window, command.name.c_str());
        action->setEnabled(true);  // commands of parts still to come take their key too
        action->installEventFilter(&spy);
    }
    auto* notes = qobject_cast<NotesEditor*>(window->paneView(DayPane::Notes));
    ASSERT_NE(notes, nullptr);
    window->showPane(DayPane::Notes);
    // The keys an editor keeps for editing while it has the focus: undo, redo,
    // cut, copy, paste, select all, italic, underline, a word left and right.
    // Ctrl+Up and Ctrl+Down stay the day steps: a date change saves the note.
    const QStringList editing_keys = {"Ctrl+Z", "Ctrl+Y", "Ctrl+X",    "Ctrl+C",    "Ctrl+V",   "Ctrl+A",    "Ctrl+I",
                                      "Ctrl+U", "Ctrl+Left", "Ctrl+Right", "Ctrl+Home", "Ctrl+End", "Shift+Up", "Shift+Down"};

    struct Place { const char* name; QWidget* widget; bool editor; };
    window->showPane(DayPane::Menaion);
    const Place places[] = {
        {"the window", window.get(), false},
        {"a pane", window->paneView(DayPane::Menaion), false},
        // A read-only editor edits nothing, so it lets the window have every key.
        {"the notes editor", notes, !notes->isReadOnly()},
    };
    int keys_tested = 0;
    for (const Place& place : places) {
        for (const Command& command : CommandTable()) {
            if (command.shortcut.empty())
                continue;
            SCOPED_TRACE(std::string(place.name) + ": " + command.shortcut);
            if (place.editor)
                window->showPane(DayPane::Notes);
            place.widget->setFocus();
            spy.hits.clear();
            const QKeySequence keys(QString::fromStdString(command.shortcut));
            const QKeyCombination combination = keys[0];
            QTest::keyClick(place.widget, combination.key(), combination.keyboardModifiers());
            const bool editor_key = editing_keys.contains(QString::fromStdString(command.shortcut));
            if (place.editor && editor_key) {
                EXPECT_TRUE(spy.hits.isEmpty()) << spy.hits.join(", ").toStdString();
            } else if (!(editor_key && !place.editor && place.widget != window.get())) {
                // A read-only pane may keep its own copy and select-all keys.
                EXPECT_EQ(spy.hits, QStringList{QString::fromStdString(command.name)});
            }
            ++keys_tested;
        }
    }
    EXPECT_GT(keys_tested, 3 * 40);

    // In the editor Ctrl+I and Ctrl+U format the text.
    notes->setReadOnly(false);
    notes->setPlainText("слово");
    notes->selectAll();
    QTest::keyClick(notes, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(notes->currentCharFormat().fontItalic());
}

TEST(DayPage, WindowModesAndCompanionCommands)
{
    Fixture f;
    auto window = f.open();
    window->show();
    // Without the companion program "Мини-индикт" does nothing and stays unchecked.
    QAction* mini = Action(*window, "ActionChas");
    mini->trigger();
    EXPECT_FALSE(mini->isChecked());
    EXPECT_TRUE(window->isVisible());
    Action(*window, "ActionPash")->trigger();  // no Paschalion program: nothing happens
    EXPECT_TRUE(window->isVisible());

    // "Компактный" hides the search; the viewer stays as the user left it.
    window->findChild<QDockWidget*>("PanelExplorer")->show();
    Action(*window, "ActionMinim")->trigger();
    EXPECT_TRUE(window->findChild<QDockWidget*>("PanelExplorer")->isVisible());
    window->findChild<QDockWidget*>("PanelExplorer")->hide();
    window->findChild<QDockWidget*>("PanelPoisk")->show();
    Action(*window, "ActionMinim")->trigger();
    EXPECT_FALSE(window->findChild<QDockWidget*>("PanelPoisk")->isVisible());
    EXPECT_EQ(window->size(), QSize(678, 414));
    EXPECT_FALSE(window->menuBar()->isVisible());
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_EQ(window->findChild<QToolBar*>("ToolBar1")->parentWidget()->objectName(), "PanelLeft");
    EXPECT_EQ(window->rightCaption(), "Месяцеслов");
    Action(*window, "ActionMax")->trigger();
    EXPECT_TRUE(window->statusBar()->isVisible());

    // The help shows the commands and their keys in the viewer.
    Action(*window, "HelpContents1")->trigger();
    auto* viewer = window->findChild<QDockWidget*>("PanelExplorer");
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(window->findChild<QTextBrowser*>("WebBrowser")->toPlainText().contains("F8"));
    EXPECT_EQ(window->viewerCaption(), "Справка");
}

TEST(DayPage, PanesOfMissingFoldersAndCommandsOfMissingProgramsAreNotOffered)
{
    struct Case { const char* what; bool folders; };
    for (const Case& c : {Case{"a tree without them", false}, Case{"a tree with them", true}}) {
        SCOPED_TRACE(c.what);
        Fixture f;
        if (c.folders)
            f.makePaneFolders();
        f.writeZk("[Vid]\r\nVidRicht=Лекционарий\r\n");
        auto window = f.open();
        for (const char* command : {"ActionBeibl", "ActionTropar", "ActionMolitv", "ActionGitiya", "ActionPanelIco"})
            EXPECT_EQ(Action(*window, command)->isVisible(), c.folders) << command;
        EXPECT_TRUE(Action(*window, "ActionMesez")->isVisible());
        // Without the programs: offered, disabled, and the hint says what is missing.
        EXPECT_FALSE(Action(*window, "ActionPash")->isEnabled());
        EXPECT_TRUE(Action(*window, "ActionPash")->toolTip().contains("Пасхалия"));
        EXPECT_FALSE(Action(*window, "ActionChas")->isEnabled());
        EXPECT_TRUE(Action(*window, "ActionChas")->toolTip().contains("Mini"));
    }
}

TEST(DayPage, LargeButtonsShowAPictureOverTheCaption)
{
    Fixture f;
    f.writeZk("[Vid]\r\nLargeIco=1\r\nKnVKalendare=0\r\n");
    auto window = f.open();
    auto* bar = window->findChild<QToolBar*>("ToolBar1");
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    ASSERT_FALSE(bar->actions().isEmpty());
    for (QAction* action : bar->actions()) {
        SCOPED_TRACE(action->objectName().toStdString());
        const QImage picture = action->icon().pixmap(32, 32).toImage();
        ASSERT_FALSE(picture.isNull());
        // Something is drawn: not every pixel is transparent.
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                drawn += qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 40);
    }
    Action(*window, "ActionLargeIco")->trigger();
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextOnly);
}

TEST(DayPage, ToolBarFollowsItsSettings)
{
    Fixture f;
    f.writeZk("[ToolBar1]\r\nButton0=1\r\nButton2=0\r\n");
    auto window = f.open();
    auto* bar = window->findChild<QToolBar*>("ToolBar1");
    QStringList shown;
    for (QAction* action : bar->actions())
        shown << action->objectName();
    EXPECT_TRUE(shown.contains("ActionUtro"));
    EXPECT_FALSE(shown.contains("ActionVezher"));
    EXPECT_FALSE(shown.contains("ActionPash"));
    EXPECT_TRUE(shown.contains("ActionSob"));
    EXPECT_FALSE(Action(*window, "VidInstrPash")->isChecked());
    Action(*window, "VidInstrPash")->trigger();
    EXPECT_TRUE(window->settings().flag(kSectionToolBar, "Button2"));
    shown.clear();
    for (QAction* action : bar->actions())
        shown << action->objectName();
    EXPECT_TRUE(shown.contains("ActionPash"));
}

TEST(OptimalWindowGeometry, SizeAndPlace)
{
    struct Case { const char* name; OptimalWindowInput input; QRect expected; };
    const Case cases[] = {
        {"centred on a wide screen", {QRect(0, 0, 1920, 1080), QRect(0, 0, 600, 400), 9, 60, false},
         QRect((1920 - 1079) / 2, (1080 - 580) / 2, 1079, 580)},
        {"near the centre it stays", {QRect(0, 0, 1920, 1080), QRect(450, 270, 600, 400), 9, 60, false},
         QRect(450, 270, 1079, 580)},
        {"icons beside the day page", {QRect(0, 0, 1920, 1080), QRect(0, 0, 600, 400), 0, 0, true},
         QRect(560, 280, 800, 520)},
        {"a narrow screen: 10 pixels narrower than it", {QRect(0, 0, 1024, 768), QRect(0, 0, 600, 400), 9, 0, false},
         QRect(5, 124, 1014, 520)},
        {"never closer than 5 pixels to the top", {QRect(0, 0, 1280, 500), QRect(300, 300, 600, 400), 0, 40, false},
         QRect(105, 5, 1070, 560)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OptimalWindowGeometry(c.input), c.expected);
    }
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

TEST(MonthGridPanel, ClicksCollapseAndHeadings)
{
    Fixture f;
    f.writeZk("[Vid]\r\nFirstDay=0\r\n");
    auto window = f.open();
    window->show();
    auto* grid = window->findChild<MonthGridWidget*>("PanelMes");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Text(*window, "LabelPn"), "Вс");  // the left column, whatever its day
    EXPECT_EQ(Text(*window, "LabelVs"), "Сб");

    window->setCurrentDate(D(2025, 3, 10));
    EXPECT_EQ(Text(*window, "LabelMes"), "Март");
    EXPECT_EQ(Text(*window, "LabelGod"), "2025");
    // A click on a day of the month, then on a silver day of the next month.
    const int the_20th = grid->indexOfName("E4d3");  // March 2025 begins on a Saturday: row 4, Thursday
    ASSERT_GE(the_20th, 0);
    EXPECT_EQ(grid->grid().cells[static_cast<size_t>(the_20th)].date, D(2025, 3, 20));
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(the_20th).center());
    EXPECT_EQ(window->currentDate(), D(2025, 3, 20));
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(41).center());
    EXPECT_EQ(window->currentDate(), D(2025, 4, 5));  // the last cell: 5 April
    EXPECT_EQ(Text(*window, "LabelMes"), "Апрель");
    EXPECT_TRUE(grid->grid().cells[static_cast<size_t>(grid->indexOfName("E2d1"))].bold == false);

    // F7 collapses: the month and year labels take the grid's place; again, and it is back.
    auto* calendar = window->findChild<QWidget*>("PanelCalendar");
    Action(*window, "VidMont")->trigger();
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(window->findChild<QLabel*>("LabelMonth")->isVisible());
    EXPECT_TRUE(window->settings().flag(kSectionVid, "Calendar"));
    window->ActionSlDnExecute();
    Action(*window, "VidMont")->trigger();
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_FALSE(window->findChild<QLabel*>("LabelMonth")->isVisible());
    EXPECT_EQ(grid->grid().month, 4);
    EXPECT_EQ(Action(*window, "VidMont")->shortcut(), QKeySequence(Qt::Key_F7));
}

}  // namespace
}  // namespace indikt
