#include "platform/qt/KSingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Run as a child: "primary KEY" holds the instance until killed; "second KEY [PATH]" starts
// like the planner does (exit 0 handed over, 4 first, 5 cannot start); "mute KEY" holds the
// lock like a planner that never answers.
int RunChild(const QStringList &args)
{
    KSingleInstance instance(args.at(2));
    if (args.at(1) == "primary") {
        if (!instance.TryBecomePrimary())
            return 3;
        QTextStream(stdout) << "ready" << Qt::endl;
        return QCoreApplication::exec();
    }
    if (args.at(1) == "mute") {
        QLockFile lock(instance.LockPath());
        if (!lock.tryLock(0))
            return 3;
        QFile::setPermissions(instance.LockPath(), QFile::ReadOwner | QFile::WriteOwner);
        QTextStream(stdout) << "ready" << Qt::endl;
        return QCoreApplication::exec();
    }
    switch (instance.Start(args.value(3), 3000)) {
    case KSingleInstance::Outcome::HandedOver:
        return 0;
    case KSingleInstance::Outcome::First:
        return 4;
    case KSingleInstance::Outcome::CannotStart:
        break;
    }
    return 5;
}

QString Key()
{
    return QString("OrvellaTest%1").arg(QCoreApplication::applicationPid());
}

// A child that says "ready" once it holds what it holds.
bool StartReady(QProcess &child, const QStringList &args)
{
    child.start(QCoreApplication::applicationFilePath(), args);
    return child.waitForReadyRead(10000) && child.readLine().trimmed() == "ready";
}

bool IsRoot()
{
#ifdef Q_OS_UNIX
    return ::getuid() == 0;
#else
    return false;
#endif
}

