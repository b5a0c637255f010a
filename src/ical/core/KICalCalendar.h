#pragma once

#include "model/KCivilDate.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class KLocalZone;

// Why an event of a calendar did not become a frame.
enum class KICalSkip {
    AllDay,                // a day without a time of day
    Cancelled,             // STATUS:CANCELLED
    BadTimeZone,           // its TZID names no zone of the file or of the system, or a damaged one
    BadTime,               // a start or an end that cannot be read, or an end before the start
    BadRecurrence,         // a recurrence rule that cannot be expanded
    UnsupportedRecurrence, // repeating more often than every hour, or in another calendar scale
    RecurrenceTooLong,     // too many repetitions before the date to go through
    NoTimeLeft,            // an earlier event holds all of its time (decided when the day is laid out)
};

// An event on the requested date that is not imported, and why.
struct KICalSkipped {
    std::u16string Summary;
    KICalSkip Reason = KICalSkip::BadTime;
    // Start in seconds from the local midnight that begins the date (negative: the day before).
    bool HasStart = false;
    int64_t Start = 0;
    // The zone's name (BadTimeZone), otherwise empty.
    std::u16string Detail;
};

// One occurrence of an event that touches the requested date, on the local wall clock.
struct KICalEvent {
    // Seconds from the local midnight that begins the date; they may reach into the days around.
    int64_t Start = 0;
    int64_t End = 0; // at least Start
    std::u16string Summary;
    std::u16string Location;
    std::u16string Description;
    // Position of the event in the file, to keep the file's order among equal times.
    int32_t Order = 0;
};

// The occurrences of one local date in an iCalendar text.
struct KICalDay {
    enum class Failure { None, NotICalendar, Truncated };
    Failure Error = Failure::None;
    // NAME or X-WR-CALNAME of the calendar, when it has one.
    std::u16string CalendarName;
    std::vector<KICalEvent> Events;
    std::vector<KICalSkipped> Skipped;
};

// The program's one door to libical: parses RFC 5545 text, expands recurrences up to the
// date and converts zoned times to the local wall clock. Hostile input is bounded: nesting,
// recurrence rules and time-zone definitions that would make libical loop for long are
// refused, and expansion stops after a fixed amount of work.
class KICalCalendar {
public:
    static constexpr int MaxNesting = 16;
    // Repetitions gone through for one event, and for a whole file.
    static constexpr int64_t MaxStepsPerEvent = 200000;
    static constexpr int64_t MaxStepsPerFile = 2000000;

    static KICalDay ReadDay(std::string_view text, const KCivilDate &date, const KLocalZone &zone);

    // Deepest BEGIN/END nesting of the text's content lines (after unfolding); -1 when an
    // END has no BEGIN.
    static int Nesting(std::string_view text);
};
