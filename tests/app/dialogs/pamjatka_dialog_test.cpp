#include "app/dialogs/pamjatka_dialog.h"
#include "app/window/main_window.h"
#include "platform/autostart.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "scripted_asker.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// Answers the dialog's questions from a script and keeps what it was told.
class PamjatkaTest : public ::testing::Test {
protected:
    struct Open {
        std::unique_ptr<MemoBook> book;
        std::unique_ptr<TPamjatka> dialog;
    };
    Open open()
    {
        Open result;
        result.book = std::make_unique<MemoBook>(root.path(), [this] { return now; });
        result.dialog = std::make_unique<TPamjatka>(
            *result.book, PamjatkaContext{root.path(), root.path(), root.filePath("autostart")}, asker);
        result.dialog->OpenPamjatka(now.today, now.minute);
        return result;
    }
    QString memoPath() const { return root.filePath("Памятка.txt"); }

    template <typename Widget>
    static Widget* Find(QWidget* dialog, const char* name)
    {
        auto* widget = dialog->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QString Text(QWidget* dialog, const char* label) { return Find<QLabel>(dialog, label)->text(); }
    static QStringList Row(QWidget* dialog, const char* list, int row)
    {
        QStringList texts;
        const QTreeWidgetItem* item = Find<QTreeWidget>(dialog, list)->topLevelItem(row);
        for (int column = 0; item && column < item->columnCount(); ++column)
            texts << item->text(column);
        return texts;
    }
    static void Type(QWidget* dialog, const char* box, const QString& text)
    {
        Find<QComboBox>(dialog, box)->setEditText(text);
    }
    static void Click(QWidget* dialog, const char* button)
    {
        QPushButton* push = Find<QPushButton>(dialog, button);
        ASSERT_TRUE(push->isEnabled()) << button;
        push->click();
    }
    static void Select(QWidget* dialog, const char* list, std::initializer_list<int> rows)
    {
        QTreeWidget* view = Find<QTreeWidget>(dialog, list);
        view->clearSelection();
        for (const int row : rows)
            view->topLevelItem(row)->setSelected(true);
    }

    QTemporaryDir root;
    MemoClock now{D(2025, 3, 1), 10 * 60};
    ScriptedAsker asker;
};

TEST_F(PamjatkaTest, ANameDayAMovableFeastAndADailyEventSurviveARestart)
{
    QByteArray written;
    {
        Open o = open();
        QWidget* d = o.dialog.get();
        EXPECT_EQ(d->windowTitle(), "Памятка");
        EXPECT_EQ(Text(d, "LabelVsegoYub"), "");
        EXPECT_FALSE(Find<QPushButton>(d, "BitBtnNew")->isEnabled());

        Find<QDateEdit>(d, "DateTimePicker")->setDate(QDate(1990, 12, 22));
        Type(d, "ComboBoxYub", "  Именины Анны ");
        EXPECT_EQ(Text(d, "LabelNewYub"), "Новый юбилей: 22 дек 1990 г.");
        Click(d, "BitBtnNew");
        EXPECT_EQ(Text(d, "LabelVsegoYub"), "Всего: 1");
        EXPECT_EQ(Row(d, "ListView1", 0), (QStringList{"22.12.1990", "Именины Анны", "296", "", "35"}));
        EXPECT_EQ(Find<QComboBox>(d, "ComboBoxYub")->findText("Именины Анны"), 0) << "the name is remembered";
        EXPECT_EQ(Find<QComboBox>(d, "ComboBoxYub")->currentText(), "");

        Find<QRadioButton>(d, "RadioPrMovable")->setChecked(true);
        Find<QDateEdit>(d, "DateTimePicker1")->setDate(QDate(2025, 6, 8));  // Pentecost 2025
        Type(d, "ComboBoxPr", "Престольный праздник");
        EXPECT_EQ(Text(d, "LabelNewPr"), "Новый праздник: на 49-й день после Пасхи");
        Click(d, "BitBtnNewPr");
        EXPECT_EQ(Row(d, "ListView2", 0),
                  (QStringList{"08.06.2025", "Престольный праздник", "99", "переходящий", "православный", "49"}));

        auto* period = Find<QComboBox>(d, "ComboBoxSobDl");
        period->setCurrentIndex(period->findText("Ежедневно"));
        Find<QLineEdit>(d, "DateTimePickerSobVr")->setText("21:00");
        Type(d, "ComboBoxSob", "Вечернее правило");
        EXPECT_EQ(Text(d, "LabelNewSob"), "Новое событие: Ежедневно в 21:00");
        Click(d, "BitBtnNewSob");
        EXPECT_EQ(Row(d, "ListViewSob", 0), (QStringList{"Ежедневно", "21:00", "01.03.2025", "Вечернее правило", "0"}));
        EXPECT_TRUE(asker.told.isEmpty()) << asker.told.join('\n').toStdString();
        written = ReadBytes(memoPath());
    }
    ASSERT_FALSE(written.isEmpty());
    Open again = open();
    QWidget* d = again.dialog.get();
    EXPECT_EQ(Text(d, "LabelVsegoYub"), "Всего: 1");
    EXPECT_EQ(Text(d, "LabelVsegoPr"), "Всего: 1");
    EXPECT_EQ(Text(d, "LabelVsegoSob"), "Всего: 1");
    EXPECT_EQ(Row(d, "ListView1", 0)[1], "Именины Анны");
    ASSERT_TRUE(again.book->save().ok());
    EXPECT_EQ(ReadBytes(memoPath()), written);
}

TEST_F(PamjatkaTest, TypingAsAPersonDoes)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    d->show();
    QApplication::setActiveWindow(d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    Find<QTabWidget>(d, "PageControl1")->setCurrentIndex(2);
    // A time typed over the selected one, a name typed, and one click.
    auto* time = Find<QLineEdit>(d, "DateTimePickerSobVr");
    time->setFocus();
    time->selectAll();
    QTest::keyClicks(time, "18:00");
    auto* name = Find<QComboBox>(d, "ComboBoxSob");
    name->setFocus();
    QTest::keyClicks(name->lineEdit(), "Vecher");
    auto* add = Find<QPushButton>(d, "BitBtnNewSob");
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(Find<QTreeWidget>(d, "ListViewSob")->topLevelItemCount(), 1);
    EXPECT_EQ(Row(d, "ListViewSob", 0).value(1), "18:00");
    // "7:5" is not a time: nothing is added and the user is told how to write one.
    time->setFocus();
    time->selectAll();
    QTest::keyClicks(time, "7:");
    name->setEditText("Утро");
    add->click();
    EXPECT_EQ(Find<QTreeWidget>(d, "ListViewSob")->topLevelItemCount(), 1);
    EXPECT_TRUE(asker.told.join(' ').contains("чч:мм")) << asker.told.join('\n').toStdString();

    // The name fields have their labels, and no caption is cut.
    for (const char* box : {"ComboBoxYub", "ComboBoxPr", "ComboBoxSob"}) {
        bool labelled = false;
        for (const QLabel* label : d->findChildren<QLabel*>())
            labelled = labelled || label->buddy() == Find<QComboBox>(d, box);
        EXPECT_TRUE(labelled) << box;
    }
    Find<QTabWidget>(d, "PageControl1")->setCurrentIndex(1);
    QApplication::processEvents();
    for (const char* radio : {"RadioPrChurch", "RadioPrCivil", "RadioPrOther"})
        EXPECT_GE(Find<QRadioButton>(d, radio)->width(), Find<QRadioButton>(d, radio)->sizeHint().width()) << radio;
}

TEST_F(PamjatkaTest, EditingKeepsTheRowUntilAddedAndClosingPutsItBack)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    for (const char* name : {"Первый", "Второй"}) {
        Type(d, "ComboBoxYub", name);
        Click(d, "BitBtnNew");
    }
    const QByteArray before = ReadBytes(memoPath());
    Select(d, "ListView1", {1});
    Click(d, "BitBtnEdit");
    EXPECT_EQ(Find<QTreeWidget>(d, "ListView1")->topLevelItemCount(), 2);
    EXPECT_TRUE(Find<QTreeWidget>(d, "ListView1")->topLevelItem(1)->font(0).italic());
    EXPECT_EQ(Find<QComboBox>(d, "ComboBoxYub")->currentText(), "Первый");

