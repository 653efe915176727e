#include "app/win32/SystemIntegration.h"

#include "gfx/Picture.h"
#include "gfx/win32/ScreenCapture.h"
#include "platform/Paths.h"
#include "saver/MonitorRect.h"

#include <windows.h>
#include <vector>

namespace {
const DWORD kPathBuffer = 1024;

std::string ShortPathOf(const std::string& path)
{
    char buffer[kPathBuffer];
    DWORD n = GetShortPathNameA(path.c_str(), buffer, kPathBuffer);
    if (n == 0 || n >= kPathBuffer)
        return path;
    return std::string(buffer, n);
}

bool OnNtPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The default value of a key below HKEY_CLASSES_ROOT, environment strings expanded.
bool ReadClassDefault(const std::string& subKey, std::string& value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[kPathBuffer + 1] = {};
    DWORD size = kPathBuffer;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    buffer[size < kPathBuffer ? size : kPathBuffer] = '\0';
    value = buffer;
    if (type == REG_EXPAND_SZ) {
        char expanded[kPathBuffer];
        DWORD n = ExpandEnvironmentStringsA(buffer, expanded, kPathBuffer);
        if (n > 0 && n <= kPathBuffer)
            value = expanded;
    }
    return true;
}
} // namespace

void SetAsDefaultScreensaver(const std::string& programPath)
{
    std::string path = ShortPathOf(programPath);
    if (!path.empty())
        CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));
    if (OnNtPlatform()) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        // The value holds exactly the path's characters. The system would count a zero lying right behind
        // the text as part of the value, so the byte behind it is not a zero.
        std::vector<BYTE> value(path.begin(), path.end());
        value.push_back(1);
        RegSetValueExA(key, "SCRNSAVE.EXE", 0, REG_SZ, value.data(), static_cast<DWORD>(path.size()));
        RegCloseKey(key);
    } else {
        char windows[kPathBuffer];
        UINT n = GetWindowsDirectoryA(windows, kPathBuffer);
        if (n == 0 || n >= kPathBuffer)
            return;
        std::string ini(windows, n);
        if (ini.back() != '\\')
            ini += '\\';
        ini += "system.ini";
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", path.c_str(), ini.c_str());
    }
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void InstallThroughShell(const std::string& programPath)
{
    std::string path = ShortPathOf(programPath);
    std::string fileType;
    if (!ReadClassDefault(".scr", fileType) || fileType.empty())
        return;
    std::string command;
    if (!ReadClassDefault(fileType + "\\shell\\install\\command", command) || command.empty())
        return;
    for (size_t at = command.find("%l"); at != std::string::npos; at = command.find("%l", at + path.size()))
        command.replace(at, 2, path);
    WinExec(command.c_str(), SW_SHOW);
}

void ChangePassword(uint32_t parentWindow)
{
    if (OnNtPlatform())
        return;
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library)
        return;
    using ChangeFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    auto change =
        reinterpret_cast<ChangeFunction>(reinterpret_cast<void (*)()>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change)
        change("SCRSAVE", reinterpret_cast<HWND>(static_cast<uintptr_t>(parentWindow)), 0, nullptr);
    FreeLibrary(library);
}

std::string SystemDirectoryPath()
{
    char buffer[MAX_PATH];
    UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::string path(buffer, n);
    if (path.back() != '\\')
        path += '\\';
    return path;
}

void SaveDesktopSnapshot(int32_t monitor)
{
    std::string temp = TempDirectory();
    if (temp.empty())
        return;
    MonitorArea area = GetMonitorRect(monitor);
    Picture picture;
    if (CaptureScreenArea(picture, area.left, area.top, area.width, area.height))
        picture.SaveAsBitmapFile(temp + "kadodsk.bmp");
}
