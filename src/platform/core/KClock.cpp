#include "platform/core/KClock.h"

#include <chrono>
#include <ctime>

KClockReading KSystemClock::Now() const
{
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    std::time_t now = std::time_t(ms / 1000);
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
    r.Millisecond = int(ms % 1000);
    r.UnixSeconds = ms / 1000;
    r.Date = KCivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    return r;
}
