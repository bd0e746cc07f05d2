#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tarvel {

namespace {
const QByteArray kRaiseRequest = "raise\n";
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}
SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    QString user = qEnvironmentVariable("USER", "user");
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QByteArray hash = QCryptographicHash::hash(config.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("QelMutex-%1-%2").arg(user, QString::fromLatin1(hash));
}

bool SingleInstance::AskRunningInstanceToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    socket.flush();
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::Listen() {
    mServer = std::make_unique<QLocalServer>();
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered on the name, so a socket file left by an editor that crashed is stale.
    QLocalServer::removeServer(ServerName());
    if (!mServer->listen(ServerName())) return false;
    connect(mServer.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = mServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kRaiseRequest.trimmed())) emit raiseRequested();
        });
    }
}

} // namespace tarvel
