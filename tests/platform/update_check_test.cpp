#include "platform/update_check.h"

#include "file_helpers.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace indikt {
namespace {

// One answer per connection, or none (the stalled server).
class SiteServer {
public:
    explicit SiteServer(QByteArray response, bool answer = true) : response_(std::move(response)), answer_(answer)
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                ++connections_;
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    requests_ += socket->readAll();
                    if (!answer_ || !requests_.contains("\r\n\r\n"))
                        return;
                    socket->write(response_);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString address() const { return QString("http://127.0.0.1:%1").arg(server_.serverPort()); }
    int connections() const { return connections_; }
    const QByteArray& requests() const { return requests_; }

private:
    QTcpServer server_;
    QByteArray response_;
    bool answer_;
    int connections_ = 0;
    QByteArray requests_;
};

QByteArray Http(int status, const QByteArray& body, const char* type = "text/plain")
{
    return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// An address nobody listens on: a server's port, closed again.
QString DeadAddress()
{
    QTcpServer server;
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    return QString("http://127.0.0.1:%1").arg(port);
}

struct CheckRun {
    UpdateOutcome outcome;
    QStringList statuses;
    int finished = 0;
};

CheckRun Check(const QString& data_root, const QString& primary, const QString& fallback, int own_version = 253,
          int timeout_ms = 3000)
{
    CheckRun run;
    UpdateCheck check(data_root);
    check.setTransferTimeout(timeout_ms);
    QObject::connect(&check, &UpdateCheck::statusChanged, [&run](const QString& text) { run.statuses << text; });
    QObject::connect(&check, &UpdateCheck::finished, [&run](const UpdateOutcome& outcome) {
        run.outcome = outcome;
        ++run.finished;
    });
    QSignalSpy done(&check, &UpdateCheck::finished);
    check.start(primary, fallback, own_version);
    EXPECT_TRUE(check.running());
    EXPECT_TRUE(done.wait(timeout_ms * 3 + 2000));
    EXPECT_FALSE(check.running());
    return run;
}

TEST(UpdateVersion, NumbersOfDottedVersions)
{
    struct Case { const char* dotted; int number; };
    const Case cases[] = {
        {"2.5.3", 253},   // the site's own example
        {"0.1.0", 10},
        {"1.0.0", 100},
        {"1.2", 120},
        {"1.2.3.4", 123},
        {"x.2.3", 23},
        {"", 0},
        {"12.0.0", 0},    // a part is one digit
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionNumberOf(c.dotted), c.number) << c.dotted;
    EXPECT_EQ(ProgramVersionNumber(), VersionNumberOf(INDIKT_VERSION));
}

TEST(UpdateVersion, WhichAnswersAreUpdateFiles)
{
    struct Case { int status; const char* body; std::optional<int> version; };
    const Case cases[] = {
        {200, "[version]\r\nindvr=254\r\n", 254},
        {200, "[Version]\nindvr = 12\n", 12},
        {200, "[version]\r\n", 253},                   // no key: the program's own version
        {200, "[version]\r\nindvr=new\r\n", 253},
        {200, "[other]\r\nindvr=300\r\n", std::nullopt},
        {200, "", std::nullopt},
        {404, "[version]\r\nindvr=300\r\n", std::nullopt},
        {302, "[version]\r\nindvr=300\r\n", std::nullopt},
        {200, "<html><body>[version]<br>indvr=300</body></html>", std::nullopt},  // a portal's page
        {204, "[version]\r\nindvr=300\r\n", 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionOfAnswer(c.status, c.body, 253), c.version) << c.status << ' ' << c.body;
    EXPECT_EQ(VersionOfAnswer(200, "[version]\r\nindvr=1\r\n" + QByteArray(kMaxUpdateFileBytes, ' '), 253), std::nullopt);
}

TEST(UpdateVersion, SiteAddresses)
{
    EXPECT_EQ(SiteBase(" example.org/ "), "https://example.org");
    EXPECT_EQ(SiteBase("http://127.0.0.1:8080//"), "http://127.0.0.1:8080");
    EXPECT_EQ(SiteBase(""), "");
    EXPECT_EQ(ProgramPage("example.org"), "https://example.org/calendar.htm");
}

TEST(UpdateCheck, AnswersOfTheSites)
{
    struct Case {
        const char* what;
        QByteArray response;
        UpdateOutcome::Kind kind;
        int version;
    };
    const Case cases[] = {
        {"newer", Http(200, "[version]\r\nindvr=254\r\n"), UpdateOutcome::Kind::Newer, 254},
        {"same", Http(200, "[version]\r\nindvr=253\r\n"), UpdateOutcome::Kind::Latest, 253},
        {"older", Http(200, "[version]\r\nindvr=100\r\n"), UpdateOutcome::Kind::Latest, 100},
        {"no key", Http(200, "[version]\r\n"), UpdateOutcome::Kind::Latest, 253},
        {"404", Http(404, "<html><body>Not found</body></html>", "text/html"), UpdateOutcome::Kind::Failed, 0},
        {"empty", Http(200, ""), UpdateOutcome::Kind::Failed, 0},
        {"portal", Http(200, "<html><body>[version] Вход в сеть</body></html>", "text/html"), UpdateOutcome::Kind::Failed, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        SiteServer site(c.response);
        const CheckRun run = Check(root.path(), site.address(), "");
        EXPECT_EQ(run.finished, 1);
        EXPECT_EQ(run.outcome.kind, c.kind);
        EXPECT_TRUE(site.requests().startsWith("GET /update.ini HTTP/1.1\r\n")) << site.requests().constData();
        ASSERT_FALSE(run.statuses.isEmpty());
        EXPECT_EQ(run.statuses.first(), "Соединяемся с сайтом " + site.address() + "... ");
        if (c.kind == UpdateOutcome::Kind::Failed) {
            EXPECT_FALSE(QFileInfo::exists(root.path() + "/update.ini")) << "only a valid answer is kept";
            EXPECT_FALSE(run.statuses.contains("Проверка версии..."));
        } else {
            EXPECT_EQ(run.outcome.version, c.version);
            EXPECT_EQ(run.outcome.site, 0);
            EXPECT_EQ(run.outcome.site_address, site.address());
            EXPECT_EQ(run.statuses.last(), "Проверка версии...");
            EXPECT_EQ(ReadBytes(root.path() + "/update.ini"), c.response.mid(c.response.indexOf("\r\n\r\n") + 4));
        }
    }
}

TEST(UpdateCheck, AStalledSiteTimesOutAndTheFallbackAnswers)
{
    QTemporaryDir root;
    SiteServer stalled("", false);
    SiteServer fallback(Http(200, "[version]\r\nindvr=300\r\n"));
    const CheckRun run = Check(root.path(), stalled.address(), fallback.address(), 253, 500);
    EXPECT_EQ(stalled.connections(), 1);
    EXPECT_EQ(run.outcome.kind, UpdateOutcome::Kind::Newer);
    EXPECT_EQ(run.outcome.site, 1);
    EXPECT_EQ(run.outcome.site_address, fallback.address());
    EXPECT_EQ(run.statuses, QStringList({"Соединяемся с сайтом " + stalled.address() + "... ",
                                         "Соединяемся с сайтом " + fallback.address() + "... ", "Проверка версии..."}));
}

TEST(UpdateCheck, PrimaryDownFallbackUpAndBothDown)
{
    QTemporaryDir root;
    SiteServer fallback(Http(200, "[version]\r\nindvr=253\r\n"));
    CheckRun run = Check(root.path(), DeadAddress(), fallback.address());
    EXPECT_EQ(run.outcome.kind, UpdateOutcome::Kind::Latest);
    EXPECT_EQ(run.outcome.site, 1);

    QTemporaryDir other_root;
    run = Check(other_root.path(), DeadAddress(), DeadAddress());
    EXPECT_EQ(run.finished, 1);
    EXPECT_EQ(run.outcome.kind, UpdateOutcome::Kind::Failed);
    EXPECT_EQ(run.outcome.site, -1);
    EXPECT_FALSE(QFileInfo::exists(other_root.path() + "/update.ini"));

    // No address at all: nothing is asked, and the check ends failed.
    run = Check(other_root.path(), "", "");
    EXPECT_EQ(run.outcome.kind, UpdateOutcome::Kind::Failed);
    EXPECT_TRUE(run.statuses.isEmpty());
}

TEST(UpdateCheck, AnUnwritableDataRootStillAnswersAndSaysWhy)
{
    QTemporaryDir root;
    SiteServer site(Http(200, "[version]\r\nindvr=254\r\n"));
    const CheckRun run = Check(root.path() + "/missing-folder", site.address(), "");
    EXPECT_EQ(run.outcome.kind, UpdateOutcome::Kind::Newer);
    EXPECT_FALSE(run.outcome.save_error.isEmpty());
}

}  // namespace
}  // namespace indikt
