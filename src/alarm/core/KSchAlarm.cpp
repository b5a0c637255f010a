#include "alarm/core/KSchAlarm.h"

#include "alarm/core/KAlarmSounds.h"
#include "alarm/core/KSchAlarmNotifier.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KSound.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int64_t Day = 24 * 3600;
// Spans remembered with their done points: a day of frames and more, never reallocated.
constexpr size_t DoneCapacity = 256;
constexpr size_t DueCapacity = 64;

int64_t Mod(int64_t a, int64_t m)
{
    return ((a % m) + m) % m;
}

int64_t FloorDiv(int64_t a, int64_t m)
{
    return (a - Mod(a, m)) / m;
}

int64_t MinuteOf(int64_t second)
{
    return FloorDiv(second, 60);
}

KSchTime TimeOfDay(int64_t second)
{
    const int64_t t = Mod(second, Day);
    return KSchTime{uint8_t(t / 3600), uint8_t(t / 60 % 60), uint8_t(t % 60)};
}
} // namespace

KSchAlarm::KSchAlarm()
{
    due_.reserve(DueCapacity);
    done_.reserve(DoneCapacity);
}

KSchAlarm::~KSchAlarm()
{
    if (player_)
        player_->SetEventHandler(nullptr);
}

void KSchAlarm::SetMediaPlayer(KSoundFilePlayer *player)
{
    if (player_)
        player_->SetEventHandler(nullptr);
    player_ = player;
    if (player_)
        player_->SetEventHandler([this](KSoundFilePlayer::Event e) { OnPlayerEvent(int(e)); });
}

void KSchAlarm::BindConfig(const KSchAlarmConfig *config)
{
    config_ = config;
    Prepare();
}

const KScheduleFrame *KSchAlarm::WatchedFrame() const
{
    if (!schedule_ || watched_.Index < 0 || watched_.Index >= schedule_->GetCount())
        return nullptr;
    return schedule_->GetFrame(watched_.Index);
}

int64_t KSchAlarm::StepTo(KSchTime now, int64_t unixSeconds) const
{
    const int64_t forward = Mod(now.TotalSeconds() - LastTime.TotalSeconds(), Day);
    if (unixSeconds >= 0 && lastUnix_ >= 0) {
        // Half a day or more either way: the real time tells how many whole days went by.
        const int64_t real = unixSeconds - lastUnix_;
        if (real >= Day / 2 || real <= -Day / 2)
            return forward + Day * FloorDiv(real - forward + Day / 2, Day);
    }
    // Otherwise the shorter way round the clock: far forward is the clock set back.
    return forward > Day / 2 ? forward - Day : forward;
}

KSchAlarm::Span KSchAlarm::SpanAt(int64_t second) const
{
    Span span;
    if (!schedule_)
        return span;
    const int32_t index = schedule_->FindFrameAt(TimeOfDay(second));
    const KScheduleFrame *frame = schedule_->GetFrame(index);
    if (!frame)
        return span;
    const int64_t start = ToClockTime(frame->StartTime).TotalSeconds();
    span.Index = index;
    span.Start = second - Mod(second - start, Day);
    span.End = span.Start + std::min(frame->Duration.TotalSeconds(), Day);
    return span;
}

bool KSchAlarm::StillInSchedule(const Span &span) const
{
    if (span.Index == NoFrame)
        return true;
    const KScheduleFrame *frame = schedule_ ? schedule_->GetFrame(span.Index) : nullptr;
    return frame && frame->HasItemName() &&
           Mod(span.Start, Day) == ToClockTime(frame->StartTime).TotalSeconds() &&
           span.End - span.Start == std::min(frame->Duration.TotalSeconds(), Day);
}

int32_t KSchAlarm::ArmedMinutes(const Span &span, int point) const
{
    if (!config_ || !config_->IsPointOn(point))
        return -1;
    const int32_t m = config_->GetMinutes(point);
    return m >= 0 && int64_t(m) * 60 < span.End - span.Start ? m : -1;
}

int32_t KSchAlarm::DoneBelow(const Span &span) const
{
    for (const Done &d : done_)
        if (d.Start == span.Start && d.End == span.End)
            return d.Below;
    return INT32_MAX;
}

