// The icons of the day in the window, driven as a person drives them: the
// icon panel turned on, the small icons clicked, the desktop commands run
// against a fake desktop, the collapsed view's picture chosen.

#include "app/window/main_window.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

class QuietAsker : public Asker {
public:
    QStringList told;
    QString file_to_choose;
    QString folder_offered;
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Cancel;
    }
    void tell(QWidget*, const QString&, const QString& text) override { told << text; }
    QString openFileName(QWidget*, const QString&, const QString& folder, const QString&) override
    {
        folder_offered = folder;
        return file_to_choose;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds&) override { return std::nullopt; }
};

class FakeRunner : public CommandRunner {
public:
    CommandOutput run(const QString& program, const QStringList& arguments) override
    {
        calls << (QStringList{program} + arguments).join(' ');
        if (arguments.value(0) == "get")
            return {true, 0, "'file:///home/u/own.png'\n"};
        return {true, 0, {}};
    }
    QStringList calls;
};

const QString kFeasts = u"Иконы/Великие праздники/Непереходящие праздники/"_qs;
const QString kFixed = u"Иконы/Непереходящие праздники/"_qs;

class IconsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 8 December 2026 is old-style 25 November: the leave-taking of the
        // Entry into the Temple (21 to 25 November) and a commemoration of the day.
        picture(kFeasts + u"ноя21.jpg"_qs, QSize(60, 80), u"Введение во храм Пресвятой Богородицы"_qs);
        picture(kFeasts + u"\u0430_ноя21.jpg"_qs, QSize(120, 160));
        picture(kFixed + u"ноя25.jpg"_qs, QSize(60, 80), u"Священномученик Климент"_qs);
        picture(kFixed + u"\u0430_ноя25.jpg"_qs, QSize(90, 150));
        for (int n = 0; n <= 5; ++n) {
            picture(QString(u"Иконы/%1Вс.jpg"_qs).arg(n, 2, 10, QChar('0')), QSize(30, 40));
            picture(QString(u"Иконы/%1.jpg"_qs).arg(n, 2, 10, QChar('0')), QSize(30, 40));
        }
        window = open();
    }

    void picture(const QString& relative, QSize size, const QString& caption = {})
    {
        const QString path = root.path() + '/' + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkYellow);
        ASSERT_TRUE(image.save(path, "jpg"));
        if (!caption.isEmpty()) {
            ASSERT_TRUE(WriteBytes(path.chopped(4) + ".txt", caption.toUtf8() + "\r\n"));
        }
    }

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
        made->setWallpaperService(
            std::make_unique<WallpaperService>(DesktopKind::Gnome, "GNOME", runner, cache(), places.path() + "/state"));
        made->show();
        return made;
    }

    QLabel* image(int slot) const { return window->findChild<QLabel*>("Image" + QString::number(slot)); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    QLabel* largeCaption() const { return window->findChild<QLabel*>("LabelIcoLarge"); }
    QString cache() const { return places.path() + "/cache"; }
    QStringList cached() const { return QDir(cache()).entryList(QDir::Files); }
    QString desktopPicture() const { return root.path() + u"/Иконы/i\u0441\u043e.jpg"_qs; }
    void showIcons()
    {
        action("ActionPanelIco")->trigger();
        ASSERT_TRUE(window->findChild<QWidget*>("PanelIco")->isVisible());
    }

    QTemporaryDir root;
    QTemporaryDir places;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 30));
    QuietAsker asker;
    FakeRunner runner;
    QStringList opened;
    std::unique_ptr<TForm1> window;
};