    o.dialog->reject();
    EXPECT_FALSE(o.book->editedRow(MemoList::Jubilees).has_value());
    EXPECT_FALSE(Find<QTreeWidget>(d, "ListView1")->topLevelItem(1)->font(0).italic());
    EXPECT_EQ(ReadBytes(memoPath()), before);

    Select(d, "ListView1", {1});
    Click(d, "BitBtnEdit");
    Type(d, "ComboBoxYub", "Первый, исправленный");
    Click(d, "BitBtnNew");
    EXPECT_EQ(Find<QTreeWidget>(d, "ListView1")->topLevelItemCount(), 2);
    EXPECT_EQ(Row(d, "ListView1", 0)[1], "Первый, исправленный");
    EXPECT_EQ(Row(d, "ListView1", 1)[1], "Второй");
}

TEST_F(PamjatkaTest, DeletingAsksFirst)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    Find<QRadioButton>(d, "RadioPrOther")->setChecked(true);
    for (const char* name : {"А", "Б", "В"}) {
        Type(d, "ComboBoxPr", name);
        Click(d, "BitBtnNewPr");
    }
    EXPECT_EQ(Text(d, "LabelVsegoPr"), "Всего: 3");

    asker.answers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes};
    Select(d, "ListView2", {0, 2});
    Click(d, "BitBtnDelPr");
    EXPECT_EQ(asker.questions.last(), "Удалить выделенные праздники?");
    EXPECT_EQ(Text(d, "LabelVsegoPr"), "Всего: 3");
    EXPECT_TRUE(Find<QTreeWidget>(d, "ListView2")->selectedItems().isEmpty());

    Select(d, "ListView2", {0, 2});
    Click(d, "BitBtnDelPr");
    EXPECT_EQ(Text(d, "LabelVsegoPr"), "Всего: 1");
    EXPECT_EQ(Row(d, "ListView2", 0)[1], "Б");
    EXPECT_FALSE(Find<QPushButton>(d, "BitBtnDelPr")->isEnabled());

    Select(d, "ListView2", {0});
    Click(d, "BitBtnDelPr");
    EXPECT_EQ(asker.questions.last(), "Удалить выделенный праздник?");
    EXPECT_EQ(Text(d, "LabelVsegoPr"), "");
    EXPECT_FALSE(DecodeCp1251(ReadBytes(memoPath())).contains("Праздник:"));
}

