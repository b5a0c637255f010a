#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "model/KCivilDate.h"
#include "model/KDaySchedule.h"

#include <array>
#include <string>
#include <vector>

// Turns a day schedule, or the seven day schedules of a week schedule, into an iCalendar
// file that calendar programs import: one event per frame with floating local times, a
// reminder at each alarm point that is on (relative to the frame's end, as the planner's
// alarms are), and UIDs that stay the same when the same file is exported again, so that
// importing the new file updates the events instead of adding them twice.
class KICalExport {
public:
    struct Options {
        // Identifies the exported file (its full path); the UIDs derive from it.
        std::u16string SourceKey;
        // The day of a day schedule; for a week schedule a day of its first week.
        KCivilDate Date;
        // Weeks a week schedule repeats for; 0 without end.
        int32_t Weeks = 0;
        // Reminders come from the points of this configuration that are on; none without one.
        const KSchAlarmConfig *Alarms = nullptr;
        // When the file is made, UTC, "YYYYMMDDTHHMMSSZ".
        std::string Stamp;
    };

    // The day's frames as events on Options::Date; a frame across midnight ends the next day.
    static std::string ExportDay(const std::u16string &title, const KDaySchedule &day,
                                 const Options &options);
    // Each weekday's frames (days[0] Sunday .. days[6] Saturday, nullptr for a day without
    // a schedule) as events repeating weekly from the week (Sunday to Saturday) of
    // Options::Date.
    static std::string ExportWeek(const std::u16string &title,
                                  const std::array<const KDaySchedule *, 7> &days, const Options &options);

    // The distinct minutes-before values of the points that ring, ascending; empty when
    // every alarm type is off.
    static std::vector<int32_t> ReminderMinutes(const KSchAlarmConfig *config);
    // The hexadecimal hash of a source key that starts every UID of its file.
    static std::string SourceHash(const std::u16string &sourceKey);
};
