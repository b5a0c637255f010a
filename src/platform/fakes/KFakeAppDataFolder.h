#pragma once

#include "platform/core/KAppDataFolder.h"

// An application-data folder chosen by the test.
class KFakeAppDataFolder : public KAppDataFolder {
public:
    explicit KFakeAppDataFolder(std::u16string folder = u"/appdata") : folder_(std::move(folder)) {}
    std::u16string Folder() const override { return folder_; }

private:
    std::u16string folder_;
};
