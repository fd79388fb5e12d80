// The search panel driven as a person drives it, offscreen: Ctrl+F, a text,
// the find buttons, a click on a result, and the selection read back from
// the pane that shows the hit.

#include "app/panes/html_pane.h"
#include "app/panes/note_pane.h"
#include "app/panes/search_panel.h"
#include "app/window/main_window.h"

#include "lectionary/day_builders.h"
#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

class TellingAsker : public Asker {
public:
    QStringList told;
    QStringList questions;
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons) override
    {
        questions << text;
        return QMessageBox::Cancel;
    }
    void tell(QWidget*, const QString& title, const QString& text) override
    {
        EXPECT_EQ(title, "Индикт");
        told << text;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Civil 13 January 2025 is 31 December 2024 old style, 14 January is 1 January.
        write("Месяцеслов/Непереходящие праздники/дек19.txt", "Память мученика Вонифатия\r\nредкое слово\r\nc\r\n");
        write("Месяцеслов/Непереходящие праздники/дек31.txt", "Отдание праздника\r\nсвятителя [Иоанна=x] Богослова\r\n");
        write("Месяцеслов/Непереходящие праздники/янв01.txt",
              "Обрезание Господне\r\nсвятителя Василия, иоанна богослова\r\nc\r\n");
        note("дек252023.rtf", "Рождество с семьей");          // civil 7 January 2024
        note("дек25.rtf", "Каждый год: Рождество и Рождество");  // yearly
        const QDateTime now(QDate(2026, 12, 9), QTime(10, 0));
        MainWindowContext context{root.path(), root.path(), [now] { return now; }, "", "", StartMode::Saved, false};
        window = std::make_unique<TForm1>(context, ZkSettings::Load(root.path() + "/zk.ini", D(2026, 12, 9)));
        window->setAsker(&asker);
        window->setTextBuilder(DayPane::Menaion, std::make_unique<MenaionBuilder>(root.path()));
        window->show();
        window->showPane(DayPane::Menaion);
        window->setCurrentDate(D(2025, 6, 1));
    }

    void write(const QString& relative, const QString& text)
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
    void note(const QString& name, const QString& text) { write("Записи/" + name, "{\\rtf1\\ansi\\ansicpg1251 " + text + "}"); }

    template <typename T> T* get(const char* name) const
    {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void openPanel(const QString& text, const QString& scope)
    {
        window->findChild<QAction*>("ActionPoisk")->trigger();
        ASSERT_TRUE(get<QDockWidget>("PanelPoisk")->isVisible());
        QComboBox* where = get<QComboBox>("CBGde");
        where->setCurrentIndex(where->findText(scope));
        ASSERT_EQ(where->currentText(), scope);
        get<QComboBox>("CBPoisk")->setEditText(text);
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    QString selected(const char* view) const { return window->findChild<QTextEdit*>(view)->textCursor().selectedText(); }
    QString status() const { return window->statusBar()->currentMessage(); }

    QTemporaryDir root;
    TellingAsker asker;
    std::unique_ptr<TForm1> window;
};

TEST_F(SearchWindowTest, FindStopsAtEachHitAndShowsItSelected)
{
    openPanel("Иоанна Богослова", "Месяцеслове");
    EXPECT_EQ(window->currentDate(), D(2025, 6, 1));  // opening walks nothing
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2025, 1, 13));
    EXPECT_EQ(selected("WebMes"), "Иоанна Богослова");  // across the link's markup
    EXPECT_EQ(get<QPushButton>("ButtonPoisk")->text(), "&Найти далее");
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2025, 1, 14));
    EXPECT_EQ(selected("WebMes"), "иоанна богослова");

    // Match case after a hit: the next press starts from the year's beginning.
    get<QCheckBox>("CheckBoxRegistr")->click();
    EXPECT_EQ(get<QPushButton>("ButtonPoisk")->text(), "&Найти");
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2025, 1, 13));
    click("ButtonPoisk");  // no other hit with this case: the end, back to the day shown when it began
    EXPECT_EQ(window->currentDate(), D(2025, 1, 14));
    EXPECT_EQ(status(), "Найдено совпадений 1 на 1 стр.");
    EXPECT_EQ(asker.told, QStringList{"Просмотр Месяцеслова завершен."});
    EXPECT_EQ(get<QComboBox>("CBPoisk")->itemText(0), "Иоанна Богослова");  // into the history
}

