#pragma once
#include "app/AppSystem.h"

#include <cstdint>
#include <string>

// The installed system as a show on Linux sees it: no system folder for runtime libraries, no mutex to fight
// over (XScreenSaver runs one program per screen at once), no desktop snapshot, no screen-saver state to
// set. What runs the window is the kind of show's own.
class PosixShowSystem : public IAppSystem {
public:
    void SetAsDefaultScreensaver(const std::string&) override { }
    void InstallThroughShell(const std::string&) override { }
    void ChangePassword(uint32_t) override { }
    std::string SystemDirectory() override { return {}; }
    uint32_t ForegroundWindow() override { return 0; }
    ISettingsStore& SettingsStore() override;
    bool CreateSaverMutex() override { return true; }
    void CloseSaverMutex() override { }
    void SaveDesktopSnapshot(int32_t) override { }
    void SetScreenSaverRunning(bool) override { }
    void RunSettingsDialog(ScreensaverApp&) override { error = "the project opens its settings, not a show"; }
    void QuietExit() override { }

    // Why the show did not run; empty when it did.
    std::string error;
    bool ran = false;
};

// Where the project lies in a file: at 0 in a project database of its own, at its trailer's offset in a
// program with one attached. False with the reason ("... is a folder", "no such file", "... carries no
// project") otherwise.
bool FindProject(const std::string& path, uint32_t& base, std::string& error);

// Starts the program file's (or the database file's) project as the screen saver ("/s") through the real start-up,
// which ends in the system's RunScreensaverWindow. False with a message in error when the file has no project or the
// show did not run.
bool StartProjectShow(const std::string& programPath, PosixShowSystem& system, std::string& error);
