// Desktop notifications beside the alarm popup: the Alarm menu's choice and the settings file.
#include "alarm/KAlarmWindows.h"
#include "alarm/TKAlarmPopUpDialog.h"
#include "app/WindowHarness.h"
#include "platform/fakes/KFakeDesktopNotifier.h"
#include "storage/KOrvellaEnv.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {
struct NotifyWindow {
    KFakeDesktopNotifier desktop;
    WindowHarness h{QSize(1024, 768), false, false};
    NotifyWindow() { Build(); }
    void Build()
    {
        h.notifications = &desktop;
        h.Build();
    }
    TOrvellaForm &f() { return *h.form; }
    std::optional<std::vector<uint8_t>> SettingsFile() const
    {
        return h.files.Get(h.appData.SettingsFilePath());
    }

    // Work from the hour for an hour, then Free; the 5-minutes-before point on, with the given
    // alarm types. (A point that has rung does not ring again for the same frame.)
    void UseWorkday(uint32_t types, uint8_t hour = 9)
    {
        f().ShownSchedule.ClearFrames();
        f().ShownSchedule.AppendFrame(
            KScheduleFrame(KSchTime{hour, 0, 0}, KSchTime{1, 0, 0}, u"Work", 0, u""));
        f().ShownSchedule.AppendFrame(
            KScheduleFrame(KSchTime{uint8_t(hour + 1), 0, 0}, KSchTime{23, 0, 0}, u"Free", 0, u""));
        f().AlarmConfig.SetPointCount(4);
        f().AlarmConfig.SetMinutes(1, 5);
        f().AlarmConfig.SetPointOn(1, true);
        f().AlarmConfig.AlarmTypes = types;
        f().ApplyAlarmEnabled();
        f().AlarmResetPending = true;
    }
    void TickAt(int hh, int mm, int ss)
    {
        h.clock.Set(uint8_t(hh), uint8_t(mm), uint8_t(ss), 3);
        f().ClockTick();
    }
    void CloseAlarmWindows()
    {
        f().AlarmWindows->CloseAll();
        QTRY_VERIFY(f().AlarmWindows->Popup.isNull());
    }
};
} // namespace

class TestDesktopNotify : public QObject {
    Q_OBJECT

private slots:
    // The popup and the desktop notification come together; with notifications turned off, or
    // with a sound-only alarm, the desktop hears nothing.
    void alarmPopupAlsoNotifiesTheDesktop()
    {
        NotifyWindow w;
        w.UseWorkday(KSchAlarmConfig::PopupAlarm);
        w.TickAt(9, 54, 58);
        w.TickAt(9, 54, 59);
        QVERIFY(w.desktop.Notifications.empty());
        w.TickAt(9, 55, 0);
        QVERIFY(w.f().AlarmWindows->Popup != nullptr);
        QCOMPARE(w.desktop.Notifications.size(), size_t(1));
        QCOMPARE(QString::fromStdU16String(w.desktop.Notifications[0].Summary),
                 QString("終了時間、5分前になりました。"));
        QCOMPARE(QString::fromStdU16String(w.desktop.Notifications[0].Body),
                 QString("09:00～ 10:00 Work\n次のスケジュール: 10:00～ 09:00 Free"));
        w.CloseAlarmWindows();

        w.f().Action("AlarmDesktopNotify")->trigger();
        w.UseWorkday(KSchAlarmConfig::PopupAlarm, 13);
        w.TickAt(13, 54, 59);
        w.TickAt(13, 55, 0);
        QVERIFY(w.f().AlarmWindows->Popup != nullptr);
        QCOMPARE(w.desktop.Notifications.size(), size_t(1));
        w.CloseAlarmWindows();

        w.f().Action("AlarmDesktopNotify")->trigger();
        w.UseWorkday(KSchAlarmConfig::SoundAlarm, 17);
        w.TickAt(17, 54, 59);
        w.TickAt(17, 55, 0);
        QCOMPARE(w.h.sound.Played.size(), size_t(1));
        QCOMPARE(w.desktop.Notifications.size(), size_t(1));
    }

    void choiceInTheAlarmMenuIsKeptBetweenRuns()
    {
        NotifyWindow w;
        QAction *notify = w.f().Action("AlarmDesktopNotify");
        QVERIFY(notify != nullptr);
        QVERIFY(w.f().ALARM_Menu->actions().contains(notify));
        QVERIFY(notify->isChecked());
        QVERIFY(w.f().DesktopNotify);

        notify->trigger();
        QVERIFY(!w.f().DesktopNotify);
        w.Build(); // the old window writes its settings, the new one reads them
        QVERIFY(!w.f().DesktopNotify);
        QVERIFY(w.f().Action("AlarmDesktopNotify") != nullptr);
        QVERIFY(!w.f().Action("AlarmDesktopNotify")->isChecked());
        // Kept in a spare option bit; the other options are untouched.
        std::optional<std::vector<uint8_t>> file = w.SettingsFile();
        QVERIFY(file && file->size() > 65);
        QCOMPARE(int((*file)[65] & KOrvellaEnv::OptNoDesktopNotify), int(KOrvellaEnv::OptNoDesktopNotify));
        QCOMPARE(int((*file)[65] & ~KOrvellaEnv::OptNoDesktopNotify), int(KOrvellaEnv::OptCurTimeMark));

        w.f().Action("AlarmDesktopNotify")->trigger();
        w.Build();
        QVERIFY(w.f().DesktopNotify);
        file = w.SettingsFile();
        QVERIFY(file && file->size() > 65);
        QCOMPARE(int((*file)[65] & KOrvellaEnv::OptNoDesktopNotify), 0);
    }

    // A settings file from before the choice existed has the bit clear: notifications on.
    void olderSettingsFileReadsAsOn()
    {
        NotifyWindow w;
        w.f().SetDesktopNotify(false);
        w.h.form.reset();
        std::vector<uint8_t> file = *w.SettingsFile();
        file[65] = uint8_t(file[65] & ~KOrvellaEnv::OptNoDesktopNotify);
        w.h.files.Put(w.h.appData.SettingsFilePath(), file);
        w.Build();
        QVERIFY(w.f().DesktopNotify);
        QVERIFY(w.f().Action("AlarmDesktopNotify")->isChecked());
    }
};

QTEST_MAIN(TestDesktopNotify)
#include "tst_desktop_notify.moc"