TEST_F(SearchWindowTest, TheFirstOfJanuaryIsTheFirstPage)
{
    openPanel("редкое", "Месяцеслове");
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2025, 1, 1));
    EXPECT_EQ(selected("WebMes"), "редкое");
}

TEST_F(SearchWindowTest, FindAllInOldStyleOpensTheCivilDay)
{
    openPanel("Иоанна", "Месяцеслове");
    get<QComboBox>("ComboBoxSt")->setCurrentIndex(0);
    ASSERT_EQ(get<QComboBox>("ComboBoxSt")->currentText(), "по  ст.  ст.");
    click("ButtonPoiskAll");
    EXPECT_EQ(window->currentDate(), D(2025, 6, 1));  // the walk moved nothing
    QListWidget* results = get<QListWidget>("ListBoxResP");
    ASSERT_EQ(results->count(), 2);
    EXPECT_EQ(results->item(0)->text(), "31.12.2024 - 1 раз");
    EXPECT_EQ(results->item(1)->text(), "01.01.2025 - 1 раз");
    EXPECT_EQ(status(), "Найдено совпадений 2 на 2 стр.");
    EXPECT_EQ(asker.told, QStringList{"Просмотр Месяцеслова завершен."});

    // The style of the list changed and the day view moved since: the entry still opens civil 13 January.
    get<QComboBox>("ComboBoxSt")->setCurrentIndex(1);
    window->setCurrentDate(D(2031, 3, 3));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(results->item(0)).center());
    EXPECT_EQ(window->currentDate(), D(2025, 1, 13));
    EXPECT_EQ(selected("WebMes"), "Иоанна");
}

TEST_F(SearchWindowTest, NotFoundSaysSo)
{
    openPanel("нет такого", "Месяцеслове");
    click("ButtonPoiskAll");
    EXPECT_EQ(status(), "В Месяцеслове текст \"нет такого\" не найден. Попробуйте задать другие условия поиска");
    EXPECT_EQ(get<QLabel>("LabelResult")->text(), "не найден");
    EXPECT_EQ(asker.told, QStringList{"Просмотр Месяцеслова завершен. Искомый текст не найден."});
    EXPECT_TRUE(get<QPushButton>("ButtonPoisk")->isEnabled());
}

TEST_F(SearchWindowTest, EscCancelsBetweenPages)
{
    openPanel("Иоанна", "Месяцеслове");
    // Esc reaches the window the first time the walk lets input run.
    QTimer::singleShot(0, window.get(), [this] { window->findChild<QAction*>("ActionEsc")->trigger(); });
    click("ButtonPoiskAll");
    EXPECT_TRUE(asker.told.isEmpty());  // a cancel says nothing more than the status line
    EXPECT_EQ(window->currentDate(), D(2025, 6, 1));
    EXPECT_TRUE(get<QPushButton>("ButtonPoisk")->isEnabled());
    EXPECT_EQ(get<QPushButton>("ButtonOtmenP")->text(), "&Закрыть");
    EXPECT_FALSE(window->searchPanel()->running());
}

