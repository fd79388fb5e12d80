// "Домашнее правило" with real widgets in the main window: a plan set up on
// its tab, its portion on the first tab and on the lectionary page, marked
// read through a followed link or an opened text, and found again in zk.ini
// after a restart.

#include "app/dialogs/dom_pravilo_form.h"
#include "app/panes/html_pane.h"
#include "app/panes/text_viewer.h"
#include "app/window/main_window.h"
#include "records/dom_pravilo_settings.h"

#include "texts/cp1251.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace indikt {
namespace {

class TellingAsker : public Asker {
public:
    QStringList told;
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Cancel;
    }
    void tell(QWidget*, const QString&, const QString& text) override { told << text; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

struct RuleWindow {
    QTemporaryDir root;
    QDateTime now = QDateTime(QDate(2025, 6, 2), QTime(10, 0));  // a Monday
    TellingAsker asker;

    RuleWindow()
    {
        // The Synodal Gospel of Matthew and the Psalter's first kathismata.
        write("Библия/b_snd/b_snd51.html", "<html><body><h2><a name=\"g1\"></a>Глава 1</h2>"
                                           "<h2><a name=\"g2\"></a>Глава 2</h2></body></html>");
        write("Библия/psalm/ps_snd/psalm01.html", "<html><body><p>Кафизма первая</p></body></html>");
        QDir().mkpath(root.path() + "/Богослужение/Апостол");
    }
    void write(const QString& relative, const QString& text) const
    {
        const QString path = root.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, *EncodeCp1251(text)));
    }
    QString zkPath() const { return root.path() + "/zk.ini"; }
    Date today() const { return FromCivil(now.date().year(), now.date().month(), now.date().day()); }

    std::unique_ptr<TForm1> open()
    {
        const QDateTime* clock = &now;
        MainWindowContext context{root.path(), root.path(), [clock] { return *clock; }, "", "", StartMode::Saved, false};
        auto window = std::make_unique<TForm1>(context, ZkSettings::Load(zkPath(), today()));
        window->setAsker(&asker);
        window->setExternalOpener([](const QUrl&) { return true; });
        return window;
    }
};

