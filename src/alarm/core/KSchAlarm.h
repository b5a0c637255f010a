#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "model/KDaySchedule.h"

#include <cstdint>
#include <functional>
#include <vector>

class KFileSystem;
class KSchAlarmNotifier;
class KSound;
class KSoundFilePlayer;

// Watches one frame of a schedule and raises an alarm when the time left until its end
// reaches one of the configured points. The window gives it the time of day once a second.
//
// The watched frame is held as an index into the bound schedule, never as a pointer,
// so replacing the schedule's contents cannot leave the alarm reading freed memory.
class KSchAlarm {
public:
    static constexpr int32_t NoFrame = -1;
    // A forward step of the clock longer than this between two checks counts as a jump
    // (resume from sleep, clock change); a normal tick is about one second.
    static constexpr int64_t JumpSeconds = 60;

    // Given true: the index of the frame holding the current time; given false: the index
    // of the frame after it. An index outside the schedule means none.
    using FrameProviderFn = std::function<int32_t(bool current)>;

    KSchAlarm() = default;
    ~KSchAlarm();
    KSchAlarm(const KSchAlarm &) = delete;
    KSchAlarm &operator=(const KSchAlarm &) = delete;

    // Collaborators; none is owned, any may be left unset.
    void BindSchedule(const KDaySchedule *schedule) { schedule_ = schedule; }
    void SetSound(KSound *sound) { sound_ = sound; }
    void SetMediaPlayer(KSoundFilePlayer *player);
    void SetFiles(KFileSystem *files) { files_ = files; }
    void SetNotifier(KSchAlarmNotifier *notifier) { notifier_ = notifier; }

    void BindConfig(const KSchAlarmConfig *config);
    void SetFrame(int32_t index);
    void SetFrameProvider(FrameProviderFn provider) { provider_ = std::move(provider); }
    // Arms the points for the watched frame.
    void Prepare();
    // Called once a second with the local time of day; unixSeconds, when known (not -1),
    // tells a long jump of the clock from the clock going back.
    void CheckTime(KSchTime now, int64_t unixSeconds = -1);

    void PlayPointSound(int point);
    void StopSound();
    void ShowAlarmError(int code);

    // The watched frame as it is now in the schedule, or nullptr.
    const KScheduleFrame *WatchedFrame() const;
    int32_t WatchedIndex() const { return watched_; }
    const KSchAlarmConfig *Config() const { return config_; }

    bool Enabled = false;
    KSchTime LastTime;
    int Language = 0;
    uint32_t PopupColor = 0xC0DCC0;
    bool Busy = false;
    KScheduleFrame FrameCopy;
    int PointCount = 0;
    std::vector<int32_t> Armed;  // per point: its minutes while armed, -1 when not
    std::vector<int> CheckOrder; // armed points by ascending minutes, then the rest
    KSchTime EndTime;
    int32_t FiredMinutes = -1;
    int FiredPoint = -1;
    KSchTime Remaining;
    bool FilePlaying = false;
    // How often a forward jump of the clock moved the alarm off a frame that had ended.
    int JumpRecoveries = 0;

private:
    void PlayFile(int point);
    void PlayBuiltIn(const std::u16string &name);
    void OnPlayerEvent(int event);
    bool JumpedPastEnd(KSchTime now, int64_t unixSeconds) const;

    const KDaySchedule *schedule_ = nullptr;
    const KSchAlarmConfig *config_ = nullptr;
    KSound *sound_ = nullptr;
    KSoundFilePlayer *player_ = nullptr;
    KFileSystem *files_ = nullptr;
    KSchAlarmNotifier *notifier_ = nullptr;
    FrameProviderFn provider_;
    int32_t watched_ = NoFrame;
    bool hasLastTime_ = false;
    int64_t lastUnix_ = -1;
    int64_t secondsSinceArmed_ = 0; // clock time gone by since the points were armed
    int filePoint_ = -1;            // the point whose file is playing
};
