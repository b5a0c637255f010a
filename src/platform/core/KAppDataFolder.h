#pragma once

#include <string>

// The per-user application-data folder of the platform (%APPDATA% on Windows,
// the XDG data folder on Linux).
class KAppDataFolder {
public:
    virtual ~KAppDataFolder() = default;
    virtual std::u16string Folder() const = 0;

    // The settings file inside that folder: Tolvarin/Orvella/OrvellaEnv.ore.
    std::u16string SettingsFolder() const;
    std::u16string SettingsFilePath() const;
};
