#include "notifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace indikt {

namespace {
constexpr const char* kInterface = "org.freedesktop.Notifications";
constexpr const char* kOpenAction = "default";
constexpr int kCallTimeoutMs = 3000;
}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent) : Notifier(parent), bus_(std::move(bus))
{
    if (!bus_.isConnected())
        return;
    bus_.connect(kService, kPath, kInterface, "ActionInvoked", this, SLOT(onActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, "NotificationClosed", this, SLOT(onClosed(uint, uint)));
}

std::optional<uint> DesktopNotifier::show(const Notification& notification)
{
    if (!bus_.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
    QStringList actions;
    if (!notification.action.isEmpty())
        actions << kOpenAction << notification.action;
    call << QStringLiteral("indikt") << uint(0) << QStringLiteral("indikt") << notification.title << notification.body
         << actions << QVariantMap() << int(-1);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const uint id = reply.arguments().constFirst().toUInt(&ok);
    return ok ? std::optional<uint>(id) : std::nullopt;
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action_key)
{
    if (action_key == QLatin1String(kOpenAction))
        emit actionInvoked(id);
}

void DesktopNotifier::onClosed(uint id, uint) { emit closed(id); }

}  // namespace indikt
