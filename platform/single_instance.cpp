#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace indikt {

namespace {
constexpr char kShowRequest[] = "show\n";
}

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("show"))
                    emit showRequested();
                socket->disconnectFromServer();
            });
        }
    });
}

bool SingleInstance::AskRunningCopyToShow(int timeout_ms)
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeout_ms))
        return false;
    socket.write(kShowRequest);
    const bool sent = socket.waitForBytesWritten(timeout_ms);
    socket.disconnectFromServer();
    return sent;
}

bool SingleInstance::Listen()
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(key_))
        return true;
    // Nobody answered before, so a socket file still there is a leftover.
    QLocalServer::removeServer(key_);
    return server_.listen(key_);
}

QString SingleInstanceKey(const QString& user, const QString& data_root)
{
    const QByteArray root = QDir::cleanPath(QDir(data_root).absolutePath()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(user.toUtf8() + '\0' + root, QCryptographicHash::Sha256).toHex();
    return "indikt-" + QString::fromLatin1(digest.left(24));
}

}  // namespace indikt
