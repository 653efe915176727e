#include "app/ScreensaverApp.h"
#include "app/win32/Win32AppSystem.h"
#include "platform/DiagnosticLog.h"
#include "platform/Process.h"

#include <windows.h>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The log opens before start-up and closes at process exit.
    DiagnosticLog& log = DiagnosticLog::Instance();

    StartupArguments args;
    // The module's own path: argv[0] may lack the folder or the extension when typed at a prompt.
    args.programPath = ModuleFilePath();
    if (args.programPath.empty() && __argc > 0 && __argv[0])
        args.programPath = __argv[0];
    if (__argc > 1 && __argv[1]) {
        args.firstArgument = __argv[1];
        args.hasFirstArgument = true;
    }
    if (__argc > 2 && __argv[2])
        args.secondArgument = __argv[2];
    args.rawCommandLine = GetCommandLineA();

    Win32AppSystem system;
    ScreensaverApp app(system, log);
    app.InitInstance(args);
    return app.ExitInstance();
}
