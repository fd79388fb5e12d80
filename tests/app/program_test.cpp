// The program itself, started as a user or the system would start it.

#include "settings/zk_schema.h"
#include "file_helpers.h"
#include "texts/cp1251.h"
#include "texts/ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace indikt {
namespace {

struct Program {
    explicit Program(const QString& data_root)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", data_root + "/.config");
        process.setProcessEnvironment(environment);
        process.setProgram(INDIKT_PROGRAM);
        process.setArguments({"--data-root", data_root});
    }
    QProcess process;
};

// The window has read its settings once the notes folder exists.
bool WaitUntilRunning(const QString& data_root, QProcess& process)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        if (process.state() == QProcess::NotRunning)
            return false;
        if (QFileInfo(data_root + "/Записи").isDir()) {
            QThread::msleep(300);  // let the event loop start
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

TEST(Program, SigtermLeavesACompleteZkIni)
{
    QTemporaryDir temp;
    const QString data_root = temp.filePath("Данные с пробелом");
    ASSERT_TRUE(QDir().mkpath(data_root));
    Program program(data_root);
    program.process.start();
    ASSERT_TRUE(program.process.waitForStarted());
    ASSERT_TRUE(WaitUntilRunning(data_root, program.process)) << program.process.readAllStandardError().toStdString();

    program.process.terminate();  // SIGTERM
    ASSERT_TRUE(program.process.waitForFinished(10000));
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);

    const QByteArray bytes = ReadBytes(data_root + "/zk.ini");
    EXPECT_FALSE(LooksLikeUtf8(bytes)) << "Windows-1251";
    const IniFile file = IniFile::parse(bytes);
    for (const SettingDefinition& setting : ZkSchema()) {
        if (setting.key == "AutoSagrIDeskDate")
            continue;
        EXPECT_TRUE(file.contains(QString::fromStdString(setting.section), QString::fromStdString(setting.key)))
            << setting.section << '/' << setting.key;
    }
}

TEST(Program, SecondCopyWithOneCopyEndsAtOnceAndWritesNothing)
{
    QTemporaryDir temp;
    const QString data_root = temp.path();
    ASSERT_TRUE(WriteBytes(data_root + "/zk.ini", "[Windows]\r\nOneCopy=1\r\n"));
    Program first(data_root);
    first.process.start();
    ASSERT_TRUE(WaitUntilRunning(data_root, first.process));
    const QByteArray before = ReadBytes(data_root + "/zk.ini");

    Program second(data_root);
    second.process.start();
    EXPECT_TRUE(second.process.waitForFinished(5000)) << "the second copy must not stay";
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(ReadBytes(data_root + "/zk.ini"), before);

    first.process.terminate();
    ASSERT_TRUE(first.process.waitForFinished(10000));
    EXPECT_NE(ReadBytes(data_root + "/zk.ini"), before) << "the first copy saves at its end";
}

TEST(Program, CopiesStartedTogetherOrThroughALinkLeaveOneRunning)
{
    // Started at the same moment, and by a second path to the same folder:
    // with "OneCopy" on exactly one copy stays.
    QTemporaryDir temp;
    const QString data_root = temp.filePath("данные");
    ASSERT_TRUE(QDir().mkpath(data_root));
    ASSERT_TRUE(QFile::link(data_root, temp.filePath("ссылка")));
    ASSERT_TRUE(WriteBytes(data_root + "/zk.ini", "[Windows]\r\nOneCopy=1\r\nЗаставка=0\r\n"));
    std::vector<std::unique_ptr<Program>> copies;
    for (int i = 0; i < 6; ++i) {
        copies.push_back(std::make_unique<Program>(i % 2 ? temp.filePath("ссылка") : data_root));
        copies.back()->process.start();
    }
    QElapsedTimer timer;
    timer.start();
    int running = 0;
    while (timer.elapsed() < 15000) {
        running = 0;
        for (const auto& copy : copies)
            running += copy->process.state() != QProcess::NotRunning;
        if (running <= 1 && QFileInfo(data_root + "/Записи").isDir())
            break;
        for (const auto& copy : copies)
            copy->process.waitForFinished(10);  // notices the copies that ended
    }
    running = 0;
    for (const auto& copy : copies) {
        copy->process.waitForFinished(1000 / int(copies.size()));
        running += copy->process.state() != QProcess::NotRunning;
    }
    EXPECT_EQ(running, 1);
    for (const auto& copy : copies) {
        copy->process.terminate();
        copy->process.waitForFinished(10000);
    }
}

