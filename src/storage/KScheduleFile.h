#pragma once

#include "model/KDaySchedule.h"
#include "storage/KFileHandler.h"

#include <memory>

// A schedule file (".ors"): a 64-byte header, a 160-byte title block and one record per frame.
class KScheduleFile : public KFileHandler {
public:
    static constexpr const char *Signature = "_KQSCHEDULER____";
    static constexpr size_t HeaderSize = 64;
    static constexpr size_t TitleBlockSize = 160;
    static constexpr size_t RecordsOffset = HeaderSize + TitleBlockSize; // 224
    static constexpr size_t TitleMaxChars = 64;
    // The largest record: 32 fixed bytes, two 16-bit lengths with up to 65535 bytes each, the sum.
    static constexpr uint64_t MaxRecordSize = 32 + 2 + 65535 + 2 + 65535 + 2;

    KScheduleFile(KFileSystem &files, KPrompter &prompter) : KFileHandler(files, prompter) {}

    void SetFileName(const std::u16string &path) { FileName = path; }
    void SetTitle(const std::u16string &title) { Title = title; }

    // Reads FileName. On success Title holds the title and Schedule (also returned) the
    // frames; on failure nothing is loaded, nullptr is returned and ErrorCode is 20 or 21.
    KDaySchedule *ReadSchedule();
    // Writes the schedule under FileName with Title and WriteFlags; ErrorCode becomes
    // 0, 8 (cancelled) or 9. Does nothing without a file name.
    void WriteSchedule(const KDaySchedule &schedule);
    // The frame count of the file when its header and title block are sound, else 0
    // (ErrorCode 20 for a foreign signature, 21 for a damaged file).
    int PeekFrameCount(const std::u16string &path);

    // The complete file for a schedule and title.
    static std::vector<uint8_t> BuildImage(const KDaySchedule &schedule, const std::u16string &title);
    // Reads a complete file image; returns 0, 20 or 21. out and title change only on success.
    static int32_t ParseImage(const uint8_t *data, size_t size, KDaySchedule &out, std::u16string &title);
    // Checks the header and title block of an image; returns 0, 20 or 21 and the count byte.
    static int32_t ParseHead(const uint8_t *data, size_t size, int &count, std::u16string &title);

    std::u16string FileName;
    std::u16string Title;
    uint16_t WriteFlags = KWriteBackup | KWriteConfirm;
    int32_t ErrorCode = 0;
    std::unique_ptr<KDaySchedule> Schedule;
};