TEST_F(PamjatkaTest, ANameTheFileCannotHoldIsRefusedWithAMessage)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    Type(d, "ComboBoxSob", "Ἰωάννης");
    Click(d, "BitBtnNewSob");
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains("Ἰ"));
    EXPECT_EQ(Find<QTreeWidget>(d, "ListViewSob")->topLevelItemCount(), 0);
    EXPECT_FALSE(QFile::exists(memoPath()));
}

TEST_F(PamjatkaTest, SwitchingAnEventWritesAtOnceAndGreysIt)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    Type(d, "ComboBoxSob", "Звонок");
    Click(d, "BitBtnNewSob");
    QTreeWidgetItem* item = Find<QTreeWidget>(d, "ListViewSob")->topLevelItem(0);
    ASSERT_NE(item, nullptr);
    item->setCheckState(0, Qt::Unchecked);
    EXPECT_TRUE(DecodeCp1251(ReadBytes(memoPath())).contains("Действие:     false"));
    item = Find<QTreeWidget>(d, "ListViewSob")->topLevelItem(0);
    EXPECT_EQ(item->foreground(0).color(), QColor(128, 128, 128));
}

TEST_F(PamjatkaTest, ImportRefusesAForeignFileAndAsksWhenListsHaveRows)
{
    Open o = open();
    QWidget* d = o.dialog.get();
    Type(d, "ComboBoxYub", "Свой");
    Click(d, "BitBtnNew");
    const QByteArray before = ReadBytes(memoPath());

    const QString foreign = root.filePath("чужой.txt");
    ASSERT_TRUE(WriteBytes(foreign, *EncodeCp1251(u"Дата:         01.05.1980\r\nЮбилей:       Чужой\r\n")));
    asker.files = {foreign};
    Click(d, "BitBtnOpen");
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told[0].contains("Данные программы"));
    EXPECT_EQ(ReadBytes(memoPath()), before);

    const QString exported = root.filePath("копия.txt");
    asker.files = {exported};
    Click(d, "BitBtnSave");
    ASSERT_TRUE(QFile::exists(exported));

    asker.files = {exported};
    asker.choices = std::nullopt;  // "Отмена"
    Click(d, "BitBtnOpen");
    ASSERT_TRUE(asker.kinds_asked.has_value());
    EXPECT_TRUE(asker.kinds_asked->jubilees);
    EXPECT_FALSE(asker.kinds_asked->feasts);
    EXPECT_EQ(Text(d, "LabelVsegoYub"), "Всего: 1");

    asker.files = {exported};
    asker.choices = ImportChoices{};  // "Добавить"
    Click(d, "BitBtnOpen");
    EXPECT_EQ(Text(d, "LabelVsegoYub"), "Всего: 2");
}

