#include "gui/app/InstanceChannel.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QLocalSocket>

namespace varelo {

namespace {
constexpr int kWaitMs = 2000;
// A request is a path and a newline; anything longer than this is not a request.
constexpr qint64 kMaxRequestBytes = 4096;
}  // namespace

InstanceChannel::InstanceChannel(const QString& settingsPath, QObject* parent) : QObject(parent) {
    const QByteArray key =
        QCryptographicHash::hash(settingsPath.toUtf8(), QCryptographicHash::Sha1);
    name_ = QString("varelo-%1-%2").arg(getuid()).arg(QString::fromLatin1(key.toHex().left(12)));
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::Receive);
}

bool InstanceChannel::SendToRunning(const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(path.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}

bool InstanceChannel::Listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_)) return true;
    // A program that ended without closing leaves its socket behind.
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void InstanceChannel::Receive() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequestBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine()) return;
            const QString path = QString::fromUtf8(socket->readLine()).trimmed();
            socket->disconnectFromServer();
            emit FileRequested(path);
        });
    }
}

}  // namespace varelo
