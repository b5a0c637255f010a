#pragma once

#include "platform/core/KFileSystem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// An in-memory file system for tests. Every call can be made to fail, and every change
// is recorded, so a test can check the state of a file between any two steps.
class KFakeFileSystem : public KFileSystem {
public:
    enum class OpKind { Write, Flush, Rename, Remove, CreateFolders, FlushFolder };
    struct Op {
        OpKind Kind;
        std::u16string Path;
        std::u16string Target; // Rename only
        bool Succeeded;
    };

    // --- contents -------------------------------------------------------------------
    std::map<std::u16string, std::vector<uint8_t>> Files;
    std::set<std::u16string> Folders;               // folders that exist (without a trailing separator)
    std::set<std::u16string> ReadOnly;              // files with the read-only attribute
    std::set<std::u16string> Unwritable;            // files this user may not change (another owner's)
    std::map<std::u16string, std::u16string> Links; // symbolic link -> what it names
    std::set<std::u16string> ForeignLinks;          // links another user planted in a shared folder
    std::set<std::u16string> NotRegular;            // devices and pipes: they cannot be copied
    std::map<std::u16string, std::vector<uint8_t>> StreamWrites; // what went into each pipe or device
    bool RequireFolders = false;                                 // writing into a folder not in Folders fails

    // --- failures ---------------------------------------------------------------------
    std::set<std::u16string> FailOpen;   // size and read calls answer NotFound
    std::set<std::u16string> FailRead;   // size and read calls answer IoError
    std::set<std::u16string> FailCreate; // WriteNewFile answers NotFound, creates nothing
    std::set<std::u16string> FailRename; // renames from or to the path fail
    std::set<std::u16string> FailRemove;
    bool FailAllCreates = false;
    bool FailAllRenames = false;
    bool FailFlushes = false; // every flush to the device (of a new file or of a folder) fails
    // A write stops after this many bytes in total (over all writes): the file keeps the
    // bytes written so far and the call answers IoError. Negative: no limit.
    int64_t WriteBudget = -1;
    // Only this many more changes (writes, renames, removes) take effect; every later one
    // fails as though the machine had stopped. Negative: no limit.
    int64_t ChangeBudget = -1;
    // The operation that would be recorded at this index in Ops fails (IoError) and changes
    // nothing, so a test can fail each step of a save in turn. Negative: none.
    int64_t FailOpAt = -1;

    // --- records ----------------------------------------------------------------------
    std::vector<Op> Ops;
    // Called after every change that took effect, for checks between the steps.
    std::function<void()> AfterChange;

    void Put(const std::u16string &path, std::vector<uint8_t> bytes) { Files[path] = std::move(bytes); }
    std::optional<std::vector<uint8_t>> Get(const std::u16string &path) const
    {
        auto it = Files.find(path);
        if (it == Files.end())
            return std::nullopt;
        return it->second;
    }

    KFileType TypeOf(const std::u16string &path) override
    {
        std::u16string target;
        if (ResolveLink(path, target) == KFsStatus::LinkLoop)
            return KFileType::LinkLoop;
        if (NotRegular.count(target))
            return KFileType::Stream;
        if (Files.count(target))
            return KFileType::Regular;
        return Folders.count(TrimSeparator(target)) ? KFileType::Folder : KFileType::Missing;
    }

    bool IsReadOnly(const std::u16string &path) override
    {
        return Files.count(path) != 0 && ReadOnly.count(path) != 0;
    }

    KFsStatus FileSize(const std::u16string &path, uint64_t &size) override
    {
        size = 0;
        KFsStatus st = OpenCheck(path);
        if (st != KFsStatus::Ok)
            return st;
        size = Files.at(path).size();
        return KFsStatus::Ok;
    }

