#include "week/core/KScheduleFileDaySource.h"

#include "storage/KScheduleFile.h"

int KScheduleFileDaySource::PeekFrameCount(const std::u16string &path)
{
    if (!files_.Exists(path))
        return 0;
    KScheduleFile file(files_, prompter_);
    return file.PeekFrameCount(path);
}

std::unique_ptr<KDaySchedule> KScheduleFileDaySource::ReadDay(const std::u16string &path)
{
    if (!files_.Exists(path))
        return nullptr;
    KScheduleFile file(files_, prompter_);
    file.SetFileName(path);
    if (!file.ReadSchedule())
        return nullptr;
    return std::move(file.Schedule);
}
