#pragma once
#include "app/AppSystem.h"

#include <windows.h>

// Start-up's view of the installed Windows system.
class Win32AppSystem final : public IAppSystem {
public:
    ~Win32AppSystem() override;

    void SetAsDefaultScreensaver(const std::string& programPath) override;
    void InstallThroughShell(const std::string& programPath) override;
    void ChangePassword(uint32_t parentWindow) override;
    std::string SystemDirectory() override;
    uint32_t ForegroundWindow() override;
    bool IsWindowHandle(uint32_t window) override;
    ISettingsStore& SettingsStore() override;
    bool CreateSaverMutex() override;
    void CloseSaverMutex() override;
    void SaveDesktopSnapshot(int32_t monitor) override;
    void SetScreenSaverRunning(bool running) override;
    void RunSettingsDialog(ScreensaverApp& app) override;
    void RunScreensaverWindow(ScreensaverApp& app) override;
    void QuietExit() override;

private:
    HANDLE mutex_ = nullptr;
};