template <typename Widget>
Widget* Find(const QObject* parent, const QString& name)
{
    auto* widget = parent->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

TDomPraviloForm* Form(const TForm1& window) { return Find<TDomPraviloForm>(&window, "DomPraviloForm"); }

QString Text(const QObject* parent, const char* label) { return Find<QLabel>(parent, label)->text(); }

// The first link of a pane, clicked as a person clicks it.
void ClickFirstLink(HtmlPane* pane)
{
    QTextCursor cursor(pane->document());
    while (!cursor.atEnd() && !cursor.charFormat().isAnchor())
        cursor.movePosition(QTextCursor::NextCharacter);
    cursor.movePosition(QTextCursor::NextCharacter);
    ASSERT_TRUE(cursor.charFormat().isAnchor()) << pane->toHtml().toStdString();
    const QPoint at = pane->cursorRect(cursor).center() - QPoint(2, 0);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
}

void ShowTab(TDomPraviloForm* form, const char* tab)
{
    auto* pages = Find<QTabWidget>(form, "PageControlPravilo");
    pages->setCurrentWidget(Find<QWidget>(form, tab));
}

TEST(DomPraviloWindow, APlanSetUpReadThroughTheLectionaryAndFoundAfterARestart)
{
    RuleWindow f;
    {
        auto window = f.open();
        window->resize(1000, 650);
        window->show();
        window->commands()["ActionDomPravilo"]->trigger();
        TDomPraviloForm* form = Form(*window);
        ASSERT_TRUE(form->isVisible());
        EXPECT_EQ(form->windowTitle(), "Домашнее правило");
        EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_FALSE(form->isModal());
        EXPECT_EQ(Text(form, "LabelDatePravilo"), "Пн 2 июн 2025 г. ");
        EXPECT_FALSE(Find<QWidget>(form, "PanelEvNSav")->isVisible()) << "no plan is on yet";

        // The Gospel tab: on, the Synodal version, paging after reading.
        ShowTab(form, "TabSheetEvNSav");
        EXPECT_FALSE(Find<QSpinBox>(form, "SpinEditPlusEvNSav")->isEnabled());
        Find<QCheckBox>(form, "CheckBoxEvNSav")->click();
        EXPECT_TRUE(Find<QSpinBox>(form, "SpinEditPlusEvNSav")->isEnabled());
        EXPECT_EQ(Find<QDateEdit>(form, "DateTimePickerEvNSav")->date(), QDate(2025, 6, 2));
        Find<QComboBox>(form, "ComboBoxVersEvNSav")->setCurrentIndex(2);
        Find<QRadioButton>(form, "RBRuzcnListEvNSav")->click();
        EXPECT_FALSE(Find<QListWidget>(form, "CheckListBoxIsklEvNSav")->isEnabled());
        EXPECT_EQ(Text(form, "LabelItogoEvNSav"),
                  "Читаем Евангелие 1 раз с 2 июн 2025 г.;  читаем 1 главу в день; в Синодальном переводе; "
                  "листать после перехода по ссылкам на Св. Писание.");

        // Back on the first tab: today's portion, unread; the main window's icon shows.
        ShowTab(form, "TabSheetPravilo");
        EXPECT_TRUE(Find<QWidget>(form, "PanelEvNSav")->isVisible());
        EXPECT_EQ(Text(form, "LabelEvNSav"), "Мф, глава 1.");
        EXPECT_EQ(Find<QLabel>(form, "LabelEvNSav")->toolTip(), "Евангелие от Матфея, глава 1");
        EXPECT_FALSE(Find<QLabel>(form, "LabelProchitanoEvNSav")->isVisible());
        EXPECT_TRUE(Find<QToolButton>(window.get(), "ImagePravilo")->isVisible());

        // Esc closes the window.
        QTest::keyClick(form, Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible());

        // The lectionary in Russian: the rule's section links to the Synodal chapter.
        window->commands()["ActionRusBeibl"]->trigger();
        window->showPane(DayPane::Lectionary);
        auto* lectionary = static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary));
        const QString page = lectionary->toPlainText();
        EXPECT_NE(page.indexOf("Домашнее правило"), -1) << page.toStdString();
        EXPECT_NE(page.indexOf("Мф, глава 1."), -1);
        ClickFirstLink(lectionary);
        EXPECT_EQ(window->viewerCaption(), "Библия");
        EXPECT_NE(window->viewer()->browser()->toPlainText().indexOf("Глава 1"), -1);

        // The followed link marked the plan read.
        EXPECT_FALSE(Find<QToolButton>(window.get(), "ImagePravilo")->isVisible());
        window->commands()["ActionDomPravilo"]->trigger();
        EXPECT_EQ(Text(form, "LabelEvNSav"), "Мф, глава 1.");
        EXPECT_TRUE(Find<QLabel>(form, "LabelProchitanoEvNSav")->isVisible());
        EXPECT_TRUE(window->close());
    }
    // zk.ini holds the position.
    const ZkSettings stored = ZkSettings::Load(f.zkPath(), f.today());
    EXPECT_EQ(stored.number(kSectionPravilo, "PoslGlavEvNSav"), 1);
    EXPECT_FALSE(stored.flag(kSectionPravilo, "StopEvNSav"));
    EXPECT_EQ(stored.text(kSectionPravilo, "DateStopEvNSav"), "02.06.2025");
    EXPECT_EQ(stored.number(kSectionPravilo, "VersiyaEvNSav"), 2);
    EXPECT_FALSE(stored.flag(kSectionPravilo, "RBAutoListEvNSav"));

    // The next day the start-up step moves the plan on by one chapter, unread.
    f.now = f.now.addDays(1);
    auto window = f.open();
    window->InfoPraviloExecute();
    EXPECT_EQ(window->rulePortionTexts(), QStringList{"Евангелие: Мф, глава 2."});
    EXPECT_TRUE(Find<QToolButton>(window.get(), "ImagePravilo")->isVisibleTo(window.get()));
    window->ActionDomPraviloExecute();
    TDomPraviloForm* form = Form(*window);
    EXPECT_TRUE(Find<QCheckBox>(form, "CheckBoxEvNSav")->isChecked());
    EXPECT_EQ(Text(form, "LabelEvNSav"), "Мф, глава 2.");
    EXPECT_FALSE(Find<QLabel>(form, "LabelProchitanoEvNSav")->isVisible());
    // Opened from the window: read, and shown in the viewer at its chapter.
    Find<QPushButton>(form, "SpButSeeEvNSav")->click();
    EXPECT_TRUE(f.asker.told.isEmpty()) << f.asker.told.join('\n').toStdString();
    EXPECT_EQ(window->viewerCaption(), "Библия");
    EXPECT_TRUE(Find<QLabel>(form, "LabelProchitanoEvNSav")->isVisible());
    EXPECT_EQ(ReadPlanState(window->settings(), RulePlan::Gospel), (PlanState{2, false, f.today()}));
}

