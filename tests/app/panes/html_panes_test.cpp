// The HTML panes with real pages of a temporary data tree: what they read,
// how they look, and where a click on a link leads.

#include "app/panes/html_pane.h"
#include "app/panes/text_viewer.h"
#include "app/panes/tropar_pane.h"
#include "app/window/main_window.h"
#include "platform/translations.h"

#include "file_helpers.h"
#include "texts/cp1251.h"
#include "texts/html_pages.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

// A data root whose name holds a blank, Cyrillic letters and the characters
// a URL would misread.
struct Tree {
    QTemporaryDir base;
    QString root;

    Tree() : root(base.path() + "/Индикт 50% #1")
    {
        QDir().mkpath(root);
    }
    void write(const QString& relative, const QString& text, bool cp1251 = true) const
    {
        const QString path = root + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, cp1251 ? *EncodeCp1251(text) : text.toUtf8()));
    }
};

// What the scripted asker was told.
class RecordingAsker : public Asker {
public:
    QStringList told;
    QString file_to_open;
    std::optional<int> choice;
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Cancel;
    }
    void tell(QWidget*, const QString&, const QString& text) override { told << text; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return file_to_open; }
    std::optional<int> choose(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return choice;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

TEST(HtmlPane, ReadsTreePagesAndTheirStyleSheets)
{
    Tree tree;
    tree.write("Богослужение/_css/ms.css", "p.x { color: #00ff00; }");
    tree.write("Жития святых/01/янв01.txt", "<p>Память святителя Василия Великого</p>");
    tree.write("page_utf8.htm", "<html><head><meta charset=\"utf-8\"></head><body><p>Троица</p></body></html>", false);
    HtmlPane pane(tree.root);

    ASSERT_TRUE(pane.showFile("Жития святых\\01\\янв01.txt"));
    EXPECT_EQ(pane.toPlainText(), "Память святителя Василия Великого");
    ASSERT_TRUE(pane.showFile(tree.root + "/page_utf8.htm"));
    EXPECT_EQ(pane.toPlainText(), "Троица");
    EXPECT_FALSE(pane.showFile("../outside.htm"));
    EXPECT_FALSE(pane.showFile("missing.htm"));
    EXPECT_EQ(pane.toPlainText(), "Троица");  // a refused page leaves the pane as it was

    // The style sheet of the wrapper is found through the escaped root and its backslashes.
    pane.showPage(MenaionPage(tree.root, "<p class=\"x\">Зелёный</p>", true));
    QTextCursor cursor(pane.document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 0xff, 0)) << pane.toHtml().toStdString();
}

TEST(HtmlPane, NothingOutsideTheRootIsShownThroughALink)
{
    Tree tree;
    QTemporaryDir outside;
    ASSERT_TRUE(WriteBytes(outside.filePath("secret.htm"), "<p>тайна</p>"));
    ASSERT_TRUE(WriteBytes(outside.filePath("secret.css"), "p { color: #00ff00; }"));
    tree.write("Жития святых/Святцы/янв01.htm", "<p>Василий</p>");
    QDir().mkpath(tree.root + "/Жития святых/Святцы");
    ASSERT_TRUE(QFile::link(outside.filePath("secret.htm"), tree.root + "/Жития святых/Святцы/leak.htm"));
    ASSERT_TRUE(QFile::link(outside.path(), tree.root + "/Библия"));
    HtmlPane pane(tree.root);
    ASSERT_TRUE(pane.showFile("Жития святых/Святцы/янв01.htm"));
    EXPECT_FALSE(pane.showFile("Жития святых/Святцы/leak.htm"));
    EXPECT_FALSE(pane.showFile(tree.root + "/Библия/secret.htm"));
    EXPECT_EQ(pane.toPlainText(), "Василий");
    // Nor as a resource of a built page, nor through the history.
    EXPECT_FALSE(pane.loadResource(QTextDocument::StyleSheetResource, QUrl("Библия/secret.css")).isValid());
    pane.setSource(QUrl::fromLocalFile(tree.root + "/Жития святых/Святцы/leak.htm"));
    EXPECT_FALSE(pane.toPlainText().contains("тайна"));
}

