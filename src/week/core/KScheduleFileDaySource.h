#pragma once

#include "week/core/KWeekScheduleBuilder.h"

class KFileSystem;
class KPrompter;

// Day files read from disk as schedule files.
class KScheduleFileDaySource : public KDayFileSource {
public:
    KScheduleFileDaySource(KFileSystem &files, KPrompter &prompter) : files_(files), prompter_(prompter) {}

    int PeekFrameCount(const std::u16string &path) override;
    std::unique_ptr<KDaySchedule> ReadDay(const std::u16string &path) override;

private:
    KFileSystem &files_;
    KPrompter &prompter_;
};