TEST(DomPraviloWindow, AMissingBibleFileIsNamedAndChangesNothing)
{
    RuleWindow f;
    auto window = f.open();
    window->ActionDomPraviloExecute();
    TDomPraviloForm* form = Form(*window);
    ShowTab(form, "TabSheetEvNSav");
    Find<QCheckBox>(form, "CheckBoxEvNSav")->click();  // Slavonic: not in this tree
    Find<QRadioButton>(form, "RBRuzcnListEvNSav")->click();
    ShowTab(form, "TabSheetPravilo");
    const PlanState before = ReadPlanState(window->settings(), RulePlan::Gospel);
    Find<QPushButton>(form, "SpButSeeEvNSav")->click();
    EXPECT_EQ(f.asker.told, QStringList{"Файл 'b_slv51.html' не найден.  "});
    EXPECT_EQ(ReadPlanState(window->settings(), RulePlan::Gospel), before);
    EXPECT_FALSE(Find<QLabel>(form, "LabelProchitanoEvNSav")->isVisible());
    EXPECT_TRUE(window->findChild<QDockWidget*>("PanelExplorer")->isHidden());

    // A followed link to a missing chapter marks nothing either.
    window->routeLink(LinkPane::Lectionary, QUrl("Библия\\b_slv\\b_slv51.html#g1"));
    EXPECT_EQ(ReadPlanState(window->settings(), RulePlan::Gospel), before);
}

// The panels follow each other from the top without gaps; the Psalter's
// portion opens in the viewer captioned "Псалтирь".
TEST(DomPraviloWindow, PanelsStackAndThePsalterOpens)
{
    RuleWindow f;
    auto window = f.open();
    window->ActionDomPraviloExecute();
    TDomPraviloForm* form = Form(*window);
    ShowTab(form, "TabSheetPsalm");
    Find<QCheckBox>(form, "CheckBoxPsalm")->click();
    Find<QComboBox>(form, "ComboBoxVersPsalm")->setCurrentIndex(2);
    Find<QSpinBox>(form, "SpinEditPlusPsalm")->setValue(2);
    EXPECT_EQ(Text(form, "LabelPlusPsalm"), "кафизмы в день");
    ShowTab(form, "TabSheetPravilo");
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>(form, "PanelPsalm")->y(), TDomPraviloForm::kPanelTop);
    EXPECT_EQ(Text(form, "LabelPsalm"), "Кафизмы с 1 (Пс 1-8) по 2 (Пс 9-16).");

    ShowTab(form, "TabSheetVSav");
    Find<QCheckBox>(form, "CheckBoxVSav")->click();
    ShowTab(form, "TabSheetPravilo");
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>(form, "PanelPsalm")->y(), TDomPraviloForm::kPanelTop);
    EXPECT_EQ(Find<QWidget>(form, "PanelVSav")->y(), TDomPraviloForm::kPanelTop + TDomPraviloForm::kPanelHeight);
    EXPECT_FALSE(Find<QWidget>(form, "PanelEvNSav")->isVisible());

    Find<QPushButton>(form, "SpButSeePsalm")->click();
    EXPECT_EQ(window->viewerCaption(), "Псалтирь");
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Кафизма первая");
}

