#pragma once

#include "model/KCivilDate.h"

#include <cstdint>

// A moment on the local wall clock: the date and the seconds into it.
struct KLocalDateTime {
    KCivilDate Date;
    int32_t Seconds = 0; // 0 .. 86399
};

// The machine's time zone: what a moment in UTC reads on the local wall clock.
class KLocalZone {
public:
    virtual ~KLocalZone() = default;
    // False when the moment lies outside what the platform can convert.
    virtual bool ToLocal(int64_t utcSeconds, KLocalDateTime &out) const = 0;
};

// The zone the C library uses (TZ, else the system's setting).
class KSystemLocalZone : public KLocalZone {
public:
    bool ToLocal(int64_t utcSeconds, KLocalDateTime &out) const override;
};
