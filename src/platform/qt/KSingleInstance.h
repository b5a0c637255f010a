#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

// One running instance per user: the first process holds a lock file and listens on a local
// socket, both in a folder only the user can reach (the user's runtime folder); a later one
// asks it to come forward, handing over the file it was started with, and ends. Both ends
// talk only to processes of the same user.
class KSingleInstance : public QObject {
    Q_OBJECT

public:
    // key names the lock and the socket; the user's id is added to it.
    explicit KSingleInstance(const QString &key, QObject *parent = nullptr);
    ~KSingleInstance() override;

    enum class Outcome {
        First,      // this process runs the planner (see Trouble(): later starts may not reach it)
        HandedOver, // the running planner took the request: end with code 0
        CannotStart // neither: Trouble() says why, for a message box
    };
    // The whole decision of a start: become the first, or hand the path (may be empty) to the
    // running planner. A lock whose holder is gone or is not this user's planner, or a lock
    // file this user did not make, is taken over; a planner of this user that does not answer
    // within answerMs (nor within as long again) leaves this start CannotStart.
    Outcome Start(const QString &path, int answerMs = 3000);

    // The steps of Start. True when this process is the first: it then listens for later starts.
    bool TryBecomePrimary();
    // Asks the first process to show its window; true when it answered.
    bool ActivatePrimary(int timeoutMs = 3000) { return SendToPrimary(QString(), timeoutMs); }
    // Asks the first process to show its window and, when path is not empty, to open
    // that file; true when it answered.
    bool SendToPrimary(const QString &path, int timeoutMs = 3000);

    // What went wrong in the last step; Trouble::None when nothing did.
    enum class Trouble {
        None,
        NoPrivateFolder, // no folder only this user can reach
        LockUnusable,    // the lock file can be neither made nor replaced
        NoAnswer,        // a planner of this user holds the lock and does not answer
        ForeignPeer,     // the socket is served by another user's process
        CannotListen     // this first process cannot be reached by later starts
    };
    Trouble LastTrouble() const { return trouble_; }
    // The message for the user: Japanese (0), English (1), or both, one after the other (-1),
    // for the time before the language of the last run is known.
    QString TroubleText(int language) const;

    // While the window is not ready, requests of later starts are answered at once but held:
    // HoldRequests stops the signals, StartDelivering sends the held ones in order and every
    // later one as it comes.
    void HoldRequests() { delivering_ = false; }
    void StartDelivering();

    // The file a start was given: the first argument after the program's name when it is
    // a path (or a file URL), made absolute; empty when there is none. Options and any
    // further arguments are ignored.
    static QString PathArgument(const QStringList &arguments);

    // The folder for the lock and the socket: the first of the candidates that is a folder
    // (not a link) owned by this user and closed to everyone else, the last one created when
    // missing. Candidates by default: $XDG_RUNTIME_DIR, /run/user/<uid>, /tmp/orvella-<uid>.
    // Empty when none qualifies; rejected says which were refused and why.
    static QString PrivateFolder(const QStringList &candidates, QStringList *rejected = nullptr);
    static QStringList DefaultFolders();

    QString LockPath() const { return lockPath_; }
    QString ServerName() const { return serverName_; }

    // The user id of the process at the other end of a connected local socket; nullopt when
    // it cannot be told. Tests put in their own to play another user.
    using PeerUidReader = std::function<std::optional<qint64>(qintptr descriptor)>;
    void SetPeerUidReader(PeerUidReader reader) { peerUid_ = std::move(reader); }
    static std::optional<qint64> SocketPeerUid(qintptr descriptor);
    static qint64 UserId();

    // A request line is at most this long; a longer one is dropped with its connection.
    static constexpr qint64 MaxRequestLength = 64 * 1024;

signals:
    void ActivationRequested();
    // After ActivationRequested, when the later start named a file.
    void OpenRequested(const QString &path);

private:
    enum class Holder { Gone, NotOurs, Planner };
    void Serve(QLocalSocket *socket);
    bool FromSameUser(QLocalSocket &socket) const;
    bool LockFileIsOurs() const;
    Holder LockHolder() const;
    bool ReplaceLock();
    void Deliver(const QString &path);

    QString folder_;
    QString lockPath_;
    QString serverName_;
    QString troubleDetail_;
    Trouble trouble_ = Trouble::None;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    PeerUidReader peerUid_;
    bool delivering_ = true;
    QStringList held_; // paths of held requests; an empty one only activates
};