TEST(DomPraviloWindow, TabControlsFollowTheirRules)
{
    RuleWindow f;
    auto window = f.open();
    window->ActionDomPraviloExecute();
    TDomPraviloForm* form = Form(*window);
    ShowTab(form, "TabSheetApNSav");
    Find<QCheckBox>(form, "CheckBoxApNSav")->click();

    // "Постоянно" disables the cycles and their labels.
    auto* cycles = Find<QSpinBox>(form, "SpinEditRasApNSav");
    cycles->setValue(3);
    EXPECT_EQ(Text(form, "LabelRasApNSav"), "раза");
    Find<QCheckBox>(form, "CheckBoxVsegdaApNSav")->click();
    EXPECT_FALSE(cycles->isEnabled());
    EXPECT_FALSE(Find<QLabel>(form, "LabelRasApNSav")->isEnabled());
    EXPECT_TRUE(Text(form, "LabelItogoApNSav").startsWith("Читаем Апостол с 2 июн 2025 г. постоянно; "));

    // Checking all seven days unchecks them all; "Снять весь выбор" clears the list.
    auto* days = Find<QListWidget>(form, "CheckListBoxIsklApNSav");
    ASSERT_TRUE(days->isEnabled());
    for (int day = 0; day < 7; ++day)
        days->item(day)->setCheckState(Qt::Checked);
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(days->item(day)->checkState(), Qt::Unchecked) << day;
    days->item(0)->setCheckState(Qt::Checked);
    days->item(6)->setCheckState(Qt::Checked);
    EXPECT_NE(Text(form, "LabelItogoApNSav").indexOf(", кроме Вс, Сб;"), -1);
    Find<QAction>(form, "ActionClearIsklApNSav")->trigger();
    EXPECT_EQ(days->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Text(form, "LabelItogoApNSav").indexOf("кроме"), -1);

    // Turned off: the plan rests and its controls are disabled.
    days->item(3)->setCheckState(Qt::Checked);
    Find<QSpinBox>(form, "SpinEditPlusApNSav")->setValue(4);
    Find<QCheckBox>(form, "CheckBoxApNSav")->click();
    EXPECT_FALSE(days->isEnabled());
    EXPECT_FALSE(Find<QSpinBox>(form, "SpinEditPlusApNSav")->isEnabled());
    EXPECT_EQ(Find<QSpinBox>(form, "SpinEditPlusApNSav")->value(), 1);
    EXPECT_EQ(days->item(3)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(Find<QCheckBox>(form, "CheckBoxVsegdaApNSav")->isChecked());
    const PlanState state = ReadPlanState(window->settings(), RulePlan::Apostle);
    EXPECT_EQ(state, (PlanState{0, false, f.today() - 1}));
}

// Previous/next of the main window, by tag; "Копировать все" with line breaks.
TEST(DomPraviloWindow, PreviousNextAndCopyAll)
{
    RuleWindow f;
    f.write("zk.ini", "[Pravilo]\r\nCheckBoxVSav=1\r\nDateVSav=02.06.2025\r\nCheckBoxEvNSav=1\r\nDateEvNSav=02.06.2025\r\n");
    auto window = f.open();
    window->ActionDomPraviloExecute();
    TDomPraviloForm* form = Form(*window);
    EXPECT_EQ(Text(form, "LabelVSav"), "Быт, глава 1.");

    window->commands()["ActionPrGlVSav"]->trigger();  // tag 8
    EXPECT_EQ(ReadPlanSettings(window->settings(), RulePlan::OldTestament).start_index, 950);
    EXPECT_EQ(Text(form, "LabelVSav"), "3 Езд, глава 16.");
    window->commands()["ActionSlGlVSav"]->trigger();  // tag 7
    window->commands()["ActionSlGlVSav"]->trigger();
    EXPECT_EQ(Text(form, "LabelVSav"), "Быт, глава 2.");
    window->commands()["ActionSlGlEvNSav"]->trigger();  // tag 1
    EXPECT_EQ(Text(form, "LabelEvNSav"), "Мф, глава 2.");

    window->commands()["ActionDomPrCopyAll"]->trigger();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), "Домашнее правило на Пн 2 июн 2025 г. \n\nЕвангелие: Мф, глава 2.\n"
                              "Ветхий Завет: Быт, глава 2.");
    EXPECT_FALSE(copied->html().contains('\r'));
    EXPECT_NE(copied->html().indexOf("<br>"), -1);

    // The panels' menus offer the plan's commands and "Копировать все".
    QStringList offered;
    for (const QAction* action : Find<QMenu>(form, "PopupMenuEvNSav")->actions())
        offered << action->objectName();
    EXPECT_EQ(offered, (QStringList{"ActionSlGlEvNSav", "ActionPrGlEvNSav", "", "ActionDomPrCopyAll"}));
}