TEST_F(IconsWindowTest, PanelShowsTheIconsOfTheDayWithTheirHints)
{
    showIcons();
    ASSERT_NE(image(1), nullptr);
    EXPECT_TRUE(image(1)->isVisible());
    EXPECT_EQ(image(1)->toolTip(), u"Введение во храм Пресвятой Богородицы"_qs);
    EXPECT_TRUE(image(2)->isVisible());
    EXPECT_EQ(image(2)->toolTip(), u"Священномученик Климент"_qs);
    EXPECT_FALSE(image(3)->isVisible());
    EXPECT_FALSE(image(1)->pixmap().isNull());
    // Laid out by the strip's rule for two icons in its width.
    const int strip_width = image(1)->parentWidget()->width();
    EXPECT_EQ(image(1)->width(), std::min(130, strip_width / 3 + 12));
    EXPECT_EQ(image(2)->x(), image(1)->width() - 4);

    // The large view shows the first; a click on the second selects it.
    EXPECT_EQ(largeCaption()->text(), u"Введение во храм Пресвятой Богородицы"_qs);
    QTest::mouseClick(image(2), Qt::LeftButton);
    EXPECT_EQ(window->selectedIcon(), 2);
    EXPECT_EQ(largeCaption()->text(), u"Священномученик Климент"_qs);
    action("ActionSlIco")->trigger();  // no third icon
    EXPECT_EQ(window->selectedIcon(), 2);
    action("ActionPrIco")->trigger();
    EXPECT_EQ(window->selectedIcon(), 1);

    // Only the folders of the kinds shown are offered, and they open their folder.
    EXPECT_TRUE(action("OpenIcoVelNePereh")->isVisible());
    EXPECT_TRUE(action("OpenIcoNepereh")->isVisible());
    EXPECT_FALSE(action("OpenIcoVos")->isVisible());
    EXPECT_FALSE(action("OpenIcoSpas")->isVisible());
    action("OpenIcoNepereh")->trigger();
    EXPECT_EQ(opened, QStringList({root.path() + u"/Иконы/Непереходящие праздники"_qs}));

    // The next day has no icon of its own: the Saviour's.
    window->ActionSlDnExecute();
    EXPECT_TRUE(image(1)->isVisible());
    EXPECT_FALSE(image(2)->isVisible());
    EXPECT_EQ(image(1)->toolTip(), u"Икона Спасителя"_qs);
    EXPECT_TRUE(action("OpenIcoSpas")->isVisible());
    EXPECT_FALSE(action("OpenIcoNepereh")->isVisible());
}

TEST_F(IconsWindowTest, OnlyTheDayViewMovesTheSundayIconsOn)
{
    showIcons();
    window->setCurrentDate(D(2026, 12, 13));  // a Sunday
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoVoskresenie"), 1);
    EXPECT_EQ(image(1)->toolTip(), u"Воскресение Христово"_qs);
    window->ActionRefrechExecute();
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoVoskresenie"), 2);
    // A walk over days (a search, a report) leaves the counters and the strip alone.
    const QString shown = image(1)->toolTip();
    ASSERT_TRUE(window->setBatchWalk(true));
    for (int day = 14; day <= 31; ++day)
        window->setCurrentDate(D(2026, 12, day));
    window->setBatchWalk(false);
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoVoskresenie"), 2);
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoSpas"), 0);
    EXPECT_EQ(window->dayIcons().filled.front().path, u"Иконы\\02Вс.jpg"_qs);
}

TEST_F(IconsWindowTest, TwoIconsOnTheDesktopComposedAndWrittenSafely)
{
    showIcons();
    action("ActionDveIcoActiveDesktop")->trigger();
    EXPECT_TRUE(asker.told.isEmpty()) << asker.told.join('\n').toStdString();
    ASSERT_EQ(cached().size(), 1);
    QImage composed(cache() + '/' + cached().front());
    EXPECT_EQ(composed.size(), QSize(1 + 120 + 2 + 90 + 1, 162));
    EXPECT_EQ(QImage(desktopPicture()).size(), composed.size());
    EXPECT_TRUE(runner.calls.contains("gsettings set org.gnome.desktop.background picture-uri '" +
                                      QUrl::fromLocalFile(cache() + '/' + cached().front()).toString(QUrl::FullyEncoded) +
                                      "'"));
    // Once more: a new file, the old one removed.
    const QString first = cached().front();
    action("ActionTriIcoActiveDesktop")->trigger();
    ASSERT_EQ(cached().size(), 1);
    EXPECT_NE(cached().front(), first);
}

TEST_F(IconsWindowTest, OneIconOnTheDesktopIsTheFirstOrTheSelectedOne)
{
    showIcons();
    EXPECT_EQ(action("ActionPervIcoActiveDesktop")->text(), u"Первую икону"_qs);
    action("ActionPervIcoActiveDesktop")->trigger();
    ASSERT_EQ(cached().size(), 1);
    EXPECT_EQ(ReadBytes(cache() + '/' + cached().front()), ReadBytes(root.path() + '/' + kFeasts + u"\u0430_ноя21.jpg"_qs));
    QTest::mouseClick(image(2), Qt::LeftButton);
    action("ActionIcoActiveDesktop")->trigger();
    ASSERT_EQ(cached().size(), 1);
    EXPECT_EQ(ReadBytes(cache() + '/' + cached().front()), ReadBytes(root.path() + '/' + kFixed + u"\u0430_ноя25.jpg"_qs));
    EXPECT_TRUE(asker.told.isEmpty());
    // The desktop picture was changed: the next refresh leaves the day alone.
    const int sunday = window->settings().number(kSectionVid, "NumIcoSpas");
    window->ActionRefrechExecute();
    EXPECT_EQ(window->selectedIcon(), 2);
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoSpas"), sunday);
}

