#include "week/core/KWeekScheduleBuilder.h"

std::unique_ptr<KDaySchedule> KWeekScheduleBuilder::Build(const std::array<std::u16string, 7> &dayFiles,
                                                          KDayFileSource &source)
{
    int64_t sum = 0;
    for (const std::u16string &path : dayFiles) {
        if (path.empty())
            continue;
        const int n = source.PeekFrameCount(path);
        if (n > 0)
            sum += n;
    }
    if (sum == 0)
        return nullptr;

    auto week = std::make_unique<KDaySchedule>(int32_t(sum + 16));
    bool anyRead = false;
    for (const std::u16string &path : dayFiles) {
        if (path.empty())
            continue;
        std::unique_ptr<KDaySchedule> day = source.ReadDay(path);
        if (!day)
            continue;
        anyRead = true;
        for (int32_t i = 0; i < day->GetCount(); ++i) {
            // A file that changed since it was counted may bring more frames than there is room for.
            if (week->AppendFrame(*day->GetFrame(i)))
                break;
        }
    }
    if (!anyRead)
        return nullptr;
    return week;
}