TEST(Program, ASettingsFileThatIsNoFileIsNeverWrittenThrough)
{
    // A FIFO, a link to one, a link loop and a dangling link in the place of
    // zk.ini: the program starts and ends, and each stays what it was.
    struct Case { const char* what; std::function<void(const QString&, const QString&)> make; };
    const Case cases[] = {
        {"a FIFO", [](const QString& zk, const QString&) { ::mkfifo(QFile::encodeName(zk).constData(), 0600); }},
        {"a link to a FIFO", [](const QString& zk, const QString& outside) {
             ::mkfifo(QFile::encodeName(outside).constData(), 0600);
             QFile::link(outside, zk);
         }},
        {"a link loop", [](const QString& zk, const QString&) { QFile::link(zk, zk); }},
        {"a dangling link", [](const QString& zk, const QString& outside) { QFile::link(outside, zk); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temp;
        const QString data_root = temp.filePath("data");
        ASSERT_TRUE(QDir().mkpath(data_root));
        const QString zk = data_root + "/zk.ini";
        const QString outside = temp.filePath("outside");
        c.make(zk, outside);
        const QFileInfo before(zk);
        Program program(data_root);
        program.process.start();
        ASSERT_TRUE(WaitUntilRunning(data_root, program.process)) << program.process.readAllStandardError().toStdString();
        program.process.terminate();
        ASSERT_TRUE(program.process.waitForFinished(10000));
        const QFileInfo after(zk);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_FALSE(after.isFile() && !after.isSymLink()) << "zk.ini became a regular file";
        EXPECT_FALSE(QFileInfo(outside).isFile()) << "the link's target became a regular file";
        EXPECT_TRUE(QString::fromUtf8(program.process.readAllStandardError()).contains("zk.ini"));
    }
}

TEST(Program, AMissingDataRootIsRefusedAndNotCreated)
{
    QTemporaryDir temp;
    const QString missing = temp.filePath("опечатка");
    Program program(missing);
    program.process.start();
    ASSERT_TRUE(program.process.waitForFinished(5000));
    EXPECT_EQ(program.process.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(program.process.readAllStandardError()).contains(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(Program, StartedInCompactModeSigtermSavesAndKeepsOtherKeys)
{
    QTemporaryDir temp;
    const QString data_root = temp.path();
    ASSERT_TRUE(WriteBytes(data_root + "/zk.ini", "[Windows]\r\nNomer=0\r\n"));
    Program program(data_root);
    program.process.setArguments({"--data-root", data_root, "2"});
    program.process.start();
    ASSERT_TRUE(WaitUntilRunning(data_root, program.process));
    program.process.terminate();
    ASSERT_TRUE(program.process.waitForFinished(10000)) << "SIGTERM must end the program";
    const IniFile file = IniFile::parse(ReadBytes(data_root + "/zk.ini"));
    EXPECT_EQ(file.value(u"Windows", u"Nomer", QString()), "0") << "a key of another program stays";
    EXPECT_TRUE(file.contains(u"Windows", u"Ширина"));
}

TEST(Program, BadCommandLineIsRefused)
{
    QTemporaryDir temp;
    Program program(temp.path());
    program.process.setArguments({"--no-such-option"});
    program.process.start();
    ASSERT_TRUE(program.process.waitForFinished(5000));
    EXPECT_EQ(program.process.exitCode(), 2);
    EXPECT_TRUE(program.process.readAllStandardError().contains("unknown option --no-such-option"));
}

}  // namespace
}  // namespace indikt

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
