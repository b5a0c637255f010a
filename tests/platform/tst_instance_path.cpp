#include "platform/qt/KSingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {
// Run as a child: "second KEY ARGS..." starts like the planner does: it takes the path
// argument from ARGS, hands it to the first instance and exits 0.
int RunSecond(const QStringList &args)
{
    KSingleInstance instance(args.at(2));
    if (instance.TryBecomePrimary())
        return 4; // should not have been first
    QStringList arguments = {"orvella"};
    arguments += args.mid(3);
    return instance.SendToPrimary(KSingleInstance::PathArgument(arguments)) ? 0 : 5;
}

QString Key(const char *suffix)
{
    return QString("OrvellaPathTest%1%2").arg(QCoreApplication::applicationPid()).arg(suffix);
}
} // namespace

class TestInstancePath : public QObject {
    Q_OBJECT

private slots:
    void pathArgument()
    {
        const QString cwd = QDir::currentPath();
        QCOMPARE(KSingleInstance::PathArgument({"orvella"}), QString());
        QCOMPARE(KSingleInstance::PathArgument({"orvella", ""}), QString());
        QCOMPARE(KSingleInstance::PathArgument({"orvella", "--verbose", "a.ors"}), QString());
        QCOMPARE(KSingleInstance::PathArgument({"orvella", "/x/day.ors", "/y/other.ors"}),
                 QString("/x/day.ors"));
        QCOMPARE(KSingleInstance::PathArgument({"orvella", "sub/day.ors"}), cwd + "/sub/day.ors");
        QCOMPARE(KSingleInstance::PathArgument({"orvella", "file:///home/u/%E9%80%B1%20plan.orw"}),
                 QString("/home/u/週 plan.orw"));
        QCOMPARE(KSingleInstance::PathArgument({"orvella", "https://example.org/day.ors"}), QString());
    }

    // A later start hands its file to the first; names with spaces, non-ASCII letters and
    // even a line break arrive unchanged, a relative one made absolute against the later
    // start's folder.
    void laterStartDeliversItsPath_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/tmp/day.ors"
                               << "/tmp/day.ors";
        QTest::newRow("spaces and Japanese") << "/tmp/月曜 の 予定.ors"
                                             << "/tmp/月曜 の 予定.ors";
        QTest::newRow("line break") << "/tmp/a\nopen /etc/passwd"
                                    << "/tmp/a\nopen /etc/passwd";
        QTest::newRow("relative") << "week/plan.orw" << QDir::currentPath() + "/week/plan.orw";
    }
    void laterStartDeliversItsPath()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        KSingleInstance first(Key(QTest::currentDataTag()));
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);
        QSignalSpy opened(&first, &KSingleInstance::OpenRequested);

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(),
                     {"second", Key(QTest::currentDataTag()), argument});
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 5000);
        QCOMPARE(opened.at(0).at(0).toString(), expected);
        QCOMPARE(activated.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
    }

    void laterStartWithoutPathOnlyActivates()
    {
        KSingleInstance first(Key("b"));
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);
        QSignalSpy opened(&first, &KSingleInstance::OpenRequested);
        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", Key("b"), "--some-option"});
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(opened.count(), 0);
    }

    // Whatever else reaches the socket is refused without a signal, and the first instance
    // keeps serving later starts.
    void foreignRequestsAreRefused()
    {
        KSingleInstance first(Key("c"));
        QVERIFY(first.TryBecomePrimary());
        QSignalSpy activated(&first, &KSingleInstance::ActivationRequested);

        const QList<QByteArray> requests = {
            "open \n", "delete /tmp/x\n", "open " + QByteArray(KSingleInstance::MaxRequestLength + 10, 'a')};
        for (const QByteArray &request : requests) {
            QLocalSocket socket;
            socket.connectToServer(first.ServerName());
            QVERIFY(socket.waitForConnected(2000));
            socket.write(request);
            socket.flush();
            // The first instance answers nothing and hangs up.
            QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 5000);
            QCOMPARE(socket.readAll(), QByteArray());
        }
        QCOMPARE(activated.count(), 0);

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", Key("c")});
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == "second")
        return RunSecond(args);
    TestInstancePath test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instance_path.moc"
