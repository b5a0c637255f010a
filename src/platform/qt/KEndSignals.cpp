#include "platform/qt/KEndSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] written by the handler, [1] read by the event loop.
int endPipe[2] = {-1, -1};
struct sigaction savedTerm, savedInt;

extern "C" void OnEndSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    // Non-blocking: should the pipe ever be full, the byte already in it says enough.
    [[maybe_unused]] const ssize_t n = ::write(endPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

KEndSignals::KEndSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, endPipe) != 0) {
        endPipe[0] = endPipe[1] = -1;
        return;
    }
    ::fcntl(endPipe[0], F_SETFL, ::fcntl(endPipe[0], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(endPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &KEndSignals::ReadPending);

    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    // The handler is taken away once it has run: a second request ends the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGTERM, &action, &savedTerm);
    ::sigaction(SIGINT, &action, &savedInt);
}

KEndSignals::~KEndSignals()
{
    if (endPipe[0] < 0)
        return;
    ::sigaction(SIGTERM, &savedTerm, nullptr);
    ::sigaction(SIGINT, &savedInt, nullptr);
    delete notifier_;
    ::close(endPipe[0]);
    ::close(endPipe[1]);
    endPipe[0] = endPipe[1] = -1;
}

void KEndSignals::ReadPending()
{
    char byte = 0;
    ssize_t n;
    do {
        n = ::read(endPipe[1], &byte, 1);
    } while (n < 0 && errno == EINTR);
    if (n == 1)
        emit EndRequested(int(static_cast<unsigned char>(byte)));
}

#else

KEndSignals::KEndSignals(QObject *parent) : QObject(parent) {}

KEndSignals::~KEndSignals() = default;

void KEndSignals::ReadPending() {}

#endif
