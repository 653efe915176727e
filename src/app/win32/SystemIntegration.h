#pragma once
#include <cstdint>
#include <string>

// Where the runtime touches the installed system rather than its own window. Failures are silent.

// Makes the program the system's screen saver where it lies, and turns the screen saver on.
void SetAsDefaultScreensaver(const std::string& programPath);
// Hands the program to the installer command of the ".scr" file class; does not wait for it.
void InstallThroughShell(const std::string& programPath);
// The screen-saver password change of the Windows 9x family; nothing on NT.
void ChangePassword(uint32_t parentWindow);
// The system directory, ending with a backslash ("" when unknown).
std::string SystemDirectoryPath();
// Saves the screen area of the monitor as "kadodsk.bmp" in the temp folder, for the desktop background.
void SaveDesktopSnapshot(int32_t monitor);
