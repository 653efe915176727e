#pragma once
#include "db/ProjectDatabase.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"
#include "slides/StartMode.h"

#include <cstdint>
#include <optional>
#include <string>

class DiagnosticLog;
class IAppSystem;

// How the process was started.
struct StartupArguments {
    std::string programPath;
    std::string firstArgument; // of the standard argument vector ("" when none)
    std::string secondArgument;
    bool hasFirstArgument = false;
    std::string rawCommandLine; // program name first
    // Where the project database starts in the program file, when not at its trailer's offset (a database
    // file of its own starts at 0).
    std::optional<uint32_t> databaseBase;
};

// The single application object: decides from the command line what the run is for, opens the project
// appended to the program, loads the project information and the user settings, and runs exactly one
// modal window.
class ScreensaverApp {
public:
    ScreensaverApp(IAppSystem& system, DiagnosticLog& log);
    ~ScreensaverApp();
    ScreensaverApp(const ScreensaverApp&) = delete;
    ScreensaverApp& operator=(const ScreensaverApp&) = delete;

    // Runs the whole start-up; always false, so the process ends without a message loop of its own.
    bool InitInstance(const StartupArguments& args);
    // Final clean-up; returns the process exit code.
    int ExitInstance();

    uint32_t ParentWindow() const { return parentWindow_; }
    StartMode Mode() const { return startMode_; }
    UserSettings& Settings() { return settings_; }
    ProjectDatabase& Database() { return database_; }
    ProjectInfo& Project() { return project_; }

private:
    bool RunOneShot(const StartupArguments& args);

    IAppSystem& system_;
    DiagnosticLog& log_;

    uint32_t parentWindow_ = 0;
    StartMode startMode_ = StartMode::None;
    UserSettings settings_;
    ProjectDatabase database_;
    ProjectInfo project_;
};