    KFsStatus ReadAt(const std::u16string &path, uint64_t offset, size_t n,
                     std::vector<uint8_t> &out) override
    {
        out.clear();
        KFsStatus st = OpenCheck(path);
        if (st != KFsStatus::Ok)
            return st;
        const std::vector<uint8_t> &data = Files.at(path);
        if (offset >= data.size())
            return KFsStatus::Ok;
        size_t avail = data.size() - size_t(offset);
        size_t count = avail < n ? avail : n;
        out.assign(data.begin() + std::ptrdiff_t(offset), data.begin() + std::ptrdiff_t(offset + count));
        return KFsStatus::Ok;
    }

    KFsStatus WriteToStream(const std::u16string &path, const std::vector<uint8_t> &bytes) override
    {
        if (!NotRegular.count(path))
            return KFsStatus::NotFound;
        std::vector<uint8_t> &into = StreamWrites[path];
        into.insert(into.end(), bytes.begin(), bytes.end());
        return KFsStatus::Ok;
    }

    // Creates the file (replacing one of that name) and writes all bytes.
    KFsStatus WriteNewFile(const std::u16string &path, const std::vector<uint8_t> &bytes)
    {
        if (FailAllCreates || FailCreate.count(path) || ReadOnly.count(path) || !FolderExists(path) ||
            Folders.count(TrimSeparator(path)))
            return Record({OpKind::Write, path, {}, false}, KFsStatus::NotFound);
        if (Forced() || !TakeChange())
            return Record({OpKind::Write, path, {}, false}, KFsStatus::IoError);
        std::vector<uint8_t> written = bytes;
        bool cut = false;
        if (WriteBudget >= 0 && uint64_t(WriteBudget) < bytes.size()) {
            written.resize(size_t(WriteBudget));
            cut = true;
        }
        if (WriteBudget >= 0)
            WriteBudget -= int64_t(written.size());
        Files[path] = std::move(written);
        Record({OpKind::Write, path, {}, !cut}, KFsStatus::Ok);
        Changed();
        return cut ? KFsStatus::IoError : KFsStatus::Ok;
    }

    KFsStatus Rename(const std::u16string &from, const std::u16string &to) override
    {
        if (FailAllRenames || FailRename.count(from) || FailRename.count(to) || !Files.count(from) ||
            !FolderExists(to))
            return Record({OpKind::Rename, from, to, false}, KFsStatus::IoError);
        if (Forced() || !TakeChange())
            return Record({OpKind::Rename, from, to, false}, KFsStatus::IoError);
        std::vector<uint8_t> data = std::move(Files.at(from));
        Files.erase(from);
        Files[to] = std::move(data);
        if (ReadOnly.erase(from))
            ReadOnly.insert(to);
        Record({OpKind::Rename, from, to, true}, KFsStatus::Ok);
        Changed();
        return KFsStatus::Ok;
    }

    KFsStatus Remove(const std::u16string &path) override
    {
        if (!Files.count(path))
            return Record({OpKind::Remove, path, {}, false}, KFsStatus::NotFound);
        if (FailRemove.count(path) || Forced() || !TakeChange())
            return Record({OpKind::Remove, path, {}, false}, KFsStatus::IoError);
        Files.erase(path);
        ReadOnly.erase(path);
        Record({OpKind::Remove, path, {}, true}, KFsStatus::Ok);
        Changed();
        return KFsStatus::Ok;
    }

    KFsStatus CreateFolders(const std::u16string &path) override
    {
        std::u16string p = TrimSeparator(path);
        for (size_t i = 1; i <= p.size(); ++i) {
            if (i == p.size() || p[i] == u'/' || p[i] == u'\\')
                Folders.insert(p.substr(0, i));
        }
        Record({OpKind::CreateFolders, p, {}, true}, KFsStatus::Ok);
        return KFsStatus::Ok;
    }

    bool IsWritable(const std::u16string &path) override
    {
        return Files.count(path) != 0 && !ReadOnly.count(path) && !Unwritable.count(path);
    }

    KFsStatus ResolveLink(const std::u16string &path, std::u16string &target) override
    {
        target = path;
        for (int hops = 0; hops < 40 && Links.count(target); ++hops) {
            if (ForeignLinks.count(target))
                return KFsStatus::ForeignLink;
            target = Links.at(target);
        }
        return Links.count(target) ? KFsStatus::LinkLoop : KFsStatus::Ok;
    }

