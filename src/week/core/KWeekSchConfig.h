#pragma once

#include <array>
#include <string>

// The week schedule: one schedule-file path per weekday (0 Sunday .. 6 Saturday), plus the
// automatic-opening options that travel in the settings file. An empty text means none.
class KWeekSchConfig {
public:
    static constexpr int DayCount = 7;

    void SetDayFile(int day, const std::u16string &path);
    std::u16string GetDayFile(int day) const;
    // Copies AutoOpen and the seven paths, and AutoReadFile when the other has one.
    void AssignWeekConfig(const KWeekSchConfig &other);

    bool operator==(const KWeekSchConfig &) const = default;

    std::array<std::u16string, DayCount> DayFiles;
    bool AutoOpen = false;
    std::u16string AutoReadFile;
};
