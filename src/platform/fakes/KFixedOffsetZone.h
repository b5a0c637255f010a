#pragma once

#include "platform/core/KLocalZone.h"

// A local zone a fixed number of seconds east of UTC, without daylight saving time.
class KFixedOffsetZone : public KLocalZone {
public:
    explicit KFixedOffsetZone(int32_t offsetSeconds) : offset_(offsetSeconds) {}
    bool ToLocal(int64_t utcSeconds, KLocalDateTime &out) const override
    {
        const int64_t local = utcSeconds + offset_;
        int64_t day = local / 86400, seconds = local % 86400;
        if (seconds < 0) {
            seconds += 86400;
            --day;
        }
        out.Date = KCivilDate::FromDayNumber(day);
        out.Seconds = int32_t(seconds);
        return true;
    }

private:
    int32_t offset_;
};
