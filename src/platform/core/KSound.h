#pragma once

#include "platform/core/KSoundFilePlayer.h"

#include <memory>
#include <string>

// The machine's sound output: the program's built-in sounds and players for sound files.
class KSound {
public:
    virtual ~KSound() = default;

    // Plays the built-in sound of that name once, without waiting, replacing any built-in
    // sound still playing. Names match without regard to case. False when no built-in
    // sound has that name. On a machine without a sound device nothing is heard, and
    // the call still returns true for a known name.
    virtual bool PlayResource(const std::u16string &name) = 0;
    // Stops every built-in sound that is playing.
    virtual void StopResources() = 0;
    // True while a built-in sound is playing.
    virtual bool ResourcePlaying() const = 0;

    // A new player for sound files.
    virtual std::unique_ptr<KSoundFilePlayer> CreateFilePlayer() = 0;
};
