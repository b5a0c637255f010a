#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// One running instance per user: the first process holds a lock file and
// listens on a local socket; a later one asks it to come forward and ends.
class KSingleInstance : public QObject {
    Q_OBJECT

public:
    // key names the lock and the socket; the user's name is added to it.
    explicit KSingleInstance(const QString &key, QObject *parent = nullptr);
    ~KSingleInstance() override;

    // True when this process is the first: it then listens for later starts.
    bool TryBecomePrimary();
    // Asks the first process to show its window; true when it answered.
    bool ActivatePrimary(int timeoutMs = 3000);

    QString LockPath() const { return lockPath_; }
    QString ServerName() const { return serverName_; }

signals:
    void ActivationRequested();

private:
    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};
