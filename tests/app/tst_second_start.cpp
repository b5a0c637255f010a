// A second start of the program reaches the first one's window and brings it back.
#include "app/WindowHarness.h"
#include "platform/qt/KSingleInstance.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

namespace {
QString Key()
{
    return QString("OrvellaWindowTest%1").arg(QCoreApplication::applicationPid());
}
} // namespace

class TestSecondStart : public QObject {
    Q_OBJECT

private slots:
    void secondStartRestoresTheMinimisedWindow()
    {
        KSingleInstance first(Key());
        QVERIFY(first.TryBecomePrimary());
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        f.AcceptLaterStarts(first);
        f.showMinimized();
        QTRY_VERIFY(f.isMinimized());

        // The later start is a process of its own, as when the user starts the program again.
        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", Key()});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0); // the first instance answered
        QTRY_VERIFY(!f.isMinimized());
        QVERIFY(f.isVisible());
        QTRY_VERIFY(f.isActiveWindow());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == "second") {
        KSingleInstance later(args.at(2));
        if (later.TryBecomePrimary())
            return 4; // should not have been first
        return later.ActivatePrimary() ? 0 : 5;
    }
    TestSecondStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_second_start.moc"