TEST_F(IconsWindowTest, NoLargePictureLeavesTheDesktopAlone)
{
    QFile::remove(root.path() + '/' + kFeasts + u"\u0430_ноя21.jpg"_qs);
    ASSERT_TRUE(WriteBytes(root.path() + '/' + kFixed + u"\u0430_ноя25.jpg"_qs, "broken"));
    showIcons();
    action("ActionDveIcoActiveDesktop")->trigger();
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_TRUE(asker.told.front().contains("Рабочий стол не изменён"));
    EXPECT_TRUE(runner.calls.isEmpty());
    EXPECT_TRUE(cached().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(desktopPicture()));
}

TEST_F(IconsWindowTest, DesktopIconsOfTheDayOnceADayAndTheOwnWallpaperBack)
{
    // "DenIcoDesktop" 3 by default: Sundays and feasts. 8 December 2026 is
    // the leave-taking of the Entry (a great feast's icon), 9 December an
    // ordinary Wednesday.
    window->setIcoDesktop(true);
    EXPECT_EQ(window->settings().text(kSectionWindows, "AutoSagrIDeskDate"), "08.12.2026");
    ASSERT_EQ(cached().size(), 1) << asker.told.join('\n').toStdString();
    EXPECT_EQ(QImage(cache() + '/' + cached().front()).size(), QSize(1 + 120 + 2 + 90 + 1, 162)) << "three asked, two there";
    const qsizetype calls = runner.calls.size();
    window->onTimer1(now.addSecs(10));
    EXPECT_EQ(runner.calls.size(), calls) << "once a day";

    // From 15:00 the next day's icons: not a chosen day, so the user's own wallpaper.
    now = QDateTime(QDate(2026, 12, 8), QTime(16, 0));
    window->onTimer1(now);
    EXPECT_EQ(window->settings().text(kSectionWindows, "AutoSagrIDeskDate"), "09.12.2026");
    EXPECT_TRUE(runner.calls.contains("gsettings set org.gnome.desktop.background picture-uri 'file:///home/u/own.png'"));
    EXPECT_TRUE(cached().isEmpty());
    EXPECT_EQ(window->settings().number(kSectionVid, "NumIcoSpas"), 0) << "the desktop does not move the icons on";
    // The saved settings keep the day.
    ASSERT_TRUE(window->SaveAll().ok());
    EXPECT_TRUE(ReadBytes(root.path() + "/zk.ini").contains("AutoSagrIDeskDate=09.12.2026"));

    // On again on a chosen day, then off: the own wallpaper comes back.
    now = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
    window->setIcoDesktop(true);
    ASSERT_EQ(cached().size(), 1);
    runner.calls.clear();
    window->setIcoDesktop(false);
    EXPECT_TRUE(runner.calls.contains("gsettings set org.gnome.desktop.background picture-uri 'file:///home/u/own.png'"));
    EXPECT_FALSE(window->settings().flag(kSectionVid, "IcoDesktop"));
}

TEST_F(IconsWindowTest, CollapsedViewPictureChosenByTheUser)
{
    picture(u"Картинки/\u0430_храм.JPEG"_qs, QSize(50, 50));
    ASSERT_TRUE(WriteBytes(root.path() + u"/Картинки/храм.txt"_qs, QString(u"Храм\r\n"_qs).toUtf8()));
    asker.file_to_choose = root.path() + u"/Картинки/\u0430_храм.JPEG"_qs;
    action("ActionAddImage")->trigger();
    EXPECT_TRUE(window->calendarCollapsed());
    EXPECT_EQ(asker.folder_offered, root.path() + u"/Иконы"_qs);
    auto* shown = window->findChild<QLabel*>("ImageIcoIndikt");
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->toolTip(), u"Храм"_qs);
    EXPECT_EQ(window->mainPicture(), asker.file_to_choose);

    // Another kind of file is not taken.
    picture(u"Картинки/photo.png"_qs, QSize(5, 5));
    asker.file_to_choose = root.path() + u"/Картинки/photo.png"_qs;
    action("ActionAddImage")->trigger();
    EXPECT_EQ(asker.folder_offered, root.path() + u"/Картинки"_qs);
    ASSERT_EQ(asker.told.size(), 1);
    EXPECT_EQ(window->mainPicture(), root.path() + u"/Картинки/\u0430_храм.JPEG"_qs);
}

}  // namespace
}  // namespace indikt
