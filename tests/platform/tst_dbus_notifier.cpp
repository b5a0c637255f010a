#include "platform/qt/KDBusNotifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>
#include <QVariantMap>

namespace {
// A notification service like the desktop's: records each call and answers with an id.
class NotificationStub : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString App;
        uint Replaces;
        QString Icon;
        QString Summary;
        QString Body;
        QVariantMap Hints;
        int Timeout;
    };
    QList<Call> Calls;
    QStringList Capabilities;
    int CapabilityAsks = 0;

public slots:
    QStringList GetCapabilities()
    {
        ++CapabilityAsks;
        return Capabilities;
    }

    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &summary,
                const QString &body, const QStringList &, const QVariantMap &hints, int timeout)
    {
        Calls.append({app, replaces, icon, summary, body, hints, timeout});
        return uint(100 + Calls.size());
    }
};
} // namespace

class TestDBusNotifier : public QObject {
    Q_OBJECT

private:
    QProcess bus_;
    QTemporaryFile config_;
    QString address_;

private slots:
    // A private session bus for the test, so that no desktop's service is reached.
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        // No service directories: a notification daemon installed on the machine must not be
        // started by the bus when a test calls a name nobody owns.
        QVERIFY(config_.open());
        config_.write(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:tmpdir=" +
            QDir::tempPath().toUtf8() +
            "</listen><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        config_.close();
        bus_.start(daemon, {"--config-file=" + config_.fileName(), "--nofork", "--print-address=1"});
        QVERIFY(bus_.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 10000);
        address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        QVERIFY(!address_.isEmpty());
    }

    void cleanupTestCase()
    {
        if (bus_.state() != QProcess::NotRunning) {
            bus_.kill();
            bus_.waitForFinished(5000);
        }
    }

    void notificationReachesTheService()
    {
        QDBusConnection serviceSide = QDBusConnection::connectToBus(address_, "service");
        QVERIFY(serviceSide.isConnected());
        NotificationStub stub;
        QVERIFY(serviceSide.registerObject(KDBusNotifier::Path, &stub, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceSide.registerService(KDBusNotifier::Service));

        KDBusNotifier notifier(QDBusConnection::connectToBus(address_, "client"));
        notifier.Notify(u"終了時間、5分前になりました。", u"08:00～ 09:00 仕事");
        QTRY_COMPARE_WITH_TIMEOUT(stub.Calls.size(), 1, 5000);
        const NotificationStub::Call &first = stub.Calls.at(0);
        QCOMPARE(first.App, QString("Orvella"));
        QCOMPARE(first.Summary, QString("終了時間、5分前になりました。"));
        QCOMPARE(first.Body, QString("08:00～ 09:00 仕事"));
        QCOMPARE(first.Icon, QString("org.tolvarin.Orvella"));
        QCOMPARE(first.Hints.value("desktop-entry").toString(), QString("org.tolvarin.Orvella"));
        QCOMPARE(first.Replaces, 0u);
        QCOMPARE(first.Timeout, KDBusNotifier::ExpireMs);

        // The next alarm replaces the notification the service answered with.
        QTRY_COMPARE_WITH_TIMEOUT(notifier.LastId(), 101u, 5000);
        notifier.Notify(u"終了時間になりました。", u"");
        QTRY_COMPARE_WITH_TIMEOUT(stub.Calls.size(), 2, 5000);
        QCOMPARE(stub.Calls.at(1).Replaces, 101u);

        serviceSide.unregisterService(KDBusNotifier::Service);
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("client");
    }

    // The body is the user's text: a service that reads markup in bodies gets it escaped, one
    // that does not gets it as it is; the summary is never markup. The service is asked once.
    void bodiesAreEscapedForAServiceThatReadsMarkup()
    {
        const std::u16string body = u"09:00 <b>Loud</b> & <a href=\"https://example.org\">link</a>";
        for (const bool markup : {true, false}) {
            QDBusConnection serviceSide = QDBusConnection::connectToBus(address_, "markup-service");
            NotificationStub stub;
            if (markup)
                stub.Capabilities = {"actions", "body", "body-markup"};
            QVERIFY(serviceSide.registerObject(KDBusNotifier::Path, &stub, QDBusConnection::ExportAllSlots));
            QVERIFY(serviceSide.registerService(KDBusNotifier::Service));
            KDBusNotifier notifier(QDBusConnection::connectToBus(address_, "markup-client"));
            notifier.Notify(u"<i>summary</i>", body);
            notifier.Notify(u"second", body);
            QTRY_COMPARE_WITH_TIMEOUT(stub.Calls.size(), 2, 5000);
            const QString expected = markup ? QString("09:00 &lt;b&gt;Loud&lt;/b&gt; &amp; &lt;a "
                                                      "href=\"https://example.org\"&gt;link&lt;/a&gt;")
                                            : QString::fromStdU16String(body);
            QCOMPARE(stub.Calls.at(0).Body, expected);
            QCOMPARE(stub.Calls.at(1).Body, expected);
            QCOMPARE(stub.Calls.at(0).Summary, QString("<i>summary</i>"));
            notifier.Notify(u"third", body);
            QTRY_COMPARE_WITH_TIMEOUT(stub.Calls.size(), 3, 5000);
            QCOMPARE(stub.Calls.at(2).Body, expected);
            QCOMPARE(stub.CapabilityAsks, 1);
            serviceSide.unregisterService(KDBusNotifier::Service);
            QDBusConnection::disconnectFromBus("markup-service");
            QDBusConnection::disconnectFromBus("markup-client");
        }
    }

    // No service on the bus, or no bus at all: nothing is shown and no error reaches the
    // user; once a service comes, notifications reach it.
    void withoutServiceNothingHappens()
    {
        KDBusNotifier notifier(QDBusConnection::connectToBus(address_, "late"));
        for (int i = 0; i < 5; ++i)
            notifier.Notify(u"lost", u"no service yet");
        // The bus has answered all five with an error before a service comes; otherwise a slow
        // bus would hand them to the service that registers below.
        QTRY_VERIFY_WITH_TIMEOUT(notifier.findChildren<QDBusPendingCallWatcher *>().isEmpty(), 10000);

        QDBusConnection serviceSide = QDBusConnection::connectToBus(address_, "late-service");
        NotificationStub stub;
        QVERIFY(serviceSide.registerObject(KDBusNotifier::Path, &stub, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceSide.registerService(KDBusNotifier::Service));
        notifier.Notify(u"found", u"");
        QTRY_COMPARE_WITH_TIMEOUT(stub.Calls.size(), 1, 5000);
        QCOMPARE(stub.Calls.at(0).Summary, QString("found"));
        // The failed calls left nothing to replace.
        QCOMPARE(stub.Calls.at(0).Replaces, 0u);
        serviceSide.unregisterService(KDBusNotifier::Service);
        QDBusConnection::disconnectFromBus("late-service");
        QDBusConnection::disconnectFromBus("late");

        KDBusNotifier noBus(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nobus"));
        noBus.Notify(u"x", u"y");
        QDBusConnection::disconnectFromBus("nobus");
    }
};

QTEST_GUILESS_MAIN(TestDBusNotifier)
#include "tst_dbus_notifier.moc"
