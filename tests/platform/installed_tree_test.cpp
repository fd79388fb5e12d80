// Where an installed program finds its data: the user's copy of the installed
// tree, made on the first start and brought up to date when a newer tree is
// installed, with the real installer script of the tree.
#include "platform/installed_tree.h"

#include "file_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

class InstalledTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(prefix() + "/bin"));
        ASSERT_TRUE(QDir().mkpath(prefix() + "/lib/indikt"));
        ASSERT_TRUE(QFile::copy(INDIKT_INSTALL_DATA, prefix() + "/lib/indikt/indikt-install-data"));
        putInstalled("version.txt", "2026-12-01\n");
        putInstalled("Месяцеслов/дек/дек25.txt", "bundled");
        putInstalled("Богослужение/текст.txt", "first");
    }
    QString prefix() const { return folder.path() + "/usr"; }
    QString home() const { return folder.path() + "/home"; }
    void putInstalled(const QString& relative, const QByteArray& bytes)
    {
        const QString path = prefix() + "/share/indikt/data/" + relative;
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(WriteBytes(path, bytes));
    }
    DefaultDataRoot resolve(const QString& program_folder) const
    {
        return ResolveDefaultDataRoot({program_folder, "", home()});
    }

    QTemporaryDir folder;
};

TEST_F(InstalledTreeTest, TheUserCopyIsMadeOnceAndCorrectionsArriveWhileTheUsersChangesStay)
{
    const QString copy = home() + "/.local/share/indikt/data";
    DefaultDataRoot root = resolve(prefix() + "/bin");
    EXPECT_EQ(root.path, copy);
    EXPECT_TRUE(root.problem.isEmpty()) << root.problem.toStdString();
    EXPECT_EQ(ReadBytes(copy + "/Месяцеслов/дек/дек25.txt"), "bundled");

    // The user edits a text of the tree and keeps files of their own.
    ASSERT_TRUE(WriteBytes(copy + "/Месяцеслов/дек/дек25.txt", "edited by the user"));
    ASSERT_TRUE(WriteBytes(copy + "/zk.ini", "[Vid]\r\n"));
    // The same installed tree again: nothing is copied.
    ASSERT_TRUE(WriteBytes(prefix() + "/share/indikt/data/Богослужение/текст.txt", "changed without a new version"));
    EXPECT_EQ(resolve(prefix() + "/bin").path, copy);
    EXPECT_EQ(ReadBytes(copy + "/Богослужение/текст.txt"), "first");

    // A newer tree is installed.
    putInstalled("version.txt", "2026-12-09\n");
    putInstalled("Богослужение/текст.txt", "corrected");
    putInstalled("Месяцеслов/дек/дек25.txt", "corrected too");
    root = resolve(prefix() + "/bin");
    EXPECT_TRUE(root.problem.isEmpty()) << root.problem.toStdString();
    EXPECT_EQ(ReadBytes(copy + "/Богослужение/текст.txt"), "corrected");
    EXPECT_EQ(ReadBytes(copy + "/Месяцеслов/дек/дек25.txt"), "edited by the user");
    EXPECT_EQ(ReadBytes(copy + "/zk.ini"), "[Vid]\r\n");
    EXPECT_EQ(ReadBytes(copy + "/.bundled-version"), "2026-12-09\n");
}

TEST_F(InstalledTreeTest, AProgramBesideItsOwnTreeOrWithoutAnInstalledOneKeepsItsFolder)
{
    // A build or an unpacked copy: no installed tree beside the program.
    const QString build = folder.path() + "/build/app";
    ASSERT_TRUE(QDir().mkpath(build));
    EXPECT_EQ(resolve(build).path, build);
    // A program folder holding its own tree.
    ASSERT_TRUE(WriteBytes(prefix() + "/bin/version.txt", "own"));
    EXPECT_EQ(resolve(prefix() + "/bin").path, prefix() + "/bin");
    EXPECT_FALSE(QFileInfo::exists(home() + "/.local/share/indikt")) << "no copy made";
}

TEST_F(InstalledTreeTest, AFailedCopyIsSaid)
{
    ASSERT_TRUE(QFile::remove(prefix() + "/lib/indikt/indikt-install-data"));
    const DefaultDataRoot root = resolve(prefix() + "/bin");
    EXPECT_EQ(root.path, home() + "/.local/share/indikt/data");
    EXPECT_TRUE(root.problem.contains("could not be copied")) << root.problem.toStdString();
    EXPECT_EQ(UserTreeCopy("/x/data-home", "/home/u"), "/x/data-home/indikt/data");
    EXPECT_EQ(InstalledTreeOf("/usr/bin"), "/usr/share/indikt/data");
}

}  // namespace
}  // namespace indikt
