#pragma once

#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"

#include <cstdint>
#include <string>
#include <vector>

// Results of the write operations.
enum KWriteResult : int {
    wrCancelled = 0,
    wrOK = 1,
    wrFileMissing = 2,
    wrOpenFailed = 3,
    wrCreateFailed = 4,
};

// Write flag bits.
constexpr uint32_t KWriteBackup = 1;  // keep the replaced contents in a ".BAK" file
constexpr uint32_t KWriteConfirm = 2; // ask before replacing an existing file

// File access shared by the schedule, week schedule and settings files. Each operation
// does one thing with the named file. Replacing a file never leaves it missing or cut
// short: the new contents go to a temporary file in the same folder, which then takes
// the old file's place in one step. A symbolic link is saved through, and a file the user
// may not change is refused.
class KFileHandler {
public:
    KFileHandler(KFileSystem &files, KPrompter &prompter) : Files(files), Prompter(prompter) {}
    virtual ~KFileHandler() = default;

    // 0 Japanese, 1 English; a value of 3 or more is stored as 0, a stored 2 reads as 0.
    int32_t GetLanguage() const { return language_ > 1 ? 0 : language_; }
    void SetLanguage(int32_t language) { language_ = (language >= 3 || language < 0) ? 0 : language; }

    // Size in bytes; 0 when the file cannot be opened (with showMessage, message 10 is shown).
    uint64_t GetFileSize(const std::u16string &path, bool showMessage);
    // Reads min(n, size - offset) bytes at offset into buffer and returns their number.
    size_t ReadBytes(const std::u16string &path, std::vector<uint8_t> &buffer, uint64_t offset, size_t n);
    // n when all n bytes came and their last two hold the 16-bit sum of the others, else 0.
    size_t ReadCheckedBlock(const std::u16string &path, std::vector<uint8_t> &buffer, uint64_t offset,
                            size_t n);
    // Replaces (or creates) the file with contents; asks first with KWriteConfirm and keeps
    // the old contents as <name>.BAK with KWriteBackup.
    KWriteResult CreateFileWithBlock(const std::u16string &path, const std::vector<uint8_t> &contents,
                                     uint32_t flags);
    // Adds block at the end of an existing file (the whole file is replaced safely).
    KWriteResult AppendBlock(const std::u16string &path, const std::vector<uint8_t> &block, uint32_t flags);
    // Copies the file to backupName in its folder: 1 done (or the file is its own backup),
    // 2 no such file, 4 failed. The file itself stays where it is.
    int MakeBackup(const std::u16string &path, const std::u16string &backupName);

    // The name of the backup of path: its name with the extension ".BAK".
    static std::u16string BackupNameOf(const std::u16string &path);

protected:
    void ShowMessage(int captionCode, int textCode);
    // Writes contents to a temporary file beside path and moves it over path.
    // Returns the file-system status of the step that failed, Ok when done.
    KFsStatus ReplaceContents(const std::u16string &path, const std::vector<uint8_t> &contents,
                              bool &createFailed);
    // Reads the whole file; false when it cannot be opened or read.
    bool ReadWholeFile(const std::u16string &path, std::vector<uint8_t> &out, KFsStatus &status);

    KFileSystem &Files;
    KPrompter &Prompter;

private:
    int32_t language_ = 0;
};

// Error code left by a write: 0 after wrOK, 8 after wrCancelled, 9 otherwise.
int32_t ErrorCodeOfWrite(KWriteResult result);
