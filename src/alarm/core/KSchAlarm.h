#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "model/KDaySchedule.h"

#include <cstdint>
#include <vector>

class KFileSystem;
class KSchAlarmNotifier;
class KSound;
class KSoundFilePlayer;

// Rings the alarm points of the frames of a day schedule. The window gives it the local time
// once a second; the rule it keeps:
//
// - While enabled, every armed point of the frame that holds the time rings once, in its
//   minute: the minute that holds the frame's end less the point's lead, from the frame's
//   start on. A point is armed when it is on and the frame lasts longer than its lead. An
//   end that falls on a whole minute rings when that minute begins, just after the frame has
//   given way to the next one (or to a gap).
// - No point rings for a frame that does not hold the time. The frame holding the time is
//   looked up at every check, so a replaced schedule, the end of a gap or a clock that jumps
//   leave the alarm on the right frame.
// - After a change (Prepare: a file opened or made new, the configuration confirmed, alarms
//   switched on) the frame holding the time rings at once the point closest to its end among
//   those already due, with the time really left.
// - A forward step of the clock of up to LateLimitSeconds (a short suspend) rings the points
//   it passed, for each frame the one closest to its end, late, telling by how many minutes.
//   After a longer step nothing stale rings: the alarm starts afresh as after a change.
// - Once a point of a frame has rung, it and the points before it (longer leads) are done
//   for that stretch of time: the clock going back, the same file opened again or a changed
//   configuration never ring them a second time.
class KSchAlarm {
public:
    static constexpr int32_t NoFrame = -1;
    static constexpr int64_t LateLimitSeconds = 15 * 60;

    KSchAlarm();
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
    // Something changed: the next check watches the frame holding the time and rings its
    // closest due point.
    void Prepare() { fresh_ = true; }
    // Called once a second with the local time of day; unixSeconds, when known (not -1),
    // tells how many days a long gap between two checks spans.
    void CheckTime(KSchTime now, int64_t unixSeconds = -1);

    void PlayPointSound(int point);
    void StopSound();
    void ShowAlarmError(int code);

    // The frame holding the time at the last check, or nullptr.
    const KScheduleFrame *WatchedFrame() const;
    int32_t WatchedIndex() const { return watched_.Index; }
    const KSchAlarmConfig *Config() const { return config_; }

    bool Enabled = false;
    KSchTime LastTime;
    int Language = 0;
    uint32_t PopupColor = 0xC0DCC0;
    // The watched frame at the last check: a copy, its end (clock form, with seconds), the
    // time left until that end in whole minutes, and per point its minutes while it may still
    // ring for this frame, -1 when not.
    KScheduleFrame FrameCopy;
    KSchTime EndTime;
    KSchTime Remaining;
    int PointCount = 0;
    std::vector<int32_t> Armed;
    // The alarm that rang last.
    int32_t FiredMinutes = -1;
    int FiredPoint = -1;
    int LateMinutes = 0;
    bool FilePlaying = false;
    // How often a forward step of the clock beyond the late limit made the alarm start afresh.
    int JumpRecoveries = 0;

private:
    // One stretch of time a frame holds, on the alarm's own time line (seconds).
    struct Span {
        int64_t Start = 0;
        int64_t End = 0;
        int32_t Index = NoFrame;
        bool SameTime(const Span &o) const { return Start == o.Start && End == o.End; }
    };
    // A point due in this check; one per span, the one closest to the end.
    struct Due {
        Span Of;
        int32_t Minutes;
        int Point;
        int64_t MinuteEnd; // the end of the point's minute
        bool CatchUp;
    };
    // Leads at and above Below are done for the span Start .. End.
    struct Done {
        int64_t Start;
        int64_t End;
        int32_t Below;
    };

    int64_t StepTo(KSchTime now, int64_t unixSeconds) const;
    Span SpanAt(int64_t second) const;
    bool StillInSchedule(const Span &span) const;
    int32_t ArmedMinutes(const Span &span, int point) const;
    int32_t DoneBelow(const Span &span) const;
    void MarkDone(const Span &span, int32_t minutes);
    void Offer(const Span &span, int64_t second, bool catchUp);
    void Ring(const Due &due, const Span &holder, bool lateAllowed);
    void Describe(const Span &watched);
    void PlayFile(int point);
    void PlayBuiltIn(const std::u16string &name);
    void OnPlayerEvent(int event);

    const KDaySchedule *schedule_ = nullptr;
    const KSchAlarmConfig *config_ = nullptr;
    KSound *sound_ = nullptr;
    KSoundFilePlayer *player_ = nullptr;
    KFileSystem *files_ = nullptr;
    KSchAlarmNotifier *notifier_ = nullptr;
    bool hasLastTime_ = false;
    int64_t lastUnix_ = -1;
    int64_t clock_ = 0; // the alarm's time line: the time of day plus whole days gone by
    bool fresh_ = true;
    bool wasEnabled_ = false;
    Span watched_;
    Span ended_; // the frame that ended last
    std::vector<Due> due_;
    std::vector<Done> done_;
    int filePoint_ = -1; // the point whose file is playing
};