void KSchAlarm::MarkDone(const Span &span, int32_t minutes)
{
    for (Done &d : done_)
        if (d.Start == span.Start && d.End == span.End) {
            d.Below = std::min(d.Below, minutes);
            return;
        }
    if (done_.size() == DoneCapacity)
        done_.erase(std::min_element(done_.begin(), done_.end(),
                                     [](const Done &a, const Done &b) { return a.End < b.End; }));
    done_.push_back({span.Start, span.End, minutes});
}

void KSchAlarm::Offer(const Span &span, int64_t second, bool catchUp)
{
    // Points whose minute holds this second; for a catch-up, every point due by now.
    const int32_t below = DoneBelow(span);
    for (int p = 0; p < PointCount; ++p) {
        const int32_t m = ArmedMinutes(span, p);
        if (m < 0 || m >= below)
            continue;
        const int64_t minute = MinuteOf(span.End - int64_t(m) * 60) * 60;
        if (std::max(span.Start, minute) > second || (!catchUp && second >= minute + 60))
            continue;
        auto it = std::find_if(due_.begin(), due_.end(), [&](const Due &d) { return d.Of.SameTime(span); });
        if (it == due_.end())
            due_.push_back({span, m, p, minute + 60, catchUp});
        else if (m < it->Minutes)
            *it = {span, m, p, minute + 60, catchUp};
        else if (m == it->Minutes && catchUp)
            it->CatchUp = true;
    }
}

void KSchAlarm::CheckTime(KSchTime now, int64_t unixSeconds)
{
    if (hasLastTime_ && now == LastTime && (unixSeconds < 0 || lastUnix_ < 0 || unixSeconds == lastUnix_))
        return;
    const bool first = !hasLastTime_;
    const int64_t step = first ? 0 : StepTo(now, unixSeconds);
    const int64_t previous = clock_;
    clock_ = first ? Mod(now.TotalSeconds(), Day) : clock_ + step;
    hasLastTime_ = true;
    LastTime = now;
    lastUnix_ = unixSeconds;
    PointCount = config_ ? config_->PointCount() : 0;
    if (!Enabled) {
        wasEnabled_ = false;
        return;
    }

    bool fresh = fresh_ || first || !wasEnabled_ || !StillInSchedule(watched_) || !StillInSchedule(ended_);
    if (step > LateLimitSeconds) {
        fresh = true;
        ++JumpRecoveries;
    }
    fresh_ = false;
    wasEnabled_ = true;
    // A short step forward goes through the seconds it skipped, so that the points it passed
    // ring late; a normal tick goes through its one second. Otherwise the check goes through
    // the current minute from the second before it, which shows a frame that ended in it.
    // The frame that ended last may still ring its end in the end's minute.
    const bool shortStep = !fresh && step > 0;
    Span held = shortStep ? watched_ : Span{};
    Span ended = shortStep ? ended_ : Span{};
    due_.clear();
    for (int64_t s = shortStep ? previous + 1 : MinuteOf(clock_) * 60 - 1; s <= clock_; ++s) {
        const Span at = SpanAt(s);
        if (at.Index != held.Index || !at.SameTime(held)) {
            if (held.Index != NoFrame && held.End <= s)
                ended = held;
            held = at;
        }
        if (ended.Index != NoFrame)
            Offer(ended, s, false);
        if (held.Index != NoFrame)
            Offer(held, s, false);
    }
    if (fresh && held.Index != NoFrame)
        Offer(held, clock_, true);
    watched_ = held;
    ended_ = ended;

    for (const Due &due : due_)
        Ring(due, held, shortStep);
    std::erase_if(done_, [this](const Done &d) { return d.End < clock_ - Day; });
    Describe(held);
}

