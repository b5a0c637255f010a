#pragma once

#include "platform/core/KClock.h"

// A clock that tests set by hand. Its date is a day of the week of 2024-01-07 (a Sunday) with
// the weekday set, unless a test sets a reading of its own.
class KFakeClock : public KClock {
public:
    KClockReading Now() const override { return reading_; }
    void Set(uint8_t h, uint8_t m, uint8_t s, int weekday = 0)
    {
        reading_.Time = KSchTime{h, m, s};
        reading_.Weekday = weekday;
        reading_.Date = KCivilDate{2024, 1, 7 + (weekday >= 0 && weekday <= 6 ? weekday : 0)};
    }
    void Set(KClockReading r) { reading_ = r; }
    void SetMillisecond(int ms) { reading_.Millisecond = ms; }
    void SetUnixSeconds(int64_t seconds) { reading_.UnixSeconds = seconds; }

private:
    KClockReading reading_;
};
