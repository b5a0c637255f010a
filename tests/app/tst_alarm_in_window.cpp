// The alarm in the main window: the tick fires it (sound and popup), Escape, the stop
// button and the menu stop the sound, the Alarm menu switches the types, and the
// configuration dialog writes the configuration back.
#include "WindowHarness.h"
#include "alarm/KAlarmWindows.h"
#include "alarm/TKAlarmPopUpDialog.h"
#include "alarm/TKSchAlmCfgDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {
KScheduleFrame Frame(int h, int durMinutes, const char16_t *name)
{
    return KScheduleFrame(KSchTime{uint8_t(h), 0, 0},
                          KSchTime::MakeTime(uint8_t(durMinutes / 60), uint8_t(durMinutes % 60), 0), name,
                          0xFFFFFF, u"");
}

// Work 09:00-10:00, Lunch 10:00-12:00, Free 12:00-09:00; end and 5 minutes before on.
void UseWorkday(WindowHarness &h)
{
    TOrvellaForm &f = *h.form;
    f.ShownSchedule.ClearFrames();
    f.ShownSchedule.AppendFrame(Frame(9, 60, u"Work"));
    f.ShownSchedule.AppendFrame(Frame(10, 120, u"Lunch"));
    f.ShownSchedule.AppendFrame(Frame(12, 21 * 60, u"Free"));
    f.AlarmConfig.SetPointCount(4);
    f.AlarmConfig.SetMinutes(0, 0);
    f.AlarmConfig.SetMinutes(1, 5);
    f.AlarmConfig.SetPointOn(0, true);
    f.AlarmConfig.SetPointOn(1, true);
    f.AlarmConfig.SetSoundName(1, u"AlarmBell");
    f.AlarmConfig.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
    f.ApplyAlarmEnabled();
    f.AlarmResetPending = true;
}

void TickAt(WindowHarness &h, int hh, int mm, int ss)
{
    h.clock.Set(uint8_t(hh), uint8_t(mm), uint8_t(ss), 3);
    h.form->ClockTick();
}
} // namespace

class TestAlarmInWindow : public QObject {
    Q_OBJECT

private slots:
    void theTickRingsAndShowsThePopupAndEveryStopWorks()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        UseWorkday(h);
        TickAt(h, 9, 54, 58);
        TickAt(h, 9, 54, 59);
        QVERIFY(f.AlarmWindows->Popup.isNull());
        TickAt(h, 9, 55, 0);
        QCOMPARE(h.sound.Played, (std::vector<std::u16string>{u"AlarmBell"}));
        TKAlarmPopUpDialog *popup = f.AlarmWindows->Popup;
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popup->AlarmMsgLabel->text(), QString("終了時間、5分前になりました。"));
        QCOMPARE(popup->NextSchItemEdit->text(), QString("Lunch"));

        // Escape anywhere in the window, the week panel's button and the menu command stop it.
        int stops = h.sound.Stops;
        f.activateWindow();
        QTest::keyClick(&f, Qt::Key_Escape);
        QCOMPARE(h.sound.Stops, ++stops);
        QTest::mouseClick(f.AlarmSoundStopButton, Qt::LeftButton);
        QCOMPARE(h.sound.Stops, ++stops);
        f.Action("AlarmSoundStop")->trigger();
        QCOMPARE(h.sound.Stops, ++stops);

        // Loading another schedule while the popup is open leaves its texts intact.
        f.ShownSchedule.ClearFrames();
        f.AddDefaultFrame(f.ShownSchedule);
        QCOMPARE(popup->CurrSchItemEdit->text(), QString("Work"));

        // The end alarm updates the same popup, chimes the fallback for a point without a
        // sound, and moves on to the frame that has begun.
        UseWorkday(h);
        TickAt(h, 9, 59, 59);
        TickAt(h, 10, 0, 0);
        QCOMPARE(f.AlarmWindows->Popup.data(), popup);
        QCOMPARE(popup->AlarmMsgLabel->text(), QString("終了時間になりました。"));
        QCOMPARE(h.sound.Played.back(), std::u16string(u"Chime_1"));
        QCOMPARE(f.Alarm.FrameCopy.ItemName, std::u16string(u"Lunch"));
        QTest::mouseClick(popup->Button_SoundStop, Qt::LeftButton);
        QTRY_VERIFY(f.AlarmWindows->Popup.isNull());
    }

    void theAlarmMenuSwitchesTheTypes()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        UseWorkday(h);
        QVERIFY(f.Alarm.Enabled);
        emit f.ALARM_Menu->aboutToShow();
        QVERIFY(f.Action("AlarmSoundEnabled")->isChecked());
        QVERIFY(f.Action("AlarmPopupEnabled")->isChecked());
        QVERIFY(!f.Action("AlarmEmailEnabled")->isChecked());
        // The e-mail switch is in no menu.
        QVERIFY(!f.ALARM_Menu->actions().contains(f.Action("AlarmEmailEnabled")));
        QVERIFY(f.ALARM_Menu->actions().contains(f.Action("AlarmPopupEnabled")));

        f.Action("AlarmSoundEnabled")->trigger();
        QCOMPARE(f.AlarmConfig.AlarmTypes, KSchAlarmConfig::PopupAlarm);
        QVERIFY(f.Alarm.Enabled);
        f.Action("AlarmPopupEnabled")->trigger();
        QCOMPARE(f.AlarmConfig.AlarmTypes, 0u);
        QVERIFY(!f.Alarm.Enabled);
        QVERIFY(!f.Action("AlarmPopupEnabled")->isChecked());
        // Off: the 5-minute point passes in silence.
        TickAt(h, 9, 54, 59);
        TickAt(h, 9, 55, 0);
        QVERIFY(h.sound.Played.empty());
        QVERIFY(f.AlarmWindows->Popup.isNull());
        f.Action("AlarmEmailEnabled")->trigger(); // counts as a type that is on
        QVERIFY(f.Alarm.Enabled);
    }

    void theConfigurationDialogWritesBackOnOk()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        bool seen = false;
        // The dialog is modal: a check closes it, and fails the test if it never opened.
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TKSchAlmCfgDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (QWidget *w = QApplication::activeModalWidget())
                    w->close();
                return;
            }
            seen = true;
            QVERIFY(f.AlarmCfgDialog == dialog);
            QTest::mouseClick(dialog->AlarmCheckBox, Qt::LeftButton);
            dialog->Rows[0].CheckBox->click();
            dialog->OKButton->click();
        });
        QVERIFY(f.AlarmOptionExecute());
        QVERIFY(seen);
        QCOMPARE(f.AlarmConfig.PointCount(), 4);
        QCOMPARE(f.AlarmConfig.AlarmTypes, KSchAlarmConfig::SoundAlarm);
        QVERIFY(f.AlarmConfig.IsPointOn(0));
        QVERIFY(f.Alarm.Enabled); // touched: the alarm was switched on
        QVERIFY(f.AlarmCfgDialog == nullptr);

        // Cancel leaves the configuration alone.
        const KSchAlarmConfig before = f.AlarmConfig;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<TKSchAlmCfgDialog *>(QApplication::activeModalWidget())) {
                dialog->PopupCheckBox->click();
                dialog->CancelButton->click();
            } else if (QWidget *w = QApplication::activeModalWidget()) {
                w->close();
            }
        });
        QVERIFY(!f.AlarmOptionExecute());
        QVERIFY(f.AlarmConfig == before);
    }
};

QTEST_MAIN(TestAlarmInWindow)
#include "tst_alarm_in_window.moc"
