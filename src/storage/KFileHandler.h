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
    // The target may not be replaced: a read-only file, another user's file, a link loop.
    wrRefused = 5,
};

// Write flag bits.
constexpr uint32_t KWriteBackup = 1;  // keep the replaced contents in a ".BAK" file
constexpr uint32_t KWriteConfirm = 2; // ask before replacing an existing file

// File access shared by the schedule, week schedule and settings files. Each operation
// does one thing with the named file. Replacing a file never leaves it missing, cut short or
// only in the system's cache: the new contents go to a temporary file in the same folder and
// onto the device, the backup is made the same way, and only then does the new file take the
// old one's place in one step; the save succeeds once that step is on the device too. A
// symbolic link is saved through; a file the user may not change and a link loop are refused.
class KFileHandler {
public:
    KFileHandler(KFileSystem &files, KPrompter &prompter) : Files(files), Prompter(prompter) {}
    virtual ~KFileHandler() = default;

    // 0 Japanese, 1 English; a value of 3 or more is stored as 0, a stored 2 reads as 0.
    int32_t GetLanguage() const { return language_ > 1 ? 0 : language_; }
    void SetLanguage(int32_t language) { language_ = (language >= 3 || language < 0) ? 0 : language; }

    // Size in bytes; 0 when the file cannot be opened (with showMessage, message 10 is shown).
    uint64_t GetFileSize(const std::u16string &path, bool showMessage);
    // Why a file that gave no bytes cannot be read: 10 it cannot be opened (no permission, a
    // folder), 34 a link loop, else 21 (missing or empty).
    int32_t UnreadableCode(const std::u16string &path);
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

    // Whether the file at path may be replaced: 0, or the catalogue number of the reason
    // (18 a read-only file or one this user may not change, 34 a link loop, 11 a link another
    // user planted in a folder open to everyone).
    int32_t CheckReplaceable(const std::u16string &path);
    // The error code a write leaves: 0 after wrOK, 8 after wrCancelled, the reason of a
    // refusal, 9 otherwise.
    int32_t WriteErrorCode(KWriteResult result) const;

    // The name of the backup of path: its name with the extension ".BAK".
    static std::u16string BackupNameOf(const std::u16string &path);

protected:
    void ShowMessage(int captionCode, int textCode);
    // Replaces the regular file (or makes a new one) at target with contents, durably, keeping
    // the old contents as the backup first when asked to; message 11 when a step fails.
    KWriteResult ReplaceDurably(const std::u16string &target, const std::vector<uint8_t> &contents,
                                bool backup);
    // Copies target to backupName in its folder, on the device; true when done.
    bool CopyBackup(const std::u16string &target, const std::u16string &backupName);
    // wrRefused with the reason's message and the file name, or wrOK.
    KWriteResult Refuse(const std::u16string &path, int32_t reason);
    // The file a save of path writes (links followed) into target; 0, or why the links may not
    // be followed (34 a loop, 11 a link another user planted).
    int32_t ResolveForSaving(const std::u16string &path, std::u16string &target);
    // Reads the whole file; false when it cannot be opened or read.
    bool ReadWholeFile(const std::u16string &path, std::vector<uint8_t> &out, KFsStatus &status);

    KFileSystem &Files;
    KPrompter &Prompter;

private:
    int32_t language_ = 0;
    int32_t refusedCode_ = 0;
};

// Error code left by a write: 0 after wrOK, 8 after wrCancelled, 9 otherwise.
int32_t ErrorCodeOfWrite(KWriteResult result);
