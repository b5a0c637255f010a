#pragma once

// Shared by the two start-up programs: on the first paint of any widget, print the monotonic
// clock (ns) and the peak resident memory (kB, Linux only) on standard output and end the
// program the way the caller chooses.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

// The process's peak resident set so far in kB (VmHWM), or -1 where /proc is not there.
inline long long PeakResidentKb()
{
    long long kb = -1;
    if (std::FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kb = std::atoll(line + 6);
        std::fclose(status);
    }
    return kb;
}

class FirstPaintReport : public QObject {
public:
    explicit FirstPaintReport(std::function<void()> finish) : finish_(std::move(finish)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf(
                "first-paint %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::printf("peak-rss-kb %lld\n", PeakResidentKb());
            std::fflush(stdout);
            QMetaObject::invokeMethod(QCoreApplication::instance(), finish_, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> finish_;
    bool seen_ = false;
};
