#include "platform/qt/KSingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QUrl>

namespace {
// Requests, one line each: "activate", or "open " and the percent-encoded UTF-8 path.
const QByteArray ActivateRequest = "activate\n";
const QByteArray OpenPrefix = "open ";
const QByteArray Reply = "ok\n";

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
        QCryptographicHash::hash((key + "|" + UserName()).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
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
        while (QLocalSocket *socket = server_->nextPendingConnection())
            Serve(socket);
    });
    return true;
}

void KSingleInstance::Serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > MaxRequestLength)
                socket->disconnectFromServer();
            return;
        }
        const QByteArray line = socket->readLine(MaxRequestLength + 1);
        QString path;
        bool known = line == ActivateRequest;
        if (!known && line.startsWith(OpenPrefix) && line.endsWith('\n')) {
            path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(OpenPrefix.size()).chopped(1)));
            known = !path.isEmpty();
        }
        if (known) {
            socket->write(Reply);
            socket->flush();
        }
        socket->disconnectFromServer();
        if (!known)
            return;
        emit ActivationRequested();
        if (!path.isEmpty())
            emit OpenRequested(path);
    });
}

bool KSingleInstance::SendToPrimary(const QString &path, int timeoutMs)
{
    const QByteArray request =
        path.isEmpty() ? ActivateRequest : OpenPrefix + path.toUtf8().toPercentEncoding() + "\n";
    QDeadlineTimer deadline(timeoutMs);
    // The first process may still be starting: try again until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(250)) {
            socket.write(request);
            socket.flush();
            socket.waitForBytesWritten(500);
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                ;
            return socket.canReadLine() && socket.readLine() == Reply;
        }
        QThread::msleep(100);
    }
    return false;
}

QString KSingleInstance::PathArgument(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return QString();
    const QString &argument = arguments.at(1);
    if (argument.isEmpty() || argument.startsWith('-'))
        return QString();
    // A URL: only a local file's is taken (file managers may pass "file://...").
    if (argument.contains("://") || argument.startsWith("file:", Qt::CaseInsensitive)) {
        const QUrl url(argument);
        return url.isLocalFile() ? QFileInfo(url.toLocalFile()).absoluteFilePath() : QString();
    }
    return QFileInfo(argument).absoluteFilePath();
}
