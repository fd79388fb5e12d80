#include "cli/backup_json.h"
#include "cli/cli.h"

#include "file_helpers.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace indikt::cli {
namespace {

struct Outcome {
    int code = -1;
    QJsonObject json;
    std::string err;
};

Outcome RunCommand(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = RunCli(arguments, FromCivil(2026, 12, 9), out, err);
    outcome.json = QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
    outcome.err = err.str();
    return outcome;
}

class BackupCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        root_ = temp_.filePath("root").toStdString();
        media_ = temp_.filePath("media").toStdString();
        ASSERT_TRUE(QDir().mkpath(temp_.filePath("root/Записи")));
        ASSERT_TRUE(QDir().mkpath(temp_.filePath("media")));
        qputenv("XDG_STATE_HOME", temp_.filePath("state").toUtf8());
    }
    void TearDown() override { qunsetenv("XDG_STATE_HOME"); }

    QTemporaryDir temp_;
    std::string root_, media_;
};

TEST_F(BackupCliTest, CopyThenGetBringsTheRecordsBack)
{
    ASSERT_TRUE(WriteBytes(temp_.filePath("root/Записи/мар09.rtf"), "note"));
    ASSERT_TRUE(WriteBytes(temp_.filePath("root/Памятка.txt"), "memo"));

    const Outcome copy = RunCommand({"backup", "copy", media_, "--components", "notes,memo", "--data-root", root_});
    ASSERT_EQ(copy.code, kExitOk) << copy.err;
    EXPECT_EQ(copy.json["message"].toString(), "Копирование успешно завершено ");
    EXPECT_EQ(copy.json["archive"].toString(), temp_.filePath("media/Индикт"));
    EXPECT_EQ(copy.json["files_copied"].toInt(), 2);

    ASSERT_TRUE(WriteBytes(temp_.filePath("root/Памятка.txt"), "changed memo"));
    const Outcome get = RunCommand({"backup", "get", media_, "--components", "memo", "--data-root", root_});
    ASSERT_EQ(get.code, kExitOk) << get.err;
    EXPECT_EQ(ReadBytes(temp_.filePath("root/Памятка.txt")), "memo");
    EXPECT_TRUE(get.json["changed"].toObject()["memo"].toBool());
    EXPECT_FALSE(get.json["changed"].toObject()["notes"].toBool());
    const QString safety = get.json["safety_copy"].toString();
    EXPECT_TRUE(safety.startsWith(temp_.filePath("state/indikt/before-restore-")));
    EXPECT_EQ(ReadBytes(safety + "/Памятка.txt"), "changed memo");
}

TEST_F(BackupCliTest, FailuresAndBadArgumentsHaveTheirExitCodes)
{
    struct Case {
        std::vector<std::string> arguments;
        int code;
    };
    const Case cases[] = {
        {{"backup", "get", media_, "--components", "notes", "--data-root", root_}, kExitBackupFailed},  // no archive
        {{"backup", "copy", root_ + "/Записи", "--data-root", root_}, kExitBackupFailed},              // inside the root
        {{"backup", "copy", media_, "--components", "notes,psalter", "--data-root", root_}, kExitBadArgument},
        {{"backup", "sync", media_, "--rule", "delete", "--data-root", root_}, kExitBadArgument},
        {{"backup", "move", media_, "--data-root", root_}, kExitBadArgument},
        {{"backup", "copy", "--data-root", root_}, kExitBadArgument},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[1] + " " + c.arguments[2]);
        const Outcome outcome = RunCommand(c.arguments);
        EXPECT_EQ(outcome.code, c.code) << outcome.err;
        if (c.code == kExitBackupFailed) {
            EXPECT_FALSE(outcome.json["success"].toBool());
        }
    }
    EXPECT_FALSE(QDir(temp_.filePath("root/Записи/Индикт")).exists());
}

}  // namespace
}  // namespace indikt::cli
