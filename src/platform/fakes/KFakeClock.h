#pragma once

#include "platform/core/KClock.h"

// A clock that tests set by hand.
class KFakeClock : public KClock {
public:
    KClockReading Now() const override { return reading_; }
    void Set(uint8_t h, uint8_t m, uint8_t s, int weekday = 0)
    {
        reading_.Time = KSchTime{h, m, s};
        reading_.Weekday = weekday;
    }
    void Set(KClockReading r) { reading_ = r; }
    void SetMillisecond(int ms) { reading_.Millisecond = ms; }
    void SetUnixSeconds(int64_t seconds) { reading_.UnixSeconds = seconds; }

private:
    KClockReading reading_;
};