TEST_F(PamjatkaTest, TheSettingsTab)
{
    // A companion program beside the program makes "При входе в систему" write its entry.
    const QString events = root.filePath("Events");
    ASSERT_TRUE(WriteBytes(events, "#!/bin/sh\n"));
    ASSERT_TRUE(QFile::setPermissions(events, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    Open o = open();
    QWidget* d = o.dialog.get();
    auto* feasts = Find<QCheckBox>(d, "CheckBoxZerPrasd");
    auto* kinds = Find<QListWidget>(d, "CheckListBoxPamSee");
    EXPECT_TRUE(feasts->isChecked());
    for (int i = 0; i < kinds->count(); ++i)
        kinds->item(i)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(feasts->isChecked()) << "no kind left: no feast messages";
    feasts->setChecked(true);
    for (int i = 0; i < kinds->count(); ++i)
        EXPECT_EQ(kinds->item(i)->checkState(), Qt::Checked);

    auto* jubilees = Find<QCheckBox>(d, "CheckBoxPredSob");
    jubilees->setChecked(false);
    Find<QSpinBox>(d, "SpinEditSob")->setValue(12);
    EXPECT_TRUE(jubilees->isChecked());
    Find<QCheckBox>(d, "CheckBoxWin")->setChecked(true);
    kinds->item(1)->setCheckState(Qt::Unchecked);

    o.dialog->PamSave(false);
    const SobSettings saved = ReadSobSettings(ReadIniFile(root.filePath("sob.ini")).file);
    EXPECT_TRUE(saved.with_system);
    EXPECT_EQ(saved.jubilee_days, 12);
    EXPECT_FALSE(saved.civil);
    EXPECT_TRUE(saved.once_a_day);
    const QString entry = QString::fromUtf8(ReadBytes(root.filePath("autostart/indikt-pamjatka.desktop")));
    EXPECT_TRUE(entry.contains("\"jp\"")) << entry.toStdString();

    o.dialog->PamSave(true);  // for "Сообщить": the messages are shown again today
    EXPECT_FALSE(ReadSobSettings(ReadIniFile(root.filePath("sob.ini")).file).once_a_day);

    Find<QCheckBox>(d, "CheckBoxWin")->setChecked(false);
    o.dialog->PamSave(false);
    EXPECT_FALSE(QFile::exists(root.filePath("autostart/indikt-pamjatka.desktop")));

    // A failed store is said, not swallowed.
    QStringList notices;
    QObject::connect(o.dialog.get(), &TPamjatka::notice, [&](const QString& text) { notices << text; });
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.isSet());
        o.dialog->PamSave(false);
    }
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("Настройки сообщений не сохранены")) << notices[0].toStdString();
}

