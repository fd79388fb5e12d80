// The desktop notifications against a fake notification service on a
// private session bus (the test runs under dbus-run-session): what the
// program sends, the action that comes back, and a bus where nobody answers.
#include "platform/notifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

namespace indikt {
namespace {

constexpr const char* kFakeConnection = "fake-notification-service";

struct Received {
    QString app_name;
    QString summary;
    QString body;
    QStringList actions;
};

// The service a desktop runs, reduced to Notify. It answers from a thread of
// its own, since the program's call waits for the reply.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    std::mutex mutex;
    std::vector<Received> received;

public slots:
    uint Notify(const QString& app_name, uint, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int)
    {
        const std::lock_guard lock(mutex);
        received.push_back({app_name, summary, body, actions});
        return 40 + uint(received.size());
    }
};

class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus: run under dbus-run-session";
    }
    void TearDown() override
    {
        if (thread.isRunning()) {
            QMetaObject::invokeMethod(service, [] {
                QDBusConnection::disconnectFromBus(kFakeConnection);
            }, Qt::BlockingQueuedConnection);
            thread.quit();
            thread.wait();
        }
        delete service;
    }
    void startService()
    {
        service = new FakeNotificationService;
        service->moveToThread(&thread);
        thread.start();
        std::atomic<bool> registered = false;
        QMetaObject::invokeMethod(service, [this, &registered] {
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kFakeConnection);
            registered = bus.registerService(DesktopNotifier::kService) &&
                         bus.registerObject(DesktopNotifier::kPath, service, QDBusConnection::ExportAllSlots);
        }, Qt::BlockingQueuedConnection);
        ASSERT_TRUE(registered);
    }
    void emitFromService(const char* signal, const QVariantList& arguments)
    {
        QMetaObject::invokeMethod(service, [signal, arguments] {
            QDBusMessage message = QDBusMessage::createSignal(DesktopNotifier::kPath, DesktopNotifier::kService, signal);
            message.setArguments(arguments);
            QDBusConnection(kFakeConnection).send(message);
        }, Qt::BlockingQueuedConnection);
    }

    QThread thread;
    FakeNotificationService* service = nullptr;
};

TEST_F(NotificationsTest, NoServiceOnTheBusIsNoNotification)
{
    DesktopNotifier notifier;
    EXPECT_EQ(notifier.show({" Индикт ", "текст", {}}), std::nullopt);
    DesktopNotifier unconnected(QDBusConnection("never-connected"));
    EXPECT_EQ(unconnected.show({" Индикт ", "текст", {}}), std::nullopt);
}

TEST_F(NotificationsTest, TheMessageGoesToTheServiceAndItsActionComesBack)
{
    startService();
    DesktopNotifier notifier;
    QSignalSpy invoked(&notifier, &Notifier::actionInvoked);
    QSignalSpy closed(&notifier, &Notifier::closed);

    const std::optional<uint> first = notifier.show({" Индикт ", "События Вт 8 дек 2026 г.:\n10:00 — Звонок", "Открыть календарь"});
    const std::optional<uint> second = notifier.show({" Индикт ", "без действия", {}});
    ASSERT_EQ(first, 41u);
    ASSERT_EQ(second, 42u);
    {
        const std::lock_guard lock(service->mutex);
        ASSERT_EQ(service->received.size(), 2u);
        EXPECT_EQ(service->received[0].app_name, "indikt");
        EXPECT_EQ(service->received[0].summary, " Индикт ");
        EXPECT_EQ(service->received[0].body, "События Вт 8 дек 2026 г.:\n10:00 — Звонок");
        EXPECT_EQ(service->received[0].actions, QStringList({"default", "Открыть календарь"}));
        EXPECT_TRUE(service->received[1].actions.isEmpty());
    }

    // The bus delivers the service's signals once it knows who owns the
    // name: one signal that arrives shows the way is open.
    for (int tries = 0; tries < 50 && closed.isEmpty(); ++tries) {
        emitFromService("NotificationClosed", {uint(99), uint(2)});
        closed.wait(100);
    }
    ASSERT_FALSE(closed.isEmpty());
    closed.clear();

    // The user clicks the first one; another program's action key means nothing.
    emitFromService("ActionInvoked", {uint(41), QString("other")});
    emitFromService("ActionInvoked", {uint(41), QString("default")});
    emitFromService("NotificationClosed", {uint(41), uint(2)});
    for (int tries = 0; tries < 50 && (closed.isEmpty() || closed.last().front().toUInt() != 41u); ++tries)
        closed.wait(100);
    ASSERT_EQ(invoked.size(), 1);
    EXPECT_EQ(invoked.front().front().toUInt(), 41u);
    EXPECT_EQ(closed.last().front().toUInt(), 41u);
}

}  // namespace
}  // namespace indikt

#include "notifications_test.moc"
