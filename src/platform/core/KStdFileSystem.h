#pragma once

#include "platform/core/KFileSystem.h"

#include <string>

// The machine's files, through std::filesystem and the C runtime. Every step of a save reports
// only once its data is on the device: WriteTemporary and CopyToTemporary flush the new file
// before they return, and FlushFolder flushes the names given in a folder.
class KStdFileSystem : public KFileSystem {
public:
    KFileType TypeOf(const std::u16string &path) override;
    bool IsReadOnly(const std::u16string &path) override;
    KFsStatus FileSize(const std::u16string &path, uint64_t &size) override;
    KFsStatus ReadAt(const std::u16string &path, uint64_t offset, size_t n,
                     std::vector<uint8_t> &out) override;
    KFsStatus WriteToStream(const std::u16string &path, const std::vector<uint8_t> &bytes) override;
    KFsStatus Rename(const std::u16string &from, const std::u16string &to) override;
    KFsStatus Remove(const std::u16string &path) override;
    KFsStatus CreateFolders(const std::u16string &path) override;
    bool IsWritable(const std::u16string &path) override;
    KFsStatus ResolveLink(const std::u16string &path, std::u16string &target) override;
    bool SameFile(const std::u16string &a, const std::u16string &b) override;
    KFsStatus WriteTemporary(const std::u16string &besidePath, const std::vector<uint8_t> &bytes,
                             std::u16string &tempPath) override;
    KFsStatus CopyToTemporary(const std::u16string &source, const std::u16string &besidePath,
                              std::u16string &tempPath) override;
    KFsStatus FlushFolder(const std::u16string &path) override;
    void RemoveLeftoverTemporaries(const std::u16string &besidePath) override;

    // File names are bytes on this system. Texts carry bytes that are not UTF-8 as the
    // lone surrogates U+DC80..U+DCFF, so every name can be opened again.
    // NativeOf fails for other lone surrogates, which name no file.
    static bool NativeOf(const std::u16string &text, std::string &native);
    static std::u16string TextOf(const std::string &native);

    // The start of every temporary name made for a file of this name (native bytes): short
    // enough for any name the folder accepts, and the same for every save of that name.
    static std::string TemporaryPrefix(const std::string &name);

protected:
    // Owner and mode of path itself (a link is not followed); false when it cannot be read.
    // Tests play other owners here.
    virtual bool OwnerAndMode(const std::string &path, uint32_t &owner, uint32_t &mode);
    // Puts the file or folder open as fd on the device (fsync); false with errno set when the
    // device refused. Tests make it fail.
    virtual bool SyncToDevice(int fd);

private:
    bool PlantedLinkOnTheWay(const std::string &path);
};