// Owner and mode of a path itself (a link is not followed).
QPair<qint64, int> OwnerAndMode(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {-1, -1};
    return {qint64(st.st_uid), int(st.st_mode & 07777)};
#else
    Q_UNUSED(path);
    return {-1, -1};
#endif
}
} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void secondStartActivatesTheFirstAndExitsZero()
    {
        KSingleInstance first(Key() + "a");
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", Key() + "a"});
        // The child blocks on the socket; this process must keep serving it meanwhile.
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
        // Keep serving the socket until the second process has its answer and ends.
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    void staleLockAfterACrashDoesNotBlock()
    {
        QProcess primary;
        QVERIFY(StartReady(primary, {"primary", Key() + "b"}));

        KSingleInstance blocked(Key() + "b");
        QVERIFY(!blocked.TryBecomePrimary());

        primary.kill(); // SIGKILL: no clean-up
        QVERIFY(primary.waitForFinished(5000));

        KSingleInstance next(Key() + "b");
        QCOMPARE(next.Start(QString(), 200), KSingleInstance::Outcome::First);
    }

    void simultaneousStartsGiveOnePrimary()
    {
        const QString key = Key() + "c";
        QList<QProcess *> procs;
        for (int i = 0; i < 4; ++i) {
            auto *p = new QProcess(this);
            p->start(QCoreApplication::applicationFilePath(), {"primary", key});
            procs << p;
        }
        // The losers give up at once (exit code 3); the one primary says "ready" and stays.
        auto finished = [&] {
            int n = 0;
            for (QProcess *p : procs)
                n += p->state() == QProcess::NotRunning ? 1 : 0;
            return n;
        };
        QTRY_COMPARE_WITH_TIMEOUT(finished(), 3, 10000);
        QProcess *primary = nullptr;
        for (QProcess *p : procs) {
            if (p->state() == QProcess::NotRunning) {
                QCOMPARE(p->exitStatus(), QProcess::NormalExit);
                QCOMPARE(p->exitCode(), 3);
            } else {
                primary = p;
            }
        }
        QVERIFY(primary);
        QTRY_VERIFY_WITH_TIMEOUT(primary->canReadLine(), 10000);
        QCOMPARE(primary->readLine().trimmed(), QByteArray("ready"));
        QCOMPARE(primary->state(), QProcess::Running);
        for (QProcess *p : procs) {
            p->kill();
            p->waitForFinished(3000);
        }
    }

    // The lock and the socket live in the user's runtime folder under a name keyed by the
    // user's id; neither the user name nor the temporary folder of a start changes them.
    void theChannelIsPrivateAndKeyedByTheUser()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QVERIFY(!runtime.isEmpty());
        KSingleInstance plain(Key());
        QCOMPARE(QFileInfo(plain.LockPath()).absolutePath(), QDir(runtime).absolutePath());
        QVERIFY(plain.LockPath().contains(QString::number(KSingleInstance::UserId())));
        const QByteArray user = qgetenv("USER"), tmp = qgetenv("TMPDIR");
        qputenv("USER", "someone-else");
        qputenv("TMPDIR", "/var/tmp");
        KSingleInstance other(Key());
        qputenv("USER", user);
        qputenv("TMPDIR", tmp);
        QCOMPARE(other.LockPath(), plain.LockPath());
        QCOMPARE(other.ServerName(), plain.ServerName());

        QVERIFY(plain.TryBecomePrimary());
        QCOMPARE(OwnerAndMode(plain.LockPath()).second & 077, 0);
    }

    // A folder anyone else could reach is never used: links, files, folders open to others or
    // of another owner are passed over; the planner's own last resort is made, or mended, 0700.
    void onlyAPrivateFolderIsUsed()
    {
#ifndef Q_OS_UNIX
        QSKIP("POSIX folders only");
#else
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString base = dir.path();
        QVERIFY(QDir(base).mkdir("open"));
        QVERIFY(QFile::setPermissions(base + "/open", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther |
                                                          QFile::WriteOther));
        QVERIFY(QDir(base).mkdir("good"));
        QVERIFY(
            QFile::setPermissions(base + "/good", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::link(base + "/good", base + "/link"));
        QFile plainFile(base + "/file");
        QVERIFY(plainFile.open(QIODevice::WriteOnly));
        plainFile.close();
        QStringList candidates = {"relative/folder", base + "/link",    base + "/file",
                                  base + "/open",    base + "/missing", base + "/good"};
        if (IsRoot()) {
            QVERIFY(QDir(base).mkdir("foreign"));
            QCOMPARE(::chown(QFile::encodeName(base + "/foreign").constData(), 65534, 65534), 0);
            QVERIFY(QFile::setPermissions(base + "/foreign",
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            candidates.insert(1, base + "/foreign");
        }
        QStringList rejected;
        QCOMPARE(KSingleInstance::PrivateFolder(candidates, &rejected), base + "/good");
        QCOMPARE(rejected.size(), candidates.size() - 1);

        // The last candidate is ours to make, and to close when it is open.
        QCOMPARE(KSingleInstance::PrivateFolder({base + "/open", base + "/made"}), base + "/made");
        QCOMPARE(OwnerAndMode(base + "/made").second, 0700);
        QCOMPARE(KSingleInstance::PrivateFolder({base + "/open"}), base + "/open");
        QCOMPARE(OwnerAndMode(base + "/open").second, 0700);
        QCOMPARE(KSingleInstance::PrivateFolder({base + "/link"}), QString());
        if (IsRoot())
            QCOMPARE(KSingleInstance::PrivateFolder({base + "/foreign"}), QString());
#endif
    }

    // A lock file this user did not make (another owner, open to others, a link) is replaced
    // at once and never obeyed; an unreadable one nobody answers for is replaced too.
    void foreignLockFilesAreReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("open to others") << "open";
        QTest::newRow("a link") << "link";
        QTest::newRow("garbage") << "garbage";
        if (IsRoot())
            QTest::newRow("another owner") << "owner";
    }
    void foreignLockFilesAreReplaced()
    {
#ifndef Q_OS_UNIX
        QSKIP("POSIX owners only");
#else
        QFETCH(QString, kind);
        const QString key = Key() + "d" + kind.left(2);
        KSingleInstance instance(key);
        const QString lock = instance.LockPath();
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.path() + "/victim";
        // What a live planner writes: its process id, its name and the host.
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                                QCoreApplication::applicationFilePath().toUtf8() + "\n" +
                                QSysInfo::machineHostName().toUtf8() + "\n";
        auto write = [&](const QString &path, const QByteArray &bytes, QFile::Permissions mode) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
            f.close();
            QVERIFY(f.setPermissions(mode));
        };
        const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
        if (kind == "open") {
            write(lock, live, ownerOnly | QFile::WriteOther | QFile::ReadOther);
        } else if (kind == "link") {
            write(victim, live, ownerOnly);
            QVERIFY(QFile::link(victim, lock));
        } else if (kind == "garbage") {
            write(lock, "not a lock\n", ownerOnly);
        } else {
            write(lock, live, ownerOnly);
            QCOMPARE(::chown(QFile::encodeName(lock).constData(), 65534, 65534), 0);
        }
        QVERIFY(!instance.TryBecomePrimary());

        QCOMPARE(instance.Start(QString(), 300), KSingleInstance::Outcome::First);
        const auto [owner, mode] = OwnerAndMode(lock);
        QCOMPARE(owner, KSingleInstance::UserId());
        QCOMPARE(mode & 077, 0);
        if (kind == "link") {
            QFile v(victim);
            QVERIFY(v.open(QIODevice::ReadOnly));
            QCOMPARE(v.readAll(), live);
        }
        // It listens: a later start reaches it.
        QSignalSpy activated(&instance, &KSingleInstance::ActivationRequested);
        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", key});
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
#endif
    }

    // A planner of this user that holds the lock and never answers: the start says so, with
    // the planner's process id, instead of ending without a word.
    void aSilentPlannerIsReported()
    {
        const QString key = Key() + "e";
        QProcess mute;
        QVERIFY(StartReady(mute, {"mute", key}));
        KSingleInstance later(key);
        QCOMPARE(later.Start(QString(), 200), KSingleInstance::Outcome::CannotStart);
        QCOMPARE(later.LastTrouble(), KSingleInstance::Trouble::NoAnswer);
        QVERIFY(later.TroubleText(1).contains(QString::number(mute.processId())));
        QVERIFY(later.TroubleText(0).contains(QString::number(mute.processId())));
        mute.kill();
        QVERIFY(mute.waitForFinished(5000));
        // Once it is gone the next start is the first.
        QCOMPARE(later.Start(QString(), 200), KSingleInstance::Outcome::First);
    }

    // A first process nobody can reach says so (here: a socket name longer than the system takes).
    void aFailedListenIsReported()
    {
        KSingleInstance first(Key() + QString(120, 'x'));
        QVERIFY(first.TryBecomePrimary());
        QCOMPARE(first.LastTrouble(), KSingleInstance::Trouble::CannotListen);
        QVERIFY(first.TroubleText(1).startsWith("Orvella started later cannot reach this window:\n"));
        QVERIFY(first.TroubleText(1).size() > 52);
    }

    // Both ends talk only to a process of the same user: the first drops a connection from
    // another user unread, and a later start hands nothing to a socket another user serves.
    void anotherUsersProcessIsNotListenedTo()
    {
        const qint64 someoneElse = KSingleInstance::UserId() + 1;
        KSingleInstance first(Key() + "f");
        first.SetPeerUidReader([&](qintptr) { return std::optional<qint64>(someoneElse); });
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);
        QLocalSocket socket;
        socket.connectToServer(first.ServerName());
        QVERIFY(socket.waitForConnected(2000));
        socket.write("open /home/u/private.ors\n");
        socket.flush();
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(socket.readAll(), QByteArray());

        // The same request from this user is served.
        first.SetPeerUidReader(&KSingleInstance::SocketPeerUid);
        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", Key() + "f"});
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);

        KSingleInstance later(Key() + "f");
        later.SetPeerUidReader([&](qintptr) { return std::optional<qint64>(someoneElse); });
        QCOMPARE(later.Start("/home/u/private.ors", 1000), KSingleInstance::Outcome::CannotStart);
        QCOMPARE(later.LastTrouble(), KSingleInstance::Trouble::ForeignPeer);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCoreApplication::processEvents();
        QCOMPARE(activated.count(), 1);
    }

    // A socket file of another owner at our name is not connected to at all (needs root to
    // give it away).
    void anotherUsersSocketFileIsNotUsed()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to give the socket to another user");
        KSingleInstance first(Key() + "o");
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);
        QVERIFY(::chown(QFile::encodeName(first.ServerName()).constData(), 65534, 65534) == 0);
        KSingleInstance later(Key() + "o");
        QVERIFY(!later.SendToPrimary("/home/u/private.ors", 1000));
        QCOMPARE(later.LastTrouble(), KSingleInstance::Trouble::ForeignPeer);
        QCoreApplication::processEvents();
        QCOMPARE(activated.count(), 0);
    }

    // Requests that come while the window is not ready are answered and kept, then given in
    // their order.
    void requestsWaitForTheWindow()
    {
        KSingleInstance first(Key() + "g");
        QVERIFY(first.TryBecomePrimary());
        first.HoldRequests();
        QSignalSpy opened(&first, &KSingleInstance::OpenRequested);
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);
        for (const QString path : {"/p/one.ors", "/p/two.orw"}) {
            QProcess second;
            second.start(QCoreApplication::applicationFilePath(), {"second", Key() + "g", path});
            QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
            QCOMPARE(second.exitCode(), 0);
        }
        QCOMPARE(activated.count(), 0);
        first.StartDelivering();
        QCOMPARE(activated.count(), 2);
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.at(0).at(0).toString(), QString("/p/one.ors"));
        QCOMPARE(opened.at(1).at(0).toString(), QString("/p/two.orw"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && (args.at(1) == "primary" || args.at(1) == "second" || args.at(1) == "mute"))
        return RunChild(args);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_single_instance.moc"
