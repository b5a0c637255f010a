#include "platform/core/KLocalZone.h"

#include <ctime>
#include <limits>

bool KSystemLocalZone::ToLocal(int64_t utcSeconds, KLocalDateTime &out) const
{
    if constexpr (sizeof(std::time_t) < sizeof(int64_t)) {
        if (utcSeconds < int64_t(std::numeric_limits<std::time_t>::min()) ||
            utcSeconds > int64_t(std::numeric_limits<std::time_t>::max()))
            return false;
    }
    const std::time_t t = std::time_t(utcSeconds);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &t) != 0)
        return false;
#else
    if (!localtime_r(&t, &local))
        return false;
#endif
    out.Date = KCivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    // A leap second reads as the last second of its minute.
    out.Seconds = local.tm_hour * 3600 + local.tm_min * 60 + (local.tm_sec > 59 ? 59 : local.tm_sec);
    return true;
}
