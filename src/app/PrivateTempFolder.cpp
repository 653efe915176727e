#include "app/PrivateTempFolder.h"

#include "platform/Paths.h"
#include "platform/TemporaryPaths.h"

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

namespace {

// A show that ends through exit() (Xlib's way when the display goes away) still removes its folder.
std::string& FolderToRemoveAtExit()
{
    static std::string path;
    return path;
}

void RemoveFolderAtExit()
{
    if (!FolderToRemoveAtExit().empty())
        RemoveFolderTree(FolderToRemoveAtExit());
}

constexpr int kAttempts = 100;
// A media device closed without waiting may hold its file a moment longer.
constexpr int kRemoveTries = 20;
constexpr auto kRemoveWait = std::chrono::milliseconds(100);

} // namespace

PrivateTempFolder::PrivateTempFolder()
{
    const std::string base = TempDirectory();
    if (base.empty())
        return;
    // Made with exclusive creation under a name nobody can foresee: a folder or link planted under a
    // name of ours is never taken over, only passed by.
    std::random_device entropy;
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < kAttempts && path_.empty(); ++attempt) {
        std::string name = base + "quillmark-show-";
        for (int i = 0; i < 10; ++i)
            name += digits[entropy() % 36];
        if (PathsDetail::MakeOneDirectory(name))
            path_ = name + base.back();
    }
    if (path_.empty())
        return;
    // An interrupt (Ctrl-C, SIGTERM, a closed console) removes it too.
    AddTemporaryPath(path_.substr(0, path_.size() - 1));
    previous_ = PathsDetail::TempDirectoryInPlace();
    SetTempDirectory(path_);
    // The path exists before the handler is registered, so it is still there when the handler runs.
    FolderToRemoveAtExit() = path_;
    static const bool registered = std::atexit(&RemoveFolderAtExit) == 0;
    (void)registered;
}

PrivateTempFolder::~PrivateTempFolder()
{
    if (path_.empty())
        return;
    FolderToRemoveAtExit().clear();
    SetTempDirectory(previous_);
    for (int i = 1; !RemoveFolderTree(path_) && i < kRemoveTries; ++i)
        std::this_thread::sleep_for(kRemoveWait);
    RemoveTemporaryPath(path_.substr(0, path_.size() - 1));
}
