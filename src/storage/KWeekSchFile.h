#pragma once

#include "storage/KFileHandler.h"
#include "week/core/KWeekSchConfig.h"

#include <memory>

// A week schedule file (".orw"): a 64-byte header and one block naming a schedule file for
// each weekday. Only the seven paths are stored; the automatic-opening options live in the
// settings file.
class KWeekSchFile : public KFileHandler {
public:
    static constexpr const char *Signature = "_KQWKSCHCONFIG__";
    static constexpr size_t HeaderSize = 64;
    // A week file is a few hundred bytes; anything near this size is not one.
    static constexpr uint64_t MaxFileSize = 16u << 20;

    KWeekSchFile(KFileSystem &files, KPrompter &prompter) : KFileHandler(files, prompter) {}

    void SetFileName(const std::u16string &path) { FileName = path; }

    // Reads FileName into a new configuration (days only, the options stay at their defaults).
    // On failure nothing is loaded, nullptr is returned and ErrorCode is 21 or 24.
    KWeekSchConfig *ReadWeekSchedule();
    // Writes the seven paths of config; ErrorCode becomes 0, 8 or 9. Nothing without a file name.
    void WriteWeekSchedule(const KWeekSchConfig &config);
    // True when the file can be read and starts with the week schedule signature.
    bool IsWeekScheduleFile(const std::u16string &path);

    static std::vector<uint8_t> BuildImage(const KWeekSchConfig &config);
    // Reads a complete file image into config's days; returns 0, 21 or 24.
    static int32_t ParseImage(const uint8_t *data, size_t size, KWeekSchConfig &config);

    std::u16string FileName;
    uint32_t WriteFlags = KWriteBackup;
    int32_t ErrorCode = 0;
    std::unique_ptr<KWeekSchConfig> Config;
};
