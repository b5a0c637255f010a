#include "platform/qt/KSingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {
// Requests, one line each: "activate", or "open " and the percent-encoded UTF-8 path.
const QByteArray ActivateRequest = "activate\n";
const QByteArray OpenPrefix = "open ";
const QByteArray Reply = "ok\n";

#ifdef Q_OS_LINUX
// Linux tells the user at the other end of a local socket; elsewhere the private folder is
// the only guard.
constexpr bool KnowsPeers = true;
#else
constexpr bool KnowsPeers = false;
#endif

#ifdef Q_OS_UNIX
QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
#endif

QString Pick(int language, const QString &japanese, const QString &english)
{
    return language == 1 ? english : japanese;
}
} // namespace

KSingleInstance::KSingleInstance(const QString &key, QObject *parent)
    : QObject(parent), peerUid_(&KSingleInstance::SocketPeerUid)
{
#ifdef Q_OS_UNIX
    QStringList rejected;
    folder_ = PrivateFolder(DefaultFolders(), &rejected);
    if (folder_.isEmpty())
        troubleDetail_ = rejected.join('\n');
    const QString base = key + "-" + QString::number(UserId());
#else
    // The temporary folder and the pipe names are the user's own on Windows.
    folder_ = QDir::tempPath();
    const QString user = qEnvironmentVariable("USERNAME");
    const QString base =
        key + "-" +
        QString::fromLatin1(
            QCryptographicHash::hash((key + "|" + user).toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
#endif
    if (!folder_.isEmpty()) {
        lockPath_ = QDir(folder_).filePath(base + ".lock");
        serverName_ = QDir(folder_).filePath(base + ".socket");
    }
}

KSingleInstance::~KSingleInstance()
{
    if (server_ != nullptr)
        server_->close();
    if (lock_)
        lock_->unlock();
}

qint64 KSingleInstance::UserId()
{
#ifdef Q_OS_UNIX
    return qint64(::getuid());
#else
    return -1;
#endif
}

std::optional<qint64> KSingleInstance::SocketPeerUid(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials)
        return std::nullopt;
    return qint64(credentials.uid);
#else
    Q_UNUSED(descriptor);
    return std::nullopt;
#endif
}

QStringList KSingleInstance::DefaultFolders()
{
    QStringList folders;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        folders << runtime;
    // Without the variable (su, cron, a bare terminal), the folder a login would have given,
    // and last one of our own; never beside TMPDIR, which may differ from one start to the next.
    folders << QString("/run/user/%1").arg(UserId()) << QString("/tmp/orvella-%1").arg(UserId());
    return folders;
}

QString KSingleInstance::PrivateFolder(const QStringList &candidates, QStringList *rejected)
{
#ifdef Q_OS_UNIX
    const uid_t uid = ::getuid();
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QString &folder = candidates.at(i);
        const bool ours = i == candidates.size() - 1; // the one we may make and mend
        auto reject = [&](const QString &why) {
            if (rejected)
                *rejected << folder + ": " + why;
        };
        if (!QDir::isAbsolutePath(folder)) {
            reject("not an absolute path");
            continue;
        }
        const QByteArray native = QFile::encodeName(folder);
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0) {
            const int error = errno;
            if (!(ours && error == ENOENT && ::mkdir(native.constData(), 0700) == 0 &&
                  ::lstat(native.constData(), &st) == 0)) {
                reject(SystemError(error));
                continue;
            }
        }
        if (S_ISLNK(st.st_mode)) {
            reject("a symbolic link");
            continue;
        }
        if (!S_ISDIR(st.st_mode)) {
            reject("not a folder");
            continue;
        }
        if (st.st_uid != uid) {
            reject(QString("belongs to user %1").arg(st.st_uid));
            continue;
        }
        if ((st.st_mode & 077) != 0 && !(ours && ::chmod(native.constData(), 0700) == 0)) {
            reject(QString("open to others (mode %1)").arg(st.st_mode & 0777, 3, 8, QChar('0')));
            continue;
        }
        return folder;
    }
    return QString();
