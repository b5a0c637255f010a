#pragma once

#include "model/KDaySchedule.h"

#include <array>
#include <memory>
#include <string>

// Where the week count reads its day files from.
class KDayFileSource {
public:
    virtual ~KDayFileSource() = default;
    // Number of frames the file holds; 0 when it is missing, foreign or damaged.
    virtual int PeekFrameCount(const std::u16string &path) = 0;
    // The day's schedule, or nullptr when the file is missing or cannot be read.
    virtual std::unique_ptr<KDaySchedule> ReadDay(const std::u16string &path) = 0;
};

// Gathers the frames of all day files of a week schedule (Sunday first) into one schedule.
// Returns nullptr when no day file gives a frame or none can be read.
class KWeekScheduleBuilder {
public:
    static std::unique_ptr<KDaySchedule> Build(const std::array<std::u16string, 7> &dayFiles,
                                               KDayFileSource &source);
};
