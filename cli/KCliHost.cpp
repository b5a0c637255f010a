#include "KCliHost.h"

#include "platform/core/KAppDataFolder.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

std::tm Broken(bool utc)
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    utc ? gmtime_s(&tm, &now) : localtime_s(&tm, &now);
#else
    utc ? gmtime_r(&now, &tm) : localtime_r(&now, &tm);
#endif
    return tm;
}

std::u16string Env(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::filesystem::path(v).u16string() : std::u16string();
}

// The folder the planner keeps its settings under (the same place on each platform).
class KEnvAppDataFolder : public KAppDataFolder {
public:
    std::u16string Folder() const override
    {
#ifdef _WIN32
        return Env("APPDATA");
#else
        std::u16string data = Env("XDG_DATA_HOME");
        if (!data.empty())
            return data;
        std::u16string home = Env("HOME");
        return home.empty() ? std::u16string() : home + u"/.local/share";
#endif
    }
};

} // namespace

KCivilDate KCliSystemHost::Today() const
{
    std::tm tm = Broken(false);
    return KCivilDate{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

std::string KCliSystemHost::UtcStamp() const
{
    std::tm tm = Broken(true);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02dZ", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

std::u16string KCliSystemHost::SettingsFilePath() const
{
    KEnvAppDataFolder folder;
    return folder.Folder().empty() ? std::u16string() : folder.SettingsFilePath();
}

std::u16string KCliSystemHost::AbsolutePath(const std::u16string &path) const
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? path : p.lexically_normal().u16string();
}
