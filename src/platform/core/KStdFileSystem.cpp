#include "platform/core/KStdFileSystem.h"

#include "model/KUtf8.h"

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define ORVELLA_POSIX_FILES 1
#endif

namespace fs = std::filesystem;

namespace {

// Converts a UTF-16 path; false when the text cannot name a file (a lone surrogate).
bool ToPath(const std::u16string &text, fs::path &out)
{
#ifdef ORVELLA_POSIX_FILES
    std::string native;
    if (!KStdFileSystem::NativeOf(text, native))
        return false;
    out = fs::path(native);
    return true;
#else
    try {
        out = fs::path(text);
        return true;
    } catch (...) {
        return false;
    }
#endif
}

bool IsLoop(const std::error_code &ec)
{
    return ec == std::errc::too_many_symbolic_link_levels;
}

// Status of the file a path names; LinkLoop or NotFound when it is no regular file.
KFsStatus RegularFileStatus(const fs::path &p)
{
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (IsLoop(ec))
        return KFsStatus::LinkLoop;
    return !ec && fs::is_regular_file(st) ? KFsStatus::Ok : KFsStatus::NotFound;
}

} // namespace

KFileType KStdFileSystem::TypeOf(const std::u16string &path)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFileType::Missing;
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (IsLoop(ec))
        return KFileType::LinkLoop;
    if (st.type() == fs::file_type::not_found)
        return KFileType::Missing;
    // Something is there that cannot be looked at (a folder on the way may not be searched).
    if (ec)
        return KFileType::Other;
    switch (st.type()) {
    case fs::file_type::regular:
        return KFileType::Regular;
    case fs::file_type::directory:
        return KFileType::Folder;
    case fs::file_type::fifo:
    case fs::file_type::character:
        return KFileType::Stream;
    default:
        return KFileType::Other;
    }
}

bool KStdFileSystem::IsReadOnly(const std::u16string &path)
{
    fs::path p;
    std::error_code ec;
    if (!ToPath(path, p))
        return false;
    fs::file_status st = fs::status(p, ec);
    if (ec || !fs::exists(st))
        return false;
    return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

KFsStatus KStdFileSystem::FileSize(const std::u16string &path, uint64_t &size)
{
    size = 0;
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
    if (KFsStatus st = RegularFileStatus(p); st != KFsStatus::Ok)
        return st;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return KFsStatus::NotFound;
    std::error_code ec;
    uintmax_t n = fs::file_size(p, ec);
    if (ec)
        return KFsStatus::IoError;
    size = uint64_t(n);
    return KFsStatus::Ok;
}

KFsStatus KStdFileSystem::ReadAt(const std::u16string &path, uint64_t offset, size_t n,
                                 std::vector<uint8_t> &out)
{
    out.clear();
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
    if (KFsStatus st = RegularFileStatus(p); st != KFsStatus::Ok)
        return st;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return KFsStatus::NotFound;
    std::error_code ec;
    uint64_t size = uint64_t(fs::file_size(p, ec));
    if (ec)
        return KFsStatus::IoError;
    if (offset >= size || n == 0)
        return KFsStatus::Ok;
    uint64_t avail = size - offset;
    size_t count = avail < n ? size_t(avail) : n;
    in.seekg(std::streamoff(offset));
    if (!in)
        return KFsStatus::IoError;
    out.resize(count);
    in.read(reinterpret_cast<char *>(out.data()), std::streamsize(count));
    out.resize(size_t(in.gcount()));
    if (in.bad())
        return KFsStatus::IoError;
    return KFsStatus::Ok;
}

#ifdef ORVELLA_POSIX_FILES
namespace {

bool WriteAll(int fd, const uint8_t *data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t w = ::write(fd, data + done, size - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        done += size_t(w);
    }
    return true;
}

} // namespace
#endif

KFsStatus KStdFileSystem::WriteToStream(const std::u16string &path, const std::vector<uint8_t> &bytes)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
#ifdef ORVELLA_POSIX_FILES
    // Never creates: only a pipe or a device that is already there is written.
    int fd = ::open(p.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ELOOP ? KFsStatus::LinkLoop : KFsStatus::NotFound;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
        ::close(fd);
        return KFsStatus::NotFound;
    }
    const bool ok = WriteAll(fd, bytes.data(), bytes.size());
    return ::close(fd) == 0 && ok ? KFsStatus::Ok : KFsStatus::IoError;
#else
    std::ofstream out(p, std::ios::binary);
    if (!out)
        return KFsStatus::NotFound;
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    return out ? KFsStatus::Ok : KFsStatus::IoError;
#endif
}

KFsStatus KStdFileSystem::Rename(const std::u16string &from, const std::u16string &to)
{
    fs::path a, b;
    if (!ToPath(from, a) || !ToPath(to, b))
        return KFsStatus::NotFound;
    std::error_code ec;
    fs::rename(a, b, ec);
    return ec ? KFsStatus::IoError : KFsStatus::Ok;
}

