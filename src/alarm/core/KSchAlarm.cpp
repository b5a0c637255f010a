#include "alarm/core/KSchAlarm.h"

#include "alarm/core/KAlarmSounds.h"
#include "alarm/core/KSchAlarmNotifier.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KSound.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int64_t DaySeconds = 24 * 3600;
constexpr int64_t DayMinutes = 24 * 60;

int64_t Mod(int64_t a, int64_t m)
{
    return ((a % m) + m) % m;
}
} // namespace

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

void KSchAlarm::SetFrame(int32_t index)
{
    watched_ = index;
    Prepare();
}

const KScheduleFrame *KSchAlarm::WatchedFrame() const
{
    if (!schedule_ || watched_ < 0 || watched_ >= schedule_->GetCount())
        return nullptr;
    return schedule_->GetFrame(watched_);
}

void KSchAlarm::Prepare()
{
    Busy = true;
    secondsSinceArmed_ = 0;
    if (config_)
        PointCount = config_->PointCount();

    const KScheduleFrame *frame = WatchedFrame();
    FrameCopy = frame ? *frame : KScheduleFrame();
    EndTime = AddTimes(FrameCopy.StartTime, FrameCopy.Duration);
    EndTime.Second = 0;

    if (int(Armed.size()) != PointCount) {
        Armed.assign(size_t(PointCount), -1);
        CheckOrder.resize(size_t(PointCount));
        std::iota(CheckOrder.begin(), CheckOrder.end(), 0);
    }

    if (!FrameCopy.HasItemName() || !config_) {
        std::fill(Armed.begin(), Armed.end(), -1);
        Busy = false;
        return;
    }

    const int64_t duration = FrameCopy.Duration.TotalSeconds();
    for (int i = 0; i < PointCount; ++i) {
        Armed[size_t(i)] = -1;
        const int32_t m = config_->GetMinutes(i);
        if (config_->IsPointOn(i) && m >= 0 && int64_t(m) * 60 < duration)
            Armed[size_t(i)] = m;
    }
    // Armed points by ascending minutes, the lower index first among equals; the points
    // that are not armed follow and take no part in the checks.
    std::iota(CheckOrder.begin(), CheckOrder.end(), 0);
    std::stable_sort(CheckOrder.begin(), CheckOrder.end(), [this](int a, int b) {
        const int32_t ma = Armed[size_t(a)], mb = Armed[size_t(b)];
        if ((ma >= 0) != (mb >= 0))
            return ma >= 0;
        return ma < mb;
    });
    Busy = false;
}

bool KSchAlarm::JumpedPastEnd(KSchTime now, int64_t unixSeconds) const
{
    if (!hasLastTime_ || !FrameCopy.HasItemName())
        return false;
    // The forward step of the time of day. A step of more than half a day counts as the
    // clock going back, unless the real time shows that so much time went by.
    const int64_t step = Mod(now.TotalSeconds() - LastTime.TotalSeconds(), DaySeconds);
    const bool realGap = unixSeconds >= 0 && lastUnix_ >= 0 && unixSeconds - lastUnix_ > DaySeconds / 2;
    if (step <= JumpSeconds && !realGap)
        return false;
    if (step > DaySeconds / 2 && !realGap)
        return false;
    if (unixSeconds >= 0 && lastUnix_ >= 0 && unixSeconds - lastUnix_ >= DaySeconds)
        return true;
    // Minutes from the last check to this one, and to the end: the jump passed the end
    // when it went beyond the end's minute without a check in it.
    const int64_t lastMinute = LastTime.TotalSeconds() / 60;
    const int64_t elapsed = Mod(now.TotalSeconds() / 60 - lastMinute, DayMinutes);
    const int64_t toEnd = Mod(EndTime.TotalSeconds() / 60 - lastMinute, DayMinutes);
    return elapsed > toEnd;
}

void KSchAlarm::CheckTime(KSchTime now, int64_t unixSeconds)
{
    if (hasLastTime_ && now == LastTime)
        return;
    const bool jumpedPastEnd = JumpedPastEnd(now, unixSeconds);
    if (hasLastTime_)
        secondsSinceArmed_ += Mod(now.TotalSeconds() - LastTime.TotalSeconds(), DaySeconds);
    LastTime = now;
    lastUnix_ = unixSeconds;
    hasLastTime_ = true;
    if (!Enabled || Busy)
        return;

    // After a jump over the end of the watched frame, its alarms are stale: watch the
    // frame that holds the time now and arm it as if it had just been set.
    if (jumpedPastEnd && provider_) {
        ++JumpRecoveries;
        SetFrame(provider_(true));
    }

    KSchTime minuteNow = now;
    minuteNow.Second = 0;
    int64_t remaining = DiffTimes(EndTime, minuteNow).TotalSeconds();
    if (remaining >= DaySeconds)
        remaining -= DaySeconds;
    // A frame of a whole day ends in the minute it starts. Armed in that minute, it has
    // just begun: its end is a day away, not now (else its end alarm would re-arm it and
    // ring again at every tick of the minute).
    if (remaining == 0 && FrameCopy.Duration.TotalSeconds() >= DaySeconds && secondsSinceArmed_ <= now.Second)
        remaining = DaySeconds;
    Remaining = KSchTime{uint8_t(remaining / 3600), uint8_t(remaining / 60 % 60), 0};

    size_t firedAt = CheckOrder.size();
    for (size_t k = 0; k < CheckOrder.size(); ++k) {
        const int32_t m = Armed[size_t(CheckOrder[k])];
        if (m >= 0 && remaining <= int64_t(m) * 60) {
            firedAt = k;
            break;
        }
    }
    if (firedAt == CheckOrder.size())
        return;

    const int point = CheckOrder[firedAt];
    FiredMinutes = Armed[size_t(point)];
    FiredPoint = point;
    for (size_t k = firedAt; k < CheckOrder.size(); ++k)
        Armed[size_t(CheckOrder[k])] = -1;
    const bool endAlarm = FiredMinutes == 0;

    const int32_t next = provider_ ? provider_(endAlarm) : NoFrame;
    if (config_) {
        if (config_->AlarmTypes & KSchAlarmConfig::SoundAlarm)
            PlayPointSound(point);
        if ((config_->AlarmTypes & KSchAlarmConfig::PopupAlarm) && notifier_) {
            KSchAlarmPopupInfo info;
            info.Language = Language;
            info.LeadMinutes = int(remaining / 60);
            info.EndingFrame = FrameCopy;
            if (schedule_ && next >= 0 && next < schedule_->GetCount())
                info.NextFrame = *schedule_->GetFrame(next);
            info.PanelColor = PopupColor;
            notifier_->ShowAlarmPopup(info);
        }
        if (endAlarm)
            SetFrame(next);
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
