#pragma once

#include "platform/core/KSound.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QSoundEffect;

// The machine's sound output through Qt Multimedia. Built-in sounds are WAV resources
// under ":/sounds" played with QSoundEffect; sound files play through KQtSoundFilePlayer.
// On a machine without an audio output device the built-in sounds are skipped: Qt's
// sound effect never finishes there and can crash when it is destroyed.
class KQtSound : public QObject, public KSound {
    Q_OBJECT

public:
    explicit KQtSound(QObject *parent = nullptr);
    ~KQtSound() override;

    bool PlayResource(const std::u16string &name) override;
    void StopResources() override;
    bool ResourcePlaying() const override;
    std::unique_ptr<KSoundFilePlayer> CreateFilePlayer() override;

    // The resource path of a built-in sound (":/sounds/Chime_1.wav"), found without regard
    // to case, or an empty text.
    static QString ResourcePath(const std::u16string &name);
    // Makes the built-in sounds available under ":/sounds"; called once by the constructor.
    static void RegisterResources();
    // True when the machine has an audio output device.
    static bool HasAudioOutput();

private:
    QPointer<QSoundEffect> effect_;
};
