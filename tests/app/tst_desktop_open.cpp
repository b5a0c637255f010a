// Files handed over by the desktop: the path of a later start through the single-instance
// channel, opened with the prompts of File > Open.
#include "alarm/KAlarmWindows.h"
#include "app/KTFileLogOnMenu.h"
#include "app/WindowHarness.h"
#include "model/KMessageCatalog.h"
#include "platform/fakes/KFakeTrayIcon.h"
#include "platform/qt/KSingleInstance.h"
#include "storage/KScheduleFile.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTest>

namespace {
KDaySchedule Lunch()
{
    KDaySchedule s;
    s.AppendFrame(KScheduleFrame(KSchTime{12, 0, 0}, KSchTime{1, 0, 0}, u"昼食", 0x00FF00, u""));
    s.AppendFrame(KScheduleFrame(KSchTime{13, 0, 0}, KSchTime{23, 0, 0}, u"仕事", 0xFFFFFF, u""));
    return s;
}

// A window with its timer stopped and the schedule file /d/lunch.ors in its files.
struct DesktopWindow {
    WindowHarness h{QSize(1024, 768), false, false};
    TOrvellaForm *f = nullptr;
    DesktopWindow()
    {
        h.files.Put(u"/d/lunch.ors", KScheduleFile::BuildImage(Lunch(), u"昼"));
        h.Build();
        f = h.form.get();
    }
    bool ShowsLunch() const { return f->SchFileName == "/d/lunch.ors" && f->ShownSchedule.GetCount() == 2; }
};

bool Asked(const WindowHarness &h, int code)
{
    for (const auto &shown : h.prompter.History)
        if (shown.Text.find(KMessageCatalog::Text(code, 0)) != std::u16string::npos)
            return true;
    return false;
}
} // namespace

class TestDesktopOpen : public QObject {
    Q_OBJECT

private slots:
    void laterStartOpensItsFileInTheRunningWindow()
    {
        DesktopWindow w;
        const QString key = QString("OrvellaOpenTest%1").arg(QCoreApplication::applicationPid());
        KSingleInstance instance(key);
        QVERIFY(instance.TryBecomePrimary());
        w.f->AcceptLaterStarts(instance);
        w.f->hide();

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", key, "/d/lunch.ors"});
        QTRY_VERIFY_WITH_TIMEOUT(w.ShowsLunch(), 5000);
        QCOMPARE(QString::fromStdU16String(w.f->ShownSchedule.GetFrame(0)->ItemName), QString("昼食"));
        QVERIFY(w.f->isVisible());
        // Opened like File > Open: it heads the recent files.
        QCOMPARE(w.f->FileLogMenu->Path(0), QString("/d/lunch.ors"));
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
    }

    // A later start answered while the window is still being made: its file is kept and
    // opened once the window takes requests.
    void fileHandedOverBeforeTheWindowIsMadeOpensOnceItIs()
    {
        const QString key = QString("OrvellaEarlyTest%1").arg(QCoreApplication::applicationPid());
        KSingleInstance instance(key);
        QVERIFY(instance.TryBecomePrimary());
        instance.HoldRequests();
        QProcess second;
        second.start(QCoreApplication::applicationFilePath(), {"second", key, "/d/lunch.ors"});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);

