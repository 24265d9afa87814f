#include "qt/LocalInstanceGuard.h"

#include <QLocalSocket>
#include <QStandardPaths>
#include <cstdlib>

namespace {
constexpr int kConnectTimeoutMs = 500;
const QByteArray kRaise = "raise\n";
} // namespace

LocalInstanceGuard::LocalInstanceGuard(QString name) : m_name(std::move(name)) {
    connect(&m_server, &QLocalServer::newConnection, this, &LocalInstanceGuard::OnNewConnection);
}

QString LocalInstanceGuard::DefaultName() {
    const char* user = std::getenv("USER");
    return QStringLiteral("EARLARKMAINCLASS-") + QString::fromLocal8Bit(user ? user : "user");
}

bool LocalInstanceGuard::AnotherInstanceRunning() {
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(kConnectTimeoutMs)) {
        return true;
    }
    // Nobody answers: a socket left by a crashed copy is stale, take the name over.
    QLocalServer::removeServer(m_name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_name);
    return false;
}

void LocalInstanceGuard::ActivateOtherInstance() {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
        socket.write(kRaise);
        socket.waitForBytesWritten(kConnectTimeoutMs);
        socket.disconnectFromServer();
    }
}

void LocalInstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("raise")) {
                emit activationRequested();
            }
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
