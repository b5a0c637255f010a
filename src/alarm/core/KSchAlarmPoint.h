#pragma once

#include <cstdint>
#include <string>

// One alarm point: how many minutes before a frame's end it rings, and with which sound.
struct KSchAlarmPoint {
    int32_t MinutesBefore = -1; // -1: not set
    int32_t Source = 0;         // 1: play SoundFile; anything else: the built-in SoundName
    std::u16string SoundName;   // empty means none
    std::u16string SoundFile;   // empty means none

    bool operator==(const KSchAlarmPoint &) const = default;
};
