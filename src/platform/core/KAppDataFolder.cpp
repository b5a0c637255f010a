#include "platform/core/KAppDataFolder.h"

namespace {
std::u16string Join(std::u16string folder, const std::u16string &name)
{
    if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\')
        folder += u'/';
    return folder + name;
}
} // namespace

std::u16string KAppDataFolder::SettingsFolder() const
{
    return Join(Join(Folder(), u"Tolvarin"), u"Orvella");
}

std::u16string KAppDataFolder::SettingsFilePath() const
{
    return Join(SettingsFolder(), u"OrvellaEnv.ore");
}