#else
    Q_UNUSED(rejected);
    return candidates.isEmpty() ? QString() : candidates.first();
#endif
}

KSingleInstance::Outcome KSingleInstance::Start(const QString &path, int answerMs)
{
    if (folder_.isEmpty()) {
        trouble_ = Trouble::NoPrivateFolder;
        return Outcome::CannotStart;
    }
    // A lock taken over may be taken by a start beside this one: a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        if (TryBecomePrimary())
            return Outcome::First;
        if (trouble_ == Trouble::LockUnusable)
            return Outcome::CannotStart;
        if (!LockFileIsOurs()) {
            // Made by someone else, or changeable by others: never obeyed.
            if (!ReplaceLock())
                return Outcome::CannotStart;
            continue;
        }
        if (SendToPrimary(path, answerMs))
            return Outcome::HandedOver;
        // Another user's process serves our socket: waiting longer gives it nothing more, and
        // the user is told whose it is rather than that the planner does not answer.
        if (trouble_ == Trouble::ForeignPeer)
            return Outcome::CannotStart;
        // A planner of ours may be busy starting: it gets as long again.
        if (LockHolder() == Holder::Planner && SendToPrimary(path, answerMs))
            return Outcome::HandedOver;
        if (LockHolder() == Holder::Planner) {
            qint64 pid = 0;
            QString host, app;
            QLockFile(lockPath_).getLockInfo(&pid, &host, &app);
            trouble_ = Trouble::NoAnswer;
            troubleDetail_ = QString::number(pid);
            return Outcome::CannotStart;
        }
        // The holder is gone, or is not this user's planner.
        if (!ReplaceLock())
            return Outcome::CannotStart;
    }
    trouble_ = Trouble::LockUnusable;
    troubleDetail_ = "taken over and lost again";
    return Outcome::CannotStart;
}

bool KSingleInstance::TryBecomePrimary()
{
    trouble_ = Trouble::None;
    if (folder_.isEmpty()) {
        trouble_ = Trouble::NoPrivateFolder;
        return false;
    }
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Only a lock whose process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
#ifdef Q_OS_UNIX
    // The lock is made for this user alone, from the first byte on.
    const mode_t mask = ::umask(077);
#endif
    const bool locked = lock_->tryLock(0);
#ifdef Q_OS_UNIX
    ::umask(mask);
#endif
    if (!locked) {
        if (lock_->error() != QLockFile::LockFailedError) {
            trouble_ = Trouble::LockUnusable;
            troubleDetail_ = lockPath_;
        }
        lock_.reset();
        return false;
    }
    // We hold the lock, so any socket left behind belongs to a dead process.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            if (FromSameUser(*socket)) {
                Serve(socket);
            } else {
                socket->abort();
                socket->deleteLater();
            }
        }
    });
    if (!server_->listen(serverName_)) {
        trouble_ = Trouble::CannotListen;
        troubleDetail_ = server_->errorString();
        qWarning("Orvella: cannot listen for later starts: %s", qPrintable(troubleDetail_));
    }
    return true;
}

bool KSingleInstance::FromSameUser(QLocalSocket &socket) const
{
    const std::optional<qint64> uid = peerUid_(socket.socketDescriptor());
    return uid ? *uid == UserId() : !KnowsPeers;
}

bool KSingleInstance::LockFileIsOurs() const
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::lstat(QFile::encodeName(lockPath_).constData(), &st) != 0)
        return true; // gone meanwhile: the next try decides
    return S_ISREG(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 022) == 0;
#else
    return true;
#endif
}

KSingleInstance::Holder KSingleInstance::LockHolder() const
{
    qint64 pid = 0;
    QString host, app;
    // A lock file a planner did not write (or no longer readable) holds nothing.
    if (!QLockFile(lockPath_).getLockInfo(&pid, &host, &app) || pid <= 0)
        return Holder::NotOurs;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return Holder::NotOurs;
#ifdef Q_OS_UNIX
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return Holder::Gone;
#endif
#ifdef Q_OS_LINUX
    struct stat st {};
    if (::stat(QByteArray("/proc/" + QByteArray::number(pid)).constData(), &st) == 0 &&
        st.st_uid != ::getuid())
        return Holder::NotOurs;
#endif
    return Holder::Planner;
}