// "PraviloSeeLec" off: the lectionary page has no rule; "IcoNeprPravilo" off: no icon.
TEST(DomPraviloWindow, TheSwitchesOfTheSettings)
{
    RuleWindow f;
    f.write("zk.ini", "[Vid]\r\nIcoNeprPravilo=0\r\nBeiblJasSlav=0\r\nBeiblJasRus=1\r\n"
                      "[Pravilo]\r\nPraviloSeeLec=0\r\nCheckBoxEvNSav=1\r\nRBAutoListEvNSav=0\r\n");
    auto window = f.open();
    window->InfoPraviloExecute();
    EXPECT_FALSE(Find<QToolButton>(window.get(), "ImagePravilo")->isVisibleTo(window.get()));
    window->showPane(DayPane::Lectionary);
    EXPECT_EQ(static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))->toPlainText().indexOf("Домашнее правило"),
              -1);
}

// Read today, the icon hides; past midnight the next portion waits and the
// icon shows again, whether the clock ticks or the window is activated.
TEST(DomPraviloWindow, TheIconReturnsWithTheNextDay)
{
    RuleWindow f;
    f.write("zk.ini", "[Pravilo]\r\nCheckBoxEvNSav=1\r\nDateEvNSav=02.06.2025\r\nRBAutoListEvNSav=0\r\nVersiyaEvNSav=2\r\n");
    f.now = QDateTime(QDate(2025, 6, 2), QTime(23, 59, 55));
    auto window = f.open();
    window->InfoPraviloExecute();
    auto* icon = Find<QToolButton>(window.get(), "ImagePravilo");
    EXPECT_TRUE(icon->isVisibleTo(window.get()));
    window->ActionDomPraviloExecute();
    Find<QPushButton>(Form(*window), "SpButSeeEvNSav")->click();
    EXPECT_FALSE(icon->isVisibleTo(window.get())) << "read today";

    window->onTimer1(f.now);
    f.now = QDateTime(QDate(2025, 6, 3), QTime(0, 0, 5));
    window->onTimer1(f.now);
    EXPECT_TRUE(icon->isVisibleTo(window.get())) << "tomorrow's chapter is unread";
    // Nothing was kept by the tick: the position moves when the rule is computed by its window.
    EXPECT_EQ(ReadPlanState(window->settings(), RulePlan::Gospel).position, 1);

    // Read it; the next day the activation of the main window brings the icon back.
    window->ActionDomPraviloExecute();
    EXPECT_EQ(Text(Form(*window), "LabelEvNSav"), "Мф, глава 2.");
    Find<QPushButton>(Form(*window), "SpButSeeEvNSav")->click();
    EXPECT_FALSE(icon->isVisibleTo(window.get()));
    f.now = QDateTime(QDate(2025, 6, 4), QTime(9, 0));
    window->FormActivate();
    EXPECT_TRUE(icon->isVisibleTo(window.get()));
}

}  // namespace
}  // namespace indikt
