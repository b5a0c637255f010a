#include "platform/sound/KQtSoundFilePlayer.h"

#include "platform/sound/KQtSound.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaFormat>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

KQtSoundFilePlayer::KQtSoundFilePlayer(QObject *parent) : QObject(parent) {}

KQtSoundFilePlayer::~KQtSoundFilePlayer()
{
    active_ = false;
    if (player_)
        player_->stop();
}

bool KQtSoundFilePlayer::CanDecode()
{
    static const bool can = !QMediaFormat().supportedFileFormats(QMediaFormat::Decode).isEmpty();
    return can;
}

bool KQtSoundFilePlayer::EnsurePlayer()
{
    if (player_)
        return true;
    if (!CanDecode())
        return false;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString &) {
        if (error != QMediaPlayer::NoError)
            OnFailed();
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (!active_)
            return;
        if (status == QMediaPlayer::InvalidMedia) {
            OnFailed();
        } else if (status == QMediaPlayer::EndOfMedia) {
            active_ = false;
            Notify(Event::Ended);
        }
    });
    return true;
}

void KQtSoundFilePlayer::OnFailed()
{
    if (!active_)
        return;
    active_ = false;
    player_->stop();
    // A failure while Play runs is its result; only a later one is an event.
    if (!inPlay_)
        Notify(Event::Failed);
}

bool KQtSoundFilePlayer::Play(const std::u16string &path)
{
    Close();
    const QString file = QString::fromStdU16String(path);
    if (!QFileInfo(file).isFile())
        return false;
    if (!KQtSound::HasAudioOutput()) {
        // Nowhere to play to (no sound device, no audio server): the file "plays" to
        // nothing and ends at once, instead of failing as if it were broken.
        const int generation = ++generation_;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_)
                Notify(Event::Ended);
        });
        return true;
    }
    if (!EnsurePlayer())
        return false;
    active_ = true;
    inPlay_ = true;
    player_->setSource(QUrl::fromLocalFile(file));
    if (active_)
        player_->play();
    inPlay_ = false;
    return active_;
}

void KQtSoundFilePlayer::Close()
{
    active_ = false;
    ++generation_;
    if (!player_)
        return;
    player_->stop();
    player_->setSource(QUrl());
}

bool KQtSoundFilePlayer::IsPlaying() const
{
    return active_ && player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}