TEST(HtmlPane, AHostilePageIsCutAndShown)
{
    // A day record of 64 KB of nested tags once froze the start for half a
    // minute; the page is shown up to the limits of layout, with the notice.
    Tree tree;
    tree.write("hostile.htm", "<html><body><p>Начало</p>" + QString("<b>").repeated(21'000) + "конец</body></html>");
    HtmlPane pane(tree.root);
    ASSERT_TRUE(pane.showFile("hostile.htm"));
    EXPECT_TRUE(pane.toPlainText().startsWith("Начало"));
    EXPECT_TRUE(pane.toPlainText().endsWith("[Страница слишком велика: показано её начало.]"));
    pane.showPage("<table><tr><td>" + QString("<table><tr><td>").repeated(30) + "x");
    EXPECT_TRUE(pane.toPlainText().contains("[Страница слишком велика: показано её начало.]"));
}

TEST(HtmlPane, ALinkIsUnderlinedUnderTheMouseAndQtSpeaksRussian)
{
    Tree tree;
    HtmlPane pane(tree.root);
    pane.resize(400, 200);
    pane.show();
    pane.setLinkColour(HtmlPane::LinkColour::Red);
    pane.showPage("<p>Память <a href=\"Жития святых/Святцы/янв01.htm\">свт. Василия</a> и других</p>");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    // The middle of the link text, found through the document's layout.
    QTextCursor cursor(pane.document());
    cursor.setPosition(QString("Память свт. Ва").size());
    const QPoint on_link = pane.cursorRect(cursor).center();
    QTest::mouseMove(pane.viewport(), on_link);
    ASSERT_EQ(pane.extraSelections().size(), 1);
    EXPECT_TRUE(pane.extraSelections()[0].format.fontUnderline());
    EXPECT_EQ(pane.extraSelections()[0].cursor.selectedText(), "свт. Василия");
    EXPECT_EQ(pane.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(pane.viewport(), QPoint(pane.viewport()->width() - 2, pane.viewport()->height() - 2));
    EXPECT_TRUE(pane.extraSelections().isEmpty());

    // Qt's own texts of the pane's menu in Russian.
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()));
    std::unique_ptr<QMenu> menu(pane.createStandardContextMenu());
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_TRUE(captions.join(' ').contains("Копировать")) << captions.join(" | ").toStdString();
}

// The size a heading is drawn at, by the text of its first block of that level.
qreal HeadingSize(const QTextDocument& document, int level)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == level)
            return block.begin().fragment().charFormat().font().pointSizeF();
    return -1;
}

TEST(HtmlPane, HeadingsKeepTheSizesOfTheirStyleSheet)
{
    Tree tree;
    tree.write("Богослужение/_css/ms.css", "h1 { font-size: 15pt; } h5 { font-size: 12pt; }");
    tree.write("page.htm", "<html><head><link href=\"Богослужение/_css/ms.css\" rel=\"stylesheet\" type=\"text/css\">"
                           "</head><body><h1>Праздник</h1><h5>Святые</h5></body></html>");
    tree.write("plain.htm", "<html><body><h1>Праздник</h1><h5>Святые</h5></body></html>");
    HtmlPane pane(tree.root);
    const qreal base = pane.document()->defaultFont().pointSizeF();

    pane.showPage(MenaionPage(tree.root, "<h1>Праздник</h1><h5>Святые</h5>", true));
    EXPECT_EQ(HeadingSize(*pane.document(), 1), 15);
    EXPECT_EQ(HeadingSize(*pane.document(), 5), 12);
    ASSERT_TRUE(pane.showFile("page.htm"));
    EXPECT_EQ(HeadingSize(*pane.document(), 1), 15);
    EXPECT_EQ(HeadingSize(*pane.document(), 5), 12);
    // A page that sets no sizes keeps the engine's own scale of headings.
    ASSERT_TRUE(pane.showFile("plain.htm"));
    EXPECT_GT(HeadingSize(*pane.document(), 1), base);
    EXPECT_LT(HeadingSize(*pane.document(), 5), base);
}

// The height of the first line of a heading as the pane lays it out.
qreal HeadingLineHeight(const QTextDocument& document, int level)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == level && block.layout() && block.layout()->lineCount() > 0)
            return block.layout()->lineAt(0).height();
    return -1;
}

