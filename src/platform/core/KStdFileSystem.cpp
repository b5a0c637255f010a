#include "platform/core/KStdFileSystem.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
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
    try {
        out = fs::path(text);
        return true;
    } catch (...) {
        return false;
    }
}

#ifdef ORVELLA_POSIX_FILES
// Makes a rename inside folder durable.
void SyncFolder(const fs::path &file)
{
    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

bool KStdFileSystem::Exists(const std::u16string &path)
{
    fs::path p;
    std::error_code ec;
    return ToPath(path, p) && fs::exists(p, ec);
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
    std::error_code ec;
    if (!ToPath(path, p) || !fs::is_regular_file(p, ec))
        return KFsStatus::NotFound;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return KFsStatus::NotFound;
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
    std::error_code ec;
    if (!ToPath(path, p) || !fs::is_regular_file(p, ec))
        return KFsStatus::NotFound;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return KFsStatus::NotFound;
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

KFsStatus KStdFileSystem::WriteNewFile(const std::u16string &path, const std::vector<uint8_t> &bytes)
{
    fs::path p;
    if (!ToPath(path, p))
        return KFsStatus::NotFound;
#ifdef ORVELLA_POSIX_FILES
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return KFsStatus::NotFound;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            ::close(fd);
            return KFsStatus::IoError;
        }
        done += size_t(w);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return KFsStatus::IoError;
    }
    if (::close(fd) != 0)
        return KFsStatus::IoError;
    return KFsStatus::Ok;
#else
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out)
        return KFsStatus::NotFound;
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    if (!out)
        return KFsStatus::IoError;
    out.close();
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
    if (ec)
        return KFsStatus::IoError;
#ifdef ORVELLA_POSIX_FILES
    SyncFolder(b);
#endif
    return KFsStatus::Ok;
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