KFsStatus KStdFileSystem::Remove(const std::u16string &path)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
    std::error_code ec;
    if (!fs::remove(p, ec))
        return ec ? KFsStatus::IoError : KFsStatus::NotFound;
    return KFsStatus::Ok;
}

KFsStatus KStdFileSystem::CreateFolders(const std::u16string &path)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
    std::error_code ec;
    fs::create_directories(p, ec);
    if (ec || !fs::is_directory(p, ec))
        return KFsStatus::IoError;
    return KFsStatus::Ok;
}

bool KStdFileSystem::NativeOf(const std::u16string &text, std::string &native)
{
    native.clear();
    native.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            native += char(c - 0xDC00); // a byte of the name that is not UTF-8
            continue;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        }
        KUtf8::AppendUtf8(native, c);
    }
    return true;
}

std::u16string KStdFileSystem::TextOf(const std::string &native)
{
    return KUtf8::ToUtf16(native, KUtf8::InvalidByte::Surrogate);
}

bool KStdFileSystem::IsWritable(const std::u16string &path)
{
    fs::path p;
    std::error_code ec;
    if (!ToPath(path, p) || !fs::exists(p, ec) || IsReadOnly(path))
        return false;
#ifdef ORVELLA_POSIX_FILES
    return ::access(p.c_str(), W_OK) == 0;
#else
    return true;
#endif
}

bool KStdFileSystem::OwnerAndMode(const std::string &path, uint32_t &owner, uint32_t &mode)
{
#ifdef ORVELLA_POSIX_FILES
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    owner = uint32_t(st.st_uid);
    mode = uint32_t(st.st_mode);
    return true;
#else
    (void)path, (void)owner, (void)mode;
    return false;
#endif
}

bool KStdFileSystem::PlantedLinkOnTheWay(const std::string &path)
{
#ifdef ORVELLA_POSIX_FILES
    // The path is walked as the system walks it, a part at a time, links replaced by what
    // they name. A link in a sticky folder that everyone may write into is followed only when
    // it belongs to this user or to the folder's owner.
    std::error_code ec;
    const fs::path start(path);
    fs::path walked = start.is_absolute() ? fs::path("/") : fs::current_path(ec);
    if (ec)
        return false;
    const fs::path relative = start.relative_path();
    std::deque<fs::path> rest(relative.begin(), relative.end());
    for (int links = 0; !rest.empty();) {
        const fs::path part = rest.front();
        rest.pop_front();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            walked = walked.parent_path();
            continue;
        }
        const fs::path next = walked / part;
        uint32_t owner = 0, mode = 0, folderOwner = 0, folderMode = 0;
        if (!OwnerAndMode(next.native(), owner, mode) || !S_ISLNK(mode)) {
            walked = next;
            continue;
        }
        // Loops and unreadable folders are told by the callers' own steps.
        if (++links > 40 || !OwnerAndMode(walked.native(), folderOwner, folderMode))
            return false;
        const bool shared = (folderMode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
        if (shared && owner != uint32_t(::geteuid()) && owner != folderOwner)
            return true;
        const fs::path named = fs::read_symlink(next, ec);
        if (ec)
            return false;
        const fs::path namedParts = named.relative_path();
        rest.insert(rest.begin(), namedParts.begin(), namedParts.end());
        if (named.is_absolute())
            walked = "/";
    }
#else
    (void)path;
#endif
    return false;
}

