#include "platform/qt/KSingleInstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

namespace {
// Run as a child: "primary KEY" holds the instance until killed; "second KEY" asks the
// first to come forward and exits 0 either way, like the planner does.
int RunChild(const QStringList &args)
{
    KSingleInstance instance(args.at(2));
    if (args.at(1) == "primary") {
        if (!instance.TryBecomePrimary())
            return 3;
        QTextStream(stdout) << "ready" << Qt::endl;
        return QCoreApplication::exec();
    }
    if (instance.TryBecomePrimary())
        return 4; // should not have been first
    instance.ActivatePrimary();
    return 0;
}

QString Key() { return QString("OrvellaTest%1").arg(QCoreApplication::applicationPid()); }
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
        primary.start(QCoreApplication::applicationFilePath(), {"primary", Key() + "b"});
        QVERIFY(primary.waitForReadyRead(5000));
        QCOMPARE(primary.readLine().trimmed(), QByteArray("ready"));

        KSingleInstance blocked(Key() + "b");
        QVERIFY(!blocked.TryBecomePrimary());

        primary.kill(); // SIGKILL: no clean-up
        QVERIFY(primary.waitForFinished(5000));

        KSingleInstance next(Key() + "b");
        QVERIFY(next.TryBecomePrimary());
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
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && (args.at(1) == "primary" || args.at(1) == "second"))
        return RunChild(args);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_single_instance.moc"