class MainWindowMemo : public ::testing::Test {
protected:
    std::unique_ptr<TForm1> openWindow()
    {
        const QDateTime* clock = &moment;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "", "", StartMode::Saved,
                                  false};
        auto window = std::make_unique<TForm1>(context, ZkSettings::Load(root.filePath("zk.ini"), D(2025, 1, 7)));
        window->setAsker(&asker);
        return window;
    }
    QTemporaryDir root;
    QDateTime moment = QDateTime(QDate(2025, 1, 7), QTime(10, 0));
    ScriptedAsker asker;
};

TEST_F(MainWindowMemo, TheDialogFromTheCalendarAndTheFeastsUnderIt)
{
    ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"),
                           *EncodeCp1251(u"Данные программы Индикт\r\n"
                                         u"Число лет:    да\r\nДата:         07.01.2000\r\nЮбилей:       Сын\r\n"
                                         u"Статус:       православный\r\nПразднование: 25.12.2024\r\n"
                                         u"Праздник:     Рождество\r\n"
                                         u"Действие:     true\r\nПериод:       Ежедневно\r\nВремя:        18:00\r\n"
                                         u"Дата события: 07.01.2025\r\nИмя события:  Вечерня\r\n")));
    auto window = openWindow();
    EXPECT_EQ(window->todayEventTimes(), std::vector<int>{18 * 60});
    auto* under = window->findChild<QTextEdit*>("RichEditJubPr");
    ASSERT_NE(under, nullptr);
    EXPECT_FALSE(under->isHidden());
    EXPECT_EQ(under->toPlainText(), "Рождество\nСын (25 лет)");
    EXPECT_EQ(under->toolTip(), "Юбилеи и праздники на текущий день");

    auto* add_feast = window->findChild<QAction*>("ActionNewPr");
    ASSERT_NE(add_feast, nullptr);
    add_feast->trigger();
    TPamjatka* dialog = window->pamjatka();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QTabWidget*>("PageControl1")->currentIndex(), TPamjatka::kTabFeasts);
    EXPECT_EQ(dialog->findChild<QDateEdit*>("DateTimePicker1")->date(), QDate(2025, 1, 7));

    dialog->findChild<QRadioButton*>("RadioPrCivil")->setChecked(true);
    dialog->findChild<QComboBox*>("ComboBoxPr")->setEditText("Каникулы");
    dialog->findChild<QPushButton*>("BitBtnNewPr")->click();
    dialog->findChild<QCheckBox*>("CheckBoxSob")->setChecked(false);
    dialog->accept();
    EXPECT_FALSE(window->settings().flag(kSectionVid, "PerSoob"));
    EXPECT_EQ(under->toPlainText(), "Рождество\nКаникулы\nСын (25 лет)");

    auto* memo = window->findChild<QAction*>("ActionSob");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->shortcut(), QKeySequence("Ctrl+U"));
}

TEST_F(MainWindowMemo, ADamagedFileIsReportedInTheStatusBar)
{
    ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"),
                           *EncodeCp1251(u"Данные программы Индикт\r\nкаракули\r\nДата:         07.01.2000\r\n")));
    auto window = openWindow();
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("Памятка.txt.bad"))
        << window->statusBar()->currentMessage().toStdString();
}

}  // namespace
}  // namespace indikt
