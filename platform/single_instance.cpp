#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QThread>

namespace indikt {

namespace {
constexpr char kShowRequest[] = "show\n";
}

SingleInstance::SingleInstance(QString key, const QString& lock_folder, QObject* parent)
    : QObject(parent), key_(std::move(key)), lock_(QDir(lock_folder).filePath(key_ + ".lock"))
{
    // A lock is stale only when its process is gone, never by its age.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray request = socket->readAll().trimmed();
                if (request.startsWith("show")) {
                    // Only a well-formed date is passed on.
                    const QString date = QString::fromLatin1(request.mid(4).trimmed().left(10));
                    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
                    emit showRequested(iso.match(date).hasMatch() ? date : QString());
                }
                socket->disconnectFromServer();
            });
        }
    });
}

bool SingleInstance::TryBecomeFirst()
{
    first_ = first_ || lock_.tryLock(0);
    return first_;
}

bool SingleInstance::AskRunningCopyToShow(int timeout_ms, const QString& iso_date)
{
    const QDeadlineTimer deadline(timeout_ms);
    do {
        QLocalSocket socket;
        socket.connectToServer(key_);
        if (socket.waitForConnected(int(qMax<qint64>(1, qMin<qint64>(deadline.remainingTime(), 500))))) {
            socket.write(iso_date.isEmpty() ? QByteArray(kShowRequest) : "show " + iso_date.toLatin1() + "\n");
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

bool SingleInstance::Listen()
{
    if (!first_)
        return false;
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(key_))
        return true;
    // This copy holds the lock, so a socket file still there is a leftover.
    QLocalServer::removeServer(key_);
    return server_.listen(key_);
}

QString SingleInstanceKey(const QString& user_id, const QString& data_root)
{
    const QString canonical = QFileInfo(data_root).canonicalFilePath();
    const QByteArray root =
        (canonical.isEmpty() ? QDir::cleanPath(QDir(data_root).absolutePath()) : canonical).toUtf8();
    const QByteArray digest =
        QCryptographicHash::hash(user_id.toUtf8() + '\0' + root, QCryptographicHash::Sha256).toHex();
    return "indikt-" + QString::fromLatin1(digest.left(24));
}

QString SingleInstanceLockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
}

}  // namespace indikt
