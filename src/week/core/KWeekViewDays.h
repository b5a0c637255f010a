#pragma once

#include "model/KDaySchedule.h"
#include "week/core/KWeekSchConfig.h"

#include <array>
#include <memory>
#include <string>

class KFileSystem;

// One weekday of the week view: its schedule, or why there is none to show.
struct KWeekViewDay {
    enum class Problem { None, NoFile, Missing, Unreadable, Empty };
    std::u16string Path;
    std::u16string Title;
    std::unique_ptr<KDaySchedule> Schedule; // none unless Problem is None
    Problem Trouble = Problem::NoFile;
    // Catalogue message of a file that cannot be read (Unreadable), else 0.
    int32_t ErrorCode = 0;

    bool Usable() const { return Trouble == Problem::None; }
};

// The seven day files of a week schedule read for the week view, Sunday first. Reading
// asks nothing: a day whose file is missing or damaged keeps the reason instead.
class KWeekViewDays {
public:
    static std::array<KWeekViewDay, 7> Read(const KWeekSchConfig &config, KFileSystem &files);
    // What the view says about a day that is not shown: the reason, then the path.
    static std::u16string Reason(const KWeekViewDay &day, int language);
};
