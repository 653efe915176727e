#pragma once
#include "slides/StartMode.h"

#include <cstdint>
#include <functional>
#include <string>

class UserSettings;
class ProjectInfo;
class ProjectDatabase;

// What start-up hands to the screensaver window.
struct ScreensaverWindowArgs {
    StartMode mode = StartMode::Saver;
    uint32_t parentWindow = 0; // the preview area in Preview
    UserSettings* settings = nullptr;
    ProjectInfo* project = nullptr;
    ProjectDatabase* database = nullptr;
    // The settings dialog on the same settings and project ("Setting" of the Program menu); none: nothing.
    std::function<void()> runSettingsDialog;
};

// Runs the screensaver window modally: the whole show. Returns when the window has been destroyed, "Exit"
// was chosen or the time limitation ended the show.
int RunScreensaverWindow(const ScreensaverWindowArgs& args);