// The page is laid out once, after the heading pass: what the pane draws has
// the sizes of the style sheet, the first page as the next.
TEST(HtmlPane, HeadingsAreLaidOutAtTheSizesOfTheirStyleSheet)
{
    Tree tree;
    tree.write("Богослужение/_css/ms.css", "h5 { font-size: 12pt; }");
    QString long_page = "<h5>Святые</h5>";
    for (int i = 0; i < 100; ++i)
        long_page += "<p>Строка " + QString::number(i) + "</p>";
    HtmlPane pane(tree.root);
    pane.resize(400, 300);
    pane.show();
    QFont twelve = pane.document()->defaultFont();
    twelve.setPointSizeF(12);
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        pane.showPage(MenaionPage(tree.root, long_page, true));
        EXPECT_GE(HeadingLineHeight(*pane.document(), 5), QFontMetricsF(twelve).height() - 0.5);
        EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    }
}

// A page opened at an anchor is shown there, the page laid out first.
TEST(HtmlPane, APageOpenedAtAnAnchorShowsIt)
{
    Tree tree;
    QString page = "<html><body>";
    for (int i = 0; i < 200; ++i)
        page += "<p><a name=\"g" + QString::number(i) + "\"></a>Стих " + QString::number(i) + "</p>";
    tree.write("Библия/b_slv/b_slv52.html", page + "</body></html>");
    HtmlPane pane(tree.root);
    pane.resize(400, 300);
    pane.show();
    QUrl address = QUrl::fromLocalFile(tree.root + "/Библия/b_slv/b_slv52.html");
    address.setFragment("g150");
    pane.setSource(address);
    ASSERT_TRUE(pane.toPlainText().contains("Стих 150"));
    const QRect shown = pane.viewport()->rect();
    QTextCursor cursor = pane.document()->find("Стих 150");
    ASSERT_FALSE(cursor.isNull());
    EXPECT_TRUE(shown.contains(pane.cursorRect(cursor).center())) << pane.verticalScrollBar()->value();
}

TEST(HtmlPane, LinkColoursAndTheScrollBar)
{
    Tree tree;
    HtmlPane pane(tree.root);
    pane.resize(400, 300);
    pane.show();
    pane.setLinkColour(HtmlPane::LinkColour::Red);
    pane.showPage("<p><a href=\"x.htm\">ссылка</a></p>");
    QTextCursor cursor(pane.document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0xff, 0, 0));
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    QString long_page;
    for (int i = 0; i < 200; ++i)
        long_page += "<p>Строка " + QString::number(i) + "</p>";
    pane.showPage(long_page);
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

struct WindowFixture {
    Tree tree;
    RecordingAsker asker;
    QList<QUrl> opened;
    std::vector<ReadingMark> marks;

    std::unique_ptr<TForm1> open(const char* zk = "")
    {
        if (*zk) {
            EXPECT_TRUE(WriteBytes(tree.root + "/zk.ini", *EncodeCp1251(QString::fromUtf8(zk))));
        }
        const QDateTime now(QDate(2025, 4, 20), QTime(10, 0));
        MainWindowContext context{tree.root, tree.root, [now] { return now; }, "", "", StartMode::Saved, false};
        auto window = std::make_unique<TForm1>(context, ZkSettings::Load(tree.root + "/zk.ini", D(2025, 4, 20)));
        window->setAsker(&asker);
        window->setExternalOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        window->setReadingMarkHook([this](ReadingMark mark) { marks.push_back(mark); });
        return window;
    }
};

class FixedBuilder : public DayTextBuilder {
public:
    explicit FixedBuilder(QString html) : html_(std::move(html)) {}
    PaneText build(const DayRequest&) override
    {
        PaneText text;
        text.html = html_;
        return text;
    }

private:
    QString html_;
};

// Clicks the first link of a pane as a person would.
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

TEST(LinkRouting, AMenaionLinkOpensTheLifeInTheViewer)
{
    WindowFixture f;
    f.tree.write("Жития святых/04/апр07.htm", "<p>Житие праведного</p>");
    auto window = f.open();
    window->resize(1000, 600);
    window->show();
    window->setTextBuilder(DayPane::Menaion,
                           std::make_unique<FixedBuilder>("<p><a href=\"Жития%20святых\\04\\апр07.htm\">Житие</a></p>"));
    window->ActionRefrechExecute();
    auto* menaion = static_cast<HtmlPane*>(window->paneView(DayPane::Menaion));
    EXPECT_NE(menaion->toPlainText().indexOf("Житие"), -1);
    ClickFirstLink(menaion);
    EXPECT_TRUE(window->findChild<QDockWidget*>("PanelExplorer")->isVisible());
    EXPECT_EQ(window->viewerCaption(), "Жития святых");
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Житие праведного");
    EXPECT_NE(menaion->toPlainText().indexOf("Житие"), -1);  // the pane itself did not move
    EXPECT_TRUE(f.opened.isEmpty());
}