KFsStatus KStdFileSystem::ResolveLink(const std::u16string &path, std::u16string &target)
{
    target = path;
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::Ok;
#ifdef ORVELLA_POSIX_FILES
    if (PlantedLinkOnTheWay(p.native()))
        return KFsStatus::ForeignLink;
#endif
    std::error_code ec;
    // A chain of links, followed a bounded number of steps, as the system itself does.
    int hops = 0;
    for (; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        fs::path next = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    // Still a link after that many steps, or a link loop in a folder on the way.
    if (fs::is_symlink(fs::symlink_status(p, ec)))
        return KFsStatus::LinkLoop;
    [[maybe_unused]] const fs::file_status st = fs::status(p, ec);
    if (IsLoop(ec))
        return KFsStatus::LinkLoop;
#ifdef ORVELLA_POSIX_FILES
    target = TextOf(p.native());
#else
    target = p.u16string();
#endif
    return KFsStatus::Ok;
}

bool KStdFileSystem::SameFile(const std::u16string &a, const std::u16string &b)
{
    fs::path pa, pb;
    std::error_code ec;
    return ToPath(a, pa) && ToPath(b, pb) && fs::equivalent(pa, pb, ec) && !ec;
}

bool KStdFileSystem::SyncToDevice(int fd)
{
#ifdef ORVELLA_POSIX_FILES
    return ::fsync(fd) == 0;
#else
    (void)fd;
    return true;
#endif
}

std::string KStdFileSystem::TemporaryPrefix(const std::string &name)
{
    // Hidden, a short piece of the name to tell what it belongs to, a hash of the whole name.
    constexpr size_t Kept = 32;
    size_t cut = name.size() < Kept ? name.size() : Kept;
    while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut; // never inside a UTF-8 character
    uint32_t hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", unsigned(hash));
    return "." + name.substr(0, cut) + "~" + hex + ".";
}

#ifdef ORVELLA_POSIX_FILES
namespace {

constexpr size_t UniqueLength = 6; // the XXXXXX of mkostemp

// Opens a new file beside target under a name no one else has; -1 when it cannot be made.
int CreateUniqueBeside(const fs::path &target, std::string &name)
{
    name = (target.parent_path() / KStdFileSystem::TemporaryPrefix(target.filename().native())).native() +
           std::string(UniqueLength, 'X');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        name.clear();
    return fd;
}

// Gives the new file the mode, owner and group the replaced file had, as far as the system
// allows, or the mode a newly created file would get.
void TakeModeOf(int fd, const fs::path &model)
{
    struct stat st;
    if (::stat(model.c_str(), &st) == 0) {
        // Only the superuser may give a file away; a member of the file's group may still keep
        // the group, so that the others who share the file can go on reading it.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, uid_t(-1), st.st_gid) != 0) {
            // The file stays the writer's, in the writer's group.
        }
        ::fchmod(fd, st.st_mode & 07777);
        return;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

// Some file systems cannot flush at all; what they hold is as safe as they make it.
bool FlushRefused(int err)
{
    return err != EINVAL && err != ENOTSUP && err != EOPNOTSUPP;
}

} // namespace
#endif

KFsStatus KStdFileSystem::WriteTemporary(const std::u16string &besidePath, const std::vector<uint8_t> &bytes,
                                         std::u16string &tempPath)
{
    tempPath.clear();
    fs::path target;
    if (!ToPath(besidePath, target))
        return KFsStatus::NotFound;
#ifdef ORVELLA_POSIX_FILES
    std::string name;
    int fd = CreateUniqueBeside(target, name);
    if (fd < 0)
        return KFsStatus::NotFound;
    tempPath = TextOf(name);
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (ok) {
        TakeModeOf(fd, target);
        ok = SyncToDevice(fd) || !FlushRefused(errno);
    }
    return ::close(fd) == 0 && ok ? KFsStatus::Ok : KFsStatus::IoError;
#else
    tempPath = besidePath + u".~new";
    std::ofstream out(fs::path(tempPath), std::ios::binary | std::ios::trunc);
    if (!out)
        return KFsStatus::NotFound;
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    return out ? KFsStatus::Ok : KFsStatus::IoError;
#endif
}

KFsStatus KStdFileSystem::CopyToTemporary(const std::u16string &source, const std::u16string &besidePath,
                                          std::u16string &tempPath)
{
    tempPath.clear();
    fs::path from, target;
    if (!ToPath(source, from) || !ToPath(besidePath, target))
        return KFsStatus::NotFound;
#ifdef ORVELLA_POSIX_FILES
    // Non-blocking, so that a pipe or a device cannot hold the program before it is refused.
    int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return errno == ELOOP ? KFsStatus::LinkLoop : KFsStatus::NotFound;
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return KFsStatus::NotFound;
    }
    ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) & ~O_NONBLOCK);
    std::string name;
    int out = CreateUniqueBeside(target, name);
    if (out < 0) {
        ::close(in);
        return KFsStatus::NotFound;
    }
    tempPath = TextOf(name);
    std::vector<uint8_t> chunk(1 << 16);
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (!WriteAll(out, chunk.data(), size_t(n))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    if (ok) {
        TakeModeOf(out, from);
        ok = SyncToDevice(out) || !FlushRefused(errno);
    }
    return ::close(out) == 0 && ok ? KFsStatus::Ok : KFsStatus::IoError;
#else
    std::vector<uint8_t> bytes;
    uint64_t size = 0;
    if (FileSize(source, size) != KFsStatus::Ok || ReadAt(source, 0, size_t(size), bytes) != KFsStatus::Ok)
        return KFsStatus::NotFound;
    return WriteTemporary(besidePath, bytes, tempPath);
#endif
}

KFsStatus KStdFileSystem::FlushFolder(const std::u16string &path)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
#ifdef ORVELLA_POSIX_FILES
    fs::path folder = p.parent_path();
    if (folder.empty())
        folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return KFsStatus::IoError;
    const bool ok = SyncToDevice(fd) || !FlushRefused(errno);
    ::close(fd);
    return ok ? KFsStatus::Ok : KFsStatus::IoError;
#else
    return KFsStatus::Ok;
#endif
}

void KStdFileSystem::RemoveLeftoverTemporaries(const std::u16string &besidePath)
{
    fs::path target;
    if (!ToPath(besidePath, target))
        return;
#ifdef ORVELLA_POSIX_FILES
    const std::string prefix = TemporaryPrefix(target.filename().native());
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() != prefix.size() + UniqueLength || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // Only a regular file of this user: a link or another user's file at such a name stays.
        struct stat st;
        if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlinkat(dirFd, name.c_str(), 0);
    }
    ::closedir(dir);
#else
    std::error_code ec;
    fs::remove(fs::path(besidePath + u".~new"), ec);
#endif
}
