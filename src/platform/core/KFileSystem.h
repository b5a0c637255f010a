#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Result of one file-system call.
enum class KFsStatus {
    Ok,
    NotFound, // the file could not be opened (missing, no permission, a folder)
    IoError,  // the file was opened but the platform failed part-way
    LinkLoop, // the path's symbolic links lead back to themselves (or nest too deep)
    // A symbolic link on the path, in a sticky folder everyone may write into (like /tmp),
    // belongs neither to this user nor to the folder's owner: someone else planted it, and it
    // is not followed (the kernel's protected-symlinks rule).
    ForeignLink,
};

// What a path names, its symbolic links followed.
enum class KFileType {
    Missing,
    Regular,
    Folder,
    Stream, // a pipe or a character device: written as it is, never replaced
    Other,
    LinkLoop,
};

// The files the program reads and writes. Every call opens what it needs, does one thing and
// closes it again; nothing stays open between calls. Paths are UTF-16.
//
// A file is replaced durably in these steps, each reporting its own failure: WriteTemporary
// (complete and on the device), CopyToTemporary and Rename for the backup, Rename into place,
// FlushFolder (the new names on the device), RemoveLeftoverTemporaries.
class KFileSystem {
public:
    virtual ~KFileSystem() = default;

    // True when anything is at the path (a link loop too).
    bool Exists(const std::u16string &path) { return TypeOf(path) != KFileType::Missing; }
    virtual KFileType TypeOf(const std::u16string &path) = 0;
    // True when the file exists and carries the read-only attribute.
    virtual bool IsReadOnly(const std::u16string &path) = 0;
    // Size in bytes of a regular file.
    virtual KFsStatus FileSize(const std::u16string &path, uint64_t &size) = 0;
    // Reads up to n bytes at offset into out (replacing its contents); fewer at the end of the file.
    virtual KFsStatus ReadAt(const std::u16string &path, uint64_t offset, size_t n,
                             std::vector<uint8_t> &out) = 0;
    // Writes all bytes into an existing pipe or character device (TypeOf gives Stream); creates,
    // replaces and flushes nothing.
    virtual KFsStatus WriteToStream(const std::u16string &path, const std::vector<uint8_t> &bytes) = 0;
    // Moves from over to in one step, replacing a file at to.
    virtual KFsStatus Rename(const std::u16string &from, const std::u16string &to) = 0;
    virtual KFsStatus Remove(const std::u16string &path) = 0;
    // Creates the folder and any missing parents; Ok when it already exists.
    virtual KFsStatus CreateFolders(const std::u16string &path) = 0;

    // --- Safe replacing of a file ---
    // True when the file exists and this user may change it.
    virtual bool IsWritable(const std::u16string &path) = 0;
    // The file a path finally names: symbolic links are followed to their target (which need
    // not exist yet); any other path comes back unchanged. LinkLoop when the links never end;
    // ForeignLink when a link on the way is another user's in a folder open to everyone.
    virtual KFsStatus ResolveLink(const std::u16string &path, std::u16string &target) = 0;
    // True when both paths name the same existing file.
    virtual bool SameFile(const std::u16string &a, const std::u16string &b) = 0;
    // Creates a new file under a unique, short name in the folder of besidePath, exclusively
    // (never through an existing name or link), writes bytes and flushes them to the device.
    // The file gets besidePath's permission bits, owner and group as far as allowed when
    // besidePath exists. tempPath receives the name, or stays empty when nothing was created;
    // on failure the caller removes it.
    virtual KFsStatus WriteTemporary(const std::u16string &besidePath, const std::vector<uint8_t> &bytes,
                                     std::u16string &tempPath) = 0;
    // The same with the contents of the regular file source, copied piece by piece.
    // NotFound when source cannot be opened or is not a regular file.
    virtual KFsStatus CopyToTemporary(const std::u16string &source, const std::u16string &besidePath,
                                      std::u16string &tempPath) = 0;
    // Flushes the folder that holds path, so that names just given in it survive a power cut.
    virtual KFsStatus FlushFolder(const std::u16string &path) = 0;
    // Removes the temporary files an interrupted save of besidePath left beside it.
    virtual void RemoveLeftoverTemporaries(const std::u16string &besidePath) = 0;
};

// Path helpers that accept both '/' and '\\' as separators.
namespace KPath {
// Everything before the last separator, with the separator ("" when there is none).
std::u16string FolderOf(const std::u16string &path);
// The name and extension after the last separator.
std::u16string NameOf(const std::u16string &path);
// The name without its extension (the part after the last '.').
std::u16string StemOf(const std::u16string &path);
// The extension including its '.', or "" when the name has none.
std::u16string ExtensionOf(const std::u16string &path);
} // namespace KPath