        DesktopWindow w;
        QVERIFY(!w.ShowsLunch());
        w.f->AcceptLaterStarts(instance);
        QTRY_VERIFY_WITH_TIMEOUT(w.ShowsLunch(), 5000);
    }

    void unsavedChangesAreAskedAboutFirst()
    {
        DesktopWindow w;
        w.f->SchModified = true;
        w.h.prompter.Answers = {KMsgAnswer::Cancel};
        w.f->OpenFileFromDesktop("/d/lunch.ors");
        QCOMPARE(w.h.prompter.History.size(), size_t(1));
        QVERIFY(!w.ShowsLunch());

        w.h.prompter.Answers = {KMsgAnswer::No};
        w.f->OpenFileFromDesktop("/d/lunch.ors");
        QVERIFY(w.ShowsLunch());
        QVERIFY(!w.f->SchModified);
    }

    void missingOrForeignFileIsReported()
    {
        DesktopWindow w;
        w.f->OpenFileFromDesktop("/d/none.ors");
        QVERIFY(Asked(w.h, KMessageCatalog::FileMissing));
        w.h.files.Put(u"/d/notes.ors", {'h', 'e', 'l', 'l', 'o'});
        w.f->OpenFileFromDesktop("/d/notes.ors");
        QVERIFY(Asked(w.h, KMessageCatalog::DamagedFile));
        QCOMPARE(w.f->ShownSchedule.GetCount(), 1);
    }

    // A dialog the user has open is not disturbed: the file waits for it to close, then opens
    // from the event loop, not from the tick. Its save question, modal, leaves the tick running:
    // the clock, the tray tooltip and the alarm go on until it is answered.
    void fileWaitsForAnOpenDialogAndItsQuestionLeavesTheTickRunning()
    {
        KFakeTrayIcon tray;
        WindowHarness h{QSize(1024, 768), true, false};
        h.tray = &tray;
        h.files.Put(u"/d/lunch.ors", KScheduleFile::BuildImage(Lunch(), u"昼"));
        h.files.Put(u"/d/other.ors", KScheduleFile::BuildImage(Lunch(), u"other"));
        h.clock.Set(11, 59, 58, 3);
        h.Build();
        TOrvellaForm &f = *h.form;
        f.ShownSchedule.ClearFrames();
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{11, 0, 0}, KSchTime{1, 0, 0}, u"Work", 0, u""));
        f.ShownSchedule.AppendFrame(KScheduleFrame(KSchTime{12, 0, 0}, KSchTime{23, 0, 0}, u"Rest", 0, u""));
        f.AlarmConfig.SetPointCount(4);
        f.AlarmConfig.SetMinutes(0, 0);
        f.AlarmConfig.SetPointOn(0, true);
        f.AlarmConfig.AlarmTypes = KSchAlarmConfig::PopupAlarm;
        f.ApplyAlarmEnabled();
        f.AlarmResetPending = true;
        f.SchModified = true;

        QDialog dialog(&f);
        dialog.setModal(true);
        dialog.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &dialog);
        f.OpenFileFromDesktop("/d/other.ors");
        f.OpenFileFromDesktop("/d/lunch.ors");
        // A tick later (the file has been tried again meanwhile) it still waits.
        h.clock.Set(11, 59, 59, 3);
        QTRY_VERIFY(f.Alarm.LastTime == (KSchTime{11, 59, 59}));
        QCOMPARE(f.SchFileName, QString());

        bool rang = false;
        QString tip;
        h.prompter.Answers = {KMsgAnswer::No};
        h.prompter.WhileAsking = [&] {
            QDialog question(&f);
            question.setModal(true);
            question.show();
            h.clock.Set(12, 0, 0, 3);
            rang = QTest::qWaitFor([&] { return !f.AlarmWindows->Popup.isNull(); }, 5000);
            tip = tray.ToolTip;
        };
        dialog.close();
        QTRY_COMPARE(f.SchFileName, QString("/d/lunch.ors"));
        QVERIFY(rang);
        QVERIFY2(tip.contains("Rest"), qPrintable(tip));
        QCOMPARE(f.FileLogMenu->Count(), 1);
    }
};

int main(int argc, char *argv[])
{
    // As a child, "second KEY PATH" starts like the planner does when the planner runs already.
    if (argc == 4 && QByteArray(argv[1]) == "second") {
        QCoreApplication app(argc, argv);
        KSingleInstance instance(QString::fromLocal8Bit(argv[2]));
        if (instance.TryBecomePrimary())
            return 4;
        const QString path = KSingleInstance::PathArgument({"orvella", QString::fromLocal8Bit(argv[3])});
        return instance.SendToPrimary(path) ? 0 : 5;
    }
    QApplication app(argc, argv);
    TestDesktopOpen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop_open.moc"
