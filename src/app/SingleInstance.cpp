#include "app/SingleInstance.h"

#include "platform/SessionChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace telmo {

namespace {
const char kActivate[] = "activate\n";
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

QString SingleInstance::DefaultServerName() {
    return SessionChannelName(QStringLiteral("telmo"));
}

bool SingleInstance::AnotherIsRunning() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(1000)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen(std::function<void()> onActivate) {
    onActivate_ = std::move(onActivate);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        // Nobody answered on the name (checked before), so what is there was left by a crash.
        QLocalServer::removeServer(serverName_);
        if (!server_->listen(serverName_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("activate") && onActivate_) onActivate_();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

} // namespace telmo
