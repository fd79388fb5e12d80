#include "platform/wallpaper.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <map>

namespace indikt {
namespace {

// Records every command; answers from a table of "program arguments..."
// prefixes, and fails a command listed in `failing`.
class FakeRunner : public CommandRunner {
public:
    CommandOutput run(const QString& program, const QStringList& arguments) override
    {
        const QString line = (QStringList{program} + arguments).join(' ');
        calls.append(line);
        for (const QString& prefix : failing)
            if (line.startsWith(prefix))
                return {true, 1, {}};
        if (missing)
            return {false, -1, {}};
        for (const auto& [prefix, output] : answers)
            if (line == prefix || line.startsWith(prefix + ' '))
                return {true, 0, output};
        return {true, 0, {}};
    }
    QStringList calls;
    std::map<QString, QByteArray> answers;
    QStringList failing;
    bool missing = false;
};

struct Folders {
    QTemporaryDir dir;
    QString cache() const { return dir.path() + "/cache/indikt"; }
    QString state() const { return dir.path() + "/state/indikt"; }
    QStringList cached() const { return QDir(cache()).entryList(QDir::Files); }
};

QByteArray SomeJpeg(QSize size = QSize(4, 6))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg");
    return bytes;
}

TEST(DesktopOf, ByTheSessionVariable)
{
    const std::pair<const char*, DesktopKind> cases[] = {
        {"GNOME", DesktopKind::Gnome},          {"ubuntu:GNOME", DesktopKind::Gnome},
        {"Budgie:GNOME", DesktopKind::Gnome},   {"X-Cinnamon", DesktopKind::Cinnamon},
        {"MATE", DesktopKind::Mate},            {"XFCE", DesktopKind::Xfce},
        {"KDE", DesktopKind::Kde},              {"", DesktopKind::Unsupported},
        {"LXQt", DesktopKind::Unsupported},     {"sway", DesktopKind::Unsupported},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(DesktopOf(QString::fromLatin1(name)), kind) << name;
}

TEST(WallpaperService, GnomeRemembersOnceThenSetsBothPicturesCentred)
{
    Folders f;
    FakeRunner runner;
    runner.answers["gsettings get org.gnome.desktop.background picture-uri"] = "'file:///home/u/own.png'\n";
    runner.answers["gsettings get org.gnome.desktop.background picture-options"] = "'zoom'\n";
    WallpaperService service(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state());
    ASSERT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    const QString file = service.lastFile();
    ASSERT_TRUE(file.startsWith(f.cache() + "/wallpaper-")) << file.toStdString();
    const QString uri = "'" + QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + "'";
    EXPECT_EQ(runner.calls, QStringList({
                                "gsettings get org.gnome.desktop.background picture-options",
                                "gsettings get org.gnome.desktop.background picture-uri",
                                "gsettings get org.gnome.desktop.background picture-uri-dark",
                                "gsettings set org.gnome.desktop.background picture-options 'centered'",
                                "gsettings set org.gnome.desktop.background picture-uri " + uri,
                                "gsettings set org.gnome.desktop.background picture-uri-dark " + uri,
                            }));
    EXPECT_EQ(ReadBytes(file), SomeJpeg());

    // The second picture: a new file, the previous one gone, nothing read again.
    runner.calls.clear();
    ASSERT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    EXPECT_NE(service.lastFile(), file);
    EXPECT_EQ(f.cached(), QStringList({QFileInfo(service.lastFile()).fileName()}));
    EXPECT_TRUE(runner.calls.filter("gsettings get").isEmpty());

    // Put back as it was, then forgotten.
    runner.calls.clear();
    ASSERT_EQ(service.restorePrevious(), QString());
    EXPECT_EQ(runner.calls, QStringList({
                                "gsettings set org.gnome.desktop.background picture-options 'zoom'",
                                "gsettings set org.gnome.desktop.background picture-uri 'file:///home/u/own.png'",
                            }));
    EXPECT_FALSE(service.hasRemembered());
    EXPECT_TRUE(f.cached().isEmpty());
}

TEST(WallpaperService, CinnamonAndMateUseTheirOwnSchemas)
{
    Folders f;
    FakeRunner runner;
    runner.answers["gsettings get"] = "'own'";
    WallpaperService cinnamon(DesktopKind::Cinnamon, "X-Cinnamon", runner, f.cache(), f.state());
    ASSERT_EQ(cinnamon.setPictureBytes(SomeJpeg()), QString());
    const QString uri = QUrl::fromLocalFile(cinnamon.lastFile()).toString(QUrl::FullyEncoded);
    EXPECT_EQ(runner.calls.filter(" set "),
              QStringList({"gsettings set org.cinnamon.desktop.background picture-options 'centered'",
                           "gsettings set org.cinnamon.desktop.background picture-uri '" + uri + "'"}));

    runner.calls.clear();
    WallpaperService mate(DesktopKind::Mate, "MATE", runner, f.cache(), f.state());
    ASSERT_EQ(mate.setPictureBytes(SomeJpeg()), QString());
    EXPECT_EQ(runner.calls.filter(" set "),
              QStringList({"gsettings set org.mate.background picture-options 'centered'",
                           "gsettings set org.mate.background picture-filename '" + mate.lastFile() + "'"}));
    EXPECT_TRUE(mate.hasRemembered());
}

TEST(WallpaperService, XfceSetsEveryBackdropOfEveryMonitorAndWorkspace)
{
    Folders f;
    FakeRunner runner;
    runner.answers["xfconf-query -c xfce4-desktop -l"] =
        "/backdrop/screen0/monitorVGA-1/workspace0/last-image\n"
        "/backdrop/screen0/monitorVGA-1/workspace0/image-style\n"
        "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
        "/desktop-icons/style\n";
    runner.answers["xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorVGA-1/workspace0/last-image"] =
        "/usr/share/backgrounds/own.jpg\n";
    WallpaperService service(DesktopKind::Xfce, "XFCE", runner, f.cache(), f.state());
    ASSERT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    const QString file = service.lastFile();
    EXPECT_EQ(runner.calls.filter(" -s "),
              QStringList({
                  "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorVGA-1/workspace0/image-style -n -t int -s 1",
                  "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorVGA-1/workspace0/last-image -n -t string -s " + file,
                  "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-1/workspace1/image-style -n -t int -s 1",
                  "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-1/workspace1/last-image -n -t string -s " + file,
              }));
    runner.calls.clear();
    ASSERT_EQ(service.restorePrevious(), QString());
    EXPECT_TRUE(runner.calls.contains(
        "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorVGA-1/workspace0/last-image -n -t string -s "
        "/usr/share/backgrounds/own.jpg"));
}

TEST(WallpaperService, KdeRunsThePlasmaScriptOverDbus)
{
    Folders f;
    FakeRunner runner;
    runner.answers["dbus-send"] = "method return time=1 sender=:1.5\n   string \"file:///home/u/own.jpg\\n2\"\n";
    WallpaperService service(DesktopKind::Kde, "KDE", runner, f.cache(), f.state());
    ASSERT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    ASSERT_EQ(runner.calls.size(), 2);
    const QString set = runner.calls[1];
    EXPECT_TRUE(set.startsWith("dbus-send --session --type=method_call --print-reply --dest=org.kde.plasmashell "
                               "/PlasmaShell org.kde.PlasmaShell.evaluateScript string:var all = desktops();"))
        << set.toStdString();
    EXPECT_TRUE(set.contains("d.writeConfig(\"Image\", \"" + QUrl::fromLocalFile(service.lastFile()).toString(QUrl::FullyEncoded) + "\")"));
    EXPECT_TRUE(set.contains("d.writeConfig(\"FillMode\", \"6\")"));
    runner.calls.clear();
    ASSERT_EQ(service.restorePrevious(), QString());
    EXPECT_TRUE(runner.calls.value(0).contains("d.writeConfig(\"Image\", \"file:///home/u/own.jpg\")"));
    EXPECT_TRUE(runner.calls.value(0).contains("d.writeConfig(\"FillMode\", \"2\")"));
}

TEST(WallpaperService, APathCannotBreakOutOfThePlasmaScript)
{
    QTemporaryDir dir;
    const QString cache = dir.path() + "/a\"); evil(\"";
    FakeRunner runner;
    runner.answers["dbus-send"] = "string \"x\\n6\"";
    WallpaperService service(DesktopKind::Kde, "KDE", runner, cache, dir.path() + "/state");
    ASSERT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    EXPECT_FALSE(runner.calls.last().contains("evil(\""));
}

TEST(WallpaperService, FailuresAreSaidAndLeaveNoPicture)
{
    Folders f;
    {
        FakeRunner runner;
        WallpaperService service(DesktopKind::Unsupported, "LXQt", runner, f.cache(), f.state());
        const QString error = service.setPictureBytes(SomeJpeg());
        EXPECT_TRUE(error.contains("«LXQt» не поддерживается")) << error.toStdString();
        EXPECT_TRUE(runner.calls.isEmpty());
    }
    {
        FakeRunner runner;
        runner.missing = true;
        WallpaperService service(DesktopKind::Xfce, "XFCE", runner, f.cache(), f.state());
        EXPECT_TRUE(service.setPictureBytes(SomeJpeg()).contains("xfconf-query"));
        EXPECT_TRUE(f.cached().isEmpty());
        EXPECT_TRUE(service.lastFile().isEmpty());
    }
    {
        FakeRunner runner;
        runner.failing = {"gsettings set org.gnome.desktop.background picture-uri '"};
        runner.answers["gsettings get"] = "'x'";
        WallpaperService service(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state());
        EXPECT_TRUE(service.setPictureBytes(SomeJpeg()).contains("код 1"));
        EXPECT_TRUE(f.cached().isEmpty());
    }
    {
        // GNOME before 42 lacks the dark picture: the light one is enough.
        FakeRunner runner;
        runner.failing = {"gsettings set org.gnome.desktop.background picture-uri-dark",
                          "gsettings get org.gnome.desktop.background picture-uri-dark"};
        WallpaperService service(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state() + "2");
        EXPECT_EQ(service.setPictureBytes(SomeJpeg()), QString());
    }
    FakeRunner runner;
    WallpaperService service(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state() + "3");
    EXPECT_FALSE(service.setPicture(f.dir.path() + "/missing.jpg").isEmpty());
    EXPECT_FALSE(service.setPictureBytes({}).isEmpty());
    EXPECT_TRUE(runner.calls.isEmpty());
    // Nothing remembered: nothing to put back, and nothing run.
    EXPECT_EQ(service.restorePrevious(), QString());
    EXPECT_TRUE(runner.calls.isEmpty());
}

TEST(WallpaperService, RemembersOncePerDesktop)
{
    Folders f;
    FakeRunner runner;
    runner.answers["gsettings get org.gnome.desktop.background picture-uri"] = "'file:///first.png'";
    WallpaperService gnome(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state());
    ASSERT_EQ(gnome.setPictureBytes(SomeJpeg()), QString());
    // A later start finds the first wallpaper still remembered, not ours.
    runner.answers["gsettings get org.gnome.desktop.background picture-uri"] = "'file:///ours.jpg'";
    WallpaperService again(DesktopKind::Gnome, "GNOME", runner, f.cache(), f.state());
    ASSERT_EQ(again.setPictureBytes(SomeJpeg()), QString());
    runner.calls.clear();
    ASSERT_EQ(again.restorePrevious(), QString());
    EXPECT_TRUE(runner.calls.contains("gsettings set org.gnome.desktop.background picture-uri 'file:///first.png'"));
    // The MATE memory is its own.
    WallpaperService mate(DesktopKind::Mate, "MATE", runner, f.cache(), f.state());
    EXPECT_FALSE(mate.hasRemembered());
    // A picture of ours (the memory lost) is not taken for the user's, nor
    // is a wallpaper that cannot be read; the picture is set all the same.
    runner.answers["gsettings get org.mate.background picture-filename"] = "'/home/u/.cache/indikt/wallpaper-17.jpg'";
    ASSERT_EQ(mate.setPictureBytes(SomeJpeg()), QString());
    EXPECT_FALSE(mate.hasRemembered());
    FakeRunner unreadable;
    unreadable.failing = {"gsettings get"};
    WallpaperService cinnamon(DesktopKind::Cinnamon, "X-Cinnamon", unreadable, f.cache(), f.state());
    ASSERT_EQ(cinnamon.setPictureBytes(SomeJpeg()), QString());
    EXPECT_FALSE(cinnamon.hasRemembered());
    EXPECT_EQ(unreadable.calls.filter(" set ").size(), 2);
}

TEST(ComposeIconPlaces, SideBySideOnACanvasTwoPixelsHigher)
{
    const IconComposition two = ComposeIconPlaces({QSize(180, 240), QSize(100, 300)});
    EXPECT_EQ(two.canvas, QSize(1 + 180 + 2 + 100 + 1, 302));
    ASSERT_EQ(two.places.size(), 2u);
    EXPECT_EQ(two.places[0], QRect(1, 1, 180, 240));
    EXPECT_EQ(two.places[1], QRect(183, 1, 100, 300));
    EXPECT_EQ(ComposeIconPlaces({QSize(10, 20)}).canvas, QSize(12, 22));
    EXPECT_TRUE(ComposeIconPlaces({}).canvas.isEmpty());
}

TEST(ComposeDesktopPicture, DrawsTheReadablePicturesOnly)
{
    QTemporaryDir dir;
    const QString a = dir.path() + "/a.jpg";
    const QString b = dir.path() + "/b.jpg";
    const QString broken = dir.path() + "/broken.jpg";
    ASSERT_TRUE(WriteBytes(a, SomeJpeg(QSize(30, 40))));
    ASSERT_TRUE(WriteBytes(b, SomeJpeg(QSize(20, 50))));
    ASSERT_TRUE(WriteBytes(broken, "not a picture"));
    const ComposedPicture composed = ComposeDesktopPicture({a, broken, dir.path() + "/missing.jpg", b});
    EXPECT_EQ(composed.drawn, 2);
    QImage result;
    ASSERT_TRUE(result.loadFromData(composed.jpeg, "jpg"));
    EXPECT_EQ(result.size(), QSize(1 + 30 + 2 + 20 + 1, 52));
    const ComposedPicture none = ComposeDesktopPicture({broken, dir.path() + "/missing.jpg"});
    EXPECT_EQ(none.drawn, 0);
    EXPECT_TRUE(none.jpeg.isEmpty());
}

}  // namespace
}  // namespace indikt
