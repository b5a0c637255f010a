#include "alarm/core/KAlarmSounds.h"

namespace KAlarmSounds {

int IndexOf(const std::u16string &name)
{
    for (size_t i = 0; i < All.size(); ++i)
        if (name == All[i].Name)
            return int(i);
    return -1;
}

int ReviewMs(const std::u16string &name)
{
    const int i = IndexOf(name);
    return i < 0 ? 0 : All[size_t(i)].ReviewMs;
}

} // namespace KAlarmSounds