bool KSingleInstance::ReplaceLock()
{
#ifdef Q_OS_UNIX
    // Removing needs only the right to change the folder, which is ours alone; a link is
    // removed, never what it points to.
    if (::unlink(QFile::encodeName(lockPath_).constData()) == 0 || errno == ENOENT)
        return true;
    trouble_ = Trouble::LockUnusable;
    troubleDetail_ = lockPath_ + ": " + SystemError(errno);
    return false;
#else
    if (QFile::remove(lockPath_) || !QFileInfo::exists(lockPath_))
        return true;
    trouble_ = Trouble::LockUnusable;
    troubleDetail_ = lockPath_;
    return false;
#endif
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
        if (known)
            Deliver(path);
    });
}

void KSingleInstance::Deliver(const QString &path)
{
    if (!delivering_) {
        held_ << path;
        return;
    }
    emit ActivationRequested();
    if (!path.isEmpty())
        emit OpenRequested(path);
}

void KSingleInstance::StartDelivering()
{
    delivering_ = true;
    const QStringList held = std::exchange(held_, QStringList());
    for (const QString &path : held)
        Deliver(path);
}

bool KSingleInstance::SendToPrimary(const QString &path, int timeoutMs)
{
    if (serverName_.isEmpty())
        return false;
    const QByteArray request =
        path.isEmpty() ? ActivateRequest : OpenPrefix + path.toUtf8().toPercentEncoding() + "\n";
#ifdef Q_OS_UNIX
    // A socket file another user made (our folder was open to them once) is not ours to use,
    // even where its mode would let no one connect.
    struct stat st {};
    if (::lstat(QFile::encodeName(serverName_).constData(), &st) == 0 && st.st_uid != ::getuid()) {
        trouble_ = Trouble::ForeignPeer;
        troubleDetail_ = serverName_;
        return false;
    }
#endif
    QDeadlineTimer deadline(timeoutMs);
    // The first process may still be starting: try again until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(250)) {
            // The path goes to no one but a process of this user.
            if (!FromSameUser(socket)) {
                trouble_ = Trouble::ForeignPeer;
                troubleDetail_ = serverName_;
                return false;
            }
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

QString KSingleInstance::TroubleText(int language) const
{
    if (language < 0)
        return TroubleText(0) + "\n\n" + TroubleText(1);
    switch (trouble_) {
    case Trouble::None:
        return QString();
    case Trouble::NoPrivateFolder:
        return Pick(language,
                    QString::fromUtf8("Orvella を起動できません。実行中の Orvella と連絡するための、"
                                      "このユーザーだけが使えるフォルダーがありません:\n"),
                    "Orvella cannot start: there is no folder only this user can use to reach a running "
                    "Orvella:\n") +
               troubleDetail_;
    case Trouble::LockUnusable:
        return Pick(language,
                    QString::fromUtf8("Orvella を起動できません。ロック ファイルを作ることも置き換えることも"
                                      "できません:\n"),
                    "Orvella cannot start: its lock file can be neither made nor replaced:\n") +
               troubleDetail_;
    case Trouble::NoAnswer:
        return Pick(language,
                    QString::fromUtf8("Orvella はすでに動いていますが (プロセス %1)、応答しません。"
                                      "そのプロセスを終了してから、もう一度起動してください。"),
                    "Orvella is already running (process %1) but does not answer. End that process, "
                    "then start Orvella again.")
            .arg(troubleDetail_);
    case Trouble::ForeignPeer:
        return Pick(language,
                    QString::fromUtf8(
                        "実行中の Orvella への連絡路を、別のユーザーのプロセスが使っています:\n"),
                    "The channel to a running Orvella is held by another user's process:\n") +
               troubleDetail_;
    case Trouble::CannotListen:
        return Pick(language,
                    QString::fromUtf8("後から起動した Orvella は、このウィンドウに連絡できません:\n"),
                    "Orvella started later cannot reach this window:\n") +
               troubleDetail_;
    }
    return QString();
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
