#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int kTimeoutMs = 1000;
const QByteArray kActivate = "activate\n";
} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    // Per user, and per installation so that a test build does not find the
    // copy the user is playing from.
    const QByteArray where =
        QCryptographicHash::hash(QCoreApplication::applicationFilePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QStringLiteral("tamblin-%1-%2").arg(getuid()).arg(QString::fromLatin1(where));
}

bool SingleInstance::AskRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kTimeoutMs)) {
        return false;
    }
    socket.write(kActivate);
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(ServerName())) {
        // A socket left by a crashed instance: nobody answered on it above.
        QLocalServer::removeServer(ServerName());
        if (!m_server->listen(ServerName())) {
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("activate")) {
                    emit ActivateRequested();
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}
