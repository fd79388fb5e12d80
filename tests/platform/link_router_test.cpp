// Where a click on a link leads, and what the external opener accepts.

#include "platform/link_router.h"

#include "file_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

const QString kRoot = "/data/Индикт";

TEST(RouteLink, LocalLinksStayInsideTheDataRoot)
{
    struct Case {
        const char* name;
        LinkPane pane;
        QUrl clicked;
        int tip;
        LinkTarget target;
        QString path;  // expected local file, empty when none
        const char* caption;
    };
    const Case cases[] = {
        {"a lives link from a built page, with a blank", LinkPane::Menaion,
         QUrl("Жития святых\\01\\янв01.htm"), 0, LinkTarget::Viewer, kRoot + "/Жития святых/01/янв01.htm",
         "Жития святых"},
        {"the same with %20", LinkPane::Menaion, QUrl("Жития%20святых\\01\\янв01.htm"), 0, LinkTarget::Viewer,
         kRoot + "/Жития святых/01/янв01.htm", "Жития святых"},
        {"a link resolved against a tree page", LinkPane::Troparia,
         QUrl::fromLocalFile(kRoot + "/Богослужение/Тропари и кондаки/../Молитвослов/x.htm"), 0, LinkTarget::Viewer,
         kRoot + "/Богослужение/Молитвослов/x.htm", "Молитвослов"},
        {"a Bible link of the lectionary", LinkPane::Lectionary, QUrl("Библия\\b_slv\\b_slv52.html#g5"), 0,
         LinkTarget::Viewer, kRoot + "/Библия/b_slv/b_slv52.html", "Библия"},
        {"TipExplorer 1: a new viewer window", LinkPane::Lives, QUrl("Жития святых\\a.htm"), 1,
         LinkTarget::ViewerWindow, kRoot + "/Жития святых/a.htm", "Жития святых"},
        {"TipExplorer 2: the browser", LinkPane::PrayerBook, QUrl("a.htm"), 2, LinkTarget::Browser,
         kRoot + "/a.htm", "Молитвослов"},
        {"'..' cannot leave the root", LinkPane::Menaion, QUrl("..\\..\\etc\\passwd"), 0, LinkTarget::Ignore, {}, ""},
        {"an absolute path outside the root", LinkPane::Lives, QUrl::fromLocalFile("/etc/passwd"), 0,
         LinkTarget::Ignore, {}, ""},
        {"a root's sibling with the same prefix", LinkPane::Lives, QUrl::fromLocalFile(kRoot + "2/x.htm"), 0,
         LinkTarget::Ignore, {}, ""},
        {"another scheme", LinkPane::Lives, QUrl("javascript:alert(1)"), 0, LinkTarget::Ignore, {}, ""},
        {"a data: address", LinkPane::Menaion, QUrl("data:text/html,<b>x</b>"), 0, LinkTarget::Ignore, {}, ""},
        // A recording is no text: the desktop's player opens it, whatever TipExplorer says.
        {"a recording of the lectionary's media list", LinkPane::Lectionary,
         QUrl("Богослужение\\Медиа\\Звук\\Псалом 103.mp3"), 0, LinkTarget::Browser,
         kRoot + "/Богослужение/Медиа/Звук/Псалом 103.mp3", "Библия"},
        {"a video of a hymn page, its suffix in capitals", LinkPane::Troparia, QUrl("Богослужение\\Медиа\\Видео\\a.MP4"),
         0, LinkTarget::Browser, kRoot + "/Богослужение/Медиа/Видео/a.MP4", "Молитвослов"},
        {"a recording followed inside the viewer", LinkPane::Viewer, QUrl("b.ogg"), 0, LinkTarget::Browser,
         kRoot + "/b.ogg", ""},
        {"TipExplorer 1: a recording still goes to the player", LinkPane::Lectionary, QUrl("c.webm"), 1,
         LinkTarget::Browser, kRoot + "/c.webm", "Библия"},
        {"a recording outside the root", LinkPane::Lectionary, QUrl::fromLocalFile("/tmp/x.mp3"), 0,
         LinkTarget::Ignore, {}, ""},
        {"a recording reached by '..'", LinkPane::Lectionary, QUrl("..\\x.mp3"), 0, LinkTarget::Ignore, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LinkRoute route = RouteLink(c.pane, c.clicked, kRoot, c.tip);
        EXPECT_EQ(route.target, c.target);
        EXPECT_EQ(route.address.isLocalFile() ? route.address.toLocalFile() : QString(), c.path);
        if (c.target != LinkTarget::Ignore) {
            EXPECT_EQ(route.caption, QString::fromUtf8(c.caption));
        }
    }
    EXPECT_EQ(RouteLink(LinkPane::Lectionary, QUrl("Библия\\b_slv\\b_slv52.html#g5"), kRoot, 0).address.fragment(), "g5");
}

TEST(RouteLink, SymbolicLinksNeverLeadOutOfTheDataRoot)
{
    QTemporaryDir temp;
    const QString real_root = temp.filePath("данные");
    const QString outside = temp.filePath("чужое");
    ASSERT_TRUE(QDir().mkpath(real_root + "/Жития святых/Святцы"));
    ASSERT_TRUE(QDir().mkpath(outside));
    ASSERT_TRUE(WriteBytes(outside + "/тайна.htm", "secret"));
    ASSERT_TRUE(WriteBytes(real_root + "/Жития святых/Святцы/янв01.htm", "<p>ok</p>"));
    ASSERT_TRUE(QFile::link(outside + "/тайна.htm", real_root + "/Жития святых/Святцы/leak.htm"));
    ASSERT_TRUE(QFile::link(outside, real_root + "/Жития святых/папка"));
    ASSERT_TRUE(QFile::link(real_root + "/Жития святых/Святцы/янв01.htm", real_root + "/Жития святых/свой.htm"));
    ASSERT_TRUE(QFile::link(real_root, temp.filePath("корень-ссылка")));
    struct Case { const char* what; QString root; QString link; bool allowed; };
    const Case cases[] = {
        {"a page of the tree", real_root, "Жития святых/Святцы/янв01.htm", true},
        {"a link to a file outside", real_root, "Жития святых/Святцы/leak.htm", false},
        {"a file through a linked folder", real_root, "Жития святых/папка/тайна.htm", false},
        {"a missing file in a linked folder", real_root, "Жития святых/папка/нет.htm", false},
        {"a link to a page of the tree", real_root, "Жития святых/свой.htm", true},
        {"the root itself reached through a link", temp.filePath("корень-ссылка"), "Жития святых/Святцы/янв01.htm", true},
        {"a missing page of the tree", real_root, "Жития святых/нет.htm", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(!LocalPathOf(QUrl(c.link), c.root).isEmpty(), c.allowed);
    }
}

TEST(RouteLink, WebAddressesGoToTheBrowser)
{
    struct Case { QUrl clicked; int tip; const char* url; };
    const Case cases[] = {
        {QUrl("http://example.org/a b"), 0, "http://example.org/a%20b"},
        {QUrl("https://example.org/Свет"), 1, "https://example.org/%D0%A1%D0%B2%D0%B5%D1%82"},
        {QUrl("www.example.org"), 0, "http://www.example.org"},
        {QUrl("ftp://example.org/f"), 0, "ftp://example.org/f"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const LinkRoute route = RouteLink(LinkPane::Menaion, c.clicked, kRoot, c.tip);
        EXPECT_EQ(route.target, LinkTarget::Browser);
        EXPECT_EQ(QString::fromLatin1(route.address.toEncoded()), c.url);
    }
    // Capital letters are encoded too, unlike the old rule.
    EXPECT_EQ(UTFLatiniza("http://example.org/Аз буки"), "http://example.org/%D0%90%D0%B7%20%D0%B1%D1%83%D0%BA%D0%B8");
}

TEST(ReadingMarkOf, BookNumbersOfBibleLinks)
{
    struct Case { const char* path; ReadingMark mark; };
    const Case cases[] = {
        {"Библия\\b_slv\\b_slv52.html", ReadingMark::Gospel},
        {"Библия/b_snd/b_snd01.html", ReadingMark::OldTestament},
        {"Библия\\b_snd\\b_snd50.html", ReadingMark::OldTestament},
        {"Библия\\b_sgr\\b_sgr54.html", ReadingMark::Gospel},
        {"Библия\\b_sgr\\b_sgr55.html", ReadingMark::Apostle},
        {"Библия\\b_cas\\b_cas77.html", ReadingMark::Apostle},
        {"Библия\\b_cas\\b_cas78.html", ReadingMark::None},
        {"Библия\\b_slv\\b_slvxx.html", ReadingMark::None},
        {"Библия\\psalm\\ps_sl\\ps001.html", ReadingMark::Psalter},
        {"Богослужение\\Апостол\\apostol.htm", ReadingMark::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ReadingMarkOf(QString::fromUtf8(c.path)), c.mark);
    }
}

TEST(IsSafeToOpenExternally, OnlyWebAddressesAndViewableFilesOfTheRoot)
{
    QTemporaryDir root;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(WriteBytes(root.path() + "/page.htm", "<p>x"));
    ASSERT_TRUE(WriteBytes(root.path() + "/run.sh", "#!/bin/sh"));
    ASSERT_TRUE(WriteBytes(root.path() + "/x.desktop", "[Desktop Entry]"));
    ASSERT_TRUE(WriteBytes(root.path() + "/song.flac", "fLaC"));
    ASSERT_TRUE(WriteBytes(root.path() + "/film.mkv", "video"));
    ASSERT_TRUE(WriteBytes(elsewhere.path() + "/outside.htm", "<p>y"));
    ASSERT_TRUE(QFile::link(elsewhere.path() + "/outside.htm", root.path() + "/link.htm"));
    struct Case { QUrl url; bool safe; };
    const Case cases[] = {
        {QUrl("https://example.org"), true},
        {QUrl("mailto:someone@example.org"), true},
        {QUrl("file:///etc/passwd"), false},
        {QUrl::fromLocalFile(root.path() + "/page.htm"), true},
        {QUrl::fromLocalFile(root.path() + "/run.sh"), false},
        {QUrl::fromLocalFile(root.path() + "/x.desktop"), false},
        {QUrl::fromLocalFile(root.path() + "/song.flac"), true},
        {QUrl::fromLocalFile(root.path() + "/film.mkv"), true},
        {QUrl::fromLocalFile(root.path() + "/link.htm"), false},  // a link out of the root
        {QUrl::fromLocalFile(root.path() + "/missing.htm"), false},
        {QUrl("javascript:alert(1)"), false},
        {QUrl("http:"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toString().toStdString());
        EXPECT_EQ(IsSafeToOpenExternally(c.url, root.path()), c.safe);
    }
}

}  // namespace
}  // namespace indikt
