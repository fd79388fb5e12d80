#pragma once

// Desktop notifications: the freedesktop service org.freedesktop.Notifications
// on the session bus, which every Linux desktop runs. Behind one interface so
// the reminders can be tested with a fake, and can tell when no service
// answers (then they show the message another way).

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

namespace indikt {

struct Notification {
    QString title;
    QString body;
    QString action;  // the caption of the action that opens the program; empty for none
};

class Notifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The notification's number, or nothing when no service took it.
    virtual std::optional<uint> show(const Notification& notification) = 0;

signals:
    void actionInvoked(uint id);
    void closed(uint id);
};

class DesktopNotifier : public Notifier {
    Q_OBJECT
public:
    explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    std::optional<uint> show(const Notification& notification) override;

    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";

private slots:
    void onActionInvoked(uint id, const QString& action_key);
    void onClosed(uint id, uint reason);

private:
    QDBusConnection bus_;
};

}  // namespace indikt
