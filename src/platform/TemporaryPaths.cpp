#include "platform/TemporaryPaths.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace {

std::mutex g_lock;
std::vector<std::string> g_paths;
std::atomic<void (*)(int)> g_handler{nullptr};

void RemovePaths()
{
    for (const std::string& path : g_paths) {
        // The run may still be writing into a folder while it goes: a file made meanwhile keeps it.
        std::error_code ec;
        for (int attempt = 0; attempt < 3 && std::filesystem::remove_all(path, ec) == static_cast<std::uintmax_t>(-1);
             ++attempt) {
        }
    }
    g_paths.clear();
}

void RemovePathsAtExit()
{
    const std::lock_guard<std::mutex> guard(g_lock);
    RemovePaths();
}

} // namespace

void AddTemporaryPath(const std::string& path)
{
    // A run that ends through exit() on the way (as Xlib ends a program on an X error) skips the destructors
    // that would remove its paths; the list is empty at an ordinary end.
    static const bool atExit = std::atexit(&RemovePathsAtExit) == 0;
    (void)atExit;
    const std::lock_guard<std::mutex> guard(g_lock);
    g_paths.push_back(path);
}

void RemoveTemporaryPath(const std::string& path)
{
    const std::lock_guard<std::mutex> guard(g_lock);
    const auto found = std::find(g_paths.rbegin(), g_paths.rend(), path);
    if (found != g_paths.rend())
        g_paths.erase(std::next(found).base());
}

void SetInterruptHandler(void (*handler)(int signal))
{
    g_handler = handler;
}

void (*TemporaryPathsDetail::InterruptHandler())(int)
{
    return g_handler.load();
}

void TemporaryPathsDetail::RemoveAllForExit()
{
    // Never unlocked: the process ends, and nothing may note a new path after the last has gone.
    g_lock.lock();
    RemovePaths();
}