TEST_F(SearchWindowTest, NotesOfEveryYearAndTheFirstResultOpened)
{
    window->showPane(DayPane::Notes);
    openPanel("рождество", "Личных записях");
    click("ButtonPoiskAll");
    QListWidget* results = get<QListWidget>("ListBoxResP");
    ASSERT_EQ(results->count(), 3);  // one entry a match
    EXPECT_EQ(results->item(0)->text(), "07.01.2024");
    EXPECT_EQ(results->item(1)->text(), "07.01.2027");
    EXPECT_EQ(status(), "В Личных записях \"рождество\" найден 3 раза.");
    EXPECT_EQ(asker.told, QStringList{"Просмотр в Личных записях завершен."});
    EXPECT_EQ(window->currentDate(), D(2024, 1, 7));  // the first result opened
    EXPECT_EQ(selected("RichEditSapis"), "Рождество");
    // The second match of the yearly note.
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(results->item(2)).center());
    EXPECT_EQ(window->currentDate(), D(2027, 1, 7));
    const QTextCursor cursor = window->findChild<QTextEdit*>("RichEditSapis")->textCursor();
    EXPECT_EQ(cursor.selectionStart(), QString("Каждый год: Рождество и ").size());
}

TEST_F(SearchWindowTest, NotesStepByStepSayWhatIsLeft)
{
    window->showPane(DayPane::Notes);
    openPanel("рождество", "Личных записях");
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2024, 1, 7));
    EXPECT_EQ(status(), "В Личных записях \"рождество\" найден 07.01.2024. Осталось просмотреть 1 запись.");
    EXPECT_EQ(selected("RichEditSapis"), "Рождество");
    click("ButtonPoisk");
    EXPECT_EQ(window->currentDate(), D(2027, 1, 7));
    EXPECT_EQ(status(), "В Личных записях \"рождество\" найден 07.01.2027.");
    EXPECT_EQ(get<QListWidget>("ListBoxResP")->count(), 2);
    EXPECT_EQ(get<QLabel>("LabelResult")->text(), "2\nв 2 зап.");
}

TEST_F(SearchWindowTest, ANoteBeingEditedIsAskedAboutFirst)
{
    window->showPane(DayPane::Notes);
    window->setCurrentDate(D(2024, 1, 7));
    QTextEdit* editor = window->findChild<QTextEdit*>("RichEditSapis");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton);
    editor->moveCursor(QTextCursor::End);
    editor->setFocus();
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString("!"), Qt::NoModifier);
    ASSERT_TRUE(editor->document()->isModified());
    openPanel("Иоанна", "Месяцеслове");
    click("ButtonPoiskAll");
    // Cancel in the question: the edit goes on, nothing was walked, nothing lost.
    ASSERT_EQ(asker.questions.size(), 1);
    EXPECT_TRUE(asker.questions[0].startsWith("Сохранить изменения в Личных записях"));
    EXPECT_EQ(get<QListWidget>("ListBoxResP")->count(), 0);
    EXPECT_EQ(window->currentDate(), D(2024, 1, 7));
    EXPECT_TRUE(editor->toPlainText().endsWith("!"));
    EXPECT_FALSE(window->searchPanel()->running());
    EXPECT_TRUE(get<QPushButton>("ButtonPoiskAll")->isEnabled());
}

TEST_F(SearchWindowTest, TheEveningSwitchWaitsForAWalk)
{
    window->onTimer1(QDateTime(QDate(2026, 12, 9), QTime(14, 59, 55)));
    ASSERT_TRUE(window->setBatchWalk(true));
    window->onTimer1(QDateTime(QDate(2026, 12, 9), QTime(15, 0, 5)));
    EXPECT_FALSE(window->eveningMode());  // the panes keep the day the walk left them on
    ASSERT_TRUE(window->setBatchWalk(false));
    window->onTimer1(QDateTime(QDate(2026, 12, 9), QTime(15, 0, 15)));
    EXPECT_TRUE(window->eveningMode());   // and switch at the first tick after it
}

TEST_F(SearchWindowTest, NoTextPaneNoSearch)
{
    window->setTextBuilder(DayPane::Menaion, nullptr);
    window->findChild<QAction*>("ActionTropar")->setVisible(false);
    window->findChild<QAction*>("ActionPanelSapis")->setVisible(false);
    window->findChild<QAction*>("ActionPoisk")->trigger();
    EXPECT_EQ(get<QComboBox>("CBGde")->count(), 0);
    EXPECT_FALSE(get<QPushButton>("ButtonPoisk")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("ButtonPoiskAll")->isEnabled());
}

}  // namespace
}  // namespace indikt
