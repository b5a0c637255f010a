#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

// Flushes files that have just been put in place to the storage device, on a thread of its own,
// so that saving does not wait for the device. A file is queued once it is complete and renamed
// into place; its folder is flushed after it so that the new name survives a power cut too.
// The destructor waits for everything queued.
class KDeviceFlusher {
public:
    KDeviceFlusher() = default;
    ~KDeviceFlusher();
    KDeviceFlusher(const KDeviceFlusher &) = delete;
    KDeviceFlusher &operator=(const KDeviceFlusher &) = delete;

    // Queues the file (a native path) and its folder.
    void Queue(const std::string &nativePath);
    // Returns once everything queued so far has reached the device.
    void WaitUntilFlushed();
    // Flushes the device refused, counted since the start (the data stays in the system's cache).
    uint64_t Failures() const;

    // Flushes one file and its folder now; false when the device reported an error.
    static bool FlushNow(const std::string &nativePath);

private:
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<std::string> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    uint64_t failures_ = 0;
    std::thread thread_;
};