void KSchAlarm::Ring(const Due &due, const Span &holder, bool lateAllowed)
{
    const bool late = !due.CatchUp && clock_ >= due.MinuteEnd;
    if (late && !lateAllowed)
        return; // its minute went by before this check: stale
    MarkDone(due.Of, due.Minutes);
    FiredMinutes = due.Minutes;
    FiredPoint = due.Point;
    LateMinutes = late ? int(MinuteOf(clock_) - MinuteOf(due.MinuteEnd) + 1) : 0;
    const int64_t left = std::max<int64_t>(0, MinuteOf(due.Of.End) - MinuteOf(clock_));
    // An end alarm names the frame that holds the time now; any other the frame after.
    int32_t next = schedule_->NextIndex(due.Of.Index);
    if (due.Minutes == 0 && holder.Index != NoFrame && !holder.SameTime(due.Of))
        next = holder.Index;

    if (config_->AlarmTypes & KSchAlarmConfig::SoundAlarm)
        PlayPointSound(due.Point);
    if ((config_->AlarmTypes & KSchAlarmConfig::PopupAlarm) && notifier_) {
        KSchAlarmPopupInfo info;
        info.Language = Language;
        info.LeadMinutes = late ? due.Minutes : int(left);
        info.LateMinutes = LateMinutes;
        info.EndingFrame = *schedule_->GetFrame(due.Of.Index);
        if (const KScheduleFrame *frame = schedule_->GetFrame(next))
            info.NextFrame = *frame;
        info.PanelColor = PopupColor;
        notifier_->ShowAlarmPopup(info);
    }
}

void KSchAlarm::Describe(const Span &watched)
{
    if (const KScheduleFrame *frame = WatchedFrame())
        FrameCopy = *frame;
    else
        FrameCopy = KScheduleFrame();
    EndTime = TimeOfDay(watched.End);
    const int64_t left =
        watched.Index == NoFrame ? 0 : std::max<int64_t>(0, MinuteOf(watched.End) - MinuteOf(clock_));
    Remaining = KSchTime{uint8_t(left / 60), uint8_t(left % 60), 0};
    if (int(Armed.size()) != PointCount)
        Armed.assign(size_t(PointCount), -1);
    const int32_t below = DoneBelow(watched);
    for (int p = 0; p < PointCount; ++p) {
        const int32_t m = watched.Index == NoFrame ? -1 : ArmedMinutes(watched, p);
        Armed[size_t(p)] = m < below ? m : -1;
    }
}

void KSchAlarm::PlayPointSound(int point)
{
    StopSound();
    if (point >= 0 && config_ && config_->GetSource(point) == 1) {
        PlayFile(point);
        return;
    }
    PlayBuiltIn(point >= 0 && config_ ? config_->GetSoundName(point)
                                      : std::u16string(KAlarmSounds::Fallback));
}

void KSchAlarm::PlayBuiltIn(const std::u16string &name)
{
    if (!sound_)
        return;
    // A point without a sound, or with a name no built-in sound has, still rings.
    if (name.empty() || !sound_->PlayResource(name))
        sound_->PlayResource(KAlarmSounds::Fallback);
}

void KSchAlarm::PlayFile(int point)
{
    const std::u16string path = config_->GetSoundFile(point);
    // An alarm must be heard: whenever the file cannot play, the built-in sound of the
    // point (or the fallback chime) plays instead, after the error is shown.
    if (path.empty() || !player_) {
        PlayBuiltIn(config_->GetSoundName(point));
        return;
    }
    if (!files_ || !files_->Exists(path)) {
        ShowAlarmError(KMessageCatalog::AlarmFileMissing);
        PlayBuiltIn(config_->GetSoundName(point));
        return;
    }
    FilePlaying = false;
    filePoint_ = point;
    if (!player_->Play(path)) {
        filePoint_ = -1;
        ShowAlarmError(KMessageCatalog::AlarmFileUnplayable);
        PlayBuiltIn(config_->GetSoundName(point));
        return;
    }
    FilePlaying = true;
}

void KSchAlarm::OnPlayerEvent(int event)
{
    if (filePoint_ < 0)
        return;
    if (event == int(KSoundFilePlayer::Event::Ended)) {
        filePoint_ = -1;
        return;
    }
    const int point = filePoint_;
    filePoint_ = -1;
    ShowAlarmError(KMessageCatalog::AlarmFileUnplayable);
    if (config_ && point < config_->PointCount())
        PlayBuiltIn(config_->GetSoundName(point));
}

void KSchAlarm::StopSound()
{
    if (FilePlaying && player_)
        player_->Close();
    filePoint_ = -1;
    if (sound_)
        sound_->StopResources();
}

void KSchAlarm::ShowAlarmError(int code)
{
    if (notifier_)
        notifier_->ShowAlarmError(code, Language);
}
