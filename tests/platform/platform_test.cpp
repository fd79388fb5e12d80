#include "platform/autostart.h"
#include "platform/companion.h"
#include "platform/data_tree_checks.h"
#include "platform/single_instance.h"
#include "file_helpers.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

QString ReadText(const QString& path) { return QString::fromUtf8(ReadBytes(path)); }

TEST(Autostart, FolderHonoursXdgConfigHome)
{
    EXPECT_EQ(AutostartFolder("/home/u/cfg", "/home/u"), "/home/u/cfg/autostart");
    EXPECT_EQ(AutostartFolder("", "/home/u"), "/home/u/.config/autostart");
    EXPECT_EQ(AutostartFolder("relative/cfg", "/home/u"), "/home/u/.config/autostart");  // ignored as XDG says
}

TEST(Autostart, ExecLineQuotesEveryArgument)
{
    struct Case { QString program; QString root; int mode; QString exec; };
    const Case cases[] = {
        {"/opt/indikt/indikt", "/opt/indikt", 3, R"(Exec="/opt/indikt/indikt" --data-root "/opt/indikt" 3)"},
        {"/home/u/Мои программы/indikt", "/home/u/Мои данные", 1,
         R"(Exec="/home/u/Мои программы/indikt" --data-root "/home/u/Мои данные" 1)"},
        {"/p/$HOME/a\"b`c", "/r/100%", 4, R"(Exec="/p/\\$HOME/a\\"b\\`c" --data-root "/r/100%%" 4)"},
        {"/p/back\\slash", "/r", 0, R"(Exec="/p/back\\\\slash" --data-root "/r" 0)"},
    };
    for (const Case& c : cases) {
        const QString text = AutostartFileText({QString::fromUtf8(kAutostartMain), c.program, c.root, c.mode, {}});
        SCOPED_TRACE(c.program.toStdString());
        EXPECT_TRUE(text.split('\n').contains(c.exec)) << text.toStdString();
        EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
        EXPECT_TRUE(text.contains("\nName= Индикт \n"));
    }
}

TEST(Autostart, WriteThenRemoveOnlyOurOwnEntries)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.path() + "/autostart";
    QString error;
    const QString ours = home.path() + "/данные один";
    const QString theirs = home.path() + "/данные два";

    ASSERT_TRUE(WriteAutostartEntry(folder, {QString::fromUtf8(kAutostartMain), "/bin/indikt", ours, 3, {}}, &error)) << error.toStdString();
    ASSERT_TRUE(WriteAutostartEntry(folder, {QString::fromUtf8(kAutostartPamjatka), "/bin/indikt", theirs, 1, {}}, &error));
    const QString main_path = folder + "/" + AutostartFileName(QString::fromUtf8(kAutostartMain));
    const QString pamjatka_path = folder + "/" + AutostartFileName(QString::fromUtf8(kAutostartPamjatka));
    EXPECT_NE(main_path, pamjatka_path);
    EXPECT_TRUE(ReadText(main_path).contains(" 3\n"));

    ASSERT_TRUE(RemAutoLoading(folder, ours, &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(main_path));
    EXPECT_TRUE(QFile::exists(pamjatka_path)) << "another data root's entry must stay";

    ASSERT_TRUE(RemAutoLoading(folder, theirs + "/", &error));
    EXPECT_FALSE(QFile::exists(pamjatka_path));
    EXPECT_TRUE(RemAutoLoading(folder, ours, &error)) << "nothing to remove is no error";
}

