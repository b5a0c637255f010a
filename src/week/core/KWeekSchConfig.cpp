#include "week/core/KWeekSchConfig.h"

void KWeekSchConfig::SetDayFile(int day, const std::u16string &path)
{
    if (day < 0 || day >= DayCount)
        return;
    DayFiles[size_t(day)] = path;
}

std::u16string KWeekSchConfig::GetDayFile(int day) const
{
    if (day < 0 || day >= DayCount)
        return std::u16string();
    return DayFiles[size_t(day)];
}

void KWeekSchConfig::AssignWeekConfig(const KWeekSchConfig &other)
{
    if (&other == this)
        return;
    AutoOpen = other.AutoOpen;
    DayFiles = other.DayFiles;
    if (!other.AutoReadFile.empty())
        AutoReadFile = other.AutoReadFile;
}
