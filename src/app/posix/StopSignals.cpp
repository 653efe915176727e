#include "app/posix/StopSignals.h"

#include <unistd.h>

#include <atomic>
#include <cstdint>

#include "platform/TemporaryPaths.h"

namespace {

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
    // The signals are taken by a thread of their own (see RemoveTemporaryPathsOnInterrupt), which from now
    // on only notes them.
    RemoveTemporaryPathsOnInterrupt();
    SetInterruptHandler(&OnStopSignal);
}

void SetStopSignalWakeFd(int fd)
{
    g_wakeFd = fd;
}

bool StopSignalled()
{
    return g_signalled;
}
