#include "alarm/core/KSoundReview.h"

#include "alarm/core/KAlarmSounds.h"
#include "model/KMessageCatalog.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KSound.h"

KSoundReview::KSoundReview(KSound *sound, KSoundFilePlayer *player, KFileSystem *files)
    : sound_(sound), player_(player), files_(files)
{
    if (player_)
        player_->SetEventHandler(
            [this](KSoundFilePlayer::Event e) { OnPlayerEvent(e == KSoundFilePlayer::Event::Failed); });
}

KSoundReview::~KSoundReview()
{
    if (player_)
        player_->SetEventHandler(nullptr);
}

void KSoundReview::Toggle(int point, const Choice &choice)
{
    if (Reviewing && ReviewPoint == point) {
        Stop();
    } else {
        Stop();
        Start(point, choice);
    }
    if (StateChanged)
        StateChanged();
}

void KSoundReview::Start(int point, const Choice &choice)
{
    if (choice.UseFile) {
        if (choice.Path.empty() || !player_)
            return;
        if (!files_ || !files_->Exists(choice.Path)) {
            if (ShowError)
                ShowError(KMessageCatalog::AlarmFileMissing);
            return;
        }
        if (!player_->Play(choice.Path)) {
            if (ShowError)
                ShowError(KMessageCatalog::AlarmFileUnplayable);
            return;
        }
        FileReviewing = true;
        Reviewing = true;
    } else {
        // Nothing chosen, or a name no built-in sound has: nothing to listen to.
        const int ms = KAlarmSounds::ReviewMs(choice.Name);
        if (ms <= 0 || !sound_ || !sound_->PlayResource(choice.Name))
            return;
        Reviewing = true;
        ResourceReviewing = true;
        if (StartTimer)
            StartTimer(ms);
    }
    ReviewPoint = point;
}

void KSoundReview::Stop()
{
    if (FileReviewing && player_)
        player_->Close();
    FileReviewing = false;
    if (sound_)
        sound_->StopResources();
    Reviewing = false;
    ResourceReviewing = false;
    ReviewPoint = NoPoint;
    if (StopTimer)
        StopTimer();
}

void KSoundReview::TimerElapsed()
{
    Stop();
    if (StateChanged)
        StateChanged();
}

void KSoundReview::Close()
{
    Stop();
    FileReviewing = false;
    if (player_)
        player_->Close();
}

void KSoundReview::OnPlayerEvent(bool failed)
{
    if (!FileReviewing || ResourceReviewing)
        return;
    if (failed) {
        if (ShowError)
            ShowError(KMessageCatalog::AlarmFileUnplayable);
    } else if (player_ && player_->IsPlaying()) {
        return;
    }
    Stop();
    if (StateChanged)
        StateChanged();
}
