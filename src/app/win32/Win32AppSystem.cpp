#include "app/win32/Win32AppSystem.h"

#include "app/ScreensaverApp.h"
#include "app/win32/SystemIntegration.h"
#include "config/win32/SettingsDialog.h"
#include "model/SettingsStore.h"
#include "saver/win32/ScreensaverWindow.h"

namespace {
const char kMutexName[] = "quillmarkscreensaver";

LONG WINAPI EndQuietly(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}
} // namespace

Win32AppSystem::~Win32AppSystem()
{
    CloseSaverMutex();
}

void Win32AppSystem::SetAsDefaultScreensaver(const std::string& programPath)
{
    ::SetAsDefaultScreensaver(programPath);
}

void Win32AppSystem::InstallThroughShell(const std::string& programPath)
{
    ::InstallThroughShell(programPath);
}

void Win32AppSystem::ChangePassword(uint32_t parentWindow)
{
    ::ChangePassword(parentWindow);
}

std::string Win32AppSystem::SystemDirectory()
{
    return SystemDirectoryPath();
}

uint32_t Win32AppSystem::ForegroundWindow()
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetForegroundWindow()));
}

bool Win32AppSystem::IsWindowHandle(uint32_t window)
{
    return window != 0 && IsWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)));
}

ISettingsStore& Win32AppSystem::SettingsStore()
{
    return UserSettingsStore();
}

bool Win32AppSystem::CreateSaverMutex()
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kMutexName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

void Win32AppSystem::CloseSaverMutex()
{
    if (mutex_) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

void Win32AppSystem::SaveDesktopSnapshot(int32_t monitor)
{
    ::SaveDesktopSnapshot(monitor);
}

void Win32AppSystem::SetScreenSaverRunning(bool running)
{
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

void Win32AppSystem::RunSettingsDialog(ScreensaverApp& app)
{
    // Opened from a running show, the dialog belongs to the show's window, which takes no input (and so
    // opens no second dialog) until it closes.
    ::RunSettingsDialog(app.Settings(), app.Project(), static_cast<HWND>(app.Settings().windowHandle));
}

void Win32AppSystem::RunScreensaverWindow(ScreensaverApp& app)
{
    ScreensaverWindowArgs args;
    args.mode = app.Mode();
    args.parentWindow = app.ParentWindow();
    args.settings = &app.Settings();
    args.project = &app.Project();
    args.database = &app.Database();
    args.runSettingsDialog = [this, &app] { RunSettingsDialog(app); };
    ::RunScreensaverWindow(args);
}

void Win32AppSystem::QuietExit()
{
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndQuietly);
}
