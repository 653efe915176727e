#pragma once
#include "scrpack/manifest/ManifestModel.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class PreparedPictures;
class ProjectDocument;

// What the studio builds from the show, one at a time, in the show's folder: the Windows screen saver (the
// manifest packed onto the Windows runtime that the package ships), the show packed onto the Linux program,
// or a video of one round of the show. Every picture is checked first as `scrpack pack` checks it, and the
// problems are told per item.
class Builds {
public:
    // windowsRuntime, linuxRuntime: the programs to pack onto ("" when there is none).
    Builds(ProjectDocument& document, PreparedPictures& prepared, std::string windowsRuntime, std::string linuxRuntime);
    ~Builds();

    // kind: "windows", "linux" or "video". False with a message when one is running or it cannot start.
    bool Start(const std::string& kind, std::string& error);
    // {kind, state: idle|checking|packing|rendering|done|failed, progress 0..1, output, error, problems:[...]}
    nlohmann::json Status();

private:
    void Run(std::string kind);
    bool CheckItems(const PackPlan& plan);
    void SetProgress(double value);

    ProjectDocument& document_;
    PreparedPictures& prepared_;
    std::string windowsRuntime_;
    std::string linuxRuntime_;
    std::mutex mutex_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    nlohmann::json status_;
};

// Where the runtimes are: beside the program (installed: ../share/quillmark/windows/screensaver.scr and
// ./screensaver; in the build tree: the win32 preset's program and the native one).
std::string FindWindowsRuntime();
std::string FindLinuxRuntime();
