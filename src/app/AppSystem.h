#pragma once
#include <cstdint>
#include <string>

class ScreensaverApp;
class ISettingsStore;

// What start-up needs from the installed system and the window layer: one implementation for Windows,
// fakes in the tests.
class IAppSystem {
public:
    virtual ~IAppSystem() = default;

    // The one-shot commands.
    virtual void SetAsDefaultScreensaver(const std::string& programPath) = 0;
    virtual void InstallThroughShell(const std::string& programPath) = 0;
    virtual void ChangePassword(uint32_t parentWindow) = 0;

    // Where the project's runtime library files go, ending with a separator ("" when there is none).
    virtual std::string SystemDirectory() = 0;
    // The window "/c" without a number stands for.
    virtual uint32_t ForegroundWindow() = 0;
    // Whether a number from the command line names an existing window (the preview area of "/p").
    virtual bool IsWindowHandle(uint32_t) { return true; }
    virtual ISettingsStore& SettingsStore() = 0;

    // The cross-process guard of the screen saver; false when another instance already holds it.
    virtual bool CreateSaverMutex() = 0;
    // Closes the guard if one was created.
    virtual void CloseSaverMutex() = 0;

    virtual void SaveDesktopSnapshot(int32_t monitor) = 0;
    virtual void SetScreenSaverRunning(bool running) = 0;

    // The one modal window of the run; they return when it has closed.
    virtual void RunSettingsDialog(ScreensaverApp& app) = 0;
    virtual void RunScreensaverWindow(ScreensaverApp& app) = 0;

    // A fault during the rest of the exit ends the process without an error box.
    virtual void QuietExit() = 0;
};
