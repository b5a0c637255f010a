#pragma once

#include "platform/core/KSound.h"

// The sound module (liborvella-sound.so): the machine's sound output through Qt Multimedia,
// loaded by KLazySound when the first sound plays. Its one entry point makes a new sound
// output, owned by the caller; the module stays loaded as long as the program runs.
namespace KSoundModule {
inline constexpr const char *Name = "orvella-sound";
inline constexpr const char *Entry = "OrvellaCreateSound";
using Create = KSound *(*)();
} // namespace KSoundModule
