// The alarm's side of the main window: wiring, the tick's alarm steps, the Alarm menu
// and the configuration dialog.
#include "alarm/KAlarmWindows.h"
#include "alarm/TKSchAlmCfgDialog.h"
#include "app/TOrvellaForm.h"
#include "platform/core/KSound.h"

#include <QAction>
#include <QMenu>

void TOrvellaForm::InitAlarm()
{
    AlarmCfgDialog = nullptr;
    AlarmResetPending = true;
    AlarmWindows = new KAlarmWindows(this);
    AlarmWindows->StopHandler = [this] { StopAlarmSound(); };
    Alarm.BindSchedule(&ShownSchedule);
    Alarm.SetNotifier(AlarmWindows);
    Alarm.SetFiles(platform_.Files);
    Alarm.SetSound(platform_.Sound);
    Alarm.Language = Language;
    Alarm.BindConfig(&AlarmConfig);
    if (platform_.Sound)
        MediaPlayer1 = platform_.Sound->CreateFilePlayer();
    Alarm.SetMediaPlayer(MediaPlayer1.get());

    connect(Action("AlarmSoundEnabled"), &QAction::triggered, this, &TOrvellaForm::AlarmSoundEnabledExecute);
    connect(Action("AlarmPopupEnabled"), &QAction::triggered, this, &TOrvellaForm::AlarmPopupEnabledExecute);
    connect(Action("AlarmEmailEnabled"), &QAction::triggered, this, &TOrvellaForm::AlarmEmailEnabledExecute);
    connect(Action("AlarmOption"), &QAction::triggered, this, [this] { AlarmOptionExecute(); });
    connect(ALARM_Menu, &QMenu::aboutToShow, this, &TOrvellaForm::ALARM_MenuClick);
}

void TOrvellaForm::TickAlarm(KSchTime now, int64_t unixSeconds)
{
    // After a change the alarm looks afresh at the frame holding the time, before it checks.
    if (AlarmResetPending) {
        Alarm.Prepare();
        AlarmResetPending = false;
    }
    Alarm.CheckTime(now, unixSeconds);
}

void TOrvellaForm::ApplyAlarmEnabled()
{
    if (AlarmConfig.AlarmTypes & 0xFFFF) {
        Alarm.Prepare();
        Alarm.Enabled = true;
    } else {
        Alarm.Enabled = false;
    }
}

void TOrvellaForm::StopAlarmSound()
{
    Alarm.StopSound();
}

void TOrvellaForm::ALARM_MenuClick()
{
    Action("AlarmSoundEnabled")->setChecked(AlarmConfig.AlarmTypes & KSchAlarmConfig::SoundAlarm);
    Action("AlarmEmailEnabled")->setChecked(AlarmConfig.AlarmTypes & KSchAlarmConfig::EmailAlarm);
    Action("AlarmPopupEnabled")->setChecked(AlarmConfig.AlarmTypes & KSchAlarmConfig::PopupAlarm);
}

void TOrvellaForm::ToggleAlarmType(uint32_t bit, const char *action)
{
    AlarmConfig.AlarmTypes ^= bit;
    Action(action)->setChecked(AlarmConfig.AlarmTypes & bit);
    ApplyAlarmEnabled();
}

void TOrvellaForm::AlarmSoundEnabledExecute()
{
    ToggleAlarmType(KSchAlarmConfig::SoundAlarm, "AlarmSoundEnabled");
}

void TOrvellaForm::AlarmPopupEnabledExecute()
{
    ToggleAlarmType(KSchAlarmConfig::PopupAlarm, "AlarmPopupEnabled");
}

void TOrvellaForm::AlarmEmailEnabledExecute()
{
    ToggleAlarmType(KSchAlarmConfig::EmailAlarm, "AlarmEmailEnabled");
}

bool TOrvellaForm::AlarmOptionExecute()
{
    if (AlarmCfgDialog)
        return false; // already open
    TKSchAlmCfgDialog dialog(this, AlarmConfig, Language, platform_);
    AlarmCfgDialog = &dialog;
    const int result = dialog.exec();
    AlarmCfgDialog = nullptr;
    if (result != QDialog::Accepted)
        return false;
    dialog.WriteConfig(AlarmConfig);
    if (dialog.ConfigTouched)
        ApplyAlarmEnabled();
    return true;
}
