// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include "platform/InstanceProtocol.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kTimeoutMs = 1000;

bool OwnedPrivateFolder(const QByteArray &path) {
    struct stat st {};
    return lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & 077) == 0;
}

// Where this user alone can create names: $XDG_RUNTIME_DIR, or else a
// folder of mode 0700 of our own in the temporary folder. Empty when
// neither can be trusted.
QString PrivateFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && OwnedPrivateFolder(runtime)) {
        return QFile::decodeName(runtime);
    }
    const QString folder = QDir::tempPath() + QStringLiteral("/tamblin-%1").arg(getuid());
    const QByteArray f = QFile::encodeName(folder);
    if (mkdir(f.constData(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    // Made by someone else, or opened up: not ours to use.
    return OwnedPrivateFolder(f) ? folder : QString();
}

// True when nothing is at the path, or a socket of this user is.
bool TrustedOrAbsent(const QString &path) {
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return errno == ENOENT;
    }
    return S_ISSOCK(st.st_mode) && st.st_uid == getuid();
}

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    const QString folder = PrivateFolder();
    if (folder.isEmpty()) {
        return {};
    }
    // Per installation, so that a test build does not find the copy the user
    // is playing from.
    const QByteArray where =
        QCryptographicHash::hash(QCoreApplication::applicationFilePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return folder + QStringLiteral("/tamblin-%1").arg(QString::fromLatin1(where));
}

bool SingleInstance::AskRunningInstance(const QString &sFile,
                                        const instanceprotocol::Request &open) {
    const QString name = ServerName();
    // A socket planted by someone else is never talked to: start normally.
    if (name.isEmpty() || !TrustedOrAbsent(name)) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kTimeoutMs)) {
        return false;
    }
    using instanceprotocol::Request;
    Request request = open;
    request.kind = sFile.isEmpty() ? Request::Kind::Activate : Request::Kind::Open;
    request.path = sFile;
    socket.write(instanceprotocol::Encode(request));
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    const QString name = ServerName();
    if (name.isEmpty() || !TrustedOrAbsent(name)) {
        return false; // runs alone, unfindable
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        // A socket left by a crashed instance: nobody answered on it above.
        QLocalServer::removeServer(name);
        if (!m_server->listen(name)) {
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            auto pending = std::make_shared<QByteArray>();
            // Bound to the socket: never called once it is gone.
            connect(s, &QLocalSocket::readyRead, s, [this, s, pending] {
                pending->append(s->readAll());
                std::vector<instanceprotocol::Request> requests;
                if (!instanceprotocol::TakeRequests(*pending, requests)) {
                    s->abort();
                }
                // Answered from the event loop, after this handler: opening a
                // sheet may show a message box, whose nested loop would delete
                // the socket under a handler still reading it.
                for (const instanceprotocol::Request &r : requests) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, r] {
                            emit ActivateRequested();
                            if (r.kind == instanceprotocol::Request::Kind::Open) {
                                emit OpenRequested(r);
                            }
                        },
                        Qt::QueuedConnection);
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}
