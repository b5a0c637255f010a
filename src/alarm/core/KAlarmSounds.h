#pragma once

#include <array>
#include <string>

// The five built-in alarm sounds, in the order every list shows them.
namespace KAlarmSounds {

struct Sound {
    const char16_t *Name; // the name stored in a configuration and used to play it
    int ReviewMs;         // how long the configuration dialog treats a review as playing
};

inline constexpr std::array<Sound, 5> All{{
    {u"Chime_1", 3500},
    {u"Chime_2", 4500},
    {u"SchoolChime", 18000},
    {u"SimulatedChurchBell", 27000},
    {u"AlarmBell", 10000},
}};

// Played when a point names no sound.
inline constexpr const char16_t *Fallback = u"Chime_1";

// Position of name among the five (exact match), or -1.
int IndexOf(const std::u16string &name);
// Review time of the named sound, or 0 when it is not one of the five.
int ReviewMs(const std::u16string &name);

} // namespace KAlarmSounds
