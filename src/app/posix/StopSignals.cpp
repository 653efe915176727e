#include "app/posix/StopSignals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

namespace {

// Lock-free atomics are safe to touch in a signal handler.
std::atomic<bool> g_signalled{false};
std::atomic<int> g_wakeFd{-1};

void OnStopSignal(int)
{
    g_signalled = true;
    const int fd = g_wakeFd.load();
    if (fd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
    }
}

} // namespace

void InstallStopSignals()
{
    struct sigaction action { };
    action.sa_handler = &OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void SetStopSignalWakeFd(int fd)
{
    g_wakeFd = fd;
}

bool StopSignalled()
{
    return g_signalled;
}
