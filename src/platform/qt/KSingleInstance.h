#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One running instance per user: the first process holds a lock file and
// listens on a local socket; a later one asks it to come forward, handing over
// the file it was started with, and ends.
class KSingleInstance : public QObject {
    Q_OBJECT

public:
    // key names the lock and the socket; the user's name is added to it.
    explicit KSingleInstance(const QString &key, QObject *parent = nullptr);
    ~KSingleInstance() override;

    // True when this process is the first: it then listens for later starts.
    bool TryBecomePrimary();
    // Asks the first process to show its window; true when it answered.
    bool ActivatePrimary(int timeoutMs = 3000) { return SendToPrimary(QString(), timeoutMs); }
    // Asks the first process to show its window and, when path is not empty, to open
    // that file; true when it answered.
    bool SendToPrimary(const QString &path, int timeoutMs = 3000);

    // The file a start was given: the first argument after the program's name when it is
    // a path (or a file URL), made absolute; empty when there is none. Options and any
    // further arguments are ignored.
    static QString PathArgument(const QStringList &arguments);

    QString LockPath() const { return lockPath_; }
    QString ServerName() const { return serverName_; }

    // A request line is at most this long; a longer one is dropped with its connection.
    static constexpr qint64 MaxRequestLength = 64 * 1024;

signals:
    void ActivationRequested();
    // After ActivationRequested, when the later start named a file.
    void OpenRequested(const QString &path);

private:
    void Serve(QLocalSocket *socket);

    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};
