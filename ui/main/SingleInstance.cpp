#include "ui/main/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString &dataFolderPath, QObject *parent)
    : QObject(parent)
{
    const QString canonical = QFileInfo(dataFolderPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_serverName = QStringLiteral("pantrova-%1").arg(QString::fromLatin1(hash));
    // The lock lies beside the data folder, so it works even when the folder is missing.
    const QString lockPath = QFileInfo(canonical).absoluteDir().filePath(QStringLiteral(".pantrova.lock"));
    m_lock = std::make_unique<QLockFile>(lockPath);
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            QLocalSocket socket;
            socket.connectToServer(m_serverName);
            if (socket.waitForConnected(1000)) {
                socket.write("activate\n");
                socket.waitForBytesWritten(1000);
                socket.disconnectFromServer();
            }
            return false;
        }
        // The lock cannot be made (a read-only folder, say): run unguarded rather than not at all.
        return true;
    }
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit activationRequested();
        }
    });
    m_server->listen(m_serverName);
    return true;
}
