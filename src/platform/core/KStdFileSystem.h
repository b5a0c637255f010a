#pragma once

#include "platform/core/KDeviceFlusher.h"
#include "platform/core/KFileSystem.h"

// The machine's files, through std::filesystem and the C runtime. A file written with
// WriteNewFile is flushed to the device before the call returns. A file renamed into place
// (the last step of every safe save) is complete and visible to everyone at once; its flush to
// the device follows on a background thread, so saving does not wait for the disk. Destroying
// the object waits for those flushes.
class KStdFileSystem : public KFileSystem {
public:
    // Returns once every file renamed so far has reached the device.
    void WaitUntilFlushed() { flusher_.WaitUntilFlushed(); }
    // Background flushes the device refused.
    uint64_t FlushFailures() const { return flusher_.Failures(); }

    bool Exists(const std::u16string &path) override;
    bool IsReadOnly(const std::u16string &path) override;
    KFsStatus FileSize(const std::u16string &path, uint64_t &size) override;
    KFsStatus ReadAt(const std::u16string &path, uint64_t offset, size_t n,
                     std::vector<uint8_t> &out) override;
    KFsStatus WriteNewFile(const std::u16string &path, const std::vector<uint8_t> &bytes) override;
    KFsStatus Rename(const std::u16string &from, const std::u16string &to) override;
    KFsStatus Remove(const std::u16string &path) override;
    KFsStatus CreateFolders(const std::u16string &path) override;
    bool IsWritable(const std::u16string &path) override;
    std::u16string ResolveLink(const std::u16string &path) override;
    KFsStatus WriteTemporary(const std::u16string &besidePath, const std::vector<uint8_t> &bytes,
                             std::u16string &tempPath) override;
    KFsStatus CopyToTemporary(const std::u16string &source, const std::u16string &besidePath,
                              std::u16string &tempPath) override;

    // File names are bytes on this system. Texts carry bytes that are not UTF-8 as the
    // lone surrogates U+DC80..U+DCFF, so every name can be opened again.
    // NativeOf fails for other lone surrogates, which name no file.
    static bool NativeOf(const std::u16string &text, std::string &native);
    static std::u16string TextOf(const std::string &native);

private:
    KDeviceFlusher flusher_;
};