TEST(Autostart, UnwritableFolderIsReported)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QFile blocker(home.path() + "/autostart");  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(WriteAutostartEntry(home.path() + "/autostart", {QString::fromUtf8(kAutostartMain), "/bin/indikt", "/r", 1, {}}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SingleInstance, KeyDependsOnUserAndTheRealDataRoot)
{
    QTemporaryDir temp;
    const QString root = temp.filePath("Индикт");
    ASSERT_TRUE(QDir().mkpath(root));
    ASSERT_TRUE(QFile::link(root, temp.filePath("ссылка")));
    const QString key = SingleInstanceKey("1000", root);
    EXPECT_EQ(key, SingleInstanceKey("1000", root + "/"));
    EXPECT_EQ(key, SingleInstanceKey("1000", temp.filePath("ссылка"))) << "a link to the root is the same root";
    EXPECT_EQ(key, SingleInstanceKey("1000", root + "/../Индикт"));
    EXPECT_NE(key, SingleInstanceKey("1001", root));
    EXPECT_NE(key, SingleInstanceKey("1000", temp.path()));
    EXPECT_LE(key.size(), 40);
}

TEST(SingleInstance, OnlyOneCopyHoldsTheLockAndAnswers)
{
    QTemporaryDir root, locks;
    const QString key = SingleInstanceKey("test", root.path());
    SingleInstance first(key, locks.path());
    ASSERT_TRUE(first.TryBecomeFirst());
    ASSERT_TRUE(first.Listen());
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    SingleInstance second(key, locks.path());
    EXPECT_FALSE(second.TryBecomeFirst());
    EXPECT_FALSE(second.Listen()) << "a second copy never replaces the first one's socket";
    EXPECT_TRUE(second.AskRunningCopyToShow());
    EXPECT_TRUE(shown.wait(2000));
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.takeFirst().at(0).toString(), "");
    // The reminders ask for a day; only a well-formed date is passed on.
    EXPECT_TRUE(second.AskRunningCopyToShow(3000, "2027-01-07"));
    EXPECT_TRUE(shown.wait(2000));
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.takeFirst().at(0).toString(), "2027-01-07");
}

TEST(SingleInstance, TheLockOfAnEndedCopyAndItsLeftoverSocketDoNotBlockAStart)
{
    QTemporaryDir root, locks;
    const QString key = SingleInstanceKey("test-stale", root.path());
    {
        SingleInstance gone(key, locks.path());
        ASSERT_TRUE(gone.TryBecomeFirst());
    }
    {
        // A copy that went away without closing leaves its socket file.
        QFile leftover(QDir::tempPath() + "/" + key);
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    SingleInstance copy(key, locks.path());
    EXPECT_FALSE(copy.AskRunningCopyToShow(200));
    ASSERT_TRUE(copy.TryBecomeFirst());
    EXPECT_TRUE(copy.Listen());
}

TEST(CompanionProgram, LinuxNamesBesideTheProgram)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir().mkpath(folder.filePath("Пасхалия")));
    auto make = [&](const QString& name, bool executable) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    };
    make("Mini", true);
    make("Пасхалия/Пасхалия", true);
    make("Events", false);
    make("IcoDesktop.exe", true);  // a Windows file left beside the program is not ours to start

    struct Case { const char* name; const char* found; };
    const Case cases[] = {
        {"Mini.exe", "Mini"},
        {"MINI.EXE", ""},              // names are matched as written
        {"Пасхалия\\Пасхалия.exe", "Пасхалия/Пасхалия"},
        {"Events.exe", ""},            // not executable
        {"IcoDesktop.exe", ""},
        {"..\\Mini.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString expected = *c.found ? QFileInfo(folder.filePath(QString::fromUtf8(c.found))).absoluteFilePath() : QString();
        EXPECT_EQ(CompanionProgram(folder.path(), QString::fromUtf8(c.name)), expected) << c.name;
    }
}

TEST(DataTreeChecks, MissingFoldersAndTheNotesFolder)
{
    QTemporaryDir root;
    const QString data_root = root.filePath("Мои данные");
    ASSERT_TRUE(QDir().mkpath(data_root + "/Богослужение/Апостол"));
    ASSERT_TRUE(QDir().mkpath(data_root + "/Жития святых"));
    const DataTreePresence presence = CheckDataTree(data_root);
    EXPECT_TRUE(presence.notes);
    EXPECT_TRUE(QFileInfo(data_root + "/Записи").isDir()) << "created when missing";
    EXPECT_TRUE(presence.lectionary);
    EXPECT_TRUE(presence.lives);
    EXPECT_FALSE(presence.troparia);
    EXPECT_FALSE(presence.prayer_book);
    EXPECT_FALSE(presence.icons);
    EXPECT_FALSE(presence.paschalion);
    EXPECT_TRUE(presence.error.isEmpty());

    QFile blocker(root.filePath("блок"));  // a file where the data root should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const DataTreePresence broken = CheckDataTree(root.filePath("блок"));
    EXPECT_FALSE(broken.notes);
    EXPECT_FALSE(broken.error.isEmpty());
}

}  // namespace
}  // namespace indikt