    bool SameFile(const std::u16string &a, const std::u16string &b) override
    {
        std::u16string ta, tb;
        return ResolveLink(a, ta) == KFsStatus::Ok && ResolveLink(b, tb) == KFsStatus::Ok && ta == tb &&
               Files.count(ta) != 0;
    }

    KFsStatus WriteTemporary(const std::u16string &besidePath, const std::vector<uint8_t> &bytes,
                             std::u16string &tempPath) override
    {
        tempPath = UniqueBeside(besidePath);
        KFsStatus st = WriteNewFile(tempPath, bytes);
        if (st == KFsStatus::NotFound)
            tempPath.clear(); // nothing was created
        return st == KFsStatus::Ok ? Flush(OpKind::Flush, tempPath) : st;
    }

    KFsStatus CopyToTemporary(const std::u16string &source, const std::u16string &besidePath,
                              std::u16string &tempPath) override
    {
        tempPath.clear();
        if (NotRegular.count(source) || OpenCheck(source) != KFsStatus::Ok)
            return OpenCheck(source) == KFsStatus::IoError ? KFsStatus::IoError : KFsStatus::NotFound;
        const std::vector<uint8_t> bytes = Files.at(source);
        return WriteTemporary(besidePath, bytes, tempPath);
    }

    KFsStatus FlushFolder(const std::u16string &path) override
    {
        return Flush(OpKind::FlushFolder, TrimSeparator(KPath::FolderOf(path)));
    }

    void RemoveLeftoverTemporaries(const std::u16string &besidePath) override
    {
        for (const std::u16string &name : FilesStartingWith(besidePath + u".~"))
            Remove(name);
    }

    // Paths of the files whose name starts with prefix.
    std::vector<std::u16string> FilesStartingWith(const std::u16string &prefix) const
    {
        std::vector<std::u16string> r;
        for (const auto &[name, data] : Files)
            if (name.compare(0, prefix.size(), prefix) == 0)
                r.push_back(name);
        return r;
    }

private:
    std::u16string UniqueBeside(const std::u16string &path)
    {
        std::u16string name;
        do {
            name = path + u".~" + std::u16string(1, char16_t(u'a' + (temporaries_ % 26))) +
                   std::u16string(1, char16_t(u'a' + (temporaries_ / 26 % 26)));
            ++temporaries_;
        } while (Files.count(name));
        return name;
    }

    int temporaries_ = 0;

    static std::u16string TrimSeparator(std::u16string p)
    {
        while (p.size() > 1 && (p.back() == u'/' || p.back() == u'\\'))
            p.pop_back();
        return p;
    }

    bool FolderExists(const std::u16string &file) const
    {
        if (!RequireFolders)
            return true;
        std::u16string folder = TrimSeparator(KPath::FolderOf(file));
        return folder.empty() || Folders.count(folder) != 0;
    }

    KFsStatus OpenCheck(const std::u16string &path) const
    {
        if (!Files.count(path) || FailOpen.count(path))
            return KFsStatus::NotFound;
        if (FailRead.count(path))
            return KFsStatus::IoError;
        return KFsStatus::Ok;
    }

    KFsStatus Flush(OpKind kind, const std::u16string &path)
    {
        if (FailFlushes || Forced() || !TakeChange())
            return Record({kind, path, {}, false}, KFsStatus::IoError);
        return Record({kind, path, {}, true}, KFsStatus::Ok);
    }

    bool Forced() const { return FailOpAt >= 0 && int64_t(Ops.size()) == FailOpAt; }

    bool TakeChange()
    {
        if (ChangeBudget < 0)
            return true;
        if (ChangeBudget == 0)
            return false;
        --ChangeBudget;
        return true;
    }

    KFsStatus Record(Op op, KFsStatus st)
    {
        Ops.push_back(std::move(op));
        return st;
    }

    void Changed()
    {
        if (AfterChange)
            AfterChange();
    }
};
