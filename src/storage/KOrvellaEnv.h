#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "platform/core/KAppDataFolder.h"
#include "storage/KFileHandler.h"
#include "week/core/KWeekSchConfig.h"

#include <array>
#include <vector>

// The settings file: display options, the last view, the skin-mode state, the alarm
// configuration, the week options and the recent files. Built for one read or one write.
class KOrvellaEnv : public KFileHandler {
public:
    static constexpr const char *Signature = "_KQSCHEDULER_ENV";
    static constexpr std::array<uint8_t, 8> Trailer = {0x00, 0x9A, 0xB6, 0x25, 0x89, 0xE6, 0xFF, 0x1A};
    static constexpr size_t FixedPartEnd = 128;
    // A settings file is a few kilobytes; anything near this size is not one.
    static constexpr uint64_t MaxFileSize = 16u << 20;

    // Option bits.
    static constexpr uint8_t OptClock24H = 1;
    static constexpr uint8_t OptClockSeconds = 2;
    static constexpr uint8_t OptCurTimeMark = 4;
    static constexpr uint8_t OptOneHourGScale = 8;
    static constexpr uint8_t OptStartWithLastView = 16;
    // Desktop notifications turned off. Clear in files written before the choice existed,
    // which thus read as notifications on.
    static constexpr uint8_t OptNoDesktopNotify = 32;

    // The skin-mode state as the main window packs it (12 bytes in the file).
    struct SkinState {
        uint8_t Flags = 0; // bit 0 skin mode was on, bit 1 stay on top
        uint8_t Reserved = 0;
        uint8_t Size = 0;
        uint8_t Transparency = 0;
        int32_t Top = 0;
        int32_t Left = 0;
        bool operator==(const SkinState &) const = default;
    };

    KOrvellaEnv(KFileSystem &files, KPrompter &prompter, KAppDataFolder &appData)
        : KFileHandler(files, prompter), AppData(appData)
    {}

    // The settings file in the application-data folder.
    std::u16string SettingsFilePath() const { return AppData.SettingsFilePath(); }

    // Reads the file into this object, AlarmConfigRef and WeekConfigRef; returns 0, 20 or 21,
    // also kept in ErrorCode. A failure part-way keeps what the blocks before it read:
    // BlocksRead tells how many of the three (alarm, week, recent files) came whole.
    int32_t ReadSettings(const std::u16string &path);
    int32_t ReadSettings() { return ReadSettings(SettingsFilePath()); }
    // Writes the file from this object and the two configurations; creates the file's
    // folder when missing. With KeepDamagedCopy an existing file is first copied to
    // DamagedCopyName beside it, and nothing is written when that fails. True on success.
    bool WriteSettings(const std::u16string &path);
    bool WriteSettings() { return WriteSettings(SettingsFilePath()); }

    // The complete file; empty when a block does not fit its length field.
    std::vector<uint8_t> BuildImage() const;
    // Reads a complete file image; returns 0, 20 or 21 (see ReadSettings).
    int32_t ParseImage(const uint8_t *data, size_t size);

    KAppDataFolder &AppData;
    uint8_t OptionBits = 0;
    uint8_t SavedViewType = 0;
    SkinState SavedSkinState;
    KSchAlarmConfig *AlarmConfigRef = nullptr; // not owned
    KWeekSchConfig *WeekConfigRef = nullptr;   // not owned
    uint8_t WriteFlags = 0;
    int32_t SavedLanguage = 0;
    int32_t ErrorCode = 0;
    int BlocksRead = 0;
    bool KeepDamagedCopy = false;
    // The name the copy of a settings file that could not be read is kept under.
    static std::u16string DamagedCopyName(const std::u16string &path)
    {
        return KPath::NameOf(path) + u".damaged";
    }
    std::vector<std::u16string> RecentFiles;

    int32_t RecentCount() const { return int32_t(RecentFiles.size()); }
};
