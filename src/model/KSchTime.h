#pragma once

#include <cstdint>
#include <string>

// A time of day or a duration: hour, minute and second as unsigned bytes.
// All arithmetic on the components is 8-bit unsigned, like the stored values.
struct KSchTime {
    uint8_t Hour = 0;
    uint8_t Minute = 0;
    uint8_t Second = 0;

    // Carried form of the given components: minutes and seconds below 60, hours not reduced.
    static KSchTime MakeTime(uint8_t h, uint8_t m, uint8_t s);

    void SetHour(uint8_t v);
    void SetMinute(uint8_t v);
    void SetSecond(uint8_t v);

    // Seconds since 00:00:00 of the value as stored (no reduction).
    int64_t TotalSeconds() const { return int64_t(Hour) * 3600 + int64_t(Minute) * 60 + Second; }

    bool operator==(const KSchTime &b) const = default;
};

KSchTime ToClockTime(KSchTime t);
KSchTime AddTimes(KSchTime a, KSchTime b);
// a minus b, forward on the 24-hour circle from b to a.
KSchTime DiffTimes(KSchTime a, KSchTime b);

// Comparisons carry b first (without reducing it modulo 24), then compare
// hour, minute and second in that order.
bool Less(KSchTime a, KSchTime b);
bool LessOrEqual(KSchTime a, KSchTime b);
bool Greater(KSchTime a, KSchTime b);
bool GreaterOrEqual(KSchTime a, KSchTime b);
bool NotEqual(KSchTime a, KSchTime b);

// "HH:MM" or "HH:MM:SS", hours as stored.
std::u16string FormatTime(KSchTime t, bool withSeconds);

// Reads "H", "H:M" or (with seconds) "H:M:S". On failure returns false and
// leaves target unchanged. With wrap the value is carried and reduced to a clock time.
bool ParseTime(const std::u16string &text, bool wrap, bool withSeconds, KSchTime &target);
