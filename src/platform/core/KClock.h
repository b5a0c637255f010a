#pragma once

#include "model/KCivilDate.h"
#include "model/KSchTime.h"

// A reading of the local wall clock: time of day with whole seconds (clock form)
// and the weekday, 0 Sunday .. 6 Saturday.
struct KClockReading {
    KSchTime Time;
    int Weekday = 0;
    // Milliseconds into the current second (0 .. 999), for aiming a timer at the next one.
    int Millisecond = 0;
    // Seconds since 1970-01-01 UTC, or -1 when unknown; tells a long gap from a clock set back.
    int64_t UnixSeconds = -1;
    // The local date.
    KCivilDate Date;
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
