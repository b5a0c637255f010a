#pragma once

#include "platform/core/KSoundFilePlayer.h"

#include <QObject>

class QAudioOutput;
class QMediaPlayer;

// Plays a wav or mp3 file through QMediaPlayer. The player is made only when the first
// file is played, and only when the media backend can decode anything at all: without
// the GStreamer plugins Qt's media player crashes in its constructor.
class KQtSoundFilePlayer : public QObject, public KSoundFilePlayer {
    Q_OBJECT

public:
    explicit KQtSoundFilePlayer(QObject *parent = nullptr);
    ~KQtSoundFilePlayer() override;

    bool Play(const std::u16string &path) override;
    void Close() override;
    bool IsPlaying() const override;

    // True when the media backend offers any decoder.
    static bool CanDecode();

private:
    bool EnsurePlayer();
    void OnFailed();

    QMediaPlayer *player_ = nullptr;
    QAudioOutput *output_ = nullptr;
    bool active_ = false; // a Play is in progress and its outcome is still wanted
    bool inPlay_ = false;
    int generation_ = 0; // counts plays and closes, so a late notice of an old play is dropped
};
