#include "app/ScreensaverApp.h"

#include "app/AppSystem.h"
#include "app/CommandLine.h"
#include "app/RuntimeLibraries.h"
#include "platform/DiagnosticLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
const char kSource[] = ".\\Screensaver";
}

ScreensaverApp::ScreensaverApp(IAppSystem& system, DiagnosticLog& log) : system_(system), log_(log)
{
}

ScreensaverApp::~ScreensaverApp() = default;

bool ScreensaverApp::RunOneShot(const StartupArguments& args)
{
    switch (ClassifyFirstArgument(args.hasFirstArgument ? args.firstArgument.c_str() : nullptr)) {
    case OneShotCommand::SetDefault:
        log_.Entry(kSource, __LINE__, "set as system's default screensaver!");
        system_.SetAsDefaultScreensaver(args.programPath);
        log_.Entry(kSource, __LINE__, "default screensaver is set!");
        return true;
    case OneShotCommand::Install:
        log_.Entry(kSource, __LINE__, "open screensaver setting dialog!");
        system_.InstallThroughShell(args.programPath);
        log_.Entry(kSource, __LINE__, "setting dialog closed!");
        return true;
    case OneShotCommand::ChangePassword:
        log_.Entry(kSource, __LINE__, "checking password in win9x");
        system_.ChangePassword(static_cast<uint32_t>(LeadingNumber(args.secondArgument)));
        log_.Entry(kSource, __LINE__, "finish checking password!");
        return true;
    case OneShotCommand::None: break;
    }
    return false;
}

bool ScreensaverApp::InitInstance(const StartupArguments& args)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    log_.Entry(kSource, __LINE__, "screensaver file : %s", args.programPath.c_str());
    if (RunOneShot(args))
        return false;

    // An unreadable program gives -1, which no database lies at: the project then stays empty.
    int64_t base = args.databaseBase ? *args.databaseBase : ReadDatabaseTrailer(args.programPath);
    database_.Open(args.programPath, static_cast<uint32_t>(base));
    ExtractRuntimeLibraries(database_, system_.SystemDirectory());

    project_.SetDatabase(&database_);
    project_.OpenProjectTable();
    project_.Load();

    ParsedCommandLine parsed = ParseCommandLine(args.rawCommandLine, [this] { return system_.ForegroundWindow(); });
    parentWindow_ = parsed.window;
    project_.SetExecutablePath(args.programPath);
    startMode_ = ResolveStartMode(parsed.mode, project_.Options().ForcesExeMode(), args.programPath);

    // Another instance is already saving the screen.
    if (startMode_ == StartMode::Saver && !system_.CreateSaverMutex())
        return false;

    settings_.SetKey(project_.GetProjectName());
    settings_.Load(system_.SettingsStore());

    if (const char* line = StartModeLogLine(startMode_))
        log_.Entry(kSource, __LINE__, "%s", line);

    if (startMode_ == StartMode::ChangePassword) {
        // "-a" and "a" ask for the same as "/a".
        log_.Entry(kSource, __LINE__, "checking password in win9x");
        system_.ChangePassword(parentWindow_);
        log_.Entry(kSource, __LINE__, "finish checking password!");
        project_.Close();
        database_.Close();
        return false;
    }

    if (startMode_ == StartMode::Configure) {
        log_.Entry(kSource, __LINE__, "Openning the configuration dialog!");
        try {
            system_.RunSettingsDialog(*this);
        } catch (...) {
        }
        project_.Close();
        system_.CloseSaverMutex();
        log_.Entry(kSource, __LINE__, "Exit from the configuration dialog!");
        database_.Close();
        return false;
    }

    // A preview into a window that does not exist would run unseen and, since no user event closes a
    // preview, never end.
    if (startMode_ == StartMode::Preview && !system_.IsWindowHandle(parentWindow_)) {
        project_.Close();
        database_.Close();
        return false;
    }

    system_.SaveDesktopSnapshot(settings_.monitor);
    bool announces = startMode_ == StartMode::Saver || startMode_ == StartMode::Preview;
    if (announces) {
        log_.Entry(kSource, __LINE__, "notify windows a screensaver is running");
        system_.SetScreenSaverRunning(true);
    }
    try {
        system_.RunScreensaverWindow(*this);
    } catch (...) {
        // Whatever the show threw, the system flag is cleared and the project closed below.
    }
    if (announces) {
        log_.Entry(kSource, __LINE__, "notify windows screensaver is stopped!");
        system_.SetScreenSaverRunning(false);
    }
    project_.Close();
    database_.Close();
    system_.CloseSaverMutex();
    return false;
}

int ScreensaverApp::ExitInstance()
{
    // No image player outlives the run: the screensaver window's sequencer owns it and destroys it with
    // the window.
    system_.QuietExit();
    return 0;
}
