#pragma once

#include "ical/core/KICalCalendar.h"
#include "model/KDaySchedule.h"

#include <string>
#include <string_view>
#include <vector>

class KFileSystem;
class KItemColorStore;
class KLocalZone;

// Where a frame of an imported day came from, and how its event was fitted in.
struct KICalFrameSource {
    bool Event = false;       // false: the free time between events
    bool CutAtStart = false;  // the event began the day before
    bool CutAtEnd = false;    // the event runs past midnight
    bool StartsLater = false; // an earlier event still ran when it began
    // The event's own times, seconds from the date's local midnight.
    int64_t EventStart = 0;
    int64_t EventEnd = 0;
};

enum class KICalImportError {
    None,
    FileMissing,
    CannotRead,
    TooLarge,
    NotICalendar,
    Truncated,
    TooManyFrames
};

struct KICalImportResult {
    KICalImportError Error = KICalImportError::None;
    // TooManyFrames: how many frames the day would need.
    int32_t FramesNeeded = 0;
    std::u16string Title;
    // The whole day: the events in start order and free frames between them.
    KDaySchedule Schedule;
    std::vector<KICalFrameSource> Sources; // one per frame of Schedule
    std::vector<KICalSkipped> Skipped;
};

// One local day of an iCalendar file as a day schedule: each event that touches the date
// becomes a frame, cut to the day; of two overlapping events the earlier stays whole and the
// later begins when it ends; the time between them becomes free frames, so the frames follow
// one another from 00:00 to 24:00.
class KICalImport {
public:
    // Larger files are refused before anything is parsed.
    static constexpr uint64_t MaxFileBytes = 16u << 20;

    struct Options {
        KCivilDate Date;
        // Colours of known items; every frame is white without a pool.
        const KItemColorStore *Pool = nullptr;
        std::u16string FreeItem = u"自由";
        // The item of an event without a summary.
        std::u16string UntitledItem = u"（件名なし）";
    };

    static KICalImportResult ImportFile(KFileSystem &files, const std::u16string &path,
                                        const KLocalZone &zone, const Options &options);
    // fallbackName names the calendar in the title when it has no name of its own.
    static KICalImportResult ImportText(std::string_view text, const std::u16string &fallbackName,
                                        const KLocalZone &zone, const Options &options);
    // The frames of a day from the occurrences that touch it (start and end in seconds from
    // its midnight); occurrences left without time go to Skipped.
    static KICalImportResult LayOut(std::vector<KICalEvent> events, const Options &options);

    // A text from a file without control characters and without blanks at either end: tabs
    // become blanks; line breaks become "\n" in a memo and blanks in an item name.
    static std::u16string CleanText(const std::u16string &text, bool keepLineBreaks);
    // "<name> YYYY-MM-DD", the name cut so that the title fits a schedule file.
    static std::u16string Title(const std::u16string &name, const KCivilDate &date);
};