TEST(LinkRouting, WhereLinksGoByTipExplorer)
{
    struct Case { const char* zk; const char* href; int viewer_windows; int opened; const char* viewer_text; };
    const Case cases[] = {
        {"", "http://example.org/", 0, 1, ""},
        {"", "www.example.org", 0, 1, ""},
        {"[Vid]\r\nTipExplorer=1\r\n", "page.htm", 1, 0, ""},
        {"[Vid]\r\nTipExplorer=2\r\n", "page.htm", 0, 1, ""},
        {"", "page.htm", 0, 0, "Страница"},
        {"", "..\\..\\..\\etc\\passwd", 0, 0, ""},
        // A recording of the media list goes to the desktop's player, not into the viewer as text.
        {"", "Богослужение\\Медиа\\Звук\\запись.mp3", 0, 1, ""},
        {"[Vid]\r\nTipExplorer=1\r\n", "Богослужение\\Медиа\\Видео\\запись.mp4", 0, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.href);
        WindowFixture f;
        f.tree.write("page.htm", "<p>Страница</p>");
        f.tree.write("Богослужение/Медиа/Звук/запись.mp3", "ID3");
        f.tree.write("Богослужение/Медиа/Видео/запись.mp4", "ftyp");
        auto window = f.open(c.zk);
        window->showPane(DayPane::Lives);
        emit static_cast<HtmlPane*>(window->paneView(DayPane::Lives))->anchorClicked(QUrl(QString::fromUtf8(c.href)));
        EXPECT_EQ(window->findChildren<QWidget*>("ViewerWindow").size(), c.viewer_windows);
        EXPECT_EQ(f.opened.size(), c.opened);
        EXPECT_EQ(window->viewer()->browser()->toPlainText(), QString::fromUtf8(c.viewer_text));
    }
}

TEST(LinkRouting, ARecordingLinkedFromAViewerPageGoesToThePlayer)
{
    WindowFixture f;
    f.tree.write("Богослужение/Медиа/Звук/звук.htm", "<p><a href=\"запись.ogg\">Запись</a></p>");
    f.tree.write("Богослужение/Медиа/Звук/запись.ogg", "OggS");
    auto window = f.open();
    window->resize(1000, 600);
    window->show();
    ASSERT_TRUE(window->viewer()->open(QUrl::fromLocalFile(f.tree.root + "/Богослужение/Медиа/Звук/звук.htm")));
    window->findChild<QDockWidget*>("PanelExplorer")->show();
    ClickFirstLink(window->viewer()->browser());
    ASSERT_EQ(f.opened.size(), 1);
    EXPECT_EQ(f.opened[0].toLocalFile(), f.tree.root + "/Богослужение/Медиа/Звук/запись.ogg");
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Запись");  // the page stays
}

TEST(LinkRouting, ALectionaryBibleLinkMarksTheGospelAsRead)
{
    WindowFixture f;
    f.tree.write("Библия/b_slv/b_slv52.html", "<p><a name=\"g5\"></a>Глава 5</p>");
    auto window = f.open();
    window->showPane(DayPane::Lectionary);
    emit static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))
        ->anchorClicked(QUrl("Библия\\b_slv\\b_slv52.html#g5"));
    ASSERT_EQ(f.marks.size(), 1u);
    EXPECT_EQ(f.marks[0], ReadingMark::Gospel);
    EXPECT_EQ(window->viewerCaption(), "Библия");
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Глава 5");
}

TEST(LinkRouting, AHiddenPaneIsNotLoaded)
{
    WindowFixture f;
    auto window = f.open();
    window->showPane(DayPane::Troparia);
    window->TextToMesWebBrowser("<p>Текст дня</p>", true);
    window->TextToWebBrowser("<p>Чтения дня</p>");
    EXPECT_FALSE(static_cast<HtmlPane*>(window->paneView(DayPane::Menaion))->toPlainText().contains("Текст дня"));
    EXPECT_TRUE(static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))->toPlainText().isEmpty());
    window->showPane(DayPane::Lectionary);
    window->TextToWebBrowser("<p>Чтения дня</p>");
    EXPECT_EQ(static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))->toPlainText().trimmed(), "Чтения дня");
}

