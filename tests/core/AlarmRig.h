#pragma once

#include "alarm/core/KSchAlarm.h"
#include "alarm/core/KSchAlarmNotifier.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakeSound.h"

#include <string>
#include <vector>

// Records the popups and error windows an alarm asks for.
struct RecordingNotifier : KSchAlarmNotifier {
    struct Popup {
        KSchAlarmPopupInfo Info;
        int FiredPoint;
        KSchTime At;
    };
    std::vector<Popup> Popups;
    std::vector<int> Errors;
    const KSchAlarm *Alarm = nullptr;

    void ShowAlarmPopup(const KSchAlarmPopupInfo &info) override
    {
        Popups.push_back({info, Alarm->FiredPoint, Alarm->LastTime});
    }
    void ShowAlarmError(int code, int) override { Errors.push_back(code); }
};

// An alarm wired the way the main window wires it: a schedule, the four points of the
// configuration dialog, fake sound and files, and the window's part of the tick.
struct AlarmRig {
    KDaySchedule Schedule;
    KSchAlarmConfig Config{4};
    KFakeSound Sound;
    KFakeFileSystem Files;
    RecordingNotifier Notifier;
    std::unique_ptr<KSoundFilePlayer> Player = Sound.CreateFilePlayer();
    // Declared after the player it holds, so it goes first.
    KSchAlarm Alarm;
    bool ResetPending = true;

    AlarmRig()
    {
        const int minutes[4] = {0, 5, 10, 15};
        for (int i = 0; i < 4; ++i)
            Config.SetMinutes(i, minutes[i]);
        Config.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm;
        Notifier.Alarm = &Alarm;
        Alarm.BindSchedule(&Schedule);
        Alarm.SetSound(&Sound);
        Alarm.SetMediaPlayer(Player.get());
        Alarm.SetFiles(&Files);
        Alarm.SetNotifier(&Notifier);
        Alarm.BindConfig(&Config);
    }

    KFakeSoundFilePlayer &FakePlayer() { return *static_cast<KFakeSoundFilePlayer *>(Player.get()); }

    void TurnOn(std::initializer_list<int> points)
    {
        Config.EnabledPoints = 0;
        for (int p : points)
            Config.SetPointOn(p, true);
        Alarm.Prepare();
        Alarm.Enabled = true;
    }

    void Add(int h, int m, int durMinutes, const std::u16string &name)
    {
        Schedule.AppendFrame(KScheduleFrame(
            KSchTime{uint8_t(h), uint8_t(m), 0},
            KSchTime::MakeTime(uint8_t(durMinutes / 60), uint8_t(durMinutes % 60), 0), name, 0xFFFFFF, u""));
    }

    // The window's tick: a pending re-arm, then the check.
    void Tick(KSchTime now, int64_t unixSeconds = -1)
    {
        if (ResetPending) {
            Alarm.Prepare();
            ResetPending = false;
        }
        Alarm.CheckTime(now, unixSeconds);
    }
    void Tick(int h, int m, int s) { Tick(KSchTime{uint8_t(h), uint8_t(m), uint8_t(s)}); }

    // One tick per second from the first time up to and including the last (same day).
    void Run(KSchTime from, KSchTime to)
    {
        for (int64_t t = from.TotalSeconds(); t <= to.TotalSeconds(); ++t)
            Tick(KSchTime{uint8_t(t / 3600), uint8_t(t / 60 % 60), uint8_t(t % 60)});
    }

    // "HH:MM:SS lead" of every popup so far.
    std::vector<std::string> Fired() const
    {
        std::vector<std::string> out;
        for (const auto &p : Notifier.Popups) {
            const std::u16string t = FormatTime(p.At, true);
            out.push_back(std::string(t.begin(), t.end()) + " " + std::to_string(p.Info.LeadMinutes));
        }
        return out;
    }
};

inline KSchTime T(int h, int m, int s = 0)
{
    return KSchTime{uint8_t(h), uint8_t(m), uint8_t(s)};
}
