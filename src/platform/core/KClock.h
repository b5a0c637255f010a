#pragma once

#include "model/KSchTime.h"

// A reading of the local wall clock: time of day with whole seconds (clock form)
// and the weekday, 0 Sunday .. 6 Saturday.
struct KClockReading {
    KSchTime Time;
    int Weekday = 0;
};

class KClock {
public:
    virtual ~KClock() = default;
    virtual KClockReading Now() const = 0;
};

// The machine's local time.
class KSystemClock : public KClock {
public:
    KClockReading Now() const override;
};