TEST(Viewer, LibraryCommandsZoomAndHistory)
{
    WindowFixture f;
    f.tree.write("Жития святых/Святцы/svyatcy.htm", "<p><a href=\"svyat_m.htm\">Мужские имена</a></p>");
    f.tree.write("Жития святых/Святцы/svyat_m.htm", "<p>Имена</p>");
    auto window = f.open("[Vid]\r\nExplorerZoom=300\r\n");
    window->resize(1000, 600);
    window->show();
    EXPECT_EQ(window->viewer()->zoom(), 100);
    EXPECT_EQ(window->viewer()->findChild<QSpinBox*>("UpDownZoom")->value(), 100);

    window->findChild<QAction*>("ActionOpenSv")->trigger();
    EXPECT_EQ(window->viewerCaption(), "Жития святых");
    EXPECT_TRUE(window->viewer()->browser()->toPlainText().contains("Мужские имена"));
    // A link inside the viewer is followed there, and back returns.
    ClickFirstLink(window->viewer()->browser());
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Имена");
    window->viewer()->goBack();
    EXPECT_TRUE(window->viewer()->browser()->toPlainText().contains("Мужские имена"));

    window->findChild<QAction*>("ActionOpenURLPsalm")->trigger();
    ASSERT_EQ(f.asker.told.size(), 1);
    EXPECT_EQ(f.asker.told[0], "Файл 'index.html' не найден.  ");

    // Outside libraries wait for their host.
    EXPECT_FALSE(window->findChild<QAction*>("ActionOpenKovchegText3")->isEnabled());

    window->viewer()->setZoom(150);
    EXPECT_EQ(window->viewer()->findChild<QLabel*>("LabelZoom")->text(), "150 %");
    EXPECT_TRUE(window->viewer()->findNext("Мужские"));
    ASSERT_TRUE(window->SaveAll().ok());
    EXPECT_EQ(ZkSettings::Load(f.tree.root + "/zk.ini", D(2025, 4, 20)).number(kSectionVid, "ExplorerZoom"), 150);
}

TEST(Viewer, ItsOwnKeysWinWhileItHasTheFocus)
{
    WindowFixture f;
    f.tree.write("Жития святых/Святцы/svyatcy.htm", "<p>Святцы</p>");
    auto window = f.open("");
    window->resize(1000, 600);
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QAction*>("ActionOpenSv")->trigger();
    QWidget* browser = window->viewer()->browser();
    auto* find = window->viewer()->findChild<QLineEdit*>("EditFindExplorer");
    ASSERT_NE(find, nullptr);
    int calendar_moves = 0, refreshes = 0;
    QObject::connect(window->findChild<QAction*>("ActionKnVKalendare"), &QAction::triggered, [&] { ++calendar_moves; });
    QObject::connect(window->findChild<QAction*>("ActionRefrech"), &QAction::triggered, [&] { ++refreshes; });

    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(calendar_moves, 0);
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    QTest::keyClick(browser, Qt::Key_F5);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(window->viewer()->browser()->toPlainText(), "Святцы");
    // Outside the viewer the keys are the window's again.
    window->paneView(DayPane::Menaion)->setFocus();
    QTest::keyClick(window->paneView(DayPane::Menaion), Qt::Key_F5);
    EXPECT_EQ(refreshes, 1);
}

TEST(About, NameVersionTreeDateAndLicence)
{
    WindowFixture f;
    f.tree.write("version.txt", "2026-12-09\r\n");
    auto window = f.open("");
    window->findChild<QAction*>("Action2")->trigger();
    ASSERT_EQ(f.asker.told.size(), 1);
    const QString text = f.asker.told[0];
    EXPECT_TRUE(text.contains("Индикт"));
    EXPECT_TRUE(text.contains("Версия " INDIKT_VERSION));
    EXPECT_TRUE(text.contains("2026-12-09"));
    EXPECT_TRUE(text.contains("GNU General Public License"));
}

