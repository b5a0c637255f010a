#pragma once

#include "platform/core/KAppDataFolder.h"

// The platform's per-user data folder (QStandardPaths::GenericDataLocation): $XDG_DATA_HOME
// or ~/.local/share on Linux. Asked anew on every call, so a changed environment is followed.
class KQtAppDataFolder : public KAppDataFolder {
public:
    std::u16string Folder() const override;
};
