// Asked to end by a signal (a shutdown, kill, Ctrl+C), the real planner leaves the ordinary way
// and writes its settings.
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

// True once the process has a handler of its own for the signal (Linux: SigCgt in its status).
bool Catches(qint64 pid, int signal)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

} // namespace

class TestEndSignals : public QObject {
    Q_OBJECT

private slots:
    void signalEndsThePlannerWithItsSettings_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void signalEndsThePlannerWithItsSettings()
    {
        QFETCH(int, signal);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        for (const char *folder : {"data", "config", "cache", "tmp", "run"})
            QVERIFY(QDir(home.path()).mkpath(folder));
        QFile::setPermissions(home.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        // A settings file of an earlier run, with the 24-hour clock and a view the planner
        // does not know: after the signal it holds the clock and the list view.
        KStdFileSystem files;
        KFakePrompter prompter;
        KFakeAppDataFolder appData(home.filePath("data").toStdU16String());
        KSchAlarmConfig alarm;
        KWeekSchConfig week;
        KOrvellaEnv seed(files, prompter, appData);
        seed.AlarmConfigRef = &alarm;
        seed.WeekConfigRef = &week;
        seed.OptionBits = KOrvellaEnv::OptClock24H;
        seed.SavedViewType = 200;
        QVERIFY(seed.WriteSettings());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_CACHE_HOME", home.filePath("cache"));
        env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
        env.insert("TMPDIR", home.filePath("tmp"));
        QProcess planner;
        planner.setProcessEnvironment(env);
        planner.setProcessChannelMode(QProcess::ForwardedChannels);
        planner.start(ORVELLA_PROGRAM, QStringList());
        QVERIFY(planner.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(Catches(planner.processId(), signal), 20000);
        ::kill(pid_t(planner.processId()), signal);
        QVERIFY(planner.waitForFinished(30000));
        QCOMPARE(planner.exitStatus(), QProcess::NormalExit);
        QCOMPARE(planner.exitCode(), 0);

        KOrvellaEnv written(files, prompter, appData);
        written.AlarmConfigRef = &alarm;
        written.WeekConfigRef = &week;
        QCOMPARE(written.ReadSettings(), 0);
        QVERIFY(written.OptionBits & KOrvellaEnv::OptClock24H);
        QCOMPARE(int(written.SavedViewType), 0);
    }
};

QTEST_MAIN(TestEndSignals)
#include "tst_end_signals.moc"
