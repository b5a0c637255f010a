#include "platform/core/KDeviceFlusher.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define ORVELLA_POSIX_FLUSH 1
#endif

namespace {

#ifdef ORVELLA_POSIX_FLUSH
bool SyncPath(const char *path, int flags)
{
    const int fd = ::open(path, flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
#endif

} // namespace

KDeviceFlusher::~KDeviceFlusher()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

bool KDeviceFlusher::FlushNow(const std::string &nativePath)
{
#ifdef ORVELLA_POSIX_FLUSH
    // A file renamed away since it was queued has nothing left to flush under this name.
    if (::access(nativePath.c_str(), F_OK) != 0)
        return true;
    bool ok = SyncPath(nativePath.c_str(), O_RDONLY);
    const size_t slash = nativePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : nativePath.substr(0, slash);
    // Some file systems cannot flush a folder; the file's own contents are what must not be lost.
    SyncPath(folder.c_str(), O_RDONLY | O_DIRECTORY);
    return ok;
#else
    (void)nativePath;
    return true;
#endif
}

void KDeviceFlusher::Queue(const std::string &nativePath)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(nativePath);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void KDeviceFlusher::WaitUntilFlushed()
{
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

uint64_t KDeviceFlusher::Failures() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failures_;
}

void KDeviceFlusher::Run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            if (stopping_)
                return;
            continue;
        }
        const std::string path = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        const bool ok = FlushNow(path);
        lock.lock();
        busy_ = false;
        if (!ok)
            ++failures_;
        if (queue_.empty())
            done_.notify_all();
    }
}
