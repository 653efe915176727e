#include "app/ScreensaverApp.h"

#include "app/AppSystem.h"
#include "app/CommandLine.h"
#include "app/PrivateTempFolder.h"
#include "app/RuntimeLibraries.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// The start mode's line, at the caller's line number; None has no line.
void LogStartMode(DiagnosticLog& log, StartMode mode, LogSite site = LogSite::Here())
{
    switch (mode) {
    case StartMode::Configure: LogStartModeConfigure(log, site); break;
    case StartMode::ChangePassword: LogStartModeChangePassword(log, site); break;
    case StartMode::Preview: LogStartModePreview(log, site); break;
    case StartMode::Saver: LogStartModeSaver(log, site); break;
    case StartMode::Program: LogStartModeProgram(log, site); break;
    case StartMode::None: break;
    }
}

} // namespace

ScreensaverApp::ScreensaverApp(IAppSystem& system, DiagnosticLog& log) : system_(system), log_(log)
{
}

ScreensaverApp::~ScreensaverApp() = default;

bool ScreensaverApp::RunOneShot(const StartupArguments& args)
{
    switch (ClassifyFirstArgument(args.hasFirstArgument ? args.firstArgument.c_str() : nullptr)) {
    case OneShotCommand::SetDefault:
        LogSettingAsDefault(log_);
        system_.SetAsDefaultScreensaver(args.programPath);
        LogDefaultIsSet(log_);
        return true;
    case OneShotCommand::Install:
        LogOpenSettingDialog(log_);
        system_.InstallThroughShell(args.programPath);
        LogSettingDialogClosed(log_);
        return true;
    case OneShotCommand::ChangePassword:
        LogCheckingPassword(log_);
        system_.ChangePassword(static_cast<uint32_t>(LeadingNumber(args.secondArgument)));
        LogPasswordChecked(log_);
        return true;
    case OneShotCommand::None: break;
    }
    return false;
}

bool ScreensaverApp::InitInstance(const StartupArguments& args)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    LogScreensaverFile(log_, args.programPath);
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

    LogStartMode(log_, startMode_);

    if (startMode_ == StartMode::ChangePassword) {
        // "-a" and "a" ask for the same as "/a".
        LogCheckingPassword(log_);
        system_.ChangePassword(parentWindow_);
        LogPasswordChecked(log_);
        project_.Close();
        database_.Close();
        return false;
    }

    if (startMode_ == StartMode::Configure) {
        LogOpeningConfiguration(log_);
        try {
            system_.RunSettingsDialog(*this);
        } catch (...) {
        }
        project_.Close();
        system_.CloseSaverMutex();
        LogConfigurationClosed(log_);
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

    // Everything the show writes for itself, the desktop snapshot first, goes into a folder of its own that
    // goes away with the show, whichever way the window's run ends.
    PrivateTempFolder showFolder;
    system_.SaveDesktopSnapshot(settings_.monitor);
    bool announces = startMode_ == StartMode::Saver || startMode_ == StartMode::Preview;
    if (announces) {
        LogNotifyRunning(log_);
        system_.SetScreenSaverRunning(true);
    }
    try {
        system_.RunScreensaverWindow(*this);
    } catch (...) {
        // Whatever the show threw, the system flag is cleared and the project closed below.
    }
    if (announces) {
        LogNotifyStopped(log_);
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