TEST(BibleImport, TheMenuCommandWritesTheChaptersTheReadingsOpen)
{
    WindowFixture f;
    auto window = f.open("");
    f.asker.file_to_open = QStringLiteral(INDIKT_BIBLE_SAMPLES) + "/sample.osis.xml";
    f.asker.choice = 0;  // "b_snd"
    QAction* import = window->findChild<QAction*>("ActionImportBible");
    ASSERT_NE(import, nullptr);
    import->trigger();
    ASSERT_EQ(f.asker.told.size(), 1);
    EXPECT_TRUE(f.asker.told[0].startsWith("Библия загружена")) << f.asker.told[0].toStdString();
    EXPECT_TRUE(QDir(f.tree.root + "/Библия/b_snd").entryList(QDir::Files).size() > 0);
    // A file that is not a Bible is refused with a message, nothing written.
    f.asker.file_to_open = f.tree.root + "/zk.ini";
    ASSERT_TRUE(WriteBytes(f.asker.file_to_open, "[Windows]\r\n"));
    import->trigger();
    ASSERT_EQ(f.asker.told.size(), 2);
    EXPECT_FALSE(f.asker.told[1].startsWith("Библия загружена"));
}

TEST(Viewer, OutsideLibraryOnItsConfiguredHost)
{
    WindowFixture f;
    auto window = f.open("[Vid]\r\nLibraryHost2=https://books.example.org/\r\n");
    QAction* liturgy = window->findChild<QAction*>("ActionOpenKovchegText3");
    ASSERT_TRUE(liturgy->isEnabled());
    liturgy->trigger();
    ASSERT_EQ(f.opened.size(), 1);
    EXPECT_EQ(f.opened[0].toString(), "https://books.example.org/bogosluzhenie/liturgiya/index.shtml");
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

TEST(TroparPanel, HymnsInTheChosenLanguageAndTheirMediaPages)
{
    WindowFixture f;
    const QString set = "Богослужение/Тропари и кондаки/Воскресные/2/";
    f.tree.write(set + "2.txt", "Тропарь, глас 2\r\nКондак, глас 2\r\n");
    f.tree.write(set + "1_рус.htm", "<p>Тропарь по-русски</p>");
    f.tree.write(set + "2_гражд.htm", "<p>Кондак гражданским шрифтом</p>");
    auto window = f.open("[Vid]\r\nTrJasRus=1\r\nTrJasGragd=0\r\n");
    window->showPane(DayPane::Troparia);
    window->setCurrentDate(D(2025, 6, 29));  // the 3rd Sunday after Pentecost, tone 2
    TroparPane* pane = window->troparPane();
    ASSERT_EQ(pane->contents()->count(), 2);
    EXPECT_EQ(pane->contents()->currentRow(), 0);
    EXPECT_EQ(pane->view()->toPlainText(), "Тропарь по-русски");
    EXPECT_TRUE(window->findChild<QAction*>("ActionTrVos")->isVisible());
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Тропари и кондаки: Тропарь, глас 2"));

    window->findChild<QAction*>("ActionGragdTr")->trigger();
    EXPECT_TRUE(pane->view()->toPlainText().isEmpty());  // no civil-script troparion
    pane->contents()->setCurrentRow(1);
    EXPECT_EQ(pane->view()->toPlainText(), "Кондак гражданским шрифтом");
    EXPECT_TRUE(window->settings().flag(kSectionVid, "TrJasGragd"));

    // Audio: no page yet, so it can be created; then opened and deleted.
    window->findChild<QAction*>("ActionSvukTr")->trigger();
    QAction* create = window->findChild<QAction*>("ActionTrNewMedia");
    EXPECT_TRUE(create->isVisible());
    EXPECT_EQ(create->text(), "Создать оглавление звукозаписей");
    create->trigger();
    EXPECT_TRUE(QFile::exists(f.tree.root + "/" + set + "звук.htm"));
    EXPECT_TRUE(window->findChild<QAction*>("ActionTrDeleteMedia")->isVisible());
    EXPECT_EQ(f.opened.size(), 1);
    window->findChild<QAction*>("ActionTrDeleteMedia")->trigger();  // the asker answers Cancel
    EXPECT_TRUE(QFile::exists(f.tree.root + "/" + set + "звук.htm"));

    // A day without hymns selects nothing.
    window->setCurrentDate(D(2025, 6, 30));
    EXPECT_EQ(pane->contents()->count(), 0);
    EXPECT_EQ(pane->contents()->currentRow(), -1);
    EXPECT_TRUE(pane->view()->toPlainText().isEmpty());
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

TEST(SourceFiles, TheCommandsOfAShownTextOpenItsFiles)
{
    WindowFixture f;
    f.tree.write("Месяцеслов/Непереходящие праздники/янв17.txt", "Антония\r\nвторая\r\nтретья\r\n");
    f.tree.write("Богослужение/Евангелие/Воскресные/1.txt", "[Ин 20:19-31=in65]");
    auto window = f.open();
    window->setCurrentDate(D(2025, 1, 30));
    QAction* menaion_fixed = window->findChild<QAction*>("ActionMesNePer");
    ASSERT_TRUE(menaion_fixed->isVisible());
    EXPECT_FALSE(window->findChild<QAction*>("ActionMesPer")->isVisible());
    menaion_fixed->trigger();
    ASSERT_EQ(f.opened.size(), 1);
    EXPECT_EQ(f.opened[0].toLocalFile(), f.tree.root + "/Месяцеслов/Непереходящие праздники/янв17.txt");

    window->showPane(DayPane::Lectionary);
    window->setCurrentDate(D(2025, 4, 27));
    QAction* matins = window->findChild<QAction*>("ActionEvUtr");
    ASSERT_TRUE(matins->isVisible());
    matins->trigger();
    ASSERT_EQ(f.opened.size(), 2);
    EXPECT_EQ(f.opened[1].toLocalFile(), f.tree.root + "/Богослужение/Евангелие/Воскресные/1.txt");
    // The next day hides what it did not find.
    window->ActionSlDnExecute();
    EXPECT_FALSE(matins->isVisible());
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

class FontAsker : public RecordingAsker {
public:
    std::optional<QFont> font(QWidget*, const QString& title, const QFont& initial) override
    {
        asked_title = title;
        asked_with = initial;
        QFont chosen("DejaVu Serif", 16);
        chosen.setItalic(true);
        return chosen;
    }
    QString asked_title;
    QFont asked_with;
};

TEST(MenaionFonts, TheFontCommandsStoreTheChoice)
{
    WindowFixture f;
    auto window = f.open();
    FontAsker asker;
    window->setAsker(&asker);
    window->findChild<QAction*>("ActionFontMesL")->trigger();
    EXPECT_EQ(asker.asked_title, "Шрифт заголовка в Месяцеслове");
    EXPECT_EQ(asker.asked_with.family(), "Times New Roman");
    EXPECT_EQ(asker.asked_with.pointSize(), 14);
    EXPECT_TRUE(asker.asked_with.bold());
    EXPECT_EQ(window->settings().text(kSectionVid, "FontMesLName"), "DejaVu Serif");
    EXPECT_EQ(window->settings().number(kSectionVid, "FontMesLSize"), 16);
    EXPECT_EQ(window->settings().text(kSectionVid, "FontMesLStyle"), "[fsItalic]");
    // A change of day leaves the font commands where they are.
    window->ActionSlDnExecute();
    EXPECT_TRUE(window->findChild<QAction*>("ActionFontMesM")->isVisible());
}

}  // namespace
}  // namespace indikt

namespace indikt {
namespace {

class YesAsker : public RecordingAsker {
public:
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons) override
    {
        asked << text;
        return QMessageBox::Yes;
    }
    QStringList asked;
};

TEST(LectionaryMedia, TheListIsCreatedShownAndDeleted)
{
    WindowFixture f;
    auto window = f.open("[Vid]\r\nBeiblJasSlav=0\r\nBeiblJasAudio=1\r\n");
    YesAsker asker;
    window->setAsker(&asker);
    window->showPane(DayPane::Lectionary);
    QAction* create = window->findChild<QAction*>("ActionLexNewMedia");
    ASSERT_TRUE(create->isVisible());
    EXPECT_EQ(create->text(), "Создать оглавление звукозаписей");
    EXPECT_TRUE(static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))->toPlainText().isEmpty());
    create->trigger();
    const QString list = f.tree.root + "/Богослужение/Медиа/Звук/звук.txt";
    EXPECT_TRUE(QFile::exists(list));
    EXPECT_NE(static_cast<HtmlPane*>(window->paneView(DayPane::Lectionary))->toPlainText().indexOf("Пример звукозаписи"), -1);
    EXPECT_FALSE(create->isVisible());
    QAction* remove = window->findChild<QAction*>("ActionLexDeleteMedia");
    ASSERT_TRUE(remove->isVisible());
    remove->trigger();
    EXPECT_EQ(asker.asked, QStringList{"Удалить оглавление звукозаписей Лекционария?"});
    EXPECT_FALSE(QFile::exists(list));
    EXPECT_TRUE(create->isVisible());
}

}  // namespace
}  // namespace indikt
