#include "platform/qt/KSingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {
const QByteArray ActivateRequest = "activate\n";
const QByteArray ActivateReply = "ok\n";

QString UserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user;
}
} // namespace

KSingleInstance::KSingleInstance(const QString &key, QObject *parent) : QObject(parent)
{
    const QByteArray hash =
        QCryptographicHash::hash((key + "|" + UserName()).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString base = key + "-" + QString::fromLatin1(hash);
    lockPath_ = QDir(QDir::tempPath()).filePath(base + ".lock");
    serverName_ = base;
}

KSingleInstance::~KSingleInstance()
{
    if (server_ != nullptr)
        server_->close();
    if (lock_)
        lock_->unlock();
}

bool KSingleInstance::TryBecomePrimary()
{
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Only a lock whose process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    // We hold the lock, so any socket left behind belongs to a dead process.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_))
        qWarning("Orvella: cannot listen for later starts: %s", qPrintable(server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == ActivateRequest) {
                    socket->write(ActivateReply);
                    socket->flush();
                    emit ActivationRequested();
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

bool KSingleInstance::ActivatePrimary(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    // The first process may still be starting: try again until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(250)) {
            socket.write(ActivateRequest);
            socket.flush();
            socket.waitForBytesWritten(500);
            while (!socket.canReadLine() && socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                ;
            return socket.canReadLine() && socket.readLine() == ActivateReply;
        }
        QThread::msleep(100);
    }
    return false;
}
