#include "platform/core/KClock.h"

#include <ctime>

KClockReading KSystemClock::Now() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    KClockReading r;
    r.Time.Hour = uint8_t(local.tm_hour);
    r.Time.Minute = uint8_t(local.tm_min);
    // A leap second reads as the last second of the minute.
    r.Time.Second = uint8_t(local.tm_sec > 59 ? 59 : local.tm_sec);
    r.Weekday = local.tm_wday;
    return r;
}
